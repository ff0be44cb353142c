// The one drawing of a slogan's vertical poster, for the preview, the PNG
// file, the printer and the clipboard alike.
#pragma once

#include <windows.h>

#include <string>

#include "src/ui/poster_layout.h"
#include "win32/system/unique_handle_win32.h"

namespace tavlin {

struct PosterText {
  std::u16string slogan;
  std::u16string footer;  // the optional line at the foot
  bool gothic = false;    // a Gothic face rather than a Mincho one
};

// Draws the page, white, into page_area of the device context.
void DrawPoster(HDC dc, const RECT& page_area, const PosterText& text);

// The poster drawn on a bitmap of the page's size, 32 bits a pixel, top row
// first; pixels points at its bits.
struct PosterBitmap {
  UniqueGdiObject bitmap;
  const void* pixels = nullptr;
  PosterPage page;
};
PosterBitmap RenderPoster(PosterPage page, const PosterText& text);

}  // namespace tavlin
