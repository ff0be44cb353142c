#include "win32/gui/modal_form_win32.h"

#include <utility>

#include "win32/gui/control_rows_win32.h"
#include "win32/gui/modal_window_win32.h"

namespace tavlin {

namespace {

constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;

}  // namespace

void ModalForm::Open(const wchar_t* class_name, LayoutSize client,
                     HWND owner) {
  CreateCentredForm(class_name, kFormStyle, WS_EX_DLGMODALFRAME, client, owner);
}

void ModalForm::MakeRows(std::span<const FormRow> rows, int default_id,
                         UniqueFont font) {
  font_ = std::move(font);
  for (const FormRow& row : rows) {
    HWND control = CreateControl(hwnd(), row.id, row.kind,
                                 ScaleForDpi(row.rect, dpi()), row.caption,
                                 row.id == default_id ? BS_DEFPUSHBUTTON : 0);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()),
                 FALSE);
  }
}

void ModalForm::RunUntilClosed(int focus_id) {
  ShowWindow(hwnd(), SW_SHOW);
  SetFocus(GetDlgItem(hwnd(), focus_id));
  RunModalLoop(closed_, [&](const MSG& message) {
    return IsDialogMessageW(hwnd(), const_cast<MSG*>(&message)) != FALSE;
  });
}

LRESULT ModalForm::HandleMessage(UINT message, WPARAM w, LPARAM l) {
  if (message == WM_CLOSE) {
    closed_ = true;
    return 0;
  }
  return Window::HandleMessage(message, w, l);
}

}  // namespace tavlin
