// The storage lists under many users at once: two copies of the host's
// list saving (MainHost, its saves beside the window, the real files), an
// editor that honours no lock and a file layer that fails on command, each
// step a user act or a fault drawn from a seed. A model of the rules the
// README and the guide give says what every list must hold after each
// step; a failure prints its seed and the fewest steps that still show it.
//
// TAVLIN_SIM_STEPS sets how many steps run in all (more for a long run),
// TAVLIN_SIM_SEED replays the one episode of that seed.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <mutex>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <thread>

#include "src/app/main_host.h"
#include "src/storage/removed_record.h"
#include "src/storage/storage_file.h"
#include "src/storage/storage_places.h"
#include "src/storage/store_rule.h"
#include "support/faulty_file_ops.h"
#include "support/list_session.h"
#include "support/temp_folder.h"

namespace tavlin {

namespace {

namespace fs = std::filesystem;

constexpr int kCopies = 2;
constexpr std::size_t kPages = 2;
constexpr int kStepsPerEpisode = 120;
constexpr int kSlogans = 5;  // the slogans stored, shared by every copy

#if defined(__SANITIZE_ADDRESS__)
constexpr long kDefaultSteps = 30000;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr long kDefaultSteps = 30000;
#else
constexpr long kDefaultSteps = 300000;
#endif
#else
constexpr long kDefaultSteps = 300000;
#endif


enum class Act {
  Type,
  Store,
  Delete,
  Undo,
  PutBack,
  SwitchPage,
  Deactivate,
  Timers,
  Message,
  SaveGoesOn,
  Close,
  Start,
  Kill,
  EditorReads,
  EditorWrites,
  ReadOnly,
  RefuseReplace,
  LockHeld,
  StaleLock,
};

struct Step {
  Act act;
  int copy;
  std::size_t page;
  unsigned r;
};

std::string Describe(const Step& step) {
  std::ostringstream out;
  const std::string copy = "copy " + std::to_string(step.copy) + " ";
  const std::string list = "list " + std::to_string(step.page);
  switch (step.act) {
    case Act::Type: out << copy << "types a line"; break;
    case Act::Store: out << copy << "stores slogan S" << step.r % kSlogans; break;
    case Act::Delete: out << copy << "deletes line #" << step.r; break;
    case Act::Undo: out << copy << "undoes"; break;
    case Act::PutBack: out << copy << "puts back the deleted lines"; break;
    case Act::SwitchPage: out << copy << "switches page"; break;
    case Act::Deactivate: out << copy << "loses activation"; break;
    case Act::Timers: out << copy << "'s save timers fire"; break;
    case Act::Message: out << copy << " takes up its saves' results"; break;
    case Act::SaveGoesOn:
      out << copy << "'s running save does " << 1 + step.r % 4 << " more calls";
      break;
    case Act::Close: out << copy << "closes"; break;
    case Act::Start: out << copy << "starts"; break;
    case Act::Kill:
      out << copy << "is killed at its " << step.r % 12 << "th next file call";
      break;
    case Act::EditorReads: out << "the editor reads " << list; break;
    case Act::EditorWrites:
      out << "the editor " << ((step.r & 1) ? "adds a line to" : "deletes a line of")
          << " its " << ((step.r & 2) ? "stale" : "fresh") << " copy of " << list
          << ", written " << ((step.r & 4) ? "in place" : "by rename");
      break;
    case Act::ReadOnly:
      out << list << ((step.r & 1) ? " becomes" : " is no longer") << " read-only";
      break;
    case Act::RefuseReplace:
      out << list << ((step.r & 1) ? " is" : " is no longer")
          << " held open by a backup tool";
      break;
    case Act::LockHeld:
      out << list << "'s lock " << ((step.r & 1) ? "is" : "is no longer")
          << " held by someone else";
      break;
    case Act::StaleLock: out << list << "'s lock file is left by nobody"; break;
  }
  return out.str();
}

std::vector<Step> StepsOf(std::uint32_t seed, int count) {
  static constexpr std::array<std::pair<Act, int>, 19> kWeights{{
      {Act::Type, 14},        {Act::Store, 6},        {Act::Delete, 6},
      {Act::Undo, 4},         {Act::PutBack, 3},      {Act::SwitchPage, 3},
      {Act::Deactivate, 3},   {Act::Timers, 10},      {Act::Message, 10},
      {Act::SaveGoesOn, 12},  {Act::Close, 3},        {Act::Start, 5},
      {Act::Kill, 1},         {Act::EditorReads, 2},  {Act::EditorWrites, 3},
      {Act::ReadOnly, 2},     {Act::RefuseReplace, 2}, {Act::LockHeld, 1},
      {Act::StaleLock, 1},
  }};
  int total = 0;
  for (const auto& weight : kWeights) total += weight.second;
  std::mt19937 random(seed);
  std::vector<Step> steps;
  for (int i = 0; i < count; ++i) {
    int pick = static_cast<int>(random() % static_cast<unsigned>(total));
    Act act = Act::Type;
    for (const auto& weight : kWeights) {
      if (pick < weight.second) {
        act = weight.first;
        break;
      }
      pick -= weight.second;
    }
    const int copy = static_cast<int>(random() % kCopies);
    const std::size_t page = random() % kPages;
    steps.push_back({act, copy, page, static_cast<unsigned>(random() % 1000)});
  }
  return steps;
}

std::vector<std::u16string> LinesOf(std::u16string_view text) {
  std::vector<std::u16string> lines;
  std::size_t begin = 0;
  while (begin <= text.size()) {
    std::size_t end = text.find(u"\r\n", begin);
    if (end == std::u16string_view::npos) end = text.size();
    std::u16string line(text.substr(begin, end - begin));
    if (!line.empty()) lines.push_back(std::move(line));
    begin = end + 2;
  }
  return lines;
}

std::u16string TextOf(const std::vector<std::u16string>& lines) {
  std::u16string text;
  for (const std::u16string& line : lines) text += line + u"\r\n";
  return text;
}

std::string Utf8(std::u16string_view text) {
  return std::string(text.begin(), text.end());  // the lines are ASCII
}

// TAVLIN_SIM_TRACE=1 prints each step and file call of a replay.
bool Tracing() {
  static const bool tracing = std::getenv("TAVLIN_SIM_TRACE") != nullptr;
  return tracing;
}

struct Faults {
  std::array<bool, kPages> read_only{}, refuse_replace{}, lock_held{};
};

// One copy's file layer: the system's, failing as the world's faults say,
// dead after a kill, and, on the saves' own thread, stopping before each
// call until the simulation lets it go on, so that every interleaving of
// a save with the other writers is a step and replays from its seed.
class CopyOps final : public SystemLikeFileOps {
 public:
  CopyOps(const std::array<fs::path, kPages>& lists, const Faults& faults,
          std::thread::id window)
      : lists_(lists), faults_(faults), window_(window) {}

