// The line rule of phrase files: how a file's bytes become lines, and which
// lines are blank.
#pragma once

#include <cstddef>
#include <string_view>

namespace tavlin {

// A line whose bytes are all 0x20 or lower, the empty line included.
inline bool IsBlankLine(std::string_view line) {
  for (const char c : line)
    if (static_cast<unsigned char>(c) > 0x20) return false;
  return true;
}

// Calls on_line(begin, length) for each line of bytes, in order. A line ends
// at CR, LF or CR LF; a zero byte ends the text; a line end at the very end
// adds no empty line. Shift-JIS trail bytes are never 0x00, 0x0A or 0x0D, so
// no character is split. This is the rule stated plainly, byte by byte; the
// phrase index follows it a block at a time, and the tests hold the two
// together.
template <typename OnLine>
void ForEachLine(std::string_view bytes, OnLine&& on_line) {
  std::size_t begin = 0;
  std::size_t i = 0;
  for (; i < bytes.size() && bytes[i] != '\0'; ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') continue;
    on_line(begin, i - begin);
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    begin = i + 1;
  }
  if (i > begin) on_line(begin, i - begin);
}

}  // namespace tavlin
