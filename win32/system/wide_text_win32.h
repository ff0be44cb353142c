// The portable core keeps UTF-16 as std::u16string; Windows calls take
// wchar_t, which is the same 16-bit UTF-16 unit there. These see the one
// text as the other type without copying it; only Windows itself reads
// through the cast pointers.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tavlin {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline std::wstring_view AsWide(std::u16string_view text) noexcept {
  return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
}

inline std::u16string_view AsU16(std::wstring_view text) noexcept {
  return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

// The terminated text for calls that take a C string, and its buffer for
// calls that change text in place. A view is made terminated for one call
// by WideCString(std::u16string(view)): the copy lives to the statement's
// end.
inline const wchar_t* WideCString(const std::u16string& text) noexcept {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline wchar_t* WideBuffer(std::u16string& text) noexcept {
  return reinterpret_cast<wchar_t*>(text.data());
}

// UTF-8 (the core's messages) to UTF-16 and back, lossless.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

// The text of a window or control of this process.
std::wstring WindowTextOf(HWND window);

}  // namespace tavlin
