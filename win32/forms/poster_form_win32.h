// The poster window: a slogan as a vertical A4 poster, previewed at the
// window's size, with an optional foot line and a choice of face, saved as
// a PNG at 300 dpi, printed or copied as a picture. Modal, built anew for
// every opening.
#pragma once

#include <windows.h>

#include <string>

#include "win32/gui/poster_drawing_win32.h"
#include "win32/gui/window_win32.h"
#include "win32/system/unique_handle_win32.h"

namespace tavlin {

class TPosterForm final : public Window {
 public:
  TPosterForm(HWND owner, std::u16string theme, std::u16string slogan);
  ~TPosterForm() override { DestroyNow(); }
  // Shows the window and handles input until it is closed.
  void ShowModal();

 private:
  LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l) override;
  void OnCommand(int id, int code, HWND control) override;
  void OnDpiChanged(const RECT& suggested) override;
  // The buttons' work, whether clicked or pressed by their shortcut.
  void RunButton(int id);

  void CreateControls();
  void ApplyLayout();
  void ApplyFont();
  void Paint();
  RECT PreviewArea() const;
  PosterText CurrentText() const;
  // The keys a dialog box would handle, and the window's shortcuts; true
  // when the message was used up.
  bool PreTranslateMessage(const MSG& message);
  // Whether the key came to the foot line with some of its text selected.
  bool FootTextSelected(const MSG& message) const;

  void SaveClick();
  void PrintClick();
  void CopyClick();

  HWND Control(int id) const { return GetDlgItem(hwnd(), id); }

  std::u16string theme_;
  std::u16string slogan_;
  UniqueFont font_;
  bool closed_ = false;
};

// Opens the poster window for slogan over owner, which takes no input
// meanwhile; returns when it has closed.
void ShowPosterForm(HWND owner, std::u16string theme, std::u16string slogan);

}  // namespace tavlin
