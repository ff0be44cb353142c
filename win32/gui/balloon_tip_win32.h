// A balloon that points at a control and says one thing for a moment,
// without a message box: a tracking tooltip, which every Windows version
// and Wine show.
#pragma once

#include <windows.h>

#include <string>

namespace tavlin {

class BalloonTip {
 public:
  BalloonTip() = default;
  BalloonTip(const BalloonTip&) = delete;
  BalloonTip& operator=(const BalloonTip&) = delete;
  ~BalloonTip();

  // Shows text at the top of control; owner is the control's window.
  void Show(HWND owner, HWND control, const std::wstring& text);
  void Hide();

 private:
  HWND tip_ = nullptr;
  HWND owner_ = nullptr;
  std::wstring text_;  // the tool's text lives as long as the tool
};

}  // namespace tavlin
