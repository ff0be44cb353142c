// The workshop's margins: each drawn, and read, from the notes of its box's
// lines as the box shows them now.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "win32/forms/workshop_form_win32.h"
#include "win32/gui/error_report_win32.h"
#include "win32/gui/workshop_margin_drawing_win32.h"

namespace tavlin {

namespace {

// Answers WM_GETTEXT or WM_GETTEXTLENGTH with text, as a window that held
// it would.
LRESULT AnswerText(UINT message, WPARAM w, LPARAM l, std::u16string_view text) {
  if (message == WM_GETTEXTLENGTH) return static_cast<LRESULT>(text.size());
  if (w == 0) return 0;
  const std::size_t copied = std::min(text.size(), std::size_t{w} - 1);
  auto* buffer = reinterpret_cast<wchar_t*>(l);
  std::copy_n(text.begin(), copied, buffer);
  buffer[copied] = L'\0';
  return static_cast<LRESULT>(copied);
}

}  // namespace

void TWorkshopForm::FollowBox(std::size_t column, HWND box) {
  const LRESULT first = SendMessageW(box, EM_GETFIRSTVISIBLELINE, 0, 0);
  HWND margin = Margin(column);
  // Never without the margin: a null window would repaint the whole screen.
  if (first == box_first_[column] || !margin) return;
  box_first_[column] = first;
  InvalidateRect(margin, nullptr, FALSE);
}

std::vector<MarginRow> TWorkshopForm::MarginRowsOf(std::size_t column) const {
  if (!host_ || !host_->Counting()) return {};
  HWND box = Box(column);
  RECT shown{}, margin{};
  SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&shown));
  GetClientRect(Margin(column), &margin);
  const LRESULT first = SendMessageW(box, EM_GETFIRSTVISIBLELINE, 0, 0);
  const MarginView view{static_cast<std::size_t>(std::max<LRESULT>(first, 0)),
                        LineHeightOf(box, font_.get()), shown.top,
                        std::min(shown.bottom, margin.bottom)};
  const LRESULT lines = SendMessageW(box, EM_GETLINECOUNT, 0, 0);
  return MarginRows(host_->NotesOf(static_cast<PhrasePlace>(column)),
                    static_cast<std::size_t>(std::max<LRESULT>(lines, 0)),
                    view);
}

void TWorkshopForm::DrawMargin(std::size_t column,
                               const DRAWITEMSTRUCT& item) const {
  const WorkshopMarginLook look{font_.get(),
                                GetSysColor(COLOR_BTNFACE),
                                GetSysColor(COLOR_GRAYTEXT),
                                GetSysColor(COLOR_WINDOWTEXT),
                                LineHeightOf(Box(column), font_.get()),
                                MulDiv(2, dpi(), 96)};
  DrawWorkshopMargin(item.hDC, item.rcItem, MarginRowsOf(column), look);
}

LRESULT CALLBACK TWorkshopForm::MarginProcedure(HWND margin, UINT message,
                                                WPARAM w, LPARAM l,
                                                UINT_PTR column,
                                                DWORD_PTR form) {
  auto* self = reinterpret_cast<TWorkshopForm*>(form);
  // The margin holds no text: it reads as it is drawn, from the notes.
  if (message == WM_GETTEXT || message == WM_GETTEXTLENGTH) {
    try {
      return AnswerText(message, w, l,
                        MarginReading(self->MarginRowsOf(column)));
    } catch (...) {
      ReportCurrentException(self->hwnd());
      return 0;
    }
  }
  if (message == WM_NCDESTROY)
    RemoveWindowSubclass(margin, MarginProcedure, column);
  return DefSubclassProc(margin, message, w, l);
}

}  // namespace tavlin
