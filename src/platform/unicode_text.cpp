#include "src/platform/unicode_text.h"

namespace tavlin {

std::size_t CharacterCount(std::u16string_view text) {
  std::size_t count = 0;
  ForEachCodePoint(text, [&](char32_t) { ++count; });
  return count;
}

void AppendCodePoint(std::u16string& text, char32_t c) {
  if (c >= 0x10000) {
    text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
    text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
  } else {
    text += static_cast<char16_t>(c);
  }
}

std::u16string_view TrimSpaces(std::u16string_view text) {
  while (!text.empty() && IsSpaceCharacter(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpaceCharacter(text.back())) text.remove_suffix(1);
  return text;
}

std::string Utf8FromU16(std::u16string_view text) {
  // Room for the bytes, counted: a list of megabytes never holds three
  // times its size.
  std::size_t length = 0;
  for (const char16_t unit : text)
    length += unit < 0x80 ? 1 : unit < 0x800 ? 2 : 3;
  std::string utf8;
  utf8.reserve(length);
  ForEachCodePoint(text, [&](char32_t c) {
    const auto byte = [&](char32_t bits) {
      utf8.push_back(static_cast<char>(bits));
    };
    if (c < 0x80) {
      byte(c);
    } else if (c < 0x800) {
      byte(0xC0 | (c >> 6));
      byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      byte(0xE0 | (c >> 12));
      byte(0x80 | ((c >> 6) & 0x3F));
      byte(0x80 | (c & 0x3F));
    } else {
      byte(0xF0 | (c >> 18));
      byte(0x80 | ((c >> 12) & 0x3F));
      byte(0x80 | ((c >> 6) & 0x3F));
      byte(0x80 | (c & 0x3F));
    }
  });
  return utf8;
}

}  // namespace tavlin
