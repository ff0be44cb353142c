#include "src/storage/storage_file.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "src/platform/tavlin_error.h"
#include "src/storage/storage_places.h"
#include "support/file_faults.h"
#include "support/list_session.h"
#include "support/temp_folder.h"

namespace tavlin {

namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

std::string Utf8(const fs::path& path) { return PathForMessage(path); }

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
    StorageList list;
    list.text = ShiftJisText("kept");
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

// A list whose file could not be read at start and still cannot, with
// text typed since.
SaveOutcome SaveUnread(const fs::path& file, const std::string& typed) {
  StorageFileState state;
  state.location.beside_program = file;
  state.memory.last.kind = FileSnapshot::Kind::Unread;
  return SaveStorageListNow(state, Latin1(typed), SaveMoment::Closing,
                            ByteCodec(), SameSloganIgnoringCase);
}

// The file still as the holder that keeps it from being read left it: on
// POSIX the holder stands in its place, on Windows its bytes are there.
bool LeftAsItWas(const fs::path& file) {
  try {
    return ReadBytes(file) == "precious";
  } catch (const std::exception&) {
    return fs::is_symlink(file);
  }
}

TEST(StorageFileSave, WritesTheTextByteForByteAndLoadsItBack) {
  TempFolder folder;
  const fs::path file = folder / "list.txt";
  const std::string text =
      "A\r\n\x81\x40"
      "B\r\n";
  EXPECT_TRUE(ListSession(file).Save(text).reports.empty());
  EXPECT_EQ(ReadBytes(file), text);
  StorageList loaded;
  LoadStorageList(loaded, file);
  EXPECT_EQ(loaded.text.bytes(),
            "A\r\n\x81\x40"
            "B");
}

TEST(StorageFileSave, AnUnreadFileIsNeverOverwritten) {
  TempFolder folder;
  const fs::path file = folder / u8"T安全保管庫.txt";
  WriteBytes(file, "precious");
  const auto unreadable = MakeUnreadable(file);

  const SaveOutcome outcome = SaveUnread(file, "typed meanwhile\r\n");
  const fs::path diverted = folder / u8"T安全保管庫.追加分.txt";
  EXPECT_TRUE(LeftAsItWas(file));
  EXPECT_EQ(ReadBytes(diverted), "typed meanwhile\r\n");
  ASSERT_EQ(outcome.reports.size(), 1u);
  EXPECT_EQ(outcome.reports[0].kind, UserReport::Kind::Notice);
  EXPECT_NE(outcome.reports[0].text.find(Utf8(file)), std::string::npos);
  EXPECT_NE(outcome.reports[0].text.find(Utf8(diverted)), std::string::npos);

  // A later session finds the first side file and keeps it too.
  SaveUnread(file, "later");
  EXPECT_EQ(ReadBytes(diverted), "typed meanwhile\r\n");
  EXPECT_EQ(ReadBytes(folder / u8"T安全保管庫.追加分2.txt"), "later");
}

TEST(StorageFileSave, AnUnreadFileWithNothingTypedWritesNothing) {
  TempFolder folder;
  WriteBytes(folder / "list.txt", "precious");
  const auto unreadable = MakeUnreadable(folder / "list.txt");
  EXPECT_TRUE(SaveUnread(folder / "list.txt", "").reports.empty());
  EXPECT_EQ(EntriesOf(folder.path()), Names{"list.txt"});
  EXPECT_TRUE(LeftAsItWas(folder / "list.txt"));
}

TEST(StorageFileSave, AFileThatDoesNotDecodeIsNeverRewrittenFromItsText) {
  TempFolder folder;
  const fs::path file = folder / "list.txt";
  WriteBytes(file, "old");
  ListSession session(file);
  WriteBytes(file, "\xFF theirs");  // another writer's, undecodable
  session.Save("old\r\nmine");
  EXPECT_EQ(ReadBytes(file), "\xFF theirs");
  EXPECT_EQ(ReadBytes(DivertedStorageFilePath(file, 1)), "old\r\nmine");
}

TEST(StorageFileSave, AnUntouchedListThatCannotBeWrittenTellsTheFailure) {
  TempFolder folder;
  const fs::path file = folder / "safety.txt";
  WriteBytes(file, " old safety");  // not in normal form: written once
  ListSession session(file);
  SetReadOnly(file, true);
  const SaveOutcome outcome = session.Save(session.shown());
  SetReadOnly(file, false);
  EXPECT_EQ(outcome.reports,
            (std::vector<UserReport>{
                {UserReport::Kind::Failure,
                 "ファイル " + Utf8(file) + " を作成できません"}}));
  EXPECT_EQ(ReadBytes(file), " old safety");
  EXPECT_EQ(EntriesOf(folder.path()), Names{"safety.txt"});
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
    ListSession(file).Save("A\r\nB");
    StorageList loaded;
    LoadStorageList(loaded, file);
    EXPECT_EQ(loaded.text.bytes(), "A\r\nB");
    EXPECT_EQ(EntriesOf(folder), Names{"Tavlin品質保管庫.txt"});
  }
}

}  // namespace

}  // namespace tavlin
