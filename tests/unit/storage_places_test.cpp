// A storage list whose program folder cannot be written to lives on in the
// user's folder, and the next start finds it there.
#include "src/storage/storage_places.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <vector>

#include "src/platform/tavlin_error.h"
#include "support/faulty_file_ops.h"
#include "support/file_faults.h"
#include "support/list_session.h"
#include "support/temp_folder.h"

namespace tavlin {

namespace fs = std::filesystem;

namespace {

struct ChoiceCase {
  const char* name;
  PlaceAtStart beside;
  PlaceAtStart user;
  StoragePlace expected;
};

std::ostream& operator<<(std::ostream& out, const ChoiceCase& c) {
  return out << c.name;
}

class StoragePlaceChoice : public testing::TestWithParam<ChoiceCase> {};

TEST_P(StoragePlaceChoice, PrefersTheFileWrittenLast) {
  EXPECT_EQ(ChooseStoragePlace(GetParam().beside, GetParam().user),
            GetParam().expected);
}

constexpr PlaceAtStart kMissing{PathKind::Missing, {}};
constexpr PlaceAtStart FileAt(std::int64_t time) {
  return {PathKind::File, time};
}
constexpr auto kBeside = StoragePlace::BesideProgram;
constexpr auto kUser = StoragePlace::UserFolder;

INSTANTIATE_TEST_SUITE_P(
    Cases, StoragePlaceChoice,
    testing::Values(
        ChoiceCase{"NoCopy", FileAt(5), kMissing, kBeside},
        ChoiceCase{"CopyIsAFolder", FileAt(5), {PathKind::Folder, {}}, kBeside},
        ChoiceCase{
            "CopyCannotBeLookedAt", kMissing, {PathKind::Unknown, {}}, kBeside},
        ChoiceCase{"OnlyTheCopy", kMissing, FileAt(5), kUser},
        ChoiceCase{"BesideCannotBeLookedAt",
                   {PathKind::Unknown, {}},
                   FileAt(5),
                   kUser},
        ChoiceCase{"CopyNewer", FileAt(5), FileAt(6), kUser},
        ChoiceCase{"BesideNewer", FileAt(6), FileAt(5), kBeside},
        ChoiceCase{"EqualTimes", FileAt(5), FileAt(5), kBeside},
        ChoiceCase{
            "CopyTimeUnknown", FileAt(5), {PathKind::File, {}}, kBeside}));

// A list's two places: its file in program_folder, its copy under
// home/AppData.
StorageLocation TwoPlaces(const fs::path& program_folder,
                          const fs::path& home) {
  StorageLocation location;
  location.beside_program = program_folder / "T安全保管庫.txt";
  location.in_user_folder =
      UserFolderStoragePath(home / "AppData", location.beside_program);
  return location;
}

class LockedProgramFolder : public testing::Test {
 protected:
  LockedProgramFolder() {
    fs::create_directory(root_ / "program");
    location_ = TwoPlaces(root_ / "program", root_.path());
    WriteBytes(location_.beside_program, "old");
    // Written well before the session, as a real file is.
    fs::last_write_time(
        location_.beside_program,
        fs::file_time_type::clock::now() - std::chrono::hours(1));
  }

  // Loads, lets the user type, and saves with the program folder locked.
  SaveOutcome RunSession(const std::string& typed, FileOps* ops = nullptr) {
    ListSession session(location_);
    const std::u16string box = typed.empty() ? session.shown() : Latin1(typed);
    return session.Save(box, SaveMoment::Closing, ops ? *ops : locked_);
  }

  std::string LoadedAtNextStart() {
    StorageList list;
    StorageLocation location = location_;
    LoadStorageListFrom(list, location);
    return list.text.bytes();
  }

