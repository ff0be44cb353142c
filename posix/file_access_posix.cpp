#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "src/platform/file_access.h"
#include "src/platform/read_if_changed.h"
#include "src/platform/tavlin_error.h"

namespace tavlin {

namespace {

class PosixFile {
 public:
  explicit PosixFile(int fd) : fd_(fd) {}
  PosixFile(const PosixFile&) = delete;
  PosixFile& operator=(const PosixFile&) = delete;
  ~PosixFile() { Close(); }
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }
  bool Close() {
    if (fd_ < 0) return true;
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool StatOf(const std::filesystem::path& path, struct stat& info) {
  return ::stat(path.c_str(), &info) == 0;
}

class PosixOutputFile final : public OutputFile {
 public:
  explicit PosixOutputFile(int fd) : file_(fd) {}
  std::optional<std::size_t> Write(std::string_view bytes) override {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n =
          ::write(file_.get(), bytes.data() + done, bytes.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return std::nullopt;
      if (n == 0) break;
      done += static_cast<std::size_t>(n);
    }
    return done;
  }
  bool Flush() override { return ::fsync(file_.get()) == 0; }
  bool Close() override { return file_.Close(); }

 private:
  PosixFile file_;
};

// Makes a rename inside a folder durable, as a write-through move does on
// Windows.
void SyncFolderOf(const std::filesystem::path& path) {
  PosixFile folder(
      ::open(path.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() >= 0) ::fsync(folder.get());
}

// Whether the open file holds exactly previous, compared where it lies in
// the page cache, without copying it: a list of megabytes found unchanged
// costs one pass over memory.
bool SameAsMapped(int fd, const struct stat& info, std::string_view previous) {
  if (previous.empty() ||
      static_cast<std::size_t>(info.st_size) != previous.size())
    return false;
  void* mapped =
      ::mmap(nullptr, previous.size(), PROT_READ, MAP_PRIVATE, fd, 0);
  if (mapped == MAP_FAILED) return false;
  const bool same = std::memcmp(mapped, previous.data(), previous.size()) == 0;
  ::munmap(mapped, previous.size());
  return same;
}

class PosixFileOps final : public FileOps {
 public:
  CreateResult CreateNew(const std::filesystem::path& path,
                         std::unique_ptr<OutputFile>& file) override {
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
      return errno == EEXIST ? CreateResult::AlreadyExists
                             : CreateResult::Failed;
    file = std::make_unique<PosixOutputFile>(fd);
    return CreateResult::Created;
  }
  bool IsReadOnly(const std::filesystem::path& path) override {
    return IsReadOnlyFile(path);
  }
  bool IsFolder(const std::filesystem::path& path) override {
    struct stat info;
    return StatOf(path, info) && S_ISDIR(info.st_mode);
  }
  bool IsFile(const std::filesystem::path& path) override {
    return IsExistingFile(path);
  }
  bool Rename(const std::filesystem::path& from,
              const std::filesystem::path& to, bool replace) override {
    bool moved;
    if (replace) {
      moved = ::rename(from.c_str(), to.c_str()) == 0;
    } else {
      // A hard link fails when the target exists, so nothing is replaced.
      moved = ::link(from.c_str(), to.c_str()) == 0;
      if (moved) ::unlink(from.c_str());
    }
    if (moved) SyncFolderOf(to);
    return moved;
  }
  bool Remove(const std::filesystem::path& path) override {
    return ::unlink(path.c_str()) == 0;
  }
  LockResult TryLock(const std::filesystem::path& path,
                     std::unique_ptr<FileLock>& lock) override;
  bool BreakStaleLock(const std::filesystem::path& path) override;
  ReplaceResult ReplaceKeepingOld(
      const std::filesystem::path& from, const std::filesystem::path& to,
      const std::filesystem::path& backup) override {
    // An exchange swaps the two names in one step: from then names the
    // file to held at that moment.
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(),
                    RENAME_EXCHANGE) != 0) {
      if (errno == ENOENT) return ReplaceResult::NoFile;
      if (errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)
        return ReplaceResult::NotSupported;
      return ReplaceResult::Failed;
    }
    ::rename(from.c_str(), backup.c_str());
    SyncFolderOf(to);
    return ReplaceResult::Replaced;
  }
};

// Removed when released; a killed process leaves it, which only the
// Windows side's lock survives.
class PosixFileLock final : public FileLock {
 public:
  PosixFileLock(std::filesystem::path path, int fd)
      : path_(std::move(path)), file_(fd) {}
  ~PosixFileLock() override { ::unlink(path_.c_str()); }

