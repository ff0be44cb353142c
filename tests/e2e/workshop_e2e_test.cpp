// The phrase workshop on the real Tavlin.exe, driven as a screen reader or
// UI automation would: it opens on Ctrl+E with the theme's three files in
// its boxes, counts what is typed, keeps the files on disk as they are
// typed, merges another writer, and the next generation draws from them;
// its samples are drawn from the boxes and lead to their lines.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <sstream>

#include "e2e/tavlin_process.h"
#include "src/rhythm/reading_dictionary.h"
#include "src/ui/main_form_ids.h"
#include "src/ui/workshop_layout.h"
#include "support/file_faults.h"
#include "support/temp_folder.h"
#include "win32/system/shift_jis.h"

namespace tavlin {

namespace {

namespace fs = std::filesystem;

// Where the whole line phrase lies in a box's text, its break left out.
std::pair<DWORD, DWORD> RangeOfLine(const std::wstring& text,
                                    const std::wstring& phrase) {
  for (std::size_t begin = 0; begin <= text.size();) {
    const std::size_t end = std::min(text.find(L"\r\n", begin), text.size());
    if (text.compare(begin, end - begin, phrase) == 0)
      return {static_cast<DWORD>(begin), static_cast<DWORD>(end)};
    begin = end + 2;
  }
  return {0, 0};
}

constexpr const wchar_t* kFiles[] = {L"安全上.txt", L"安全中.txt",
                                     L"安全下.txt"};

std::string ShiftJis(const std::wstring& text) {
  return std::string(ShiftJisFromWide(text).bytes());
}

class Workshop : public testing::Test {
 protected:
  void SetUp() override {
    CopyExamplePhraseFiles(folder_.path());
    fs::copy_file(fs::path(TAVLIN_BUILT_READING_DICTIONARY).make_preferred(),
                  folder_ / kReadingDictionaryFileName);
    tavlin_.Start();
    // The meter is read once the first slogans show.
    ASSERT_TRUE(WaitFor([&] {
      const std::vector<std::wstring> rows =
          ListBoxItems(tavlin_.Control(kListBox1));
      return !rows.empty() && rows[0].find(L"（音数") != std::wstring::npos;
    }));
  }
  void TearDown() override {
    if (!tavlin_.HasExited()) tavlin_.Close();
  }

  HWND Open() {
    PostMessageW(tavlin_.MainWindow(), WM_COMMAND,
                 MAKEWPARAM(kMenuEditPhrases, 0), 0);
    return workshop_ = tavlin_.WaitForWindow(L"TavlinWorkshopForm");
  }
  HWND Box(std::size_t column) const {
    return GetDlgItem(workshop_, WorkshopBoxId(column));
  }
  std::wstring MarginOf(std::size_t column) const {
    return WindowText(GetDlgItem(workshop_, WorkshopMarginId(column)));
  }
  std::wstring Foot() const {
    return WindowText(GetDlgItem(workshop_, kWorkshopFoot));
  }
  std::vector<std::wstring> Samples() const {
    return ListBoxItems(GetDlgItem(workshop_, kWorkshopSamples));
  }
  // Five samples, each of three phrases of boxes, upper, middle, lower:
  // what the list shows once it has drawn from them.
  bool SamplesDrawFrom(const std::array<std::vector<std::wstring>, 3>& boxes,
                       bool counted = true) const {
    const std::vector<std::wstring> samples = Samples();
    return samples.size() == 5 &&
           std::all_of(samples.begin(), samples.end(), [&](const auto& row) {
             const std::array<std::wstring, 3> parts = PartsOf(row);
             for (std::size_t place = 0; place < 3; ++place)
               if (std::find(boxes[place].begin(), boxes[place].end(),
                             parts[place]) == boxes[place].end())
                 return false;
             return (row.find(L"\u3000（音数 ") != std::wstring::npos) ==
                    counted;
           });
  }
  // A sample's three parts: its text up to its figures, split at spaces.
  static std::array<std::wstring, 3> PartsOf(const std::wstring& row) {
    std::wistringstream slogan(row.substr(0, row.find(L'\u3000')));
    std::array<std::wstring, 3> parts;
    for (std::wstring& part : parts) slogan >> part;
    return parts;
  }
  // As the keyboard types: at the end of the box, which reports the change.
  void TypeAtEnd(std::size_t column, const std::wstring& text) {
    const LRESULT end = SendMessageW(Box(column), WM_GETTEXTLENGTH, 0, 0);
    SendMessageW(Box(column), EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageW(Box(column), EM_REPLACESEL, TRUE,
                 reinterpret_cast<LPARAM>(text.c_str()));
  }
  void Replace(std::size_t column, const std::wstring& text) {
    SendMessageW(Box(column), EM_SETSEL, 0, -1);
    SendMessageW(Box(column), EM_REPLACESEL, TRUE,
                 reinterpret_cast<LPARAM>(text.c_str()));
  }
  // Esc closes it, every file saved.
  void CloseWorkshop() {
    PostMessageW(Box(0), WM_KEYDOWN, VK_ESCAPE, 1);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(workshop_); }));
  }
  fs::path File(std::size_t column) const { return folder_ / kFiles[column]; }

