// The line rule of phrase files: how a file's bytes become lines, and which
// lines are blank.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// A line whose bytes are all 0x20 or lower, the empty line included.
inline bool IsBlankLine(std::string_view line) {
  for (const char c : line)
    if (static_cast<unsigned char>(c) > 0x20) return false;
  return true;
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
  std::size_t i = 0;
  for (;;) {
    // Eight bytes at a time past those that cannot end a line (all above
    // 0x0D): a word with no byte below 0x0E has no CR, LF or zero byte.
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    while (i + 8 <= size) {
      std::uint64_t word;
      std::memcpy(&word, data + i, 8);
      if (((word - kOnes * 0x0E) & ~word & kHighBits) != 0) break;
      i += 8;
    }
    const std::size_t stop = std::min(size, i + 8);
    bool ended = false;
    for (; i < stop; ++i) {
      const unsigned char c = static_cast<unsigned char>(data[i]);
      if (c > 0x0D) continue;
      if (c == 0x00) {
        ended = true;
        break;
      }
      if (c != 0x0A && c != 0x0D) continue;
      on_line(begin, i - begin);
      if (c == 0x0D && i + 1 < size && data[i + 1] == 0x0A) ++i;
      begin = i + 1;
    }
    if (ended || i >= size) break;
  }
  if (i > begin) on_line(begin, i - begin);
}
