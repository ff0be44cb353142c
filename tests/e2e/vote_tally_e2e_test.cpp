// The committee's loop on the real Tavlin.exe: the list goes out as a vote
// sheet, comes back filled in by two members' Excel (one as Unicode text
// with tabs, one as Shift-JIS CSV) beside a file that is no sheet, and is
// tallied through the storage box's menu; the winner becomes a poster.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <objbase.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e/poster_picture.h"
#include "e2e/tavlin_process.h"
#include "src/rhythm/reading_dictionary.h"
#include "src/storage/storage_file.h"
#include "src/ui/main_form_layout.h"
#include "src/ui/tally_form_layout.h"
#include "support/temp_folder.h"
#include "win32/system/shift_jis.h"
#include "win32/system/unique_handle_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

namespace fs = std::filesystem;

constexpr wchar_t kWinner[] = L"安全 今日も一日 ご安全に";
constexpr wchar_t kSafetyList[] =
    L"安全は 一人ひとりの 心がけ\r\n安全 今日も一日 ご安全に\r\n"
    L"確認しよう 今日の作業と 足もとを\r\n整理整頓 みんなで守る 無災害\r\n";

// A cell of a list view in another process: the list writes it into
// memory of its own process, as any message carrying a pointer across
// processes needs.
std::wstring ListViewCell(HWND list, int row, int column) {
  DWORD process_id = 0;
  GetWindowThreadProcessId(list, &process_id);
  const UniqueKernelObject process(
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                  FALSE, process_id));
  struct Asked {
    LVITEMW item;
    wchar_t text[512];
  } asked{};
  auto* there = static_cast<Asked*>(VirtualAllocEx(
      process.get(), nullptr, sizeof asked, MEM_COMMIT, PAGE_READWRITE));
  asked.item.iSubItem = column;
  asked.item.cchTextMax = 512;
  asked.item.pszText = there->text;
  WriteProcessMemory(process.get(), there, &asked, sizeof asked, nullptr);
  SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(there));
  ReadProcessMemory(process.get(), there, &asked, sizeof asked, nullptr);
  VirtualFreeEx(process.get(), there, 0, MEM_RELEASE);
  return asked.text;
}

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

// Rank, slogan and votes of each row, as "1 slogan 5".
std::vector<std::wstring> RankedRows(HWND list) {
  std::vector<std::wstring> rows;
  const LRESULT count = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
  for (int row = 0; row < count; ++row)
    rows.push_back(ListViewCell(list, row, 0) + L" " +
                   ListViewCell(list, row, 1) + L" " +
                   ListViewCell(list, row, 2));
  return rows;
}

// The exported sheet's rows below its heading, each as its cells.
std::vector<std::vector<std::wstring>> SheetRows(const std::string& csv) {
  std::vector<std::vector<std::wstring>> rows;
  std::wstring text = WideFromUtf8(csv.substr(3));  // past the mark
  for (std::size_t at = 0, end; (end = text.find(L"\r\n", at)) != text.npos;
       at = end + 2) {
    std::vector<std::wstring> cells(1);
    for (const wchar_t c : text.substr(at, end - at)) {
      if (c == L',')
        cells.emplace_back();
      else
        cells.back().push_back(c);
    }
    rows.push_back(cells);
  }
  return rows;
}

// The sheet with a vote in the last cell of the rows whose slogan is
// named, rows in reverse order, cells joined by separator.
std::wstring FilledSheet(std::vector<std::vector<std::wstring>> rows,
                         const std::vector<std::pair<int, std::wstring>>& votes,
                         wchar_t separator) {
  for (const auto& [number, vote] : votes) rows[number].back() = vote;
  std::reverse(rows.begin() + 1, rows.end());
  std::wstring sheet;
  for (const auto& row : rows) {
    for (std::size_t cell = 0; cell < row.size(); ++cell)
      sheet += (cell ? std::wstring(1, separator) : L"") + row[cell];
    sheet += L"\r\n";
  }
  return sheet;
}

