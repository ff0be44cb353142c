#include "win32/forms/slogan_list_win32.h"

#include "src/app/row_figures.h"
#include "src/ui/command_table.h"
#include "src/ui/layout.h"
#include "src/ui/main_form_layout.h"
#include "src/ui/slogan_menu.h"
#include "win32/forms/main_form_font_win32.h"
#include "win32/gui/popup_menu_win32.h"
#include "win32/gui/slogan_row_drawing_win32.h"
#include "win32/system/device_context_win32.h"
#include "win32/system/shift_jis.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

constexpr UINT kHistoryBalloonShown = 3000;
// Long enough to read a sentence.
constexpr UINT kNoticeBalloonShown = 8000;

}  // namespace

void SloganList::ShowPage() {
  balloon_.Hide();
  InvalidateRect(list_, nullptr, TRUE);
}

void SloganList::ShowRows(const SloganRows& rows) {
  // Nothing is read or drawn again: the rows as they were made.
  SendMessageW(list_, LB_RESETCONTENT, 0, 0);
  for (const SloganRow& row : rows) {
    const std::wstring text = AccessibleText(row);
    SendMessageW(list_, LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(text.c_str()));
  }
}

std::wstring SloganList::AccessibleText(const SloganRow& row) const {
  return std::wstring(
      AsWide(SpokenRowText(row, FiguresOfRow(host_.Meter(), row))));
}

void SloganList::Refresh() {
  const LRESULT selected = SendMessageW(list_, LB_GETCURSEL, 0, 0);
  const LRESULT top = SendMessageW(list_, LB_GETTOPINDEX, 0, 0);
  ShowRows(host_.ShownRows());
  SendMessageW(list_, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
  if (selected != LB_ERR)
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void SloganList::Tell(HWND owner, const std::wstring& text, bool brief) {
  balloon_.Show(owner, list_, text);
  SetTimer(owner, kHistoryBalloonTimer,
           brief ? kHistoryBalloonShown : kNoticeBalloonShown, nullptr);
}

void SloganList::UseFont(HFONT font, int dpi) {
  font_ = font;
  dpi_ = dpi;
  bold_font_.reset();
}

std::optional<std::size_t> SloganList::SelectedRow() const {
  const LRESULT index = SendMessageW(list_, LB_GETCURSEL, 0, 0);
  if (index < 0 || static_cast<std::size_t>(index) >= host_.ShownRows().size())
    return std::nullopt;
  return static_cast<std::size_t>(index);
}

bool SloganList::IsHeld(std::size_t row, std::size_t part) const {
  const SloganRows& rows = host_.ShownRows();
  return row < rows.size() && host_.IsHeld(rows[row], part);
}

void SloganList::ShowMenu(HWND owner, POINT at) {
  // From the keyboard: below the selected row, or at the list's corner.
  RECT row{};
  const LRESULT index = SendMessageW(list_, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR || SendMessageW(list_, LB_GETITEMRECT, index,
                                      reinterpret_cast<LPARAM>(&row)) == LB_ERR)
    row = RECT{};
  const POINT point = MenuPoint(list_, at, POINT{row.left, row.bottom});
  if (!FromTheKeyboard(at)) {
    // A right click selects the row under it first.
    POINT inside = point;
    ScreenToClient(list_, &inside);
    const LRESULT hit = SendMessageW(list_, LB_ITEMFROMPOINT, 0,
                                     MAKELPARAM(inside.x, inside.y));
    if (HIWORD(hit) == 0) SendMessageW(list_, LB_SETCURSEL, LOWORD(hit), 0);
  }
  const UniqueMenu menu(CreatePopupMenu());
  if (!menu) return;
  const SloganMenuState state = host_.SloganMenu(SelectedRow());
  for (const SloganMenuItem& item : kSloganMenu)
    if (SloganMenuItemShown(item, state))
      AppendMenuItem(menu.get(), item.separator_before,
                     (SloganMenuItemGreyed(item, state) ? MF_GRAYED : 0) |
                         (SloganMenuItemChecked(item, state) ? MF_CHECKED : 0),
                     item.command, MenuCaption(item.command));
  TrackMenuFor(owner, menu.get(), point);
}

void SloganList::Draw(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) {
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
    return;
  }
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &item.rcItem,
           GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const SloganRows& rows = host_.ShownRows();
  if (item.itemID < rows.size()) {
    std::array<bool, kPhrasePositions> held_now{};
    for (std::size_t i = 0; i < kPhrasePositions; ++i)
      held_now[i] = IsHeld(item.itemID, i);
    const bool any_held = held_now[0] || held_now[1] || held_now[2];
    const SloganRow& row = rows[item.itemID];
    SloganRowFigures figures{
        {}, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_GRAYTEXT)};
    for (RowFigure& figure : FiguresOfRow(host_.Meter(), row))
      figures.shown.push_back(std::move(figure.shown));
    DrawSloganRow(
        item.hDC, item.rcItem, row, held_now,
        {font_, any_held ? BoldFont() : font_,
         GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT),
         ScaleForDpi(kSloganTextIndent, dpi_)},
        figures);
  }
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

HFONT SloganList::BoldFont() {
  if (!bold_font_) bold_font_ = CreateMainFormFont(dpi_, FW_BOLD);
  return bold_font_ ? bold_font_.get() : font_;
}

}  // namespace tavlin
