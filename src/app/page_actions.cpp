// What the user's acts on the main window do: the command table's ids
// turned into the host's page actions, which change the host and tell the
// window what to show.
#include <string>

#include "src/app/main_host.h"
#include "src/platform/tavlin_error.h"
#include "src/storage/vote_sheet.h"
#include "src/ui/main_form_ids.h"
#include "src/ui/poster_layout.h"

namespace tavlin {

void MainHost::Run(int command, std::optional<std::size_t> row) {
  if (Contains(kStorageMenuIds, command) && command < kStoragePoster) {
    if (view_) view_->RunTextBoxCommand(active_, command);
    return;
  }
  const SloganRow* slogan = ShownRow(row);
  switch (command) {
    case kBitBtn1: return NewGeneration();
    case kBitBtn2: return ShowInfo();
    case kMenuReleaseHolds: return ReleaseHolds();
    case kMenuEarlier: return StepHistory(true);
    case kMenuLater: return StepHistory(false);
    case kMenuFiveSevenFive: return ToggleFiveSevenFive();
    case kMenuEditPhrases: return EditPhrases();
    case kStoragePoster: return PosterAtCaret();
    case kStorageVoteSheet: return ExportVoteSheet();
    case kStorageVoteTally: return TallyVotes();
    case kStorageRestoreRemoved: return PutBackRemovedLines();
    case kNextPage: return TurnPage(1);
    case kPreviousPage: return TurnPage(-1);
  }
  // The rest act on the selected row, and do nothing without one.
  if (!slogan) return;
  switch (command) {
    case kMenuStore: return StoreRow(*slogan);
    case kMenuCopy: return CopyRow(*slogan);
    case kMenuPoster: return PosterOfRow(*slogan);
    case kMenuHoldUpper:
    case kMenuHoldMiddle:
    case kMenuHoldLower:
      return ToggleHoldOfRow(*slogan,
                             static_cast<std::size_t>(command - kMenuHoldUpper));
  }
}

const SloganRow* MainHost::ShownRow(std::optional<std::size_t> row) const {
  return row && *row < shown_rows_.size() ? &shown_rows_[*row] : nullptr;
}

void MainHost::Start(const ListFolders& folders) {
  LoadLists(folders);
  NewGeneration();
}

void MainHost::ChoosePage(std::size_t page) {
  SwitchTo(page);
  SaveLists(SaveMoment::WhileWorking);
  ShowActivePage();
  NewGeneration();
}

void MainHost::TurnPage(int step) {
  const auto count = static_cast<int>(pages_.size());
  ChoosePage(static_cast<std::size_t>(
      (static_cast<int>(active_) + step % count + count) % count));
}

void MainHost::ShowActivePage() {
  if (view_ && view_->ShowPage(active_)) BoxMade(active_);
}

void MainHost::NewGeneration() {
  // A page without phrase files shows no slogans and offers no generation,
  // rather than composing from another page's phrases.
  if (view_) view_->EnableGenerate(CanGenerate());
  try {
    ShowRows(Generate(seeds_ ? seeds_() : static_cast<std::uint32_t>(
                                              pages_[active_].history.size())));
  } catch (...) {
    Tell({Notice::Place::Window, active_, CurrentExceptionReport()});
  }
}

void MainHost::ShowRows(const SloganRows& rows) {
  shown_rows_ = rows;
  if (view_) view_->ShowRows(shown_rows_);
}

void MainHost::StoreRow(const SloganRow& row) {
  std::optional<std::u16string> text =
      view_ ? view_->ListText(active_) : std::nullopt;
  if (!text) return;
  const std::u16string slogan = row.Text();
  const ListEdit edit = PlanStoreSlogan(std::u16string_view(*text),
                                        std::u16string_view(slogan),
                                        LineMatching());
  view_->EditList(active_, edit);
  // A stored slogan is on disk at once, from the text the box now shows.
  ApplyStorageEdit(*text, edit);
  SaveList(active_, std::move(text));
}

void MainHost::CopyRow(const SloganRow& row) {
  if (view_) view_->CopyText(row.Text());
}

void MainHost::PosterOfRow(const SloganRow& row) {
  if (view_) view_->ShowPoster(ActiveTheme(), row.Text());
}

void MainHost::ToggleHoldOfRow(const SloganRow& row, std::size_t part) {
  if (ToggleHold(row, part) && view_) view_->RedrawRows();
}

void MainHost::ReleaseHolds() {
  pages_[active_].holds = PhraseHolds();
  if (view_) view_->RedrawRows();
}

void MainHost::StepHistory(bool back) {
  GenerationHistory& history = pages_[active_].history;
  if (back ? !history.CanGoBack() : !history.CanGoForward()) return;
  ShowRows(back ? history.Back() : history.Forward());
  Notice where{Notice::Place::SloganList, active_,
               {UserReport::Kind::Notice,
                std::to_string(history.position()) + "/" +
                    std::to_string(history.size())}};
  where.brief = true;
  Tell(std::move(where));
}

void MainHost::ToggleFiveSevenFive() {
  // From the next generation on; nothing without the meter.
  if (meter_.available()) five_seven_five_ = !five_seven_five_;
}

void MainHost::EditPhrases() {
  if (!view_) return;
  WorkshopAsked asked{program_folder_, ActiveTheme(), &meter_, {}};
  for (const PageState& page : pages_)
    asked.themes.push_back(page.entry.storage_theme);
  view_->OpenWorkshop(asked);
  // The files written there are read at the next generation, as any
  // phrase file that changed is; a page that had none can compose now.
  FindPhraseFiles();
  view_->EnableGenerate(CanGenerate());
}

void MainHost::ShowInfo() {
  if (!view_) return;
  view_->ShowInfo(meter_.why_unavailable());
}

void MainHost::PosterAtCaret() {
  if (!view_) return;
  const std::u16string line = view_->LineAtCaret(active_);
  if (!SloganParts(line).empty()) view_->ShowPoster(ActiveTheme(), line);
}

void MainHost::ExportVoteSheet() {
  const std::optional<std::u16string> text =
      view_ ? view_->ListText(active_) : std::nullopt;
  if (!text) return;
  const std::optional<std::filesystem::path> sheet = view_->ExportVoteSheet(
      {ActiveTheme(), *text, program_folder_, &meter_});
  if (sheet) vote_sheet_folder_ = sheet->parent_path();
}

void MainHost::TallyVotes() {
  const std::optional<std::u16string> text =
      view_ ? view_->ListText(active_) : std::nullopt;
  if (!text) return;
  VoteTallyAsked asked{ActiveTheme(), SheetSlogans(*text),
                       vote_sheet_folder_.empty() ? program_folder_
                                                  : vote_sheet_folder_,
                       &meter_};
  if (asked.slogans.empty()) {
    Tell({Notice::Place::StorageBox,
          active_,
          {UserReport::Kind::Notice, std::string(kNoSlogansToTally)}});
    return;
  }
  view_->TallyVotes(asked);
}

void MainHost::PutBackRemovedLines() {
  if (!view_ || !AnyRemovedLines(active_)) return;
  const std::vector<std::u16string> picked =
      view_->PickRemovedLines(ActiveTheme(), RemovedLinesOf(active_));
  if (picked.empty()) return;
  // Typed back as the user would, one edit at the end: saved as typing is.
  const std::u16string text = view_->ListText(active_).value_or(u"");
  ListEdit edit;
  if (!text.empty() && !EndsWithLineBreak(std::u16string_view(text)))
    edit.appended = u"\r\n";
  for (const std::u16string& line : PutBack(active_, picked))
    edit.appended += line + u"\r\n";
  view_->EditList(active_, edit);
}

void MainHost::AddThemePage(PageSpec page) {
  if (pages_.size() >= kMaximumPages) return;
  const std::size_t added = AddPage(std::move(page));
  if (view_) view_->PageAdded(added);
}

}  // namespace tavlin
