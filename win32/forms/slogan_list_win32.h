// The main window's list of fresh slogans, a view of the host's rows: how
// they show, paging through the page's history, copying a slogan, holding
// its parts and the list's context menu.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "src/app/main_host.h"
#include "src/platform/shift_jis_text.h"
#include "src/slogan/phrase_holds.h"
#include "src/slogan/slogan_row.h"
#include "src/ui/main_form_ids.h"
#include "win32/gui/balloon_tip_win32.h"
#include "win32/system/unique_handle_win32.h"

namespace tavlin {

class SloganList final {
 public:
  // Shows the rows the host gives it, with the host's holds and history.
  SloganList(HWND list, MainHost& host) : list_(list), host_(host) {}
  SloganList(const SloganList&) = delete;
  SloganList& operator=(const SloganList&) = delete;

  // The host's active page is shown: its holds and history from now on.
  void ShowPage();
  // Shows the rows of a new generation.
  void ShowRows(const SloganRows& rows);
  // Shows the page's previous or next generation, exactly as it was shown;
  // false at the history's end. The position shows in a balloon for a
  // moment.
  bool ShowEarlier(HWND owner);
  bool ShowLater(HWND owner);
  void HideBalloon() { balloon_.Hide(); }
  // Tells something of the list in its balloon, for a while.
  void Tell(HWND owner, const std::wstring& text);
  // What the rows' figures tell changed (the rhythm meter is loaded): the
  // rows show them, and screen readers read them, from now on.
  void ShowFigures();
  // The window's font at dpi; the bold one is made when first needed.
  void UseFont(HFONT font, int dpi);

  // The selected row's text; empty where no row is selected.
  std::wstring SelectedText() const;
  void CopySelected(HWND owner) const;
  // The holds, the copy, the history and 五七五 of the list's menu.
  void RunMenuCommand(int command, HWND owner);
  void ShowMenu(HWND owner, POINT at);
  void Draw(const DRAWITEMSTRUCT& item);

 private:
  void Show(const SloganRows& rows, HWND owner);
  const SloganRow* Selected() const;
  bool IsHeld(std::size_t row, std::size_t part) const;
  void ToggleHold(PhrasePosition position);
  HFONT BoldFont();
  // What the list box holds for a row, which screen readers read: its
  // text, and its counts where the meter is shown.
  std::wstring AccessibleText(const SloganRow& row) const;

  HWND list_;
  MainHost& host_;
  SloganRows rows_;  // what the list shows, one for each of its items
  BalloonTip balloon_;
  HFONT font_ = nullptr;  // the window's
  int dpi_ = 96;
  UniqueFont bold_font_;
};

}  // namespace tavlin
