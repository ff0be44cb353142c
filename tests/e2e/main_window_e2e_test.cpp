// The real Tavlin.exe, started beside the example phrase files and worked
// through its controls from this process.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "e2e/tavlin_process.h"
#include "src/slogan/phrase_list.h"
#include "src/slogan/slogan_generator.h"
#include "src/storage/storage_file.h"
#include "src/ui/main_form_layout.h"
#include "support/file_faults.h"
#include "support/temp_folder.h"
#include "win32/system/shift_jis.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace fs = std::filesystem;

namespace {

const std::wstring kCaption = L"Tavlin Ver.0.9.11.29 - MainForm";

std::set<std::wstring> PhrasesIn(const fs::path& file) {
  PhraseList list;
  list.AssignFileBytes(ReadBytes(file));
  std::set<std::wstring> phrases;
  for (std::size_t i = 0; i < list.size(); ++i)
    phrases.insert(WideFromShiftJis(ShiftJisView(list[i])));
  return phrases;
}

class MainWindow : public testing::Test {
 protected:
  void SetUp() override { CopyExamplePhraseFiles(folder_.path()); }

  // Every slogan is a first, middle and last phrase of the theme's files.
  bool AllFromTheme(const std::vector<std::wstring>& slogans,
                    PhraseCategory category) {
    const PhraseFileNames names = PhraseFileNamesOf(category);
    const auto upper = PhrasesIn(folder_ / names.upper);
    const auto middle = PhrasesIn(folder_ / names.middle);
    const auto lower = PhrasesIn(folder_ / names.lower);
    if (slogans.size() != kSlogansPerGeneration) return false;
    return std::all_of(slogans.begin(), slogans.end(), [&](const auto& s) {
      const std::size_t first = s.find(L' ');
      const std::size_t second = s.find(L' ', first + 1);
      return second != std::wstring::npos && upper.count(s.substr(0, first)) &&
             middle.count(s.substr(first + 1, second - first - 1)) &&
             lower.count(s.substr(second + 1));
    });
  }

  std::vector<std::wstring> Slogans(TavlinProcess& tavlin) {
    return ListBoxItems(tavlin.Control(kListBox1));
  }

  void PressKey(HWND window, WPARAM key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 0xC0000001);
  }

  fs::path StorageFile(PhraseCategory category,
                       const std::wstring& program = L"Tavlin.exe") {
    return StorageFilePath(folder_ / program, category);
  }

  TempFolder folder_;
};

TEST_F(MainWindow, StartsWithItsCaptionAndFiveSafetySlogans) {
  TavlinProcess tavlin(folder_.path());
  tavlin.Start();
  HWND window = tavlin.MainWindow();
  EXPECT_EQ(WindowText(window), kCaption);
  EXPECT_TRUE(AllFromTheme(Slogans(tavlin), PhraseCategory::Safety));
  EXPECT_TRUE(IsWindowVisible(tavlin.Control(kMemSafe)));
  EXPECT_FALSE(IsWindowVisible(tavlin.Control(kMemQuality)));
  EXPECT_EQ(WindowText(tavlin.Control(kBitBtn1)), L"標　語　作　成");
  EXPECT_EQ(WindowText(tavlin.Control(kBitBtn2)), L"バージョン");
  EXPECT_EQ(WindowText(tavlin.Control(kPanel1)),
            L"▼ダブルクリックで保管庫にコピー");
  EXPECT_EQ(tavlin.MessageBox(), nullptr);
  tavlin.Close();
}

