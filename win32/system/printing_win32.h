// Printing one page through the system's standard print dialog.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace tavlin {

// Asks for a printer and prints a page of width : height proportions, as
// large as the printable area holds and centred on it, drawn by
// draw(dc, area). False when
// the user cancelled; throws TavlinError when printing fails.
bool PrintOnePage(HWND owner, const std::wstring& document_name, int width,
                  int height,
                  const std::function<void(HDC, const RECT&)>& draw);

}  // namespace tavlin
