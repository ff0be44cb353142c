// Shortcuts written through the shell link object, read back through it.
#include <windows.h>

#include <gtest/gtest.h>
#include <objidl.h>
#include <shlobj.h>

#include "src/platform/tavlin_error.h"
#include "support/temp_folder.h"
#include "win32/system/com_ptr_win32.h"
#include "win32/system/shell_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace fs = std::filesystem;

namespace {

std::u16string_view U16(const fs::path& path) { return AsU16(path.native()); }

class Shortcuts : public testing::Test {
 protected:
  void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  void TearDown() override { CoUninitialize(); }

  std::pair<std::wstring, std::wstring> TargetAndWorkingFolder(
      const fs::path& file, std::wstring* arguments = nullptr) {
    ComPtr<IShellLinkW> link;
    CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                     IID_IShellLinkW, link.ReceiveVoid());
    ComPtr<IPersistFile> persist;
    link->QueryInterface(IID_IPersistFile, persist.ReceiveVoid());
    EXPECT_TRUE(SUCCEEDED(persist->Load(file.c_str(), STGM_READ)));
    wchar_t target[MAX_PATH] = {}, folder[MAX_PATH] = {}, args[MAX_PATH] = {};
    link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    link->GetWorkingDirectory(folder, MAX_PATH);
    link->GetArguments(args, MAX_PATH);
    if (arguments) *arguments = args;
    return {target, folder};
  }

  TempFolder folder_;
};

TEST_F(Shortcuts, HoldTargetWorkingFolderAndArguments) {
  const fs::path program = folder_ / L"Tavlin.exe";
  WriteBytes(program, "MZ");
  CreateShortcut(U16(program), U16(folder_.path()), u"Tavlin");
  std::wstring arguments;
  const auto [target, working] =
      TargetAndWorkingFolder(folder_ / L"Tavlin.lnk", &arguments);
  EXPECT_EQ(fs::path(target), program);
  EXPECT_EQ(fs::path(working), folder_.path());
  EXPECT_EQ(arguments, L"/starup");
}

TEST_F(Shortcuts, ATrailingSeparatorAndASecondSaveGiveTheSameOneFile) {
  const fs::path program = folder_ / L"Tavlin.exe";
  WriteBytes(program, "MZ");
  CreateShortcut(U16(program), U16(folder_.path()), u"Tavlin");
  CreateShortcut(U16(program), AsU16(folder_.path().native() + L"\\"),
                 u"Tavlin");
  EXPECT_EQ(EntriesOf(folder_.path()),
            (std::vector<std::string>{"Tavlin.exe", "Tavlin.lnk"}));
}

TEST_F(Shortcuts, AFailedSaveIsReportedAndLeavesNoFile) {
  const fs::path missing = folder_ / L"no such folder";
  try {
    CreateShortcut(U16(folder_ / L"Tavlin.exe"), U16(missing), u"Tavlin");
    FAIL() << "a save into a missing folder went unnoticed";
  } catch (const TavlinError& error) {
    const std::string message = error.what();
    EXPECT_FALSE(message.empty());
    EXPECT_NE(message.back(), '.');
    EXPECT_NE(message.back(), '\n');
  }
  EXPECT_FALSE(fs::exists(missing / L"Tavlin.lnk"));
}

TEST_F(Shortcuts, WithoutAFolderNothingIsWrittenToTheDriveRoot) {
  const fs::path program = folder_ / L"Tavlin.exe";
  try {
    CreateShortcut(U16(program), u"", u"TavlinNoFolder");
    FAIL() << "a shortcut without a folder went unnoticed";
  } catch (const TavlinError& error) {
    EXPECT_STREQ(error.what(), "ファイル TavlinNoFolder.lnk を作成できません");
  }
  EXPECT_FALSE(fs::exists(program.root_path() / L"TavlinNoFolder.lnk"));
  EXPECT_FALSE(fs::exists(L"\\TavlinNoFolder.lnk"));
}

TEST_F(Shortcuts, SpecialFoldersAreFound) {
  for (const auto& folder :
       {GetDesktopFolder(nullptr), GetStartupFolder(nullptr),
        GetSendToFolder(nullptr)}) {
    EXPECT_FALSE(folder.empty());
    EXPECT_TRUE(fs::is_directory(folder)) << fs::path(folder);
  }
  EXPECT_EQ(GetSpecialFolderPath(nullptr, 0x7FFF), u"");
}

}  // namespace

}  // namespace tavlin