  std::mutex mutex;
  std::condition_variable changed;
  bool running_free = false;  // a call of the window that waits for saves
  bool parked = false;
  int grants = 0;
  int posted = 0;    // saves handed to the thread beside the window
  int finished = 0;  // and done there
  long calls = 0;
  long kill_at = -1;
  bool dead = false;

  CreateResult CreateNew(const fs::path& path,
                         std::unique_ptr<OutputFile>& file) override;
  bool IsReadOnly(const fs::path& path) override {
    if (Enter("IsReadOnly", path)) return true;
    const int list = ListOf(path);
    return (list >= 0 && faults_.read_only[static_cast<std::size_t>(list)]) ||
           SystemFileOps().IsReadOnly(path);
  }
  bool IsFolder(const fs::path& path) override {
    Enter("IsFolder", path);
    return SystemFileOps().IsFolder(path);
  }
  bool IsFile(const fs::path& path) override {
    Enter("IsFile", path);
    return SystemFileOps().IsFile(path);
  }
  bool Rename(const fs::path& from, const fs::path& to,
              bool replace) override {
    if (Enter("Rename", to) || Refuses(to)) return false;
    return SystemFileOps().Rename(from, to, replace);
  }
  bool Remove(const fs::path& path) override {
    if (Enter("Remove", path)) return false;
    return SystemFileOps().Remove(path);
  }
  LockResult TryLock(const fs::path& path,
                     std::unique_ptr<FileLock>& lock) override {
    if (Enter("TryLock", path)) return LockResult::CannotCreate;
    if (LockHeld(path)) return LockResult::HeldElsewhere;
    return SystemFileOps().TryLock(path, lock);
  }
  bool BreakStaleLock(const fs::path& path) override {
    if (Enter("BreakStaleLock", path) || LockHeld(path)) return false;
    return SystemFileOps().BreakStaleLock(path);
  }
  ReplaceResult ReplaceKeepingOld(const fs::path& from, const fs::path& to,
                                  const fs::path& backup) override {
    if (Enter("ReplaceKeepingOld", to) || Refuses(to))
      return ReplaceResult::Failed;
    return SystemFileOps().ReplaceKeepingOld(from, to, backup);
  }

  // Before each call: true where the copy is dead by now.
  bool Enter(const char* call, const fs::path& path = {}) {
    if (Tracing())
      std::fprintf(stderr, "    %s %s %s\n", call,
                   path.filename().string().c_str(),
                   std::this_thread::get_id() == window_ ? "" : "(beside)");
    std::unique_lock hold(mutex);
    if (std::this_thread::get_id() != window_) {
      if (!running_free && !dead && grants == 0) {
        parked = true;
        changed.notify_all();
        changed.wait(hold, [&] { return running_free || dead || grants > 0; });
      }
      if (grants > 0) --grants;
    }
    if (++calls == kill_at) dead = true;
    return dead;
  }

