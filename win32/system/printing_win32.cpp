#include "win32/system/printing_win32.h"

#include <cderr.h>
#include <commdlg.h>

#include "src/platform/messages.h"
#include "src/platform/tavlin_error.h"
#include "src/ui/layout.h"
#include "win32/system/common_dialogs_win32.h"
#include "win32/system/unique_handle_win32.h"

namespace tavlin {

bool PrintOnePage(HWND owner, const std::wstring& document_name, int width,
                  int height,
                  const std::function<void(HDC, const RECT&)>& draw) {
  using PrintDialog = BOOL(WINAPI*)(PRINTDLGW*);
  static const auto print_dialog =
      CommonDialogFunction<PrintDialog>("PrintDlgW");
  if (!print_dialog) throw TavlinError(kCannotShowPrintDialog);

  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION |
                 PD_USEDEVMODECOPIESANDCOLLATE;
  const BOOL chosen = print_dialog(&dialog);
  const UniqueGlobalMemory mode(dialog.hDevMode);
  const UniqueGlobalMemory names(dialog.hDevNames);
  const UniqueDc printer(dialog.hDC);
  if (!chosen) {
    // Without a printer the dialog has said so itself.
    const DWORD error = CommonDialogError();
    if (error != 0 && error != PDERR_NODEFAULTPRN)
      throw TavlinError(kCannotPrint);
    return false;
  }
  const LayoutRect page =
      FitCentred({width, height}, {0, 0, GetDeviceCaps(printer.get(), HORZRES),
                                   GetDeviceCaps(printer.get(), VERTRES)});
  DOCINFOW document{};
  document.cbSize = sizeof document;
  document.lpszDocName = document_name.c_str();
  if (StartDocW(printer.get(), &document) <= 0) throw TavlinError(kCannotPrint);
  bool printed = StartPage(printer.get()) > 0;
  if (printed) {
    try {
      draw(printer.get(), RECT{page.left, page.top, page.left + page.width,
                               page.top + page.height});
    } catch (...) {
      AbortDoc(printer.get());
      throw;
    }
    printed = EndPage(printer.get()) > 0;
  }
  if (!printed || EndDoc(printer.get()) <= 0) {
    AbortDoc(printer.get());
    throw TavlinError(kCannotPrint);
  }
  return true;
}

}  // namespace tavlin
