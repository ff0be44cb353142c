// The main window's font, which every control of it uses: ＭＳ ゴシック at
// 13 pixels for 96 dots per inch, scaled to the window's.
#pragma once

#include <windows.h>

#include "src/ui/layout.h"
#include "win32/system/unique_handle_win32.h"

namespace tavlin {

inline UniqueFont CreateMainFormFont(int dpi, int weight) {
  constexpr int kFontHeight = -13;
  return UniqueFont(CreateFontW(
      ScaleForDpi(kFontHeight, dpi), 0, 0, 0, weight, FALSE, FALSE, FALSE,
      SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
      DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"ＭＳ ゴシック"));
}

}  // namespace tavlin
