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

}  // namespace

}  // namespace tavlin
