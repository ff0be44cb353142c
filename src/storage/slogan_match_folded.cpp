#include <cstdint>

#include "src/storage/slogan_match.h"

namespace tavlin {

namespace {

bool IsLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// A character as one number: a single byte, or lead byte * 256 + trail byte.
std::uint32_t FoldCase(std::uint32_t c) {
  if (c >= 'A' && c <= 'Z') return c + ('a' - 'A');
  if (c >= 0x8260 && c <= 0x8279) return c + 0x21;  // Ａ-Ｚ to ａ-ｚ
  if (c >= 0x839F && c <= 0x83B6) return c + 0x20;  // Α-Ω to α-ω
  if (c >= 0x8440 && c <= 0x8460) {
    // А-Я to а-я: the lower row skips the trail byte 0x7F.
    const std::uint32_t index = c - 0x8440;
    return 0x8470 + index + (index >= 15 ? 1 : 0);
  }
  return c;
}

std::uint32_t NextCharacter(std::string_view text, std::size_t& i) {
  const unsigned char lead = static_cast<unsigned char>(text[i++]);
  if (IsLeadByte(lead) && i < text.size())
    return lead * 256u + static_cast<unsigned char>(text[i++]);
  return lead;
}

}  // namespace

bool FoldedShiftJisEqual(std::string_view a, std::string_view b) {
  // Folding keeps every character's byte length.
  if (a.size() != b.size()) return false;
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size()) {
    if (FoldCase(NextCharacter(a, i)) != FoldCase(NextCharacter(b, j)))
      return false;
  }
  return i == j;
}

}  // namespace tavlin
