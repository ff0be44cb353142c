// How one row of the slogan list is drawn, from the row itself.
#pragma once

#include <windows.h>

#include <array>

#include "src/slogan/slogan_row.h"

namespace tavlin {

struct SloganRowLook {
  HFONT font;
  HFONT bold;  // for the parts held now
  COLORREF text;
  int indent;  // from the rectangle's left edge
};

// Draws the row's text into rect on one line, centred vertically and cut
// off at the right: part by part where a part is held now (held_now), the
// held ones in bold, each behind the one before; otherwise as one text.
void DrawSloganRow(HDC dc, RECT rect, const SloganRow& row,
                   const std::array<bool, kPhrasePositions>& held_now,
                   const SloganRowLook& look);

}  // namespace tavlin
