#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/file_faults.h"

namespace tavlin {

namespace fs = std::filesystem;

namespace {

class NoOpHold final : public UnreadableFile, public OpenHandle {};

bool SetImmutable(const fs::path& folder, bool immutable) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return false;
  int flags = 0;
  bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  if (done) {
    flags = immutable ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  }
  ::close(fd);
  return done;
}

bool RefusesNewFiles(const fs::path& folder) {
  const fs::path probe = folder / "probe";
  const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
  if (fd < 0) return true;
  ::close(fd);
  ::unlink(probe.c_str());
  return false;
}

}  // namespace

std::unique_ptr<UnreadableFile> MakeUnreadable(const fs::path& file) {
  // Reading the process's own memory from offset 0 fails with an I/O error,
  // although the file opens.
  fs::remove(file);
  fs::create_symlink("/proc/self/mem", file);
  return std::make_unique<NoOpHold>();
}

bool MakeFolderReadOnly(const fs::path& folder) {
  ::chmod(folder.c_str(), 0555);
  if (RefusesNewFiles(folder)) return true;
  if (SetImmutable(folder, true) && RefusesNewFiles(folder)) return true;
  MakeFolderWritable(folder);
  return false;
}

void MakeFolderWritable(const fs::path& folder) {
  SetImmutable(folder, false);
  ::chmod(folder.c_str(), 0755);
}

std::unique_ptr<OpenHandle> HoldOpen(const fs::path&, bool& holds) {
  holds = false;
  return std::make_unique<NoOpHold>();
}

}  // namespace tavlin
