// A version.dll planted beside Tavlin.exe is never loaded: the program
// reaches version.dll only in the system folder.
#include <windows.h>

#include <gtest/gtest.h>

#include "e2e/tavlin_process.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

// Makes Wine prefer a DLL beside a program over its own, as Windows does
// for DLLs that are not known DLLs; removed again afterwards.
class NativeVersionDllFirst {
 public:
  explicit NativeVersionDllFirst(const std::wstring& program)
      : key_(L"Software\\Wine\\AppDefaults\\" + program + L"\\DllOverrides") {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0,
                    KEY_SET_VALUE, nullptr, &key, nullptr);
    const wchar_t value[] = L"native,builtin";
    RegSetValueExW(key, L"version", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(value), sizeof value);
    RegCloseKey(key);
  }
  ~NativeVersionDllFirst() { RegDeleteKeyW(HKEY_CURRENT_USER, key_.c_str()); }

 private:
  std::wstring key_;
};

fs::path Planted(const TempFolder& folder) {
  fs::copy_file(fs::path(TAVLIN_FAKE_VERSION_DLL).make_preferred(),
                folder / L"version.dll");
  return folder / L"planted-version-dll-loaded.txt";
}

DWORD RunToEnd(const fs::path& program, const std::wstring& argument = L"") {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring command =
      L"\"" + program.wstring() + L"\" \"" + argument + L"\"";
  for (int attempt = 0; attempt < 5 && !process.hProcess; ++attempt) {
    CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                   nullptr, program.parent_path().c_str(), &startup, &process);
  }
  if (!process.hProcess) return 1000;
  WaitForSingleObject(process.hProcess, 30000);
  DWORD code = 1001;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return code;
}

// Without this the test below would prove nothing: a program that loads
// version.dll by name does get the planted copy here.
TEST(DllPlanting, ThePlantedCopyIsTakenByALoadByName) {
  TempFolder folder;
  const fs::path marker = Planted(folder);
  const fs::path probe = folder / L"load_by_name_probe.exe";
  fs::copy_file(fs::path(TAVLIN_LOAD_BY_NAME_PROBE).make_preferred(), probe);
  const NativeVersionDllFirst native(L"load_by_name_probe.exe");
  EXPECT_EQ(RunToEnd(probe), 0u);
  EXPECT_TRUE(fs::exists(marker));
}

// Wine's own user32 imports version.dll, so under this override any window
// program gets the planted copy from the system itself; the program's
// version reader is therefore run in a console program of its own.
TEST(DllPlanting, TheVersionReaderNeverLoadsAPlantedVersionDll) {
  TempFolder folder;
  const fs::path marker = Planted(folder);
  const fs::path probe = folder / L"version_probe.exe";
  fs::copy_file(fs::path(TAVLIN_VERSION_PROBE).make_preferred(), probe);
  const NativeVersionDllFirst native(L"version_probe.exe");
  EXPECT_EQ(RunToEnd(probe, BuiltTavlinExecutable().wstring()), 0u);
  EXPECT_FALSE(fs::exists(marker));
}

}  // namespace
