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

POINT ContextMenuPoint(LPARAM l) { return {GET_X_LPARAM(l), GET_Y_LPARAM(l)}; }

POINT MenuPoint(HWND control, POINT at, POINT keyboard_point) {
  if (!FromTheKeyboard(at)) return at;
  ClientToScreen(control, &keyboard_point);
  return keyboard_point;
}

}  // namespace tavlin
