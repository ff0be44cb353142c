// The storage lists' files beside the executable: their names, loading at
// start and saving at exit, without ever losing what the user kept or what
// another program wrote meanwhile.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "src/platform/file_access.h"
#include "src/platform/file_snapshot.h"
#include "src/platform/shift_jis_text.h"
#include "src/slogan/phrase_category.h"

namespace tavlin {

struct StorageList {
  ShiftJisText text;  // CR LF line breaks
  // The storage file as it was loaded. A list that was never loaded
  // (NotTaken) is never saved; one whose file could not be read (Unread)
  // never overwrites it.
  FileSnapshot file;
  // The Unicode copy beside the file, as it was at load, and whether the
  // list shows its text: only a copy the list took in is ever replaced or
  // removed.
  FileSnapshot unicode_copy;
  bool unicode_copy_taken = false;
};

// The executable's path with its extension replaced by "安全保管庫.txt" or
// "品質保管庫.txt" (appended where the name has no extension). "\", "/" and
// ":" end the file name, so a dot in a folder name does not count.
std::filesystem::path StorageFilePath(const std::filesystem::path& executable,
                                      PhraseCategory category);
// The same for the theme of that name: "<name><theme>保管庫.txt".
std::filesystem::path StorageFilePath(const std::filesystem::path& executable,
                                      std::u16string_view theme);

// Fills list from the file at path; a missing file (or a folder of that
// name) leaves the text as it is. Also notes the Unicode copy beside it.
// When the file cannot be read, marks the list as unread and throws
// TavlinError "ファイル %s は開けません".
void LoadStorageList(StorageList& list, const std::filesystem::path& path);

// Marks a list whose file could not be taken in whole by the caller (too
// large to show, say), so that saving leaves the file alone.
void MarkStorageFileUnread(StorageList& list);

// The text of the Unicode copy, without its byte-order mark, when the list
// should show it: the storage file still holds exactly what the copy
// renders as in Shift-JIS (to_shift_jis), as it does after a save that
// wrote both.
std::optional<std::string> UnicodeTextToShow(
    const StorageList& list,
    const std::function<ShiftJisText(std::string_view utf8)>& to_shift_jis);

// "<name>.lock" beside the storage file: made new by a copy of the program
// from reading the file to replacing it, and gone with that copy.
std::filesystem::path StorageLockPath(const std::filesystem::path& file);

// Where a list keeps its text when its file must be left alone:
// "<name>.追加分.txt", then "<name>.追加分2.txt" and so on.
std::filesystem::path DivertedStorageFilePath(
    const std::filesystem::path& storage_file, int number);

// Where the whole text of a file that holds characters Shift-JIS cannot
// store is kept in UTF-8: "<name>.unicode.txt", then "<name>.unicode2.txt"
// and so on.
std::filesystem::path UnicodeStorageCopyPath(
    const std::filesystem::path& storage_file, int number = 1);

}  // namespace tavlin
