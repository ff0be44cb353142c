// The system's file operations with one fault put in: the failures that
// real disks give rarely or only when full.
#pragma once

#include <cstddef>
#include <vector>

#include "src/platform/file_access.h"

namespace tavlin {

enum class FileFault {
  None,
  CreateFails,
  NamesTaken,      // the first names tried for a new file already exist
  ShortWrite,      // the system reports fewer bytes than asked
  FailAfterBytes,  // an error once some bytes are on disk
  FlushFails,
  CloseFails,
  RenameFails,
  KilledBeforeRename,  // the temporary file stays, as after a kill
  TargetAppears,       // another writer creates the target just before
                       // the rename
};

// The system's file operations, for a test's own to change one or two.
class SystemLikeFileOps : public FileOps {
 public:
  CreateResult CreateNew(const std::filesystem::path& path,
                         std::unique_ptr<OutputFile>& file) override {
    return SystemFileOps().CreateNew(path, file);
  }
  bool IsReadOnly(const std::filesystem::path& path) override {
    return SystemFileOps().IsReadOnly(path);
  }
  bool IsFolder(const std::filesystem::path& path) override {
    return SystemFileOps().IsFolder(path);
  }
  bool IsFile(const std::filesystem::path& path) override {
    return SystemFileOps().IsFile(path);
  }
  bool Rename(const std::filesystem::path& from,
              const std::filesystem::path& to, bool replace) override {
    return SystemFileOps().Rename(from, to, replace);
  }
  bool Remove(const std::filesystem::path& path) override {
    return SystemFileOps().Remove(path);
  }
  LockResult TryLock(const std::filesystem::path& path,
                     std::unique_ptr<FileLock>& lock) override {
    return SystemFileOps().TryLock(path, lock);
  }
  bool BreakStaleLock(const std::filesystem::path& path) override {
    return SystemFileOps().BreakStaleLock(path);
  }
  ReplaceResult ReplaceKeepingOld(
      const std::filesystem::path& from, const std::filesystem::path& to,
      const std::filesystem::path& backup) override {
    return SystemFileOps().ReplaceKeepingOld(from, to, backup);
  }
};

class FaultyFileOps final : public SystemLikeFileOps {
 public:
  explicit FaultyFileOps(FileFault fault, std::size_t fail_after = 0)
      : fault_(fault), fail_after_(fail_after) {}

  CreateResult CreateNew(const std::filesystem::path& path,
                         std::unique_ptr<OutputFile>& file) override;
  bool Rename(const std::filesystem::path& from,
              const std::filesystem::path& to, bool replace) override;
  bool Remove(const std::filesystem::path& path) override {
    return fault_ != FileFault::KilledBeforeRename &&
           SystemFileOps().Remove(path);
  }

 private:
  FileFault fault_;
  std::size_t fail_after_;
  int names_tried_ = 0;
};

// Refuses new files and locks in some folders, as a locked program folder
// or a full disk does; the system's operations elsewhere.
class RefusingFolderOps final : public SystemLikeFileOps {
 public:
  explicit RefusingFolderOps(std::vector<std::filesystem::path> folders)
      : folders_(std::move(folders)) {}
  CreateResult CreateNew(const std::filesystem::path& path,
                         std::unique_ptr<OutputFile>& file) override {
    if (Refuses(path)) return CreateResult::Failed;
    return SystemFileOps().CreateNew(path, file);
  }
  LockResult TryLock(const std::filesystem::path& path,
                     std::unique_ptr<FileLock>& lock) override {
    if (Refuses(path)) return LockResult::CannotCreate;
    return SystemFileOps().TryLock(path, lock);
  }

 private:
  bool Refuses(const std::filesystem::path& path) const {
    for (const std::filesystem::path& folder : folders_)
      if (path.parent_path() == folder) return true;
    return false;
  }
  std::vector<std::filesystem::path> folders_;
};

}  // namespace tavlin
