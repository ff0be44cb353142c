#include "posix/reading_dictionary_builder.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>

#include "src/platform/unicode_text.h"
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
// A kanji no lexicon has, to stand beside a word while it is tried.
constexpr char32_t kNeighbourKanji = 0x2A6D6;

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

class MemoryReadings final : public WordReadings {
 public:
  void AddWord(std::u16string word, int morae) {
    longest_ = std::max(longest_, word.size());
    words_.emplace(std::move(word), morae);
  }
  void AddKanji(const KanjiMoraeCounts& counts) {
    kanji_.emplace(counts.kanji, counts);
  }
  std::optional<WordMorae> LongestWordAt(
      std::u16string_view text) const override {
    for (std::size_t length = std::min(longest_, text.size()); length > 0;
         --length) {
      const auto found = words_.find(std::u16string(text.substr(0, length)));
      if (found != words_.end()) return WordMorae{length, found->second};
    }
    return std::nullopt;
  }
  std::optional<KanjiMoraeAt> KanjiMorae(char32_t kanji,
                                         KanjiPlace place) const override {
    const auto found = kanji_.find(kanji);
    if (found == kanji_.end()) return std::nullopt;
    const auto index = static_cast<std::size_t>(place);
    return KanjiMoraeAt{found->second.morae[index], found->second.sure[index]};
  }

 private:
  std::unordered_map<std::u16string, int> words_;
  std::unordered_map<char32_t, KanjiMoraeCounts> kanji_;
  std::size_t longest_ = 0;
};

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
  const std::string cost(fields[3].begin(), fields[3].end());
  int value = 0;
  const auto [end, error] =
      std::from_chars(cost.data(), cost.data() + cost.size(), value);
  if (error != std::errc() || end != cost.data() + cost.size()) return false;
  entry = {std::u16string(fields[0]), std::u16string(fields[11]), value,
           fields[5] == u"固有名詞" &&
               (fields[6] == u"人名" || fields[6] == u"地域"),
           fields[4] == u"接頭詞" || fields[5] == u"接尾"};
  return true;
}

void ReadingDictionaryBuilder::Add(LexiconEntry entry) {
  // Names are read as their owners please; they would teach the kanji
  // table readings that ordinary words do not have.
  if (entry.name || !IsKatakanaReading(entry.reading)) return;
  const std::u32string points = CodePoints(entry.surface);
  if (std::none_of(points.begin(), points.end(), IsKanjiCharacter)) return;
  if (points.size() == 1)
    readings_of_kanji_[entry.surface].push_back(
        {entry.reading, entry.cost, entry.affix});
  auto [at, added] =
      best_.try_emplace(entry.surface, Choice{entry.reading, entry.cost});
  if (!added && entry.cost < at->second.cost)
    at->second = {std::move(entry.reading), entry.cost};
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
  KeepWordsCountedWrong(chosen, result);
  return result;
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

void ReadingDictionaryBuilder::KeepWordsCountedWrong(const Readings& chosen,
                                                     Result& result) {
  MemoryReadings known;
  for (const KanjiMoraeCounts& counts : result.kanji) known.AddKanji(counts);
  // Words from the shortest: a word the shorter ones and the kanji table
  // already count right, for sure, wherever it stands, is left out. A
  // kanji of its own stands beside it to try it after and before a kanji,
  // where its kanji may be read otherwise (怠る after 確認).
  known.AddKanji({kNeighbourKanji, {1, 1, 1}, {true, true, true}});
  const auto counted_right = [&](const std::u16string& word, int morae) {
    std::u16string neighbour;
    AppendCodePoint(neighbour, kNeighbourKanji);
    for (const std::u16string& text :
         {word, neighbour + word, word + neighbour}) {
      const MoraCount count = CountMorae(text, known);
      const int expected = morae + (text.size() > word.size() ? 1 : 0);
      if (!count.countable || count.approximate || count.morae != expected)
        return false;
    }
    return true;
  };
  std::vector<std::pair<std::u16string, int>> words;
  for (const auto& [surface, reading] : chosen)
    if (CodePoints(surface).size() > 1)
      words.emplace_back(surface, MoraeOf(reading));
  std::stable_sort(words.begin(), words.end(),
                   [](const auto& a, const auto& b) {
                     return a.first.size() < b.first.size();
                   });
  result.words_with_kanji = words.size();
  for (auto& [word, morae] : words) {
    if (counted_right(word, morae)) continue;
    known.AddWord(word, morae);
    result.words.push_back({std::move(word), morae});
  }
}

}  // namespace tavlin
