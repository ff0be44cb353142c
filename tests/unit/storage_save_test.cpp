// Saving as the user works: nothing is written when nothing changed, other
// copies' lines are merged in under the lock, and a list that its file
// cannot take is kept elsewhere or reported, never lost.
#include "src/storage/storage_save.h"

#include <gtest/gtest.h>

#include "src/platform/tavlin_error.h"
#include "support/faulty_file_ops.h"
#include "support/list_session.h"
#include "support/temp_folder.h"

namespace tavlin {

namespace fs = std::filesystem;

namespace {

using Result = SaveOutcome::Result;

class SavingAsYouWork : public testing::Test {
 protected:
  void SetUp() override { WriteBytes(file_, "A\r\nB"); }
  fs::file_time_type Written() const { return fs::last_write_time(file_); }

  TempFolder folder_;
  const fs::path file_ = folder_ / u8"T安全保管庫.txt";
};

TEST_F(SavingAsYouWork, AnUntouchedSessionWritesNothing) {
  const fs::file_time_type before = Written() - std::chrono::hours(1);
  fs::last_write_time(file_, before);
  ListSession session(file_);
  session.Save(session.shown(), SaveMoment::WhileWorking);
  session.Save(session.shown(), SaveMoment::Closing);
  EXPECT_EQ(ReadBytes(file_), "A\r\nB");
  EXPECT_EQ(Written(), before);
  EXPECT_EQ(EntriesOf(folder_.path()).size(), 1u);
}

TEST_F(SavingAsYouWork, AStoreIsOnDiskAtOnceAndASecondSaveOfItWritesNothing) {
  ListSession session(file_);
  session.Save("A\r\nB\r\nC\r\n", SaveMoment::WhileWorking);
  EXPECT_EQ(ReadBytes(file_), "A\r\nB\r\nC\r\n");
  const fs::file_time_type saved = Written() - std::chrono::hours(1);
  fs::last_write_time(file_, saved);
  session.Save("A\r\nB\r\nC\r\n", SaveMoment::Closing);
  EXPECT_EQ(Written(), saved);
}

TEST_F(SavingAsYouWork, TwoCopiesEachAddingALineKeepBothInEitherOrder) {
  for (const bool first_closes_first : {true, false}) {
    WriteBytes(file_, "A");
    ListSession first(file_);
    ListSession second(file_);
    first.Save("A\r\nfirst", SaveMoment::WhileWorking);
    second.Save("A\r\nsecond", SaveMoment::WhileWorking);
    ListSession& one = first_closes_first ? first : second;
    ListSession& other = first_closes_first ? second : first;
    one.Save(one.shown());
    other.Save(other.shown());
    EXPECT_EQ(ReadBytes(file_), "A\r\nfirst\r\nsecond");
    EXPECT_EQ(first.shown(), second.shown());
    EXPECT_FALSE(fs::exists(DivertedStorageFilePath(file_, 1)));
  }
}

TEST_F(SavingAsYouWork, ALineAnOldProgramDroppedComesBack) {
  ListSession session(file_);
  session.Save("A\r\nB\r\nmine", SaveMoment::WhileWorking);
  WriteBytes(file_, "A\nB\ntheirs\n");  // rewritten whole, LF breaks
  const SaveOutcome outcome = session.Save("A\r\nB\r\nmine");
  EXPECT_EQ(ReadBytes(file_), "A\r\nB\r\ntheirs\r\nmine");
  EXPECT_EQ(outcome.taken_in, 1u);
}

TEST_F(SavingAsYouWork, ALockHeldElsewhereDefersTheSaveAndWritesNothing) {
  ListSession session(file_);
  std::unique_ptr<FileLock> held;
  ASSERT_EQ(SystemFileOps().TryLock(StorageLockPath(file_), held),
            LockResult::Taken);
  EXPECT_EQ(session.Save("A\r\nB\r\nC").result, Result::Locked);
  EXPECT_EQ(ReadBytes(file_), "A\r\nB");
  held.reset();
  EXPECT_EQ(session.Save("A\r\nB\r\nC").result, Result::Done);
  EXPECT_EQ(ReadBytes(file_), "A\r\nB\r\nC");
  EXPECT_FALSE(fs::exists(StorageLockPath(file_)));
}

TEST_F(SavingAsYouWork, AFullDiskFailsTheCloseButTheEndOfWindowsKeepsTheText) {
  ListSession session(file_);
  RefusingFolderOps full{{folder_.path()}};
  const SaveOutcome closing =
      session.Save(Latin1("A\r\nB\r\nC"), SaveMoment::Closing, full, {});
  EXPECT_EQ(closing.result, Result::Failed);
  EXPECT_FALSE(closing.failure.empty());

  TempFolder temporary;
  const SaveOutcome ending = session.Save(
      Latin1("A\r\nB\r\nC"), SaveMoment::EndingSession, full, temporary.path());
  EXPECT_EQ(ending.result, Result::Done);
  ASSERT_EQ(ending.reports.size(), 1u);
  const fs::path kept =
      DivertedStorageFilePath(temporary / file_.filename(), 1);
  EXPECT_EQ(ReadBytes(kept), "A\r\nB\r\nC");
  EXPECT_NE(ending.reports[0].text.find(PathForMessage(kept)),
            std::string::npos);
  EXPECT_EQ(ReadBytes(file_), "A\r\nB");
}

TEST_F(SavingAsYouWork, ASideFileMadeOnceIsReplacedByLaterSaves) {
  ListSession session(file_);
  SetReadOnly(file_, true);
  EXPECT_EQ(
      session.Save("A\r\nB\r\nC", SaveMoment::WhileWorking).reports.size(), 1u);
  EXPECT_TRUE(session.Save("A\r\nB\r\nC\r\nD", SaveMoment::WhileWorking)
                  .reports.empty());
  SetReadOnly(file_, false);
  EXPECT_EQ(ReadBytes(DivertedStorageFilePath(file_, 1)), "A\r\nB\r\nC\r\nD");
  EXPECT_FALSE(fs::exists(DivertedStorageFilePath(file_, 2)));
}

}  // namespace

}  // namespace tavlin
