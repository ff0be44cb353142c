#include "src/storage/storage_save.h"

#include <chrono>

#include "src/platform/atomic_save.h"
#include "src/platform/tavlin_error.h"
#include "src/platform/text_encoding.h"
#include "src/platform/unicode_text.h"
#include "src/storage/displaced_text.h"
#include "src/storage/save_diversion.h"
#include "src/storage/set_aside_files.h"

namespace tavlin {

namespace {

using Kind = FileSnapshot::Kind;
using Result = SaveOutcome::Result;
using Target = SavePlan::Target;

// A file that a writer which honours no lock keeps changing meanwhile.
constexpr int kSaveTries = 3;

// A save's request with the list it saves.
struct SaveCall : SaveRequest {
  StorageFileState& state;
};

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

// The file could not take the plan: what the session knows of the file
// stays, and the text is left for the detour after the locked write.
RefusedSave Refuse(StorageFileState& state, const FileSnapshot& read,
                   std::u16string_view ours, SavePlan plan, Refusal why,
                   std::string failure) {
  RememberFileMergedWith(state, read, plan);
  std::u16string text(TextAfter(plan, ours));
  return {why, std::move(failure), std::move(plan), std::move(text)};
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
LockedWrite SaveWhileLockedElsewhere(const SaveCall& call,
                                     std::u16string_view ours) {
  StorageFileState& state = call.state;
  const std::filesystem::path file = SavePathOf(state.location);
  if (!state.locked_since) state.locked_since = call.now;
  LockedWrite written;
  SaveOutcome& outcome = written.outcome;
  std::string busy = ComposeMessage(kListBusy, {PathForMessage(file)});
  if (call.moment != SaveMoment::EndingSession &&
      call.now - *state.locked_since < kLongestLockWait) {
    outcome.result = Result::Locked;
    outcome.failure = std::move(busy);
    return written;
  }
  const FileSnapshot now = TakeFileSnapshot(file);
  SavePlan plan = PlanStorageSave(state.memory, now, ours, call.moment,
                                  call.shift_jis, call.match);
  outcome.merged = plan.merged;
  outcome.taken_in = plan.taken_in;
  if (plan.target != Target::None)
    written.refused = Refuse(state, now, ours, std::move(plan), Refusal::Locked,
                             std::move(busy));
  return written;
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
                                  call.moment, call.shift_jis, call.match);
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

// After a write: what the next round goes by where another writer came
// between, and what the file holds now. True where nobody came between,
// so that no round is needed after this one.
bool HeldAfterWrite(const SaveCall& call, SaveRound& round,
                    RoundAfterAWriter& after_a_writer, const SavePlan& plan,
                    std::optional<std::string> replaced, SaveOutcome& outcome) {
  TellOf(plan, outcome);
  // What the file held at the replace, where it was not what the round
  // expected: another writer's, to be merged in. The next round's base is
  // what this one was planned from: taken before the memory learns what
  // was written.
  const bool came_between = replaced.has_value();
  if (came_between)
    MergeWhatCameBetween(round, after_a_writer, plan, std::move(*replaced));
  KeepWritten(call, round, plan);
  // Until a round finds nobody came between, what was replaced stays on
  // disk: a kill before the next round leaves it to the next start.
  if (came_between) return false;
  RemoveMergedDisplaced(call.state, call.ops);
  return true;
}

// The rounds of a save under the lock, until one leaves the file holding
// the list or finds it refused; a file that another writer keeps changing
// ends them after kSaveTries.
std::optional<RefusedSave> SaveInRounds(const SaveCall& call,
                                        const std::filesystem::path& file,
                                        SaveRound& round,
                                        SaveOutcome& outcome) {
  RoundAfterAWriter after_a_writer;
  SavePlan plan;
  for (int attempt = 0; attempt < kSaveTries; ++attempt) {
    plan = PlanRound(call, round, attempt == 0);
    // A plan that writes nothing here tells at once; one that writes, once
    // its write went in.
    if (plan.target != Target::File) TellOf(plan, outcome);
    if (plan.target == Target::None) {
      KeepAsItIs(call, round, plan);
      return std::nullopt;
    }
    if (plan.target == Target::SideFile)
      return Refuse(call.state, round.now(), round.ours, std::move(plan),
                    Refusal::Unread, {});
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
      return Refuse(call.state, round.now(), round.ours, std::move(plan),
                    Refusal::NotReplaceable, error.what());
    }
    if (HeldAfterWrite(call, round, after_a_writer, plan, std::move(replaced),
                       outcome))
      return std::nullopt;
  }
  // The last round wrote, or found its text in place, or is set aside.
  const FileSnapshot& expected = round.expected();
  if (!round.written) TellOf(plan, outcome);
  if (expected.kind == Kind::Read && expected.bytes == plan.bytes)
    return std::nullopt;  // written; the last writer's text waits for the next
  return Refuse(call.state, round.now(), round.ours, std::move(plan),
                Refusal::Changed, {});
}

}  // namespace

LockedWrite SaveAtCurrentPlace(StorageFileState& state,
                               std::u16string_view ours,
                               const SaveRequest& request) {
  const SaveCall call{request, state};
  const std::filesystem::path file = SavePathOf(state.location);
  LockedWrite written;
  if (TakeLock(file, call.ops, written.lock) == LockResult::HeldElsewhere)
    return SaveWhileLockedElsewhere(call, ours);
  state.locked_since.reset();
  // A lock that cannot be made at all is a folder that takes no new files:
  // nobody else can write there either, and the save below finds its way.
  SaveRound round{&state.memory, FileNowApart(state.memory, file), std::nullopt,
                  ours};
  if (!NothingToSave(state, round))
    written.refused = SaveInRounds(call, file, round, written.outcome);
  return written;
}

SaveOutcome SaveStorageListNow(StorageFileState& state,
                               std::u16string_view ours, SaveMoment moment,
                               const TextCodec& shift_jis,
                               const LineMatch& match, FileOps& ops,
                               std::chrono::steady_clock::time_point now) {
  if (state.memory.last.kind == Kind::NotTaken) {
    return {};  // never loaded: never saved
  }
  const SaveRequest request{moment, shift_jis, match, ops, now};
  LockedWrite written = SaveAtCurrentPlace(state, ours, request);
  if (!written.refused) return std::move(written.outcome);
  // The lock stays held through the detour: no other copy's save takes in
  // or renames the files it writes and marks meanwhile.
  return DivertRefusedSave(state, std::move(*written.refused), request,
                           std::move(written.outcome));
}

}  // namespace tavlin
