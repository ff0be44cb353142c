// The classes of characters that the rhythm meter and the vote sheet tell
// apart, from one table of ranges: kana with their sound, iteration and
// long-vowel marks, in full and half width; kanji with 々 〆 〇; Latin
// letters and digits, in ASCII and full width; and everything else.
#pragma once

namespace tavlin {

enum class CharacterClass { Kana, Kanji, LatinLetterOrDigit, Other };

CharacterClass ClassOfCharacter(char32_t c);

inline bool IsKanjiCharacter(char32_t c) {
  return ClassOfCharacter(c) == CharacterClass::Kanji;
}

}  // namespace tavlin
