#include "win32/system/library_search_win32.h"

#include <string>

namespace tavlin {

void RestrictLibrarySearchToSystem() {
  // Reached by name: systems without the update that brings it lack it.
  using SetDirectories = BOOL(WINAPI*)(DWORD);
  const auto set_directories = LibraryFunction<SetDirectories>(
      GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
  if (set_directories) set_directories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE LoadSystemLibrary(const wchar_t* file_name) {
  std::wstring path(MAX_PATH, L'\0');
  UINT length = GetSystemDirectoryW(path.data(), MAX_PATH);
  if (length >= MAX_PATH) {
    path.resize(length);
    length = GetSystemDirectoryW(path.data(), length);
  }
  if (length == 0 || length >= path.size()) return nullptr;
  path.resize(length);
  path += L'\\';
  path += file_name;
  return LoadLibraryExW(path.c_str(), nullptr, 0);
}

}  // namespace tavlin
