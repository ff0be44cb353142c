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
    FileOps& used = ops ? *ops : locked_;
    ListSession session(location_, used);
    const std::u16string box = typed.empty() ? session.shown() : Latin1(typed);
    return session.Save(box, SaveMoment::Closing, used);
  }

  std::string LoadedAtNextStart() {
    StorageList list;
    StorageLocation location = location_;
    LoadStorageListFrom(list, location, locked_);
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

TEST_F(LockedProgramFolder, AnExistingCopyIsTheListAndIsSavedInPlace) {
  fs::create_directories(copy().parent_path());
  WriteBytes(copy(), "earlier session");
  ListSession session(location_, locked_);
  EXPECT_EQ(session.shown(), u"earlier session");
  EXPECT_TRUE(session.Save("earlier session\r\nnew", SaveMoment::Closing)
                  .reports.empty());
  EXPECT_EQ(ReadBytes(copy()), "earlier session\r\nnew");
  EXPECT_EQ(ReadBytes(location_.beside_program), "old");
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

// Both places hold a list: the start shows their merge, the file beside
// the program first; the first save puts it there and renames the copy.
TEST(StoragePlaces, BothPlacesAreMergedAndTheCopyIsRenamedOnceTakenIn) {
  TempFolder root;
  const StorageLocation location = TwoPlaces(root.path(), root.path());
  WriteBytes(location.beside_program, "A\r\nB");
  fs::create_directories(location.in_user_folder.parent_path());
  WriteBytes(location.in_user_folder, "B\r\nC");

  ListSession session(location);
  EXPECT_EQ(session.shown(), u"A\r\nB\r\nC");
  EXPECT_EQ(session.state.location.loaded_from, StoragePlace::BesideProgram);
  session.Save(session.shown(), SaveMoment::WhileWorking);
  EXPECT_EQ(ReadBytes(location.beside_program), "A\r\nB\r\nC");
  EXPECT_FALSE(fs::exists(location.in_user_folder));
  EXPECT_EQ(ReadBytes(TakenInCopyPath(location.in_user_folder, 1)), "B\r\nC");

  // A copy that adds nothing is taken in all the same, and renamed.
  WriteBytes(location.in_user_folder, "A");
  ListSession again(location);
  again.Save(again.shown());
  EXPECT_FALSE(fs::exists(location.in_user_folder));
  EXPECT_EQ(ReadBytes(TakenInCopyPath(location.in_user_folder, 2)), "A");
  EXPECT_EQ(ReadBytes(location.beside_program), "A\r\nB\r\nC");
}

TEST(StoragePlaces, EachProgramFolderHasAUserFolderOfItsOwn) {
  const fs::path data = "AppData";
  const fs::path one = UserFolderStoragePath(data, "C:/Tools/Tavlin/T.txt");
  const fs::path same = UserFolderStoragePath(data, "C:/TOOLS/tavlin/T.txt");
  const fs::path other = UserFolderStoragePath(data, "D:/Tavlin/T.txt");
  EXPECT_EQ(one.parent_path().parent_path(), data / "Tavlin");
  EXPECT_EQ(one.filename(), "T.txt");
  EXPECT_EQ(one.parent_path().filename().string().substr(0, 7), "Tavlin-");
  EXPECT_NE(one.parent_path().filename(), other.parent_path().filename());
  EXPECT_EQ(one.parent_path().filename().string().substr(7),
            same.parent_path().filename().string().substr(7));
  EXPECT_EQ(SharedUserFolderStoragePath(one), data / "Tavlin" / "T.txt");
}

TEST(StoragePlaces, AnUnreadableFileYieldsToTheOtherPlace) {
  TempFolder root;
  StorageLocation location = TwoPlaces(root.path(), root.path());
  fs::create_directories(location.in_user_folder.parent_path());
  WriteBytes(location.in_user_folder, "copy");
  WriteBytes(location.beside_program, "beside");
  const auto unreadable = MakeUnreadable(location.beside_program);

  StorageList list;
  EXPECT_TRUE(LoadStorageListFrom(list, location).notice.has_value());
  EXPECT_EQ(location.loaded_from, StoragePlace::UserFolder);
  EXPECT_EQ(list.text.bytes(), "copy");

  fs::remove(location.in_user_folder);
  StorageList none;
  EXPECT_THROW(LoadStorageListFrom(none, location), TavlinError);
  EXPECT_EQ(none.file.kind, FileSnapshot::Kind::Unread);
}

}  // namespace

}  // namespace tavlin
