#include "win32/system/known_folder_win32.h"

#include <windows.h>

#include <shlobj.h>

#include <memory>
#include <string>
#include <string_view>

namespace tavlin {

namespace {

struct CoTaskMemoryFree {
  void operator()(void* memory) const noexcept { CoTaskMemFree(memory); }
};

std::filesystem::path KnownFolder(REFKNOWNFOLDERID folder) {
  PWSTR text = nullptr;
  const HRESULT result = SHGetKnownFolderPath(folder, 0, nullptr, &text);
  // The shell allocates the text even when it fails.
  const std::unique_ptr<wchar_t, CoTaskMemoryFree> owned(text);
  if (FAILED(result) || !owned) return {};
  return std::filesystem::path(owned.get());
}

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// A drive's path (C:\...) or a share's (\\server\...): the library's
// is_absolute does not know the second.
bool IsWholePath(std::wstring_view path) {
  const bool drive = path.size() >= 3 &&
                     ((path[0] >= L'A' && path[0] <= L'Z') ||
                      (path[0] >= L'a' && path[0] <= L'z')) &&
                     path[1] == L':' && IsSeparator(path[2]);
  const bool share =
      path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]);
  return drive || share;
}

// The folder an environment variable names, when it names a whole path.
std::filesystem::path FolderFromEnvironment(const wchar_t* name) {
  std::wstring value(MAX_PATH, L'\0');
  DWORD length = GetEnvironmentVariableW(name, value.data(), MAX_PATH);
  if (length >= MAX_PATH) {
    value.resize(length);
    length = GetEnvironmentVariableW(name, value.data(), length);
  }
  if (length == 0 || length >= value.size()) return {};
  value.resize(length);
  return IsWholePath(value) ? std::filesystem::path(value)
                            : std::filesystem::path();
}

}  // namespace

std::filesystem::path RoamingApplicationDataFolder() {
  // As Windows gives it to every process of the session. Asking the shell
  // loads the shell's libraries, a tenth of the start under Wine, and the
  // start needs this folder to read the lists.
  std::filesystem::path folder = FolderFromEnvironment(L"APPDATA");
  return folder.empty() ? KnownFolder(FOLDERID_RoamingAppData) : folder;
}

std::filesystem::path PicturesFolder() {
  return KnownFolder(FOLDERID_Pictures);
}

std::filesystem::path DocumentsFolder() {
  return KnownFolder(FOLDERID_Documents);
}

std::filesystem::path TemporaryFolder() {
  wchar_t folder[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH) return {};
  return std::filesystem::path(folder);
}

}  // namespace tavlin
