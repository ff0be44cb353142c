// The information window: the program's version values, the operating
// system, live memory and process figures, and shell conveniences. Modal,
// built anew for every opening.
#pragma once

#include <windows.h>

#include <filesystem>
#include <map>
#include <string>

#include "src/ui/info_form_layout.h"
#include "win32/gui/window_win32.h"
#include "win32/system/status_win32.h"
#include "win32/system/unique_handle_win32.h"

namespace tavlin {

class TInfoForm final : public Window {
 public:
  // Creates the window hidden and fills it (FormCreate); rhythm_line says
  // why the rhythm meter is not shown, where it is not.
  TInfoForm(HWND owner, std::u16string rhythm_line);
  ~TInfoForm() override { DestroyNow(); }
  // Shows the window and handles input until it is closed.
  void ShowModal();

 private:
  LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l) override;
  void OnCommand(int id, int code, HWND control) override;
  void OnTimer(UINT_PTR id) override;

  void FormCreate();
  void FormShow();
  void FormPaint();
  void Timer1Timer();
  // Refreshes the nine status lines; true when any of them changed.
  bool UpdateStatus();
  void OnLabelClick(int id);
  void LblLaunchOnStartupClick(int id);
  void LblOpenStartupClick(int id);

  void CreateControls();
  void SizeToContents();
  HFONT FontOf(LabelFont font);
  HWND Label(int id) const;
  bool IsClickable(HWND control) const;

  HWND owner_;
  std::u16string rhythm_line_;
  HWND panel_ = nullptr;
  std::filesystem::path executable_;
  std::map<LabelFont, UniqueFont> fonts_;
  HICON icon_ = nullptr;
  StatusGatherer status_;
  NumberSeparators separators_;
  bool closed_ = false;
};

// Opens the information window modally over owner, which takes no input
// meanwhile; returns when it has closed. Errors reach the caller after the
// window is gone.
void ShowInfoForm(HWND owner, std::u16string rhythm_line = {});

}  // namespace tavlin
