// How one row of the slogan list is drawn, from the row itself.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "src/slogan/slogan_row.h"

namespace tavlin {

struct SloganRowLook {
  HFONT font;
  HFONT bold;  // for the parts held now
  COLORREF text;
  int indent;  // from the rectangle's left edge
};

// The rhythm meter at a row's right: its figures, never part of its text.
struct SloganRowMeter {
  std::u16string figures;  // "5・7・5"
  bool scans = false;      // 五・七・五, marked ◎
  COLORREF colour = 0;     // quieter than the text
};

// Draws the row's text into rect on one line, centred vertically and cut
// off at the right: part by part where a part is held now (held_now), the
// held ones in bold, each behind the one before; otherwise as one text.
// A meter, where given, stands at the right and the text stops before it.
void DrawSloganRow(HDC dc, RECT rect, const SloganRow& row,
                   const std::array<bool, kPhrasePositions>& held_now,
                   const SloganRowLook& look,
                   const SloganRowMeter* meter = nullptr);

}  // namespace tavlin
