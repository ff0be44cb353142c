// Conversion between Shift-JIS (code page 932) bytes and UTF-16, where file
// content meets the screen. Always code page 932, whatever the system's.
#pragma once

#include <string>
#include <string_view>

namespace tavlin {

std::wstring WideFromShiftJis(std::string_view bytes);
// lossy, where given, tells whether some character has no Shift-JIS form
// and became "?" (never a look-alike: "é" is not taken for "e").
std::string ShiftJisFromWide(std::wstring_view text, bool* lossy = nullptr);

}  // namespace tavlin
