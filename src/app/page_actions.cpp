// What the user's acts on the main window do: the command table's ids
// turned into the host's page actions, which change the host and tell the
// window what to show. A new command is a row of the command table and one
// action here.
#include <string>

#include "src/app/main_host.h"
#include "src/platform/tavlin_error.h"
#include "src/storage/vote_sheet.h"
#include "src/ui/command_table.h"
#include "src/ui/poster_layout.h"

namespace tavlin {

struct PageActions {
  using Host = MainHost;

  // The meter where it counts; none before it loads or without its
  // dictionary, so that sheets and tallies show no 音数 then.
  static const MoraMeter* CountingMeter(const Host& host) {
    return host.meter_.available() ? &host.meter_ : nullptr;
  }

  static void ShowActivePage(Host& host) {
    if (host.view_ && host.view_->ShowPage(host.active_))
      host.BoxMade(host.active_);
  }

  static void ShowRows(Host& host, const SloganRows& rows) {
    host.shown_rows_ = rows;
    if (host.view_) host.view_->ShowRows(host.shown_rows_);
  }

  // A new generation shown; a phrase file that cannot be read is told.
  static void NewGeneration(Host& host) {
    // A page without phrase files shows no slogans and offers no
    // generation, rather than composing from another page's phrases.
    if (host.view_) host.view_->EnableGenerate(host.CanGenerate());
    try {
      ShowRows(host, host.Generate(host.seeds_ ? host.seeds_()
                                               : std::uint32_t{5489}));
    } catch (...) {
      host.Tell(
          {Notice::Place::Window, host.active_, CurrentExceptionReport()});
    }
  }

  static void TurnPage(Host& host, int step) {
    const auto count = static_cast<int>(host.pages_.size());
    host.ChoosePage(static_cast<std::size_t>(
        (static_cast<int>(host.active_) + step % count + count) % count));
  }

  static void Store(Host& host, const SloganRow& row) {
    std::optional<std::u16string> text =
        host.view_ ? host.view_->ListText(host.active_) : std::nullopt;
    if (!text) return;
    const std::u16string slogan = row.Text();
    const ListEdit edit =
        PlanStoreSlogan(std::u16string_view(*text), std::u16string_view(slogan),
                        host.LineMatching());
    host.view_->EditList(host.active_, edit);
    // A stored slogan is on disk at once, from the text the box now shows.
    ApplyStorageEdit(*text, edit);
    host.SaveList(host.active_, std::move(text));
  }

  static void Copy(Host& host, const SloganRow& row) {
    if (host.view_) host.view_->CopyText(row.Text());
  }

  static void Poster(Host& host, std::u16string_view slogan) {
    if (host.view_) host.view_->ShowPoster(host.ActiveTheme(), slogan);
  }

  static void ToggleHold(Host& host, const SloganRow& row, std::size_t part) {
    if (host.ToggleHold(row, part) && host.view_) host.view_->RedrawRows();
  }

  static void ReleaseHolds(Host& host) {
    host.pages_[host.active_].holds = PhraseHolds();
    if (host.view_) host.view_->RedrawRows();
  }

  // Pages through the page's history, and tells where it is for a moment.
  static void StepHistory(Host& host, bool back) {
    GenerationHistory& history = host.pages_[host.active_].history;
    if (back ? !history.CanGoBack() : !history.CanGoForward()) return;
    ShowRows(host, back ? history.Back() : history.Forward());
    Notice where{
        Notice::Place::SloganList,
        host.active_,
        {UserReport::Kind::Notice, std::to_string(history.position()) + "/" +
                                       std::to_string(history.size())}};
    where.brief = true;
    host.Tell(std::move(where));
  }

  static void ToggleFiveSevenFive(Host& host) {
    // From the next generation on; nothing without the meter.
    if (host.meter_.available()) host.five_seven_five_ = !host.five_seven_five_;
  }

  static void EditPhrases(Host& host) {
    if (!host.view_) return;
    WorkshopAsked asked{
        host.program_folder_, host.ActiveTheme(), &host.meter_, {}};
    for (const Host::PageState& page : host.pages_)
      asked.themes.push_back(page.entry.storage_theme);
    host.view_->OpenWorkshop(asked);
    // The files written there are read at the next generation, as any
    // phrase file that changed is; a page that had none can compose now.
    host.FindPhraseFiles();
    host.view_->EnableGenerate(host.CanGenerate());
  }

  static void ShowInfo(Host& host) {
    if (host.view_) host.view_->ShowInfo(host.meter_.why_unavailable());
  }

  static void PosterAtCaret(Host& host) {
    if (!host.view_) return;
    const std::u16string line = host.view_->LineAtCaret(host.active_);
    if (!SloganParts(line).empty()) Poster(host, line);
  }

