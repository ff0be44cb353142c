#include "win32/gui/balloon_tip_win32.h"

#include <commctrl.h>

namespace tavlin {

namespace {

constexpr int kMaximumTipWidth = 320;

TTTOOLINFOW ToolOf(HWND owner, wchar_t* text) {
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_IDISHWND;
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(owner);
  tool.lpszText = text;
  return tool;
}

}  // namespace

BalloonTip::~BalloonTip() {
  if (tip_) DestroyWindow(tip_);
}

void BalloonTip::Show(HWND owner, HWND control, const std::wstring& text) {
  if (!tip_ || owner != owner_) {
    if (tip_) DestroyWindow(tip_);
    owner_ = owner;
    tip_ = CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
        WS_POPUP | TTS_BALLOON | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
        GetModuleHandleW(nullptr), nullptr);
    if (!tip_) return;  // a convenience: without it the list is still saved
    text_ = text;
    TTTOOLINFOW tool = ToolOf(owner_, text_.data());
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, kMaximumTipWidth);
  }
  text_ = text;
  TTTOOLINFOW tool = ToolOf(owner_, text_.data());
  SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  RECT bounds{};
  GetWindowRect(control, &bounds);
  SendMessageW(tip_, TTM_TRACKPOSITION, 0,
               MAKELPARAM((bounds.left + bounds.right) / 2, bounds.top + 8));
  SendMessageW(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

void BalloonTip::Hide() {
  if (!tip_) return;
  TTTOOLINFOW tool = ToolOf(owner_, text_.data());
  SendMessageW(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace tavlin
