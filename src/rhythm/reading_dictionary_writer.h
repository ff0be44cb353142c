// Writing the reading dictionary's file from its words and kanji counts.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace tavlin {

struct DictionaryWord {
  std::u16string word;  // with kanji; at most 255 UTF-16 units
  int morae = 0;        // 0 to 255
};

struct KanjiMoraeCounts {
  char32_t kanji = 0;
  std::array<int, 3> morae{};  // alone, before, after another kanji
  std::array<bool, 3> sure{};
};

// The file's bytes. Words are sorted and the first of equal words kept;
// counts beyond what the file holds are clamped.
std::string ReadingDictionaryBytes(std::vector<DictionaryWord> words,
                                   std::vector<KanjiMoraeCounts> kanji);

}  // namespace tavlin
