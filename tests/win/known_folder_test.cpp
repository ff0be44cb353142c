// The user's roaming folder comes from the session's APPDATA where that
// names a whole path, and from the shell otherwise.
#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>

#include <memory>
#include <optional>
#include <string>

#include "win32/system/known_folder_win32.h"

namespace tavlin {
namespace {

namespace fs = std::filesystem;

fs::path ShellsRoamingFolder() {
  PWSTR text = nullptr;
  SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &text);
  const std::unique_ptr<wchar_t, decltype(&CoTaskMemFree)> owned(
      text, &CoTaskMemFree);
  return owned ? fs::path(owned.get()) : fs::path();
}

// Sets APPDATA for one test and puts the session's value back after it.
class SessionAppData {
 public:
  SessionAppData() {
    wchar_t value[32768];
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", value, 32768);
    if (length > 0 && length < 32768) saved_ = value;
  }
  ~SessionAppData() {
    SetEnvironmentVariableW(L"APPDATA", saved_ ? saved_->c_str() : nullptr);
  }
  void Set(const wchar_t* value) { SetEnvironmentVariableW(L"APPDATA", value); }

 private:
  std::optional<std::wstring> saved_;
};

TEST(RoamingFolder, TakesAWholePathFromTheSessionElseAsksTheShell) {
  const fs::path shells = ShellsRoamingFolder();
  ASSERT_FALSE(shells.empty());
  const fs::path elsewhere = L"D:\\共有\\ローミング";
  const struct {
    const wchar_t* app_data;  // nullptr: not set
    fs::path expected;
  } cases[] = {
      {elsewhere.c_str(), elsewhere},
      {L"\\\\server\\profiles\\me\\Roaming",
       L"\\\\server\\profiles\\me\\Roaming"},
      {L"Roaming", shells},    // relative: not a folder to write to
      {L"\\Roaming", shells},  // no drive
      {L"C:Roaming", shells},  // relative to the drive's current folder
      {nullptr, shells},
  };
  SessionAppData session;
  for (const auto& row : cases) {
    session.Set(row.app_data);
    EXPECT_EQ(RoamingApplicationDataFolder(), row.expected)
        << (row.app_data ? fs::path(row.app_data).string() : "unset");
  }
}

}  // namespace
}  // namespace tavlin
