// How the phrase workshop's margin is drawn, from the rows of its model.
#pragma once

#include <windows.h>

#include <vector>

#include "src/workshop/workshop_margin.h"

namespace tavlin {

struct WorkshopMarginLook {
  HFONT font;  // the box's, so that a row stands level with its line
  COLORREF background;
  COLORREF plain;    // figures of a line as it should be
  COLORREF warning;  // figures that ask the writer to look
  int line_height;
  int indent;  // from the right edge
};

// The height of a line of font as window's device shows it: the
// spacing of a text box's lines.
int LineHeightOf(HWND window, HFONT font);

// Fills rect and draws each row's figures right-aligned at its top within
// rect, the last figure rightmost, spaced as they are read.
void DrawWorkshopMargin(HDC dc, const RECT& rect,
                        const std::vector<MarginRow>& rows,
                        const WorkshopMarginLook& look);

}  // namespace tavlin
