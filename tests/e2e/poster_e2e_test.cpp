// From a slogan to the wall: the poster window saves a vertical poster as a
// PNG through the standard dialog and copies it as a picture, and a storage
// list goes out as the committee's vote sheet, on the real Tavlin.exe.
#include <windows.h>

#include <gtest/gtest.h>
#include <objbase.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "e2e/poster_picture.h"
#include "e2e/tavlin_process.h"
#include "src/platform/unicode_text.h"
#include "src/ui/main_form_layout.h"
#include "src/ui/poster_form_layout.h"
#include "src/ui/slogan_menu.h"
#include "src/ui/storage_menu.h"
#include "support/temp_folder.h"
#include "win32/system/unique_handle_win32.h"

namespace tavlin {

namespace {

class Poster : public testing::Test {
 protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    CopyExamplePhraseFiles(folder_.path());
    tavlin_.Start();
    box_ = tavlin_.Control(kMemSafe);
  }
  void TearDown() override {
    tavlin_.Close();
    CoUninitialize();
  }

  // The storage box holds text, with the caret on the given line.
  void FillStorageBox(const std::wstring& text, int caret_line) {
    SendMessageW(box_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    const LRESULT at = SendMessageW(box_, EM_LINEINDEX, caret_line, 0);
    SendMessageW(box_, EM_SETSEL, at + 1, at + 1);
  }

  // Opens the storage box's menu from the keyboard's menu key and chooses
  // an item by its access key.
  // The storage box's list written as a vote sheet through the menu and
  // the save dialog, as a user does; the sheet's bytes.
  std::string ExportVoteSheet() {
    ChooseFromStorageMenu(L'e');  // 一覧表を書き出す(&E)...
    const std::filesystem::path file = folder_.path() / L"投票.csv";
    tavlin_.SaveThroughDialog(file);
    // The whole sheet, not merely its name: every row ends in CR LF.
    std::string bytes;
    WaitFor([&] {
      std::ifstream in(file, std::ios::binary);
      bytes.assign(std::istreambuf_iterator<char>(in), {});
      return bytes.size() >= 2 &&
             bytes.compare(bytes.size() - 2, 2, "\r\n") == 0;
    });
    return bytes;
  }
  void ChooseFromStorageMenu(wchar_t access_key) {
    PostMessageW(box_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(box_), -1);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor([&] {
      menu = FindWindowW(L"#32768", nullptr);
      return menu && IsWindowVisible(menu);
    }));
    PostMessageW(menu, WM_CHAR, access_key, 1);
  }

  TempFolder folder_;
  TavlinProcess tavlin_{folder_.path()};
  HWND box_ = nullptr;
};

TEST_F(Poster, AStoredLineBecomesAVerticalPngOfItsPartsRightToLeft) {
  FillStorageBox(L"ゼロ災 でいこう\r\n安全 今日も一日 ご安全に\r\n", 1);
  ChooseFromStorageMenu(L'o');  // ポスターを作成(&O)...
  const HWND poster = tavlin_.WaitForWindow(L"TavlinPosterForm");
  SendMessageW(GetDlgItem(poster, kPosterFooter), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(L"全国安全週間"));
  SaveScreenshot(
      poster, std::filesystem::path(TAVLIN_SCREENSHOT_FOLDER) / "poster.png");
  // The foot line stands below the columns and would join them into one
  // run of ink: the file is checked without it.
  SendMessageW(GetDlgItem(poster, kPosterFooter), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(L""));
  // Saved from the keyboard, as the menu was opened.
  SetForegroundWindow(poster);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == poster; }));
  PressCtrlAnd('S');
  const std::filesystem::path file = folder_.path() / L"ポスター.png";
  tavlin_.SaveThroughDialog(file);
  ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(file); }));

  const Picture picture = ReadPng(file);
  EXPECT_EQ(picture.width, 2480u);
  EXPECT_EQ(picture.height, 3508u);
  EXPECT_NEAR(picture.dpi, 300.0, 0.5);
  const std::vector<InkColumn> columns = InkColumns(picture);
  // 安全, 今日も一日, ご安全に: two, five and four characters tall, the first
  // on the right.
  ASSERT_EQ(columns.size(), 3u);
  const auto tall = [](const InkColumn& c) { return c.bottom - c.top; };
  EXPECT_LT(tall(columns[0]), tall(columns[2]));
  EXPECT_LT(tall(columns[2]), tall(columns[1]));
  EXPECT_NEAR(static_cast<double>(tall(columns[1])) / tall(columns[0]), 2.5,
              0.5);
  PostMessageW(poster, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(poster); }));
}

