#include "win32/forms/theme_name_form_win32.h"

#include "src/workshop/new_theme.h"
#include "win32/gui/error_report_win32.h"
#include "win32/forms/main_form_font_win32.h"
#include "win32/gui/modal_form_win32.h"
#include "win32/gui/modal_window_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

constexpr wchar_t kClassName[] = L"TavlinThemeNameForm";
constexpr LayoutSize kClientSize{340, 96};

enum ThemeNameControl : int { kNameLabel = 601, kNameEdit };

constexpr FormRow kRows[] = {
    {kNameLabel,
     ControlKind::FieldLabel,
     {12, 16, 316, 20},
     u"テーマの名前(&N)（8 文字まで）:"},
    {kNameEdit, ControlKind::LineEdit, {12, 38, 316, 24}, u""},
    {IDOK, ControlKind::PushButton, {148, 64, 86, 26}, u"OK"},
    {IDCANCEL, ControlKind::PushButton, {242, 64, 86, 26}, u"キャンセル"},
};

class TThemeNameForm final : public ModalForm {
 public:
  TThemeNameForm(HWND owner, const std::vector<std::u16string>& themes)
      : themes_(themes) {
    Open(kClassName, kClientSize, owner);
  }

  std::optional<std::u16string> Ask() {
    RunUntilClosed(kNameEdit);
    return name_;
  }

 private:
  LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l) override {
    if (message == WM_CREATE) {
      SetWindowTextW(hwnd(), L"新しいテーマ");
      MakeRows(kRows, IDOK, CreateMainFormFont(dpi(), FW_NORMAL));
      SendMessageW(GetDlgItem(hwnd(), kNameEdit), EM_SETLIMITTEXT, 64, 0);
      return 0;
    }
    return ModalForm::HandleMessage(message, w, l);
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
  std::optional<std::u16string> name_;
};

}  // namespace

std::optional<std::u16string> AskNewThemeName(
    HWND owner, const std::vector<std::u16string>& themes) {
  TThemeNameForm form(owner, themes);
  const OwnerDisabled disabled(owner);
  return form.Ask();
}

}  // namespace tavlin
