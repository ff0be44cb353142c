#include "src/storage/storage_save.h"

#include <algorithm>
#include <chrono>
#include <system_error>

#include "src/platform/atomic_save.h"
#include "src/platform/tavlin_error.h"
#include "src/platform/text_encoding.h"
#include "src/platform/unicode_text.h"
#include "src/storage/displaced_text.h"
#include "src/storage/set_aside_files.h"

namespace tavlin {

namespace {

using Kind = FileSnapshot::Kind;
using Result = SaveOutcome::Result;
using Target = SavePlan::Target;

// A file that a writer which honours no lock keeps changing meanwhile.
constexpr int kSaveTries = 3;

enum class LeftAlone { Unread, Changed, NotReplaceable, Locked };

std::string_view NoticePattern(LeftAlone why) {
  switch (why) {
    case LeftAlone::Unread:
      return kLeftUnreadFile;
    case LeftAlone::Changed:
      return kLeftChangedFile;
    case LeftAlone::NotReplaceable:
      return kLeftUnreplaceableFile;
    case LeftAlone::Locked:
      return kLeftLockedFile;
  }
  return {};
}

struct SaveCall {
  StorageFileState& state;
  SaveMoment moment;
  const TextCodec& codec;
  const LineMatch& match;
  FileOps& ops;
  std::chrono::steady_clock::time_point now;
};

SaveOutcome SaveAtCurrentPlace(const SaveCall& call, std::u16string_view ours);

void TellElsewhere(SaveOutcome& outcome, std::string text) {
  outcome.elsewhere = true;
  outcome.reports.push_back({UserReport::Kind::Notice, std::move(text)});
}

// The list in the user's folder, for this save only: merged with the copy
// there as this session last wrote it (or, the first time, with whatever
// it holds), with the file beside the program as its base beside it. The
// next save tries the program's folder again.
bool SaveInUserFolder(const SaveCall& call, std::u16string_view text,
                      SaveOutcome& outcome) {
  StorageFileState& state = call.state;
  StorageLocation& location = state.location;
  if (location.loaded_from != StoragePlace::BesideProgram ||
      location.in_user_folder.empty())
    return false;
  const StorageFileState before = state;
  std::error_code ignored;
  std::filesystem::create_directories(location.in_user_folder.parent_path(),
                                      ignored);
  location.loaded_from = StoragePlace::UserFolder;
  if (state.user_copy_memory) {
    state.memory = *state.user_copy_memory;
  } else {
    state.memory.Remember({Kind::Missing, {}}, u"", {}, state.memory.encoding);
  }
  // What the list took in at start is the file's to rename, not the copy's.
  state.set_aside.clear();
  location.to_take_in.clear();
  SaveOutcome moved = SaveAtCurrentPlace(call, text);
  // The session's memory stays that of its own file.
  const ListMemory written = state.memory;
  state = before;
  if (moved.result != Result::Done) return false;
  state.user_copy_memory = written;
  try {
    WriteSetAsideBase(state, location.in_user_folder, call.ops);
  } catch (const std::exception&) {
    // Without its base the copy is merged as a plain union: nothing lost.
  }
  if (std::find(state.set_aside.begin(), state.set_aside.end(),
                location.in_user_folder) == state.set_aside.end())
    state.set_aside.push_back(location.in_user_folder);
  if (moved.merged) outcome.merged = std::move(moved.merged);
  outcome.taken_in += moved.taken_in;
  for (UserReport& report : moved.reports)
    if (report.kind == UserReport::Kind::Failure)
      outcome.reports.push_back(std::move(report));
  TellElsewhere(
      outcome,
      ComposeMessage(kSavedInUserFolder,
                     {PathForMessage(SavePathOf(location).parent_path()),
                      PathForMessage(location.in_user_folder.parent_path())}));
  return true;
}

// A plan that merged a file another writer changed read it whole: the
// session knows the file as read from then on, so that the base set aside
// with its text, and its next save, take a later deletion there for a
// deletion instead of bringing the line back as the session's own.
void RememberFileMergedWith(StorageFileState& state, const FileSnapshot& read,
                            const SavePlan& plan) {
  if (plan.file_text && read.kind == Kind::Read)
    state.memory.Remember(read, *plan.file_text, std::nullopt,
                          plan.file_encoding);
}

// The file could not take the plan: the text goes beside it, then to the
// user's folder, and at the end of a Windows session to the temporary
// folder; each save tries the file first again.
SaveOutcome KeepElsewhere(const SaveCall& call, const FileSnapshot& read,
                          const SavePlan& plan, std::u16string_view text,
                          LeftAlone why, std::string failure,
                          SaveOutcome outcome) {
  StorageFileState& state = call.state;
  RememberFileMergedWith(state, read, plan);
  const std::filesystem::path file = SavePathOf(state.location);
  // With nothing of the session's to keep, nothing goes elsewhere; the
  // failure is told when the list is closed.
  if (state.memory.NothingOfTheSession(text)) {
    if (call.moment != SaveMoment::WhileWorking && !failure.empty())
      outcome.reports.push_back({UserReport::Kind::Failure, failure});
    return outcome;
  }
  if (failure.empty())
    failure = ComposeMessage(kCannotOpenFile, {PathForMessage(file)});

  try {
    const std::filesystem::path side =
        WriteSetAside(state, file, plan, call.ops);
    // The text set aside holds what the start took in, less what the user
    // deleted since: a deletion of a line taken in stands at the next start.
    MarkStartsTakeInDone(state, call.ops);
    TellElsewhere(outcome,
                  ComposeMessage(NoticePattern(why),
                                 {PathForMessage(file), PathForMessage(side)}));
    return outcome;
  } catch (const std::exception&) {
  }
  if (SaveInUserFolder(call, text, outcome)) {
    MarkStartsTakeInDone(state, call.ops);
    return outcome;
  }

  const std::filesystem::path& temporary = state.location.in_temporary_folder;
  if (call.moment == SaveMoment::EndingSession && !temporary.empty()) {
    try {
      std::error_code ignored;
      std::filesystem::create_directories(temporary.parent_path(), ignored);
      const std::filesystem::path kept =
          WriteSetAside(state, temporary, plan, call.ops);
      TellElsewhere(outcome, ComposeMessage(
                                 kSavedBesideInUserFolder,
                                 {PathForMessage(file), PathForMessage(kept)}));
      return outcome;
    } catch (const std::exception&) {
    }
  }
  outcome.result = Result::Failed;
  outcome.failure = std::move(failure);
  return outcome;
}

// Takes the list's lock, breaking one that nobody holds.
LockResult TakeLock(const std::filesystem::path& file, FileOps& ops,
                    std::unique_ptr<FileLock>& lock) {
  const std::filesystem::path path = StorageLockPath(file);
  LockResult locked = ops.TryLock(path, lock);
  if (locked == LockResult::HeldElsewhere && ops.BreakStaleLock(path))
    locked = ops.TryLock(path, lock);
  return locked;
}

// Another copy holds the lock: tried again later, or, once it has held
// it too long or at the end of a Windows session, the file is left to its
// holder and the text set aside.
SaveOutcome SaveWhileLockedElsewhere(const SaveCall& call,
                                     std::u16string_view ours,
                                     SaveOutcome outcome) {
  StorageFileState& state = call.state;
  const std::filesystem::path file = SavePathOf(state.location);
  if (!state.locked_since) state.locked_since = call.now;
  std::string busy = ComposeMessage(kListBusy, {PathForMessage(file)});
  if (call.moment != SaveMoment::EndingSession &&
      call.now - *state.locked_since < kLongestLockWait) {
    outcome.result = Result::Locked;
    outcome.failure = std::move(busy);
    return outcome;
  }
  const FileSnapshot now = TakeFileSnapshot(file);
  const SavePlan plan = PlanStorageSave(state.memory, now, ours, call.moment,
                                        call.codec, call.match);
  outcome.merged = plan.merged;
  outcome.taken_in = plan.taken_in;
  if (plan.target == Target::None) return outcome;
  return KeepElsewhere(call, now, plan, TextAfter(plan, ours),
                       LeftAlone::Locked, std::move(busy), std::move(outcome));
}

// One round of a save: what it goes by. The first round goes by the
// session's memory, the file as it last saw it where the file is so still,
// and the box's text, copying none of them.
struct SaveRound {
  const ListMemory* planned_from;  // the memory the plan is made from
  // The file as the plan sees it, where it is not planned_from's last.
  std::optional<FileSnapshot> now_apart;
  // What the file holds, as far as the save knows, where that is not now.
  std::optional<FileSnapshot> written;
  std::u16string_view ours;
  const FileSnapshot& now() const {
    return now_apart ? *now_apart : planned_from->last;
  }
  const FileSnapshot& expected() const { return written ? *written : now(); }
};

// The file now, where it is not what memory last saw there: compared
// without a copy where it is.
std::optional<FileSnapshot> FileNowApart(const ListMemory& memory,
                                         const std::filesystem::path& file) {
  if (memory.last.kind == Kind::Read) {
    try {
      std::optional<std::string> changed =
          ReadWholeFileIfChanged(file, memory.last.bytes);
      if (!changed) return std::nullopt;
      return FileSnapshot{Kind::Read, std::move(*changed)};
    } catch (const std::exception&) {
      // Gone, or unreadable: the snapshot says which.
    }
  }
  return TakeFileSnapshot(file);
}

// The plan of one round. After a writer came between a plan and its
// replace, the file holds what this session wrote, whatever the plan
// compared with: that decides whether the file is to be written.
SavePlan PlanRound(const SaveCall& call, const SaveRound& round, bool first) {
  SavePlan plan = PlanStorageSave(*round.planned_from, round.now(), round.ours,
                                  call.moment, call.codec, call.match);
  const FileSnapshot& expected = round.expected();
  const bool file_holds_plan =
      expected.kind == Kind::Read && expected.bytes == plan.bytes;
  if (plan.target == Target::File && file_holds_plan)
    plan.target = Target::None;
  if (plan.target == Target::None && !first && !file_holds_plan)
    plan.target = Target::File;
  return plan;
}

// The file already holds the plan's text, and so what was taken in.
void KeepAsItIs(const SaveCall& call, const SaveRound& round, SavePlan& plan) {
  const FileSnapshot& expected = round.expected();
  if (expected.kind == Kind::Read || expected.kind == Kind::Missing)
    call.state.memory.Remember(expected, TextAfter(plan, round.ours),
                               std::move(plan.bytes), plan.encoding);
  if (expected.kind == Kind::Read) {
    MarkSetAsideTakenIn(call.state, call.ops);
    RemoveMergedDisplaced(call.state, call.ops);
  }
}

// The file holds the plan now: remembered, and what was set aside taken in.
void KeepWritten(const SaveCall& call, const SaveRound& round,
                 const SavePlan& plan) {
  call.state.memory.Remember({Kind::Read, plan.bytes},
                             TextAfter(plan, round.ours), std::nullopt,
                             plan.encoding);
  MarkSetAsideTakenIn(call.state, call.ops);
}

// What the next round goes by where a writer that honours no lock wrote
// between the plan and the replace: it merges what that writer wrote, with
// what the plan was made from as the base, over what the plan wrote.
struct RoundAfterAWriter {
  ListMemory memory;
  std::u16string ours;
};

void MergeWhatCameBetween(SaveRound& round, RoundAfterAWriter& next,
                          const SavePlan& plan, std::string replaced) {
  ListMemory memory = *round.planned_from;
  const std::u16string base =
      plan.file_text ? *plan.file_text : round.planned_from->last_text;
  memory.Remember(round.now(), base, std::nullopt, plan.encoding);
  next.ours = TextAfter(plan, round.ours);
  next.memory = std::move(memory);
  round.planned_from = &next.memory;
  round.now_apart = FileSnapshot{Kind::Read, std::move(replaced)};
  round.written = FileSnapshot{Kind::Read, plan.bytes};
  round.ours = next.ours;
}

// The file as last seen and the box as it was: nothing to do, and
// nothing done per line to find that out.
bool NothingToSave(const StorageFileState& state, const SaveRound& round) {
  return !round.now_apart && !state.memory.text_bytes &&
         state.location.to_take_in.empty() &&
         SameText(round.ours, state.memory.last_text);
}

// What a round's plan has to tell: lines taken in, lines deleted
// elsewhere, the list's text after it.
void TellOf(const SavePlan& plan, SaveOutcome& outcome) {
  outcome.taken_in += plan.taken_in;
  outcome.removed.insert(outcome.removed.end(), plan.removed.begin(),
                         plan.removed.end());
  if (plan.merged) outcome.merged = plan.merged;
}

// Writes the round's plan over the file the round expects, or as a new
// file where it expects none; replaced gets what another writer had put
// there meanwhile. False, nothing written, where a file appeared or changed
// meanwhile; throws where the file cannot be written.
bool WriteRound(const SaveCall& call, const std::filesystem::path& file,
                const SaveRound& round, const SavePlan& plan,
                std::optional<std::string>& replaced) {
  const FileSnapshot& expected = round.expected();
  if (expected.kind == Kind::Missing)
    return SaveFileAtomically(file, plan.bytes, ExistingFile::Keep, call.ops,
                              &replaced, expected.bytes);
  // A read-only file is refused before anything is replaced.
  DisplacedTextKeeper displaced(
      call.ops.IsReadOnly(file) ? std::filesystem::path() : file,
      expected.bytes, call.ops);
  const bool written =
      SaveFileAtomically(file, plan.bytes, ExistingFile::Replace, call.ops,
                         &replaced, expected.bytes, displaced.path());
  if (written && replaced && !displaced.path().empty()) {
    // Merged by the next round; taken in by the next start where the
    // program ends before a save holds it.
    displaced.Keep();
    call.state.displaced.push_back(displaced.path());
  }
  return written;
}

SaveOutcome SaveAtCurrentPlace(const SaveCall& call, std::u16string_view ours) {
  StorageFileState& state = call.state;
  const std::filesystem::path file = SavePathOf(state.location);
  SaveOutcome outcome;
  std::unique_ptr<FileLock> lock;
  if (TakeLock(file, call.ops, lock) == LockResult::HeldElsewhere)
    return SaveWhileLockedElsewhere(call, ours, std::move(outcome));
  state.locked_since.reset();
  // A lock that cannot be made at all is a folder that takes no new files:
  // nobody else can write there either, and the save below finds its way.

  SaveRound round{&state.memory, FileNowApart(state.memory, file), std::nullopt,
                  ours};
  if (NothingToSave(state, round)) return outcome;
  RoundAfterAWriter after_a_writer;
  SavePlan plan;
  for (int attempt = 0; attempt < kSaveTries; ++attempt) {
    plan = PlanRound(call, round, attempt == 0);
    if (plan.target == Target::None) {
      TellOf(plan, outcome);
      KeepAsItIs(call, round, plan);
      return outcome;
    }
    if (plan.target == Target::SideFile) {
      TellOf(plan, outcome);
      return KeepElsewhere(call, round.now(), plan, TextAfter(plan, round.ours),
                           LeftAlone::Unread, {}, std::move(outcome));
    }
    std::optional<std::string> replaced;
    try {
      // A round whose write found another file in place tells nothing:
      // what it merged is merged again from that file.
      if (!WriteRound(call, file, round, plan, replaced)) {
        round.now_apart = TakeFileSnapshot(file);
        round.written.reset();
        continue;
      }
    } catch (const std::exception& error) {
      TellOf(plan, outcome);
      return KeepElsewhere(call, round.now(), plan, TextAfter(plan, round.ours),
                           LeftAlone::NotReplaceable, error.what(),
                           std::move(outcome));
    }
    TellOf(plan, outcome);
    // What the file held at the replace, where it was not what the
    // round expected: another writer's, to be merged in.
    const bool came_between = replaced.has_value();
    // The next round's base is what this one was planned from: taken
    // before the memory learns what was written.
    if (came_between)
      MergeWhatCameBetween(round, after_a_writer, plan, std::move(*replaced));
    KeepWritten(call, round, plan);
    // Until a round finds nobody came between, what was replaced stays on
    // disk: a kill before the next round leaves it to the next start.
    if (!came_between) {
      RemoveMergedDisplaced(call.state, call.ops);
      return outcome;
    }
  }
  // The last round wrote, or found its text in place, or is set aside.
  const FileSnapshot& expected = round.expected();
  if (!round.written) TellOf(plan, outcome);
  if (expected.kind == Kind::Read && expected.bytes == plan.bytes)
    return outcome;  // written; the last writer's text waits for the next
  return KeepElsewhere(call, round.now(), plan, TextAfter(plan, round.ours),
                       LeftAlone::Changed, {}, std::move(outcome));
}

}  // namespace

SaveOutcome SaveStorageListNow(StorageFileState& state,
                               std::u16string_view ours, SaveMoment moment,
                               const TextCodec& codec, const LineMatch& match,
                               FileOps& ops,
                               std::chrono::steady_clock::time_point now) {
  if (state.memory.last.kind == Kind::NotTaken) {
    return {};  // never loaded: never saved
  }
  return SaveAtCurrentPlace({state, moment, codec, match, ops, now}, ours);
}

}  // namespace tavlin