 private:
  int ListOf(const fs::path& path) const {
    for (std::size_t list = 0; list < kPages; ++list)
      if (path == lists_[list]) return static_cast<int>(list);
    return -1;
  }
  bool Refuses(const fs::path& to) const {
    const int list = ListOf(to);
    if (list < 0) return false;
    const auto at = static_cast<std::size_t>(list);
    return faults_.read_only[at] || faults_.refuse_replace[at];
  }
  bool LockHeld(const fs::path& path) const {
    for (std::size_t list = 0; list < kPages; ++list)
      if (path == StorageLockPath(lists_[list])) return faults_.lock_held[list];
    return false;
  }

  const std::array<fs::path, kPages>& lists_;
  const Faults& faults_;
  std::thread::id window_;
};

class StoppingOutputFile final : public OutputFile {
 public:
  StoppingOutputFile(std::unique_ptr<OutputFile> real, CopyOps& ops)
      : real_(std::move(real)), ops_(ops) {}
  std::optional<std::size_t> Write(std::string_view bytes) override {
    if (ops_.Enter("Write")) return std::nullopt;
    return real_->Write(bytes);
  }
  bool Flush() override { return !ops_.Enter("Flush") && real_->Flush(); }
  bool Close() override {
    const bool dead = ops_.Enter("Close");
    return real_->Close() && !dead;
  }

 private:
  std::unique_ptr<OutputFile> real_;
  CopyOps& ops_;
};

CreateResult CopyOps::CreateNew(const fs::path& path,
                                std::unique_ptr<OutputFile>& file) {
  if (Enter("CreateNew", path)) return CreateResult::Failed;
  std::unique_ptr<OutputFile> real;
  const CreateResult result = SystemFileOps().CreateNew(path, real);
  if (result == CreateResult::Created)
    file = std::make_unique<StoppingOutputFile>(std::move(real), *this);
  return result;
}

// The window of one copy: its storage boxes with an edit control's one
// step of undo, its timers, what it was told, and which lines merges took
// out of its boxes.
class SimView final : public HostView {
 public:
  explicit SimView(CopyOps& ops) : ops_(ops) {}

  std::array<std::u16string, kPages> box;
  std::array<std::optional<std::u16string>, kPages> undo;
  std::map<std::size_t, unsigned> timers;
  std::vector<Notice> told;
  int closes = 0;
  bool counting_saves = true;
  std::vector<std::pair<std::size_t, std::u16string>> gone;

  // A save that found its list saving already reads no box: what it
  // cancelled says nothing to the window's next call.
  void CallBegins() { cancelled_.reset(); }

  std::optional<std::u16string> ListText(std::size_t page) const override {
    // A save handed beside the window reads the box just after it cancels
    // the list's timer: that is how the simulation knows one runs.
    if (counting_saves && cancelled_ == page) {
      std::lock_guard hold(ops_.mutex);
      ++ops_.posted;
    }
    cancelled_.reset();
    return box.at(page);
  }
  bool ShowList(std::size_t page, std::u16string_view text) override {
    cancelled_.reset();
    box.at(page) = text;
    undo.at(page).reset();
    return true;
  }
  void ShowMergedList(std::size_t page, std::u16string_view text) override {
    cancelled_.reset();
    std::multiset<std::u16string> after;
    for (std::u16string& line : LinesOf(text)) after.insert(std::move(line));
    for (std::u16string& line : LinesOf(box.at(page))) {
      const auto found = after.find(line);
      if (found == after.end())
        gone.emplace_back(page, std::move(line));
      else
        after.erase(found);
    }
    box.at(page) = text;
    undo.at(page).reset();
  }
  void SaveListAfter(std::size_t page, unsigned ms) override {
    cancelled_.reset();
    timers[page] = ms;
  }
  void CancelListSave(std::size_t page) override {
    timers.erase(page);
    cancelled_ = page;
  }
  void Tell(const Notice& notice) override {
    cancelled_.reset();
    told.push_back(notice);
  }
  void CloseAgain() override {
    cancelled_.reset();
    ++closes;
  }
  void WakeForSaveResults() override {
    std::lock_guard hold(ops_.mutex);
    ++ops_.finished;
    ops_.changed.notify_all();
  }

 private:
  CopyOps& ops_;
  mutable std::optional<std::size_t> cancelled_;
};

constexpr int kEditorActor = -1;

struct Violation {
  std::string kind;
  std::string detail;
};

// What the rules say of one line of a list: who last added or deleted it,
// and what the file showed of it.
struct LineLife {
  bool present = false;
  bool ever = false;
  int absent_since = -1;
  std::map<int, std::pair<bool, int>> last_act;  // actor: (added, step)
  std::map<int, int> deleted_at, added_at;        // actor: its last step

