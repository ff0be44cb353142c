// A close saves each list itself only once no save of it runs beside the
// window: those under way end first, and so does the one that taking them
// up hands over for what was typed while they ran.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "src/app/main_host.h"
#include "support/faulty_file_ops.h"
#include "support/list_session.h"
#include "support/recording_view.h"
#include "support/temp_folder.h"

namespace tavlin {

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The first save beside the window waits for the test before it locks; the
// second holds its lock until the window's thread has asked for it too, or
// a moment has passed.
class SlowSecondSaveOps final : public SystemLikeFileOps {
 public:
  explicit SlowSecondSaveOps(std::thread::id window) : window_(window) {}

  LockResult TryLock(const fs::path& path,
                     std::unique_ptr<FileLock>& lock) override {
    std::unique_lock hold(mutex_);
    if (std::this_thread::get_id() == window_) {
      changed_.wait_for(hold, 1s, [&] { return second_locked_; });
      const LockResult result = SystemFileOps().TryLock(path, lock);
      window_asked_ = true;
      changed_.notify_all();
      return result;
    }
    const int save = ++saves_;
    changed_.notify_all();
    if (save == 1) changed_.wait(hold, [&] { return open_; });
    const LockResult result = SystemFileOps().TryLock(path, lock);
    if (save == 2) {
      second_locked_ = true;
      changed_.notify_all();
      changed_.wait_for(hold, 200ms, [&] { return window_asked_; });
    }
    return result;
  }
  void AwaitFirstSave() {
    std::unique_lock hold(mutex_);
    changed_.wait(hold, [&] { return saves_ >= 1; });
  }
  void Open() {
    std::lock_guard hold(mutex_);
    open_ = true;
    changed_.notify_all();
  }

 private:
  std::thread::id window_;
  std::mutex mutex_;
  std::condition_variable changed_;
  int saves_ = 0;
  bool open_ = false, second_locked_ = false, window_asked_ = false;
};

TEST(CloseAfterSaves, TheSaveHandedOverForTypingEndsBeforeTheClosesOwn) {
  TempFolder folder;
  ByteCodec codec;
  RecordingView view;
  SlowSecondSaveOps ops(std::this_thread::get_id());
  MainHost host(PagesOf(folder / "Tavlin.exe"), folder.path(), codec,
                ListSaving::SameLine, ops);
  view.boxes[0];
  view.boxes[1];
  host.Attach(view);
  host.LoadLists({folder / "user", folder / "temp"});
  view.boxes[0] = u"A";
  host.ListTyped(0);
  host.SaveTimeCame(0);
  ops.AwaitFirstSave();
  view.boxes[0] = u"A\r\nB";  // typed while the first save runs
  host.ListTyped(0);
  host.SaveTimeCame(0);
  ops.Open();
  EXPECT_EQ(host.SaveLists(SaveMoment::Closing), ListSaving::Saved::All);
  EXPECT_EQ(ReadBytes(host.Page(0).storage_file), "A\r\nB");
}

}  // namespace

}  // namespace tavlin
