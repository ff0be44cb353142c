// A workplace's own readings (読み.txt beside the program): one word, a tab
// and its reading in kana a line, in any encoding Notepad writes. They come
// before the dictionary's: a workplace knows how it reads its own words.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "src/rhythm/word_readings.h"

namespace tavlin {

inline constexpr char16_t kWorkplaceReadingsFileName[] = u"読み.txt";

class WorkplaceReadings final : public WordReadings {
 public:
  // Reads the file's text; bad_lines gets the number, from 1, of each line
  // that is not a word, a tab and a reading the rules can count. Blank
  // lines are passed over.
  static WorkplaceReadings FromText(std::u16string_view text,
                                    std::vector<std::size_t>& bad_lines);

  bool empty() const { return words_.empty(); }
  std::optional<WordMorae> LongestWordAt(
      std::u16string_view text) const override;
  std::optional<KanjiMoraeAt> KanjiMorae(char32_t, KanjiPlace) const override {
    return std::nullopt;
  }

 private:
  std::map<std::u16string, int, std::less<>> words_;
  std::size_t longest_ = 0;
};

}  // namespace tavlin
