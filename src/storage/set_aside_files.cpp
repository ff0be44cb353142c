#include "src/storage/set_aside_files.h"

#include <string>

#include "src/platform/atomic_save.h"
#include "src/platform/tavlin_error.h"
#include "src/platform/unicode_text.h"
#include "src/storage/storage_file.h"

namespace tavlin {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The bytes of a UTF-8 file the program writes beside a list: mark first.
std::string WithUtf8Mark(std::string_view utf8) {
  return std::string(kUtf8ByteOrderMark).append(utf8);
}

// Renames a file whose lines the list now holds, never removing it; true
// when it no longer stands under its name.
bool RenameAsTakenIn(const std::filesystem::path& file, FileOps& ops) {
  if (LookAtPath(file) != PathKind::File) return true;
  for (int number = 1; number <= kMaximumNumberedFiles; ++number) {
    const std::filesystem::path taken = TakenInCopyPath(file, number);
    if (LookAtPath(taken) != PathKind::Missing) continue;
    return ops.Rename(file, taken, false);
  }
  return false;
}

// Text whose lines the list's own file holds now: its base becomes the
// text itself first, so that merging it again changes nothing where the
// renames are refused (a viewer or a scanner holds the file), then both
// are renamed to say so. Tried once: a file left is merged again, in vain.
void TakenIn(const std::filesystem::path& file, FileOps& ops) {
  const std::filesystem::path base = SetAsideBasePath(file);
  if (LookAtPath(base) == PathKind::File) {
    try {
      SaveFileAtomically(base, ReadWholeFile(file), ExistingFile::Replace, ops);
    } catch (const std::exception&) {
      // Renamed below all the same, where that can be done.
    }
  }
  // A base goes only with its text: text without it would merge as a
  // plain union, bringing deleted lines back.
  if (RenameAsTakenIn(file, ops)) RenameAsTakenIn(base, ops);
}

}  // namespace

// Writes, beside text set aside at aside, the list's file as this session
// last knew it: the base of the merge that takes the text in.
bool WriteSetAsideBase(const StorageFileState& state,
                       const std::filesystem::path& aside, FileOps& ops,
                       ExistingFile existing) {
  return SaveFileAtomically(SetAsideBasePath(aside),
                            WithUtf8Mark(Utf8FromU16(state.memory.last_text)),
                            existing, ops);
}

// The files the list took in at start, where they hold what was taken in
// still; one another copy wrote again is left for the next start.
void MarkStartsTakeInDone(StorageFileState& state, FileOps& ops) {
  for (const TakenInFile& file : state.location.to_take_in)
    if (!file.bytes || TakeFileSnapshot(file.path).bytes == *file.bytes)
      TakenIn(file.path, ops);
  state.location.to_take_in.clear();
}

void MarkSetAsideTakenIn(StorageFileState& state, FileOps& ops) {
  MarkStartsTakeInDone(state, ops);
  for (const std::filesystem::path& file : state.set_aside) TakenIn(file, ops);
  state.set_aside.clear();
  state.user_copy_memory.reset();
}

void RemoveMergedDisplaced(StorageFileState& state, FileOps& ops) {
  // The side file goes before its base: never a text without it.
  for (const std::filesystem::path& file : state.displaced) {
    ops.Remove(file);
    ops.Remove(SetAsideBasePath(file));
  }
  state.displaced.clear();
}

// Sets the plan's text aside beside file: in the session's file there,
// replaced, or at the first free name the first time. A new text's base
// goes first, so that no moment leaves the text without it: the start
// that takes it in merges three ways, and a deletion stays a deletion.
std::filesystem::path WriteSetAside(StorageFileState& state,
                                    const std::filesystem::path& file,
                                    const SavePlan& plan, FileOps& ops) {
  for (const std::filesystem::path& made : state.set_aside) {
    if (made.parent_path() != file.parent_path() || made == file) continue;
    // Replaced text first: beside the old base it only deletes lines the
    // file no longer holds, where the old text beside a new base would
    // bring back lines another writer deleted meanwhile. One another copy
    // took in and renamed meanwhile is made anew, base first.
    const bool anew = LookAtPath(made) != PathKind::File;
    if (anew) WriteSetAsideBase(state, made, ops);
    SaveFileAtomically(made, plan.bytes, ExistingFile::Replace, ops);
    if (!anew) WriteSetAsideBase(state, made, ops);
    return made;
  }
  for (int number = 1; number <= kMaximumNumberedFiles; ++number) {
    const std::filesystem::path name = DivertedStorageFilePath(file, number);
    if (LookAtPath(name) != PathKind::Missing ||
        !WriteSetAsideBase(state, name, ops, ExistingFile::Keep))
      continue;
    if (SaveFileAtomically(name, plan.bytes, ExistingFile::Keep, ops)) {
      state.set_aside.push_back(name);
      return name;
    }
    ops.Remove(SetAsideBasePath(name));  // another writer took the name
  }
  throw CannotCreateFileError(file);
}

}  // namespace tavlin