  TempFolder folder_;
  TavlinProcess tavlin_{folder_.path()};
  HWND workshop_ = nullptr;
};

TEST_F(Workshop, OpensOnCtrlEWithTheThemesThreeFilesAndCountsWhatIsTyped) {
  SetForegroundWindow(tavlin_.MainWindow());
  PressCtrlAnd('E');
  workshop_ = tavlin_.WaitForWindow(L"TavlinWorkshopForm");
  EXPECT_EQ(WindowText(workshop_), L"語句の編集 - 安全");
  for (std::size_t column = 0; column < 3; ++column) {
    std::wstring shown = WindowText(Box(column));
    EXPECT_TRUE(FileHolds(File(column), ShiftJis(shown))) << column;
  }
  const std::wstring foot = Foot();
  EXPECT_NE(foot.find(L"五・七・五になる標語: "), std::wstring::npos) << foot;
  const std::wstring typed[] = {L"\r\nあさひさす", L"\r\nしずかなみなとに",
                                L"\r\nきょうもぶじ"};
  for (std::size_t column = 0; column < 3; ++column) {
    TypeAtEnd(column, typed[column]);
    // A line of the margin for each line the box shows.
    const std::wstring count = column == 1 ? L"\r\n▲8\r\n" : L"\r\n5\r\n";
    EXPECT_TRUE(WaitFor([&] { return MarginOf(column).ends_with(count); }))
        << column << ": " << testing::PrintToString(MarginOf(column));
  }
  EXPECT_NE(Foot(), foot);
  CloseWorkshop();
  for (std::size_t column = 0; column < 3; ++column)
    EXPECT_TRUE(FileHolds(File(column), ShiftJis(typed[column])));
}

TEST_F(Workshop, TheMarginShowsTheLinesTheBoxShowsAsItScrolls) {
  Open();
  std::wstring lines;  // line n has n morae
  for (int line = 1; line <= 60; ++line)
    lines += std::wstring(static_cast<std::size_t>(line), L'か') + L"\r\n";
  Replace(0, lines);
  SendMessageW(Box(0), EM_SETSEL, 0, 0);
  SendMessageW(Box(0), EM_SCROLLCARET, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return MarginOf(0).starts_with(L"▲1\r\n"); }));
  SendMessageW(Box(0), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 20), 0);
  const LRESULT first = SendMessageW(Box(0), EM_GETFIRSTVISIBLELINE, 0, 0);
  ASSERT_GT(first, 0);
  const std::wstring expected =
      (first + 1 == 5 ? L"" : L"▲") + std::to_wstring(first + 1) + L"\r\n";
  EXPECT_TRUE(WaitFor([&] { return MarginOf(0).starts_with(expected); }))
      << testing::PrintToString(MarginOf(0).substr(0, 20));
}

TEST_F(Workshop, ABoxsMenuIsTheJapaneseTextBoxMenu) {
  Open();
  PostMessageW(Box(2), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Box(2)), -1);
  HWND menu = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    menu = FindWindowW(L"#32768", nullptr);
    return menu && IsWindowVisible(menu);
  }));
  PostMessageW(menu, WM_CHAR, L'a', 1);  // すべて選択(&A)
  const LRESULT length = SendMessageW(Box(2), WM_GETTEXTLENGTH, 0, 0);
  EXPECT_TRUE(WaitFor([&] {
    DWORD start = 1, end = 0;
    SendMessageW(Box(2), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return start == 0 && end == static_cast<DWORD>(length);
  }));
}

