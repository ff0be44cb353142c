#include "src/storage/storage_places.h"

#include <cstdint>
#include <cstdio>
#include <exception>

#include "src/platform/messages.h"
#include "src/platform/tavlin_error.h"

namespace tavlin {

namespace {

// FNV-1a over the path's units, ASCII letters folded: Windows paths are
// the same folder in any letter case.
std::uint32_t FolderHash(const std::filesystem::path& folder) {
  std::uint32_t hash = 2166136261u;
  for (auto unit : folder.native()) {
    auto c = static_cast<std::uint32_t>(unit);
    if (c >= 'A' && c <= 'Z') c += 'a' - 'A';
    if (c == '/') c = '\\';
    hash = (hash ^ c) * 16777619u;
  }
  return hash;
}

// Whether new files can be made in the folder of file: its lock file is
// made and let go at once.
bool TakesNewFiles(const std::filesystem::path& file, FileOps& ops) {
  std::unique_ptr<FileLock> probe;
  return ops.TryLock(StorageLockPath(file), probe) != LockResult::CannotCreate;
}

// Loads the list from the other place after the first could not be read.
LoadedPlaces LoadFromTheOther(StorageList& list, StorageLocation& location,
                              const std::filesystem::path& unread,
                              const std::filesystem::path& other,
                              StoragePlace other_place) {
  // With neither file read, the failure told is the first one's.
  const std::exception_ptr first = std::current_exception();
  if (LookAtPath(other) != PathKind::File) std::rethrow_exception(first);
  StorageList offered;
  try {
    LoadStorageList(offered, other);
  } catch (const TavlinError&) {
    std::rethrow_exception(first);
  }
  list = std::move(offered);
  location.loaded_from = other_place;
  return {ComposeMessage(kLoadedOtherPlace,
                         {PathForMessage(unread), PathForMessage(other)}),
          std::nullopt,
          {}};
}

}  // namespace

std::filesystem::path UserFolderStoragePath(
    const std::filesystem::path& application_data,
    const std::filesystem::path& beside_program) {
  if (application_data.empty()) return {};
  const std::filesystem::path folder = beside_program.parent_path();
  char hash[9];
  std::snprintf(hash, sizeof hash, "%08x",
                static_cast<unsigned>(FolderHash(folder)));
  std::filesystem::path name = folder.filename();
  name += "-";
  name += hash;
  return application_data / "Tavlin" / name / beside_program.filename();
}

std::filesystem::path SharedUserFolderStoragePath(
    const std::filesystem::path& in_user_folder) {
  return in_user_folder.parent_path().parent_path() / in_user_folder.filename();
}

std::filesystem::path TakenInCopyPath(const std::filesystem::path& copy,
                                      int number) {
  return NumberedBesidePath(copy, u8".取り込み済み", number);
}

std::filesystem::path SetAsideBasePath(const std::filesystem::path& set_aside) {
  return NumberedBesidePath(set_aside, u8".元", 1);
}

LoadedPlaces LoadStorageListFrom(StorageList& list, StorageLocation& location,
                                 FileOps& ops) {
  location.loaded_from = StoragePlace::BesideProgram;
  location.to_take_in.clear();
  std::filesystem::path& copy = location.in_user_folder;
  // A copy an earlier version kept for every program folder stands in for
  // this folder's own until that exists.
  if (!copy.empty() && LookAtPath(copy) == PathKind::Missing &&
      LookAtPath(SharedUserFolderStoragePath(copy)) == PathKind::File)
    copy = SharedUserFolderStoragePath(copy);
  const std::filesystem::path& beside = location.beside_program;

  if (copy.empty() || LookAtPath(copy) != PathKind::File) {
    LoadStorageList(list, beside);
    return {};
  }
  if (LookAtPath(beside) == PathKind::Unknown || !TakesNewFiles(beside, ops)) {
    // The program's folder takes nothing: the copy is the list.
    location.loaded_from = StoragePlace::UserFolder;
    try {
      LoadStorageList(list, copy);
      return {};
    } catch (const TavlinError&) {
      return LoadFromTheOther(list, location, copy, beside,
                              StoragePlace::BesideProgram);
    }
  }
  try {
    LoadStorageList(list, beside);
  } catch (const TavlinError&) {
    return LoadFromTheOther(list, location, beside, copy,
                            StoragePlace::UserFolder);
  }
  LoadedPlaces loaded;
  StorageList copy_list;
  try {
    LoadStorageList(copy_list, copy);
  } catch (const TavlinError&) {
    return loaded;  // a copy that cannot be read is left as it is
  }
  loaded.user_copy = std::move(copy_list);
  loaded.user_copy_path = copy;
  return loaded;
}

}  // namespace tavlin
