// The start-up benchmark's replica of Tavlin's main window: the same
// window class, resources, controls, font, tab captions and slogan rows,
// made by the program's own routines in the order Tavlin makes them, and
// nothing behind them. It reads no file, composes nothing and starts no
// COM: five fixed rows from the example phrases show at once. Tavlin's
// ratio to it is what the program adds to its own window at the start.
#include <windows.h>

#include <commctrl.h>

#include <array>
#include <string>
#include <vector>

#include "src/slogan/phrase_theme.h"
#include "src/ui/main_form_layout.h"
#include "src/ui/tab_captions.h"
#include "win32/forms/main_form_font_win32.h"
#include "win32/forms/main_form_panel_win32.h"
#include "win32/gui/control_rows_win32.h"
#include "win32/gui/slogan_row_drawing_win32.h"
#include "win32/gui/tab_captions_win32.h"
#include "win32/gui/window_bounds_win32.h"
#include "win32/gui/window_caption_win32.h"
#include "win32/gui/window_win32.h"

namespace tavlin {
namespace {

constexpr wchar_t kClassName[] = L"TavlinWindowReplica";
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

// The example phrase files' themes, as Tavlin finds them beside it.
constexpr std::u16string_view kExampleThemes[] = {u"安全", u"品質",
                                                  u"交通安全"};

SloganRow ExampleRow(std::u16string_view top, std::u16string_view middle,
                     std::u16string_view bottom) {
  SloganRow row;
  row.shown_parts = {std::u16string(top), std::u16string(middle),
                     std::u16string(bottom)};
  return row;
}

class WindowReplica final : public Window {
 public:
  WindowReplica() {
    RegisterWindowClass(
        kClassName, L"MAINICON",
        reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
    Create(kClassName, kWindowStyle, 0,
           CentredWindowBounds(ScaleForDpi(kMainFormClientSize, SystemDpi()),
                               kWindowStyle, 0),
           nullptr);
  }
  ~WindowReplica() override { DestroyNow(); }

  void Show(int show_command) {
    ShowWindow(hwnd(), show_command);
    UpdateWindow(hwnd());
    SetFocus(GetDlgItem(hwnd(), kPageControl1));
  }

 private:
  LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l) override {
    switch (message) {
      case WM_CREATE:
        CreateControls();
        ApplyVersionCaption(hwnd(), kMainFormName);
        return 0;
      case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(l) == GetDlgItem(hwnd(), kPanel1))
          return PanelColours(reinterpret_cast<HDC>(w));
        break;
      case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return Window::HandleMessage(message, w, l);
  }

  void CreateControls() {
    const LayoutSize client = ClientSizeOf(hwnd());
    CreateControlRows(hwnd(), kMainFormLayout, kMainFormClientSize, dpi(),
                      client);
    std::vector<TabPage> pages;
    std::vector<HWND> controls;
    for (std::size_t page = 0; page < std::size(kExampleThemes); ++page) {
      const std::u16string_view theme = kExampleThemes[page];
      const bool standard = page < std::size(kStandardThemeNames);
      pages.push_back({ThemeCaption(theme), std::u16string(theme)});
      // A standard page's box is made with the window, the first one shown;
      // any other page's when it is first chosen.
      if (standard) controls.push_back(MakeStorageBox(page, client));
    }
    HWND list = GetDlgItem(hwnd(), kListBox1);
    for (const SloganRow& row : rows_) {
      const std::u16string text = row.Text();
      SendMessageW(list, LB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(text.c_str()));
    }
    font_ = CreateMainFormFont(dpi(), FW_NORMAL);
    for (const ControlLayout& layout : kMainFormLayout)
      controls.push_back(GetDlgItem(hwnd(), layout.id));
    for (HWND control : controls)
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()),
                   FALSE);
    HWND tabs = GetDlgItem(hwnd(), kPageControl1);
    SendMessageW(tabs, TCM_SETITEMSIZE, 0,
                 MAKELPARAM(0, ScaleForDpi(kTabHeight, dpi())));
    FitTabCaptions(tabs, TabCaptionChoices(pages));
    SendMessageW(list, LB_SETITEMHEIGHT, 0,
                 ScaleForDpi(kSloganRowHeight, dpi()));
    SendMessageW(tabs, TCM_SETCURSEL, 0, 0);
  }

  HWND MakeStorageBox(std::size_t page, LayoutSize client) {
    HWND box = CreateControl(
        hwnd(), StorageBoxId(page), kStorageBoxLayout.kind,
        PlacedRowRect(kStorageBoxLayout, kMainFormClientSize, dpi(), client),
        u"", page == 0 ? WS_VISIBLE : 0);
    SetWindowPos(box, GetDlgItem(hwnd(), kPanel1), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(box, EM_SETLIMITTEXT, 0, 0);
    return box;
  }

  bool OnMeasureItem(MEASUREITEMSTRUCT& item) override {
    item.itemHeight = static_cast<UINT>(ScaleForDpi(kSloganRowHeight, dpi()));
    return true;
  }

  bool OnDrawItem(const DRAWITEMSTRUCT& item) override {
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem,
             GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID < rows_.size())
      DrawSloganRow(
          item.hDC, item.rcItem, rows_[item.itemID], {},
          {font_.get(), font_.get(),
           GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT),
           ScaleForDpi(kSloganTextIndent, dpi())});
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
    return true;
  }

  std::array<SloganRow, 5> rows_{
      ExampleRow(u"朝礼で", u"声かけ合って", u"今日も無事"),
      ExampleRow(u"足元の", u"確認ひとつで", u"防ぐ事故"),
      ExampleRow(u"ひと呼吸", u"置いて確かめ", u"ゼロ災害"),
      ExampleRow(u"気のゆるみ", u"見逃さないで", u"声かけを"),
      ExampleRow(u"声かけて", u"みんなで守る", u"安全を")};
  UniqueFont font_;
};

}  // namespace
}  // namespace tavlin

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show_command) {
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  tavlin::WindowReplica window;
  window.Show(show_command);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
