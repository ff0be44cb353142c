#include "win32/system/printing_win32.h"

#include <cderr.h>
#include <commdlg.h>

#include "src/platform/tavlin_error.h"
#include "win32/system/common_dialogs_win32.h"
#include "win32/system/unique_handle_win32.h"

namespace tavlin {

bool PrintOnePage(HWND owner, const std::wstring& document_name, int width,
                  int height,
                  const std::function<void(HDC, const RECT&)>& draw) {
  using PrintDialog = BOOL(WINAPI*)(PRINTDLGW*);
  static const auto print_dialog =
      CommonDialogFunction<PrintDialog>("PrintDlgW");
  if (!print_dialog) throw TavlinError("印刷のダイアログを表示できません");

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
      throw TavlinError("印刷できません。プリンターを確かめてください");
    return false;
  }
  const int room_width = GetDeviceCaps(printer.get(), HORZRES);
  const int room_height = GetDeviceCaps(printer.get(), VERTRES);
  // As large as fits, in the page's own proportions, centred.
  int drawn_width = room_width;
  int drawn_height =
      static_cast<int>(static_cast<long long>(room_width) * height / width);
  if (drawn_height > room_height) {
    drawn_height = room_height;
    drawn_width =
        static_cast<int>(static_cast<long long>(room_height) * width / height);
  }
  const int left = (room_width - drawn_width) / 2;
  const int top = (room_height - drawn_height) / 2;
  DOCINFOW document{};
  document.cbSize = sizeof document;
  document.lpszDocName = document_name.c_str();
  if (StartDocW(printer.get(), &document) <= 0)
    throw TavlinError("印刷できません。プリンターを確かめてください");
  bool printed = StartPage(printer.get()) > 0;
  if (printed) {
    try {
      draw(printer.get(),
           RECT{left, top, left + drawn_width, top + drawn_height});
    } catch (...) {
      AbortDoc(printer.get());
      throw;
    }
    printed = EndPage(printer.get()) > 0;
  }
  if (!printed || EndDoc(printer.get()) <= 0) {
    AbortDoc(printer.get());
    throw TavlinError("印刷できません。プリンターを確かめてください");
  }
  return true;
}

}  // namespace tavlin