  bool DeletedBySomeone() const {
    for (const auto& act : last_act)
      if (!act.second.first) return true;
    return false;
  }
  // A user deleted the line and took the deletion back (an undo, a put
  // back): a save between the two took the line out of the file, and the
  // next save of theirs brings it back; a close checks that it did.
  bool DeletedAndTakenBack() const { return TakenBackBy() >= 0; }
  // The user who did so, or -1.
  int TakenBackBy() const {
    for (const auto& [actor, step] : deleted_at) {
      const auto act = last_act.find(actor);
      if (actor != kEditorActor && act != last_act.end() &&
          act->second.first && act->second.second > step)
        return actor;
    }
    return -1;
  }
  // Added again since step, or added by a user whose own line it may still
  // be (stored in a box whose file never held it, or sent by a save before
  // the user deleted it again).
  bool AddedSince(int step) const {
    for (const auto& [actor, at] : added_at)
      if (at >= step || actor != kEditorActor) return true;
    return false;
  }
};

constexpr int kEditor = kEditorActor;

struct Copy {
  std::unique_ptr<CopyOps> ops;
  std::unique_ptr<SimView> view;
  std::unique_ptr<MainHost> host;
  int session = 0;  // the actor its user is, in this run of it
  bool close_put_off = false;
  int closes_seen = 0;
  std::array<std::vector<std::u16string>, kPages> owed;  // to be put back
};

class World {
 public:
  explicit World(const fs::path& folder) : folder_(folder) {
    const std::vector<PageSpec> pages = PagesOf(folder_ / "Tavlin.exe");
    for (std::size_t page = 0; page < kPages; ++page)
      lists_[page] = pages[page].storage_file;
  }
  ~World() {
    for (Copy& copy : copies_) Die(copy);
  }

  std::optional<Violation> Run(const std::vector<Step>& steps) {
    for (std::size_t at = 0; at < steps.size() && !violation_; ++at) {
      step_ = static_cast<int>(at);
      if (Tracing()) std::fprintf(stderr, "%s\n", Describe(steps[at]).c_str());
      Do(steps[at]);
      if (Tracing()) TraceLists();
      for (Copy& copy : copies_) CloseIfPutOffCloseMayGoOn(copy);
      Observe();
    }
    if (!violation_) Quiesce();
    return violation_;
  }

 private:
  // Each list's file, then each running copy's box of it.
  void TraceLists() {
    for (std::size_t page = 0; page < kPages; ++page) {
      std::string text = "      list " + std::to_string(page) + ": file";
      for (const std::u16string& line : FileLines(page)) text += " " + Utf8(line);
      for (const Copy& copy : copies_) {
        if (!copy.host) continue;
        text += " | copy " + std::to_string(&copy - copies_.data()) + ":";
        for (const std::u16string& line : LinesOf(copy.view->box[page]))
          text += " " + Utf8(line);
      }
      std::fprintf(stderr, "%s\n", text.c_str());
    }
  }

  void Fail(std::string kind, std::string detail) {
    if (!violation_) violation_ = Violation{std::move(kind), std::move(detail)};
  }

  // ---- the copies

  void Settle(Copy& copy) {
    std::unique_lock hold(copy.ops->mutex);
    if (!copy.ops->changed.wait_for(hold, std::chrono::seconds(30), [&] {
          return copy.ops->parked || copy.ops->finished >= copy.ops->posted ||
                 copy.ops->dead;
        })) {
      Fail("lost-track", "a save beside the window neither ended nor called "
                         "the file layer: posted " +
                             std::to_string(copy.ops->posted) + ", ended " +
                             std::to_string(copy.ops->finished));
      copy.ops->dead = copy.ops->running_free = true;
      copy.ops->changed.notify_all();
    }
  }

  // A call of the window that does not wait for the saves beside it.
  template <typename Call>
  void Working(Copy& copy, Call call) {
    if (copy.view) copy.view->CallBegins();
    try {
      call();
    } catch (const std::exception&) {
      // Shown by the window's error report; the lists are checked below.
    }
    if (copy.host) Settle(copy);
    if (copy.ops && copy.ops->dead) Die(copy);
  }

  // A call that waits for the saves under way: they run freely meanwhile.
  template <typename Call>
  void Waiting(Copy& copy, Call call) {
    SetFree(copy, true);
    copy.view->counting_saves = false;
    try {
      call();
    } catch (const std::exception&) {
    }
    if (copy.view) copy.view->counting_saves = true;
    if (copy.ops) {
      std::lock_guard hold(copy.ops->mutex);
      copy.ops->posted = copy.ops->finished = 0;
    }
    SetFree(copy, false);
    if (copy.ops && copy.ops->dead) Die(copy);
  }

  void SetFree(Copy& copy, bool free) {
    if (!copy.ops) return;
    std::lock_guard hold(copy.ops->mutex);
    copy.ops->running_free = free;
    if (free) copy.ops->parked = false;
    copy.ops->changed.notify_all();
  }

  // A copy killed, or closed (killed false): a killed copy's last edits may
  // never have reached a file.
  void Die(Copy& copy, bool killed = true) {
    if (killed && copy.host) killed_.insert(copy.session);
    if (copy.ops) {
      std::lock_guard hold(copy.ops->mutex);
      copy.ops->dead = true;
      copy.ops->running_free = true;
      copy.ops->changed.notify_all();
    }
    copy.host.reset();
    copy.view.reset();
    copy.ops.reset();
    copy.close_put_off = false;
    for (auto& owed : copy.owed) owed.clear();
  }

