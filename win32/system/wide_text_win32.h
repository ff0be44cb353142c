// The portable core keeps UTF-16 as std::u16string; Windows calls take
// wchar_t, which is the same 16-bit unit there.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tavlin {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline std::wstring WideOf(std::u16string_view text) {
  return std::wstring(text.begin(), text.end());
}

inline std::u16string U16Of(std::wstring_view text) {
  return std::u16string(text.begin(), text.end());
}

// UTF-8 (the core's messages) to UTF-16 and back, lossless.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

// The text of a window or control of this process.
std::wstring WindowTextOf(HWND window);

}  // namespace tavlin
