// The two places a storage list's file may live: beside the program, where
// it belongs and where saves go whenever that folder takes new files, and
// the user's own application-data folder, kept per program folder, where a
// list goes when the program's folder cannot be written to (a locked
// folder, a read-only share).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "src/platform/file_access.h"
#include "src/storage/storage_file.h"

namespace tavlin {

enum class StoragePlace { BesideProgram, UserFolder };

// A file whose lines a list took in, with its bytes as they were taken in
// where they are known: one that holds other bytes by the time the list is
// saved (another copy set its text aside there again) is left under its
// name, for the next start to take in.
struct TakenInFile {
  std::filesystem::path path;
  std::optional<std::string> bytes;
};

struct StorageLocation {
  std::filesystem::path beside_program;
  // Empty where the user's folder is unknown: then only the file beside
  // the program is used.
  std::filesystem::path in_user_folder;
  StoragePlace loaded_from = StoragePlace::BesideProgram;  // saves go there
  // Where the end of a Windows session sets the text aside when no other
  // place takes it: a file of this name in a folder of the temporary
  // folder's, one per program folder. Empty where there is none.
  std::filesystem::path in_temporary_folder;
  // Files whose lines the list took in at start (the copy in the user's
  // folder, text set aside by earlier sessions, an earlier version's
  // Unicode copies); renamed with their bases, never removed, once the
  // list's own file holds a save.
  std::vector<TakenInFile> to_take_in;
};

// The file saves go to: the one the list was loaded from.
inline const std::filesystem::path& SavePathOf(
    const StorageLocation& location) {
  return location.loaded_from == StoragePlace::UserFolder
             ? location.in_user_folder
             : location.beside_program;
}

// "<application data>\Tavlin\<folder name>-<8 hex digits>\<file name>": a
// folder of its own for each program folder, so that two installs never
// mix their lists. Empty when the application-data folder is unknown.
std::filesystem::path UserFolderStoragePath(
    const std::filesystem::path& application_data,
    const std::filesystem::path& beside_program);

// Where earlier versions kept every program folder's copy:
// "<application data>\Tavlin\<file name>", beside the folders above.
std::filesystem::path SharedUserFolderStoragePath(
    const std::filesystem::path& in_user_folder);

// What a copy in the user's folder is renamed to once taken in:
// "<name>.取り込み済み.txt", then "<name>.取り込み済み2.txt" and so on.
std::filesystem::path TakenInCopyPath(const std::filesystem::path& copy,
                                      int number);

// The file beside a copy in the user's folder, or beside text set aside,
// that holds the list's file as it was when the text went there: the base
// of the three-way merge that takes it in. "<name>.元.txt", in UTF-8.
std::filesystem::path SetAsideBasePath(const std::filesystem::path& set_aside);

struct LoadedPlaces {
  std::optional<std::string> notice;  // the file loaded is not the one chosen
  // The copy in the user's folder, where the list's file beside the program
  // is where saves go: the list shown is their merge, this file's lines
  // first.
  std::optional<StorageList> user_copy;
  std::filesystem::path user_copy_path;  // where it was loaded from
};

// Loads the list for a start and notes in location where saves go: beside
// the program whenever that folder takes new files (a lock file is made
// and let go to find out), else the user's folder. When the file to load
// cannot be read and the other place holds one, the other is loaded, the
// unread file is left as it is, and the notice says so. Throws as
// LoadStorageList does when no file could be read.
LoadedPlaces LoadStorageListFrom(StorageList& list, StorageLocation& location,
                                 FileOps& ops = SystemFileOps());

}  // namespace tavlin
