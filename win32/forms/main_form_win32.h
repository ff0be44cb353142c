// The main window: the theme pages, the generate and version buttons, the
// list of fresh slogans and each theme's storage list.
#pragma once

#include <windows.h>

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "src/platform/shift_jis_text.h"
#include "src/slogan/phrase_holds.h"
#include "src/slogan/phrase_list.h"
#include "src/storage/storage_places.h"
#include "src/ui/layout.h"
#include "src/ui/main_form_layout.h"
#include "src/ui/storage_menu.h"
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
  // One theme's page: its storage list, the box that shows it and the
  // phrases held on it.
  struct StoragePage {
    std::u16string theme;
    HWND memo = nullptr;  // made when the page first shows, for further themes
    StorageList list;
    StorageLocation location;
    std::wstring shown_at_load;  // the box's text as loaded
    PhraseHolds holds;
  };

  // The parts of a slogan in the list, as composed.
  struct ShownSlogan {
    std::array<ShiftJisText, kPhrasePositions> parts;
    std::array<std::wstring, kPhrasePositions> wide_parts;
  };

  LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l) override;

  void FormCreate();
  // Removes what interrupted saves of earlier sessions left beside the
  // storage files. Nothing of it shows, so it waits for the first painting.
  void RemoveStaleSaves();
  void FormDestroy();
  void SaveStoragePages();
  void BitBtn1Click();
  void BitBtn2Click();
  void ListBox1DblClick();
  void PageControl1Change();
  // The selected row's text; empty where no row is selected.
  std::wstring SelectedSloganText() const;
  void CopySelectedSlogan();
  void ShowSloganMenu(LPARAM at);
  void OnMenuCommand(int command);
  // The storage boxes' own menu: the text box's items, the poster of the
  // line at the caret and the vote sheet of the list.
  void WatchStorageBox(HWND box);
  static LRESULT CALLBACK StorageBoxProcedure(HWND box, UINT message, WPARAM w,
                                              LPARAM l, UINT_PTR id,
                                              DWORD_PTR form);
  void ShowStorageMenu(HWND box, LPARAM at);
  // text is the box's text, read once for the whole menu: a storage list
  // can be megabytes long.
  static bool StorageMenuItemEnabled(HWND box, std::wstring_view text,
                                     StorageMenuNeed need);
  void OnStorageMenuCommand(int command);
  // The line of text, the box's text, that the caret stands on.
  static std::u16string LineAtCaret(HWND box, std::wstring_view text);
  void ToggleHold(PhrasePosition position);
  const ShownSlogan* SelectedSlogan() const;
  bool IsHeld(const ShownSlogan& slogan, std::size_t part) const;
  HFONT BoldFont();

  void CreateControls();
  // The client size and DPI a placement of the controls is made for.
  struct LayoutKey {
    LayoutSize client{0, 0};
    int dpi = 0;
    bool operator==(const LayoutKey&) const = default;
  };
  LayoutKey CurrentLayoutKey() const;
  static LayoutRect PlaceOf(const ControlLayout& layout, const LayoutKey& key);
  // Calls visit(control, layout) for every control of the layout and every
  // further theme's storage box.
  template <typename Visit>
  void ForEachControl(Visit&& visit);
  void ApplyFont();
  void ApplyLayout();
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  void OnDpiChanged(const RECT& suggested) override;
  void LoadStoragePage(StoragePage& page);
  void ShowLoadedText(StoragePage& page);
  // Empties a list whose text could not be shown, so that its file is kept.
  void DropLoadedText(StoragePage& page);
  void MakeStorageBox(StoragePage& page);
  void MoveFocus(bool backwards);
  void SwitchPage(int step);

  int ActivePageIndex() const;
  StoragePage& ActiveStoragePage();
  const StoragePage& ActiveStoragePage() const;
  bool IsStorageBox(HWND window) const;
  HWND Control(int id) const;

  UniqueGdiObject font_;
  UniqueGdiObject bold_font_;       // made when a held part is first drawn
  std::vector<ShownSlogan> shown_;  // one for each row of the slogan list
  HWND last_focus_ = nullptr;
  std::optional<PhraseLists> phrases_;  // UpperPhrases, MiddlePhrases, ...
  std::vector<StoragePage> pages_;  // 安全, 品質, then any further themes
  bool storage_saved_ = false;
  bool created_ = false;  // WM_CREATE ran to its end
  LayoutKey laid_out_;    // what the controls are placed for
};

}  // namespace tavlin