TEST_F(MainWindow, ControlsSitWhereTheLayoutPutsThem) {
  TavlinProcess tavlin(folder_.path());
  tavlin.Start();
  HWND window = tavlin.MainWindow();
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, kMainFormClientSize.width);
  EXPECT_EQ(client.bottom, kMainFormClientSize.height);
  for (const ControlLayout& layout : kMainFormLayout) {
    RECT bounds;
    GetWindowRect(tavlin.Control(layout.id), &bounds);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&bounds), 2);
    EXPECT_EQ(bounds.left, layout.rect.left) << layout.id;
    EXPECT_EQ(bounds.top, layout.rect.top) << layout.id;
    EXPECT_EQ(bounds.right - bounds.left, layout.rect.width) << layout.id;
    EXPECT_EQ(bounds.bottom - bounds.top, layout.rect.height) << layout.id;
  }
  EXPECT_EQ(SendMessageW(tavlin.Control(kListBox1), LB_GETITEMHEIGHT, 0, 0),
            kSloganRowHeight);
  SaveScreenshot(window,
                 fs::path(TAVLIN_SCREENSHOT_FOLDER) / "main_window.png");

  // Wider and taller: the list and the boxes stretch, the version button
  // follows the right edge, the generate button stays.
  RECT outer;
  GetWindowRect(window, &outer);
  SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + 100,
               outer.bottom - outer.top + 50, SWP_NOMOVE | SWP_NOZORDER);
  WaitFor([&] {
    RECT list;
    GetWindowRect(tavlin.Control(kListBox1), &list);
    return list.right - list.left == 450;
  });
  RECT list, version, generate;
  GetWindowRect(tavlin.Control(kListBox1), &list);
  GetWindowRect(tavlin.Control(kBitBtn2), &version);
  GetWindowRect(tavlin.Control(kBitBtn1), &generate);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&version), 2);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&generate), 2);
  EXPECT_EQ(list.right - list.left, 450);
  EXPECT_EQ(list.bottom - list.top, 169);
  EXPECT_EQ(version.left, 387);
  EXPECT_EQ(generate.left, 12);
  tavlin.Close();
}

TEST_F(MainWindow, TabWalksTheControlsInTheirOrder) {
  TavlinProcess tavlin(folder_.path());
  tavlin.Start();
  tavlin.MainWindow();
  const int order[] = {kPageControl1, kMemSafe,  kBitBtn1,
                       kBitBtn2,      kListBox1, kPageControl1};
  for (const int id : order) {
    EXPECT_TRUE(WaitFor([&] {
      return tavlin.FocusedControl() == tavlin.Control(id);
    })) << "focus did not reach control "
        << id;
    PressKey(tavlin.FocusedControl(), VK_TAB);
  }
  tavlin.Close();
}

TEST_F(MainWindow, StartsMaximisedWhenAskedTo) {
  TavlinProcess tavlin(folder_.path());
  tavlin.Start(SW_SHOWMAXIMIZED);
  EXPECT_TRUE(IsZoomed(tavlin.MainWindow()));
  tavlin.Close();
}

TEST_F(MainWindow, LargeStorageFilesLoadWhole) {
  std::string large;
  while (large.size() < 3'000'000)
    large += "\x88\xC0\x91\x53 slogan " + std::to_string(large.size()) + "\r\n";
  large.resize(large.size() - 2);
  WriteBytes(StorageFile(PhraseCategory::Safety), large);
  TavlinProcess tavlin(folder_.path());
  tavlin.Start();
  EXPECT_EQ(WindowText(tavlin.Control(kMemSafe)),
            WideFromShiftJis(ShiftJisView(large)));
  EXPECT_EQ(tavlin.MessageBox(), nullptr);
  tavlin.Close();
  EXPECT_EQ(ReadBytes(StorageFile(PhraseCategory::Safety)), large);
}

TEST_F(MainWindow, PagesGenerateFromTheirOwnTheme) {
  TavlinProcess tavlin(folder_.path());
  tavlin.Start();
  HWND tabs = tavlin.Control(kPageControl1);
  PressKey(tabs, VK_RIGHT);
  EXPECT_TRUE(WaitFor(
      [&] { return AllFromTheme(Slogans(tavlin), PhraseCategory::Quality); }));
  EXPECT_TRUE(IsWindowVisible(tavlin.Control(kMemQuality)));
  EXPECT_FALSE(IsWindowVisible(tavlin.Control(kMemSafe)));
  PressKey(tabs, VK_LEFT);
  EXPECT_TRUE(WaitFor(
      [&] { return AllFromTheme(Slogans(tavlin), PhraseCategory::Safety); }));
  tavlin.Close();
}

