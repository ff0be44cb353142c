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

// Where the list goes when nothing of it could be written beside the
// program: a new file in the user's folder that replaces nothing.
std::vector<std::string> SaveInUserFolder(const StorageList& list,
                                          const StorageLocation& location,
                                          FileOps& ops) {
  const std::filesystem::path& copy = location.in_user_folder;
  std::error_code ignored;
  std::filesystem::create_directories(copy.parent_path(), ignored);
  std::vector<std::string> notices;
  const std::filesystem::path written =
      SaveStorageListAsNewFile(list, copy, notices, ops);
  const std::string notice =
      written == copy
          ? ComposeMessage(
                kSavedInUserFolder,
                {PathForMessage(location.beside_program.parent_path()),
                 PathForMessage(copy.parent_path())})
          : ComposeMessage(kSavedBesideInUserFolder,
                           {PathForMessage(location.beside_program),
                            PathForMessage(written)});
  notices.insert(notices.begin(), notice);
  return notices;
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

std::vector<std::string> SaveStorageListTo(const StorageList& list,
                                           const StorageLocation& location,
                                           FileOps& ops) {
  if (location.loaded_from == StoragePlace::UserFolder ||
      location.in_user_folder.empty())
    return SaveStorageList(list, LoadedPath(location), ops);
  try {
    return SaveStorageList(list, location.beside_program, ops);
  } catch (const TavlinError&) {
    // An untouched list loses nothing where it is, and a folder that takes
    // new files (one with a folder in place of the file, say) never sends
    // anything to the profile: the failure is told as it is.
    if (IsStorageListUntouched(list)) throw;
    try {
      return SaveInUserFolder(list, location, ops);
    } catch (const std::exception&) {
    }
    // The failure the user can act on is the one beside the program.
    throw;
  }
}

std::vector<UserReport> SaveStorageLists(
    const std::vector<StorageListToSave>& lists) {
  using Kind = UserReport::Kind;
  std::vector<UserReport> reports;
  const auto report = [&reports](Kind kind, std::string text) {
    UserReport told{kind, std::move(text)};
    if (std::find(reports.begin(), reports.end(), told) == reports.end())
      reports.push_back(std::move(told));
  };
  for (const auto& [list, location] : lists) {
    try {
      for (std::string& notice : SaveStorageListTo(*list, location))
        report(Kind::Notice, std::move(notice));
    } catch (const std::exception& error) {
      report(Kind::Failure, error.what());
    }
  }
  return reports;
}

}  // namespace tavlin
