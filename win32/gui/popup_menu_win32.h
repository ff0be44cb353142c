// Context menus built from the menu tables and shown at a point.
#pragma once

#include <windows.h>

#include <string_view>

namespace tavlin {

// Adds one item, with a separator before it where asked.
void AppendMenuItem(HMENU menu, bool separator_before, UINT flags, int command,
                    std::u16string_view caption);

// Shows a context menu of owner's at a point of the screen. The chosen
// command arrives as WM_COMMAND, as from any menu. A menu whose owner is
// not in front closes at the first input elsewhere.
void TrackMenuFor(HWND owner, HMENU menu, POINT at);

// Where a context menu asked for from the keyboard (at == -1) opens: the
// given point of control's client area; otherwise the mouse's point.
POINT MenuPoint(HWND control, LPARAM at, POINT keyboard_point);

}  // namespace tavlin
