// The main window's keyboard: the command table's keys, and what a dialog
// box would do for it.
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "src/ui/main_form_layout.h"
#include "win32/forms/main_form_win32.h"
#include "win32/gui/error_report_win32.h"

namespace tavlin {

bool TMainForm::PreTranslateMessage(const MSG& message) {
  if ((message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) ||
      !hwnd() || (message.hwnd != hwnd() && !IsChild(hwnd(), message.hwnd)))
    return false;
  // Run from the message loop, outside any window procedure: a failure is
  // caught here as it would be there.
  try {
    return HandleKey(message);
  } catch (...) {
    ReportCurrentException(hwnd());
    return true;
  }
}

bool TMainForm::HandleKey(const MSG& message) {
  const bool control = GetKeyState(VK_CONTROL) < 0;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool alt = message.message == WM_SYSKEYDOWN;
  const unsigned modifiers =
      (control ? kCtrl : 0u) | (shift ? kShift : 0u) | (alt ? kAlt : 0u);
  // The command table's keys first: each names its command and where the
  // focus must be for it.
  if (const std::optional<int> command =
          CommandOfKey(static_cast<std::uint16_t>(message.wParam), modifiers,
                       FocusOf(message.hwnd))) {
    EnterComApartment();
    Dispatch(*command);
    return true;
  }
  // Then what a dialog box does: Tab in tab order, Enter on a button.
  if (message.wParam == VK_TAB && !control && !alt) {
    MoveFocus(shift);
    return true;
  }
  if (message.wParam == VK_RETURN && modifiers == 0) {
    const int id = GetDlgCtrlID(message.hwnd);
    if (id == kBitBtn1 || id == kBitBtn2) {
      SendMessageW(message.hwnd, BM_CLICK, 0, 0);
      return true;
    }
  }
  return false;
}

FocusPlace TMainForm::FocusOf(HWND focus) const {
  if (boxes_->IsStorageBox(focus)) return kOnStorageBox;
  switch (GetDlgCtrlID(focus)) {
    case kListBox1:
      return kOnSloganList;
    case kPageControl1:
      return kOnTabs;
    default:
      return kOnOtherControl;
  }
}

void TMainForm::MoveFocus(bool backwards) {
  std::vector<HWND> order;
  for (MainFormControl id : kMainFormTabOrder) {
    // The storage boxes take turns in one place of the order, the one
    // kActiveStorageBox names: the active page's box stands there.
    HWND control = id == kActiveStorageBox ? boxes_->ActiveBox() : Control(id);
    if (IsWindowVisible(control) && IsWindowEnabled(control))
      order.push_back(control);
  }
  if (order.empty()) return;
  HWND focus = GetFocus();
  std::size_t at = order.size() - 1;
  for (std::size_t i = 0; i < order.size(); ++i)
    if (order[i] == focus) at = i;
  const std::size_t next = backwards ? (at + order.size() - 1) % order.size()
                                     : (at + 1) % order.size();
  // A storage box keeps its selection: with everything selected, one
  // keystroke would replace the whole list.
  SetFocus(order[next]);
}

}  // namespace tavlin
