// The few file operations the program needs, with one Windows and one POSIX
// side. Paths are Unicode; file contents are bytes, never converted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tavlin {

// True only for an existing file: a folder of that name does not count.
bool IsExistingFile(const std::filesystem::path& path);

// What stands at a path. Only the system's "not found" answers mean Missing:
// a failure to look (access denied, a sharing or a network error) is
// Unknown, so that it is never taken for an absent file.
enum class PathKind { Missing, File, Folder, Unknown };
PathKind LookAtPath(const std::filesystem::path& path);

// When the file at path was last written, in units that mean something only
// when compared with another answer of this function; nothing when the
// system cannot tell.
std::optional<std::int64_t> LastWriteTime(const std::filesystem::path& path);

// True when the file exists and carries the read-only mark (on POSIX: no
// write permission for anyone).
bool IsReadOnlyFile(const std::filesystem::path& path);

// Reads the whole file while other programs may read it but not write it.
// The file is closed before this returns. Throws TavlinError
// "ファイル %s は開けません" when it cannot be opened or read.
std::string ReadWholeFile(const std::filesystem::path& path);

// Like ReadWholeFile, but returns nothing when the file holds exactly
// previous, having made no copy of it.
std::optional<std::string> ReadWholeFileIfChanged(
    const std::filesystem::path& path, std::string_view previous);

// A file opened for writing by FileOps::CreateNew; closed when destroyed.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  // Returns the count of bytes the system says it wrote, or nothing on error.
  virtual std::optional<std::size_t> Write(std::string_view bytes) = 0;
  virtual bool Flush() = 0;
  virtual bool Close() = 0;
};

enum class CreateResult { Created, AlreadyExists, Failed };
// How a replace that keeps the old file went: done; no file stood there to
// replace; the file system cannot do it in one step; or it failed, every
// file as it was.
enum class ReplaceResult { Replaced, NoFile, NotSupported, Failed };
// Taken; or held by another holder now; or not to be made at all (a folder
// that takes no new files), which no waiting mends.
enum class LockResult { Taken, HeldElsewhere, CannotCreate };

// A lock file held by this process; it goes when released, and on Windows
// also when the process ends however it ends.
class FileLock {
 public:
  virtual ~FileLock() = default;
};

// The operations an atomic save is built from. Tests put a faulty one in
// place of the system's to reach failures that real disks rarely give.
class FileOps {
 public:
  virtual ~FileOps() = default;
  // Creates a file that must not exist yet.
  virtual CreateResult CreateNew(const std::filesystem::path& path,
                                 std::unique_ptr<OutputFile>& file) = 0;
  virtual bool IsReadOnly(const std::filesystem::path& path) = 0;
  virtual bool IsFolder(const std::filesystem::path& path) = 0;
  // An existing file; a folder does not count.
  virtual bool IsFile(const std::filesystem::path& path) = 0;
  // Renames in one step; with replace, over an existing file, otherwise
  // failing when the target exists.
  virtual bool Rename(const std::filesystem::path& from,
                      const std::filesystem::path& to, bool replace) = 0;
  virtual bool Remove(const std::filesystem::path& path) = 0;
  // Creates the lock file at path, which must not exist yet, and hands it
  // to lock when taken.
  virtual LockResult TryLock(const std::filesystem::path& path,
                             std::unique_ptr<FileLock>& lock) = 0;
  // Removes the lock file at path when nobody holds it (left by a share
  // that dropped its connection, a sync tool or a restored backup); true
  // when it is gone.
  virtual bool BreakStaleLock(const std::filesystem::path& path) = 0;
  // Puts from in the place of to in one step, to never missing, and keeps
  // the file that to named under backup: on POSIX the very file to named
  // at that moment (an exchange of names); on Windows the file to named
  // just before (a second name of it), which holds every write made in
  // place up to the replace.
  virtual ReplaceResult ReplaceKeepingOld(
      const std::filesystem::path& from, const std::filesystem::path& to,
      const std::filesystem::path& backup) = 0;
};

FileOps& SystemFileOps();

}  // namespace tavlin
