#include "src/app/list_saving.h"

#include <algorithm>
#include <exception>
#include <unordered_set>
#include <utility>

#include "src/app/changed_on_disk.h"
#include "src/app/save_timing.h"
#include "src/platform/atomic_save.h"
#include "src/platform/tavlin_error.h"
#include "src/platform/unicode_text.h"
#include "src/storage/removed_record.h"
#include "src/storage/storage_places.h"
#include "src/storage/storage_start.h"

namespace tavlin {

namespace {

std::unordered_set<std::u16string> LinesOfText(std::u16string_view text) {
  std::unordered_set<std::u16string> lines;
  ForEachTextLine(text, [&](std::u16string_view line) { lines.emplace(line); });
  return lines;
}

}  // namespace

ListSaving::ListSaving(const TextCodec& shift_jis, LineMatch match,
                       FileOps& ops)
    : shift_jis_(shift_jis),
      match_(std::move(match)),
      ops_(ops),
      worker_(std::make_unique<SaveWorker>([this] {
        if (view_) view_->WakeForSaveResults();
      })) {}

ListSaving::~ListSaving() = default;

void ListSaving::WindowShows() {
  if (view_) notices_.WindowShows(*view_);
}

StorageLocation ListSaving::PlacesOf(const std::filesystem::path& file,
                                     const ListFolders& folders) {
  StorageLocation location;
  location.beside_program = file;
  location.in_user_folder = UserFolderStoragePath(folders.user, file);
  location.in_temporary_folder = UserFolderStoragePath(folders.temporary, file);
  return location;
}

void ListSaving::StopSaving() {
  // The saves under way end before the lists they save go.
  worker_.reset();
}

void ListSaving::LoadList(std::size_t page, const StorageLocation& at,
                          FolderListings* listings) {
  PageList& list = ListAt(page);
  StorageStart start = StartStorageList(at, shift_jis_, match_, ops_, listings);
  list.file = std::move(start.state);
  for (UserReport& notice : start.notices)
    Tell({Notice::Place::Window, page, std::move(notice)});
  if (start.failure) {
    DropLoadedText(page, {UserReport::Kind::Failure, *start.failure});
    // Lines set aside beside it show; they stay where they are until the
    // box changes, then go beside the file with the session's.
    if (!start.shown.empty() && view_ && view_->ShowList(page, start.shown))
      list.shown_at_load = std::move(start.shown);
    return;
  }
  list.removed.KeepAt(RemovedRecordOf(page));
  if (const std::size_t dropped = list.removed.TellUntold(ops_))
    Tell({Notice::Place::Window, page,
          {UserReport::Kind::Notice,
           ComposeMessage(kDroppedAtLastClose, {Utf8FromU16(ListName(page)),
                                                std::to_string(dropped)})}});
  list.shown_at_load = std::move(start.shown);
  // A page without its box yet shows the text when the box is made.
  if (view_ && !view_->ShowList(page, list.shown_at_load)) {
    DropLoadedText(
        page, {UserReport::Kind::Failure, std::string(kTextTooLargeForBox)});
    return;
  }
  // What was taken in from elsewhere goes to the list's file soon.
  if (list.shown_at_load != list.file.memory.last_text) ListTyped(page);
}

void ListSaving::DropLoadedText(std::size_t page, UserReport why) {
  // The list does not hold what the file holds: saves merge with the file
  // as it is then, from an empty start, and never write it over.
  PageList& list = ListAt(page);
  if (view_) view_->ShowList(page, u"");
  list.shown_at_load.clear();
  list.load_failed = true;
  ListMemory& memory = list.file.memory;
  memory.Remember(memory.last.kind == FileSnapshot::Kind::Read
                      ? FileSnapshot{FileSnapshot::Kind::Unread, {}}
                      : std::move(memory.last),
                  u"", std::nullopt, memory.encoding);
  memory.start = {};
  Tell({Notice::Place::Window, page, std::move(why)});
}

void ListSaving::RemoveStaleSaves() {
  FinishSaves();  // the places are the saves' while they run
  for (std::size_t list = 0; list < ListCount(); ++list) {
    const StorageLocation& location = ListAt(list).file.location;
    for (const std::filesystem::path* file :
         {&location.beside_program, &location.in_user_folder})
      if (!file->empty())
        RemoveStaleTemporaryFiles(file->parent_path(), file->stem(),
                                  kStaleTemporaryFileAge);
  }
}

void ListSaving::BoxMade(std::size_t page) {
  PageList& list = ListAt(page);
  // The list's state is its save's while that runs.
  if (list.saving) FinishSaves();
  // What the list holds now, where saves since the start merged in another
  // writer's lines.
  if (FingerprintOf(list.file.memory.last_text) != list.file.memory.start)
    list.shown_at_load = list.file.memory.last_text;
  if (view_ && !view_->ShowList(page, list.shown_at_load))
    DropLoadedText(
        page, {UserReport::Kind::Failure, std::string(kTextTooLargeForBox)});
}

std::u16string ListSaving::TextOf(std::size_t page) const {
  if (std::optional<std::u16string> shown =
          view_ ? view_->ListText(page) : std::nullopt)
    return std::move(*shown);
  // A box never made would show what was loaded, or merged in since.
  const PageList& list = ListAt(page);
  const ListMemory& memory = list.file.memory;
  return FingerprintOf(memory.last_text) != memory.start ? memory.last_text
                                                         : list.shown_at_load;
}

void ListSaving::ListTyped(std::size_t page) {
  ListAt(page).changed = true;
  if (view_) view_->SaveListAfter(page, kTypingPauseMs);
}

void ListSaving::SaveTimeCame(std::size_t page) {
  if (page >= ListCount()) return;
  Save(page, SaveMoment::WhileWorking, nullptr);
  CloseIfNothingWaits();
}

void ListSaving::SaveList(std::size_t page,
                          std::optional<std::u16string> text) {
  Save(page, SaveMoment::WhileWorking, nullptr, std::move(text));
}

ListSaving::Saved ListSaving::SaveLists(SaveMoment moment, std::string* failure,
                                        std::vector<UserReport>* reports) {
  Saved saved = Saved::All;
  for (std::size_t page = 0; page < ListCount(); ++page) {
    const PageList& list = ListAt(page);
    // While working, only what was typed into; the rest waits for the close.
    if ((moment == SaveMoment::WhileWorking || !SavesUntouchedListsAtClose() ||
         list.load_failed) &&
        !list.changed)
      continue;
    switch (Save(page, moment, reports)) {
      case SaveOutcome::Result::Done:
        break;
      case SaveOutcome::Result::Locked:
        if (saved == Saved::All) saved = Saved::Waiting;
        break;
      case SaveOutcome::Result::Failed:
        if (failure && saved != Saved::Failed)
          *failure =
              ComposeMessage(kCannotSaveList,
                             {Utf8FromU16(ListName(page)), list.last_failure});
        saved = Saved::Failed;
        break;
    }
  }
  return saved;
}

SaveOutcome::Result ListSaving::Save(std::size_t page, SaveMoment moment,
                                     std::vector<UserReport>* reports,
                                     std::optional<std::u16string> text) {
  if (view_) view_->CancelListSave(page);
  if (moment == SaveMoment::WhileWorking) {
    SaveBesideTheWindow(page, std::move(text));
    return SaveOutcome::Result::Done;
  }
  // Nothing can wait now: what is under way ends first, so that this save
  // comes last, then this one runs here.
  FinishSaves();
  const std::u16string sent = TextOf(page);
  std::vector<std::u16string> deleted =
      LinesGone(ListAt(page).file.memory.last_text, sent);
  SaveOutcome outcome = SaveStorageListNow(ListAt(page).file, sent, moment,
                                           shift_jis_, match_, ops_);
  return TakeUp(page, sent, std::move(outcome), moment, reports,
                std::move(deleted));
}

void ListSaving::ListChangedOnDisk(std::size_t page) {
  if (page >= ListCount()) return;
  PageList& list = ListAt(page);
  if (list.saving) {
    // The save under way may have read the file before the change.
    list.save_again = true;
    return;
  }
  // Looked at beside the window, the box's text left alone: only a change
  // by another writer is saved, and that save takes their text in.
  list.saving = true;
  worker_->Post([this, page]() -> std::function<void()> {
    PageList& looked = ListAt(page);
    bool changed = false;
    std::exception_ptr failure;
    try {
      changed =
          ChangedOnDisk(looked.file.memory, SavePathOf(looked.file.location),
                        looked.disk_look);
    } catch (...) {
      failure = std::current_exception();
    }
    return [this, page, changed, failure] {
      PageList& after = ListAt(page);
      after.saving = false;
      if (changed || std::exchange(after.save_again, false))
        Save(page, SaveMoment::WhileWorking, nullptr);
      CloseIfNothingWaits();
      if (failure) std::rethrow_exception(failure);
    };
  });
}

std::vector<std::filesystem::path> ListSaving::ListFiles() {
  worker_->Finish();  // the places are the saves' while they run
  std::vector<std::filesystem::path> files;
  for (std::size_t list = 0; list < ListCount(); ++list)
    files.push_back(SavePathOf(ListAt(list).file.location));
  return files;
}

void ListSaving::SaveBesideTheWindow(std::size_t page,
                                     std::optional<std::u16string> text) {
  PageList& list = ListAt(page);
  if (list.saving) {
    list.save_again = true;
    return;
  }
  list.saving = true;
  worker_->Post([this, page,
                 sent = text ? std::move(*text)
                             : TextOf(page)]() -> std::function<void()> {
    std::optional<SaveOutcome> outcome;
    std::vector<std::u16string> deleted;
    std::exception_ptr failure;
    try {
      deleted = LinesGone(ListAt(page).file.memory.last_text, sent);
      outcome =
          SaveStorageListNow(ListAt(page).file, sent, SaveMoment::WhileWorking,
                             shift_jis_, match_, ops_);
    } catch (...) {
      failure = std::current_exception();
    }
    return [this, page, sent, outcome, failure,
            deleted = std::move(deleted)]() mutable {
      PageList& saved = ListAt(page);
      saved.saving = false;
      if (failure) {
        // Tried again later, as a save that found no place is; the failure
        // goes to the window's error report.
        saved.changed = true;
        saved.save_again = false;
        if (view_) view_->SaveListAfter(page, kFailedPauseMs);
        CloseIfNothingWaits();
        std::rethrow_exception(failure);
      }
      TakeUp(page, sent, std::move(*outcome), SaveMoment::WhileWorking, nullptr,
             std::move(deleted));
      if (std::exchange(saved.save_again, false))
        Save(page, SaveMoment::WhileWorking, nullptr);
      CloseIfNothingWaits();
    };
  });
}

SaveOutcome::Result ListSaving::TakeUp(std::size_t page,
                                       std::u16string_view sent,
                                       SaveOutcome outcome, SaveMoment moment,
                                       std::vector<UserReport>* reports,
                                       std::vector<std::u16string> deleted) {
  PageList& list = ListAt(page);
  RecordRemoved(page, outcome, moment, std::move(deleted));
  const std::u16string now = TextOf(page);
  const bool typed_since = !SameText(now, sent);
  if (outcome.merged && view_)
    view_->ShowMergedList(
        page, typed_since
                  ? MergeStorageText(sent, *outcome.merged, now, match_).text
                  : *outcome.merged);
  list.locked = outcome.result == SaveOutcome::Result::Locked;
  list.changed = outcome.result != SaveOutcome::Result::Done || typed_since;
  if (outcome.result == SaveOutcome::Result::Failed)
    list.last_failure = outcome.failure;
  if (view_) {
    if (const std::optional<unsigned> again =
            SaveRetryDelay(outcome.result, moment))
      view_->SaveListAfter(page, *again);
    else if (typed_since && moment == SaveMoment::WhileWorking)
      view_->SaveListAfter(page, kTypingPauseMs);
  }
  TellOfSave(page, outcome, moment, reports);
  return outcome.result;
}

void ListSaving::TellOfSave(std::size_t page, SaveOutcome& outcome,
                            SaveMoment moment,
                            std::vector<UserReport>* reports) {
  const bool working = moment == SaveMoment::WhileWorking;
  std::vector<UserReport> told;
  if (outcome.taken_in > 0 && working && page == ActiveListIndex())
    told.push_back(
        {UserReport::Kind::Notice,
         ComposeMessage(kTakenInLines, {std::to_string(outcome.taken_in)})});
  // Told while the user can still see them go; kept to be put back.
  if (!outcome.removed.empty() && working) {
    told.push_back({UserReport::Kind::Notice,
                    ComposeMessage(kRemovedElsewhere,
                                   {std::to_string(outcome.removed.size())})});
  }
  if (outcome.result == SaveOutcome::Result::Failed && working)
    outcome.reports.push_back(
        {UserReport::Kind::Failure,
         ComposeMessage(kCannotSaveList,
                        {Utf8FromU16(ListName(page)), outcome.failure})});
  // A list that reached its own file may be told of afresh.
  if (outcome.result == SaveOutcome::Result::Done && !outcome.elsewhere)
    notices_.Forget(page);
  for (UserReport& report : outcome.reports)
    if (notices_.FirstTime(page, report.text))
      told.push_back(std::move(report));
  if (!working) {
    if (reports) reports->insert(reports->end(), told.begin(), told.end());
    return;
  }
  if (told.empty()) return;
  UserReport balloon = told.front();
  for (std::size_t i = 1; i < told.size(); ++i)
    balloon.text += "\n" + told[i].text;
  Tell({Notice::Place::StorageBox, page, std::move(balloon)});
}

void ListSaving::CloseIfNothingWaits() {
  bool waiting = false;
  for (std::size_t page = 0; page < ListCount(); ++page)
    waiting = waiting || ListAt(page).locked || ListAt(page).saving;
  if (close_asked_ && !waiting && view_) {
    close_asked_ = false;
    view_->CloseAgain();
  }
}

void ListSaving::RecordRemoved(std::size_t page, const SaveOutcome& outcome,
                               SaveMoment moment,
                               std::vector<std::u16string> deleted) {
  const std::int64_t now = SecondsNow();
  std::vector<RemovedLine> removed;
  if (outcome.result == SaveOutcome::Result::Done)
    for (std::u16string& line : deleted)
      removed.push_back({std::move(line), now, RemovedHow::Here});
  // A line dropped as the window closes is seen nowhere: the next start
  // tells of it.
  const bool closing = moment != SaveMoment::WhileWorking;
  for (const std::u16string& line : outcome.removed)
    removed.push_back({line, now,
                       closing ? RemovedHow::AtClose : RemovedHow::Elsewhere,
                       !closing});
  ListAt(page).removed.Add(std::move(removed), now, ops_);
}

std::vector<RemovedLine> ListSaving::RemovedLinesOf(std::size_t page) const {
  std::vector<RemovedLine> lines = ListAt(page).removed.All();
  const std::unordered_set<std::u16string> shown = LinesOfText(TextOf(page));
  std::erase_if(lines, [&](const RemovedLine& entry) {
    return shown.count(entry.line) > 0;
  });
  return lines;
}

std::vector<std::u16string> ListSaving::PutBack(
    std::size_t page, const std::vector<std::u16string>& lines) {
  ListAt(page).removed.Take(lines, ops_);
  std::unordered_set<std::u16string> shown = LinesOfText(TextOf(page));
  std::vector<std::u16string> back;
  for (const std::u16string& line : lines)
    if (shown.insert(line).second) back.push_back(line);
  return back;
}

}  // namespace tavlin
