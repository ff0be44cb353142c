#include "posix/reading_dictionary_builder.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "src/platform/unicode_text.h"
#include "src/rhythm/character_class.h"
#include "src/rhythm/mora_count.h"
#include "src/rhythm/mora_rules.h"
#include "src/rhythm/word_readings.h"

namespace tavlin {

namespace {

// A kanji's count at a place is sure when at least this many of the
// compounds it stands in agree, and enough of them to tell.
constexpr double kSureShare = 0.9;
constexpr int kSureVotes = 3;
// A kanji nobody reads: most readings of a kanji in a compound have two.
constexpr int kUsualKanjiMorae = 2;
// A reading of a kanji alone this much costlier than its usual one is
// rare enough not to make its count unsure.
constexpr int kRivalCost = 3000;

std::u32string CodePoints(std::u16string_view text) {
  std::u32string points;
  ForEachCodePoint(text, [&](char32_t c) { points.push_back(c); });
  return points;
}

bool IsKatakanaReading(std::u16string_view reading) {
  return !reading.empty() &&
         std::all_of(reading.begin(), reading.end(), [](char16_t c) {
           return (c >= 0x30A1 && c <= 0x30FA) || c == 0x30FC;
         });
}

int MoraeOf(std::u16string_view reading) {
  return CountKanaMorae(reading).morae;
}

// Katakana without its sound marks (ガ as カ, パ as ハ), to match a kanji's
// reading inside a compound, where it is often voiced (人, ひと, in 一人々).
char16_t Unvoiced(char16_t c) {
  if (c >= 0x3041 && c <= 0x3096) c = static_cast<char16_t>(c + 0x60);
  if (c >= 0x30AB && c <= 0x30C9) {  // カ to ド: voiced is one after
    const bool voiced = (c <= 0x30C2 ? (c - 0x30AB) % 2 == 1
                                     : c >= 0x30C4 && (c - 0x30C4) % 2 == 1);
    return voiced ? static_cast<char16_t>(c - 1) : c;
  }
  if (c >= 0x30CF && c <= 0x30DD)
    return static_cast<char16_t>(c - (c - 0x30CF) % 3);
  if (c == 0x30F4) return 0x30A6;  // ヴ
  return c;
}

// Whether a kanji's reading part is where whole starts (at_end: ends), as
// it sounds in a compound: voiced, or its last ツ チ ク キ doubled (一杯,
// イッパイ).
bool ReadingFits(std::u16string_view whole, std::u16string_view part,
                 bool at_end) {
  if (part.size() > whole.size()) return false;
  const std::size_t offset = at_end ? whole.size() - part.size() : 0;
  for (std::size_t i = 0; i < part.size(); ++i) {
    const char16_t w = whole[offset + i];
    const char16_t p = part[i];
    if (Unvoiced(w) == Unvoiced(p)) continue;
    const bool last = i + 1 == part.size();
    if (!at_end && last && w == u'ッ' &&
        (p == u'ツ' || p == u'チ' || p == u'ク' || p == u'キ'))
      continue;
    return false;
  }
  return true;
}

struct Votes {
  std::map<int, int> before, after;
};

// The count most votes give, and whether it is sure.
std::optional<std::pair<int, bool>> Decide(const std::map<int, int>& votes) {
  int total = 0;
  std::pair<int, int> top{0, 0};  // count, votes
  for (const auto& [morae, count] : votes) {
    total += count;
    if (count > top.second) top = {morae, count};
  }
  if (total == 0) return std::nullopt;
  return std::pair{
      top.first, top.second >= kSureVotes && top.second >= kSureShare * total};
}

// Each kanji's counts before and after another, as the compounds voted;
// where they did not, its count alone, or the likeliest there is.
void CountByVotes(const std::map<char32_t, Votes>& votes,
                  std::map<char32_t, KanjiMoraeCounts>& kanji) {
  for (const auto& [k, its_votes] : votes) {
    KanjiMoraeCounts& counts = kanji[k];
    const bool has_alone = counts.kanji != 0;
    counts.kanji = k;
    const auto before = Decide(its_votes.before);
    const auto after = Decide(its_votes.after);
    const int fallback = has_alone ? counts.morae[0]
                         : before  ? before->first
                         : after   ? after->first
                                   : kUsualKanjiMorae;
    if (!has_alone) counts.morae[0] = fallback;
    counts.morae[1] = before ? before->first : fallback;
    counts.sure[1] = before && before->second;
    counts.morae[2] = after ? after->first : fallback;
    counts.sure[2] = after && after->second;
  }
}

// A word that starts with a kanji numeral (一人, 二十歳, 一生) is read
// whole: the lexicon's costs read its numeral apart, as a number, which is
// right for its sense but not for its sound (いちにん, にじゅっさい).
int WholeWordCost(const LexiconEntry& entry, const std::u32string& points) {
  constexpr int kNumeralWordBonus = 10000;
  constexpr std::u32string_view kNumerals = U"一二三四五六七八九十百千";
  if (points.size() < 2 || entry.kind == LexiconEntry::Kind::Number ||
      kNumerals.find(points[0]) == std::u32string_view::npos)
    return entry.cost;
  return entry.cost - kNumeralWordBonus;
}

}  // namespace

bool ParseLexiconLine(std::u16string_view line, LexiconEntry& entry) {
  std::vector<std::u16string_view> fields;
  std::size_t begin = 0;
  for (std::size_t i = 0; i <= line.size(); ++i) {
    if (i < line.size() && line[i] != u',') continue;
    fields.push_back(line.substr(begin, i - begin));
    begin = i + 1;
  }
  if (fields.size() < 12 || fields[0].empty()) return false;
  std::array<int, 3> numbers{};  // left id, right id, cost
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    const std::string digits(fields[1 + i].begin(), fields[1 + i].end());
    const auto [end, error] = std::from_chars(
        digits.data(), digits.data() + digits.size(), numbers[i]);
    if (error != std::errc() || end != digits.data() + digits.size())
      return false;
  }
  if (numbers[0] < 0 || numbers[1] < 0) return false;
  using Kind = LexiconEntry::Kind;
  const Kind kind =
      fields[4] == u"名詞" && fields[5] == u"数"               ? Kind::Number
      : fields[4] == u"記号" && fields[5] == u"アルファベット" ? Kind::Letter
      : fields[4] == u"名詞" && fields[5] == u"一般" ? Kind::CommonNoun
                                                     : Kind::Other;
  entry = {std::u16string(fields[0]),
           std::u16string(fields[11]),
           numbers[0],
           numbers[1],
           numbers[2],
           fields[5] == u"固有名詞" &&
               (fields[6] == u"人名" || fields[6] == u"地域"),
           fields[4] == u"接頭詞" || fields[5] == u"接尾",
           fields[5] == u"接尾",
           kind};
  return true;
}

