#include "win32/forms/storage_pages_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>

#include "src/app/save_timing.h"
#include "src/platform/atomic_save.h"
#include "src/platform/messages.h"
#include "src/platform/tavlin_error.h"
#include "src/platform/unicode_text.h"
#include "src/storage/storage_merge.h"
#include "src/storage/store_rule.h"
#include "src/ui/main_form_layout.h"
#include "win32/gui/control_rows_win32.h"
#include "win32/gui/error_report_win32.h"
#include "win32/system/known_folder_win32.h"
#include "win32/system/shift_jis_codec_win32.h"
#include "win32/system/slogan_match_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

constexpr UINT kBalloonShown = 6000;

}  // namespace

StoragePages::StoragePages(HWND form, std::vector<PageSpec> entries,
                           const LayoutRect& where)
    : form_(form),
      worker_([form] { PostMessageW(form, kSaveDoneMessage, 0, 0); }) {
  for (PageSpec& entry : entries)
    pages_.emplace_back().entry = std::move(entry);
  for (Page& page : pages_)
    if (page.entry.box_at_start) MakeBox(page, where, nullptr);
  if (!pages_.empty() && pages_[0].box) ShowWindow(pages_[0].box, SW_SHOW);
}

const std::u16string& StoragePages::Theme(std::size_t page) const {
  return pages_.at(page).entry.storage_theme;
}

const PageSpec& StoragePages::Entry(std::size_t page) const {
  return pages_.at(page).entry;
}

bool StoragePages::IsStorageBox(HWND window) const {
  return window && std::any_of(pages_.begin(), pages_.end(),
                               [&](const Page& p) { return p.box == window; });
}

std::vector<HWND> StoragePages::Boxes() const {
  std::vector<HWND> boxes;
  for (const Page& page : pages_)
    if (page.box) boxes.push_back(page.box);
  return boxes;
}

void StoragePages::LoadAll() {
  const std::filesystem::path application_data = RoamingApplicationDataFolder();
  const std::filesystem::path temporary = TemporaryFolder();
  for (Page& page : pages_) {
    StorageLocation location;
    location.beside_program = page.entry.storage_file;
    location.in_user_folder =
        UserFolderStoragePath(application_data, location.beside_program);
    location.in_temporary_folder =
        UserFolderStoragePath(temporary, location.beside_program);
    Load(page, location);
  }
}

void StoragePages::RemoveStaleSaves() {
  worker_.Finish();  // the places are the saves' while they run
  for (const Page& page : pages_) {
    const StorageLocation& location = page.file.location;
    for (const std::filesystem::path* file :
         {&location.beside_program, &location.in_user_folder})
      if (!file->empty())
        RemoveStaleTemporaryFiles(file->parent_path(), file->stem(),
                                  kStaleTemporaryFileAge);
  }
}

void StoragePages::Load(Page& page, const StorageLocation& at) {
  StorageStart start = StartStorageList(at, ShiftJisCodec(), SlogansMatchText);
  page.file = std::move(start.state);
  for (UserReport& notice : start.notices) Tell(std::move(notice));
  try {
    if (start.failure) throw TavlinError(*start.failure);
    page.shown_at_load = std::wstring(AsWide(start.shown));
    // A page without its box yet shows the text when the box is made.
    if (page.box) ShowLoadedText(page);
  } catch (...) {
    DropLoadedText(page);
    return;
  }
  // What was taken in from elsewhere goes to the list's file soon.
  if (start.shown != page.file.memory.last_text) {
    page.changed = true;
    SetTimer(form_, kFirstSaveTimer + IndexOf(page), kTypingPauseMs, nullptr);
  }
}

void StoragePages::ShowLoadedText(Page& page) {
  const bool was = std::exchange(showing_merge_, true);
  SetWindowTextW(page.box, page.shown_at_load.c_str());
  showing_merge_ = was;
  if (static_cast<std::size_t>(GetWindowTextLengthW(page.box)) !=
      page.shown_at_load.size())
    throw TavlinError(kTextTooLargeForBox);
}