  void Start(Copy& copy) {
    if (copy.host) return;
    copy.ops = std::make_unique<CopyOps>(lists_, faults_,
                                         std::this_thread::get_id());
    copy.view = std::make_unique<SimView>(*copy.ops);
    copy.host = std::make_unique<MainHost>(PagesOf(folder_ / "Tavlin.exe"),
                                           folder_, codec_,
                                           ListSaving::SameLine, *copy.ops);
    copy.session = ++sessions_;
    copy.closes_seen = 0;
    Waiting(copy, [&] {
      copy.host->Attach(*copy.view);
      copy.host->LoadLists({folder_ / "user", folder_ / "temp"});
      copy.host->WindowShows();
    });
    if (!copy.host) return;
    copy.view->gone.clear();
    // What a close kept out of its file is in the list again at a start.
    for (std::size_t page = 0; page < kPages; ++page) {
      const std::vector<std::u16string> shown = LinesOf(copy.view->box[page]);
      for (const std::u16string& line : awaiting_start_[page])
        if (std::find(shown.begin(), shown.end(), line) == shown.end() &&
            !Deleted(Life(page, line)) && !TakenBackUnsaved(Life(page, line)))
          Fail("kept-at-close-missing-at-start",
               Utf8(line) + " of list " + std::to_string(page) +
                   ", kept by a close, is not in the list at the next start");
      awaiting_start_[page].clear();
    }
  }

  void Close(Copy& copy) {
    std::array<std::vector<std::u16string>, kPages> before;
    for (std::size_t page = 0; page < kPages; ++page)
      before[page] = LinesOf(copy.view->box[page]);
    copy.view->gone.clear();
    ListSaving::Saved saved = ListSaving::Saved::Failed;
    std::string failure;
    std::vector<UserReport> reports;
    Waiting(copy, [&] {
      saved = copy.host->SaveLists(SaveMoment::Closing, &failure, &reports);
    });
    if (!copy.host) return;  // killed meanwhile
    for (const auto& [page, line] : copy.view->gone)
      if (!RecordHolds(page, line))
        Fail("close-drops-silently",
             Utf8(line) + " left list " + std::to_string(page) +
                 "'s box at the close, deleted elsewhere, and is not among "
                 "the removed lines to put back");
    copy.view->gone.clear();
    if (saved == ListSaving::Saved::Waiting) {
      copy.host->CloseWhenSaved();
      copy.close_put_off = true;
      return;
    }
    if (saved == ListSaving::Saved::Failed) {
      if (!AnyFault())
        Fail("close-failed", "a close without a fault failed: " + failure);
      copy.close_put_off = false;
      return;  // the user chose キャンセル: the window stays
    }
    Die(copy, false);
    for (std::size_t page = 0; page < kPages; ++page) {
      const std::vector<std::u16string> file = FileLines(page);
      for (const std::u16string& line : before[page])
        if (std::find(file.begin(), file.end(), line) == file.end())
          awaiting_start_[page].push_back(line);
    }
  }

  bool RecordHolds(std::size_t page, const std::u16string& line) const {
    const fs::path record = RemovedRecordPath(
        UserFolderStoragePath(folder_ / "user", lists_[page]));
    std::error_code error;
    if (!fs::exists(record, error)) return false;
    for (const RemovedLine& entry : ReadRemovedRecord(ReadBytes(record)))
      if (entry.line == line) return true;
    return false;
  }

  void CloseIfPutOffCloseMayGoOn(Copy& copy) {
    if (!copy.host || !copy.close_put_off) return;
    if (copy.view->closes == copy.closes_seen) return;
    copy.closes_seen = copy.view->closes;
    copy.close_put_off = false;
    Close(copy);
  }

  bool AnyFault() const {
    for (std::size_t page = 0; page < kPages; ++page)
      if (faults_.read_only[page] || faults_.refuse_replace[page] ||
          faults_.lock_held[page])
        return true;
    return false;
  }

  // ---- the model

  // Deleted by someone, as their last act on the line or as an act of a
  // copy killed before it saved what it did after.
  bool Deleted(const LineLife& life) const {
    if (life.DeletedBySomeone()) return true;
    for (const auto& deleted : life.deleted_at)
      if (killed_.count(deleted.first)) return true;
    return false;
  }

  // Taken back by a user whose copy still runs: the line is theirs to
  // write, and their close is checked for it.
  bool TakenBackUnsaved(const LineLife& life) const {
    const int user = life.TakenBackBy();
    for (const Copy& copy : copies_)
      if (copy.host && copy.session == user) return true;
    return false;
  }

