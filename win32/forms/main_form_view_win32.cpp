// The main window as the host's view: what the host tells it to show, and
// the windows of their own it asks for, each owned by the main window.
#include <windows.h>

#include <commctrl.h>

#include "src/app/page_spec.h"
#include "src/ui/main_form_layout.h"
#include "win32/forms/info_form_win32.h"
#include "win32/forms/main_form_win32.h"
#include "win32/forms/poster_form_win32.h"
#include "win32/forms/removed_lines_form_win32.h"
#include "win32/forms/vote_sheet_export_win32.h"
#include "win32/forms/vote_tally_win32.h"
#include "win32/forms/workshop_form_win32.h"
#include "win32/gui/error_report_win32.h"
#include "win32/gui/tab_captions_win32.h"
#include "win32/system/clipboard_win32.h"
#include "win32/system/running_program_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

std::optional<std::u16string> TMainForm::ListText(std::size_t page) const {
  return boxes_ ? boxes_->ListText(page) : std::nullopt;
}

bool TMainForm::ShowList(std::size_t page, std::u16string_view text) {
  return !boxes_ || boxes_->ShowList(page, text);
}

void TMainForm::ShowMergedList(std::size_t page, std::u16string_view text) {
  if (boxes_) boxes_->ShowMergedList(page, text);
}

void TMainForm::SaveListAfter(std::size_t page, unsigned ms) {
  if (boxes_) boxes_->SaveListAfter(page, ms);
}

void TMainForm::CancelListSave(std::size_t page) {
  if (boxes_) boxes_->CancelListSave(page);
}

void TMainForm::Tell(const Notice& notice) {
  const std::wstring text = WideFromUtf8(notice.report.text);
  switch (notice.place) {
    case Notice::Place::Window:
      ShowUserReport(hwnd(), notice.report);
      break;
    case Notice::Place::StorageBox:
      if (boxes_) boxes_->Tell(notice.page, text);
      break;
    case Notice::Place::SloganList:
      if (slogans_) slogans_->Tell(hwnd(), text, notice.brief);
      break;
  }
}

void TMainForm::CloseAgain() { PostMessageW(hwnd(), WM_CLOSE, 0, 0); }

void TMainForm::WakeForSaveResults() {
  PostMessageW(hwnd(), kSaveDoneMessage, 0, 0);
}

bool TMainForm::ShowPage(std::size_t page) {
  HWND tabs = Control(kPageControl1);
  if (SendMessageW(tabs, TCM_GETCURSEL, 0, 0) != static_cast<LRESULT>(page))
    SendMessageW(tabs, TCM_SETCURSEL, page, 0);
  if (slogans_) slogans_->ShowPage();
  return boxes_ && boxes_->Activate(page, StorageBoxPlace(), font_.get());
}

void TMainForm::PageAdded(std::size_t) {
  WatchListFolders();
  MakeTabCaptions();
  FitTabCaptions(Control(kPageControl1), tab_captions_);
}

void TMainForm::ShowRows(const SloganRows& rows) {
  if (slogans_) slogans_->ShowRows(rows);
}

void TMainForm::RedrawRows() {
  if (slogans_) slogans_->Refresh();
}

void TMainForm::EnableGenerate(bool enabled) {
  EnableWindow(Control(kBitBtn1), enabled);
}

std::u16string TMainForm::LineAtCaret(std::size_t page) const {
  return boxes_ ? boxes_->LineAtCaret(page) : std::u16string();
}

void TMainForm::EditList(std::size_t page, const ListEdit& edit) {
  if (boxes_) boxes_->EditList(page, edit);
}

void TMainForm::RunTextBoxCommand(std::size_t page, int command) {
  if (boxes_) boxes_->RunTextBoxCommand(page, command);
}

void TMainForm::CopyText(std::u16string_view text) {
  CopyTextToClipboard(hwnd(), std::wstring(AsWide(text)));
}

void TMainForm::ShowPoster(std::u16string_view theme,
                           std::u16string_view slogan) {
  ShowPosterForm(hwnd(), std::u16string(theme), std::u16string(slogan));
}

void TMainForm::ShowInfo(std::string_view rhythm_line) {
  ShowInfoForm(hwnd(), std::u16string(AsU16(WideFromUtf8(rhythm_line))));
}

void TMainForm::OpenWorkshop(const WorkshopAsked& asked) {
  WorkshopOpening opening{asked, nullptr};
  // A theme made there gets its page at once.
  opening.theme_added = [this](const std::u16string& theme) {
    host_->AddThemePage(ExtraPageOf(RunningExecutablePath(), theme));
  };
  ShowWorkshopForm(hwnd(), std::move(opening));
}

std::optional<std::filesystem::path> TMainForm::ExportVoteSheet(
    const VoteSheetAsked& asked) {
  return tavlin::ExportVoteSheet(hwnd(), asked.theme, asked.list_text,
                                 asked.program_folder, asked.meter);
}

void TMainForm::TallyVotes(const VoteTallyAsked& asked) {
  tavlin::TallyVotes(hwnd(), asked);
}

std::vector<std::u16string> TMainForm::PickRemovedLines(
    std::u16string_view theme, const std::vector<RemovedLine>& lines) {
  return tavlin::PickRemovedLines(hwnd(), theme, lines);
}

}  // namespace tavlin
