// What a window that shows lists kept in files does when asked to close:
// every list saved first, while the window still shows, so that a list
// that can be saved nowhere keeps the window and its text unless the user
// gives up trying.
#pragma once

#include <windows.h>

#include "src/app/list_saving.h"

namespace tavlin {

class CloseSaving {
 public:
  // True once every list is where it belongs, or safe elsewhere, and what
  // the saves had to tell is told over window: it may close. False where
  // it stays: another copy holds a lock (lists asks it to close again once
  // free), the user gave up trying, or this close came while the question
  // of an earlier one shows.
  bool SaveEveryList(HWND window, ListSaving& lists);

 private:
  bool asking_to_retry_ = false;
};

}  // namespace tavlin
