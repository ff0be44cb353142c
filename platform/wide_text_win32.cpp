#include "platform/wide_text_win32.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

namespace {
int CheckedLength(std::size_t size) {
  if (size > INT_MAX) throw std::length_error("text too long to convert");
  return static_cast<int>(size);
}
}  // namespace

std::wstring WideFromUtf8(std::string_view text) {
  if (text.empty()) return {};
  const int source = CheckedLength(text.size());
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), source, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), source, wide.data(), size);
  return wide;
}

std::string Utf8FromWide(std::wstring_view text) {
  if (text.empty()) return {};
  const int source = CheckedLength(text.size());
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), source, nullptr,
                                       0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), source, utf8.data(), size,
                      nullptr, nullptr);
  return utf8;
}