TEST_F(MainWindow, TheGenerateButtonReadsThePhraseFilesAgain) {
  TavlinProcess tavlin(folder_.path());
  tavlin.Start();
  ASSERT_EQ(Slogans(tavlin).size(), 5u);
  WriteBytes(folder_ / PhraseFileNamesOf(PhraseCategory::Safety).upper,
             " \r\n");
  SendMessageW(tavlin.Control(kBitBtn1), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return Slogans(tavlin).empty(); }));
  tavlin.Close();
}

TEST_F(MainWindow, ADoubleClickStoresTheSloganInTheActivePageAndExitSavesIt) {
  TavlinProcess tavlin(folder_.path());
  tavlin.Start();
  PressKey(tavlin.Control(kPageControl1), VK_RIGHT);
  ASSERT_TRUE(WaitFor(
      [&] { return AllFromTheme(Slogans(tavlin), PhraseCategory::Quality); }));
  const std::wstring slogan = Slogans(tavlin)[2];
  tavlin.DoubleClickSlogan(2);
  EXPECT_TRUE(WaitFor([&] {
    return WindowText(tavlin.Control(kMemQuality)) == slogan + L"\r\n";
  }));
  EXPECT_EQ(WindowText(tavlin.Control(kMemSafe)), L"");

  // Storing it again moves it, and nothing else changes.
  tavlin.DoubleClickSlogan(2);
  tavlin.WaitForPostedSloganInput();
  EXPECT_EQ(WindowText(tavlin.Control(kMemQuality)), slogan + L"\r\n");

  tavlin.Close();
  EXPECT_EQ(ReadBytes(StorageFile(PhraseCategory::Quality)),
            ShiftJisFromWide(slogan).bytes() + "\r\n");
  EXPECT_EQ(ReadBytes(StorageFile(PhraseCategory::Safety)), "");
}

TEST_F(MainWindow, AMissingPhraseFileMeansNoSlogansAndNoMessage) {
  fs::remove(folder_ / PhraseFileNamesOf(PhraseCategory::Safety).middle);
  TavlinProcess tavlin(folder_.path());
  tavlin.Start();
  tavlin.MainWindow();
  EXPECT_TRUE(Slogans(tavlin).empty());
  EXPECT_EQ(tavlin.MessageBox(), nullptr);
  tavlin.Close();
}

TEST_F(MainWindow, MissingStorageFilesAreCreatedAtExit) {
  TavlinProcess tavlin(folder_.path());
  tavlin.Start();
  tavlin.Close();
  EXPECT_EQ(ReadBytes(StorageFile(PhraseCategory::Safety)), "");
  EXPECT_EQ(ReadBytes(StorageFile(PhraseCategory::Quality)), "");
}

TEST_F(MainWindow, WhatIsTypedIsSavedInShiftJis) {
  TavlinProcess tavlin(folder_.path());
  tavlin.Start();
  HWND memo = tavlin.Control(kMemSafe);
  for (const wchar_t c : std::wstring(L"手入力\rABC"))
    PostMessageW(memo, WM_CHAR, c, 1);
  ASSERT_TRUE(WaitFor([&] { return WindowText(memo) == L"手入力\r\nABC"; }));
  tavlin.Close();
  EXPECT_EQ(ReadBytes(StorageFile(PhraseCategory::Safety)),
            ShiftJisFromWide(L"手入力\r\nABC").bytes());
}

TEST_F(MainWindow, TextThatShiftJisCannotHoldMakesTheListUtf8) {
  TavlinProcess tavlin(folder_.path());
  tavlin.Start();
  const std::wstring text = L"安全 \uD55C\uAD6D \U0001F600";  // 한국 😀
  SendMessageW(tavlin.Control(kMemSafe), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(text.c_str()));
  tavlin.Close();
  const fs::path safety = StorageFile(PhraseCategory::Safety);
  EXPECT_EQ(ReadBytes(safety), "\xEF\xBB\xBF" + Utf8FromWide(text));
  EXPECT_FALSE(fs::exists(UnicodeStorageCopyPath(safety)));
}

