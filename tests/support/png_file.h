// Writes 24-bit RGB images as PNG files, uncompressed, for screenshots that
// a person can look at.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace tavlin {

// rgb holds width * height pixels, three bytes each, top row first.
void WritePng(const std::filesystem::path& file, int width, int height,
              const std::vector<std::uint8_t>& rgb);

}  // namespace tavlin