void StoragePages::DropLoadedText(Page& page) {
  // The list does not hold what the file holds: saves merge with the file
  // as it is then, from an empty start, and never write it over.
  if (page.box) {
    const bool was = std::exchange(showing_merge_, true);
    SetWindowTextW(page.box, L"");
    showing_merge_ = was;
  }
  page.shown_at_load.clear();
  ListMemory& memory = page.file.memory;
  memory.Remember(memory.last.kind == FileSnapshot::Kind::Read
                      ? FileSnapshot{FileSnapshot::Kind::Unread, {}}
                      : std::move(memory.last),
                  u"", std::nullopt, memory.encoding);
  memory.start = {};
  Tell(CurrentExceptionReport());
}

void StoragePages::Tell(UserReport report) {
  if (IsWindowVisible(form_))
    ShowUserReport(form_, report);
  else
    load_reports_.push_back(std::move(report));
}

void StoragePages::TellLoadReports() {
  std::vector<UserReport> reports = std::move(load_reports_);
  load_reports_.clear();
  for (const UserReport& report : reports) ShowUserReport(form_, report);
}

void StoragePages::Activate(std::size_t page, const LayoutRect& where,
                            HFONT font) {
  active_ = page < pages_.size() ? page : 0;
  Page& active = pages_[active_];
  if (!active.box) MakeBox(active, where, font);
  for (const Page& each : pages_)
    if (each.box) ShowWindow(each.box, &each == &active ? SW_SHOW : SW_HIDE);
}

