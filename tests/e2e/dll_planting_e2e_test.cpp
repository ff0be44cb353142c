// Copies of version.dll and psapi.dll planted beside Tavlin.exe are never
// used: the program loads both from the system folder by full path, even
// when the system itself has already loaded the planted copy.
#include <windows.h>

#include <gtest/gtest.h>

#include <regex>

#include "e2e/tavlin_process.h"
#include "src/ui/info_form_layout.h"
#include "src/ui/main_form_layout.h"
#include "support/temp_folder.h"

namespace tavlin {

namespace fs = std::filesystem;

namespace {

// Makes Wine prefer the DLLs beside a program over its own, as Windows does
// for DLLs that are not known DLLs; removed again afterwards.
class NativeDllsFirst {
 public:
  explicit NativeDllsFirst(const std::wstring& program)
      : key_(L"Software\\Wine\\AppDefaults\\" + program + L"\\DllOverrides") {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0,
                    KEY_SET_VALUE, nullptr, &key, nullptr);
    const wchar_t value[] = L"native,builtin";
    for (const wchar_t* library : {L"version", L"psapi"})
      RegSetValueExW(key, library, 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(value), sizeof value);
    RegCloseKey(key);
  }
  ~NativeDllsFirst() { RegDeleteKeyW(HKEY_CURRENT_USER, key_.c_str()); }

 private:
  std::wstring key_;
};

void Plant(const fs::path& folder) {
  for (const wchar_t* library : {L"version.dll", L"psapi.dll"})
    fs::copy_file(fs::path(TAVLIN_FAKE_VERSION_DLL).make_preferred(),
                  folder / library);
}

DWORD RunToEnd(const fs::path& program) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring command = L"\"" + program.wstring() + L"\"";
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
  Plant(folder.path());
  const fs::path probe = folder / L"load_by_name_probe.exe";
  fs::copy_file(fs::path(TAVLIN_LOAD_BY_NAME_PROBE).make_preferred(), probe);
  const NativeDllsFirst native(L"load_by_name_probe.exe");
  EXPECT_EQ(RunToEnd(probe), 0u);
  EXPECT_TRUE(fs::exists(folder / L"planted-version.dll-loaded.txt"));
}

// Every entry point of the planted copies fails: had the program used them,
// its caption would lack the version and its memory figures would be zero.
TEST(DllPlanting, TheWholeProgramReadsItsVersionAndStatusFromTheSystem) {
  TempFolder folder;
  CopyExamplePhraseFiles(folder.path());
  Plant(folder.path());
  const NativeDllsFirst native(L"Tavlin.exe");
  TavlinProcess tavlin(folder.path());
  tavlin.Start();
  HWND main = tavlin.MainWindow();
  EXPECT_EQ(WindowText(main), L"Tavlin Ver.0.9.11.29 - MainForm");

  PostMessageW(tavlin.Control(kBitBtn2), BM_CLICK, 0, 0);
  HWND info = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    info = FindWindowExW(nullptr, nullptr, L"TavlinInfoForm", nullptr);
    return info && IsWindowVisible(info);
  }));
  HWND panel = GetDlgItem(info, kPnlBack);
  const std::wregex nonzero(L"Memory Usage:[1-9][0-9,]* KB; Peak:[1-9].*");
  std::wstring usage;
  EXPECT_TRUE(WaitFor([&] {
    usage = WindowText(GetDlgItem(panel, kLblWorkingSetSize));
    return std::regex_match(usage, nonzero);
  })) << usage.size();
  EXPECT_EQ(WindowText(info), L"Tavlin Ver.0.9.11.29 - InfoForm");
  PostMessageW(info, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(info); }));
  tavlin.Close();
}

}  // namespace

}  // namespace tavlin
