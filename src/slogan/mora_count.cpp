#include "src/slogan/mora_count.h"

#include <string>

#include "src/slogan/mora_rules.h"

namespace tavlin {

namespace {

struct CodePointAt {
  char32_t c = 0;
  std::size_t units = 0;
};

CodePointAt ReadCodePoint(std::u16string_view text, std::size_t i) {
  const char16_t unit = text[i];
  if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() &&
      text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
    return {0x10000 + ((char32_t{unit} - 0xD800) << 10) +
                (char32_t{text[i + 1]} - 0xDC00),
            2};
  return {unit, 1};
}

bool IsAsciiDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
bool IsAsciiLetter(char32_t c) {
  return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z');
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
    std::optional<WordMorae> word;
    if (first) word = first->LongestWordAt(rest);
    if (!word) word = second.LongestWordAt(rest);
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
      count.morae += NumberMorae(digits);
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
    } else if (!IsUnreadCharacter(c)) {
      count.countable = false;
    }
    previous_is_kanji = IsKanjiCharacter(c);
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
