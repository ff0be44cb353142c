// A stand-in system library of the kind an attacker would plant beside a
// program (built as version.dll and as psapi.dll): each of its entry points
// fails, and when loaded it leaves "planted-<its name>-loaded.txt" beside
// itself.
#include <windows.h>

#include <string>

// Every export of the .def file: the system itself calls some of them (Wine's
// user32 asks version.dll for file versions), so they must exist.
extern "C" ULONG_PTR FailWithZero() { return 0; }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(instance, path, MAX_PATH);
    const std::wstring module(path, length);
    const std::size_t name = module.find_last_of(L"\\/") + 1;
    const std::wstring marker = module.substr(0, name) + L"planted-" +
                                module.substr(name) + L"-loaded.txt";
    HANDLE file = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  return TRUE;
}
