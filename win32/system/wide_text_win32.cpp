#include "win32/system/wide_text_win32.h"

#include "win32/system/code_page_win32.h"

namespace tavlin {

std::wstring WideFromUtf8(std::string_view text) {
  return WideFromCodePage(CP_UTF8, text);
}

std::string Utf8FromWide(std::wstring_view text) {
  return CodePageFromWide(CP_UTF8, text);
}

std::wstring WindowTextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1,
                    L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace tavlin
