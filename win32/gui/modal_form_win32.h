// A small modal window of the program's: a fixed table of standard
// controls in the font its form gives, keyboard handling as in a dialog
// box (Tab, Enter for the default button, Esc for キャンセル), and a loop
// of its own until it closes.
#pragma once

#include <windows.h>

#include <span>
#include <string_view>

#include "src/ui/layout.h"
#include "win32/gui/window_win32.h"
#include "win32/system/unique_handle_win32.h"

namespace tavlin {

struct FormRow {
  int id;
  ControlKind kind;
  LayoutRect rect;  // at 96 pixels per inch
  std::u16string_view caption;
};

class ModalForm : public Window {
 protected:
  ModalForm() = default;
  ~ModalForm() override { DestroyNow(); }

  // Creates the window, centred, with a client area of client at 96 dpi;
  // the derived form's WM_CREATE makes its controls.
  void Open(const wchar_t* class_name, LayoutSize client, HWND owner);
  // In WM_CREATE: the rows' controls in font, which the form keeps,
  // default_id the default button.
  void MakeRows(std::span<const FormRow> rows, int default_id,
                UniqueFont font);
  // Shows the form, focus on focus_id, until closed_ turns true.
  void RunUntilClosed(int focus_id);

  LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l) override;

  bool closed_ = false;

 private:
  UniqueFont font_;
};

}  // namespace tavlin
