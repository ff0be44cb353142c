// UTF-16 text as the program's core reads it: code point by code point, its
// characters and spaces, and turned into UTF-8 for files that want it.
#pragma once

#include <cstring>
#include <string>
#include <string_view>

namespace tavlin {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Whether two texts are the same, unit for unit, compared as bytes: a list
// of megabytes is compared at the speed of memory, which the standard
// library's unit-by-unit loop for char16_t is not.
inline bool SameText(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         (a.empty() ||
          std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0);
}

struct CodePointAt {
  char32_t c = 0;
  std::size_t units = 0;  // 2 for a surrogate pair
};

// The code point that starts at text[i], i within text: a surrogate pair is
// one code point, and a surrogate without its partner is
// kReplacementCharacter.
constexpr CodePointAt ReadCodePoint(std::u16string_view text, std::size_t i) {
  const char16_t unit = text[i];
  const bool lead = unit >= 0xD800 && unit <= 0xDBFF;
  const bool trail = unit >= 0xDC00 && unit <= 0xDFFF;
  if (lead && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
      text[i + 1] <= 0xDFFF)
    return {0x10000 + ((char32_t{unit} - 0xD800) << 10) +
                (char32_t{text[i + 1]} - 0xDC00),
            2};
  return {lead || trail ? kReplacementCharacter : char32_t{unit}, 1};
}

// Calls on_code_point(c) for each code point of text in order, as
// ReadCodePoint reads them.
template <typename OnCodePoint>
void ForEachCodePoint(std::u16string_view text, OnCodePoint&& on_code_point) {
  for (std::size_t i = 0; i < text.size();) {
    const CodePointAt at = ReadCodePoint(text, i);
    on_code_point(at.c);
    i += at.units;
  }
}

// Calls on_line(line) for each line of text, in order: a line ends at CR,
// LF or CR LF, and a line end at the very end adds no empty line. The lines
// are views into text.
template <typename OnLine>
void ForEachTextLine(std::u16string_view text, OnLine&& on_line) {
  std::size_t begin = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') continue;
    on_line(text.substr(begin, i - begin));
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    begin = i + 1;
  }
  if (begin < text.size()) on_line(text.substr(begin));
}

// The characters of a text as a reader counts them: a surrogate pair, or a
// surrogate on its own, is one.
std::size_t CharacterCount(std::u16string_view text);

// The spaces that part the words of Japanese text: ASCII and ideographic
// spaces and tabs.
constexpr bool IsSpaceCharacter(char32_t c) {
  return c == U' ' || c == U'\t' || c == U'\u3000';
}

// text without the spaces at either end.
std::u16string_view TrimSpaces(std::u16string_view text);

std::string Utf8FromU16(std::u16string_view text);

// Appends a code point to UTF-16 text: a surrogate pair beyond U+FFFF.
void AppendCodePoint(std::u16string& text, char32_t c);

}  // namespace tavlin
