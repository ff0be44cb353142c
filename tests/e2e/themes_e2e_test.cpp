// Further themes: a complete triple of phrase files beside the program adds
// a page with its own storage list; without one the window is as before.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "e2e/tavlin_process.h"
#include "src/slogan/phrase_list.h"
#include "src/slogan/phrase_theme.h"
#include "src/slogan/slogan_generator.h"
#include "src/storage/storage_file.h"
#include "src/ui/main_form_layout.h"
#include "support/file_faults.h"
#include "support/temp_folder.h"
#include "win32/system/shift_jis.h"

namespace tavlin {

namespace fs = std::filesystem;

namespace {

constexpr std::u16string_view kTheme = u"交通安全";

int PageCount(TavlinProcess& tavlin) {
  return static_cast<int>(
      SendMessageW(tavlin.Control(kPageControl1), TCM_GETITEMCOUNT, 0, 0));
}

TEST(Themes, WithoutFurtherFilesThereAreTheTwoPages) {
  TempFolder folder;
  CopyExamplePhraseFiles(folder.path());
  TavlinProcess tavlin(folder.path());
  tavlin.Start();
  EXPECT_EQ(PageCount(tavlin), 2);
  EXPECT_EQ(tavlin.Control(kFirstExtraStorageBox), nullptr);
  tavlin.Close();
  EXPECT_FALSE(fs::exists(StorageFilePath(folder / "Tavlin.exe", kTheme)));
}

TEST(Themes, APageWithoutPhraseFilesShowsNoSlogansAndOffersNoGeneration) {
  TempFolder folder;
  CopyExampleTheme(folder.path(), ThemeName(PhraseCategory::Quality));
  TavlinProcess tavlin(folder.path());
  tavlin.Start();
  HWND list = tavlin.Control(kListBox1);
  HWND generate = tavlin.Control(kBitBtn1);
  // Counted, not read: the list changes while it is looked at.
  const auto Rows = [&] { return SendMessageW(list, LB_GETCOUNT, 0, 0); };
  EXPECT_TRUE(Rows() == 0);
  EXPECT_FALSE(IsWindowEnabled(generate));
  HWND tabs = tavlin.Control(kPageControl1);
  const auto step = [&](WPARAM key) {
    PostMessageW(tabs, WM_KEYDOWN, key, 1);
    PostMessageW(tabs, WM_KEYUP, key, 0xC0000001);
  };
  step(VK_RIGHT);
  EXPECT_TRUE(WaitFor([&] { return Rows() == 5; }));
  EXPECT_TRUE(IsWindowEnabled(generate));
  // Back on the safety page, never the quality page's phrases.
  step(VK_LEFT);
  EXPECT_TRUE(WaitFor([&] { return Rows() == 0; }));
  EXPECT_FALSE(IsWindowEnabled(generate));
  tavlin.Close();
}

TEST(Themes, AThirdThemeGetsAPageItsSlogansAndItsOwnStorageFile) {
  TempFolder folder;
  CopyExamplePhraseFiles(folder.path());
  CopyExampleTheme(folder.path(), kTheme);
  TavlinProcess tavlin(folder.path());
  tavlin.Start();
  ASSERT_EQ(PageCount(tavlin), 3);
  HWND tabs = tavlin.Control(kPageControl1);
  // The page's storage box is made when the page first shows.
  EXPECT_EQ(tavlin.Control(kFirstExtraStorageBox), nullptr);
  for (int step = 0; step < 2; ++step) {
    PostMessageW(tabs, WM_KEYDOWN, VK_RIGHT, 1);
    PostMessageW(tabs, WM_KEYUP, VK_RIGHT, 0xC0000001);
  }
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    box = tavlin.Control(kFirstExtraStorageBox);
    return box && IsWindowVisible(box);
  }));
  EXPECT_FALSE(IsWindowVisible(tavlin.Control(kMemQuality)));

  // Every slogan begins with a first phrase of the theme's own file.
  PhraseList upper;
  upper.AssignFileBytes(ReadBytes(folder / PhraseFileNamesOf(kTheme).upper));
  std::set<std::wstring> firsts;
  for (std::size_t i = 0; i < upper.size(); ++i)
    firsts.insert(WideFromShiftJis(ShiftJisView(upper[i])));
  HWND list = tavlin.Control(kListBox1);
  std::vector<std::wstring> slogans;
  ASSERT_TRUE(WaitFor([&] {
    slogans = ListBoxItems(list);
    return slogans.size() == 5 &&
           std::all_of(slogans.begin(), slogans.end(), [&](const auto& s) {
             return firsts.count(s.substr(0, s.find(L' '))) > 0;
           });
  }));

  SendMessageW(list, LB_SETCURSEL, 0, 0);
  PostMessageW(list, WM_KEYDOWN, VK_RETURN, 1);
  ASSERT_TRUE(WaitFor([&] { return WindowText(box) == slogans[0] + L"\r\n"; }));
  tavlin.Close();
  EXPECT_EQ(ReadBytes(StorageFilePath(folder / "Tavlin.exe", kTheme)),
            ShiftJisFromWide(slogans[0]).bytes() + "\r\n");
  EXPECT_EQ(
      ReadBytes(StorageFilePath(folder / "Tavlin.exe", PhraseCategory::Safety)),
      "");
}

// The box is made late, but it shows what the file held, and a list never
// shown is written back as it was.
TEST(Themes, AThemesStoredSlogansShowWhenItsPageDoesAndStayAtExit) {
  TempFolder folder;
  CopyExamplePhraseFiles(folder.path());
  CopyExampleTheme(folder.path(), kTheme);
  const fs::path storage = StorageFilePath(folder / "Tavlin.exe", kTheme);
  const std::string kept = ShiftJisFromWide(L"一時停止\r\n確認よし").bytes();
  WriteBytes(storage, kept);
  for (const bool visit : {false, true}) {
    TavlinProcess tavlin(folder.path());
    tavlin.Start();
    if (visit) {
      SendMessageW(tavlin.Control(kPageControl1), TCM_SETCURSEL, 2, 0);
      PostMessageW(tavlin.Control(kPageControl1), WM_KEYDOWN, VK_LEFT, 1);
      PostMessageW(tavlin.Control(kPageControl1), WM_KEYDOWN, VK_RIGHT, 1);
      EXPECT_TRUE(WaitFor([&] {
        HWND box = tavlin.Control(kFirstExtraStorageBox);
        return box && WindowText(box) == L"一時停止\r\n確認よし";
      }));
    }
    tavlin.Close();
    EXPECT_EQ(ReadBytes(storage), kept) << "visited: " << visit;
  }
}

}  // namespace

}  // namespace tavlin
