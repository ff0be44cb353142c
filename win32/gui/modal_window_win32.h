// What makes a window modal: its owner takes no input while it is shown,
// and input is handled in a loop of its own until it closes.
#pragma once

#include <windows.h>

#include "win32/gui/error_report_win32.h"

namespace tavlin {

// The owner takes no input while this lives, and takes it again however the
// showing ends.
class OwnerDisabled {
 public:
  explicit OwnerDisabled(HWND owner) : owner_(owner) {
    EnableWindow(owner_, FALSE);
  }
  OwnerDisabled(const OwnerDisabled&) = delete;
  OwnerDisabled& operator=(const OwnerDisabled&) = delete;
  ~OwnerDisabled() {
    EnableWindow(owner_, TRUE);
    SetActiveWindow(owner_);
  }

 private:
  HWND owner_;
};

// Handles the thread's messages until closed turns true. Each message goes
// first to pre_translate(message), which returns true to stop it there. A
// quit met on the way is left for the main loop. A failure of a key's work
// is reported here, owned by the window it was meant for, and the window
// stays with everything in it: no exception leaves the loop.
template <typename PreTranslate>
void RunModalLoop(const bool& closed, PreTranslate&& pre_translate) {
  MSG message;
  while (!closed) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      PostQuitMessage(got == 0 ? static_cast<int>(message.wParam) : 1);
      break;
    }
    try {
      if (pre_translate(message)) continue;
    } catch (...) {
      ReportCurrentException(GetAncestor(message.hwnd, GA_ROOT));
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace tavlin
