// The owner of a modal window takes no input while the window is shown,
// and takes it again however the showing ends.
#pragma once

#include <windows.h>

namespace tavlin {

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

}  // namespace tavlin
