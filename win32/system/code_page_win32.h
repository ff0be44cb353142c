// Conversion between the bytes of one code page and UTF-16, with a clear
// error for texts beyond what the system calls take.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tavlin {

std::wstring WideFromCodePage(UINT code_page, std::string_view bytes);
// lossy, where given, tells whether some character had no form in the code
// page, so that the bytes do not convert back to the same text.
std::string CodePageFromWide(UINT code_page, std::wstring_view text,
                             bool* lossy = nullptr);

}  // namespace tavlin