  TempFolder root_;
  StorageLocation location_;
  RefusingFolderOps locked_{{root_ / "program"}};
  const fs::path& copy() const { return location_.in_user_folder; }
};

TEST_F(LockedProgramFolder, TheListGoesToTheUserFolderAndIsLoadedFromThere) {
  const std::vector<UserReport> notices = RunSession("old\r\nnew").reports;
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].text.find(PathForMessage(copy().parent_path())),
            std::string::npos);
  EXPECT_EQ(ReadBytes(copy()), "old\r\nnew");
  EXPECT_EQ(ReadBytes(location_.beside_program), "old");
  EXPECT_EQ(LoadedAtNextStart(), "old\r\nnew");

  // The next session reads and writes the copy alone, silently.
  EXPECT_TRUE(RunSession("old\r\nnew\r\nmore").reports.empty());
  EXPECT_EQ(ReadBytes(copy()), "old\r\nnew\r\nmore");
  EXPECT_EQ(ReadBytes(location_.beside_program), "old");
}

TEST_F(LockedProgramFolder, AnOlderCopyNotLoadedKeepsItsLinesInTheMerge) {
  fs::create_directories(copy().parent_path());
  WriteBytes(copy(), "earlier session");
  fs::last_write_time(copy(),
                      fs::file_time_type::clock::now() - std::chrono::hours(2));
  EXPECT_EQ(RunSession("old\r\nnew").reports.size(), 1u);
  EXPECT_EQ(ReadBytes(copy()), "earlier session\r\nold\r\nnew");
  EXPECT_FALSE(fs::exists(DivertedStorageFilePath(copy(), 1)));
}

TEST_F(LockedProgramFolder, AnUntouchedListStaysAndTheFailureIsTold) {
  WriteBytes(location_.beside_program, "old\r\n");  // to be normalised
  const SaveOutcome outcome = RunSession("");
  ASSERT_EQ(outcome.reports.size(), 1u);
  EXPECT_EQ(outcome.reports[0].kind, UserReport::Kind::Failure);
  EXPECT_FALSE(fs::exists(copy().parent_path()));
}

TEST_F(LockedProgramFolder, WithTheUserFolderLockedTooTheFailureBesideIsTold) {
  RefusingFolderOps locked_everywhere{
      {root_ / "program", copy().parent_path()}};
  const SaveOutcome outcome = RunSession("new", &locked_everywhere);
  EXPECT_EQ(outcome.result, SaveOutcome::Result::Failed);
  EXPECT_NE(outcome.failure.find(PathForMessage(root_ / "program")),
            std::string::npos);
  EXPECT_EQ(ReadBytes(location_.beside_program), "old");
  EXPECT_EQ(location_.loaded_from, StoragePlace::BesideProgram);
}

TEST(StoragePlaces, AWritableFolderLeavesTheUserFolderAlone) {
  TempFolder root;
  StorageLocation location = TwoPlaces(root.path(), root.path());
  EXPECT_TRUE(ListSession(location).Save("new").reports.empty());
  EXPECT_EQ(ReadBytes(location.beside_program), "new");
  EXPECT_FALSE(fs::exists(root / "AppData"));
}

TEST(StoragePlaces, AnUnreadableFileYieldsToTheOtherPlace) {
  TempFolder root;
  StorageLocation location = TwoPlaces(root.path(), root.path());
  fs::create_directories(location.in_user_folder.parent_path());
  WriteBytes(location.in_user_folder, "copy");
  fs::last_write_time(location.in_user_folder,
                      fs::file_time_type::clock::now() - std::chrono::hours(2));
  WriteBytes(location.beside_program, "beside");
  const auto unreadable = MakeUnreadable(location.beside_program);

  StorageList list;
  const std::optional<std::string> notice = LoadStorageListFrom(list, location);
  EXPECT_TRUE(notice.has_value());
  EXPECT_EQ(location.loaded_from, StoragePlace::UserFolder);
  EXPECT_EQ(list.text.bytes(), "copy");

  fs::remove(location.in_user_folder);
  StorageList none;
  EXPECT_THROW(LoadStorageListFrom(none, location), TavlinError);
  EXPECT_EQ(none.file.kind, FileSnapshot::Kind::Unread);
}

}  // namespace

}  // namespace tavlin
