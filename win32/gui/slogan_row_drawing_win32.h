// How one row of the slogan list is drawn, from the row itself.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "src/slogan/slogan_row.h"

namespace tavlin {

struct SloganRowLook {
  HFONT font;
  HFONT bold;  // for the parts held now
  COLORREF text;
  int indent;  // from the rectangle's left edge
};

// What stands at a row's right, never part of its text: its figures, in
// order from the left, in a colour quieter than the text.
struct SloganRowFigures {
  std::vector<std::u16string> shown;
  COLORREF colour = 0;
};

// Draws the row's text into rect on one line, centred vertically and cut
// off at the right: part by part where a part is held now (held_now), the
// held ones in bold, each behind the one before; otherwise as one text.
// The figures stand at the right and the text stops before them.
void DrawSloganRow(HDC dc, RECT rect, const SloganRow& row,
                   const std::array<bool, kPhrasePositions>& held_now,
                   const SloganRowLook& look,
                   const SloganRowFigures& figures = {});

}  // namespace tavlin
