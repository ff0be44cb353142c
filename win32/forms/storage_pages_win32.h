// The theme pages' storage lists, as the main window shows them: each
// page's list, the places of its file and the box that shows it; loading at
// start, saving, the cleanup of interrupted saves, storing a slogan, and
// each box's context menu. The one place of the window side that reads and
// writes storage lists.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "src/slogan/phrase_holds.h"
#include "src/storage/storage_places.h"
#include "src/ui/layout.h"
#include "src/ui/storage_menu.h"

namespace tavlin {

class StoragePages {
 public:
  // The two standard pages show their lists in the given boxes; the pages
  // of further themes get theirs when they first show.
  StoragePages(HWND form, HWND safety_box, HWND quality_box,
               std::vector<std::u16string> further_themes);
  StoragePages(const StoragePages&) = delete;
  StoragePages& operator=(const StoragePages&) = delete;

  std::size_t Count() const { return pages_.size(); }
  const std::u16string& Theme(std::size_t page) const;

  // Loads every page's list, each even when one before it failed: a list
  // that failed to load is kept from overwriting its file.
  void LoadAll();
  // Removes what interrupted saves of earlier sessions left beside the
  // storage files.
  void RemoveStaleSaves() const;
  // Saves every list and reports what is to be told. Once: the end of the
  // session and the window's end would otherwise report a failure twice.
  void SaveAll();

  // Shows the page's box, made at where with font the first time, and
  // hides the others.
  void Activate(std::size_t page, const LayoutRect& where, HFONT font);
  std::size_t Active() const { return active_; }
  const std::u16string& ActiveTheme() const { return Theme(active_); }
  PhraseHolds& ActiveHolds() { return pages_[active_].holds; }
  HWND ActiveBox() const { return pages_[active_].box; }
  bool IsStorageBox(HWND window) const;
  // The boxes of further themes made so far, which lie where the quality
  // box does.
  std::vector<HWND> FurtherBoxes() const;

  // Stores the slogan in the active page's list as edits of its box, so
  // that the box keeps its undo.
  void StoreSlogan(std::wstring_view slogan);
  // The command of a box's context menu, for the active page's box.
  void RunMenuCommand(int command);

 private:
  struct Page {
    std::u16string theme;
    HWND box = nullptr;  // made when the page first shows, for further themes
    StorageList list;
    StorageLocation location;
    std::wstring shown_at_load;  // the box's text as loaded
    PhraseHolds holds;
  };

  void Load(Page& page);
  void ShowLoadedText(Page& page);
  // Empties a list whose text could not be shown, so that its file is kept.
  void DropLoadedText(Page& page);
  void MakeBox(Page& page, const LayoutRect& where, HFONT font);
  void Watch(HWND box);

  // The box's context menu (storage_box_menu_win32.cpp).
  static LRESULT CALLBACK BoxProcedure(HWND box, UINT message, WPARAM w,
                                       LPARAM l, UINT_PTR id, DWORD_PTR pages);
  void ShowMenu(HWND box, LPARAM at);
  // text is the box's text, read once for the whole menu: a storage list
  // can be megabytes long.
  static bool MenuItemEnabled(HWND box, std::wstring_view text,
                              StorageMenuNeed need);
  // The line of text, the box's text, that the caret stands on.
  static std::u16string LineAtCaret(HWND box, std::wstring_view text);

  HWND form_;
  std::vector<Page> pages_;  // 安全, 品質, then any further themes
  std::size_t active_ = 0;
  bool saved_ = false;
};

}  // namespace tavlin
