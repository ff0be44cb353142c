#include "src/storage/storage_file.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "src/platform/tavlin_error.h"
#include "src/storage/storage_places.h"
#include "support/file_faults.h"
#include "support/temp_folder.h"

namespace tavlin {

namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

std::string Utf8(const fs::path& path) { return PathForMessage(path); }

// A list as the program holds it after a start that found its file in the
// given state.
StorageList ListFound(FileSnapshot::Kind kind, std::string text) {
  StorageList list;
  list.text = ShiftJisText(std::move(text));
  list.file.kind = kind;
  return list;
}
StorageList NewList(std::string text) {
  return ListFound(FileSnapshot::Kind::Missing, std::move(text));
}
StorageList UnreadList(std::string text) {
  return ListFound(FileSnapshot::Kind::Unread, std::move(text));
}

struct PathCase {
  const char* executable;
  const char* safety_file;
};

std::ostream& operator<<(std::ostream& out, const PathCase& c) {
  return out << c.executable;
}

class StorageFileNames : public testing::TestWithParam<PathCase> {};

TEST_P(StorageFileNames, ReplaceTheExtensionOfTheExecutable) {
  const fs::path executable(
      reinterpret_cast<const char8_t*>(GetParam().executable));
  EXPECT_EQ(Utf8(StorageFilePath(executable, PhraseCategory::Safety)),
            GetParam().safety_file);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, StorageFileNames,
    testing::Values(
        PathCase{"C:\\Tools\\Tavlin.exe", "C:\\Tools\\Tavlin安全保管庫.txt"},
        PathCase{"C:\\Tools.old\\Tavlin",
                 "C:\\Tools.old\\Tavlin安全保管庫.txt"},
        PathCase{"C:\\Tools\\Tavlin.backup.exe",
                 "C:\\Tools\\Tavlin.backup安全保管庫.txt"},
        PathCase{"C:\\Tools\\.exe", "C:\\Tools\\安全保管庫.txt"},
        PathCase{"C:Tavlin.exe", "C:Tavlin安全保管庫.txt"},
        PathCase{"C:.exe", "C:安全保管庫.txt"},
        PathCase{"Tavlin", "Tavlin安全保管庫.txt"},
        PathCase{"/opt/t.d/tavlin", "/opt/t.d/tavlin安全保管庫.txt"},
        PathCase{"C:\\表\\ソ.exe", "C:\\表\\ソ安全保管庫.txt"},
        PathCase{"C:\\한국\\😀.exe", "C:\\한국\\😀安全保管庫.txt"}));

TEST(StorageFileNames, TheUnicodeCopyStandsBesideTheFile) {
  EXPECT_EQ(
      Utf8(UnicodeStorageCopyPath(fs::path(u8"/tools/Tavlin安全保管庫.txt"))),
      "/tools/Tavlin安全保管庫.unicode.txt");
}

TEST(StorageFileNames, QualityHasItsOwnSuffix) {
  EXPECT_EQ(
      Utf8(StorageFilePath("C:\\Tools\\Tavlin.exe", PhraseCategory::Quality)),
      "C:\\Tools\\Tavlin品質保管庫.txt");
}

struct LoadCase {
  const char* name;
  std::string file;
  std::string text;
};

std::ostream& operator<<(std::ostream& out, const LoadCase& c) {
  return out << c.name;
}

class StorageFileLoad : public testing::TestWithParam<LoadCase> {};

TEST_P(StorageFileLoad, GivesTheNormalisedText) {
  TempFolder folder;
  const fs::path file = folder / u8"Tavlin安全保管庫.txt";
  WriteBytes(file, GetParam().file);
  StorageList list;
  LoadStorageList(list, file);
  EXPECT_EQ(list.text.bytes(), GetParam().text);
  EXPECT_EQ(list.file.kind, FileSnapshot::Kind::Read);
}

INSTANTIATE_TEST_SUITE_P(
    AwkwardFiles, StorageFileLoad,
    testing::Values(
        LoadCase{"OnlyWhiteSpace", " \t\r\n\n\t ", ""},
        LoadCase{"InnerBlankLine", " \r\n\r\nX\r\n\r\nY\r\n\r\n", "X\r\n\r\nY"},
        LoadCase{"LoneLineFeeds", "A\nB\nC\n", "A\r\nB\r\nC"},
        LoadCase{"IdeographicSpaceFirst", "\x81\x40X", "\x81\x40X"},
        LoadCase{"ZeroByte", std::string("A\r\nB\0C", 6), "A\r\nB"},
        LoadCase{"Utf8ByteOrderMark", "\xEF\xBB\xBFX\r\n", "\xEF\xBB\xBFX"}),
    [](const auto& info) { return info.param.name; });

TEST(StorageFileLoad, MissingFileOrFolderLeavesTheListAlone) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "folder.txt");
  for (const char* name : {"missing.txt", "folder.txt"}) {
    StorageList list = NewList("kept");
    LoadStorageList(list, folder / name);
    EXPECT_EQ(list.text.bytes(), "kept");
    EXPECT_EQ(list.file.kind, FileSnapshot::Kind::Missing);
  }
}

