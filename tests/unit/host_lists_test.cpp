// The host's storage lists through a page's life, with a recording window:
// typing saved beside the window in order, a close that saves everything
// at once, a file layer that fails or keeps a save waiting, and notices
// held until the window shows and told once.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "src/app/main_host.h"
#include "src/app/save_timing.h"
#include "src/platform/messages.h"
#include "src/platform/tavlin_error.h"
#include "src/rhythm/reading_dictionary_writer.h"
#include "src/storage/storage_file.h"
#include "src/storage/storage_places.h"
#include "src/ui/main_form_ids.h"
#include "support/faulty_file_ops.h"
#include "support/list_session.h"
#include "support/recording_view.h"
#include "support/temp_folder.h"

namespace tavlin {

namespace {

namespace fs = std::filesystem;

// The system's files, but a lock is taken only once the test opens the
// gate: a save beside the window waits there as on a slow share.
class GatedFileOps final : public SystemLikeFileOps {
 public:
  LockResult TryLock(const fs::path& path,
                     std::unique_ptr<FileLock>& lock) override {
    std::unique_lock hold(mutex_);
    ++waiting_;
    changed_.notify_all();
    changed_.wait(hold, [this] { return open_; });
    return SystemFileOps().TryLock(path, lock);
  }
  void Open() {
    std::lock_guard hold(mutex_);
    open_ = true;
    changed_.notify_all();
  }
  void AwaitSaves(int count) {
    std::unique_lock hold(mutex_);
    changed_.wait(hold, [&] { return waiting_ >= count; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  int waiting_ = 0;
  bool open_ = false;
};

class HostLists : public testing::Test {
 protected:
  void Start(FileOps& ops = SystemFileOps()) {
    host_.emplace(PagesOf(folder_ / "Tavlin.exe"), folder_.path(), codec_,
                  ListSaving::SameLine, ops);
    view_.boxes[0];  // the standard pages' boxes are made with the window
    view_.boxes[1];
    host_->Attach(view_);
    host_->LoadLists({folder_ / "user", folder_ / "temp"});
  }
  fs::path List(std::size_t page) const {
    return host_->Page(page).storage_file;
  }
  std::vector<std::u16string> RemovedLines(std::size_t page) const {
    std::vector<std::u16string> lines;
    for (const RemovedLine& entry : host_->RemovedLinesOf(page))
      lines.push_back(entry.line);
    return lines;
  }
  void Type(std::size_t page, std::u16string text) {
    view_.boxes[page] = std::move(text);
    host_->ListTyped(page);
  }
  // Waits until the saves beside the window have woken it count times in
  // all, then takes up what they found; false where they never did.
  bool TakeResults(int count) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (view_.wakes < count) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::yield();
    }
    host_->TakeSaveResults();
    return true;
  }

  TempFolder folder_;
  ByteCodec codec_;
  RecordingView view_;
  std::optional<MainHost> host_;
};

TEST_F(HostLists, TypingIsSavedAfterAPauseBesideTheWindowInItsOrder) {
  GatedFileOps gate;
  Start(gate);
  Type(0, u"A");
  EXPECT_EQ(view_.timers.at(0), kTypingPauseMs);
  host_->SaveTimeCame(0);
  gate.AwaitSaves(1);  // the window goes on while the save waits
  Type(0, u"A\r\nB");
  host_->SaveTimeCame(0);  // waits for the first, never overtakes it
  gate.Open();
  TakeResults(1);
  TakeResults(2);
  EXPECT_EQ(ReadBytes(List(0)), "A\r\nB");
  EXPECT_FALSE(fs::exists(List(1)));  // untouched lists wait for the close
}

TEST_F(HostLists, AClosePutsEveryListOnDiskBeforeItReturns) {
  Start();
  Type(0, u"safe");
  host_->SaveTimeCame(0);
  Type(1, u"quality");
  EXPECT_EQ(host_->SaveLists(SaveMoment::Closing), ListSaving::Saved::All);
  EXPECT_EQ(ReadBytes(List(0)), "safe");
  EXPECT_EQ(ReadBytes(List(1)), "quality");
}

// The lists read at the start share their folders' listings: each still
// takes in its own text set aside, beside the program and in the user's
// folder, and none of another's.
TEST_F(HostLists, ListsReadTogetherEachTakeInTheirOwnTextSetAside) {
  const ListSaving::ListFolders folders{folder_ / "user", folder_ / "temp"};
  const fs::path safety =
      StorageFilePath(folder_ / "Tavlin.exe", PhraseCategory::Safety);
  const fs::path quality =
      StorageFilePath(folder_ / "Tavlin.exe", PhraseCategory::Quality);
  WriteBytes(NumberedBesidePath(safety, u8".追加分", 1), "safe aside");
  WriteBytes(NumberedBesidePath(quality, u8".追加分", 2), "quality aside");
  const fs::path in_user_folder =
      ListSaving::PlacesOf(quality, folders).in_user_folder;
  fs::create_directories(in_user_folder.parent_path());
  WriteBytes(NumberedBesidePath(in_user_folder, u8".追加分", 1), "roaming");
  Start();
  EXPECT_EQ(view_.boxes.at(0), u"safe aside");
  EXPECT_EQ(view_.boxes.at(1), u"quality aside\r\nroaming");
}

TEST_F(HostLists, ANoticeFoundAtTheStartWaitsForTheWindow) {
  WriteBytes(PagesOf(folder_ / "Tavlin.exe")[0].storage_file,
             "\xFF");  // does not decode
  Start();
  EXPECT_TRUE(view_.told.empty());
  host_->WindowShows();
  ASSERT_EQ(view_.told.size(), 1u);
  EXPECT_EQ(view_.told[0].place, Notice::Place::Window);
  EXPECT_EQ(view_.told[0].report.kind, UserReport::Kind::Failure);
}

// A list whose file does not decode shows the lines earlier sessions set
// aside beside it, writes nothing while the box stays as it is, and sets
// the session's lines aside with them, for the next start to show.
TEST_F(HostLists, LinesSetAsideBesideAFileThatDoesNotDecodeShow) {
  const fs::path list = PagesOf(folder_ / "Tavlin.exe")[0].storage_file;
  WriteBytes(list, "\xFF");
  WriteBytes(DivertedStorageFilePath(list, 1), "aside");
  Start();
  EXPECT_EQ(view_.boxes.at(0), u"aside");
  ASSERT_EQ(host_->SaveLists(SaveMoment::Closing), ListSaving::Saved::All);
  EXPECT_FALSE(fs::exists(DivertedStorageFilePath(list, 2)));
  Type(0, u"aside\r\nmore");
  host_->SaveLists(SaveMoment::Closing);
  EXPECT_EQ(ReadBytes(list), "\xFF");
  Start();
  EXPECT_EQ(view_.boxes.at(0), u"aside\r\nmore");
}

// A list that keeps going to the same side file, or keeps failing, is told
// so once; once it reaches its own file, a new failure is told again.
TEST_F(HostLists, WhatASaveHasToTellIsToldOnceUntilTheListIsHome) {
  const fs::path list = PagesOf(folder_ / "Tavlin.exe")[0].storage_file;
  RefusingFolderOps refusing(
      {folder_.path(),
       UserFolderStoragePath(folder_ / "user", list).parent_path()});
  Start(refusing);
  host_->WindowShows();
  int saves = 0;
  for (const char16_t* text : {u"A", u"A\r\nB"}) {
    Type(0, text);
    host_->SaveLists(SaveMoment::WhileWorking);
    TakeResults(++saves);
  }
  ASSERT_EQ(view_.ToldAt(Notice::Place::StorageBox).size(), 1u);
  EXPECT_EQ(view_.timers.at(0), kFailedPauseMs);
  std::string failure;
  EXPECT_EQ(host_->SaveLists(SaveMoment::Closing, &failure),
            ListSaving::Saved::Failed);
  EXPECT_NE(failure.find("安全"), std::string::npos);
}

// Each save's lines deleted elsewhere are told, and all of them wait
// together for the user to put back, until taken.
TEST_F(HostLists, LinesDeletedElsewhereAreGatheredAcrossSavesToPutBack) {
  WriteBytes(PagesOf(folder_ / "Tavlin.exe")[0].storage_file, "A\r\nB\r\nC");
  Start();
  host_->WindowShows();
  Type(0, u"A\r\nB\r\nC\r\nD");
  WriteBytes(List(0), "B\r\nC");  // another writer deletes A
  host_->SaveTimeCame(0);
  ASSERT_TRUE(TakeResults(1));
  ASSERT_EQ(view_.boxes.at(0), u"B\r\nC\r\nD");
  Type(0, u"B\r\nC\r\nD\r\nE");
  WriteBytes(List(0), "C\r\nD");  // and then B
  host_->SaveTimeCame(0);
  ASSERT_TRUE(TakeResults(2));
  EXPECT_EQ(view_.ToldAt(Notice::Place::StorageBox).size(), 2u);
  ASSERT_TRUE(host_->AnyRemovedLines(0));
  std::vector<std::u16string> removed = RemovedLines(0);
  std::sort(removed.begin(), removed.end());
  ASSERT_EQ(removed, (std::vector<std::u16string>{u"A", u"B"}));
  EXPECT_EQ(host_->PutBack(0, {u"A", u"C"}), std::vector<std::u16string>{u"A"});
  EXPECT_EQ(RemovedLines(0), std::vector<std::u16string>{u"B"});
}

// What went out of a list stays to be put back in later sessions: the
// user's own deletion, and a line another writer deleted that only the
// close found, which the next start tells of once.
TEST_F(HostLists, RemovedLinesOutliveTheSessionAndADropAtCloseIsToldOnce) {
  WriteBytes(PagesOf(folder_ / "Tavlin.exe")[0].storage_file, "A\r\nB\r\nC");
  Start();
  host_->WindowShows();
  Type(0, u"B\r\nC");  // the user deletes A
  host_->SaveTimeCame(0);
  ASSERT_TRUE(TakeResults(1));
  WriteBytes(List(0), "C");  // another writer deletes B, seen at the close
  ASSERT_EQ(host_->SaveLists(SaveMoment::Closing), ListSaving::Saved::All);
  const auto start_again = [&] {
    host_.reset();
    view_.told.clear();
    Start();
    host_->WindowShows();
  };
  start_again();
  const std::vector<std::string> told = view_.ToldAt(Notice::Place::Window);
  ASSERT_EQ(told.size(), 1u);
  EXPECT_NE(told[0].find("1 行"), std::string::npos);
  const std::vector<RemovedLine> removed = host_->RemovedLinesOf(0);
  ASSERT_EQ(removed.size(), 2u);
  EXPECT_EQ(removed[0].line + removed[1].line, u"BA");
  EXPECT_EQ(removed[0].how, RemovedHow::AtClose);
  EXPECT_EQ(removed[1].how, RemovedHow::Here);
  EXPECT_EQ(host_->PutBack(0, {u"A"}), std::vector<std::u16string>{u"A"});
  start_again();
  EXPECT_TRUE(view_.ToldAt(Notice::Place::Window).empty());
  EXPECT_EQ(RemovedLines(0), std::vector<std::u16string>{u"B"});
}

// A save of one page's list that ends while the user looks at another page
// comes back to its own page: its box, its timers, its notices.
TEST_F(HostLists, ASaveEndingWhileAnotherPageShowsComesBackToItsOwnPage) {
  const std::vector<PageSpec> pages = PagesOf(folder_ / "Tavlin.exe");
  WriteBytes(pages[0].storage_file, "A\r\nB");
  WriteBytes(pages[1].storage_file, "Q");
  Start();
  host_->WindowShows();
  Type(0, u"A\r\nB\r\nmine");
  WriteBytes(List(0), "B\r\ntheirs");  // another writer: A out, theirs in
  host_->SaveTimeCame(0);
  host_->ChoosePage(1);  // before the save's result is taken up
  ASSERT_TRUE(TakeResults(1));
  EXPECT_EQ(view_.boxes.at(0), u"B\r\ntheirs\r\nmine");
  EXPECT_EQ(view_.boxes.at(1), u"Q");
  EXPECT_EQ(view_.timers.count(1), 0u);
  EXPECT_TRUE(host_->AnyRemovedLines(0));
  EXPECT_FALSE(host_->AnyRemovedLines(1));
  ASSERT_EQ(view_.told.size(), 1u);
  EXPECT_EQ(view_.told[0].place, Notice::Place::StorageBox);
  EXPECT_EQ(view_.told[0].page, 0u);
  EXPECT_EQ(host_->SaveLists(SaveMoment::Closing), ListSaving::Saved::All);
  EXPECT_EQ(ReadBytes(List(0)), "B\r\ntheirs\r\nmine");
  EXPECT_EQ(ReadBytes(List(1)), "Q");
}

// Text typed while its list's save runs is not what that save wrote: the
// list stays to be saved, and a deactivation saves it.
TEST_F(HostLists, TextTypedDuringASaveIsSavedByTheNextOne) {
  GatedFileOps gate;
  Start(gate);
  Type(0, u"A");
  host_->SaveTimeCame(0);
  gate.AwaitSaves(1);
  Type(0, u"A\r\nB");
  gate.Open();
  ASSERT_TRUE(TakeResults(1));
  EXPECT_EQ(ReadBytes(List(0)), "A");
  EXPECT_EQ(view_.boxes.at(0), u"A\r\nB");
  host_->SaveLists(SaveMoment::WhileWorking);
  ASSERT_TRUE(TakeResults(2)) << "the text typed meanwhile was not saved";
  EXPECT_EQ(ReadBytes(List(0)), "A\r\nB");
}

// A list whose file cannot be replaced goes to its side file, told once
// however many saves go there; once a save reaches the file, the next
// detour is told again.
TEST_F(HostLists, ASideFileIsToldOnceUntilTheListIsHomeAgain) {
  WriteBytes(PagesOf(folder_ / "Tavlin.exe")[0].storage_file, "A");
  Start();
  host_->WindowShows();
  int saves = 0;
  const auto save = [&](const char16_t* text) {
    Type(0, text);
    host_->SaveLists(SaveMoment::WhileWorking);
    return TakeResults(++saves);
  };
  SetReadOnly(List(0), true);
  ASSERT_TRUE(save(u"A\r\nB"));
  ASSERT_TRUE(save(u"A\r\nB\r\nC"));
  const std::vector<std::string> told = view_.ToldAt(Notice::Place::StorageBox);
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(ReadBytes(DivertedStorageFilePath(List(0), 1)), "A\r\nB\r\nC");
  SetReadOnly(List(0), false);
  ASSERT_TRUE(save(u"A\r\nB\r\nC\r\nD"));
  EXPECT_EQ(ReadBytes(List(0)), "A\r\nB\r\nC\r\nD");
  SetReadOnly(List(0), true);
  ASSERT_TRUE(save(u"A\r\nB\r\nC\r\nD\r\nE"));
  EXPECT_EQ(view_.ToldAt(Notice::Place::StorageBox),
            (std::vector<std::string>{told[0], told[0]}));
  SetReadOnly(List(0), false);
}

// At the end of a Windows session nothing can wait for another copy's
// lock: a list already on disk, saved this session or untouched since the
// start, is left as it is, nothing written, set aside or told; a list with
// lines not yet saved sets them aside.
TEST_F(HostLists, TheEndOfWindowsLeavesALockedListOnDiskAsItIs) {
  const std::vector<PageSpec> pages = PagesOf(folder_ / "Tavlin.exe");
  WriteBytes(pages[0].storage_file, "A\r\nB");
  WriteBytes(pages[1].storage_file, "Q");
  Start();
  host_->WindowShows();
  Type(0, u"A\r\nB\r\nC");
  host_->SaveTimeCame(0);
  ASSERT_TRUE(TakeResults(1));
  const PageSpec traffic = ExtraPageOf(folder_ / "Tavlin.exe", u"交通");
  WriteBytes(traffic.storage_file, "T");
  view_.boxes[2];
  const std::size_t typed = host_->AddPage(traffic);
  Type(typed, u"T\r\nU");
  std::vector<fs::file_time_type> written;
  std::vector<std::unique_ptr<FileLock>> held(host_->PageCount());
  for (std::size_t page = 0; page < host_->PageCount(); ++page) {
    written.push_back(fs::last_write_time(List(page)) - std::chrono::hours(1));
    fs::last_write_time(List(page), written.back());
    ASSERT_EQ(SystemFileOps().TryLock(StorageLockPath(List(page)), held[page]),
              LockResult::Taken);
  }
  std::string failure;
  std::vector<UserReport> reports;
  EXPECT_EQ(host_->SaveLists(SaveMoment::EndingSession, &failure, &reports),
            ListSaving::Saved::All);
  EXPECT_EQ(failure, "");
  EXPECT_TRUE(view_.timers.empty());
  EXPECT_TRUE(view_.told.empty());
  const std::string on_disk[] = {"A\r\nB\r\nC", "Q", "T"};
  for (std::size_t page = 0; page < host_->PageCount(); ++page) {
    EXPECT_EQ(ReadBytes(List(page)), on_disk[page]) << page;
    EXPECT_EQ(fs::last_write_time(List(page)), written[page]) << page;
    EXPECT_EQ(fs::exists(DivertedStorageFilePath(List(page), 1)), page == typed)
        << page;
  }
  EXPECT_FALSE(fs::exists(folder_ / "user"));
  EXPECT_FALSE(fs::exists(folder_ / "temp"));
  // Only the list not yet on disk says where its lines went.
  const fs::path aside = DivertedStorageFilePath(List(typed), 1);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].text.find(PathForMessage(aside)), std::string::npos);
  EXPECT_EQ(fs::exists(aside) ? ReadBytes(aside) : "", "T\r\nU");
}

// Without a dictionary 五七五で作る composes as ever and says nothing; with
// one, a generation that finds few slogans that scan says so, and the next
// generation says only what it found itself.
TEST_F(HostLists, FewScanningIsToldOfItsOwnGenerationOnly) {
  for (const char* name : {"安全上.txt", "安全中.txt", "安全下.txt"})
    WriteBytes(folder_ / fs::path(reinterpret_cast<const char8_t*>(name)),
               "a\r\nb\r\nc");
  Start();
  host_->WindowShows();
  const std::u16string ordinary = host_->Generate(3)[0].Text();
  host_->Run(kMenuFiveSevenFive);  // offered only with the meter
  EXPECT_FALSE(host_->FiveSevenFive());
  EXPECT_EQ(host_->Generate(3)[0].Text(), ordinary);
  EXPECT_TRUE(view_.told.empty());
  WriteBytes(folder_ / kReadingDictionaryFileName,
             ReadingDictionaryBytes({{u"安全", 4}}, {}));
  host_->UseMeter(MoraMeter::Load(folder_.path(), codec_));
  ASSERT_TRUE(host_->Meter().available());
  host_->Run(kMenuFiveSevenFive);
  host_->Generate(3);
  ASSERT_EQ(view_.ToldAt(Notice::Place::SloganList).size(), 1u);
  host_->Run(kMenuFiveSevenFive);
  host_->Generate(3);
  EXPECT_EQ(view_.told.size(), 1u);
}

// The list's folder reported a change: another writer's is taken in at
// once, what went away is told and can be put back, and the file, already
// holding the list, is not written.
TEST_F(HostLists, AChangeByAnotherWriterIsTakenInWhenTheFolderTells) {
  WriteBytes(PagesOf(folder_ / "Tavlin.exe")[0].storage_file, "A\r\nB\r\nC");
  Start();
  host_->WindowShows();
  host_->ListChangedOnDisk(0);  // as the watch begins: nothing to take in
  ASSERT_TRUE(TakeResults(1));
  ASSERT_EQ(view_.boxes.at(0), u"A\r\nB\r\nC");
  WriteBytes(List(0), "B\r\nC\r\nD\r\nE");  // A out, D and E in
  const fs::file_time_type written = fs::last_write_time(List(0));
  host_->ListChangedOnDisk(0);
  ASSERT_TRUE(TakeResults(2));  // looked at
  ASSERT_TRUE(TakeResults(3));  // saved, which took theirs in
  EXPECT_EQ(view_.boxes.at(0), u"B\r\nC\r\nD\r\nE");
  const std::vector<std::string> told = view_.ToldAt(Notice::Place::StorageBox);
  ASSERT_EQ(told.size(), 1u);
  EXPECT_NE(told[0].find(ComposeMessage(kRemovedElsewhere, {"1"})),
            std::string::npos);
  EXPECT_EQ(RemovedLines(0), (std::vector<std::u16string>{u"A"}));
  EXPECT_EQ(ReadBytes(List(0)), "B\r\nC\r\nD\r\nE");
  EXPECT_EQ(fs::last_write_time(List(0)), written);
  EXPECT_FALSE(view_.timers.count(0));
}

// The folder tells of this copy's own saves and of other files too: those
// are no change of the list, and nothing is saved or told for them.
TEST_F(HostLists, ThisCopysOwnSaveIsNotTakenForAnotherWriters) {
  class CountedLocks final : public SystemLikeFileOps {
   public:
    LockResult TryLock(const fs::path& path,
                       std::unique_ptr<FileLock>& lock) override {
      if (path == list_lock) ++taken;
      return SystemFileOps().TryLock(path, lock);
    }
    fs::path list_lock;
    std::atomic<int> taken = 0;
  } ops;
  ops.list_lock = StorageLockPath(PagesOf(folder_ / "Tavlin.exe")[0].storage_file);
  Start(ops);
  host_->WindowShows();
  Type(0, u"mine");
  host_->SaveTimeCame(0);
  ASSERT_TRUE(TakeResults(1));
  ASSERT_EQ(ops.taken, 1);
  WriteBytes(folder_ / "other.txt", "x");
  for (int wake = 2; wake <= 3; ++wake) {
    host_->ListChangedOnDisk(0);
    ASSERT_TRUE(TakeResults(wake));
  }
  EXPECT_EQ(ops.taken, 1);
  EXPECT_TRUE(view_.told.empty());
  // A change of the same size is told by its time.
  WriteBytes(List(0), "MINE");
  fs::last_write_time(List(0),
                      fs::last_write_time(List(0)) + std::chrono::seconds(2));
  host_->ListChangedOnDisk(0);
  ASSERT_TRUE(TakeResults(4));
  ASSERT_TRUE(TakeResults(5));
  EXPECT_EQ(view_.boxes.at(0), u"MINE");
  EXPECT_EQ(ops.taken, 2);
}

// What the user types while another writer's change is taken in stays, once,
// merged over what came in, and goes to the file with the next save.
TEST_F(HostLists, TypingDuringATakeInIsKept) {
  WriteBytes(PagesOf(folder_ / "Tavlin.exe")[0].storage_file, "A\r\nB");
  GatedFileOps gate;
  Start(gate);
  host_->WindowShows();
  WriteBytes(List(0), "A\r\nB\r\ntheirs");
  host_->ListChangedOnDisk(0);
  ASSERT_TRUE(TakeResults(1));
  gate.AwaitSaves(1);  // the take-in waits for the lock
  Type(0, u"A\r\nB\r\nmine");
  gate.Open();
  ASSERT_TRUE(TakeResults(2));
  EXPECT_EQ(view_.boxes.at(0), u"A\r\nB\r\ntheirs\r\nmine");
  EXPECT_EQ(view_.timers.at(0), kTypingPauseMs);
  host_->SaveTimeCame(0);
  ASSERT_TRUE(TakeResults(3));
  EXPECT_EQ(ReadBytes(List(0)), "A\r\nB\r\ntheirs\r\nmine");
  EXPECT_EQ(view_.boxes.at(0), u"A\r\nB\r\ntheirs\r\nmine");
}

}  // namespace

}  // namespace tavlin
