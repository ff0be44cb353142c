#include "src/storage/save_diversion.h"

#include <algorithm>
#include <system_error>

#include "src/platform/tavlin_error.h"
#include "src/storage/set_aside_files.h"

namespace tavlin {

namespace {

std::string_view NoticePattern(Refusal why) {
  switch (why) {
    case Refusal::Unread:
      return kLeftUnreadFile;
    case Refusal::Changed:
      return kLeftChangedFile;
    case Refusal::NotReplaceable:
      return kLeftUnreplaceableFile;
    case Refusal::Locked:
      return kLeftLockedFile;
  }
  return {};
}

void TellElsewhere(SaveOutcome& outcome, std::string text) {
  outcome.elsewhere = true;
  outcome.reports.push_back({UserReport::Kind::Notice, std::move(text)});
}

// Beside the list's file, in the session's side file there.
bool SetAsideBesideFile(StorageFileState& state, const RefusedSave& refused,
                        FileOps& ops, SaveOutcome& outcome) {
  const std::filesystem::path file = SavePathOf(state.location);
  try {
    const std::filesystem::path side =
        WriteSetAside(state, file, refused.plan, ops);
    // The text set aside holds what the start took in, less what the user
    // deleted since: a deletion of a line taken in stands at the next start.
    MarkStartsTakeInDone(state, ops);
    TellElsewhere(outcome,
                  ComposeMessage(NoticePattern(refused.why),
                                 {PathForMessage(file), PathForMessage(side)}));
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

// The copy in the user's folder as a list of its own, knowing that file as
// this session last wrote it or, the first time, as one it never saw: a
// copy there is then merged with as a plain union.
StorageFileState UserCopyOf(const StorageFileState& state) {
  StorageFileState user_copy;
  user_copy.location.in_user_folder = state.location.in_user_folder;
  user_copy.location.loaded_from = StoragePlace::UserFolder;
  if (state.user_copy_memory) {
    user_copy.memory = *state.user_copy_memory;
  } else {
    user_copy.memory.last = {FileSnapshot::Kind::Missing, {}};
    user_copy.memory.encoding = state.memory.encoding;
    user_copy.memory.start = state.memory.start;
  }
  return user_copy;
}

// The copy holds the list: the list's file as this session knows it goes
// beside it as its base, and a save that reaches the file takes it in.
void KeepUserCopy(StorageFileState& state, FileOps& ops) {
  const std::filesystem::path& copy = state.location.in_user_folder;
  try {
    WriteSetAsideBase(state, copy, ops);
  } catch (const std::exception&) {
    // Without its base the copy is merged as a plain union: nothing lost.
  }
  if (std::find(state.set_aside.begin(), state.set_aside.end(), copy) ==
      state.set_aside.end())
    state.set_aside.push_back(copy);
  MarkStartsTakeInDone(state, ops);
}

// In the copy in the user's folder, saved there as the list is at its own
// file; a copy that refuses too is left to the next place.
bool SaveInUserFolder(StorageFileState& state, const RefusedSave& refused,
                      const SaveRequest& request, SaveOutcome& outcome) {
  const StorageLocation& location = state.location;
  if (location.loaded_from != StoragePlace::BesideProgram ||
      location.in_user_folder.empty())
    return false;
  std::error_code ignored;
  std::filesystem::create_directories(location.in_user_folder.parent_path(),
                                      ignored);
  StorageFileState user_copy = UserCopyOf(state);
  LockedWrite there = SaveAtCurrentPlace(user_copy, refused.text, request);
  if (there.refused || there.outcome.result != SaveOutcome::Result::Done)
    return false;
  state.user_copy_memory = std::move(user_copy.memory);
  KeepUserCopy(state, request.ops);
  if (there.outcome.merged) outcome.merged = std::move(there.outcome.merged);
  outcome.taken_in += there.outcome.taken_in;
  for (UserReport& report : there.outcome.reports)
    if (report.kind == UserReport::Kind::Failure)
      outcome.reports.push_back(std::move(report));
  TellElsewhere(
      outcome,
      ComposeMessage(kSavedInUserFolder,
                     {PathForMessage(SavePathOf(location).parent_path()),
                      PathForMessage(location.in_user_folder.parent_path())}));
  return true;
}

// At the end of a Windows session, in the temporary folder.
bool SetAsideInTemporaryFolder(StorageFileState& state,
                               const RefusedSave& refused,
                               const SaveRequest& request,
                               SaveOutcome& outcome) {
  const std::filesystem::path& temporary = state.location.in_temporary_folder;
  if (request.moment != SaveMoment::EndingSession || temporary.empty())
    return false;
  try {
    std::error_code ignored;
    std::filesystem::create_directories(temporary.parent_path(), ignored);
    const std::filesystem::path kept =
        WriteSetAside(state, temporary, refused.plan, request.ops);
    TellElsewhere(outcome,
                  ComposeMessage(kSavedBesideInUserFolder,
                                 {PathForMessage(SavePathOf(state.location)),
                                  PathForMessage(kept)}));
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

SaveOutcome DivertRefusedSave(StorageFileState& state, RefusedSave refused,
                              const SaveRequest& request, SaveOutcome outcome) {
  if (state.memory.NothingOfTheSession(refused.text)) {
    if (request.moment != SaveMoment::WhileWorking && !refused.failure.empty())
      outcome.reports.push_back({UserReport::Kind::Failure, refused.failure});
    return outcome;
  }
  if (SetAsideBesideFile(state, refused, request.ops, outcome) ||
      SaveInUserFolder(state, refused, request, outcome) ||
      SetAsideInTemporaryFolder(state, refused, request, outcome))
    return outcome;
  outcome.result = SaveOutcome::Result::Failed;
  outcome.failure =
      refused.failure.empty()
          ? ComposeMessage(kCannotOpenFile,
                           {PathForMessage(SavePathOf(state.location))})
          : std::move(refused.failure);
  return outcome;
}

}  // namespace tavlin
