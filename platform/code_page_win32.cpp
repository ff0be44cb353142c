#include "platform/code_page_win32.h"

#include <climits>
#include <stdexcept>

namespace {

int CheckedLength(std::size_t size) {
  if (size > INT_MAX) throw std::length_error("text too long to convert");
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
  const int size = WideCharToMultiByte(code_page, 0, text.data(), source,
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  BOOL replaced = FALSE;
  WideCharToMultiByte(code_page, 0, text.data(), source, bytes.data(), size,
                      nullptr, lossy ? &replaced : nullptr);
  if (lossy) *lossy = replaced != FALSE;
  return bytes;
}
