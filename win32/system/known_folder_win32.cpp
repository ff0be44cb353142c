#include "win32/system/known_folder_win32.h"

#include <windows.h>

#include <shlobj.h>

#include <memory>

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

}  // namespace

std::filesystem::path RoamingApplicationDataFolder() {
  return KnownFolder(FOLDERID_RoamingAppData);
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
