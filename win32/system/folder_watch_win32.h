// Watching the folders that files lie in, on a thread of its own, so that
// the window learns of another writer while the user works: a change, or a
// burst of them, posts one message to the window, which then takes which
// files' folders changed. A folder that cannot be watched is left out
// without a word.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "win32/system/unique_handle_win32.h"

namespace tavlin {

class FolderWatch {
 public:
  FolderWatch() = default;
  FolderWatch(const FolderWatch&) = delete;
  FolderWatch& operator=(const FolderWatch&) = delete;
  ~FolderWatch() { Stop(); }

  // Watches the folders of files (each folder once; the first
  // kMostFolders of them, among the first 64 files), ending any watch
  // before, and posts message to window after each burst of changes, once
  // until TakeChanged.
  void Watch(const std::vector<std::filesystem::path>& files, HWND window,
             UINT message);
  // Ends the thread, then lets the folders go.
  void Stop();
  // Bit i set: the folder of files[i] changed since the last call.
  std::uint64_t TakeChanged() { return changed_.exchange(0); }

 private:
  struct ChangeNotificationTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Close(Handle handle) {
      return FindCloseChangeNotification(handle) != FALSE;
    }
  };
  static DWORD WINAPI Run(void* watch);
  void Wait();

  // Lists lie beside the program or in the user's folder.
  static constexpr std::size_t kMostFolders = 4;

  HWND window_ = nullptr;
  UINT message_ = 0;
  std::size_t folders_ = 0;
  UniqueHandle<ChangeNotificationTraits> notifications_[kMostFolders];
  std::uint64_t files_[kMostFolders] = {};  // each folder's files, as bits
  std::atomic<std::uint64_t> changed_ = 0;
  UniqueKernelObject stop_;
  UniqueKernelObject thread_;
};

}  // namespace tavlin
