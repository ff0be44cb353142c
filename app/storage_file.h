// The storage lists' files beside the executable: their names, loading at
// start and saving at exit, without ever losing what the user kept.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "slogan/phrase_category.h"

struct StorageList {
  std::string text;  // Shift-JIS, CR LF line breaks
  // Set when the file existed but could not be loaded: it is then never
  // overwritten, since the list does not hold what the file holds.
  bool file_unread = false;
};

// The executable's path with its extension replaced by "安全保管庫.txt" or
// "品質保管庫.txt" (appended where the name has no extension). "\", "/" and
// ":" end the file name, so a dot in a folder name does not count.
std::filesystem::path StorageFilePath(const std::filesystem::path& executable,
                                      PhraseCategory category);

// Fills list from the file at path; a missing file (or a folder of that
// name) leaves it as it is. When the file cannot be read, marks the list
// as unread and throws TavlinError "ファイル %s は開けません".
void LoadStorageList(StorageList& list, const std::filesystem::path& path);

// Marks a list whose file exists but could not be taken in by the caller
// (for instance too large to show), so that saving leaves the file alone.
void MarkStorageFileUnread(StorageList& list);

// Where a list whose file could not be loaded keeps its text instead:
// "<name>.追加分.txt", then "<name>.追加分2.txt" and so on.
std::filesystem::path DivertedStorageFilePath(
    const std::filesystem::path& storage_file, int number);

// Where a list that holds characters Shift-JIS cannot store keeps its whole
// text as well, in UTF-8: "<name>.unicode.txt".
std::filesystem::path UnicodeStorageCopyPath(
    const std::filesystem::path& storage_file);

// Writes the list to path atomically. A list whose file could not be loaded
// leaves that file as it is; its text, if any, goes to a new diverted file
// that replaces nothing, and the returned notice names both files. Throws
// TavlinError on failure, the previous file untouched.
std::optional<std::string> SaveStorageList(const StorageList& list,
                                           const std::filesystem::path& path);

// Saves every list in turn, a failure of one not stopping the others, and
// returns what is to be reported: each failure and each notice.
std::vector<std::string> SaveStorageLists(
    const std::vector<std::pair<const StorageList*, std::filesystem::path>>&
        lists);
