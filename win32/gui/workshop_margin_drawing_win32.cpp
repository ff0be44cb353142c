#include "win32/gui/workshop_margin_drawing_win32.h"

#include <algorithm>
#include <string>

#include "win32/system/device_context_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

constexpr UINT kFigureFormat = DT_SINGLELINE | DT_NOPREFIX | DT_RIGHT | DT_TOP;

int WidthOf(HDC dc, const std::wstring& text) {
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()),
                        &extent);
  return extent.cx;
}

// Right to left, so that each figure ends where the one after it begins.
void DrawRow(HDC dc, RECT place, const MarginRow& row,
             const WorkshopMarginLook& look) {
  const int space = WidthOf(dc, L" ");
  for (auto figure = row.figures.rbegin(); figure != row.figures.rend();
       ++figure) {
    const std::wstring text(AsWide(figure->shown));
    SetTextColor(dc, figure->warns ? look.warning : look.plain);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &place,
              kFigureFormat);
    place.right -= WidthOf(dc, text) + space;
    if (place.right <= place.left) return;
  }
}

}  // namespace

int LineHeightOf(HWND window, HFONT font) {
  const WindowDc dc(window);
  if (!dc) return 1;
  const SelectedObject keep(dc.get(), font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.get(), &metrics);
  return std::max<int>(metrics.tmHeight, 1);
}

void DrawWorkshopMargin(HDC dc, const RECT& rect,
                        const std::vector<MarginRow>& rows,
                        const WorkshopMarginLook& look) {
  // An empty text drawn opaque fills the rectangle without a brush.
  SetBkColor(dc, look.background);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  const SelectedObject font(dc, look.font);
  SetBkMode(dc, TRANSPARENT);
  for (const MarginRow& row : rows) {
    const RECT place{rect.left, rect.top + row.top, rect.right - look.indent,
                     rect.top + row.top + look.line_height};
    if (place.top >= rect.bottom) break;
    DrawRow(dc, place, row, look);
  }
}

}  // namespace tavlin
