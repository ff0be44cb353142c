// The theme pages' storage boxes, as the main window shows them: one box a
// page, made when its page first shows, the host's lists shown in them and
// their edits passed on to it; the balloon over them, the timers that save
// them, storing a slogan as an edit, and each box's context menu.
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "src/app/main_host.h"
#include "src/rhythm/mora_meter.h"
#include "src/ui/layout.h"
#include "src/ui/storage_menu.h"
#include "win32/gui/balloon_tip_win32.h"

namespace tavlin {

class StorageBoxes {
 public:
  // The boxes of the pages made at the start lie at where; the others are
  // made when their pages first show.
  StorageBoxes(HWND form, MainHost& host, const LayoutRect& where);
  StorageBoxes(const StorageBoxes&) = delete;
  StorageBoxes& operator=(const StorageBoxes&) = delete;

  // What the host asks of the boxes (HostView).
  std::optional<std::u16string> ListText(std::size_t page) const;
  bool ShowList(std::size_t page, std::u16string_view text);
  void ShowMergedList(std::size_t page, std::u16string_view text);
  void SaveListAfter(std::size_t page, unsigned ms);
  void CancelListSave(std::size_t page);
  // Shows text in a balloon over the page's box where it shows, else over
  // the box in view: the text names the list it is about.
  void Tell(std::size_t page, const std::wstring& text);

  // A box's text changed: the host hears of it unless the host changed it.
  void OnBoxChanged(HWND box);
  // The timers the boxes set on the window; false for other timers.
  bool OnTimer(UINT_PTR id);

  // A page added after the start: its box is made when it first shows.
  void AddPage() {
    boxes_.push_back(nullptr);
    box_procedures_.push_back(nullptr);
  }
  // Shows the active page's box, made at where with font the first time,
  // and hides the others.
  void Activate(const LayoutRect& where, HFONT font);
  HWND ActiveBox() const { return boxes_[host_.Active()]; }
  bool IsStorageBox(HWND window) const;
  // The boxes made so far, which all lie in one place.
  std::vector<HWND> Boxes() const;

  // Stores the slogan in the active page's list as edits of its box, so
  // that the box keeps its undo.
  void StoreSlogan(std::wstring_view slogan);
  // The command of a box's context menu, for the active page's box.
  void RunMenuCommand(int command);
  // Ctrl+T: the filled vote sheets of the active page's list tallied, as
  // its menu does; told over the box where the list holds no slogan.
  void TallyVotesOfActiveList();
  // The rhythm meter the vote sheet counts with, once it is loaded.
  void UseMeter(const MoraMeter* meter) { meter_ = meter; }

 private:
  void MakeBox(std::size_t page, const LayoutRect& where, HFONT font);
  void ShowBalloon(HWND box, const std::wstring& text);
  std::optional<std::size_t> PageOf(HWND box) const;

  // The box's context menu (storage_box_menu_win32.cpp).
  static LRESULT CALLBACK BoxProcedure(HWND box, UINT message, WPARAM w,
                                       LPARAM l);
  void Watch(std::size_t page);
  void ShowMenu(HWND box, POINT at);
  // text is the box's text, read once for the whole menu: a storage list
  // can be megabytes long.
  bool MenuItemEnabled(HWND box, std::wstring_view text,
                       StorageMenuNeed need) const;
  // Appends the lines another writer deleted to the active page's box.
  void RestoreRemovedLines();
  void ExportVoteSheetOfActiveList();

  HWND form_;
  MainHost& host_;
  std::vector<HWND> boxes_;  // a page's, once made; in tab order
  // The procedure each box had before Watch: the edit control's.
  std::vector<WNDPROC> box_procedures_;
  bool showing_host_ = false;  // the box changes, but not by the user
  BalloonTip balloon_;
  const MoraMeter* meter_ = nullptr;
  // Where the last vote sheet went this session: the filled ones are
  // looked for there first. Empty until one is written.
  std::filesystem::path vote_sheet_folder_;
};

}  // namespace tavlin
