// The slogan list beyond the mouse: Enter, Ctrl+C and the context menu with
// its holds, on the real Tavlin.exe.
#include <gtest/gtest.h>

#include <algorithm>

#include "e2e/tavlin_process.h"
#include "src/ui/main_form_layout.h"
#include "src/ui/slogan_menu.h"
#include "support/temp_folder.h"

namespace tavlin {

namespace {

class SloganList : public testing::Test {
 protected:
  void SetUp() override {
    CopyExamplePhraseFiles(folder_.path());
    tavlin_.Start();
    list_ = tavlin_.Control(kListBox1);
  }
  void TearDown() override { tavlin_.Close(); }

  std::vector<std::wstring> Slogans() { return ListBoxItems(list_); }
  void Select(int row) { SendMessageW(list_, LB_SETCURSEL, row, 0); }
  void Regenerate() { SendMessageW(tavlin_.Control(kBitBtn1), BM_CLICK, 0, 0); }

  TempFolder folder_;
  TavlinProcess tavlin_{folder_.path()};
  HWND list_ = nullptr;
};

// The middle part of a slogan whose parts hold no space of their own, as
// the example phrases do.
std::wstring MiddleOf(const std::wstring& slogan) {
  const std::size_t first = slogan.find(L' ');
  const std::size_t second = slogan.find(L' ', first + 1);
  return slogan.substr(first + 1, second - first - 1);
}

TEST_F(SloganList, EnterStoresTheSelectedSlogan) {
  const std::wstring slogan = Slogans().at(3);
  Select(3);
  PostMessageW(list_, WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_TRUE(WaitFor([&] {
    return WindowText(tavlin_.Control(kMemSafe)) == slogan + L"\r\n";
  }));
}

TEST_F(SloganList, CtrlCPutsTheSelectedSloganOnTheClipboard) {
  const std::wstring slogan = Slogans().at(1);
  // A click selects the row and gives the list the focus; then real keys.
  const LPARAM row = MAKELPARAM(20, kSloganRowHeight + 16);
  PostMessageW(list_, WM_LBUTTONDOWN, MK_LBUTTON, row);
  PostMessageW(list_, WM_LBUTTONUP, 0, row);
  ASSERT_TRUE(WaitFor([&] { return tavlin_.FocusedControl() == list_; }));
  PressCtrlAnd('C');
  const auto clipboard_text = [] {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
      if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
        text = chars;
        GlobalUnlock(data);
      }
    }
    CloseClipboard();
    return text;
  };
  EXPECT_TRUE(WaitFor([&] { return clipboard_text() == slogan; }))
      << "the clipboard holds: " << testing::PrintToString(clipboard_text());
}

// A clipboard manager holding the clipboard: the copy fails with a report,
// and the program goes on.
TEST_F(SloganList, CtrlCWithTheClipboardHeldElsewhereIsReported) {
  const LPARAM row = MAKELPARAM(20, 16);
  PostMessageW(list_, WM_LBUTTONDOWN, MK_LBUTTON, row);
  PostMessageW(list_, WM_LBUTTONUP, 0, row);
  ASSERT_TRUE(WaitFor([&] { return tavlin_.FocusedControl() == list_; }));
  HWND holder = CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                              nullptr, nullptr, nullptr);
  ASSERT_TRUE(OpenClipboard(holder));
  PressCtrlAnd('C');
  const std::wstring report = tavlin_.DismissMessageBox();
  CloseClipboard();
  DestroyWindow(holder);
  EXPECT_EQ(report, L"クリップボードを開けません.");
  EXPECT_FALSE(tavlin_.HasExited());
  EXPECT_EQ(ListBoxItems(list_).size(), 5u);
}

