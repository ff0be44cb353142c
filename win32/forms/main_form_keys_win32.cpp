// The main window's keyboard: what a dialog box would do for it, and the
// slogan list's own keys.
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
  if (message.message == WM_SYSKEYDOWN) {
    // Alt+← and Alt+→ page through the page's generations, as a browser
    // does; a storage box keeps its own keys.
    const bool back = message.wParam == VK_LEFT;
    if ((!back && message.wParam != VK_RIGHT) ||
        boxes_->IsStorageBox(message.hwnd))
      return false;
    if (back)
      slogans_->ShowEarlier(hwnd());
    else
      slogans_->ShowLater(hwnd());
    return true;
  }
  const bool control = GetKeyState(VK_CONTROL) < 0;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  if (message.wParam == VK_TAB) {
    if (control) {
      const int id = GetDlgCtrlID(message.hwnd);
      if (id != kPageControl1 && !boxes_->IsStorageBox(message.hwnd))
        return false;
      SwitchPage(shift ? -1 : 1);
    } else {
      MoveFocus(shift);
    }
    return true;
  }
  if (control && !shift && message.wParam == 'E') {
    OpenWorkshop();
    return true;
  }
  if (control && !shift && message.wParam == 'T') {
    EnterComApartment();
    boxes_->TallyVotesOfActiveList();
    return true;
  }
  if (message.hwnd == Control(kListBox1)) {
    if (message.wParam == VK_RETURN) {
      ListBox1DblClick();
      return true;
    }
    if (control && message.wParam == 'C') {
      slogans_->CopySelected(hwnd());
      return true;
    }
  }
  if (message.wParam == VK_RETURN) {
    const int id = GetDlgCtrlID(message.hwnd);
    if (id == kBitBtn1 || id == kBitBtn2) {
      SendMessageW(message.hwnd, BM_CLICK, 0, 0);
      return true;
    }
  }
  return false;
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

void TMainForm::SwitchPage(int step) {
  HWND tabs = Control(kPageControl1);
  const int pages =
      static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
  if (pages <= 0) return;
  const int next = (ActivePageIndex() + step + pages) % pages;
  SendMessageW(tabs, TCM_SETCURSEL, next, 0);
  PageControl1Change();
}

}  // namespace tavlin
