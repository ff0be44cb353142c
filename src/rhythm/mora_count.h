// Counting the morae (音数) of a phrase as a committee reads it aloud: words
// with kanji from their readings, everything else by the character rules.
#pragma once

#include <string_view>

#include "src/rhythm/word_readings.h"

namespace tavlin {

struct MoraCount {
  int morae = 0;
  // A kanji was counted without a word, by a reading it does not always
  // have there: the count may be off.
  bool approximate = false;
  // A character could not be counted at all (a letter of another script,
  // a kanji with no reading): morae is then no count.
  bool countable = true;

  bool operator==(const MoraCount&) const = default;
};

// Counts text with the sources in order of precedence: at each place the
// first source with a word there decides, its longest word is read and the
// count goes on after it. first may be null.
MoraCount CountMorae(std::u16string_view text, const WordReadings* first,
                     const WordReadings& second);
MoraCount CountMorae(std::u16string_view text, const WordReadings& readings);
// The count of a reading written in kana (and any other characters the
// rules read), as a workplace writes one.
MoraCount CountKanaMorae(std::u16string_view reading);

}  // namespace tavlin