class VoteTally : public testing::Test {
 protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    CopyExamplePhraseFiles(folder_.path());
    fs::copy_file(fs::path(TAVLIN_BUILT_READING_DICTIONARY).make_preferred(),
                  folder_ / kReadingDictionaryFileName);
    WriteBytes(StorageFilePath(tavlin_.executable(), u"安全"),
               ShiftJisFromWide(kSafetyList).bytes());
    fs::create_directory(sheets_);
    tavlin_.Start();
    box_ = tavlin_.Control(kMemSafe);
    // 音数 counted, in the sheet and the tally, once the meter is loaded.
    ASSERT_TRUE(WaitFor([&] {
      const auto rows = ListBoxItems(tavlin_.Control(kListBox1));
      return !rows.empty() && rows[0].find(L"（音数") != std::wstring::npos;
    }));
  }
  void TearDown() override {
    tavlin_.Close();
    CoUninitialize();
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

  // Types names into the open dialog's file name box and opens them.
  void OpenThroughDialog(const std::wstring& names) {
    const HWND dialog = tavlin_.WaitForWindow(L"#32770");
    const HWND name = GetDlgItem(dialog, 0x47c) ? GetDlgItem(dialog, 0x47c)
                                                : GetDlgItem(dialog, 0x480);
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(names.c_str()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  }

  TempFolder folder_;
  fs::path sheets_ = folder_ / L"委員会";
  TavlinProcess tavlin_{folder_.path()};
  HWND box_ = nullptr;
};

TEST_F(VoteTally, FilledSheetsAreRankedAndTheWinnerBecomesAPoster) {
  ChooseFromStorageMenu(L'e');  // 一覧表を書き出す(&E)...
  tavlin_.SaveThroughDialog(sheets_ / L"投票用.csv");
  std::string exported;
  ASSERT_TRUE(WaitFor([&] {
    exported = ReadSharingAll(sheets_ / L"投票用.csv").value_or("");
    return std::count(exported.begin(), exported.end(), '\n') == 5;
  }));
  const auto rows = SheetRows(exported);
  ASSERT_EQ(rows[2][1], kWinner);
  // Unicode text with tabs, UTF-16 with its mark, as Excel saves it.
  const std::wstring a =
      L"\uFEFF" + FilledSheet(rows, {{2, L"３"}, {1, L"○"}}, L'\t');
  WriteBytes(sheets_ / L"A.txt",
             std::string(reinterpret_cast<const char*>(a.data()),
                         a.size() * sizeof(wchar_t)));
  // CSV in Shift-JIS, with a slogan added and a vote that is none.
  auto added = rows;
  added.emplace_back(rows[0].size());
  added.back().front() = L"5";
  added.back()[1] = L"ヒヤリハット 出し合う職場";
  added.back().back() = L"1";
  const std::wstring b =
      FilledSheet(added, {{2, L"2票"}, {3, L"1"}, {4, L"たくさん"}}, L',');
  WriteBytes(sheets_ / L"B.csv", ShiftJisFromWide(b).bytes());
  WriteBytes(sheets_ / L"空.csv", "");

  // The menu's command: under Wine, a menu opened just after a dialog
  // closed may close again at once, before it can be chosen from.
  PostMessageW(tavlin_.MainWindow(), WM_COMMAND,
               MAKEWPARAM(kStorageVoteTally, 0), 0);
  // The dialog opens where the sheet went: the names alone find them.
  OpenThroughDialog(L"\"A.txt\" \"B.csv\" \"空.csv\"");
  const HWND tally = tavlin_.WaitForWindow(L"TavlinTallyForm");
  EXPECT_EQ(WindowText(tally), L"投票の集計 - 安全");
  EXPECT_EQ(WindowText(GetDlgItem(tally, kTallySummary)),
            L"2 枚の投票用紙から 4 句に 8 票（読めなかったファイル 1）");
  const HWND list = GetDlgItem(tally, kTallyList);
  EXPECT_EQ(
      RankedRows(list),
      (std::vector<std::wstring>{L"1 安全 今日も一日 ご安全に 5",
                                 L"2 安全は 一人ひとりの 心がけ 1",
                                 L"2 確認しよう 今日の作業と 足もとを 1",
                                 L"2 ヒヤリハット 出し合う職場（一覧にない） 1",
                                 L"5 整理整頓 みんなで守る 無災害 0"}));
  EXPECT_EQ(ListViewCell(list, 0, 3), L"2");
  EXPECT_NE(ListViewCell(list, 0, 4).find(L'・'), std::wstring::npos);
  const std::vector<std::wstring> problems =
      ListBoxItems(GetDlgItem(tally, kTallyProblems));
  EXPECT_EQ(problems, (std::vector<std::wstring>{
                          L"B.csv: 3 行目: 「たくさん」は票数として読めません",
                          L"空.csv: 空のファイルです"}));
  EXPECT_EQ(tavlin_.FocusedControl(), list);
  SetForegroundWindow(tally);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == tally; }));
  PressCtrlAnd('C');
  EXPECT_TRUE(WaitFor([] {
    return ClipboardText().starts_with(
        L"順位\t標語\t票数\t票を入れた人数\t音数\r\n1\t安全 今日も一日");
  }));

  // Enter on the winner, chosen as the window opens: its poster.
  PostMessageW(list, WM_KEYDOWN, VK_RETURN, 1);
  const HWND poster = tavlin_.WaitForWindow(L"TavlinPosterForm");
  SetForegroundWindow(poster);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == poster; }));
  PressCtrlAnd('S');
  tavlin_.SaveThroughDialog(folder_ / L"ポスター.png");
  ASSERT_TRUE(WaitFor([&] { return fs::exists(folder_ / L"ポスター.png"); }));
  // 安全, 今日も一日, ご安全に: two, five and four characters tall.
  const std::vector<InkColumn> columns =
      InkColumns(ReadPng(folder_ / L"ポスター.png"));
  ASSERT_EQ(columns.size(), 3u);
  const auto tall = [](const InkColumn& c) { return c.bottom - c.top; };
  EXPECT_LT(tall(columns[0]), tall(columns[2]));
  EXPECT_LT(tall(columns[2]), tall(columns[1]));
  PostMessageW(poster, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(poster); }));

  // Written out beside the sheets, under the vote sheet's name for a tally.
  PostMessageW(GetDlgItem(tally, kTallySave), BM_CLICK, 0, 0);
  const HWND dialog = tavlin_.WaitForWindow(L"#32770");
  const HWND name = GetDlgItem(dialog, 0x47c) ? GetDlgItem(dialog, 0x47c)
                                              : GetDlgItem(dialog, 0x480);
  EXPECT_TRUE(WindowText(name).starts_with(L"安全標語_集計_"));
  tavlin_.SaveThroughDialog(sheets_ / L"集計.csv");
  std::string csv;
  EXPECT_TRUE(WaitFor([&] {
    csv = ReadSharingAll(sheets_ / L"集計.csv").value_or("");
    return std::count(csv.begin(), csv.end(), '\n') == 6;
  }));
  // Its 音数 is counted, and 備考 says the list lacks it.
  const std::wstring written = WideFromUtf8(csv);
  const std::size_t row = written.find(L"\n2,ヒヤリハット 出し合う職場,1,1,");
  ASSERT_NE(row, std::wstring::npos) << csv;
  const std::wstring line =
      written.substr(row + 1, written.find(L'\r', row) - row - 1);
  EXPECT_TRUE(line.ends_with(L",一覧にない")) << csv;
  EXPECT_NE(line.find(L'・'), std::wstring::npos) << csv;

  // Esc closes it; the sheets and the list are as they were.
  PostMessageW(list, WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(tally); }));
  EXPECT_EQ(ReadBytes(sheets_ / L"B.csv"), ShiftJisFromWide(b).bytes());
  EXPECT_EQ(ReadBytes(StorageFilePath(tavlin_.executable(), u"安全")),
            ShiftJisFromWide(kSafetyList).bytes());

  // Ctrl+T in the main window asks for sheets as the menu does.
  const HWND main = tavlin_.MainWindow();
  SetForegroundWindow(main);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == main; }));
  PressCtrlAnd('T');
  const HWND asked = tavlin_.WaitForWindow(L"#32770");
  EXPECT_EQ(tavlin_.MessageBox(), nullptr);
  PostMessageW(asked, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(asked); }));
}

}  // namespace

}  // namespace tavlin
