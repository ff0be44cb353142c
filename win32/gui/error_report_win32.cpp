#include "win32/gui/error_report_win32.h"

#include <exception>
#include <new>
#include <string>

#include "src/ui/error_message.h"
#include "win32/gui/window_caption_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

void ShowErrorReport(HWND owner, std::string_view utf8_message) noexcept {
  try {
    const std::wstring text = WideFromUtf8(CompleteErrorMessage(utf8_message));
    const std::u16string title = ApplicationTitle();
    MessageBoxW(owner, text.c_str(), WideCString(title), MB_OK | MB_ICONERROR);
  } catch (...) {
    // Too little memory even for the report: nothing more can be shown.
    MessageBoxW(owner, L"Tavlin", nullptr, MB_OK | MB_ICONERROR);
  }
}

void ReportCurrentException(HWND owner) noexcept {
  try {
    throw;
  } catch (const std::bad_alloc&) {
    ShowErrorReport(owner, "メモリが足りません");
  } catch (const std::exception& error) {
    ShowErrorReport(owner, error.what());
  } catch (...) {
    ShowErrorReport(owner, "予期しないエラーが発生しました");
  }
}

}  // namespace tavlin
