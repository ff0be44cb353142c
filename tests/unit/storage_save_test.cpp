// Saving as the user works: nothing is written when nothing changed, other
// copies' lines are merged in under the lock, and a list that its file
// cannot take is set aside with its base or reported, never lost, and
// taken in again once the file takes it.
#include "src/storage/storage_save.h"

#include <gtest/gtest.h>

#include "src/platform/tavlin_error.h"
#include "src/platform/text_encoding.h"
#include "support/faulty_file_ops.h"
#include "support/list_session.h"
#include "support/temp_folder.h"

namespace tavlin {

namespace fs = std::filesystem;

namespace {

using Result = SaveOutcome::Result;

class StorageSave : public testing::Test {
 protected:
  void SetUp() override { WriteBytes(file_, "A\r\nB"); }
  fs::file_time_type Written() const { return fs::last_write_time(file_); }

  TempFolder folder_;
  const fs::path file_ = folder_ / u8"T安全保管庫.txt";
};

TEST_F(StorageSave, AnUntouchedSessionWritesNothing) {
  const fs::file_time_type before = Written() - std::chrono::hours(1);
  fs::last_write_time(file_, before);
  ListSession session(file_);
  session.Save(session.shown(), SaveMoment::WhileWorking);
  session.Save(session.shown(), SaveMoment::Closing);
  EXPECT_EQ(ReadBytes(file_), "A\r\nB");
  EXPECT_EQ(Written(), before);
  EXPECT_EQ(EntriesOf(folder_.path()).size(), 1u);
}

TEST_F(StorageSave, AStoreIsOnDiskAtOnceAndASecondSaveOfItWritesNothing) {
  ListSession session(file_);
  session.Save("A\r\nB\r\nC\r\n", SaveMoment::WhileWorking);
  EXPECT_EQ(ReadBytes(file_), "A\r\nB\r\nC\r\n");
  const fs::file_time_type saved = Written() - std::chrono::hours(1);
  fs::last_write_time(file_, saved);
  session.Save("A\r\nB\r\nC\r\n", SaveMoment::Closing);
  EXPECT_EQ(Written(), saved);
}

TEST_F(StorageSave, TwoCopiesEachAddingALineKeepBothInEitherOrder) {
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

TEST_F(StorageSave, ALockHeldElsewhereDefersTheSaveAndWritesNothing) {
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

TEST_F(StorageSave, AFullDiskFailsTheCloseButTheEndOfWindowsKeepsTheText) {
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

TEST_F(StorageSave, ASideFileMadeOnceIsReplacedByLaterSaves) {
  ListSession session(file_);
  SetReadOnly(file_, true);
  const SaveOutcome first =
      session.Save("A\r\nB\r\nC", SaveMoment::WhileWorking);
  ASSERT_EQ(first.reports.size(), 1u);
  EXPECT_TRUE(first.elsewhere);
  // Each save says where it went: the same side file.
  EXPECT_EQ(session.Save("A\r\nB\r\nC\r\nD", SaveMoment::WhileWorking).reports,
            first.reports);
  SetReadOnly(file_, false);
  EXPECT_EQ(ReadBytes(DivertedStorageFilePath(file_, 1)), "A\r\nB\r\nC\r\nD");
  EXPECT_FALSE(fs::exists(DivertedStorageFilePath(file_, 2)));
}

// Writes the file in place, as Notepad does, just before the program's
// save replaces it: a writer that honours no lock.
class InPlaceWriterOps final : public SystemLikeFileOps {
 public:
  InPlaceWriterOps(fs::path file, std::string bytes)
      : file_(std::move(file)), bytes_(std::move(bytes)) {}
  ReplaceResult ReplaceKeepingOld(const fs::path& from, const fs::path& to,
                                  const fs::path& backup) override {
    if (to == file_ && !written_) {
      written_ = true;
      WriteBytes(to, bytes_);
    }
    return SystemFileOps().ReplaceKeepingOld(from, to, backup);
  }

 private:
  fs::path file_;
  std::string bytes_;
  bool written_ = false;
};

TEST_F(StorageSave, AWriteBetweenThePlanAndTheReplaceIsMergedIn) {
  ListSession session(file_);
  InPlaceWriterOps notepad(file_, "A\r\nB\r\nNotepad");
  session.Save(Latin1("A\r\nB\r\nmine"), SaveMoment::WhileWorking, notepad);
  EXPECT_EQ(ReadBytes(file_), "A\r\nB\r\nNotepad\r\nmine");
  EXPECT_EQ(session.shown(), u"A\r\nB\r\nNotepad\r\nmine");
}

// The same writer, and then the program is killed once its replace is
// done, as the next round begins: every later call fails, as a dead
// program makes none.
class KilledAfterReplaceOps final : public SystemLikeFileOps {
 public:
  explicit KilledAfterReplaceOps(fs::path file) : file_(std::move(file)) {}
  CreateResult CreateNew(const fs::path& path,
                         std::unique_ptr<OutputFile>& file) override {
    dead_ = dead_ || replaced_;
    if (dead_) return CreateResult::Failed;
    return SystemFileOps().CreateNew(path, file);
  }
  bool Rename(const fs::path& from, const fs::path& to, bool replace) override {
    return !dead_ && SystemFileOps().Rename(from, to, replace);
  }
  bool Remove(const fs::path& path) override {
    return !dead_ && SystemFileOps().Remove(path);
  }
  ReplaceResult ReplaceKeepingOld(const fs::path& from, const fs::path& to,
                                  const fs::path& backup) override {
    if (dead_) return ReplaceResult::Failed;
    if (to == file_) {
      WriteBytes(to, "A\r\nB\r\nNotepad");
      replaced_ = true;
    }
    return SystemFileOps().ReplaceKeepingOld(from, to, backup);
  }

 private:
  fs::path file_;
  bool replaced_ = false;
  bool dead_ = false;
};

TEST_F(StorageSave, AWriterBeforeTheReplaceOutlivesAKillJustAfterIt) {
  {
    ListSession session(file_);
    KilledAfterReplaceOps killed(file_);
    session.Save(Latin1("A\r\nB\r\nmine"), SaveMoment::WhileWorking, killed);
  }
  EXPECT_EQ(ListSession(file_).shown(), u"A\r\nB\r\nmine\r\nNotepad");
}

TEST_F(StorageSave, ALockNobodyHoldsIsBrokenAndTheSaveGoesOn) {
  WriteBytes(StorageLockPath(file_), "");  // left by a dropped share
  ListSession session(file_);
  EXPECT_EQ(session.Save("A\r\nB\r\nC").result, Result::Done);
  EXPECT_EQ(ReadBytes(file_), "A\r\nB\r\nC");
  EXPECT_FALSE(fs::exists(StorageLockPath(file_)));
}

TEST_F(StorageSave, ALiveLockHeldTooLongOrAtTheEndOfWindowsSetsTheTextAside) {
  for (const bool ending : {false, true}) {
    WriteBytes(file_, "A\r\nB");
    ListSession session(file_);
    std::unique_ptr<FileLock> held;
    ASSERT_EQ(SystemFileOps().TryLock(StorageLockPath(file_), held),
              LockResult::Taken);
    if (!ending) {
      EXPECT_EQ(session.Save("A\r\nB\r\nC", SaveMoment::WhileWorking).result,
                Result::Locked);
      session.Wait(kLongestLockWait);
    }
    const SaveOutcome outcome =
        session.Save("A\r\nB\r\nC", ending ? SaveMoment::EndingSession
                                           : SaveMoment::WhileWorking);
    EXPECT_EQ(outcome.result, Result::Done);
    const fs::path aside = DivertedStorageFilePath(file_, 1);
    EXPECT_EQ(ReadBytes(aside), "A\r\nB\r\nC");
    EXPECT_EQ(ReadBytes(SetAsideBasePath(aside)),
              "\xEF\xBB\xBF"
              "A\r\nB");
    EXPECT_EQ(ReadBytes(file_), "A\r\nB");
    held.reset();
    fs::remove(aside);
    fs::remove(SetAsideBasePath(aside));
  }
}

TEST_F(StorageSave, AFailedSaveIsADetourAndTheNextSaveReachesTheFile) {
  ListSession session(file_);
  SetReadOnly(file_, true);
  session.Save("A\r\nB\r\nC", SaveMoment::WhileWorking);
  const fs::path aside = DivertedStorageFilePath(file_, 1);
  EXPECT_EQ(ReadBytes(aside), "A\r\nB\r\nC");
  SetReadOnly(file_, false);
  EXPECT_TRUE(session.Save("A\r\nB\r\nC\r\nD", SaveMoment::WhileWorking)
                  .reports.empty());
  EXPECT_EQ(ReadBytes(file_), "A\r\nB\r\nC\r\nD");
  // Its lines are in the file now: renamed, never removed.
  EXPECT_FALSE(fs::exists(aside));
  EXPECT_EQ(ReadBytes(TakenInCopyPath(aside, 1)), "A\r\nB\r\nC");
}

TEST_F(StorageSave, TextSetAsideIsTakenInThreeWaysAtTheNextStart) {
  {
    ListSession session(file_);
    SetReadOnly(file_, true);
    session.Save("B\r\nmine", SaveMoment::EndingSession);  // A deleted
  }
  SetReadOnly(file_, false);
  WriteBytes(file_, "A\r\nB\r\ntheirs");
  ListSession next(file_);
  EXPECT_EQ(next.shown(), u"B\r\ntheirs\r\nmine");
  next.Save(next.shown(), SaveMoment::Closing);
  EXPECT_EQ(ReadBytes(file_), "B\r\ntheirs\r\nmine");
  EXPECT_FALSE(fs::exists(DivertedStorageFilePath(file_, 1)));
  // Taken in once: the start after that shows the file alone.
  WriteBytes(file_, "B");
  EXPECT_EQ(ListSession(file_).shown(), u"B");
}

// Another copy that still cannot reach the list sets its text aside again
// in the file this copy took in at its start: this copy's save leaves that
// file under its name, and the next start takes in what it holds now.
TEST_F(StorageSave, TextSetAsideAgainAfterItWasTakenInWaitsForTheNextStart) {
  ListSession other(file_);
  SetReadOnly(file_, true);
  other.Save("A\r\nB\r\nX", SaveMoment::WhileWorking);
  ListSession taking(file_);
  ASSERT_EQ(taking.shown(), u"A\r\nB\r\nX");
  other.Save("A\r\nB\r\nX\r\nY", SaveMoment::Closing);
  SetReadOnly(file_, false);
  taking.Save(taking.shown(), SaveMoment::Closing);
  EXPECT_EQ(ReadBytes(file_), "A\r\nB\r\nX");
  EXPECT_EQ(ListSession(file_).shown(), u"A\r\nB\r\nX\r\nY");
}

// While the list still refuses saves, a line taken in from text set aside
// and then deleted stays deleted at the next start, beside a line added.
TEST_F(StorageSave, ALineTakenInFromASideFileStaysDeletedWhileTheListRefuses) {
  SetReadOnly(file_, true);
  ListSession(file_).Save("A\r\nB\r\nL", SaveMoment::WhileWorking);
  ListSession deleting(file_);
  ASSERT_EQ(deleting.shown(), u"A\r\nB\r\nL");
  deleting.Save("A\r\nB\r\nM", SaveMoment::Closing);  // L out, M in
  EXPECT_EQ(ListSession(file_).shown(), u"A\r\nB\r\nM");
}

TEST_F(StorageSave, ALineTakenInIsDeletedForGoodByTheCopyThatTypedIt) {
  ListSession typing(file_);
  ListSession other(file_);
  typing.Save("A\r\nB\r\nL", SaveMoment::WhileWorking);
  other.Save(other.shown(), SaveMoment::WhileWorking);  // takes L in
  ASSERT_EQ(other.shown(), u"A\r\nB\r\nL");
  typing.Save("A\r\nB", SaveMoment::WhileWorking);
  other.Save(other.shown(), SaveMoment::Closing);
  typing.Save(typing.shown(), SaveMoment::Closing);
  EXPECT_EQ(ReadBytes(file_), "A\r\nB");
  EXPECT_EQ(typing.shown(), u"A\r\nB");
}

// A save that merged another copy's line and then had to set its text
// aside knows the file as it read it: when that copy deletes the line, the
// deletion stands, whether this copy saves again or a start takes the
// set-aside text in.
TEST_F(StorageSave, ALineMergedBeforeADetourStaysDeletedByItsWriter) {
  for (const bool restart : {false, true}) {
    WriteBytes(file_, "A");
    ListSession here(file_);
    ListSession there(file_);
    there.Save("A\r\ntheirs", SaveMoment::WhileWorking);
    SetReadOnly(file_, true);
    here.Save("A\r\nmine", SaveMoment::WhileWorking);
    ASSERT_EQ(here.shown(), u"A\r\ntheirs\r\nmine");
    ASSERT_TRUE(fs::exists(DivertedStorageFilePath(file_, 1)));
    SetReadOnly(file_, false);
    there.Save("A", SaveMoment::WhileWorking);
    if (restart) {
      ListSession next(file_);
      EXPECT_EQ(next.shown(), u"A\r\nmine");
      next.Save(next.shown(), SaveMoment::Closing);
    } else {
      here.Save(here.shown(), SaveMoment::Closing);
    }
    EXPECT_EQ(ReadBytes(file_), "A\r\nmine") << restart;
    for (const auto& entry : fs::directory_iterator(folder_.path()))
      fs::remove(entry.path());
  }
}

// A deletion saved, then undone while the file cannot be written: the box
// is as it was at the start, but the file is not, so the line is kept
// beside it and told.
TEST_F(StorageSave, AnUndoneDeletionIsKeptWhereTheFileRefusesIt) {
  for (const SaveMoment moment :
       {SaveMoment::WhileWorking, SaveMoment::Closing}) {
    WriteBytes(file_, "A\r\nB");
    ListSession session(file_);
    session.Save("A", SaveMoment::WhileWorking);
    ASSERT_EQ(ReadBytes(file_), "A");
    SetReadOnly(file_, true);
    const SaveOutcome outcome = session.Save("A\r\nB", moment);
    SetReadOnly(file_, false);
    const fs::path aside = DivertedStorageFilePath(file_, 1);
    ASSERT_TRUE(fs::exists(aside));
    EXPECT_EQ(ReadBytes(aside), "A\r\nB");
    EXPECT_TRUE(outcome.elsewhere);
    EXPECT_FALSE(outcome.reports.empty());
    for (const auto& entry : fs::directory_iterator(folder_.path()))
      fs::remove(entry.path());
  }
}

TEST_F(StorageSave, AUnicodeLineMakesTheListUtf8AndItStaysSo) {
  ListSession session(file_);
  const std::u16string typed = u"A\r\nB\r\nX\u301C";
  session.Save(typed, SaveMoment::WhileWorking);
  EXPECT_EQ(ReadBytes(file_),
            "\xEF\xBB\xBF"
            "A\r\nB\r\nX\xE3\x80\x9C");
  WriteBytes(file_, ReadBytes(file_) + "\r\nT");  // Notepad adds a line
  session.Save(u"A\r\nB", SaveMoment::WhileWorking);
  EXPECT_EQ(ReadBytes(file_),
            "\xEF\xBB\xBF"
            "A\r\nB\r\nT");
  EXPECT_EQ(ListSession(file_).shown(), u"A\r\nB\r\nT");
  EXPECT_EQ(EntriesOf(folder_.path()).size(), 1u);  // no copies beside it
}

// Another writer saves the list again in another encoding, as Notepad does
// once a line holds what code page 932 cannot: a box as the file was takes
// it as it is and writes nothing, then or at any later save, until one
// side changes it; the list's next line goes in the file's new encoding.
class StorageResavedElsewhere
    : public StorageSave,
      public testing::WithParamInterface<TextEncoding> {
 protected:
  std::string InFile(std::u16string_view text) const {
    bool lossy = false;
    return EncodeUnicodeText(text, GetParam(), lossy);
  }
};

TEST_P(StorageResavedElsewhere, IsNeverWrittenAgainUntilItChanges) {
  ListSession session(file_);
  const std::u16string resaved = u"A\r\nB\r\nX\u301C";
  WriteBytes(file_, InFile(resaved));
  const fs::file_time_type before = Written() - std::chrono::hours(1);
  fs::last_write_time(file_, before);
  session.Save(session.shown(), SaveMoment::WhileWorking);
  EXPECT_EQ(session.shown(), resaved);
  session.Save(session.shown(), SaveMoment::WhileWorking);
  session.Save(session.shown(), SaveMoment::Closing);
  EXPECT_EQ(ReadBytes(file_), InFile(resaved));
  EXPECT_EQ(Written(), before);

  WriteBytes(file_, InFile(resaved + u"\r\nT"));
  session.Save(session.shown(), SaveMoment::WhileWorking);
  EXPECT_EQ(session.shown(), resaved + u"\r\nT");
  session.Save(session.shown() + u"\r\nU", SaveMoment::WhileWorking);
  EXPECT_EQ(ReadBytes(file_), InFile(resaved + u"\r\nT\r\nU"));
  EXPECT_EQ(ListSession(file_).shown(), resaved + u"\r\nT\r\nU");
}

INSTANTIATE_TEST_SUITE_P(Encodings, StorageResavedElsewhere,
                         testing::Values(TextEncoding::Utf16Le,
                                         TextEncoding::Utf16Be,
                                         TextEncoding::Utf8WithBom),
                         [](const auto& info) -> std::string {
                           switch (info.param) {
                             case TextEncoding::Utf16Le:
                               return "Utf16Le";
                             case TextEncoding::Utf16Be:
                               return "Utf16Be";
                             default:
                               return "Utf8WithMark";
                           }
                         });

TEST_F(StorageSave, TwoCopiesDeleteAndCorrectEachOthersLines) {
  ListSession a(file_);
  a.Save("A\r\nB\r\ntypo\r\n", SaveMoment::WhileWorking);
  ListSession b(file_);
  ASSERT_EQ(b.shown(), u"A\r\nB\r\ntypo");
  b.Save("B\r\nfixed", SaveMoment::WhileWorking);  // A deleted, typo fixed
  const SaveOutcome closing = a.Save(a.shown(), SaveMoment::Closing);
  EXPECT_EQ(ReadBytes(file_), "B\r\nfixed");
  EXPECT_EQ(a.shown(), u"B\r\nfixed");
  EXPECT_EQ(closing.removed, (std::vector<std::u16string>{u"A", u"typo"}));
}

TEST_F(StorageSave, ALineDeletedByAWriterWithoutTheLockIsToldAndStaysDeleted) {
  ListSession session(file_);
  session.Save("A\r\nB\r\nmine", SaveMoment::WhileWorking);
  WriteBytes(file_, "A\nB\ntheirs\n");  // rewritten whole, LF breaks
  const SaveOutcome outcome = session.Save("A\r\nB\r\nmine\r\nnew");
  EXPECT_EQ(ReadBytes(file_), "A\r\nB\r\ntheirs\r\nnew");
  EXPECT_EQ(outcome.taken_in, 1u);
  EXPECT_EQ(outcome.removed, std::vector<std::u16string>{u"mine"});
  // Told once: the next save has nothing more to say of it.
  EXPECT_TRUE(session.Save(session.shown()).removed.empty());
}

TEST_F(StorageSave, ALaterLockIsWaitedForAfresh) {
  ListSession session(file_);
  std::unique_ptr<FileLock> held;
  ASSERT_EQ(SystemFileOps().TryLock(StorageLockPath(file_), held),
            LockResult::Taken);
  EXPECT_EQ(session.Save("A\r\nB\r\nC", SaveMoment::WhileWorking).result,
            Result::Locked);
  held.reset();
  session.Wait(kLongestLockWait / 2);
  EXPECT_EQ(session.Save("A\r\nB\r\nC", SaveMoment::WhileWorking).result,
            Result::Done);
  ASSERT_EQ(SystemFileOps().TryLock(StorageLockPath(file_), held),
            LockResult::Taken);
  session.Wait(kLongestLockWait);
  EXPECT_EQ(session.Save("A\r\nB\r\nC\r\nD", SaveMoment::WhileWorking).result,
            Result::Locked);
  EXPECT_FALSE(fs::exists(DivertedStorageFilePath(file_, 1)));
}

// Renames an editor's own file over the list just before the program's
// replace, as editors and sync tools save; or, where the file system
// cannot keep the old file in the same step, writes it in place.
class RenamingWriterOps final : public SystemLikeFileOps {
 public:
  RenamingWriterOps(fs::path file, std::string bytes, bool can_exchange)
      : file_(std::move(file)),
        bytes_(std::move(bytes)),
        can_exchange_(can_exchange) {}
  ReplaceResult ReplaceKeepingOld(const fs::path& from, const fs::path& to,
                                  const fs::path& backup) override {
    if (to == file_ && !written_) {
      written_ = true;
      const fs::path editors = file_.parent_path() / "editor.tmp";
      WriteBytes(can_exchange_ ? editors : to, bytes_);
      if (can_exchange_) fs::rename(editors, to);
    }
    if (!can_exchange_) return ReplaceResult::NotSupported;
    return SystemFileOps().ReplaceKeepingOld(from, to, backup);
  }

 private:
  fs::path file_;
  std::string bytes_;
  bool can_exchange_;
  bool written_ = false;
};

// Renames an editor's file over the list while the program writes its
// temporary file, before the replace is due.
class EarlyRenamingWriterOps final : public SystemLikeFileOps {
 public:
  explicit EarlyRenamingWriterOps(fs::path file,
                                  std::string bytes = "A\r\nB\r\nearly")
      : file_(std::move(file)), bytes_(std::move(bytes)) {}
  CreateResult CreateNew(const fs::path& path,
                         std::unique_ptr<OutputFile>& file) override {
    if (path.parent_path() == file_.parent_path() && !written_) {
      written_ = true;
      const fs::path editors = file_.parent_path() / "editor.tmp";
      WriteBytes(editors, bytes_);
      fs::rename(editors, file_);
    }
    return SystemFileOps().CreateNew(path, file);
  }

 private:
  fs::path file_;
  std::string bytes_;
  bool written_ = false;
};

TEST_F(StorageSave, AnEditorsSaveWhileTheTextIsWrittenIsMergedIn) {
  ListSession session(file_);
  EarlyRenamingWriterOps editor(file_);
  session.Save(Latin1("A\r\nB\r\nmine"), SaveMoment::WhileWorking, editor);
  EXPECT_EQ(ReadBytes(file_), "A\r\nB\r\nearly\r\nmine");
}

TEST_F(StorageSave, WhatARefusedRoundMergedIsNotShownAfterItsWriterTookItBack) {
  ListSession session(file_);
  WriteBytes(file_, "A\r\nB\r\nX");  // another writer adds X...
  EarlyRenamingWriterOps editor(file_, "A\r\nB");  // ...and takes it back
  const SaveOutcome outcome =
      session.Save(Latin1("A\r\nB\r\nmine"), SaveMoment::WhileWorking, editor);
  EXPECT_EQ(ReadBytes(file_), "A\r\nB\r\nmine");
  EXPECT_EQ(session.shown(), u"A\r\nB\r\nmine");
  EXPECT_EQ(outcome.taken_in, 0u);
}

TEST_F(StorageSave, AnEditorsSaveJustBeforeTheReplaceIsMergedIn) {
  for (const bool can_exchange : {true, false}) {
    WriteBytes(file_, "A\r\nB");
    ListSession session(file_);
    RenamingWriterOps editor(file_, "A\r\nB\r\neditor", can_exchange);
    session.Save(Latin1("A\r\nB\r\nmine"), SaveMoment::WhileWorking, editor);
    EXPECT_EQ(ReadBytes(file_), "A\r\nB\r\neditor\r\nmine") << can_exchange;
    EXPECT_EQ(EntriesOf(folder_.path()).size(), 1u);
  }
}

// Refuses to rename one file, as a viewer or a virus scanner that holds it
// open does.
class HeldFileOps final : public SystemLikeFileOps {
 public:
  explicit HeldFileOps(fs::path held) : held_(std::move(held)) {}
  bool Rename(const fs::path& from, const fs::path& to, bool replace) override {
    return from != held_ && SystemFileOps().Rename(from, to, replace);
  }

 private:
  fs::path held_;
};

TEST_F(StorageSave, TextTakenInButNotRenamedBringsNothingBackAtTheNextStart) {
  {
    ListSession session(file_);
    SetReadOnly(file_, true);
    session.Save("A\r\nB\r\nmine", SaveMoment::EndingSession);
  }
  SetReadOnly(file_, false);
  {
    ListSession next(file_);
    ASSERT_EQ(next.shown(), u"A\r\nB\r\nmine");
    HeldFileOps viewer(DivertedStorageFilePath(file_, 1));
    next.Save(u"A\r\nB\r\nmine", SaveMoment::WhileWorking, viewer);
    ASSERT_TRUE(fs::exists(DivertedStorageFilePath(file_, 1)));
    next.Save("B");  // A and mine deleted
  }
  EXPECT_EQ(ListSession(file_).shown(), u"B");
}

TEST_F(StorageSave, SetAsideTextIsFoundWhateverNumbersAreMissing) {
  const fs::path fifth = DivertedStorageFilePath(file_, 5);
  WriteBytes(SetAsideBasePath(fifth),
             "\xEF\xBB\xBF"
             "A\r\nB");
  WriteBytes(fifth, "B\r\nfifth");
  ListSession session(file_);
  EXPECT_EQ(session.shown(), u"B\r\nfifth");
}

// Records the names files are renamed to, in order.
class RenameLogOps final : public SystemLikeFileOps {
 public:
  bool Rename(const fs::path& from, const fs::path& to, bool replace) override {
    renamed.push_back(to.filename());
    return SystemFileOps().Rename(from, to, replace);
  }
  std::vector<fs::path> renamed;
};

TEST_F(StorageSave, TextIsSetAsideOnlyOnceItsBaseIsOnDisk) {
  ListSession session(file_);
  SetReadOnly(file_, true);
  RenameLogOps log;
  session.Save(Latin1("A\r\nB\r\nC"), SaveMoment::WhileWorking, log);
  session.Save(Latin1("A\r\nB\r\nC\r\nD"), SaveMoment::WhileWorking, log);
  SetReadOnly(file_, false);
  const fs::path aside = DivertedStorageFilePath(file_, 1);
  // Replaced, the text goes first: an old text beside a new base would
  // take lines deleted meanwhile for lines added.
  const std::vector<fs::path> expected = {
      SetAsideBasePath(aside).filename(), aside.filename(), aside.filename(),
      SetAsideBasePath(aside).filename()};
  EXPECT_EQ(log.renamed, expected);
}

// Another copy took this session's side file in and renamed it: the next
// save of it makes it anew, base first, never a text without its base.
TEST_F(StorageSave, ASideFileAnotherCopyTookInIsMadeAnewBaseFirst) {
  SetReadOnly(file_, true);
  ListSession first(file_);
  first.Save("A\r\nB\r\nX", SaveMoment::WhileWorking);
  ListSession second(file_);
  second.Save("A\r\nB\r\nX\r\nY", SaveMoment::Closing);
  RenameLogOps log;
  first.Save(Latin1("A\r\nB\r\nX\r\nZ"), SaveMoment::WhileWorking, log);
  const fs::path aside = DivertedStorageFilePath(file_, 1);
  EXPECT_EQ(log.renamed, (std::vector<fs::path>{
                             SetAsideBasePath(aside).filename(), aside.filename()}));
  SetReadOnly(file_, false);
  EXPECT_EQ(ListSession(file_).shown(), u"A\r\nB\r\nX\r\nZ\r\nY");
}

TEST(EarlierUnicodeCopies, AreTakenIntoTheListOnceAndRenamed) {
  TempFolder folder;
  const fs::path file = folder / u8"T品質保管庫.txt";
  WriteBytes(file, "A?\r\nA?\r\nOK?");  // "OK?" was typed so
  const fs::path copy = UnicodeStorageCopyPath(file, 3);
  WriteBytes(copy,
             "\xEF\xBB\xBF"
             "A\xE3\x80\x9C\r\nA\xE2\x99\xA1");
  ListSession session(file);
  EXPECT_EQ(session.shown(), u"A\u301C\r\nA\u2661\r\nOK?");
  session.Save(session.shown());
  EXPECT_EQ(ReadBytes(file),
            "\xEF\xBB\xBF"
            "A\xE3\x80\x9C\r\nA\xE2\x99\xA1\r\nOK?");
  EXPECT_FALSE(fs::exists(copy));
  EXPECT_TRUE(fs::exists(TakenInCopyPath(copy, 1)));
  EXPECT_EQ(ListSession(file).shown(), u"A\u301C\r\nA\u2661\r\nOK?");
}

}  // namespace

}  // namespace tavlin
