// PNG files made by the system's Windows Imaging Component, so that the
// program needs no image library of its own.
#pragma once

#include <string>

namespace tavlin {

// The PNG bytes of a bitmap of 32 bits a pixel (blue, green, red, unused),
// top row first, marked with the given dots per inch. Throws TavlinError
// when the system cannot make them.
std::string EncodePng(const void* pixels, int width, int height, int dpi);

}  // namespace tavlin
