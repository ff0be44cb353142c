// The program where its files or its folder are not what it expects.
#include <gtest/gtest.h>

#include "e2e/tavlin_process.h"
#include "src/storage/storage_file.h"
#include "src/ui/main_form_layout.h"
#include "support/temp_folder.h"
#include "win32/system/shift_jis.h"

namespace tavlin {

namespace fs = std::filesystem;

namespace {

// Folder names outside Shift-JIS, and names whose Shift-JIS form holds the
// byte of "\" (表, ソ).
TEST(UnusualProgramFolders, WorkAsAnyOther) {
  TempFolder root;
  for (const wchar_t* name : {L"한국어", L"😀絵文字", L"表ソ"}) {
    const fs::path folder = root / name;
    fs::create_directory(folder);
    CopyExamplePhraseFiles(folder);
    TavlinProcess tavlin(folder);
    tavlin.Start();
    const std::vector<std::wstring> slogans =
        ListBoxItems(tavlin.Control(kListBox1));
    ASSERT_EQ(slogans.size(), 5u) << fs::path(name);
    EXPECT_EQ(tavlin.MessageBox(), nullptr);
    tavlin.Close();
    const fs::path safety =
        StorageFilePath(folder / L"Tavlin.exe", PhraseCategory::Safety);
    EXPECT_TRUE(fs::exists(safety)) << safety;
  }
}

// A storage file of bytes that Shift-JIS does not assign does not decode
// cleanly: the user is told at the start, the list starts empty, and the
// file is never written over.
TEST(UnusualStorageBytes, AreToldAtTheStartAndLeftAsTheyAre) {
  TempFolder folder;
  CopyExamplePhraseFiles(folder.path());
  const fs::path safety =
      StorageFilePath(folder / L"Tavlin.exe", PhraseCategory::Safety);
  const std::string bytes = "A\x80\xA0\xFD\xFE\xFF\r\n\x88\x20X\r\nZ\x88";
  WriteBytes(safety, bytes);
  TavlinProcess tavlin(folder.path());
  tavlin.Start();
  EXPECT_NE(tavlin.DismissMessageBox().find(safety.wstring()),
            std::wstring::npos);
  EXPECT_TRUE(WindowText(tavlin.Control(kMemSafe)).empty());
  tavlin.Close();
  EXPECT_EQ(ReadBytes(safety), bytes);
}

// A storage file that is a folder: nothing loads, and at exit the failure
// to write it is reported while the other list is still saved.
TEST(UnusualStorageFiles, AFolderInPlaceOfTheFileIsReported) {
  TempFolder folder;
  CopyExamplePhraseFiles(folder.path());
  const fs::path safety =
      StorageFilePath(folder / L"Tavlin.exe", PhraseCategory::Safety);
  const fs::path quality =
      StorageFilePath(folder / L"Tavlin.exe", PhraseCategory::Quality);
  fs::create_directory(safety);
  TavlinProcess tavlin(folder.path());
  tavlin.Start();
  EXPECT_EQ(tavlin.MessageBox(), nullptr);
  PostMessageW(tavlin.MainWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(tavlin.DismissMessageBox(),
            L"ファイル " + safety.wstring() + L" を作成できません.");
  ASSERT_TRUE(WaitFor([&] { return tavlin.HasExited(); }));
  EXPECT_TRUE(fs::is_directory(safety));
  EXPECT_TRUE(fs::exists(quality));
}

}  // namespace

}  // namespace tavlin
