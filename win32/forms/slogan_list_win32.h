// The main window's list of fresh slogans, a view of the host's rows: how
// they show, the balloon over them, and the list's context menu, whose
// items go to the main window as commands.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
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
  // Shows the host's rows, with the host's holds.
  SloganList(HWND list, const MainHost& host) : list_(list), host_(host) {}
  SloganList(const SloganList&) = delete;
  SloganList& operator=(const SloganList&) = delete;

  // The host's active page is shown: its holds from now on.
  void ShowPage();
  // Shows the rows the host gives it (its ShownRows, which the list draws
  // from): a new generation, or one of the page's history exactly as it
  // was shown.
  void ShowRows(const SloganRows& rows);
  void HideBalloon() { balloon_.Hide(); }
  // Tells something of the list in its balloon, for a while; for a moment
  // where brief.
  void Tell(HWND owner, const std::wstring& text, bool brief);
  // The rows show again as the host has them now: their holds, and the
  // figures screen readers read with them.
  void Refresh();
  // The window's font at dpi; the bold one is made when first needed.
  void UseFont(HFONT font, int dpi);

  // The selected row; none where no row is selected.
  std::optional<std::size_t> SelectedRow() const;
  void ShowMenu(HWND owner, POINT at);
  void Draw(const DRAWITEMSTRUCT& item);

 private:
  bool IsHeld(std::size_t row, std::size_t part) const;
  HFONT BoldFont();
  // What the list box holds for a row, which screen readers read: its
  // text, and its counts where the meter is shown.
  std::wstring AccessibleText(const SloganRow& row) const;

  HWND list_;
  const MainHost& host_;
  BalloonTip balloon_;
  HFONT font_ = nullptr;  // the window's
  int dpi_ = 96;
  UniqueFont bold_font_;
};

}  // namespace tavlin
