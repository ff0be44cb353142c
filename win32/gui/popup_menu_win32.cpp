#include "win32/gui/popup_menu_win32.h"

#include <windowsx.h>

#include <string>

#include "win32/system/wide_text_win32.h"

namespace tavlin {

void AppendMenuItem(HMENU menu, bool separator_before, UINT flags, int command,
                    std::u16string_view caption) {
  if (separator_before) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING | flags, static_cast<UINT_PTR>(command),
              WideCString(std::u16string(caption)));
}

void TrackMenuFor(HWND owner, HMENU menu, POINT at) {
  SetForegroundWindow(owner);
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x,
                 at.y, 0, owner, nullptr);
  PostMessageW(owner, WM_NULL, 0, 0);
}

POINT MenuPoint(HWND control, LPARAM at, POINT keyboard_point) {
  if (at != -1) return POINT{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  ClientToScreen(control, &keyboard_point);
  return keyboard_point;
}

}  // namespace tavlin
