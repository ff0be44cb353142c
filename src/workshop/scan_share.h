// How many slogans a theme's three phrase files make, and how many of them
// scan 五・七・五: the product of the lines a generation draws from, and of
// those that fit their place.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "src/workshop/phrase_notes.h"

namespace tavlin {

struct ScanShare {
  std::uint64_t slogans = 0;
  std::uint64_t scanning = 0;
  bool operator==(const ScanShare&) const = default;
};

// Of the three files' notes, in the order upper, middle, lower. Products
// beyond 64 bits stop at the largest value.
ScanShare ScanShareOf(
    const std::array<std::vector<LineNote>, kPhrasePlaces>& notes);

// "五・七・五になる標語: 96 / 420（23%）", the share rounded to a whole
// percent.
std::string ScanShareText(const ScanShare& share);

}  // namespace tavlin
