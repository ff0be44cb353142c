// Saving the storage lists at exit never loses a line: not the session's,
// and not another writer's.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "src/storage/storage_file.h"
#include "support/temp_folder.h"

namespace tavlin {

namespace fs = std::filesystem;

namespace {

// What happens to the storage file while the program runs.
enum class Meanwhile { Nothing, WrittenByAnother, Removed, MadeReadOnly };

struct ExitCase {
  const char* name;
  std::optional<std::string> at_start;  // nothing: no file
  std::optional<std::string> typed;     // nothing: the list is untouched
  Meanwhile meanwhile;
  std::optional<std::string> file_after;
  std::optional<std::string> diverted_after;
};

std::ostream& operator<<(std::ostream& out, const ExitCase& c) {
  return out << c.name;
}

class StorageAtExit : public testing::TestWithParam<ExitCase> {};

TEST_P(StorageAtExit, KeepsEveryLine) {
  const ExitCase& c = GetParam();
  TempFolder folder;
  const fs::path file = folder / u8"T安全保管庫.txt";
  if (c.at_start) WriteBytes(file, *c.at_start);
  StorageList list;
  LoadStorageList(list, file);
  if (c.typed) list.text = ShiftJisText(*c.typed);
  switch (c.meanwhile) {
    case Meanwhile::Nothing:
      break;
    case Meanwhile::WrittenByAnother:
      WriteBytes(file, "theirs");
      break;
    case Meanwhile::Removed:
      fs::remove(file);
      break;
    case Meanwhile::MadeReadOnly:
      SetReadOnly(file, true);
      break;
  }

  std::vector<std::string> notices;
  try {
    notices = SaveStorageList(list, file);
  } catch (const std::exception& error) {
    notices.push_back(error.what());
  }

  if (c.meanwhile == Meanwhile::MadeReadOnly) SetReadOnly(file, false);
  const fs::path diverted = DivertedStorageFilePath(file, 1);
  EXPECT_EQ(fs::exists(file), c.file_after.has_value());
  if (c.file_after) {
    EXPECT_EQ(ReadBytes(file), *c.file_after);
  }
  EXPECT_EQ(fs::exists(diverted), c.diverted_after.has_value());
  if (c.diverted_after) {
    EXPECT_EQ(ReadBytes(diverted), *c.diverted_after);
  }
  // Whenever the file is left alone with the session's text elsewhere, the
  // user is told where.
  EXPECT_EQ(notices.size(), c.diverted_after ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StorageAtExit,
    testing::Values(
        ExitCase{"UnchangedFileIsReplaced", "old", "mine", Meanwhile::Nothing,
                 "mine", std::nullopt},
        ExitCase{"MissingFileIsCreated", std::nullopt, "mine",
                 Meanwhile::Nothing, "mine", std::nullopt},
        ExitCase{"UntouchedListWritesBackWhatItLoaded", " old\r\n",
                 std::nullopt, Meanwhile::Nothing, "old", std::nullopt},
        ExitCase{"AFileChangedMeanwhileIsKept", "old", "mine",
                 Meanwhile::WrittenByAnother, "theirs", "mine"},
        ExitCase{"AFileThatAppearedMeanwhileIsKept", std::nullopt, "mine",
                 Meanwhile::WrittenByAnother, "theirs", "mine"},
        ExitCase{"AnUntouchedListLeavesAChangedFileAlone", "old", std::nullopt,
                 Meanwhile::WrittenByAnother, "theirs", std::nullopt},
        ExitCase{"AFileRemovedMeanwhileIsWrittenAgain", "old", "mine",
                 Meanwhile::Removed, "mine", std::nullopt},
        ExitCase{"AFileThatCannotBeReplacedKeepsItsBytes", "old", "mine",
                 Meanwhile::MadeReadOnly, "old", "mine"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StorageAtExit, AListNeverLoadedIsNeverSaved) {
  TempFolder folder;
  WriteBytes(folder / "list.txt", "precious");
  EXPECT_TRUE(SaveStorageList(StorageList{}, folder / "list.txt").empty());
  EXPECT_EQ(ReadBytes(folder / "list.txt"), "precious");
}

// Shift-JIS as far as these tests need it: ASCII stays, every other
// character becomes "?".
ShiftJisText FakeShiftJis(std::string_view utf8) {
  std::string bytes;
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) bytes += c;
    if (byte >= 0xC0) bytes += '?';
  }
  return ShiftJisText(bytes);
}

constexpr char kBom[] = "\xEF\xBB\xBF";

class UnicodeCopy : public testing::Test {
 protected:
  // A start after a session that saved "A?" with "A한" as its copy.
  void SetUp() override {
    WriteBytes(file_, "A?");
    WriteBytes(copy_, std::string(kBom) + "A한");
  }
  void Load() {
    LoadStorageList(list_, file_);
    const std::optional<std::string> shown =
        UnicodeTextToShow(list_, FakeShiftJis);
    list_.unicode_copy_taken = shown.has_value();
    if (shown) shown_ = *shown;
  }
  void Type(const std::string& utf8) {
    list_.text = FakeShiftJis(utf8);
    list_.unicode_text = list_.text.bytes() == utf8 ? "" : utf8;
  }

  TempFolder folder_;
  const fs::path file_ = folder_ / u8"T品質保管庫.txt";
  const fs::path copy_ = UnicodeStorageCopyPath(file_);
  StorageList list_;
  std::string shown_;
};

TEST_F(UnicodeCopy, IsShownAndReplacedWhileTheFileIsWhatItWasSavedWith) {
  Load();
  EXPECT_EQ(shown_, "A한");
  Type("A한\r\nB");
  EXPECT_EQ(SaveStorageList(list_, file_).size(), 1u);
  EXPECT_EQ(ReadBytes(file_), "A?\r\nB");
  EXPECT_EQ(ReadBytes(copy_), std::string(kBom) + "A한\r\nB");
  EXPECT_FALSE(fs::exists(UnicodeStorageCopyPath(file_, 2)));
}

TEST_F(UnicodeCopy, SurvivesSessionsThatOnlyAddOrTouchNothing) {
  Load();
  SaveStorageList(list_, file_);  // untouched
  Load();
  Type(shown_ + "\r\nB");
  SaveStorageList(list_, file_);
  Load();
  EXPECT_EQ(shown_, "A한\r\nB");
}

TEST_F(UnicodeCopy, ThatNoLongerMatchesIsKeptAndANewOneTakesTheNextName) {
  WriteBytes(file_, "A?\r\nedited elsewhere");
  Load();
  EXPECT_FALSE(list_.unicode_copy_taken);
  Type("A?\r\nedited elsewhere\r\n한");
  SaveStorageList(list_, file_);
  EXPECT_EQ(ReadBytes(copy_), std::string(kBom) + "A한");
  EXPECT_EQ(ReadBytes(UnicodeStorageCopyPath(file_, 2)),
            std::string(kBom) + "A?\r\nedited elsewhere\r\n한");
}

TEST_F(UnicodeCopy, TakenInIsRemovedOnceTheTextFitsShiftJis) {
  Load();
  Type("B");
  EXPECT_TRUE(SaveStorageList(list_, file_).empty());
  EXPECT_EQ(ReadBytes(file_), "B");
  EXPECT_FALSE(fs::exists(copy_));
}

TEST_F(UnicodeCopy, OfADivertedListStandsBesideTheDivertedFile) {
  Load();
  Type("A한\r\nB");
  WriteBytes(file_, "theirs");
  EXPECT_EQ(SaveStorageList(list_, file_).size(), 2u);
  const fs::path diverted = DivertedStorageFilePath(file_, 1);
  EXPECT_EQ(ReadBytes(file_), "theirs");
  EXPECT_EQ(ReadBytes(copy_), std::string(kBom) + "A한");
  EXPECT_EQ(ReadBytes(UnicodeStorageCopyPath(diverted)),
            std::string(kBom) + "A한\r\nB");
}

}  // namespace

}  // namespace tavlin
