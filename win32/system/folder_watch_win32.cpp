#include "win32/system/folder_watch_win32.h"

#include <algorithm>
#include <utility>

namespace tavlin {

namespace {

// A writer's save is a burst of changes (a temporary file, its bytes, a
// rename, a lock file): one message once the folder has been quiet this
// long, or this long after the first, whichever comes first. Both stay
// well inside the two seconds in which a change is to show.
constexpr ULONGLONG kQuietMs = 200;
constexpr ULONGLONG kLongestBurstMs = 800;

}  // namespace

void FolderWatch::Watch(const std::vector<std::filesystem::path>& files,
                        HWND window, UINT message) {
  Stop();
  window_ = window;
  message_ = message;
  bool watched = false;
  std::size_t folder_of[64];
  for (std::size_t i = 0; i < files.size() && i < 64; ++i) {
    const std::filesystem::path folder = files[i].parent_path();
    std::size_t at = 0;
    while (at < i && files[at].parent_path() != folder) ++at;
    std::size_t& f = folder_of[i];
    if (at < i) {
      f = folder_of[at];
    } else if ((f = folders_) < kMostFolders) {
      // A folder that cannot be watched stays without: its lists are
      // merged at their saves, as ever.
      notifications_[folders_++].reset(FindFirstChangeNotificationW(
          folder.c_str(), FALSE,
          FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_FILE_NAME |
              FILE_NOTIFY_CHANGE_SIZE));
      watched = watched || notifications_[f];
    }
    if (f < kMostFolders) files_[f] |= std::uint64_t{1} << i;
  }
  if (!watched) return;
  stop_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (stop_) thread_.reset(CreateThread(nullptr, 0, Run, this, 0, nullptr));
}

void FolderWatch::Stop() {
  if (thread_) {
    SetEvent(stop_.get());
    WaitForSingleObject(thread_.get(), INFINITE);
    thread_.reset();
  }
  for (std::size_t f = 0; f < kMostFolders; ++f) {
    notifications_[f].reset();
    files_[f] = 0;
  }
  folders_ = 0;
  changed_ = 0;
}

DWORD WINAPI FolderWatch::Run(void* watch) {
  static_cast<FolderWatch*>(watch)->Wait();
  return 0;
}

void FolderWatch::Wait() {
  HANDLE waits[kMostFolders + 1];
  std::uint64_t bits[kMostFolders + 1];
  waits[0] = stop_.get();
  DWORD count = 1;
  for (std::size_t i = 0; i < folders_; ++i)
    if (notifications_[i]) {
      waits[count] = notifications_[i].get();
      bits[count++] = files_[i];
    }
  std::uint64_t burst = 0;
  ULONGLONG first = 0;
  for (;;) {
    DWORD timeout = INFINITE;
    if (burst) {
      const ULONGLONG since = GetTickCount64() - first;
      timeout =
          static_cast<DWORD>(since >= kLongestBurstMs
                                 ? 0
                                 : std::min(kQuietMs, kLongestBurstMs - since));
    }
    const DWORD woken = WaitForMultipleObjects(count, waits, FALSE, timeout);
    if (woken == WAIT_TIMEOUT) {
      // One message until the window takes what changed.
      if (changed_.fetch_or(std::exchange(burst, 0)) == 0)
        PostMessageW(window_, message_, 0, 0);
      continue;
    }
    if (woken <= WAIT_OBJECT_0 || woken >= WAIT_OBJECT_0 + count) return;
    const DWORD i = woken - WAIT_OBJECT_0;
    if (!burst) first = GetTickCount64();
    burst |= bits[i];
    // A folder whose watch breaks (removed, its share gone) is watched no
    // more: its lists are merged at their saves, as ever.
    if (!FindNextChangeNotification(waits[i])) {
      --count;
      waits[i] = waits[count];
      bits[i] = bits[count];
    }
  }
}

}  // namespace tavlin
