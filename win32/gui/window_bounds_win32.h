// Where the program's windows open: centred on the work area of the
// primary display, the taskbar left clear.
#pragma once

#include <windows.h>

#include "src/ui/layout.h"

namespace tavlin {

// The outer bounds of a window with a client area of the given size and
// the given styles, centred on the work area.
RECT CentredWindowBounds(LayoutSize client, DWORD style, DWORD ex_style);

// Moves a window to the centre of the work area; its size stays.
void CentreOnWorkArea(HWND window);

}  // namespace tavlin
