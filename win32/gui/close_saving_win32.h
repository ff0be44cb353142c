// What a window that shows lists kept in files does when asked to close:
// every list saved first, while the window still shows, so that a list
// that can be saved nowhere keeps the window and its text unless the user
// gives up trying.
#pragma once

#include <windows.h>

#include "src/app/list_saving.h"

namespace tavlin {

// The messages every window of lists answers alike: saves_done, posted
// when saves beside the window have results, and the end of a Windows
// session, when every list is saved or set aside at once, since Windows
// may end the process without destroying the window and no question can
// be asked. True where message was one of them, its answer in result.
bool AnswerListMessage(HWND window, ListSaving& lists, UINT saves_done,
                       UINT message, WPARAM w, LRESULT& result);

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
