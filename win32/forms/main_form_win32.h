// The main window: the theme pages, the generate and version buttons, the
// list of fresh slogans and each theme's storage list.
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

#include "src/slogan/phrase_list.h"
#include "src/storage/storage_places.h"
#include "src/ui/layout.h"
#include "src/ui/main_form_layout.h"
#include "win32/gui/window_win32.h"
#include "win32/system/unique_handle_win32.h"

namespace tavlin {

class TMainForm final : public Window {
 public:
  // Creates the window hidden and runs FormCreate.
  TMainForm();
  ~TMainForm() override { DestroyNow(); }

  // Shows the window centred on the desktop, as the program was asked to
  // show (maximised or minimised from a shortcut, for instance).
  void Show(int show_command);

  // The keyboard work that a dialog box would do: Tab and Shift+Tab in tab
  // order, Ctrl+Tab between pages, Enter on a button. True when the message
  // was used up.
  bool PreTranslateMessage(const MSG& message);

 private:
  // One theme's storage list and the box that shows it.
  struct StoragePage {
    HWND memo = nullptr;
    StorageList list;
    StorageLocation location;
    std::wstring shown_at_load;  // the box's text as loaded
  };

  LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l) override;

  void FormCreate();
  void FormDestroy();
  void SaveStoragePages();
  void BitBtn1Click();
  void BitBtn2Click();
  void ListBox1DblClick();
  void PageControl1Change();

  void CreateControls();
  // The client size and DPI a placement of the controls is made for.
  struct LayoutKey {
    LayoutSize client{0, 0};
    int dpi = 0;
    bool operator==(const LayoutKey&) const = default;
  };
  LayoutKey CurrentLayoutKey() const;
  static LayoutRect PlaceOf(const ControlLayout& layout, const LayoutKey& key);
  void ApplyFont();
  void ApplyLayout();
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  void OnDpiChanged(const RECT& suggested) override;
  void LoadStoragePage(StoragePage& page);
  void MoveFocus(bool backwards);
  void SwitchPage(int step);

  int ActivePageIndex() const;
  StoragePage& ActiveStoragePage();
  HWND Control(int id) const;

  UniqueGdiObject font_;
  HWND last_focus_ = nullptr;
  std::optional<PhraseLists> phrases_;  // UpperPhrases, MiddlePhrases, ...
  StoragePage safety_;
  StoragePage quality_;
  bool storage_saved_ = false;
  bool created_ = false;  // WM_CREATE ran to its end
  LayoutKey laid_out_;    // what the controls are placed for
};

}  // namespace tavlin
