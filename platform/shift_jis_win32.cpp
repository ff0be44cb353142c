#include <windows.h>

#include <climits>
#include <stdexcept>

#include "platform/shift_jis.h"

namespace {
constexpr UINT kShiftJis = 932;

int CheckedLength(std::size_t size) {
  if (size > INT_MAX) throw std::length_error("text too long to convert");
  return static_cast<int>(size);
}
}  // namespace

std::wstring WideFromShiftJis(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int source_size = CheckedLength(bytes.size());
  const int size =
      MultiByteToWideChar(kShiftJis, 0, bytes.data(), source_size, nullptr, 0);
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(kShiftJis, 0, bytes.data(), source_size, text.data(),
                      size);
  return text;
}

std::string ShiftJisFromWide(std::wstring_view text) {
  if (text.empty()) return {};
  const int source_size = CheckedLength(text.size());
  const int size = WideCharToMultiByte(kShiftJis, 0, text.data(), source_size,
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(kShiftJis, 0, text.data(), source_size, bytes.data(),
                      size, nullptr, nullptr);
  return bytes;
}
