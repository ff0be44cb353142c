#include "src/storage/storage_save.h"

#include <chrono>
#include <system_error>
#include <thread>

#include "src/platform/atomic_save.h"
#include "src/platform/tavlin_error.h"

namespace tavlin {

namespace {

using Kind = FileSnapshot::Kind;
using Result = SaveOutcome::Result;
using Target = SavePlan::Target;

// Another copy holds the lock only while it saves: a few milliseconds.
constexpr int kLockTries = 20;
constexpr std::chrono::milliseconds kLockPause{50};
// A file that a writer which honours no lock keeps creating meanwhile.
constexpr int kSaveTries = 3;
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

const std::filesystem::path& SavePath(const StorageLocation& location) {
  return location.loaded_from == StoragePlace::UserFolder
             ? location.in_user_folder
             : location.beside_program;
}

// Writes bytes to the first free name_of(1), name_of(2), ..., replacing
// nothing; returns the name written.
template <typename NameOf>
std::filesystem::path WriteFirstFree(NameOf&& name_of, std::string_view bytes,
                                     FileOps& ops) {
  for (int number = 1; number <= kMaximumNumberedFiles; ++number)
    if (SaveFileAtomically(name_of(number), bytes, ExistingFile::Keep, ops))
      return name_of(number);
  throw CannotCreateFileError(name_of(kMaximumNumberedFiles));
}

// Keeps the whole text in UTF-8 beside the file it was written to, where
// the file's bytes could not hold it. The list's own copy is replaced, or
// removed once the text fits; any other copy stays, and a new one takes
// the next free name.
void KeepUnicodeCopy(StorageFileState& state, const SavePlan& plan,
                     const std::filesystem::path& written,
                     std::vector<UserReport>& reports, FileOps& ops) {
  std::filesystem::path& copy = state.unicode_copy_path;
  const bool own = state.unicode_copy_taken &&
                   copy.parent_path() == written.parent_path() &&
                   IsStillAsSnapshot(copy, state.unicode_copy);
  try {
    if (plan.unicode_text.empty()) {
      if (own) {
        std::error_code ignored;
        std::filesystem::remove(copy, ignored);
        state.unicode_copy = {};
        state.unicode_copy_taken = false;
      }
      return;
    }
    const std::string bytes =
        std::string(kUtf8ByteOrderMark) + plan.unicode_text;
    if (own) {
      SaveFileAtomically(copy, bytes, ExistingFile::Replace, ops);
    } else {
      copy = WriteFirstFree(
          [&](int number) { return UnicodeStorageCopyPath(written, number); },
          bytes, ops);
      reports.push_back(
          {UserReport::Kind::Notice,
           ComposeMessage(kKeptUnicodeCopy,
                          {PathForMessage(written), PathForMessage(copy)})});
    }
    state.unicode_copy = {Kind::Read, bytes};
    state.unicode_copy_taken = true;
  } catch (const std::exception& error) {
    reports.push_back({UserReport::Kind::Failure, error.what()});
  }
}

// The copy in the user's folder whose lines the list took in at start is
// now held by the file beside the program: renamed to say so, never
// removed.
void MarkCopyTakenIn(StorageLocation& location, FileOps& ops) {
  if (location.to_take_in.empty()) return;
  for (int number = 1; number <= kMaximumNumberedFiles; ++number) {
    const std::filesystem::path taken =
        TakenInCopyPath(location.to_take_in, number);
    if (LookAtPath(taken) != PathKind::Missing) continue;
    if (ops.Rename(location.to_take_in, taken, false)) break;
  }
  location.to_take_in.clear();  // tried once: a copy left is merged again
}

enum class LeftAlone { Unread, Changed, NotReplaceable };

std::string_view NoticePattern(LeftAlone why) {
  switch (why) {
    case LeftAlone::Unread:
      return kLeftUnreadFile;
    case LeftAlone::Changed:
      return kLeftChangedFile;
    case LeftAlone::NotReplaceable:
      return kLeftUnreplaceableFile;
  }
  return {};
}

// Writes the plan to the session's side file beside file, made at the
// first free name the first time (one whose Unicode copy's name is free
// too, where one is needed) and replaced by later saves; its Unicode copy
// beside it.
std::filesystem::path WriteSideFile(StorageFileState& state,
                                    const std::filesystem::path& file,
                                    const SavePlan& plan, FileOps& ops) {
  std::filesystem::path side = state.side_file;
  if (!side.empty() && side.parent_path() == file.parent_path()) {
    SaveFileAtomically(side, plan.bytes, ExistingFile::Replace, ops);
  } else {
    side.clear();
    for (int number = 1; number <= kMaximumNumberedFiles && side.empty();
         ++number) {
      const std::filesystem::path name = DivertedStorageFilePath(file, number);
      if (!plan.unicode_text.empty() &&
          LookAtPath(UnicodeStorageCopyPath(name)) != PathKind::Missing)
        continue;
      if (SaveFileAtomically(name, plan.bytes, ExistingFile::Keep, ops))
        side = name;
    }
    if (side.empty()) throw CannotCreateFileError(file);
    state.side_file = side;
  }
  if (!plan.unicode_text.empty())
    SaveFileAtomically(UnicodeStorageCopyPath(side),
                       std::string(kUtf8ByteOrderMark) + plan.unicode_text,
                       ExistingFile::Replace, ops);
  return side;
}

struct SaveCall {
  StorageFileState& state;
  SaveMoment moment;
  const TextCodec& codec;
  const LineMatch& match;
  const std::filesystem::path& temporary_folder;
  FileOps& ops;
};

SaveOutcome SaveAtCurrentPlace(const SaveCall& call, std::u16string_view ours);

void Tell(StorageFileState& state, SaveOutcome& outcome,
          const std::filesystem::path& where, std::string text) {
  if (state.told_elsewhere == where) return;
  state.told_elsewhere = where;
  outcome.reports.push_back({UserReport::Kind::Notice, std::move(text)});
}

// The file could not take the plan: the text goes to the side file beside
// it, then to the user's folder, and at the end of a Windows session to the
// temporary folder.
SaveOutcome KeepElsewhere(const SaveCall& call, const SavePlan& plan,
                          LeftAlone why, std::string failure,
                          SaveOutcome outcome) {
  StorageFileState& state = call.state;
  const std::filesystem::path file = SavePath(state.location);
  // With nothing of the session's to keep, nothing goes elsewhere; the
  // failure is told when the list is closed.
  if (plan.text == state.memory.start_text) {
    if (call.moment != SaveMoment::WhileWorking && !failure.empty())
      outcome.reports.push_back({UserReport::Kind::Failure, failure});
    return outcome;
  }
  if (failure.empty())
    failure = ComposeMessage(kCannotOpenFile, {PathForMessage(file)});

  try {
    const std::filesystem::path side =
        WriteSideFile(state, file, plan, call.ops);
    Tell(state, outcome, side,
         ComposeMessage(NoticePattern(why),
                        {PathForMessage(file), PathForMessage(side)}));
    return outcome;
  } catch (const std::exception&) {
  }

  StorageLocation& location = state.location;
  if (location.loaded_from == StoragePlace::BesideProgram &&
      !location.in_user_folder.empty()) {
    const StorageFileState before = state;
    std::error_code ignored;
    std::filesystem::create_directories(location.in_user_folder.parent_path(),
                                        ignored);
    // Whatever a copy there holds stays: the base is empty, so the merge
    // only adds.
    location.loaded_from = StoragePlace::UserFolder;
    state.memory.last = {Kind::Missing, {}};
    state.memory.last_text.clear();
    state.memory.last_text_bytes.clear();
    state.unicode_copy_taken = false;
    SaveOutcome moved = SaveAtCurrentPlace(call, plan.text);
    if (moved.result == Result::Done) {
      Tell(state, moved, location.in_user_folder,
           ComposeMessage(
               kSavedInUserFolder,
               {PathForMessage(file.parent_path()),
                PathForMessage(location.in_user_folder.parent_path())}));
      return moved;
    }
    state = before;
  }

  if (call.moment == SaveMoment::EndingSession &&
      !call.temporary_folder.empty()) {
    try {
      const std::filesystem::path kept = WriteFirstFree(
          [&](int number) {
            return DivertedStorageFilePath(
                call.temporary_folder / file.filename(), number);
          },
          plan.bytes, call.ops);
      Tell(state, outcome, kept,
           ComposeMessage(kSavedBesideInUserFolder,
                          {PathForMessage(file), PathForMessage(kept)}));
      return outcome;
    } catch (const std::exception&) {
    }
  }
  outcome.result = Result::Failed;
  outcome.failure = std::move(failure);
  return outcome;
}

SaveOutcome SaveAtCurrentPlace(const SaveCall& call, std::u16string_view ours) {
  StorageFileState& state = call.state;
  const std::filesystem::path file = SavePath(state.location);
  SaveOutcome outcome;
  outcome.text = ours;

  std::unique_ptr<FileLock> lock;
  LockResult locked = LockResult::HeldElsewhere;
  for (int attempt = 0; attempt < kLockTries; ++attempt) {
    locked = call.ops.TryLock(StorageLockPath(file), lock);
    if (locked != LockResult::HeldElsewhere) break;
    std::this_thread::sleep_for(kLockPause);
  }
  if (locked == LockResult::HeldElsewhere) {
    outcome.result = Result::Locked;
    outcome.failure = ComposeMessage(kListBusy, {PathForMessage(file)});
    return outcome;
  }
  // A lock that cannot be made at all is a folder that takes no new files:
  // nobody else can write there either, and the save below finds its way.

  SavePlan plan;
  for (int attempt = 0; attempt < kSaveTries; ++attempt) {
    const FileSnapshot now = TakeFileSnapshot(file);
    plan = PlanStorageSave(state.memory, now, ours, call.moment, call.codec,
                           call.match);
    outcome.text = plan.text;
    outcome.taken_in = plan.taken_in;
    switch (plan.target) {
      case Target::None:
        if (now.kind == Kind::Read || now.kind == Kind::Missing) {
          state.memory.last = now;
          state.memory.last_text = plan.text;
          state.memory.last_text_bytes = plan.bytes;
          state.memory.encoding = plan.encoding;
        }
        return outcome;
      case Target::SideFile:
        return KeepElsewhere(call, plan, LeftAlone::Unread, {},
                             std::move(outcome));
      case Target::File:
        break;
    }
    try {
      const ExistingFile existing = now.kind == Kind::Missing
                                        ? ExistingFile::Keep
                                        : ExistingFile::Replace;
      if (!SaveFileAtomically(file, plan.bytes, existing, call.ops)) continue;
    } catch (const std::exception& error) {
      return KeepElsewhere(call, plan, LeftAlone::NotReplaceable, error.what(),
                           std::move(outcome));
    }
    state.memory.last = {Kind::Read, plan.bytes};
    state.memory.last_text = plan.text;
    state.memory.last_text_bytes = plan.bytes;
    state.memory.encoding = plan.encoding;
    state.told_elsewhere.clear();
    if (state.location.loaded_from == StoragePlace::BesideProgram)
      MarkCopyTakenIn(state.location, call.ops);
    KeepUnicodeCopy(state, plan, file, outcome.reports, call.ops);
    return outcome;
  }
  return KeepElsewhere(call, plan, LeftAlone::Changed, {}, std::move(outcome));
}

}  // namespace

StorageFileState StartStorageSession(const StorageList& list,
                                     const StorageLocation& location,
                                     std::u16string_view text) {
  StorageFileState state;
  state.location = location;
  state.memory.last = list.file;
  state.memory.last_text = text;
  // A text shown as loaded is written back as those bytes; the normal form
  // is Shift-JIS's bytes normalised, in any other encoding the text's own.
  state.memory.encoding = list.encoding;
  bool lossy = false;
  state.memory.last_text_bytes =
      list.encoding == TextEncoding::ShiftJis
          ? list.text.bytes()
          : EncodeUnicodeText(text, list.encoding, lossy);
  state.memory.start_text = text;
  state.unicode_copy_path = list.unicode_copy_path;
  state.unicode_copy = list.unicode_copy;
  state.unicode_copy_taken = list.unicode_copy_taken;
  return state;
}

StorageStart StartStorageList(const StorageLocation& location,
                              const TextCodec& shift_jis,
                              const LineMatch& match, FileOps& ops) {
  StorageStart start;
  StorageList list;
  StorageLocation loaded = location;
  LoadedPlaces places;
  try {
    places = LoadStorageListFrom(list, loaded, ops);
  } catch (const std::exception& error) {
    start.state = StartStorageSession(list, loaded, u"");
    start.failure = error.what();
    return start;
  }
  if (places.notice)
    start.notices.push_back({UserReport::Kind::Notice, *places.notice});
  const StorageTextShown shown = StorageTextToShow(list, shift_jis);
  const std::filesystem::path& file = SavePath(loaded);
  if (!shown.faithful) {
    list.file = {Kind::Unread, {}};
    start.state = StartStorageSession(list, loaded, u"");
    start.failure = ComposeMessage(kNotDecodedCleanly, {PathForMessage(file)});
    return start;
  }
  if (!shown.unmatched_copies.empty()) {
    std::string names;
    for (const std::filesystem::path& copy : shown.unmatched_copies)
      names += (names.empty() ? "" : "、") + PathForMessage(copy);
    start.notices.push_back({UserReport::Kind::Notice,
                             ComposeMessage(kUnmatchedUnicodeCopies,
                                            {PathForMessage(file), names})});
  }
  start.state = StartStorageSession(list, loaded, shown.text);
  start.shown = shown.text;
  // With a copy in the user's folder too, the list shown is their merge,
  // the file beside the program first; the first save puts it there.
  if (places.user_copy) {
    const StorageTextShown copy =
        StorageTextToShow(*places.user_copy, shift_jis);
    if (copy.faithful)
      start.shown =
          MergeStorageText(u"", start.shown, copy.text, u"", match).text;
    else
      start.state.location.to_take_in.clear();  // left as it is
  }
  return start;
}

SaveOutcome SaveStorageListNow(StorageFileState& state,
                               std::u16string_view ours, SaveMoment moment,
                               const TextCodec& codec, const LineMatch& match,
                               const std::filesystem::path& temporary_folder,
                               FileOps& ops) {
  if (state.memory.last.kind == Kind::NotTaken) {
    SaveOutcome untouched;
    untouched.text = ours;
    return untouched;  // never loaded: never saved
  }
  return SaveAtCurrentPlace(
      {state, moment, codec, match, temporary_folder, ops}, ours);
}

}  // namespace tavlin