TEST_F(Poster, CtrlCInThePosterWindowCopiesAPicture) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  SendMessageW(tavlin_.Control(kListBox1), LB_SETCURSEL, 0, 0);
  PostMessageW(tavlin_.MainWindow(), WM_COMMAND, kMenuPoster, 0);
  const HWND poster = tavlin_.WaitForWindow(L"TavlinPosterForm");
  SetForegroundWindow(poster);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == poster; }));
  PressCtrlAnd('C');
  EXPECT_TRUE(WaitFor([] { return IsClipboardFormatAvailable(CF_DIB) != 0; }));
  // Esc closes the window, as it does a dialog box.
  PostMessageW(GetDlgItem(poster, kPosterFooter), WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(poster); }));
}

TEST_F(Poster, ACtrlSWhoseSaveFailsIsReportedAndThePosterStays) {
  // Another program holds the file open, unshared: it cannot be replaced.
  const std::filesystem::path file = folder_.path() / L"使用中.png";
  WriteBytes(file, "held");
  UniqueFileHandle held(CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held);
  SendMessageW(tavlin_.Control(kListBox1), LB_SETCURSEL, 0, 0);
  PostMessageW(tavlin_.MainWindow(), WM_COMMAND, kMenuPoster, 0);
  const HWND poster = tavlin_.WaitForWindow(L"TavlinPosterForm");
  const HWND footer = GetDlgItem(poster, kPosterFooter);
  SendMessageW(footer, WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(L"全国安全週間"));
  SetForegroundWindow(poster);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == poster; }));
  PressCtrlAnd('S');
  const HWND dialog = tavlin_.WaitForWindow(L"#32770");
  SendMessageW(GetDlgItem(dialog, 0x47c) ? GetDlgItem(dialog, 0x47c)
                                         : GetDlgItem(dialog, 0x480),
               WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  // The question whether to replace the file: yes.
  HWND question = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (question = tavlin_.MessageBox()); }));
  PostMessageW(question, WM_COMMAND, IDYES, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
  EXPECT_NE(tavlin_.DismissMessageBox().find(file.wstring()),
            std::wstring::npos);
  EXPECT_TRUE(IsWindow(poster));
  EXPECT_EQ(WindowText(footer), L"全国安全週間");
  held.reset();
  EXPECT_EQ(ReadBytes(file), "held");
  PostMessageW(poster, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(poster); }));
}

TEST_F(Poster, TheVoteSheetIsTheListAsCsvForExcel) {
  // The limit set beside the program: ten characters.
  std::ofstream(folder_.path() / L"Tavlin.ini")
      << "[VoteSheet]\r\nMaxCharacters=10\r\n";
  FillStorageBox(
      L"安全は 一人ひとりの 心がけ\r\n\r\n指差し呼称、ヨシ！\r\n"
      L"=危険 予知\r\n安全は一人ひとりの心がけ\r\n",
      0);
  const std::string bytes = ExportVoteSheet();
  const std::string expected =
      "\xEF\xBB\xBF" +
      Utf8FromU16(
          u"番号,標語,文字数,判定,投票\r\n"
          u"1,安全は 一人ひとりの 心がけ,12,字数超過、重複（4番）,\r\n"
          u"2,指差し呼称、ヨシ！,9,記号あり（、！）,\r\n"
          u"3,'=危険 予知,5,記号あり（=）,\r\n"
          u"4,安全は一人ひとりの心がけ,12,字数超過、重複（1番）,\r\n");
  EXPECT_EQ(bytes, expected);
}

// The same slogan over and over: the sheet grows with the list, not with
// its square, and is written whole.
TEST_F(Poster, AVoteSheetOfOneSloganRepeatedIsLinear) {
  constexpr int kRows = 20'000;
  std::wstring list;
  for (int row = 0; row < kRows; ++row) list += L"安全第一\r\n";
  FillStorageBox(list, 0);
  const std::string bytes = ExportVoteSheet();
  // A row: its number, the slogan, its count, one other row, the vote.
  EXPECT_LT(bytes.size(), static_cast<std::size_t>(kRows) * 80);
  EXPECT_NE(bytes.find(Utf8FromU16(u"20000,安全第一,4,重複（1番）,\r\n")),
            std::string::npos);
}

}  // namespace

}  // namespace tavlin
