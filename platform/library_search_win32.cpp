#include "platform/library_search_win32.h"

#include <windows.h>

void RestrictLibrarySearchToSystem() {
  // Reached by name: systems without the update that brings it lack it.
  using SetDirectories = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  const auto set_directories =
      reinterpret_cast<SetDirectories>(reinterpret_cast<void*>(
          GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (set_directories) set_directories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}