  LineLife& Life(std::size_t page, const std::u16string& line) {
    return lives_[page][line];
  }
  void Acted(std::size_t page, const std::u16string& line, int actor,
             bool added) {
    LineLife& life = Life(page, line);
    life.last_act[actor] = {added, step_};
    (added ? life.added_at : life.deleted_at)[actor] = step_;
  }
  // The user's edit of a box: what it added and deleted are their acts.
  void Edited(Copy& copy, std::size_t page, std::u16string text) {
    const std::vector<std::u16string> was = LinesOf(copy.view->box[page]);
    const std::vector<std::u16string> now = LinesOf(text);
    for (const std::u16string& line : now)
      if (std::find(was.begin(), was.end(), line) == was.end())
        Acted(page, line, copy.session, true);
    for (const std::u16string& line : was)
      if (std::find(now.begin(), now.end(), line) == now.end())
        Acted(page, line, copy.session, false);
    copy.view->undo[page] = std::move(copy.view->box[page]);
    copy.view->box[page] = std::move(text);
    Working(copy, [&] { copy.host->ListTyped(page); });
  }

  std::vector<std::u16string> FileLines(std::size_t page) const {
    std::error_code error;
    if (!fs::exists(lists_[page], error)) return {};
    const std::string bytes = ReadBytes(lists_[page]);
    return LinesOf(Latin1(bytes));
  }

  // A save held up between its replace and its merge with a writer that
  // came just before shows that writer's lines a moment later: the files
  // are judged while no save is under way.
  bool SavesUnderWay() {
    for (Copy& copy : copies_) {
      if (!copy.ops) continue;
      std::lock_guard hold(copy.ops->mutex);
      if (copy.ops->parked) return true;
    }
    return false;
  }

  void Observe() {
    const bool files_settled = !SavesUnderWay();
    for (std::size_t page = 0; page < kPages && !violation_ && files_settled;
         ++page) {
      const std::vector<std::u16string> lines = FileLines(page);
      const std::set<std::u16string> file(lines.begin(), lines.end());
      if (file.size() != lines.size())
        Fail("twice", "list " + std::to_string(page) +
                          " holds a line twice: " + Utf8(TextOf(lines)));
      for (auto& [line, life] : lives_[page]) {
        const bool present = file.count(line) > 0;
        if (life.present && !present) {
          if (!Deleted(life) && !life.DeletedAndTakenBack())
            Fail("lost", Utf8(line) + " left list " + std::to_string(page) +
                             " though nobody deleted it");
          life.absent_since = step_;
        }
        if (!life.present && present && life.ever && life.absent_since >= 0 &&
            !life.AddedSince(life.absent_since))
          Fail("came-back", Utf8(line) + ", deleted from list " +
                                std::to_string(page) +
                                ", came back though nobody added it again");
        life.present = present;
        life.ever = life.ever || present;
      }
      for (const std::u16string& line : lines) {
        LineLife& life = Life(page, line);
        life.ever = life.present = true;
      }
    }
    for (Copy& copy : copies_) {
      if (!copy.host || violation_) continue;
      for (const auto& [page, line] : copy.view->gone)
        copy.owed[page].push_back(line);
      copy.view->gone.clear();
      for (std::size_t page = 0; page < kPages; ++page) {
        const std::vector<std::u16string> lines = LinesOf(copy.view->box[page]);
        if (std::set<std::u16string>(lines.begin(), lines.end()).size() !=
            lines.size())
          Fail("twice-in-box",
               "the box of list " + std::to_string(page) +
                   " shows a line twice: " + Utf8(copy.view->box[page]));
        if (!copy.owed[page].empty() && !copy.host->AnyRemovedLines(page))
          Fail("gone-untold", Utf8(copy.owed[page].front()) +
                                  " left the box of list " +
                                  std::to_string(page) + " with nothing to put back");
      }
    }
  }

  // ---- the steps