ReadingDictionaryBuilder::ReadingDictionaryBuilder(JoinClasses joins)
    : joins_(std::move(joins)) {}

void ReadingDictionaryBuilder::Add(LexiconEntry entry) {
  if (entry.kind != LexiconEntry::Kind::Other)
    ids_of_kind_.try_emplace(entry.kind, entry.left_id, entry.right_id);
  // Names are read as their owners please; they would teach the kanji
  // table readings that ordinary words do not have.
  if (entry.name) return;
  const std::u32string points = CodePoints(entry.surface);
  const bool katakana = IsKatakanaReading(entry.reading);
  const bool any_kanji =
      std::any_of(points.begin(), points.end(), IsKanjiCharacter);
  // Only words a run of kanji and kana can hold take part in its reading;
  // a word of kana alone reads as its kana do.
  const bool in_runs =
      std::all_of(points.begin(), points.end(), [](char32_t c) {
        const CharacterClass of = ClassOfCharacter(c);
        return of == CharacterClass::Kana || of == CharacterClass::Kanji;
      });
  if (in_runs && (katakana || !any_kanji))
    words_.push_back({entry.surface,
                      MoraeOf(katakana ? entry.reading : entry.surface),
                      entry.suffix && points.size() == 1 && any_kanji,
                      LeftClass(entry.left_id), RightClass(entry.right_id),
                      WholeWordCost(entry, points)});
  if (!katakana || !any_kanji) return;
  if (points.size() == 1)
    readings_of_kanji_[entry.surface].push_back(
        {entry.reading, entry.cost, entry.affix});
  auto [at, added] =
      best_.try_emplace(entry.surface, Choice{entry.reading, entry.cost});
  if (!added && entry.cost < at->second.cost)
    at->second = {std::move(entry.reading), entry.cost};
}

