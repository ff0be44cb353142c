// Conversion between the bytes of one code page and UTF-16, with a clear
// error for texts beyond what the system calls take.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

std::wstring WideFromCodePage(UINT code_page, std::string_view bytes);
std::string CodePageFromWide(UINT code_page, std::wstring_view text);
