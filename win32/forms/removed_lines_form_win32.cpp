#include "win32/forms/removed_lines_form_win32.h"

#include <algorithm>

#include "win32/forms/main_form_font_win32.h"
#include "win32/gui/modal_form_win32.h"
#include "win32/gui/modal_window_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

constexpr wchar_t kClassName[] = L"TavlinRemovedLinesForm";
constexpr LayoutSize kClientSize{560, 320};
constexpr int kWidestLineGuess = 14;  // pixels a character, at 96 dpi

enum RemovedLinesControl : int { kLinesLabel = 701, kLinesList };

constexpr FormRow kRows[] = {
    {kLinesLabel,
     ControlKind::FieldLabel,
     {12, 12, 536, 20},
     u"この保管庫から消えた行（30 日分）。戻す行を選んでください(&L):"},
    {kLinesList, ControlKind::PickList, {12, 36, 536, 236}, u""},
    {IDOK, ControlKind::PushButton, {366, 282, 86, 26}, u"戻す(&R)"},
    {IDCANCEL, ControlKind::PushButton, {462, 282, 86, 26}, u"閉じる"},
};

// How far the user's clock is from UTC now, in seconds.
std::int64_t LocalOffsetSeconds() {
  SYSTEMTIME utc{}, local{};
  GetSystemTime(&utc);
  GetLocalTime(&local);
  FILETIME utc_time{}, local_time{};
  SystemTimeToFileTime(&utc, &utc_time);
  SystemTimeToFileTime(&local, &local_time);
  const auto ticks = [](const FILETIME& time) {
    return static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
        time.dwLowDateTime);
  };
  // To the minute: the two clocks were read a moment apart.
  return (ticks(local_time) - ticks(utc_time) + 300'000'000) / 600'000'000 *
         60;
}

class RemovedLinesForm final : public ModalForm {
 public:
  RemovedLinesForm(HWND owner, std::u16string_view theme,
                   const std::vector<RemovedLine>& lines)
      : theme_(theme), lines_(lines) {
    Open(kClassName, kClientSize, owner);
  }

  std::vector<std::u16string> Pick() {
    RunUntilClosed(kLinesList);
    return picked_;
  }

 private:
  LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l) override {
    if (message == WM_CREATE) {
      SetWindowTextW(hwnd(), WideCString(u"消された行 - " + theme_));
      MakeRows(kRows, IDOK, CreateMainFormFont(dpi(), FW_NORMAL));
      FillList();
      return 0;
    }
    return ModalForm::HandleMessage(message, w, l);
  }

  void FillList() {
    HWND list = GetDlgItem(hwnd(), kLinesList);
    const std::int64_t offset = LocalOffsetSeconds();
    std::size_t longest = 0;
    for (std::size_t at = 0; at < lines_.size(); ++at) {
      const RemovedLine& entry = lines_[at];
      const std::u16string item = RemovedWhenText(entry.when + offset) +
                                  u"　" + std::u16string(RemovedHowText(entry.how)) +
                                  u"　" + entry.line;
      longest = std::max(longest, item.size());
      SendMessageW(list, LB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(WideCString(item)));
      if (entry.how != RemovedHow::Here)
        SendMessageW(list, LB_SETSEL, TRUE, static_cast<LPARAM>(at));
    }
    SendMessageW(list, LB_SETHORIZONTALEXTENT,
                 static_cast<WPARAM>(longest * kWidestLineGuess * dpi() / 96),
                 0);
    SendMessageW(list, LB_SETTOPINDEX, 0, 0);
  }

  void OnCommand(int id, int code, HWND) override {
    if (id == kLinesList && code == LBN_DBLCLK) id = IDOK;
    else if (code != BN_CLICKED) return;
    if (id == IDCANCEL) closed_ = true;
    if (id != IDOK) return;
    HWND list = GetDlgItem(hwnd(), kLinesList);
    for (std::size_t at = 0; at < lines_.size(); ++at)
      if (SendMessageW(list, LB_GETSEL, at, 0) > 0)
        picked_.push_back(lines_[at].line);
    closed_ = true;
  }

  std::u16string theme_;
  const std::vector<RemovedLine>& lines_;
  std::vector<std::u16string> picked_;
};

}  // namespace

std::vector<std::u16string> PickRemovedLines(
    HWND owner, std::u16string_view theme,
    const std::vector<RemovedLine>& lines) {
  RemovedLinesForm form(owner, theme, lines);
  const OwnerDisabled disabled(owner);
  return form.Pick();
}

}  // namespace tavlin
