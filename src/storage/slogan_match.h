// Whether a line of a storage list is the same slogan: equal with letter
// case ignored, while spaces, character width and kana type count.
#pragma once

#include <string_view>

namespace tavlin {

// Both texts are Shift-JIS. On Windows this is the user locale's own
// case-insensitive comparison; elsewhere FoldedShiftJisEqual.
bool SlogansMatch(std::string_view line, std::string_view slogan);

// Equality after folding the upper-case letters of Shift-JIS to lower case:
// ASCII, full-width Latin, Greek and Cyrillic.
bool FoldedShiftJisEqual(std::string_view a, std::string_view b);

}  // namespace tavlin
