// The line rule of phrase files: how a file's bytes become lines, and which
// lines are blank.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace tavlin {

// A line whose bytes are all 0x20 or lower, the empty line included.
inline bool IsBlankLine(std::string_view line) {
  for (const char c : line)
    if (static_cast<unsigned char>(c) > 0x20) return false;
  return true;
}

// The high bit of each byte of word that equals c, and no other bit.
constexpr std::uint64_t BytesEqualTo(std::uint64_t word, unsigned char c) {
  constexpr std::uint64_t kLowSevenBits = 0x7F7F7F7F7F7F7F7Fu;
  const std::uint64_t x = word ^ (0x0101010101010101u * c);
  return ~(((x & kLowSevenBits) + kLowSevenBits) | x | kLowSevenBits);
}

// Calls on_line(begin, length) for each line of bytes, in order. A line ends
// at CR, LF or CR LF; a zero byte ends the text; a line end at the very end
// adds no empty line. Shift-JIS trail bytes are never 0x00, 0x0A or 0x0D, so
// no character is split.
template <typename OnLine>
void ForEachLine(std::string_view bytes, OnLine&& on_line) {
  const char* const data = bytes.data();
  const std::size_t size = bytes.size();
  std::size_t begin = 0;
  // One byte of CR, LF or zero at position at; false once the text ends.
  const auto line_end = [&](std::size_t at) {
    const char c = data[at];
    if (c == '\0') return false;
    if (at < begin) return true;  // the LF of a CR LF already taken
    on_line(begin, at - begin);
    begin = at + 1;
    if (c == '\r' && at + 1 < size && data[at + 1] == '\n') ++begin;
    return true;
  };
  std::size_t i = 0;
  // Eight bytes at a time: a mask marks the CR, LF and zero bytes of each
  // word, and only those are looked at.
  for (; i + 8 <= size; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, data + i, 8);
    std::uint64_t ends = BytesEqualTo(word, '\r') | BytesEqualTo(word, '\n') |
                         BytesEqualTo(word, 0);
    for (; ends != 0; ends &= ends - 1) {
      const std::size_t at =
          i + static_cast<std::size_t>(std::countr_zero(ends)) / 8;
      if (!line_end(at)) {
        if (at > begin) on_line(begin, at - begin);
        return;
      }
    }
  }
  for (; i < size; ++i) {
    const char c = data[i];
    if (c != '\r' && c != '\n' && c != '\0') continue;
    if (!line_end(i)) break;
  }
  const std::size_t end = i < size ? i : size;
  if (end > begin) on_line(begin, end - begin);
}

}  // namespace tavlin
