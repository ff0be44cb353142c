// The storage boxes' own context menu: the text box's items in Japanese,
// the poster of the line at the caret, the vote sheet of the list and the
// tally of the sheets filled in.
#include <windows.h>

#include <algorithm>

#include "src/platform/messages.h"
#include "src/storage/vote_sheet.h"
#include "src/ui/poster_layout.h"
#include "win32/forms/poster_form_win32.h"
#include "win32/forms/removed_lines_form_win32.h"
#include "win32/forms/storage_boxes_win32.h"
#include "win32/forms/vote_sheet_export_win32.h"
#include "win32/forms/vote_tally_win32.h"
#include "win32/gui/edit_text_win32.h"
#include "win32/gui/error_report_win32.h"
#include "win32/gui/popup_menu_win32.h"
#include "win32/gui/text_box_menu_win32.h"
#include "win32/system/running_program_win32.h"
#include "win32/system/unique_handle_win32.h"
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

void StorageBoxes::RunMenuCommand(int command) {
  HWND box = ActiveBox();
  if (!box) return;
  if (RunTextBoxCommand(box, command)) return;
  switch (command) {
    case kStoragePoster: {
      const std::wstring text = WindowTextOf(box);
      const std::u16string line(LineAtCaret(box, text));
      if (!SloganParts(line).empty())
        ShowPosterForm(form_, host_.ActiveTheme(), line);
      break;
    }
    case kStorageVoteSheet:
      ExportVoteSheetOfActiveList();
      break;
    case kStorageVoteTally:
      TallyVotesOfActiveList();
      break;
    case kStorageRestoreRemoved:
      RestoreRemovedLines();
      break;
  }
}

void StorageBoxes::ExportVoteSheetOfActiveList() {
  const std::optional<std::filesystem::path> sheet =
      ExportVoteSheet(form_, host_.ActiveTheme(),
                      AsU16(WindowTextOf(ActiveBox())),
                      RunningExecutablePath().parent_path(), meter_);
  if (sheet) vote_sheet_folder_ = sheet->parent_path();
}

void StorageBoxes::TallyVotesOfActiveList() {
  HWND box = ActiveBox();
  if (!box) return;
  VoteTallyAsked asked;
  asked.slogans = SheetSlogans(AsU16(WindowTextOf(box)));
  if (asked.slogans.empty()) {
    ShowBalloon(box, WideFromUtf8(kNoSlogansToTally));
    return;
  }
  asked.theme = host_.ActiveTheme();
  asked.folder = vote_sheet_folder_.empty()
                     ? RunningExecutablePath().parent_path()
                     : vote_sheet_folder_;
  // The meter is replaced only when it loads, before the boxes are told of
  // it, and re-read at a generation, which the waiting window cannot start.
  asked.meter = meter_;
  TallyVotes(form_, asked);
}

void StorageBoxes::RestoreRemovedLines() {
  HWND box = ActiveBox();
  const std::size_t page = host_.Active();
  if (!box || !host_.AnyRemovedLines(page)) return;
  const std::vector<std::u16string> picked = PickRemovedLines(
      GetAncestor(box, GA_ROOT), host_.Page(page).storage_theme,
      host_.RemovedLinesOf(page));
  if (picked.empty()) return;
  // Typed back as the user would, one edit at the end: saved as typing is.
  std::wstring lines;
  const int length = GetWindowTextLengthW(box);
  const std::wstring text = WindowTextOf(box);
  const bool ends_with_break =
      text.size() >= 2 && text.compare(text.size() - 2, 2, L"\r\n") == 0;
  if (length > 0 && !ends_with_break) lines += L"\r\n";
  for (const std::u16string& line : host_.PutBack(page, picked))
    lines += std::wstring(AsWide(line)) + L"\r\n";
  SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(length), length);
  SendMessageW(box, EM_REPLACESEL, TRUE,
               reinterpret_cast<LPARAM>(lines.c_str()));
  SendMessageW(box, EM_SCROLLCARET, 0, 0);
}

bool StorageBoxes::MenuItemEnabled(HWND box, std::wstring_view text,
                                   StorageMenuNeed need) const {
  if (const std::optional<bool> met = TextBoxNeedMet(box, text, need))
    return *met;
  switch (need) {
    case StorageMenuNeed::SloganAtCaret:
      return !SloganParts(LineAtCaret(box, text)).empty();
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
