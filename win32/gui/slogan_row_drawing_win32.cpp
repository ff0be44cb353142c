#include "win32/gui/slogan_row_drawing_win32.h"

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

}  // namespace

void DrawSloganRow(HDC dc, RECT rect, const SloganRow& row,
                   const std::array<bool, kPhrasePositions>& held_now,
                   const SloganRowLook& look) {
  const SelectedObject font(dc, look.font);
  SetBkMode(dc, TRANSPARENT);
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
