// Reading a run of kanji and kana as a person does: of every way the
// dictionary's words cut it, the one whose words and joins cost least,
// a character no word covers read by itself at a high cost.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "src/rhythm/mora_count.h"
#include "src/rhythm/reading_dictionary.h"

namespace tavlin {

// What stands before a run: the class a word there ends with, and whether
// it is a kanji or a number (a kanji first in the run is then read as in a
// compound where no word covers it).
struct BeforeRun {
  std::uint8_t right_class = 0;
  bool compound = false;
};

// The morae of the cheapest reading; where words is not null, its words in
// order are added to it.
MoraCount CheapestReadingMorae(std::u16string_view run, BeforeRun before,
                               const ReadingDictionary& dictionary,
                               std::vector<ReadWord>* words = nullptr);

}  // namespace tavlin
