#include "win32/gui/work_beside_win32.h"

#include <exception>
#include <thread>

#include "win32/gui/modal_window_win32.h"
#include "win32/system/unique_handle_win32.h"

namespace tavlin {

namespace {

// Handles the thread's messages until done is set. A quit met on the way
// is posted again for the main loop, once the waiting is over.
void HandleMessagesUntil(HANDLE done) {
  bool quit = false;
  int exit_code = 0;
  while (MsgWaitForMultipleObjectsEx(1, &done, INFINITE, QS_ALLINPUT,
                                     MWMO_INPUTAVAILABLE) != WAIT_OBJECT_0) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        quit = true;
        exit_code = static_cast<int>(message.wParam);
        continue;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  if (quit) PostQuitMessage(exit_code);
}

}  // namespace

void WorkBesideWindow(HWND owner, const std::function<void()>& work) {
  const UniqueKernelObject done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!done) {
    work();
    return;
  }
  const OwnerDisabled disabled(owner);
  const HCURSOR cursor = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  std::exception_ptr failure;
  std::thread worker([&] {
    try {
      work();
    } catch (...) {
      failure = std::current_exception();
    }
    SetEvent(done.get());
  });
  HandleMessagesUntil(done.get());
  worker.join();
  SetCursor(cursor);
  if (failure) std::rethrow_exception(failure);
}

}  // namespace tavlin
