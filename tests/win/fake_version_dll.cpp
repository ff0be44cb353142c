// A stand-in version.dll of the kind an attacker would plant beside a
// program: when loaded, it leaves a file beside itself.
#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(instance, path, MAX_PATH);
    std::wstring marker(path, length);
    marker = marker.substr(0, marker.find_last_of(L"\\/") + 1) +
             L"planted-version-dll-loaded.txt";
    HANDLE file = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  return TRUE;
}
