// The host's storage lists through a page's life, with a recording window:
// typing saved beside the window in order, a close that saves everything
// at once, a file layer that fails or keeps a save waiting, and notices
// held until the window shows and told once.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

#include "src/app/main_host.h"
#include "src/app/save_timing.h"
#include "src/platform/messages.h"
#include "src/rhythm/reading_dictionary_writer.h"
#include "src/storage/storage_places.h"
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
  void Type(std::size_t page, std::u16string text) {
    view_.boxes[page] = std::move(text);
    host_->ListTyped(page);
  }
  // Waits until the saves beside the window have woken it count times in
  // all, then takes up what they found.
  void TakeResults(int count) {
    while (view_.wakes < count) std::this_thread::yield();
    host_->TakeSaveResults();
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
  host_->SetFiveSevenFive(true);
  EXPECT_EQ(host_->Generate(3)[0].Text(), ordinary);
  EXPECT_TRUE(view_.told.empty());
  WriteBytes(folder_ / kReadingDictionaryFileName,
             ReadingDictionaryBytes({{u"安全", 4}}, {}));
  host_->UseMeter(MoraMeter::Load(folder_.path(), codec_));
  ASSERT_TRUE(host_->Meter().available());
  host_->Generate(3);
  ASSERT_EQ(view_.ToldAt(Notice::Place::SloganList).size(), 1u);
  host_->SetFiveSevenFive(false);
  host_->Generate(3);
  EXPECT_EQ(view_.told.size(), 1u);
}

}  // namespace

}  // namespace tavlin
