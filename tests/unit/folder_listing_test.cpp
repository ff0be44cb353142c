#include "src/platform/folder_listing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "src/platform/folder_listings.h"
#include "src/storage/storage_file.h"
#include "tests/support/temp_folder.h"

namespace tavlin {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> SortedUtf8(const std::vector<fs::path>& names) {
  std::vector<std::string> texts;
  for (const fs::path& name : names) {
    const std::u8string text = name.u8string();
    texts.emplace_back(text.begin(), text.end());
  }
  std::sort(texts.begin(), texts.end());
  return texts;
}

// Files only, by name, whatever else the folder holds; nothing from a
// folder that is not there or not named.
TEST(FolderListing, NamesTheFilesOnly) {
  TempFolder folder;
  WriteBytes(folder / u8"安全上.txt", "a");
  WriteBytes(folder / u8"T安全保管庫.追加分2.txt", "");
  fs::create_directory(folder / u8"T安全保管庫.追加分3.txt");
  fs::create_directory(folder / u8"sub");
  WriteBytes(folder / u8"sub" / u8"deeper.txt", "");

  EXPECT_EQ(
      SortedUtf8(FileNamesIn(folder.path())),
      (std::vector<std::string>{"T安全保管庫.追加分2.txt", "安全上.txt"}));
  EXPECT_TRUE(FileNamesIn(folder / u8"missing").empty());
  EXPECT_TRUE(FileNamesIn(fs::path()).empty());
  // A folder named as a set-aside file is none.
  EXPECT_EQ(NumberedFilesBeside(folder / u8"T安全保管庫.txt", u8".追加分"),
            (std::vector<fs::path>{folder / u8"T安全保管庫.追加分2.txt"}));
}

// Each folder listed at its first asking and kept as it was then; another
// folder has a listing of its own.
TEST(FolderListings, ListEachFolderOnceAsFoundAtFirstAsking) {
  TempFolder folder;
  fs::create_directory(folder / "other");
  WriteBytes(folder / "a.txt", "");
  FolderListings listings;
  EXPECT_EQ(SortedUtf8(listings.FileNamesIn(folder.path())),
            (std::vector<std::string>{"a.txt"}));
  WriteBytes(folder / "b.txt", "");
  WriteBytes(folder / "other" / "c.txt", "");
  EXPECT_EQ(SortedUtf8(listings.FileNamesIn(folder.path())),
            (std::vector<std::string>{"a.txt"}));
  EXPECT_EQ(SortedUtf8(listings.FileNamesIn(folder / "other")),
            (std::vector<std::string>{"c.txt"}));
}

}  // namespace
}  // namespace tavlin