  static void ExportVoteSheet(Host& host) {
    const std::optional<std::u16string> text =
        host.view_ ? host.view_->ListText(host.active_) : std::nullopt;
    if (!text) return;
    const std::optional<std::filesystem::path> sheet =
        host.view_->ExportVoteSheet({host.ActiveTheme(), *text,
                                     host.program_folder_,
                                     CountingMeter(host)});
    if (sheet) host.vote_sheet_folder_ = sheet->parent_path();
  }

  // The filled sheets are looked for where the last sheet went.
  static void TallyVotes(Host& host) {
    const std::optional<std::u16string> text =
        host.view_ ? host.view_->ListText(host.active_) : std::nullopt;
    if (!text) return;
    const VoteTallyAsked asked{host.ActiveTheme(), SheetSlogans(*text),
                               host.vote_sheet_folder_.empty()
                                   ? host.program_folder_
                                   : host.vote_sheet_folder_,
                               CountingMeter(host)};
    if (!asked.slogans.empty()) return host.view_->TallyVotes(asked);
    host.Tell({Notice::Place::StorageBox,
               host.active_,
               {UserReport::Kind::Notice, std::string(kNoSlogansToTally)}});
  }

  // Put back as the user would type them, one edit at the end, and saved
  // as typing is.
  static void PutBackRemovedLines(Host& host) {
    const std::size_t page = host.active_;
    if (!host.view_ || !host.AnyRemovedLines(page)) return;
    const std::vector<std::u16string> picked = host.view_->PickRemovedLines(
        host.ActiveTheme(), host.RemovedLinesOf(page));
    if (picked.empty()) return;
    const std::u16string text = host.view_->ListText(page).value_or(u"");
    ListEdit edit;
    if (!text.empty() && !EndsWithLineBreak(std::u16string_view(text)))
      edit.appended = u"\r\n";
    for (const std::u16string& line : host.PutBack(page, picked))
      edit.appended += line + u"\r\n";
    host.view_->EditList(page, edit);
    host.ListTyped(page);
  }

  // The commands that act on the selected row; false for the others.
  static bool RunOnRow(Host& host, int command, const SloganRow& row) {
    switch (command) {
      case kMenuStore:
        Store(host, row);
        return true;
      case kMenuCopy:
        Copy(host, row);
        return true;
      case kMenuPoster:
        Poster(host, row.Text());
        return true;
      case kMenuHoldUpper:
      case kMenuHoldMiddle:
      case kMenuHoldLower:
        ToggleHold(host, row,
                   static_cast<std::size_t>(command - kMenuHoldUpper));
        return true;
    }
    return false;
  }
};

void MainHost::Run(int command, std::optional<std::size_t> row) {
  using A = PageActions;
  // A text box's own items: the box does them as it would its keys.
  if (Contains({kStorageUndo, kStorageSelectAll}, command)) {
    if (view_) view_->RunTextBoxCommand(active_, command);
    return;
  }
  switch (command) {
    case kBitBtn1:
      return A::NewGeneration(*this);
    case kBitBtn2:
      return A::ShowInfo(*this);
    case kMenuReleaseHolds:
      return A::ReleaseHolds(*this);
    case kMenuEarlier:
      return A::StepHistory(*this, true);
    case kMenuLater:
      return A::StepHistory(*this, false);
    case kMenuFiveSevenFive:
      return A::ToggleFiveSevenFive(*this);
    case kMenuEditPhrases:
      return A::EditPhrases(*this);
    case kStoragePoster:
      return A::PosterAtCaret(*this);
    case kStorageVoteSheet:
      return A::ExportVoteSheet(*this);
    case kStorageVoteTally:
      return A::TallyVotes(*this);
    case kStorageRestoreRemoved:
      return A::PutBackRemovedLines(*this);
    case kNextPage:
      return A::TurnPage(*this, 1);
    case kPreviousPage:
      return A::TurnPage(*this, -1);
  }
  // The rest act on the selected row, and do nothing without one.
  if (const SloganRow* slogan = ShownRow(row))
    A::RunOnRow(*this, command, *slogan);
}

const SloganRow* MainHost::ShownRow(std::optional<std::size_t> row) const {
  return row && *row < shown_rows_.size() ? &shown_rows_[*row] : nullptr;
}

void MainHost::Start(const ListFolders& folders) {
  LoadLists(folders);
  PageActions::NewGeneration(*this);
}

void MainHost::ChoosePage(std::size_t page) {
  SwitchTo(page);
  SaveLists(SaveMoment::WhileWorking);
  PageActions::ShowActivePage(*this);
  PageActions::NewGeneration(*this);
}

void MainHost::AddThemePage(PageSpec page) {
  if (pages_.size() >= kMaximumPages) return;
  const std::size_t added = AddPage(std::move(page));
  if (view_) view_->PageAdded(added);
}

}  // namespace tavlin