// Chooses an item of the slogan list's menu by its access key, as a user
// at the keyboard does.
void ChooseFromSloganMenu(TavlinProcess& tavlin, HWND list, wchar_t key) {
  PostMessageW(tavlin.MainWindow(), WM_CONTEXTMENU,
               reinterpret_cast<WPARAM>(list), -1);
  HWND menu = nullptr;
  WaitFor([&] {
    menu = FindWindowW(L"#32768", nullptr);
    return menu && IsWindowVisible(menu);
  });
  PostMessageW(menu, WM_CHAR, key, 1);
  // A greyed item leaves the menu open: Esc closes it.
  if (!WaitFor([&] { return !IsWindowVisible(menu); }, std::chrono::seconds(1)))
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 1);
  WaitFor([&] { return !IsWindowVisible(menu); });
  // The command is posted as the menu closes: handled before what follows.
  tavlin.WaitForPostedSloganInput();
}

TEST_F(SloganList, AltArrowsPageThroughThePagesGenerationsAsShown) {
  std::vector<std::vector<std::wstring>> shown = {Slogans()};
  for (int more = 0; more < 2; ++more) {
    // Another tick of the clock that seeds it, other slogans.
    const DWORD tick = GetTickCount();
    WaitFor([&] { return GetTickCount() != tick; });
    Regenerate();
    shown.push_back(Slogans());
  }
  const LPARAM row = MAKELPARAM(20, 16);
  PostMessageW(list_, WM_LBUTTONDOWN, MK_LBUTTON, row);
  PostMessageW(list_, WM_LBUTTONUP, 0, row);
  ASSERT_TRUE(WaitFor([&] { return tavlin_.FocusedControl() == list_; }));
  PressWith(VK_MENU, VK_LEFT);
  PressWith(VK_MENU, VK_LEFT);
  EXPECT_TRUE(WaitFor([&] { return Slogans() == shown[0]; }));
  ChooseFromSloganMenu(tavlin_, list_, L'f');  // 次の標語(&F)
  EXPECT_TRUE(WaitFor([&] { return Slogans() == shown[1]; }));
  ASSERT_TRUE(WaitFor([&] { return tavlin_.FocusedControl() == list_; }));
  PressWith(VK_MENU, VK_RIGHT);
  EXPECT_TRUE(WaitFor([&] { return Slogans() == shown[2]; }));
  PressWith(VK_MENU, VK_LEFT);
  EXPECT_TRUE(WaitFor([&] { return Slogans() == shown[1]; }));
  // A slogan of an earlier generation stores like any other.
  tavlin_.DoubleClickSlogan(1);
  EXPECT_TRUE(WaitFor([&] {
    return WindowText(tavlin_.Control(kMemSafe)) == shown[1][1] + L"\r\n";
  }));
}

// Chosen from the menu by its access key, as a user at the keyboard does.
TEST_F(SloganList, TheMenuHoldsAPartForTheNextGenerations) {
  const std::wstring held = MiddleOf(Slogans().at(2));
  Select(2);
  PostMessageW(tavlin_.MainWindow(), WM_CONTEXTMENU,
               reinterpret_cast<WPARAM>(list_), -1);
  HWND menu = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    menu = FindWindowW(L"#32768", nullptr);
    return menu && IsWindowVisible(menu);
  }));
  PostMessageW(menu, WM_CHAR, L'2', 1);  // 中の句を固定(&2)
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }));
  // The menu posts its command as it closes; a generation sent before that
  // is taken would empty the selection the command acts on.
  tavlin_.WaitForPostedSloganInput();
  // The first generation after the command shows the hold, and every one
  // after that.
  const auto all_hold = [&] {
    const auto slogans = Slogans();
    return !slogans.empty() &&
           std::all_of(slogans.begin(), slogans.end(),
                       [&](const auto& s) { return MiddleOf(s) == held; });
  };
  ASSERT_TRUE(WaitFor([&] {
    Regenerate();
    return all_hold();
  }));
  for (int generation = 0; generation < 3; ++generation) {
    Regenerate();
    for (const std::wstring& slogan : Slogans())
      EXPECT_EQ(MiddleOf(slogan), held) << slogan;
  }

  PostMessageW(tavlin_.MainWindow(), WM_COMMAND, kMenuReleaseHolds, 0);
  EXPECT_TRUE(WaitFor([&] {
    Regenerate();
    const auto slogans = Slogans();
    return std::any_of(slogans.begin(), slogans.end(),
                       [&](const auto& s) { return MiddleOf(s) != held; });
  }));
}

}  // namespace

}  // namespace tavlin