  void Do(const Step& step) {
    Copy& copy = copies_[static_cast<std::size_t>(step.copy)];
    const bool up = copy.host != nullptr;
    const std::size_t active = up ? copy.host->Active() : 0;
    switch (step.act) {
      case Act::Type:
        if (!up) return Start(copy);
        {
          std::u16string text = copy.view->box[active];
          if (!text.empty() && !EndsWithLineBreak(std::u16string_view(text)))
            text += u"\r\n";
          const std::string line = "t" + std::to_string(++typed_);
          text += std::u16string(line.begin(), line.end()) + u"\r\n";
          Edited(copy, active, std::move(text));
        }
        return;
      case Act::Store:
        if (!up) return Start(copy);
        {
          const std::string name = "S" + std::to_string(step.r % kSlogans);
          const std::u16string slogan(name.begin(), name.end());
          const std::u16string& text = copy.view->box[active];
          const BasicStorageEdit<char16_t> edit = PlanStoreSlogan(
              std::u16string_view(text), std::u16string_view(slogan),
              ListSaving::SameLine);
          std::u16string stored = text;
          if (edit.removes_line)
            stored.erase(edit.remove_begin, edit.remove_end - edit.remove_begin);
          stored += edit.appended;
          Edited(copy, active, std::move(stored));
          Working(copy, [&] { copy.host->SaveActiveList(); });
        }
        return;
      case Act::Delete:
        if (!up) return Start(copy);
        {
          std::vector<std::u16string> lines = LinesOf(copy.view->box[active]);
          if (lines.empty()) return;
          lines.erase(lines.begin() + step.r % lines.size());
          Edited(copy, active, TextOf(lines));
        }
        return;
      case Act::Undo:
        if (!up || !copy.view->undo[active]) return;
        {
          std::u16string back = *copy.view->undo[active];
          Edited(copy, active, std::move(back));
        }
        return;
      case Act::PutBack:
        if (!up || !copy.host->AnyRemovedLines(active)) return;
        {
          // Reading the box for the lines offered is no save.
          copy.view->CallBegins();
          std::vector<std::u16string> offered;
          for (const RemovedLine& entry : copy.host->RemovedLinesOf(active))
            offered.push_back(entry.line);
          const std::vector<std::u16string> shown =
              LinesOf(copy.view->box[active]);
          for (const std::u16string& owed : copy.owed[active])
            if (std::find(offered.begin(), offered.end(), owed) ==
                    offered.end() &&
                std::find(shown.begin(), shown.end(), owed) == shown.end())
              Fail("not-put-back", Utf8(owed) + " left the box of list " +
                                       std::to_string(active) +
                                       " and is not among the lines offered");
          copy.owed[active].clear();
          const std::vector<std::u16string> back =
              copy.host->PutBack(active, offered);
          // The record is every copy's: what one puts back, the others no
          // longer offer.
          for (Copy& other : copies_)
            std::erase_if(other.owed[active], [&](const std::u16string& line) {
              return std::find(offered.begin(), offered.end(), line) !=
                     offered.end();
            });
          std::u16string text = copy.view->box[active];
          if (!text.empty() && !EndsWithLineBreak(std::u16string_view(text)))
            text += u"\r\n";
          for (const std::u16string& line : back) text += line + u"\r\n";
          Edited(copy, active, std::move(text));
        }
        return;
      case Act::SwitchPage:
      case Act::Deactivate:
        if (!up) return Start(copy);
        Working(copy, [&] {
          if (step.act == Act::SwitchPage)
            copy.host->ChoosePage((active + 1) % kPages);
          copy.host->SaveLists(SaveMoment::WhileWorking);
        });
        return;
      case Act::Timers:
        if (!up) return;
        for (std::size_t page = 0; page < kPages && copy.host; ++page)
          if (copy.view->timers.count(page)) {
            copy.view->timers.erase(page);
            Working(copy, [&] { copy.host->SaveTimeCame(page); });
          }
        return;
      case Act::Message:
        if (!up) return;
        Working(copy, [&] { copy.host->TakeSaveResults(); });
        return;
      case Act::SaveGoesOn:
        if (!up) return;
        for (unsigned call = 0; call <= step.r % 4 && copy.host; ++call)
          if (!LetOneCallGo(copy)) return;
        return;
      case Act::Close:
        if (!up) return Start(copy);
        return Close(copy);
      case Act::Start:
        if (!up) Start(copy);
        return;
      case Act::Kill:
        if (!up) return;
        if (step.r % 12 == 0) return Die(copy);
        {
          std::lock_guard hold(copy.ops->mutex);
          copy.ops->kill_at = copy.ops->calls + step.r % 12;
        }
        return;
      case Act::EditorReads:
        editor_[step.page] = FileLines(step.page);
        return;
      case Act::EditorWrites:
        return EditorWrites(step);
      case Act::ReadOnly:
        faults_.read_only[step.page] = step.r & 1;
        return;
      case Act::RefuseReplace:
        faults_.refuse_replace[step.page] = step.r & 1;
        return;
      case Act::LockHeld:
        faults_.lock_held[step.page] = step.r & 1;
        return;
      case Act::StaleLock: {
        const fs::path lock = StorageLockPath(lists_[step.page]);
        std::error_code error;
        if (!fs::exists(lock, error)) WriteBytes(lock, "");
        return;
      }
    }
  }

  void EditorWrites(const Step& step) {
    const std::size_t page = step.page;
    const std::vector<std::u16string> file = FileLines(page);
    std::vector<std::u16string> lines =
        (step.r & 2) && editor_[page] ? *editor_[page] : file;
    if (step.r & 1) {
      const std::string line = "e" + std::to_string(++typed_);
      lines.emplace_back(line.begin(), line.end());
    } else if (!lines.empty()) {
      lines.erase(lines.begin() + (step.r >> 3) % lines.size());
    }
    for (const std::u16string& line : lines)
      if (std::find(file.begin(), file.end(), line) == file.end())
        Acted(page, line, kEditor, true);
    for (const std::u16string& line : file)
      if (std::find(lines.begin(), lines.end(), line) == lines.end())
        Acted(page, line, kEditor, false);
    const std::string bytes = Utf8(TextOf(lines));
    if (step.r & 4) {
      std::ofstream(lists_[page], std::ios::binary | std::ios::trunc) << bytes;
    } else {
      const fs::path own = folder_ / "editor.tmp";
      WriteBytes(own, bytes);
      fs::rename(own, lists_[page]);
    }
    editor_[page] = lines;
  }