void StoragePages::MakeBox(Page& page, const LayoutRect& where, HFONT font) {
  page.box = CreateControl(form_, StorageBoxId(IndexOf(page)),
                           ControlKind::StorageBox, where, u"");
  // Above the page control, under everything else.
  SetWindowPos(page.box, GetDlgItem(form_, kPanel1), 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  // A box made with the window takes its font with the window's controls.
  if (font)
    SendMessageW(page.box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageW(page.box, EM_SETLIMITTEXT, 0, 0);
  Watch(page.box);
  // The list's state is its save's while that runs.
  if (page.saving) worker_.Finish();
  // What the list holds now, where saves since the start merged in another
  // writer's lines.
  if (FingerprintOf(page.file.memory.last_text) != page.file.memory.start)
    page.shown_at_load = std::wstring(AsWide(page.file.memory.last_text));
  try {
    ShowLoadedText(page);
  } catch (...) {
    DropLoadedText(page);
  }
}

std::size_t StoragePages::IndexOf(const Page& page) const {
  return static_cast<std::size_t>(&page - pages_.data());
}

std::u16string StoragePages::TextOf(const Page& page) const {
  if (page.box) return std::u16string(AsU16(WindowTextOf(page.box)));
  // A box never made would show what was loaded, or merged in since.
  const ListMemory& memory = page.file.memory;
  return std::u16string(FingerprintOf(memory.last_text) != memory.start
                            ? memory.last_text
                            : AsU16(page.shown_at_load));
}

void StoragePages::OnBoxChanged(HWND box) {
  if (showing_merge_) return;
  for (Page& page : pages_) {
    if (page.box != box) continue;
    page.changed = true;
    SetTimer(form_, kFirstSaveTimer + IndexOf(page), kTypingPauseMs, nullptr);
  }
}

bool StoragePages::OnTimer(UINT_PTR id) {
  if (id == kStorageBalloonTimer) {
    KillTimer(form_, id);
    balloon_.Hide();
    return true;
  }
  if (id < kFirstSaveTimer || id >= kFirstSaveTimer + pages_.size())
    return false;
  KillTimer(form_, id);
  Save(pages_[id - kFirstSaveTimer], SaveMoment::WhileWorking, nullptr);
  CloseIfNothingWaits();
  return true;
}

void StoragePages::SaveActive() {
  Save(pages_[active_], SaveMoment::WhileWorking, nullptr);
}

StoragePages::Saved StoragePages::SaveAll(SaveMoment moment,
                                          std::string* failure,
                                          std::vector<UserReport>* reports) {
  Saved saved = Saved::All;
  for (Page& page : pages_) {
    // While working, only what was typed into; the rest waits for the close.
    if (moment == SaveMoment::WhileWorking && !page.changed) continue;
    switch (Save(page, moment, reports)) {
      case SaveOutcome::Result::Done:
        break;
      case SaveOutcome::Result::Locked:
        if (saved == Saved::All) saved = Saved::Waiting;
        break;
      case SaveOutcome::Result::Failed:
        if (failure && saved != Saved::Failed)
          *failure = ComposeMessage(
              kCannotSaveList,
              {Utf8FromU16(page.entry.storage_theme), page.told_failure});
        saved = Saved::Failed;
        break;
    }
  }
  return saved;
}

SaveOutcome::Result StoragePages::Save(Page& page, SaveMoment moment,
                                       std::vector<UserReport>* reports) {
  KillTimer(form_, kFirstSaveTimer + IndexOf(page));
  if (moment == SaveMoment::WhileWorking) {
    SaveBesideTheWindow(page);
    return SaveOutcome::Result::Done;
  }
  // Nothing can wait now: what is under way ends first, so that this save
  // comes last, then this one runs here.
  worker_.Finish();
  const std::u16string sent = TextOf(page);
  return TakeUp(page, sent,
                SaveStorageListNow(page.file, sent, moment, ShiftJisCodec(),
                                   SlogansMatchText),
                moment, reports);
}

void StoragePages::SaveBesideTheWindow(Page& page) {
  if (page.saving) {
    page.save_again = true;
    return;
  }
  page.saving = true;
  const std::size_t index = IndexOf(page);
  worker_.Post([this, index, sent = TextOf(page)]() -> std::function<void()> {
    std::optional<SaveOutcome> outcome;
    std::exception_ptr failure;
    try {
      outcome =
          SaveStorageListNow(pages_[index].file, sent, SaveMoment::WhileWorking,
                             ShiftJisCodec(), SlogansMatchText);
    } catch (...) {
      failure = std::current_exception();
    }
    return [this, index, sent, outcome, failure] {
      Page& saved = pages_[index];
      saved.saving = false;
      if (failure) {
        saved.changed = true;
        SetTimer(form_, kFirstSaveTimer + index, kFailedPauseMs, nullptr);
        std::rethrow_exception(failure);
      }
      TakeUp(saved, sent, *outcome, SaveMoment::WhileWorking, nullptr);
      if (std::exchange(saved.save_again, false))
        Save(saved, SaveMoment::WhileWorking, nullptr);
      CloseIfNothingWaits();
    };
  });
}

SaveOutcome::Result StoragePages::TakeUp(Page& page, std::u16string_view sent,
                                         SaveOutcome outcome, SaveMoment moment,
                                         std::vector<UserReport>* reports) {
  const UINT_PTR timer = kFirstSaveTimer + IndexOf(page);
  const std::u16string now = TextOf(page);
  const bool typed_since = !SameText(now, sent);
  if (outcome.merged)
    ShowMerged(page,
               typed_since ? MergeStorageText(sent, *outcome.merged, now,
                                              SlogansMatchText)
                                 .text
                           : *outcome.merged,
               outcome.taken_in);
  // Told while the user can still put them back.
  if (!outcome.removed.empty() && moment == SaveMoment::WhileWorking) {
    page.removed.insert(page.removed.end(), outcome.removed.begin(),
                        outcome.removed.end());
    outcome.reports.push_back(
        {UserReport::Kind::Notice,
         ComposeMessage(kRemovedElsewhere,
                        {std::to_string(outcome.removed.size())})});
  }
  page.locked = outcome.result == SaveOutcome::Result::Locked;
  page.changed = outcome.result != SaveOutcome::Result::Done || typed_since;
  if (outcome.result == SaveOutcome::Result::Done) page.told_failure.clear();
  if (const std::optional<unsigned> again =
          SaveRetryDelay(outcome.result, moment))
    SetTimer(form_, timer, *again, nullptr);
  else if (typed_since && moment == SaveMoment::WhileWorking)
    SetTimer(form_, timer, kTypingPauseMs, nullptr);
  if (moment == SaveMoment::WhileWorking) {
    if (outcome.result == SaveOutcome::Result::Failed &&
        outcome.failure != page.told_failure)
      outcome.reports.push_back(
          {UserReport::Kind::Failure,
           ComposeMessage(
               kCannotSaveList,
               {Utf8FromU16(page.entry.storage_theme), outcome.failure})});
    TellInBalloon(page, outcome.reports);
  } else if (reports) {
    reports->insert(reports->end(), outcome.reports.begin(),
                    outcome.reports.end());
  }
  if (outcome.result == SaveOutcome::Result::Failed)
    page.told_failure = outcome.failure;
  return outcome.result;
}

void StoragePages::CloseIfNothingWaits() {
  const bool waiting =
      std::any_of(pages_.begin(), pages_.end(),
                  [](const Page& page) { return page.locked || page.saving; });
  if (close_asked_ && !waiting) {
    close_asked_ = false;
    PostMessageW(form_, WM_CLOSE, 0, 0);
  }
}

void StoragePages::TellInBalloon(const Page& page,
                                 const std::vector<UserReport>& told) {
  if (told.empty()) return;
  std::string text;
  for (const UserReport& report : told)
    text += (text.empty() ? "" : "\n") + report.text;
  // The page's own box where it shows, else the box in view: the text
  // names the list it is about.
  HWND box = page.box && page.box == ActiveBox() ? page.box : ActiveBox();
  ShowBalloon(box, WideFromUtf8(text));
}

void StoragePages::ShowBalloon(HWND box, const std::wstring& text) {
  if (!box || !IsWindowVisible(form_)) return;
  balloon_.Show(form_, box, text);
  SetTimer(form_, kStorageBalloonTimer, kBalloonShown, nullptr);
}

void StoragePages::ShowMerged(Page& page, const std::u16string& text,
                              std::size_t taken_in) {
  if (!page.box) return;
  const std::wstring now = WindowTextOf(page.box);
  const std::wstring_view merged = AsWide(text);
  // Only the part that differs is replaced, so that the caret and the
  // scrolling stay with the text.
  std::size_t head = 0;
  while (head < now.size() && head < merged.size() && now[head] == merged[head])
    ++head;
  std::size_t tail = 0;
  while (tail < now.size() - head && tail < merged.size() - head &&
         now[now.size() - 1 - tail] == merged[merged.size() - 1 - tail])
    ++tail;
  DWORD start = 0, end = 0;
  SendMessageW(page.box, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  const LRESULT first_line =
      SendMessageW(page.box, EM_GETFIRSTVISIBLELINE, 0, 0);
  const bool was = std::exchange(showing_merge_, true);
  SendMessageW(page.box, EM_SETSEL, head, now.size() - tail);
  const std::wstring middle(merged.substr(head, merged.size() - head - tail));
  SendMessageW(page.box, EM_REPLACESEL, TRUE,
               reinterpret_cast<LPARAM>(middle.c_str()));
  // The caret stays with the text it stood in.
  const std::size_t replaced_end = now.size() - tail;
  const auto moved = [&](std::size_t at) -> std::size_t {
    if (at <= head) return at;
    if (at >= replaced_end) return at - replaced_end + head + middle.size();
    return head + middle.size();
  };
  SendMessageW(page.box, EM_SETSEL, moved(start),
               static_cast<LPARAM>(moved(end)));
  const LRESULT first_now =
      SendMessageW(page.box, EM_GETFIRSTVISIBLELINE, 0, 0);
  SendMessageW(page.box, EM_LINESCROLL, 0, first_line - first_now);
  // Undo never takes back another writer's lines, nor brings back a line
  // another writer deleted.
  SendMessageW(page.box, EM_EMPTYUNDOBUFFER, 0, 0);
  showing_merge_ = was;
  if (taken_in > 0 && page.box == ActiveBox())
    ShowBalloon(page.box, WideFromUtf8(ComposeMessage(
                              kTakenInLines, {std::to_string(taken_in)})));
}

void StoragePages::StoreSlogan(std::wstring_view slogan) {
  HWND box = ActiveBox();
  if (slogan.empty() || !box) return;
  const std::wstring text = WindowTextOf(box);
  const BasicStorageEdit<wchar_t> edit =
      PlanStoreSlogan(std::wstring_view(text), slogan, SlogansMatchWide);
  if (edit.removes_line) {
    SendMessageW(box, EM_SETSEL, edit.remove_begin, edit.remove_end);
    SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
  }
  const LRESULT end = GetWindowTextLengthW(box);
  SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(end), end);
  SendMessageW(box, EM_REPLACESEL, TRUE,
               reinterpret_cast<LPARAM>(edit.appended.c_str()));
  SendMessageW(box, EM_SCROLLCARET, 0, 0);
}

}  // namespace tavlin
