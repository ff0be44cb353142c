// Counting the morae (音数) of a phrase as a committee reads it aloud: words
// with kanji from their readings, everything else by the character rules.
#pragma once

#include <string_view>
#include <vector>

#include "src/rhythm/reading_dictionary.h"
#include "src/rhythm/word_readings.h"

namespace tavlin {

// One piece of a phrase as it was read: its length in UTF-16 units and its
// morae.
struct ReadWord {
  std::size_t length = 0;
  int morae = 0;
};

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

// Counts text: where first (a workplace's own readings; may be null) has a
// word, its longest word there is read; each run of kanji and kana between
// is read by the cheapest way the dictionary cuts it; numbers, Latin
// letters and the rest by the character rules. Where words is not null,
// the pieces read are added to it, each with its morae.
MoraCount CountMorae(std::u16string_view text, const WordReadings* first,
                     const ReadingDictionary& dictionary,
                     std::vector<ReadWord>* words = nullptr);
MoraCount CountMorae(std::u16string_view text,
                     const ReadingDictionary& dictionary);
// The count of a reading written in kana (and any other characters the
// rules read), as a workplace writes one.
MoraCount CountKanaMorae(std::u16string_view reading);

}  // namespace tavlin
