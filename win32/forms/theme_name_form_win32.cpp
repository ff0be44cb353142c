#include "win32/forms/theme_name_form_win32.h"

#include "src/ui/layout.h"
#include "src/workshop/new_theme.h"
#include "win32/forms/main_form_font_win32.h"
#include "win32/gui/control_rows_win32.h"
#include "win32/gui/error_report_win32.h"
#include "win32/gui/modal_window_win32.h"
#include "win32/gui/window_bounds_win32.h"
#include "win32/gui/window_win32.h"
#include "win32/system/unique_handle_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

constexpr wchar_t kClassName[] = L"TavlinThemeNameForm";
constexpr DWORD kWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr LayoutSize kClientSize{340, 96};

enum ThemeNameControl : int { kNameLabel = 601, kNameEdit };

struct Row {
  int id;
  ControlKind kind;
  LayoutRect rect;
  std::u16string_view caption;
};
constexpr Row kRows[] = {
    {kNameLabel,
     ControlKind::FieldLabel,
     {12, 16, 316, 20},
     u"テーマの名前(&N)（8 文字まで）:"},
    {kNameEdit, ControlKind::LineEdit, {12, 38, 316, 24}, u""},
    {IDOK, ControlKind::PushButton, {148, 64, 86, 26}, u"OK"},
    {IDCANCEL, ControlKind::PushButton, {242, 64, 86, 26}, u"キャンセル"},
};

class TThemeNameForm final : public Window {
 public:
  TThemeNameForm(HWND owner, const std::vector<std::u16string>& themes)
      : themes_(themes) {
    RegisterWindowClass(
        kClassName, L"MAINICON",
        reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
    Create(kClassName, kWindowStyle, WS_EX_DLGMODALFRAME,
           CentredWindowBounds(ScaleForDpi(kClientSize, SystemDpi()),
                               kWindowStyle, WS_EX_DLGMODALFRAME),
           owner);
  }
  ~TThemeNameForm() override { DestroyNow(); }

  std::optional<std::u16string> Ask() {
    ShowWindow(hwnd(), SW_SHOW);
    SetFocus(GetDlgItem(hwnd(), kNameEdit));
    RunModalLoop(closed_, [&](const MSG& message) {
      return IsDialogMessageW(hwnd(), const_cast<MSG*>(&message)) != FALSE;
    });
    return name_;
  }

 private:
  LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l) override {
    if (message == WM_CREATE) {
      SetWindowTextW(hwnd(), L"新しいテーマ");
      font_ = CreateMainFormFont(dpi(), FW_NORMAL);
      for (const Row& row : kRows) {
        HWND control = CreateControl(hwnd(), row.id, row.kind,
                                     ScaleForDpi(row.rect, dpi()), row.caption,
                                     row.id == IDOK ? BS_DEFPUSHBUTTON : 0);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()),
                     FALSE);
      }
      SendMessageW(GetDlgItem(hwnd(), kNameEdit), EM_SETLIMITTEXT, 64, 0);
      return 0;
    }
    if (message == WM_CLOSE) {
      closed_ = true;
      return 0;
    }
    return Window::HandleMessage(message, w, l);
  }

  void OnCommand(int id, int code, HWND) override {
    if (code != BN_CLICKED) return;
    if (id == IDCANCEL) closed_ = true;
    if (id != IDOK) return;
    const std::u16string name =
        TrimmedThemeName(AsU16(WindowTextOf(GetDlgItem(hwnd(), kNameEdit))));
    if (const std::optional<std::string> why = WhyNotANewTheme(name, themes_)) {
      ShowErrorReport(hwnd(), *why);
      SetFocus(GetDlgItem(hwnd(), kNameEdit));
      return;
    }
    name_ = name;
    closed_ = true;
  }

  const std::vector<std::u16string>& themes_;
  UniqueFont font_;
  std::optional<std::u16string> name_;
  bool closed_ = false;
};

}  // namespace

std::optional<std::u16string> AskNewThemeName(
    HWND owner, const std::vector<std::u16string>& themes) {
  TThemeNameForm form(owner, themes);
  const OwnerDisabled disabled(owner);
  return form.Ask();
}

}  // namespace tavlin
