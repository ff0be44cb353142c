// The storage lists' files beside the executable: their names, loading at
// start and saving at exit, without ever losing what the user kept or what
// another program wrote meanwhile.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "src/platform/file_access.h"
#include "src/platform/file_snapshot.h"
#include "src/platform/folder_listings.h"
#include "src/platform/shift_jis_text.h"
#include "src/platform/text_codec.h"
#include "src/platform/text_encoding.h"
#include "src/slogan/phrase_category.h"

namespace tavlin {

struct StorageList {
  // The file's bytes normalised: CR LF line breaks, outer blanks gone.
  ShiftJisText text;
  // The storage file as it was loaded. A list that was never loaded
  // (NotTaken) is never saved; one whose file could not be read (Unread)
  // never overwrites it.
  FileSnapshot file;
  TextEncoding encoding = TextEncoding::ShiftJis;  // the file's, as detected
};

// What a loaded list shows in its box.
struct StorageTextShown {
  std::u16string text;
  // False where the file's bytes do not decode cleanly in their encoding,
  // or hold a zero character: the list then counts as not loaded, and its
  // file is never rewritten.
  bool faithful = true;
};

// The text of a loaded list in its file's encoding, normalised.
StorageTextShown StorageTextToShow(const StorageList& list,
                                   const TextCodec& shift_jis);

// The executable's path with its extension replaced by "安全保管庫.txt" or
// "品質保管庫.txt" (appended where the name has no extension). "\", "/" and
// ":" end the file name, so a dot in a folder name does not count.
std::filesystem::path StorageFilePath(const std::filesystem::path& executable,
                                      PhraseCategory category);
// The same for the theme of that name: "<name><theme>保管庫.txt".
std::filesystem::path StorageFilePath(const std::filesystem::path& executable,
                                      std::u16string_view theme);

// Fills list from the file at path; a missing file (or a folder of that
// name) leaves the text as it is.
// When the file cannot be read, marks the list as unread and throws
// TavlinError "ファイル %s は開けません".
void LoadStorageList(StorageList& list, const std::filesystem::path& path);

// Marks a list whose file could not be taken in whole by the caller (too
// large to show, say), so that saving leaves the file alone.
void MarkStorageFileUnread(StorageList& list);

// "<name>.lock" beside the storage file: made new by a copy of the program
// from reading the file to replacing it, and gone with that copy.
std::filesystem::path StorageLockPath(const std::filesystem::path& file);

// A safety net against a folder that keeps answering "exists".
inline constexpr int kMaximumNumberedFiles = 1000;

// "<name><kind>.txt" beside file (its extension replaced), then
// "<name><kind>2.txt" and so on: the files a list makes beside its own.
std::filesystem::path NumberedBesidePath(const std::filesystem::path& file,
                                         std::u8string_view kind, int number);

// Where a list keeps its text when its file must be left alone:
// "<name>.追加分.txt", then "<name>.追加分2.txt" and so on.
std::filesystem::path DivertedStorageFilePath(
    const std::filesystem::path& storage_file, int number);

// Where earlier versions kept the whole text of a Shift-JIS list that held
// characters Shift-JIS cannot store, in UTF-8: "<name>.unicode.txt", then
// "<name>.unicode2.txt" and so on.
std::filesystem::path UnicodeStorageCopyPath(
    const std::filesystem::path& storage_file, int number = 1);

// The files beside file that NumberedBesidePath names for kind, whatever
// numbers they carry and whatever numbers are missing, lowest first; from
// listings where given, else from a listing of their own.
std::vector<std::filesystem::path> NumberedFilesBeside(
    const std::filesystem::path& file, std::u8string_view kind,
    FolderListings* listings = nullptr);

}  // namespace tavlin
