// The common error report: a message box with the application title, an
// error icon and OK, showing the failure's message.
#pragma once

#include <windows.h>

#include <string_view>

namespace tavlin {

void ShowErrorReport(HWND owner, std::string_view utf8_message) noexcept;

// Shows the exception being handled; call only inside a catch block.
void ReportCurrentException(HWND owner) noexcept;

}  // namespace tavlin
