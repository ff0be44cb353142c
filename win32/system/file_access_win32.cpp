#include <windows.h>

#include <string>

#include "src/platform/file_access.h"
#include "src/platform/read_if_changed.h"
#include "src/platform/tavlin_error.h"
#include "win32/system/unique_handle_win32.h"

namespace tavlin {

namespace {

DWORD AttributesOf(const std::filesystem::path& path) {
  return GetFileAttributesW(path.c_str());
}

// MoveFileExW wants full paths.
std::filesystem::path FullPath(const std::filesystem::path& path) {
  std::error_code ignored;
  std::filesystem::path full = std::filesystem::absolute(path, ignored);
  return full.empty() ? path : full;
}

class Win32OutputFile final : public OutputFile {
 public:
  explicit Win32OutputFile(HANDLE handle) : file_(handle) {}
  std::optional<std::size_t> Write(std::string_view bytes) override {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const DWORD chunk = static_cast<DWORD>(
          std::min<std::size_t>(bytes.size() - done, 1u << 30));
      DWORD written = 0;
      if (!WriteFile(file_.get(), bytes.data() + done, chunk, &written,
                     nullptr))
        return std::nullopt;
      done += written;
      // A full disk can report success for part of the buffer.
      if (written < chunk) break;
    }
    return done;
  }
  bool Flush() override { return FlushFileBuffers(file_.get()) != FALSE; }
  bool Close() override { return file_.reset(); }

 private:
  UniqueFileHandle file_;
};

class Win32FileOps final : public FileOps {
 public:
  CreateResult CreateNew(const std::filesystem::path& path,
                         std::unique_ptr<OutputFile>& file) override {
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS
                 ? CreateResult::AlreadyExists
                 : CreateResult::Failed;
    }
    file = std::make_unique<Win32OutputFile>(handle);
    return CreateResult::Created;
  }
  bool IsReadOnly(const std::filesystem::path& path) override {
    return IsReadOnlyFile(path);
  }
  bool IsFolder(const std::filesystem::path& path) override {
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }
  bool IsFile(const std::filesystem::path& path) override {
    return IsExistingFile(path);
  }
  bool Rename(const std::filesystem::path& from,
              const std::filesystem::path& to, bool replace) override {
    const DWORD flags =
        MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    return MoveFileExW(FullPath(from).c_str(), FullPath(to).c_str(), flags) !=
           FALSE;
  }
  bool Remove(const std::filesystem::path& path) override {
    return DeleteFileW(path.c_str()) != FALSE;
  }
  LockResult TryLock(const std::filesystem::path& path,
                     std::unique_ptr<FileLock>& lock) override {
    // Made new, shared with nobody, and deleted when its handle closes:
    // also when the process is ended, so that no lock outlives its holder.
    UniqueFileHandle handle(CreateFileW(
        FullPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (!handle) {
      const DWORD error = GetLastError();
      // A lock whose holder is closing it may still refuse access a moment.
      return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
                     error == ERROR_SHARING_VIOLATION ||
                     (error == ERROR_ACCESS_DENIED && IsExistingFile(path))
                 ? LockResult::HeldElsewhere
                 : LockResult::CannotCreate;
    }
    lock = std::make_unique<HeldLock>(std::move(handle));
    return LockResult::Taken;
  }
  bool BreakStaleLock(const std::filesystem::path& path) override {
    // A holder keeps its lock open unshared, so only a lock nobody holds
    // can be deleted. A read-only copy of one (from a backup) is no lock.
    const std::wstring full = FullPath(path).wstring();
    if (DeleteFileW(full.c_str())) return true;
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return true;
    const DWORD attributes = GetFileAttributesW(full.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & FILE_ATTRIBUTE_READONLY) == 0)
      return false;
    return SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL) &&
           DeleteFileW(full.c_str());
  }
  ReplaceResult ReplaceKeepingOld(
      const std::filesystem::path& from, const std::filesystem::path& to,
      const std::filesystem::path& backup) override {
    // ReplaceFileW would keep the old file too, but by two renames: a
    // program ended between them leaves no file under the list's name (as
    // Wine was seen to). A second name of the file, then one rename that
    // replaces it in one step, never does.
    // The second name is a temporary one until the replace is done: a
    // file held open without sharing its deletion keeps every name it has,
    // and one left after a refused replace must be a temporary file's,
    // which a later start removes, never a name backup's callers read.
    const std::filesystem::path kept = FullPath(backup);
    std::filesystem::path link = kept;
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    auto bits = static_cast<unsigned>(now.QuadPart ^ GetCurrentProcessId());
    std::wstring suffix = L".~00000000.tmp";  // as temporary files are named
    for (int digit = 9; digit >= 2; --digit, bits >>= 4)
      suffix[static_cast<std::size_t>(digit)] = L"0123456789abcdef"[bits & 15];
    link += suffix;
    if (!CreateHardLinkW(link.c_str(), FullPath(to).c_str(), nullptr))
      return IsExistingFile(to) ? ReplaceResult::NotSupported
                                : ReplaceResult::NoFile;
    if (!MoveFileExW(FullPath(from).c_str(), FullPath(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      DeleteFileW(link.c_str());
      return ReplaceResult::Failed;
    }
    MoveFileExW(link.c_str(), kept.c_str(), MOVEFILE_WRITE_THROUGH);
    return ReplaceResult::Replaced;
  }

 private:
  class HeldLock final : public FileLock {
   public:
    explicit HeldLock(UniqueFileHandle handle) : handle_(std::move(handle)) {}

   private:
    UniqueFileHandle handle_;
  };
};

}  // namespace

bool IsExistingFile(const std::filesystem::path& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

PathKind LookAtPath(const std::filesystem::path& path) {
  const DWORD attributes = AttributesOf(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
               ? PathKind::Missing
               : PathKind::Unknown;
  }
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::Folder
                                                      : PathKind::File;
}

std::optional<std::int64_t> LastWriteTime(const std::filesystem::path& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
    return std::nullopt;
  // Hundreds of nanoseconds, finer than the C library's seconds.
  return static_cast<std::int64_t>(
      (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
      data.ftLastWriteTime.dwLowDateTime);
}

bool IsReadOnlyFile(const std::filesystem::path& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
         (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

std::optional<std::string> ReadWholeFileIfChanged(
    const std::filesystem::path& path, std::string_view previous) {
  UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING,
                                    FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size))
    throw CannotOpenFileError(path);
  // Other writers are denied, so the size holds while the file is read.
  return ReadIfChanged(static_cast<std::size_t>(size.QuadPart), previous,
                       [&](char* into, std::size_t capacity) -> std::size_t {
                         DWORD read = 0;
                         const DWORD chunk = static_cast<DWORD>(
                             std::min<std::size_t>(capacity, 1u << 30));
                         if (!ReadFile(file.get(), into, chunk, &read, nullptr))
                           throw CannotOpenFileError(path);
                         return read;
                       });
}

FileOps& SystemFileOps() {
  static Win32FileOps ops;
  return ops;
}

}  // namespace tavlin
