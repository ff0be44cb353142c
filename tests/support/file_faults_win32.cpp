#include <windows.h>

#include "support/file_faults.h"
#include "win32/system/unique_handle_win32.h"

namespace tavlin {

namespace fs = std::filesystem;

namespace {

class HeldFile final : public UnreadableFile, public OpenHandle {
 public:
  explicit HeldFile(HANDLE handle) : handle_(handle) {}

 private:
  UniqueFileHandle handle_;
};

}  // namespace

std::unique_ptr<UnreadableFile> MakeUnreadable(const fs::path& file) {
  // A writer keeps readers that deny writing out.
  return std::make_unique<HeldFile>(CreateFileW(
      file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

namespace {

// Each probe has a name of its own, so that one the flag left behind does
// not pass for a refusal at the next look. left_behind names a probe that
// was made but could no longer be removed: the flag came in between. Wine
// unlinks a file only when the handle DeleteFileW opened on it closes, so
// a flag arriving in that moment leaves the file although DeleteFileW
// succeeded: only looking for the file again tells.
bool RefusesNewFiles(const fs::path& folder, fs::path& left_behind) {
  static int probes = 0;
  const fs::path probe = folder / (L"probe" + std::to_wstring(++probes));
  HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return true;
  CloseHandle(file);
  DeleteFileW(probe.c_str());
  if (GetFileAttributesW(probe.c_str()) != INVALID_FILE_ATTRIBUTES)
    left_behind = probe;
  return false;
}

// Runs chattr on the folder and waits until the folder shows the change.
bool RunChattr(const fs::path& folder, bool immutable, fs::path& left_behind) {
  using UnixFileName = char*(CDECL*)(const wchar_t*);
  const auto unix_file_name =
      reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(GetProcAddress(
          GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
  if (!unix_file_name) return false;
  char* unix_path = unix_file_name(folder.c_str());
  if (!unix_path) return false;
  const fs::path linux_folder(reinterpret_cast<const char8_t*>(unix_path));
  HeapFree(GetProcessHeap(), 0, unix_path);
  std::wstring command = std::wstring(L"/usr/bin/chattr ") +
                         (immutable ? L"+i" : L"-i") + L" \"" +
                         linux_folder.wstring() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0,
                      nullptr, nullptr, &startup, &process))
    return false;
  const UniqueKernelObject thread(process.hThread);
  const UniqueKernelObject child(process.hProcess);
  for (int waited = 0; waited < 100; ++waited) {
    if (RefusesNewFiles(folder, left_behind) == immutable) return true;
    Sleep(50);
  }
  return false;
}

// Under Wine, which ignores Windows permissions, the Linux folder's
// immutable flag makes creating files fail. Wine starts Linux programs such
// as chattr, but gives no handle to wait on: the folder itself shows when
// the flag has changed. False on Windows and where the flag cannot be set
// (chattr needs root).
bool SetImmutableUnderWine(const fs::path& folder, bool immutable) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    fs::path left_behind;
    if (!RunChattr(folder, immutable, left_behind)) return false;
    if (left_behind.empty()) return true;
    // A probe outlived the flag's coming: lift the flag, remove the probe
    // and set the flag again.
    fs::path ignored;
    if (!RunChattr(folder, false, ignored)) return false;
    DeleteFileW(left_behind.c_str());
  }
  return false;
}

}  // namespace

bool MakeFolderReadOnly(const fs::path& folder) {
  if (SetImmutableUnderWine(folder, true)) return true;
  MakeFolderWritable(folder);
  return false;
}

void MakeFolderWritable(const fs::path& folder) {
  SetImmutableUnderWine(folder, false);
}

std::unique_ptr<OpenHandle> HoldOpen(const fs::path& file, bool& holds) {
  HANDLE handle =
      CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  holds = handle != INVALID_HANDLE_VALUE;
  return std::make_unique<HeldFile>(handle);
}

}  // namespace tavlin
