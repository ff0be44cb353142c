// The two places a storage list's file may live: beside the program, where
// it belongs, and in the user's own application-data folder, where it goes
// when the program's folder cannot be written to (a locked folder, a
// read-only share). Which one a start loads, and where an exit saves.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "src/platform/file_access.h"
#include "src/platform/messages.h"
#include "src/storage/storage_file.h"

namespace tavlin {

enum class StoragePlace { BesideProgram, UserFolder };

struct StorageLocation {
  std::filesystem::path beside_program;
  // Empty where the user's folder is unknown: then only the file beside
  // the program is used.
  std::filesystem::path in_user_folder;
  StoragePlace loaded_from = StoragePlace::BesideProgram;
};

// "<application data>\Tavlin\<the storage file's name>"; empty when the
// application-data folder is unknown.
std::filesystem::path UserFolderStoragePath(
    const std::filesystem::path& application_data,
    const std::filesystem::path& beside_program);

// What stands at one of the places when the program starts.
struct PlaceAtStart {
  PathKind kind = PathKind::Missing;
  std::optional<std::int64_t> written;  // LastWriteTime, when known
};
PlaceAtStart LookAtPlace(const std::filesystem::path& path);

// The place to load from: the one whose file was written last. Equal or
// unknown times keep the file beside the program; a file that cannot even
// be looked at beside the program yields to a copy in the user's folder.
StoragePlace ChooseStoragePlace(const PlaceAtStart& beside_program,
                                const PlaceAtStart& in_user_folder);

// Loads the list from the chosen place and notes it in location. When that
// file cannot be read and the other place holds one, the other is loaded,
// the unread file is left as it is, and the returned notice says so.
// Throws as LoadStorageList does when no file could be read.
std::optional<std::string> LoadStorageListFrom(StorageList& list,
                                               StorageLocation& location);

}  // namespace tavlin
