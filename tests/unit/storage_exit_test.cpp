// Saving a storage list never loses a line: not the session's, and not
// another writer's, which is merged with rather than written over.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "src/storage/storage_file.h"
#include "support/list_session.h"
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
  ListSession session(file);
  const std::u16string box = c.typed ? Latin1(*c.typed) : session.shown();
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

  const SaveOutcome outcome = session.Save(box);

  if (c.meanwhile == Meanwhile::MadeReadOnly) SetReadOnly(file, false);
  EXPECT_EQ(outcome.result, SaveOutcome::Result::Done);
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
  EXPECT_EQ(outcome.reports.size(), c.diverted_after ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StorageAtExit,
    testing::Values(
        ExitCase{"UnchangedFileIsReplaced", "old", "mine", Meanwhile::Nothing,
                 "mine", std::nullopt},
        ExitCase{"MissingFileIsCreated", std::nullopt, "mine",
                 Meanwhile::Nothing, "mine", std::nullopt},
        ExitCase{"AMissingFileIsCreatedEvenEmpty", std::nullopt, std::nullopt,
                 Meanwhile::Nothing, "", std::nullopt},
        ExitCase{"AFileNotInNormalFormIsNormalisedOnce", " old\r\n",
                 std::nullopt, Meanwhile::Nothing, "old", std::nullopt},
        ExitCase{"AFileChangedMeanwhileIsMergedWith", "old", "old\r\nmine",
                 Meanwhile::WrittenByAnother, "theirs\r\nmine", std::nullopt},
        ExitCase{"AFileThatAppearedMeanwhileIsMergedWith", std::nullopt, "mine",
                 Meanwhile::WrittenByAnother, "theirs\r\nmine", std::nullopt},
        ExitCase{"AnUntouchedListTakesTheOtherWritersChanges", "old",
                 std::nullopt, Meanwhile::WrittenByAnother, "theirs",
                 std::nullopt},
        ExitCase{"AFileRemovedMeanwhileIsWrittenAgain", "old", "mine",
                 Meanwhile::Removed, "mine", std::nullopt},
        ExitCase{"AFileThatCannotBeReplacedKeepsItsBytes", "old", "mine",
                 Meanwhile::MadeReadOnly, "old", "mine"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StorageAtExit, AListNeverLoadedIsNeverSaved) {
  TempFolder folder;
  WriteBytes(folder / "list.txt", "precious");
  StorageFileState never_loaded;
  never_loaded.location.beside_program = folder / "list.txt";
  SaveStorageListNow(never_loaded, u"", SaveMoment::Closing, ByteCodec(),
                     SameSloganIgnoringCase);
  EXPECT_EQ(ReadBytes(folder / "list.txt"), "precious");
}

constexpr char kBom[] = "\xEF\xBB\xBF";

class UnicodeCopy : public testing::Test {
 protected:
  // A start after a session that saved "A?" with "A한" as its copy.
  void SetUp() override {
    WriteBytes(file_, "A?");
    WriteBytes(copy_, std::string(kBom) + "A한");
  }
  std::size_t Save(ListSession& session, const std::string& utf8) {
    return session.Save(U16FromUtf8(utf8)).reports.size();
  }

  TempFolder folder_;
  const fs::path file_ = folder_ / u8"T品質保管庫.txt";
  const fs::path copy_ = UnicodeStorageCopyPath(file_);
};

TEST_F(UnicodeCopy, IsShownAndReplacedWhileTheFileIsWhatItWasSavedWith) {
  ListSession session(file_);
  EXPECT_EQ(session.shown(), U16FromUtf8("A한"));
  EXPECT_EQ(Save(session, "A한\r\nB"), 0u);
  EXPECT_EQ(ReadBytes(file_), "A?\r\nB");
  EXPECT_EQ(ReadBytes(copy_), std::string(kBom) + "A한\r\nB");
  // Saved again as the user goes on: the same copy, no new one.
  EXPECT_EQ(Save(session, "A한\r\nB\r\nC"), 0u);
  EXPECT_EQ(ReadBytes(copy_), std::string(kBom) + "A한\r\nB\r\nC");
  EXPECT_FALSE(fs::exists(UnicodeStorageCopyPath(file_, 2)));
}

TEST_F(UnicodeCopy, SurvivesSessionsThatOnlyAddOrTouchNothing) {
  {
    ListSession untouched(file_);
    untouched.Save(untouched.shown());
  }
  {
    ListSession adding(file_);
    adding.Save(adding.shown() + u"\r\nB");
  }
  EXPECT_EQ(ListSession(file_).shown(), U16FromUtf8("A한\r\nB"));
}

TEST_F(UnicodeCopy, ThatNoLongerMatchesIsKeptAndANewOneTakesTheNextName) {
  WriteBytes(file_, "A?\r\nedited elsewhere");
  ListSession session(file_);
  EXPECT_FALSE(session.state.unicode_copy_taken);
  EXPECT_EQ(Save(session, "A?\r\nedited elsewhere\r\n한"), 1u);
  EXPECT_EQ(ReadBytes(copy_), std::string(kBom) + "A한");
  EXPECT_EQ(ReadBytes(UnicodeStorageCopyPath(file_, 2)),
            std::string(kBom) + "A?\r\nedited elsewhere\r\n한");
}

TEST_F(UnicodeCopy, TakenInIsRemovedOnceTheTextFitsShiftJis) {
  ListSession session(file_);
  EXPECT_EQ(Save(session, "B"), 0u);
  EXPECT_EQ(ReadBytes(file_), "B");
  EXPECT_FALSE(fs::exists(copy_));
}

TEST_F(UnicodeCopy, OfADivertedListStandsBesideTheDivertedFile) {
  ListSession session(file_);
  SetReadOnly(file_, true);
  EXPECT_EQ(Save(session, "A한\r\nB"), 1u);
  SetReadOnly(file_, false);
  const fs::path diverted = DivertedStorageFilePath(file_, 1);
  EXPECT_EQ(ReadBytes(file_), "A?");
  EXPECT_EQ(ReadBytes(copy_), std::string(kBom) + "A한");
  EXPECT_EQ(ReadBytes(UnicodeStorageCopyPath(diverted)),
            std::string(kBom) + "A한\r\nB");
}

}  // namespace

}  // namespace tavlin