TEST(StorageFileLoad, AnUnreadableFileIsReportedAndMarked) {
  TempFolder folder;
  const fs::path file = folder / "list.txt";
  WriteBytes(file, "precious");
  const auto held = MakeUnreadable(file);
  StorageList list;
  try {
    LoadStorageList(list, file);
    FAIL() << "the unreadable file went unnoticed";
  } catch (const TavlinError& error) {
    EXPECT_EQ(std::string(error.what()),
              "ファイル " + Utf8(file) + " は開けません");
  }
  EXPECT_EQ(list.file.kind, FileSnapshot::Kind::Unread);
  EXPECT_EQ(list.text.bytes(), "");
}

TEST(StorageFileSave, WritesTheTextByteForByteAndLoadsItBack) {
  TempFolder folder;
  const fs::path file = folder / "list.txt";
  const std::string text =
      "A\r\n\x81\x40"
      "B\r\n";
  EXPECT_TRUE(SaveStorageList(NewList(text), file).empty());
  EXPECT_EQ(ReadBytes(file), text);
  StorageList loaded;
  LoadStorageList(loaded, file);
  EXPECT_EQ(loaded.text.bytes(),
            "A\r\n\x81\x40"
            "B");
}

TEST(StorageFileSave, AnEmptyListGivesAnEmptyFile) {
  TempFolder folder;
  SaveStorageList(NewList(""), folder / "list.txt");
  EXPECT_EQ(ReadBytes(folder / "list.txt"), "");
}

TEST(StorageFileSave, AnUnreadFileIsNeverOverwritten) {
  TempFolder folder;
  const fs::path file = folder / u8"T安全保管庫.txt";
  WriteBytes(file, "precious");
  const StorageList list = UnreadList("typed meanwhile\r\n");

  const std::vector<std::string> notices = SaveStorageList(list, file);
  const fs::path diverted = folder / u8"T安全保管庫.追加分.txt";
  EXPECT_EQ(ReadBytes(file), "precious");
  EXPECT_EQ(ReadBytes(diverted), "typed meanwhile\r\n");
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].find(Utf8(file)), std::string::npos);
  EXPECT_NE(notices[0].find(Utf8(diverted)), std::string::npos);

  // A second exit finds the first diverted file and keeps it too.
  SaveStorageList(UnreadList("later"), file);
  EXPECT_EQ(ReadBytes(diverted), "typed meanwhile\r\n");
  EXPECT_EQ(ReadBytes(folder / u8"T安全保管庫.追加分2.txt"), "later");
}

TEST(StorageFileSave, AnUnreadFileWithNothingTypedWritesNothing) {
  TempFolder folder;
  WriteBytes(folder / "list.txt", "precious");
  EXPECT_TRUE(SaveStorageList(UnreadList(""), folder / "list.txt").empty());
  EXPECT_EQ(EntriesOf(folder.path()), Names{"list.txt"});
  EXPECT_EQ(ReadBytes(folder / "list.txt"), "precious");
}

StorageLocation BesideOnly(const fs::path& file) {
  StorageLocation location;
  location.beside_program = file;
  return location;
}

TEST(StorageFileSave, OneFailureDoesNotStopTheOtherList) {
  TempFolder folder;
  const fs::path safety = folder / "safety.txt";
  const fs::path quality = folder / "quality.txt";
  WriteBytes(safety, "old safety");
  StorageList safety_list;
  LoadStorageList(safety_list, safety);
  SetReadOnly(safety, true);
  // Untouched, the list has nothing of its own to keep: the failure is told.
  const StorageList quality_list = NewList("new quality");

  const std::vector<UserReport> reports =
      SaveStorageLists({{&safety_list, BesideOnly(safety)},
                        {&quality_list, BesideOnly(quality)}});

  SetReadOnly(safety, false);
  EXPECT_EQ(reports, (std::vector<UserReport>{
                         {UserReport::Kind::Failure,
                          "ファイル " + Utf8(safety) + " を作成できません"}}));
  EXPECT_EQ(ReadBytes(safety), "old safety");
  EXPECT_EQ(ReadBytes(quality), "new quality");
}

}  // namespace

namespace {

// Folder names with characters outside Shift-JIS, and with trail bytes that
// look like "\" in Shift-JIS, reach the files unchanged.
TEST(StorageFileSave, WorksInFoldersOfAnyName) {
  TempFolder root;
  for (const char8_t* name : {u8"한국어", u8"😀絵文字", u8"表ソ"}) {
    const fs::path folder = root / name;
    fs::create_directory(folder);
    const fs::path file =
        StorageFilePath(folder / u8"Tavlin.exe", PhraseCategory::Quality);
    SaveStorageList(NewList("A\r\nB"), file);
    StorageList loaded;
    LoadStorageList(loaded, file);
    EXPECT_EQ(loaded.text.bytes(), "A\r\nB");
    EXPECT_EQ(EntriesOf(folder), Names{"Tavlin品質保管庫.txt"});
  }
}

}  // namespace

}  // namespace tavlin
