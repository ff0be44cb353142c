#include "win32/gui/window_bounds_win32.h"

#include "src/ui/window_placement.h"

namespace tavlin {

namespace {

RECT CentredBounds(LayoutSize outer) {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const LayoutRect placed =
      CentredOnWorkArea({work.left, work.top, work.right, work.bottom}, outer);
  return RECT{placed.left, placed.top, placed.left + placed.width,
              placed.top + placed.height};
}

}  // namespace

RECT CentredWindowBounds(LayoutSize client, DWORD style, DWORD ex_style) {
  RECT outer{0, 0, client.width, client.height};
  AdjustWindowRectEx(&outer, style, FALSE, ex_style);
  return CentredBounds({outer.right - outer.left, outer.bottom - outer.top});
}

void CentreOnWorkArea(HWND window) {
  RECT outer{};
  GetWindowRect(window, &outer);
  const RECT centred =
      CentredBounds({outer.right - outer.left, outer.bottom - outer.top});
  SetWindowPos(window, nullptr, centred.left, centred.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tavlin
