// The side files of a storage list: text a session set aside while the
// list's file refused it, each with its base (the file as that session
// knew it) so that the start that takes it in merges three ways; and the
// renaming of side files, once the list holds their lines, as taken in.
#pragma once

#include <filesystem>

#include "src/platform/atomic_save.h"
#include "src/platform/file_access.h"
#include "src/storage/save_plan.h"
#include "src/storage/storage_save.h"

namespace tavlin {

// Writes, beside text set aside at aside, the list's file as this session
// last knew it: the base of the merge that takes the text in. With
// ExistingFile::Keep, false where a base stands there already.
bool WriteSetAsideBase(const StorageFileState& state,
                       const std::filesystem::path& aside, FileOps& ops,
                       ExistingFile existing = ExistingFile::Replace);

// Sets the plan's text aside beside file, and returns where.
std::filesystem::path WriteSetAside(StorageFileState& state,
                                    const std::filesystem::path& file,
                                    const SavePlan& plan, FileOps& ops);

// The files the start took in are held by the list now (or by text set
// aside since): renamed as taken in.
void MarkStartsTakeInDone(StorageFileState& state, FileOps& ops);
// The list's own file holds a save: everything set aside is taken in.
void MarkSetAsideTakenIn(StorageFileState& state, FileOps& ops);
// The list's own file holds a save that merged what saves kept of other
// writers' text (StorageFileState::displaced): those files go.
void RemoveMergedDisplaced(StorageFileState& state, FileOps& ops);

}  // namespace tavlin