TEST_F(Workshop, TheNextGenerationDrawsFromWhatWasWritten) {
  Open();
  Replace(0, L"あさひさす");
  Replace(1, L"みなとにふねが");
  Replace(2, L"きょうもぶじ");
  EXPECT_TRUE(WaitFor([&] {
    return Foot() == L"五・七・五になる標語: 1 / 1（100%）";
  })) << testing::PrintToString(Foot());
  CloseWorkshop();
  EXPECT_EQ(ReadBytes(File(1)), ShiftJis(L"みなとにふねが"));
  PostMessageW(tavlin_.Control(kBitBtn1), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([&] {
    const std::vector<std::wstring> rows =
        ListBoxItems(tavlin_.Control(kListBox1));
    return rows.size() == 5 &&
           std::all_of(rows.begin(), rows.end(), [](const std::wstring& row) {
             return row.starts_with(L"あさひさす みなとにふねが きょうもぶじ");
           });
  })) << testing::PrintToString(ListBoxItems(tavlin_.Control(kListBox1)));
}

TEST_F(Workshop, AnotherWritersLineIsMergedWithWhatIsTyped) {
  Open();
  const std::string theirs = ReadBytes(File(2)) + ShiftJis(L"ほかの人の句\r\n");
  WriteBytes(File(2), theirs);
  TypeAtEnd(2, L"\r\nわたしの句");
  CloseWorkshop();
  const std::string merged = ReadBytes(File(2));
  EXPECT_NE(merged.find(ShiftJis(L"ほかの人の句")), std::string::npos);
  EXPECT_NE(merged.find(ShiftJis(L"わたしの句")), std::string::npos);
}

TEST_F(Workshop, AFileHeldByAnotherProgramKeepsItsBytesAndTheTextGoesBeside) {
  Open();
  const std::string before = ReadBytes(File(1));
  bool holds = false;
  const auto held = HoldOpen(File(1), holds);
  ASSERT_TRUE(holds);
  TypeAtEnd(1, L"\r\nしずかなみなとに");
  PostMessageW(Box(0), WM_KEYDOWN, VK_ESCAPE, 1);
  const std::wstring report = tavlin_.DismissMessageBox();
  EXPECT_NE(report.find(File(1).wstring()), std::wstring::npos) << report;
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(workshop_); }));
  EXPECT_EQ(ReadBytes(File(1)), before);
}

TEST_F(Workshop, ANewThemeGetsItsThreeFilesAndItsPage) {
  Open();
  HWND tabs = tavlin_.Control(kPageControl1);
  const LRESULT pages = SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0);
  PostMessageW(GetDlgItem(workshop_, kWorkshopNewTheme), BM_CLICK, 0, 0);
  HWND ask = tavlin_.WaitForWindow(L"TavlinThemeNameForm");
  HWND name = FindWindowExW(ask, nullptr, L"Edit", nullptr);
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"衛/生"));
  PostMessageW(GetDlgItem(ask, IDOK), BM_CLICK, 0, 0);
  EXPECT_NE(tavlin_.DismissMessageBox().find(L"「/」"), std::wstring::npos);
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"衛生"));
  PostMessageW(GetDlgItem(ask, IDOK), BM_CLICK, 0, 0);
  EXPECT_TRUE(
      WaitFor([&] { return WindowText(workshop_) == L"語句の編集 - 衛生"; }));
  for (const wchar_t* file : {L"衛生上.txt", L"衛生中.txt", L"衛生下.txt"})
    EXPECT_TRUE(FileHolds(folder_ / file, "")) << fs::path(file).string();
  EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), pages + 1);
  CloseWorkshop();
}

TEST_F(Workshop, SamplesAreDrawnFromTheBoxesAndFollowAnEditAndTheButton) {
  Open();
  std::array<std::vector<std::wstring>, 3> boxes;
  for (std::size_t column = 0; column < 3; ++column) {
    std::wistringstream lines(WindowText(Box(column)));
    for (std::wstring line; lines >> line;) boxes[column].push_back(line);
  }
  ASSERT_TRUE(WaitFor([&] { return SamplesDrawFrom(boxes); }))
      << testing::PrintToString(Samples());
  // Another draw of the same lines.
  const std::vector<std::wstring> first = Samples();
  PostMessageW(GetDlgItem(workshop_, kWorkshopMakeSamples), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return SamplesDrawFrom(boxes) && Samples() != first; }));
  // Once typing stops, the samples take the box's new line.
  Replace(2, L"\r\n  \r\nきょうもぶじ\r\n");
  boxes[2] = {L"きょうもぶじ"};
  EXPECT_TRUE(WaitFor([&] { return SamplesDrawFrom(boxes); }))
      << testing::PrintToString(Samples());
  // An empty box: no samples, and one line says why.
  Replace(1, L"");
  EXPECT_TRUE(WaitFor([&] {
    return Samples().empty() &&
           WindowText(GetDlgItem(workshop_, kWorkshopSamplesWhy)) ==
               L"中の句に語句がないため、見本は作れません";
  })) << testing::PrintToString(Samples());
}

