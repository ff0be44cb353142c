#include "win32/gui/slogan_row_drawing_win32.h"

#include <algorithm>
#include <string>

#include "win32/system/device_context_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT;

void DrawPart(HDC dc, RECT& rect, const std::wstring& text) {
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()),
                        &extent);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
            kTextFormat);
  rect.left += extent.cx;
}

// Draws the figures right-aligned in rect and takes their room off rect.
void DrawFigures(HDC dc, RECT& rect, const SloganRowFigures& figures,
                 int indent) {
  if (figures.shown.empty()) return;
  std::wstring text;
  for (const std::u16string& figure : figures.shown)
    text += (text.empty() ? L"" : L"\u3000") + std::wstring(AsWide(figure));
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()),
                        &extent);
  RECT place = rect;
  place.right -= indent;
  place.left = std::max(rect.left, place.right - extent.cx);
  SetTextColor(dc, figures.colour);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &place,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_RIGHT);
  rect.right = std::max(rect.left, place.left - 2 * indent);
}

}  // namespace

void DrawSloganRow(HDC dc, RECT rect, const SloganRow& row,
                   const std::array<bool, kPhrasePositions>& held_now,
                   const SloganRowLook& look, const SloganRowFigures& figures) {
  const SelectedObject font(dc, look.font);
  SetBkMode(dc, TRANSPARENT);
  DrawFigures(dc, rect, figures, look.indent);
  SetTextColor(dc, look.text);
  rect.left += look.indent;
  bool any_held = false;
  for (const bool held : held_now) any_held = any_held || held;
  if (!any_held) {
    const std::wstring text(AsWide(row.Text()));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              kTextFormat);
    return;
  }
  for (std::size_t i = 0; i < kPhrasePositions; ++i) {
    const SelectedObject weight(dc, held_now[i] ? look.bold : look.font);
    DrawPart(dc, rect,
             (i > 0 ? L" " : L"") + std::wstring(AsWide(row.shown_parts[i])));
  }
}

}  // namespace tavlin
