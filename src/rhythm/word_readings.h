// What the counting of morae asks of a reading source: the longest word
// with a known count at the start of a text, and a kanji's count where no
// word covers it. The reading dictionary, a workplace's own readings and the
// tables the dictionary is built from answer it alike.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tavlin {

struct WordMorae {
  std::size_t length = 0;  // in UTF-16 units of the text
  int morae = 0;
};

// Where a kanji that no word covers stands: its reading differs alone (声,
// こえ) and beside another kanji (音声, おんせい).
enum class KanjiPlace : std::uint8_t { Alone, BeforeKanji, AfterKanji };

struct KanjiMoraeAt {
  int morae = 0;
  // Whether the kanji is read so at its place nearly always.
  bool sure = false;
};

class WordReadings {
 public:
  // The longest word at the start of text, if any.
  virtual std::optional<WordMorae> LongestWordAt(
      std::u16string_view text) const = 0;
  // The count of kanji standing at place, if known.
  virtual std::optional<KanjiMoraeAt> KanjiMorae(char32_t kanji,
                                                 KanjiPlace place) const = 0;

 protected:
  ~WordReadings() = default;
};

}  // namespace tavlin
