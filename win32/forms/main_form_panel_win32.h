// The main window's panel under the buttons: drawn in the face colour of
// buttons, whatever the system gives a static control.
#pragma once

#include <windows.h>

namespace tavlin {

// The answer to the panel's WM_CTLCOLORSTATIC: its colours set in dc and
// the brush it is filled with.
inline LRESULT PanelColours(HDC dc) {
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace tavlin