 private:
  std::filesystem::path path_;
  PosixFile file_;
};

bool SameFile(int fd, const std::filesystem::path& path) {
  struct stat open_file;
  struct stat named;
  return ::fstat(fd, &open_file) == 0 && StatOf(path, named) &&
         open_file.st_dev == named.st_dev && open_file.st_ino == named.st_ino;
}

// The holder keeps an flock on its lock file, as Windows keeps the file
// open unshared: a file that can be flocked is held by nobody.
LockResult PosixFileOps::TryLock(const std::filesystem::path& path,
                                 std::unique_ptr<FileLock>& lock) {
  PosixFile file(
      ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
  if (file.get() < 0)
    return errno == EEXIST ? LockResult::HeldElsewhere
                           : LockResult::CannotCreate;
  // Another copy may have broken the file between its making and the flock.
  if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0 ||
      !SameFile(file.get(), path))
    return LockResult::HeldElsewhere;
  lock = std::make_unique<PosixFileLock>(path, file.release());
  return LockResult::Taken;
}

bool PosixFileOps::BreakStaleLock(const std::filesystem::path& path) {
  PosixFile file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) return errno == ENOENT;
  if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) return false;
  return SameFile(file.get(), path) && ::unlink(path.c_str()) == 0;
}

}  // namespace

bool IsExistingFile(const std::filesystem::path& path) {
  struct stat info;
  return StatOf(path, info) && !S_ISDIR(info.st_mode);
}

PathKind LookAtPath(const std::filesystem::path& path) {
  struct stat info;
  if (!StatOf(path, info))
    return errno == ENOENT || errno == ENOTDIR ? PathKind::Missing
                                               : PathKind::Unknown;
  return S_ISDIR(info.st_mode) ? PathKind::Folder : PathKind::File;
}

std::optional<std::int64_t> LastWriteTime(const std::filesystem::path& path) {
  struct stat info {};
  if (!StatOf(path, info)) return std::nullopt;
  return std::int64_t{info.st_mtim.tv_sec} * 1'000'000'000 +
         info.st_mtim.tv_nsec;
}

bool IsReadOnlyFile(const std::filesystem::path& path) {
  struct stat info;
  return StatOf(path, info) && !S_ISDIR(info.st_mode) &&
         (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

std::optional<std::string> ReadWholeFileIfChanged(
    const std::filesystem::path& path, std::string_view previous) {
  PosixFile file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat info;
  if (file.get() < 0 || ::fstat(file.get(), &info) != 0 ||
      S_ISDIR(info.st_mode))
    throw CannotOpenFileError(path);
  if (SameAsMapped(file.get(), info, previous)) return std::nullopt;
  return ReadIfChanged(static_cast<std::size_t>(info.st_size), previous,
                       [&](char* into, std::size_t capacity) -> std::size_t {
                         for (;;) {
                           const ssize_t n = ::read(file.get(), into, capacity);
                           if (n >= 0) return static_cast<std::size_t>(n);
                           if (errno != EINTR) throw CannotOpenFileError(path);
                         }
                       });
}

FileOps& SystemFileOps() {
  static PosixFileOps ops;
  return ops;
}

}  // namespace tavlin