// Windows ends a session without destroying the windows: the lists are
// saved when it says so.
TEST_F(MainWindow, TheEndOfTheSessionSavesTheLists) {
  TavlinProcess tavlin(folder_.path());
  tavlin.Start();
  HWND memo = tavlin.Control(kMemQuality);
  SendMessageW(memo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"残す"));
  EXPECT_EQ(SendMessageW(tavlin.MainWindow(), WM_QUERYENDSESSION, 0, 0), TRUE);
  SendMessageW(tavlin.MainWindow(), WM_ENDSESSION, TRUE, 0);
  tavlin.Kill();
  EXPECT_EQ(ReadBytes(StorageFile(PhraseCategory::Quality)),
            ShiftJisFromWide(L"残す").bytes());
  EXPECT_EQ(ReadBytes(StorageFile(PhraseCategory::Safety)), "");
}

TEST_F(MainWindow, StorageFilesRoundTripAsTheyLoad) {
  WriteBytes(StorageFile(PhraseCategory::Safety),
             " \r\n\r\nX\r\n\r\nY\r\n\r\n");
  // ideographic space, 安全 and a lone line feed
  WriteBytes(StorageFile(PhraseCategory::Quality),
             "\x81\x40\x88\xC0\x91\x53\nZ\n\n");
  TavlinProcess tavlin(folder_.path());
  tavlin.Start();
  EXPECT_EQ(WindowText(tavlin.Control(kMemSafe)), L"X\r\n\r\nY");
  tavlin.Close();
  EXPECT_EQ(ReadBytes(StorageFile(PhraseCategory::Safety)), "X\r\n\r\nY");
  EXPECT_EQ(ReadBytes(StorageFile(PhraseCategory::Quality)),
            "\x81\x40\x88\xC0\x91\x53\r\nZ");
}

TEST_F(MainWindow, TheTitleComesFromTheProgramsFileName) {
  const std::pair<std::wstring, std::wstring> rows[] = {
      {L"TAVLIN.EXE", L"Tavlin Ver.0.9.11.29 - MainForm"},
      {L"My.Tool.exe", L"My Ver.0.9.11.29 - MainForm"},
  };
  for (const auto& [program, caption] : rows) {
    TavlinProcess tavlin(folder_.path(), program);
    tavlin.Start();
    EXPECT_EQ(WindowText(tavlin.MainWindow()), caption);
    tavlin.Close();
    EXPECT_TRUE(fs::exists(StorageFile(PhraseCategory::Safety, program)));
  }
}

TEST_F(MainWindow, AStorageFileThatCannotBeReadIsNeverOverwritten) {
  const fs::path safety = StorageFile(PhraseCategory::Safety);
  WriteBytes(safety, "precious");
  TavlinProcess tavlin(folder_.path());
  auto held = MakeUnreadable(safety);
  tavlin.Start();
  EXPECT_EQ(tavlin.DismissMessageBox(),
            L"ファイル " + safety.wstring() + L" は開けません.");
  // The rest of the start still ran.
  EXPECT_TRUE(AllFromTheme(Slogans(tavlin), PhraseCategory::Safety));
  const std::wstring slogan = Slogans(tavlin)[0];
  tavlin.DoubleClickSlogan(0);
  // Stored, the list goes beside the file at once, and the user is told
  // in a balloon: no message box stands in the way of the next save.
  EXPECT_TRUE(
      WaitFor([&] { return fs::exists(DivertedStorageFilePath(safety, 1)); }));
  EXPECT_TRUE(tavlin.ShowsBalloonWith(
      DivertedStorageFilePath(safety, 1).filename().wstring()));
  EXPECT_EQ(tavlin.MessageBox(), nullptr);
  EXPECT_EQ(WindowText(tavlin.Control(kMemSafe)), slogan + L"\r\n");
  EXPECT_TRUE(tavlin.CloseThroughReports().empty());
  held.reset();
  EXPECT_EQ(ReadBytes(safety), "precious");
  EXPECT_EQ(ReadBytes(DivertedStorageFilePath(safety, 1)),
            ShiftJisFromWide(slogan).bytes() + "\r\n");
}

}  // namespace

}  // namespace tavlin
