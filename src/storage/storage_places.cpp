#include "src/storage/storage_places.h"

#include <algorithm>
#include <system_error>

#include "src/platform/messages.h"
#include "src/platform/tavlin_error.h"

namespace tavlin {

namespace {

const std::filesystem::path& LoadedPath(const StorageLocation& location) {
  return location.loaded_from == StoragePlace::UserFolder
             ? location.in_user_folder
             : location.beside_program;
}

}  // namespace

std::filesystem::path UserFolderStoragePath(
    const std::filesystem::path& application_data,
    const std::filesystem::path& beside_program) {
  if (application_data.empty()) return {};
  return application_data / "Tavlin" / beside_program.filename();
}

PlaceAtStart LookAtPlace(const std::filesystem::path& path) {
  if (path.empty()) return {};
  const PathKind kind = LookAtPath(path);
  return {kind, kind == PathKind::File ? LastWriteTime(path) : std::nullopt};
}

StoragePlace ChooseStoragePlace(const PlaceAtStart& beside_program,
                                const PlaceAtStart& in_user_folder) {
  if (in_user_folder.kind != PathKind::File) return StoragePlace::BesideProgram;
  if (beside_program.kind != PathKind::File) return StoragePlace::UserFolder;
  if (!beside_program.written || !in_user_folder.written)
    return StoragePlace::BesideProgram;
  return *in_user_folder.written > *beside_program.written
             ? StoragePlace::UserFolder
             : StoragePlace::BesideProgram;
}

std::optional<std::string> LoadStorageListFrom(StorageList& list,
                                               StorageLocation& location) {
  location.loaded_from =
      ChooseStoragePlace(LookAtPlace(location.beside_program),
                         LookAtPlace(location.in_user_folder));
  try {
    LoadStorageList(list, LoadedPath(location));
    return std::nullopt;
  } catch (const TavlinError&) {
    StorageLocation other = location;
    other.loaded_from = location.loaded_from == StoragePlace::UserFolder
                            ? StoragePlace::BesideProgram
                            : StoragePlace::UserFolder;
    if (LookAtPlace(LoadedPath(other)).kind != PathKind::File) throw;
    StorageList offered;
    bool read = true;
    try {
      LoadStorageList(offered, LoadedPath(other));
    } catch (const TavlinError&) {
      read = false;
    }
    // With neither file read, the failure told is the chosen file's.
    if (!read) throw;
    list = std::move(offered);
    const std::string notice =
        ComposeMessage(kLoadedOtherPlace, {PathForMessage(LoadedPath(location)),
                                           PathForMessage(LoadedPath(other))});
    location = std::move(other);
    return notice;
  }
}

}  // namespace tavlin