  // Lets the copy's save thread, held at a file call, make that one call
  // and go on to the next; false where no call is held.
  bool LetOneCallGo(Copy& copy) {
    {
      std::lock_guard hold(copy.ops->mutex);
      if (!copy.ops->parked) return false;
      copy.ops->parked = false;
      copy.ops->grants = 1;
      copy.ops->changed.notify_all();
    }
    Working(copy, [] {});
    return true;
  }

  void EndSavesUnderWay(Copy& copy) {
    for (int calls = 0; copy.host && calls < 1000; ++calls)
      if (!LetOneCallGo(copy)) return;
  }

  // The end of an episode: the faults go, every copy closes, and a start
  // shows what the lists came to.
  void Quiesce() {
    faults_ = {};
    step_ = 1 << 20;
    // Saves held up on a slow share end first: they hold locks.
    for (Copy& copy : copies_) EndSavesUnderWay(copy);
    for (Copy& copy : copies_) {
      for (int tries = 0; copy.host && tries < 100; ++tries) {
        if (copy.close_put_off) {
          Do({Act::Timers, static_cast<int>(&copy - copies_.data()), 0, 0});
          EndSavesUnderWay(copy);
          Do({Act::Message, static_cast<int>(&copy - copies_.data()), 0, 0});
          CloseIfPutOffCloseMayGoOn(copy);
        } else {
          if (Tracing())
            std::fprintf(stderr, "copy %d closes at the end\n",
                         static_cast<int>(&copy - copies_.data()));
          Close(copy);
        }
        if (Tracing()) TraceLists();
        Observe();
        if (violation_) return;
      }
      if (copy.host) Fail("never-closed", "a copy could not close at the end");
      if (violation_) return;
    }
    Start(copies_[0]);
    Observe();
    if (copies_[0].host) Close(copies_[0]);
    Observe();
  }

  fs::path folder_;
  std::array<fs::path, kPages> lists_;
  ByteCodec codec_;
  Faults faults_;
  std::array<Copy, kCopies> copies_;
  std::array<std::optional<std::vector<std::u16string>>, kPages> editor_;
  std::array<std::map<std::u16string, LineLife>, kPages> lives_;
  std::array<std::vector<std::u16string>, kPages> awaiting_start_;
  std::set<int> killed_;  // the sessions that ended in a kill
  int sessions_ = 0;
  int typed_ = 0;
  int step_ = 0;
  std::optional<Violation> violation_;
};

// Thousands of saves an episode: in memory where the system has a folder
// for it, so that the disk's own pace does not set the run's.
fs::path FastestTemporaryFolder() {
  std::error_code error;
  return fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::path();
}

std::optional<Violation> RunSteps(const std::vector<Step>& steps) {
  TempFolder folder(FastestTemporaryFolder());
  World world(folder.path());
  return world.Run(steps);
}

// The fewest steps, kept in their order, that still fail the same way.
std::vector<Step> Shrink(std::vector<Step> steps, const std::string& kind) {
  for (bool removed = true; removed;) {
    removed = false;
    for (std::size_t at = steps.size(); at-- > 0;) {
      std::vector<Step> fewer = steps;
      fewer.erase(fewer.begin() + static_cast<std::ptrdiff_t>(at));
      const std::optional<Violation> again = RunSteps(fewer);
      if (again && again->kind == kind) {
        steps = std::move(fewer);
        removed = true;
      }
    }
  }
  return steps;
}

std::string Report(std::uint32_t seed, const Violation& violation,
                   const std::vector<Step>& steps) {
  std::ostringstream out;
  out << "seed " << seed << ": " << violation.kind << ": " << violation.detail
      << "\nthe fewest steps that show it (" << steps.size() << "):\n";
  for (std::size_t at = 0; at < steps.size(); ++at)
    out << "  " << at + 1 << ". " << Describe(steps[at]) << "\n";
  const std::optional<Violation> last = RunSteps(steps);
  if (last) out << "which ends: " << last->detail << "\n";
  return out.str();
}

long StepsToRun() {
  if (const char* steps = std::getenv("TAVLIN_SIM_STEPS"))
    return std::max(1L, std::atol(steps));
  return kDefaultSteps;
}

TEST(StorageSimulation, EveryListHoldsWhatItsUsersSawSaved) {
  std::vector<std::uint32_t> seeds;
  if (const char* seed = std::getenv("TAVLIN_SIM_SEED")) {
    seeds.push_back(static_cast<std::uint32_t>(std::atol(seed)));
  } else {
    const long episodes = std::max(1L, StepsToRun() / kStepsPerEpisode);
    for (long episode = 0; episode < episodes; ++episode)
      seeds.push_back(static_cast<std::uint32_t>(5489 + episode));
  }
  for (const std::uint32_t seed : seeds) {
    const std::vector<Step> steps = StepsOf(seed, kStepsPerEpisode);
    const std::optional<Violation> violation = RunSteps(steps);
    if (!violation) continue;
    const std::vector<Step> fewest = Shrink(steps, violation->kind);
    FAIL() << Report(seed, *violation, fewest);
  }
}

}  // namespace

}  // namespace tavlin
