#include "win32/system/code_page_win32.h"

#include <climits>

#include "src/platform/messages.h"
#include "src/platform/tavlin_error.h"

namespace tavlin {

namespace {

int CheckedLength(std::size_t size) {
  if (size > INT_MAX) throw TavlinError(kTextTooLargeToConvert);
  return static_cast<int>(size);
}

}  // namespace

std::wstring WideFromCodePage(UINT code_page, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int source = CheckedLength(bytes.size());
  const int size =
      MultiByteToWideChar(code_page, 0, bytes.data(), source, nullptr, 0);
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(code_page, 0, bytes.data(), source, text.data(), size);
  return text;
}

std::string CodePageFromWide(UINT code_page, std::wstring_view text,
                             bool* lossy) {
  if (lossy) *lossy = false;
  if (text.empty()) return {};
  const int source = CheckedLength(text.size());
  // No best fit: "é" must not quietly become "e". UTF-8 takes no flags.
  const DWORD flags = code_page == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const int size = WideCharToMultiByte(code_page, flags, text.data(), source,
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(code_page, flags, text.data(), source, bytes.data(), size,
                      nullptr, nullptr);
  // Whatever does not come back the same was not held, whether the system
  // replaced it by its default character or by a look-alike.
  if (lossy) *lossy = WideFromCodePage(code_page, bytes) != text;
  return bytes;
}

}  // namespace tavlin
