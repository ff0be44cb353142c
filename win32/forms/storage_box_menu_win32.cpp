// The storage boxes' own context menu: the text box's items in Japanese,
// the poster of the line at the caret, the vote sheet of the list, the
// tally of the sheets filled in and the lines to put back; each item goes
// to the main window as a command.
#include <windows.h>

#include "src/storage/vote_sheet.h"
#include "src/ui/poster_layout.h"
#include "win32/forms/storage_boxes_win32.h"
#include "win32/gui/edit_text_win32.h"
#include "win32/gui/error_report_win32.h"
#include "win32/gui/popup_menu_win32.h"
#include "win32/gui/text_box_menu_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

// Subclassed by its window procedure, the boxes found through their user
// data: the common controls' SetWindowSubclass looks its own up as a window
// property at every message, which under Wine asks the server each time,
// fifty times before the window first shows.
void StorageBoxes::Watch(std::size_t page) {
  HWND box = boxes_[page];
  SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  box_procedures_[page] = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      box, GWLP_WNDPROC,
      reinterpret_cast<LONG_PTR>(&StorageBoxes::BoxProcedure)));
}

LRESULT CALLBACK StorageBoxes::BoxProcedure(HWND box, UINT message, WPARAM w,
                                            LPARAM l) {
  auto* boxes =
      reinterpret_cast<StorageBoxes*>(GetWindowLongPtrW(box, GWLP_USERDATA));
  if (message == WM_CONTEXTMENU) {
    // Nothing may leave a window procedure: a failure goes to the report.
    try {
      boxes->ShowMenu(box, ContextMenuPoint(l));
    } catch (...) {
      ReportCurrentException(GetAncestor(box, GA_ROOT));
    }
    return 0;
  }
  const std::optional<std::size_t> page = boxes->PageOf(box);
  const WNDPROC procedure =
      page ? boxes->box_procedures_[*page]
           : reinterpret_cast<WNDPROC>(GetClassLongPtrW(box, GCLP_WNDPROC));
  return CallWindowProcW(procedure, box, message, w, l);
}

bool StorageBoxes::MenuItemEnabled(HWND box, std::wstring_view text,
                                   StorageMenuNeed need) const {
  if (const std::optional<bool> met = TextBoxNeedMet(box, text, need))
    return *met;
  switch (need) {
    case StorageMenuNeed::SloganAtCaret:
      return !SloganParts(tavlin::LineAtCaret(box, text)).empty();
    case StorageMenuNeed::Slogans:
      return !SheetSlogans(AsU16(text)).empty();
    case StorageMenuNeed::RemovedLines:
      return host_.AnyRemovedLines(host_.Active());
    default:
      return false;
  }
}

void StorageBoxes::ShowMenu(HWND box, POINT at) {
  ShowTextBoxMenu(
      form_, box, at, [&](std::wstring_view text, StorageMenuNeed need) {
        return std::optional<bool>(MenuItemEnabled(box, text, need));
      });
}

}  // namespace tavlin
