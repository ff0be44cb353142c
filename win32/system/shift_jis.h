// Conversion between Shift-JIS (code page 932) bytes and UTF-16, where file
// content meets the screen. Always code page 932, whatever the system's.
#pragma once

#include <string>
#include <string_view>

#include "src/platform/shift_jis_text.h"

namespace tavlin {

std::wstring WideFromShiftJis(ShiftJisView text);
// lossy, where given, tells whether some character has no Shift-JIS form
// and became "?" (never a look-alike: "é" is not taken for "e").
ShiftJisText ShiftJisFromWide(std::wstring_view text, bool* lossy = nullptr);

}  // namespace tavlin
