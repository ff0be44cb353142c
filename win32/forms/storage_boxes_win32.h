// The theme pages' storage boxes, as the main window shows them: one box a
// page, made when its page first shows, the host's lists and edits shown
// in them; the balloon over them, the timers that save them, and each
// box's context menu, whose items go to the main window as commands.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "src/app/main_host.h"
#include "src/ui/layout.h"
#include "src/ui/storage_menu.h"
#include "win32/gui/balloon_tip_win32.h"

namespace tavlin {

class StorageBoxes {
 public:
  // The boxes of the pages made at the start lie at where; the others are
  // made when their pages first show.
  StorageBoxes(HWND form, const MainHost& host, const LayoutRect& where);
  StorageBoxes(const StorageBoxes&) = delete;
  StorageBoxes& operator=(const StorageBoxes&) = delete;

  // What the host asks of the boxes (MainView).
  std::optional<std::u16string> ListText(std::size_t page) const;
  bool ShowList(std::size_t page, std::u16string_view text);
  void ShowMergedList(std::size_t page, std::u16string_view text);
  void SaveListAfter(std::size_t page, unsigned ms);
  void CancelListSave(std::size_t page);
  // Shows text in a balloon over the page's box where it shows, else over
  // the box in view: the text names the list it is about.
  void Tell(std::size_t page, const std::wstring& text);
  std::u16string LineAtCaret(std::size_t page) const;
  // Applies the host's edit as typing would, so that the box keeps its
  // undo.
  void EditList(std::size_t page, const ListEdit& edit);
  void RunTextBoxCommand(std::size_t page, int command);

  // The page whose box the user typed into; none where the host changed
  // it, or for a window that is no box.
  std::optional<std::size_t> TypedBy(HWND box) const;
  // The page whose save time came; none for other timers.
  std::optional<std::size_t> OnTimer(UINT_PTR id);

  // Shows the page's box, made at where with font the first time (true
  // then), and hides the others.
  bool Activate(std::size_t page, const LayoutRect& where, HFONT font);
  HWND ActiveBox() const { return BoxOf(host_.Active()); }
  bool IsStorageBox(HWND window) const;
  // The boxes made so far, which all lie in one place.
  std::vector<HWND> Boxes() const;

 private:
  HWND BoxOf(std::size_t page) const {
    return page < boxes_.size() ? boxes_[page] : nullptr;
  }
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

  HWND form_;
  const MainHost& host_;
  std::vector<HWND> boxes_;  // a page's, once made; in tab order
  // The procedure each box had before Watch: the edit control's.
  std::vector<WNDPROC> box_procedures_;
  bool showing_host_ = false;  // the box changes, but not by the user
  BalloonTip balloon_;
};

}  // namespace tavlin