TEST_F(Workshop, ADoubleClickOnASampleSelectsItsLinesInTheirBoxes) {
  Open();
  // The upper box's only phrase lies below forty blank lines.
  std::wstring upper;
  for (int line = 0; line < 40; ++line) upper += L" \r\n";
  const std::array<std::wstring, 3> texts = {
      upper + L"あさひさす",
      L"みなとにふねが\r\n\r\nしずかなみなとで\r\nくらいよるにも",
      L"きょうもぶじ\r\nあすもぶじ\r\n"};
  for (std::size_t column = 0; column < 3; ++column)
    Replace(column, texts[column]);
  const std::array<std::vector<std::wstring>, 3> boxes = {
      std::vector<std::wstring>{L"あさひさす"},
      {L"みなとにふねが", L"しずかなみなとで", L"くらいよるにも"},
      {L"きょうもぶじ", L"あすもぶじ"}};
  ASSERT_TRUE(WaitFor([&] { return SamplesDrawFrom(boxes); }))
      << testing::PrintToString(Samples());
  SendMessageW(Box(0), EM_SETSEL, 0, 0);
  SendMessageW(Box(0), EM_SCROLLCARET, 0, 0);
  ASSERT_EQ(SendMessageW(Box(0), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  // Each box selects the row's line, whole, from its start to its break.
  const auto expect_lines_of = [&](std::size_t row) {
    const std::array<std::wstring, 3> parts = PartsOf(Samples()[row]);
    for (std::size_t column = 0; column < 3; ++column) {
      const std::pair<DWORD, DWORD> line =
          RangeOfLine(texts[column], parts[column]);
      DWORD start = 0, end = 0;
      EXPECT_TRUE(WaitFor([&] {
        SendMessageW(Box(column), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return start == line.first && end == line.second;
      })) << row << ", " << column << ": " << start << "-" << end << " for "
          << line.first << "-" << line.second;
    }
  };
  const int row = 3;
  HWND list = GetDlgItem(workshop_, kWorkshopSamples);
  const LPARAM at = MAKELPARAM(20, row * kWorkshopSampleRowHeight + 10);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, 0, at);
  PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, 0, at);
  expect_lines_of(row);
  // Scrolled to the line it selects.
  EXPECT_GT(SendMessageW(Box(0), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  // Enter on the list chooses as a double-click does: another row's lines.
  const std::vector<std::wstring> samples = Samples();
  for (std::size_t other = 0; other < samples.size(); ++other) {
    if (samples[other] == samples[row]) continue;
    SendMessageW(list, LB_SETCURSEL, other, 0);
    PostMessageW(list, WM_KEYDOWN, VK_RETURN, 1);
    expect_lines_of(other);
    break;
  }
}

// Without the reading dictionary the workshop edits and saves all the
// same; the counts are hidden and the foot says why.
TEST(WorkshopWithoutTheDictionary, EditsAndSavesAndSaysWhyNothingIsCounted) {
  const TempFolder folder;
  CopyExamplePhraseFiles(folder.path());
  TavlinProcess tavlin(folder.path());
  tavlin.Start();
  PostMessageW(tavlin.MainWindow(), WM_COMMAND, MAKEWPARAM(kMenuEditPhrases, 0),
               0);
  HWND workshop = tavlin.WaitForWindow(L"TavlinWorkshopForm");
  EXPECT_NE(WindowText(GetDlgItem(workshop, kWorkshopFoot)).find(L"読み辞書"),
            std::wstring::npos);
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(workshop, WorkshopMarginId(0))));
  // Samples show, without counts.
  EXPECT_TRUE(WaitFor([&] {
    const std::vector<std::wstring> samples =
        ListBoxItems(GetDlgItem(workshop, kWorkshopSamples));
    return samples.size() == 5 && samples[0].find(L'（') == std::wstring::npos;
  }));
  HWND lower = GetDlgItem(workshop, WorkshopBoxId(2));
  const LRESULT end = SendMessageW(lower, WM_GETTEXTLENGTH, 0, 0);
  SendMessageW(lower, EM_SETSEL, static_cast<WPARAM>(end), end);
  SendMessageW(lower, EM_REPLACESEL, TRUE,
               reinterpret_cast<LPARAM>(L"\r\nきょうもぶじ"));
  PostMessageW(lower, WM_KEYDOWN, VK_ESCAPE, 1);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(workshop); }));
  EXPECT_TRUE(FileHolds(folder / L"安全下.txt", ShiftJis(L"\r\nきょうもぶじ")));
  tavlin.Close();
}

}  // namespace

}  // namespace tavlin
