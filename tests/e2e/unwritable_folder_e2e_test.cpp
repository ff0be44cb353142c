// The real program started from a folder that refuses new files, as a
// locked folder or a read-only share does: what the user stores is kept in
// the user's own folder and shown again at the next start.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "e2e/tavlin_process.h"
#include "src/storage/storage_places.h"
#include "src/ui/main_form_layout.h"
#include "support/file_faults.h"
#include "support/temp_folder.h"
#include "win32/system/known_folder_win32.h"
#include "win32/system/shift_jis.h"

namespace tavlin {

namespace fs = std::filesystem;

namespace {

// A program name of its own, so that no other test shares its files in
// the user's folder.
constexpr wchar_t kProgram[] = L"TavlinLockedFolder.exe";

// Leaves the program folder writable and the user's folder as it was, on
// every way out of a test.
class UserFolderCleanup {
 public:
  UserFolderCleanup(fs::path program_folder, std::vector<fs::path> copies)
      : program_folder_(std::move(program_folder)),
        copies_(std::move(copies)),
        folder_existed_(fs::exists(copies_.front().parent_path())) {
    RemoveCopies();
  }
  UserFolderCleanup(const UserFolderCleanup&) = delete;
  UserFolderCleanup& operator=(const UserFolderCleanup&) = delete;
  ~UserFolderCleanup() {
    MakeFolderWritable(program_folder_);
    RemoveCopies();
    std::error_code ignored;
    if (!folder_existed_) fs::remove(copies_.front().parent_path(), ignored);
  }
  bool folder_existed() const { return folder_existed_; }

 private:
  // With the base each copy's merges start from.
  void RemoveCopies() {
    std::error_code ignored;
    for (const fs::path& copy : copies_) {
      fs::remove(copy, ignored);
      fs::remove(SetAsideBasePath(copy), ignored);
    }
  }

  fs::path program_folder_;
  std::vector<fs::path> copies_;
  bool folder_existed_;
};

class UnwritableProgramFolder : public testing::Test {
 protected:
  void SetUp() override { CopyExamplePhraseFiles(folder_.path()); }

  fs::path Copy(PhraseCategory category) const {
    return UserFolderStoragePath(
        RoamingApplicationDataFolder(),
        StorageFilePath(tavlin_.executable(), category));
  }

  TempFolder folder_;
  TavlinProcess tavlin_{folder_.path(), kProgram};
  const fs::path safety_ =
      StorageFilePath(tavlin_.executable(), PhraseCategory::Safety);
  UserFolderCleanup cleanup_{
      folder_.path(),
      {Copy(PhraseCategory::Safety), Copy(PhraseCategory::Quality)}};
};

TEST_F(UnwritableProgramFolder, AStoredSloganIsKeptAndShownAtTheNextStart) {
  WriteBytes(safety_, "old");
  tavlin_.Start();
  tavlin_.MainWindow();
  if (!MakeFolderReadOnly(folder_.path()))
    GTEST_SKIP() << "no folder can be made unwritable here (needs root)";
  const std::wstring slogan = ListBoxItems(tavlin_.Control(kListBox1)).at(0);
  tavlin_.DoubleClickSlogan(0);
  tavlin_.WaitForPostedSloganInput();
  // The list stored into goes to the user's folder at once, told in a
  // balloon, and the close tells it no more; the untouched one stays where
  // it is.
  ASSERT_TRUE(
      WaitFor([&] { return fs::exists(Copy(PhraseCategory::Safety)); }));
  EXPECT_TRUE(tavlin_.ShowsBalloonWith(L"に書き込めないため"));
  const std::vector<std::wstring> reports = tavlin_.CloseThroughReports();
  const std::wstring user_folder =
      Copy(PhraseCategory::Safety).parent_path().wstring();
  EXPECT_EQ(std::count_if(reports.begin(), reports.end(),
                          [&](const std::wstring& report) {
                            return report.find(user_folder) !=
                                   std::wstring::npos;
                          }),
            0);
  EXPECT_FALSE(fs::exists(Copy(PhraseCategory::Quality)));
  EXPECT_EQ(ReadBytes(safety_), "old");
  EXPECT_EQ(ReadBytes(Copy(PhraseCategory::Safety)),
            ShiftJisFromWide(L"old\r\n" + slogan).bytes());

  tavlin_.Start();
  EXPECT_EQ(WindowText(tavlin_.Control(kMemSafe)), L"old\r\n" + slogan);
  tavlin_.CloseThroughReports();
  EXPECT_EQ(ReadBytes(Copy(PhraseCategory::Safety)),
            ShiftJisFromWide(L"old\r\n" + slogan).bytes());
}

TEST_F(UnwritableProgramFolder, AWritableFolderWritesNothingToTheProfile) {
  tavlin_.Start();
  tavlin_.DoubleClickSlogan(0);
  tavlin_.WaitForPostedSloganInput();
  EXPECT_TRUE(tavlin_.CloseThroughReports().empty());
  EXPECT_TRUE(fs::exists(safety_));
  EXPECT_FALSE(fs::exists(Copy(PhraseCategory::Safety)));
  EXPECT_FALSE(fs::exists(Copy(PhraseCategory::Quality)));
  EXPECT_EQ(fs::exists(Copy(PhraseCategory::Safety).parent_path()),
            cleanup_.folder_existed());
}

}  // namespace

}  // namespace tavlin
