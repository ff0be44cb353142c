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

// The point of the screen that WM_CONTEXTMENU carries: -1, -1 when the
// menu was asked for from the keyboard.
POINT ContextMenuPoint(LPARAM l);
inline bool FromTheKeyboard(POINT at) { return at.x == -1 && at.y == -1; }

// Where a context menu asked for from the keyboard opens: the given point
// of control's client area; otherwise the mouse's point.
POINT MenuPoint(HWND control, POINT at, POINT keyboard_point);

}  // namespace tavlin