void ReadingDictionaryBuilder::PreferAmongEquals(std::u16string surface,
                                                 std::u16string reading) {
  if (!IsKatakanaReading(reading)) return;
  preferred_among_equals_[std::move(surface)] = std::move(reading);
}

void ReadingDictionaryBuilder::BreakTies(
    std::vector<DictionaryWord>& words) const {
  // Readings this close in cost are a coin's toss to the lexicon.
  constexpr int kNearlyAsCheap = 1500;
  std::map<std::u16string_view, int> cheapest;
  for (const DictionaryWord& word : words)
    if (preferred_among_equals_.contains(word.word)) {
      auto [at, added] = cheapest.try_emplace(word.word, word.cost);
      if (!added) at->second = std::min(at->second, word.cost);
    }
  for (DictionaryWord& word : words) {
    const auto preferred = preferred_among_equals_.find(word.word);
    if (preferred == preferred_among_equals_.end() ||
        word.morae != MoraeOf(preferred->second))
      continue;
    const int least = cheapest.at(preferred->first);
    if (word.cost <= least + kNearlyAsCheap) word.cost = least - 1;
  }
}

void ReadingDictionaryBuilder::Prefer(std::u16string surface,
                                      std::u16string reading) {
  if (!IsKatakanaReading(reading)) return;
  preferred_[std::move(surface)] = std::move(reading);
}

ReadingDictionaryBuilder::Result ReadingDictionaryBuilder::Build() const {
  Readings chosen;
  for (const auto& [surface, choice] : best_) chosen[surface] = choice.reading;
  for (const auto& [surface, reading] : preferred_) chosen[surface] = reading;
  KanjiTable kanji = KanjiAlone();
  KanjiBesideAnother(chosen, kanji);
  Result result;
  for (const auto& [k, counts] : kanji) result.kanji.push_back(counts);
  result.connections = Connections();
  result.words = Words(result.connections);
  return result;
}

std::uint8_t ReadingDictionaryBuilder::RightClass(int id) const {
  const auto at = static_cast<std::size_t>(id);
  return at < joins_.right_class.size() ? joins_.right_class[at] : 0;
}

std::uint8_t ReadingDictionaryBuilder::LeftClass(int id) const {
  const auto at = static_cast<std::size_t>(id);
  return at < joins_.left_class.size() ? joins_.left_class[at] : 0;
}

ConnectionCosts ReadingDictionaryBuilder::Connections() const {
  ConnectionCosts connections{joins_.classes, joins_.costs, {}};
  const auto ids = [&](LexiconEntry::Kind kind) {
    const auto found = ids_of_kind_.find(kind);
    return found == ids_of_kind_.end() ? std::pair{0, 0} : found->second;
  };
  const auto noun = ids(LexiconEntry::Kind::CommonNoun);
  // The lexicon's id 0 is the edge of a sentence, on both sides.
  connections.context = {RightClass(0),
                         LeftClass(0),
                         RightClass(ids(LexiconEntry::Kind::Number).second),
                         RightClass(ids(LexiconEntry::Kind::Letter).second),
                         LeftClass(noun.first),
                         RightClass(noun.second)};
  return connections;
}

