// How many morae (音数) a character is worth when a slogan is read aloud,
// where the character alone decides it: kana, the long-vowel mark, digits
// and Latin letters read by their Japanese names, and the marks that are not
// read at all. Words with kanji need a reading and are counted elsewhere.
#pragma once

#include <optional>
#include <string_view>

#include "src/rhythm/character_class.h"

namespace tavlin {

// Full-width ASCII as ASCII and half-width katakana as full-width; every
// other character as it is. The sound marks of half-width katakana (ﾞ ﾟ)
// stay as they are: they are read with the kana before them.
char32_t FoldCharacterWidth(char32_t c);

// The morae of one kana of the folded text: 1 for each kana, っ, ん and ー;
// 0 for the small kana that join the one before (ゃ, ァ...) and for sound
// marks. Nothing for a character that is not kana.
std::optional<int> KanaMorae(char32_t c);

// The symbols read aloud: % as パーセント, & as アンド.
std::optional<int> ReadSymbolMorae(char32_t c);

// Marks, spaces and symbols that are not read: they count nothing.
bool IsUnreadCharacter(char32_t c);

// The morae of a Latin letter read by its name in Japanese (K is ケー).
int LetterMorae(char32_t ascii_letter);

// The morae of a run of ASCII digits read as a Japanese number (100 is
// ひゃく, 3000 さんぜん). A run that starts with 0, or too long to be read as
// one number, is read digit by digit.
int NumberMorae(std::u32string_view digits);

}  // namespace tavlin
