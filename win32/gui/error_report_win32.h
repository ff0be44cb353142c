// The common error report: a message box with the application title, an
// error icon and OK, showing the failure's message; and its twin for
// notices, with the information icon.
#pragma once

#include <windows.h>

#include <string_view>

#include "src/platform/messages.h"
#include "src/platform/tavlin_error.h"

namespace tavlin {

void ShowErrorReport(HWND owner, std::string_view utf8_message) noexcept;
void ShowNotice(HWND owner, std::string_view utf8_message) noexcept;
void ShowUserReport(HWND owner, const UserReport& report) noexcept;
// Shows a failure with 再試行 and キャンセル; true when the user asks to try
// again.
bool AskToRetry(HWND owner, std::string_view utf8_message) noexcept;

// Shows the exception being handled; call only inside a catch block.
void ReportCurrentException(HWND owner) noexcept;

}  // namespace tavlin
