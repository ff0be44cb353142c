// Whether a line of a storage list is the same slogan: equal with letter
// case ignored, while spaces, character width and kana type count.
#pragma once

#include <string_view>

#include "src/platform/shift_jis_text.h"

namespace tavlin {

// On Windows this is the user locale's own case-insensitive comparison;
// elsewhere FoldedShiftJisEqual.
bool SlogansMatch(ShiftJisView line, ShiftJisView slogan);

// Equality after folding the upper-case letters of Shift-JIS to lower case:
// ASCII, full-width Latin, Greek and Cyrillic.
bool FoldedShiftJisEqual(std::string_view a, std::string_view b);

}  // namespace tavlin