std::vector<DictionaryWord> ReadingDictionaryBuilder::Words(
    const ConnectionCosts& connections) const {
  // A word the lexicon lacks is a common noun, cheap enough to be read
  // whole rather than cut.
  constexpr int kAddedWordCost = 2000;
  std::vector<DictionaryWord> words = words_;
  std::map<std::u16string_view, bool> found;
  for (DictionaryWord& word : words) {
    const auto preferred = preferred_.find(word.word);
    if (preferred == preferred_.end()) continue;
    word.morae = MoraeOf(preferred->second);
    found[preferred->first] = true;
  }
  for (const auto& [surface, reading] : preferred_)
    if (!found.contains(surface))
      words.push_back({surface, MoraeOf(reading), false,
                       connections.context.unknown_left,
                       connections.context.unknown_right, kAddedWordCost});
  BreakTies(words);
  return words;
}

ReadingDictionaryBuilder::KanjiTable ReadingDictionaryBuilder::KanjiAlone()
    const {
  // Each kanji alone, as its own written form reads most often, prefixes
  // and suffixes aside where it is also a word of its own: 時 alone is
  // トキ, ジ only after a number.
  KanjiTable kanji;
  for (const auto& [surface, readings] : readings_of_kanji_) {
    const bool any_word =
        std::any_of(readings.begin(), readings.end(),
                    [](const KanjiReading& reading) { return !reading.affix; });
    const KanjiReading* usual = nullptr;
    for (const KanjiReading& reading : readings)
      if ((!any_word || !reading.affix) &&
          (!usual || reading.cost < usual->cost))
        usual = &reading;
    const char32_t k = CodePoints(surface)[0];
    KanjiMoraeCounts& counts = kanji[k];
    counts.kanji = k;
    const auto preferred = preferred_.find(surface);
    counts.morae[0] = MoraeOf(preferred != preferred_.end() ? preferred->second
                                                            : usual->reading);
    counts.sure[0] = std::all_of(
        readings.begin(), readings.end(), [&](const KanjiReading& reading) {
          return (any_word && reading.affix) ||
                 reading.cost > usual->cost + kRivalCost ||
                 MoraeOf(reading.reading) == counts.morae[0];
        });
  }
  return kanji;
}

void ReadingDictionaryBuilder::KanjiBesideAnother(const Readings& chosen,
                                                  KanjiTable& kanji) const {
  std::map<char32_t, Votes> votes;
  // Before and after another kanji, from the compounds of two: where one
  // kanji's own reading fits, the other has the rest.
  const auto readings_of = [&](char32_t k) -> const std::vector<KanjiReading>* {
    std::u16string surface;
    if (k > 0xFFFF) return nullptr;
    surface.push_back(static_cast<char16_t>(k));
    const auto found = readings_of_kanji_.find(surface);
    return found == readings_of_kanji_.end() ? nullptr : &found->second;
  };
  for (const auto& compound : chosen) {
    // Named apart: a lambda below uses the reading.
    const std::u16string& reading = compound.second;
    const std::u32string points = CodePoints(compound.first);
    if (points.size() != 2 || !IsKanjiCharacter(points[0]) ||
        !IsKanjiCharacter(points[1]))
      continue;
    const int whole = MoraeOf(reading);
    // The morae of the first kanji, where one kanji's own reading fits at
    // its end of the compound's.
    const auto first_morae = [&](bool from_end) -> std::optional<int> {
      const auto* readings = readings_of(points[from_end ? 1 : 0]);
      if (!readings) return std::nullopt;
      for (const KanjiReading& part : *readings)
        if (ReadingFits(reading, part.reading, from_end))
          return from_end ? whole - MoraeOf(part.reading)
                          : MoraeOf(part.reading);
      return std::nullopt;
    };
    std::optional<int> first = first_morae(false);
    if (!first) first = first_morae(true);
    // Where neither fits, an even count is most likely shared evenly.
    if (!first && whole % 2 == 0) first = whole / 2;
    if (first) {
      ++votes[points[0]].before[*first];
      ++votes[points[1]].after[whole - *first];
    }
  }
  CountByVotes(votes, kanji);
}

}  // namespace tavlin
