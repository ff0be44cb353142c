#include "win32/gui/error_report_win32.h"

#include <exception>
#include <new>
#include <string>

#include "src/platform/messages.h"
#include "src/ui/error_message.h"
#include "win32/gui/window_caption_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

int ShowMessage(HWND owner, std::string_view utf8_message,
                UINT style) noexcept {
  try {
    const std::wstring text = WideFromUtf8(CompleteErrorMessage(utf8_message));
    const std::u16string title = ApplicationTitle();
    return MessageBoxW(owner, text.c_str(), WideCString(title), style);
  } catch (...) {
    // Too little memory even for the report: nothing more can be shown.
    return MessageBoxW(owner, L"Tavlin", nullptr, style);
  }
}

}  // namespace

void ShowErrorReport(HWND owner, std::string_view utf8_message) noexcept {
  ShowMessage(owner, utf8_message, MB_OK | MB_ICONERROR);
}

void ShowNotice(HWND owner, std::string_view utf8_message) noexcept {
  ShowMessage(owner, utf8_message, MB_OK | MB_ICONINFORMATION);
}

bool AskToRetry(HWND owner, std::string_view utf8_message) noexcept {
  return ShowMessage(owner, utf8_message, MB_RETRYCANCEL | MB_ICONERROR) ==
         IDRETRY;
}

void ShowUserReport(HWND owner, const UserReport& report) noexcept {
  if (report.kind == UserReport::Kind::Notice)
    ShowNotice(owner, report.text);
  else  // a failure without text had no memory left to say more
    ShowErrorReport(owner, report.text.empty() ? kOutOfMemory : report.text);
}

void ReportCurrentException(HWND owner) noexcept {
  ShowUserReport(owner, CurrentExceptionReport());
}

}  // namespace tavlin
