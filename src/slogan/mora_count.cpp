#include "src/slogan/mora_count.h"

#include <string>

#include "src/platform/unicode_text.h"
#include "src/slogan/mora_rules.h"

namespace tavlin {

namespace {

bool IsAsciiDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
bool IsAsciiLetter(char32_t c) {
  return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z');
}

// The longest word at the start of text, the first source with one there
// deciding.
std::optional<WordMorae> WordAt(std::u16string_view text,
                                const WordReadings* first,
                                const WordReadings& second) {
  std::optional<WordMorae> word;
  if (first) word = first->LongestWordAt(text);
  if (!word) word = second.LongestWordAt(text);
  return word;
}

// The word a digit's kanji numeral makes with the counter after it, 人,
// 日 or つ, which are read by their own readings (一人 ひとり, 三日 みっか):
// its length in text after the digit and its morae; nothing where the
// dictionary has no such word. Other counters are read as in compounds.
std::optional<WordMorae> WordWithNumeral(char32_t digit,
                                         std::u16string_view after,
                                         const WordReadings* first,
                                         const WordReadings& second) {
  constexpr char16_t kNumerals[] = u"〇一二三四五六七八九";
  if (after.empty() || std::u16string_view(u"人日つ").find(after[0]) ==
                           std::u16string_view::npos)
    return std::nullopt;
  constexpr std::size_t kLongestWithNumeral = 8;
  std::u16string word(1, kNumerals[digit - U'0']);
  word.append(after.substr(0, kLongestWithNumeral));
  const std::optional<WordMorae> found = WordAt(word, first, second);
  if (!found || found->length < 2) return std::nullopt;
  return WordMorae{found->length - 1, found->morae};
}

class NoReadings final : public WordReadings {
 public:
  std::optional<WordMorae> LongestWordAt(std::u16string_view) const override {
    return std::nullopt;
  }
  std::optional<KanjiMoraeAt> KanjiMorae(char32_t, KanjiPlace) const override {
    return std::nullopt;
  }
};

}  // namespace

MoraCount CountMorae(std::u16string_view text, const WordReadings* first,
                     const WordReadings& second) {
  MoraCount count;
  bool previous_is_kanji = false;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::u16string_view rest = text.substr(i);
    const std::optional<WordMorae> word = WordAt(rest, first, second);
    if (word && word->length > 0 && word->length <= rest.size()) {
      count.morae += word->morae;
      previous_is_kanji =
          IsKanjiCharacter(ReadCodePoint(text, i + word->length - 1).c);
      i += word->length;
      continue;
    }
    const CodePointAt at = ReadCodePoint(text, i);
    const char32_t c = FoldCharacterWidth(at.c);
    std::size_t units = at.units;
    if (const std::optional<int> kana = KanaMorae(c)) {
      count.morae += *kana;
    } else if (IsAsciiDigit(c)) {
      std::u32string digits(1, c);
      while (i + units < text.size()) {
        const CodePointAt next = ReadCodePoint(text, i + units);
        const char32_t folded = FoldCharacterWidth(next.c);
        if (!IsAsciiDigit(folded)) break;
        digits.push_back(folded);
        units += next.units;
      }
      // 1人 as 一人, ひとり.
      const std::optional<WordMorae> counted =
          digits.size() == 1
              ? WordWithNumeral(digits[0], text.substr(i + units), first,
                                second)
              : std::nullopt;
      if (counted) {
        count.morae += counted->morae;
        units += counted->length;
      } else {
        count.morae += NumberMorae(digits);
      }
    } else if (IsAsciiLetter(c)) {
      count.morae += LetterMorae(c);
    } else if (IsKanjiCharacter(c)) {
      const bool next_is_kanji =
          i + units < text.size() &&
          IsKanjiCharacter(ReadCodePoint(text, i + units).c);
      const KanjiPlace place = previous_is_kanji ? KanjiPlace::AfterKanji
                               : next_is_kanji   ? KanjiPlace::BeforeKanji
                                                 : KanjiPlace::Alone;
      std::optional<KanjiMoraeAt> kanji;
      if (first) kanji = first->KanjiMorae(c, place);
      if (!kanji) kanji = second.KanjiMorae(c, place);
      if (kanji) {
        count.morae += kanji->morae;
        if (!kanji->sure) count.approximate = true;
      } else {
        count.countable = false;
      }
    } else if (const std::optional<int> symbol = ReadSymbolMorae(c)) {
      count.morae += *symbol;
    } else if (!IsUnreadCharacter(c)) {
      count.countable = false;
    }
    // A counter after a number is read as in a compound: 1日 as いちにち.
    previous_is_kanji = IsKanjiCharacter(c) || IsAsciiDigit(c);
    i += units;
  }
  return count;
}

MoraCount CountMorae(std::u16string_view text, const WordReadings& readings) {
  return CountMorae(text, nullptr, readings);
}

MoraCount CountKanaMorae(std::u16string_view reading) {
  static const NoReadings no_readings;
  return CountMorae(reading, nullptr, no_readings);
}

}  // namespace tavlin
