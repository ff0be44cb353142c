#include "src/rhythm/mora_count.h"

#include <string>

#include "src/platform/unicode_text.h"
#include "src/rhythm/mora_rules.h"

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

// One token of a phrase as it is read aloud: a word from the readings, a
// number (with the counter word its numeral makes), or one character.
struct Token {
  std::size_t units = 0;  // of the text it takes
  MoraCount count;
  // A kanji or a number: a kanji after it is read as in a compound.
  bool compound_before_next = false;
};

struct Sources {
  const WordReadings* first;
  const WordReadings& second;
};

Token NumberAt(std::u16string_view text, std::size_t i,
               const Sources& sources) {
  std::u32string digits;
  std::size_t units = 0;
  while (i + units < text.size()) {
    const CodePointAt next = ReadCodePoint(text, i + units);
    const char32_t folded = FoldCharacterWidth(next.c);
    if (!IsAsciiDigit(folded)) break;
    digits.push_back(folded);
    units += next.units;
  }
  // 1人 as 一人, ひとり.
  if (digits.size() == 1)
    if (const std::optional<WordMorae> counted = WordWithNumeral(
            digits[0], text.substr(i + units), sources.first, sources.second))
      return {units + counted->length, {counted->morae}, true};
  return {units, {NumberMorae(digits)}, true};
}

// A kanji no word covers, read alone, before another kanji or after one.
MoraCount KanjiMorae(char32_t c, KanjiPlace place, const Sources& sources) {
  std::optional<KanjiMoraeAt> kanji;
  if (sources.first) kanji = sources.first->KanjiMorae(c, place);
  if (!kanji) kanji = sources.second.KanjiMorae(c, place);
  if (!kanji) return {0, false, false};
  return {kanji->morae, !kanji->sure, true};
}

// The morae of one character c, folded, that stands before next.
MoraCount CharacterMorae(char32_t c, std::u16string_view next,
                         bool after_compound, const Sources& sources) {
  if (const std::optional<int> kana = KanaMorae(c)) return {*kana};
  if (IsAsciiLetter(c)) return {LetterMorae(c)};
  if (IsKanjiCharacter(c)) {
    const bool next_is_kanji =
        !next.empty() && IsKanjiCharacter(ReadCodePoint(next, 0).c);
    const KanjiPlace place = after_compound  ? KanjiPlace::AfterKanji
                             : next_is_kanji ? KanjiPlace::BeforeKanji
                                             : KanjiPlace::Alone;
    return KanjiMorae(c, place, sources);
  }
  if (const std::optional<int> symbol = ReadSymbolMorae(c)) return {*symbol};
  return {0, false, IsUnreadCharacter(c)};
}

// The token that starts at text[i]: the longest word of the readings
// there, else a number, else the character.
Token NextToken(std::u16string_view text, std::size_t i, bool after_compound,
                const Sources& sources) {
  const std::u16string_view rest = text.substr(i);
  const std::optional<WordMorae> word =
      WordAt(rest, sources.first, sources.second);
  if (word && word->length > 0 && word->length <= rest.size())
    return {word->length,
            {word->morae},
            IsKanjiCharacter(ReadCodePoint(text, i + word->length - 1).c)};
  const CodePointAt at = ReadCodePoint(text, i);
  const char32_t c = FoldCharacterWidth(at.c);
  if (IsAsciiDigit(c)) return NumberAt(text, i, sources);
  return {at.units,
          CharacterMorae(c, rest.substr(at.units), after_compound, sources),
          IsKanjiCharacter(c)};
}

}  // namespace

MoraCount CountMorae(std::u16string_view text, const WordReadings* first,
                     const WordReadings& second) {
  const Sources sources{first, second};
  MoraCount count;
  bool after_compound = false;
  for (std::size_t i = 0; i < text.size();) {
    const Token token = NextToken(text, i, after_compound, sources);
    count.morae += token.count.morae;
    count.approximate = count.approximate || token.count.approximate;
    count.countable = count.countable && token.count.countable;
    after_compound = token.compound_before_next;
    i += token.units;
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
