// The program's bitmaps hold 32 bits a pixel (blue, green, red, unused);
// pictures handed to files and other programs take rows of three bytes a
// pixel, each row padded to four bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tavlin {

inline std::size_t Bgr24Stride(int width) {
  return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
}

// Packs one row of width 32-bit pixels into three bytes each.
inline void PackBgr24Row(const std::uint8_t* from, std::uint8_t* to,
                         int width) {
  for (int x = 0; x < width; ++x, from += 4, to += 3) std::memcpy(to, from, 3);
}

}  // namespace tavlin
