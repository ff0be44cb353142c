#include "win32/forms/slogan_list_win32.h"

#include "src/ui/layout.h"
#include "src/ui/main_form_layout.h"
#include "src/ui/slogan_menu.h"
#include "win32/forms/main_form_font_win32.h"
#include "win32/gui/popup_menu_win32.h"
#include "win32/system/clipboard_win32.h"
#include "win32/system/device_context_win32.h"
#include "win32/system/shift_jis.h"

namespace tavlin {

namespace {

constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT;

// One item of a list box; empty where there is none.
std::wstring ListBoxItemText(HWND list, WPARAM index) {
  const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

}  // namespace

void SloganList::ShowHoldsOf(PhraseHolds& holds) {
  holds_ = &holds;
  InvalidateRect(list_, nullptr, TRUE);
}

void SloganList::UseFont(HFONT font, int dpi) {
  font_ = font;
  dpi_ = dpi;
  bold_font_.reset();
}

void SloganList::RemoveAll() {
  SendMessageW(list_, LB_RESETCONTENT, 0, 0);
  shown_.clear();
}

void SloganList::Append(ShiftJisView slogan) {
  const std::wstring text = WideFromShiftJis(slogan);
  SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  shown_.emplace_back();
}

void SloganList::AppendParts(const ComposedSlogan& slogan) {
  SloganListTarget::AppendParts(slogan);
  ShownSlogan& shown = shown_.back();
  for (std::size_t i = 0; i < kPhrasePositions; ++i) {
    shown.parts[i] = ShiftJisText(std::string(slogan.parts[i].bytes()));
    shown.wide_parts[i] = WideFromShiftJis(slogan.parts[i]);
  }
}

std::wstring SloganList::SelectedText() const {
  const LRESULT index = SendMessageW(list_, LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? std::wstring()
                         : ListBoxItemText(list_, static_cast<WPARAM>(index));
}

void SloganList::CopySelected(HWND owner) const {
  const std::wstring slogan = SelectedText();
  if (!slogan.empty()) CopyTextToClipboard(owner, slogan);
}

const SloganList::ShownSlogan* SloganList::Selected() const {
  const LRESULT index = SendMessageW(list_, LB_GETCURSEL, 0, 0);
  if (index < 0 || static_cast<std::size_t>(index) >= shown_.size())
    return nullptr;
  return &shown_[static_cast<std::size_t>(index)];
}

bool SloganList::IsHeld(const ShownSlogan& slogan, std::size_t part) const {
  if (!holds_) return false;
  const std::optional<ShiftJisText>& held = holds_->phrases[part];
  return held && !slogan.wide_parts[part].empty() &&
         *held == slogan.parts[part];
}

void SloganList::ToggleHold(PhrasePosition position) {
  const ShownSlogan* slogan = Selected();
  const auto part = static_cast<std::size_t>(position);
  if (!holds_ || !slogan || slogan->wide_parts[part].empty()) return;
  std::optional<ShiftJisText>& held = holds_->at(position);
  if (IsHeld(*slogan, part))
    held.reset();
  else
    held = slogan->parts[part];
  InvalidateRect(list_, nullptr, TRUE);
}

bool SloganList::RunMenuCommand(int command, HWND owner) {
  switch (command) {
    case kMenuCopy:
      CopySelected(owner);
      return true;
    case kMenuHoldUpper:
    case kMenuHoldMiddle:
    case kMenuHoldLower:
      ToggleHold(static_cast<PhrasePosition>(command - kMenuHoldUpper));
      return true;
    case kMenuReleaseHolds:
      if (holds_) *holds_ = PhraseHolds();
      InvalidateRect(list_, nullptr, TRUE);
      return true;
  }
  return false;
}

void SloganList::ShowMenu(HWND owner, LPARAM at) {
  // From the keyboard: below the selected row, or at the list's corner.
  RECT row{};
  const LRESULT index = SendMessageW(list_, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR || SendMessageW(list_, LB_GETITEMRECT, index,
                                      reinterpret_cast<LPARAM>(&row)) == LB_ERR)
    row = RECT{};
  const POINT point = MenuPoint(list_, at, POINT{row.left, row.bottom});
  if (at != -1) {
    // A right click selects the row under it first.
    POINT inside = point;
    ScreenToClient(list_, &inside);
    const LRESULT hit = SendMessageW(list_, LB_ITEMFROMPOINT, 0,
                                     MAKELPARAM(inside.x, inside.y));
    if (HIWORD(hit) == 0) SendMessageW(list_, LB_SETCURSEL, LOWORD(hit), 0);
  }
  const ShownSlogan* slogan = Selected();
  const UniqueMenu menu(CreatePopupMenu());
  if (!menu) return;
  for (const SloganMenuItem& item : kSloganMenu) {
    UINT flags = 0;
    if (item.needs_slogan && !slogan) flags |= MF_GRAYED;
    if (item.command == kMenuReleaseHolds && !(holds_ && holds_->any()))
      flags |= MF_GRAYED;
    const int part = item.command - kMenuHoldUpper;
    if (part >= 0 && part < static_cast<int>(kPhrasePositions) && slogan &&
        IsHeld(*slogan, static_cast<std::size_t>(part)))
      flags |= MF_CHECKED;
    AppendMenuItem(menu.get(), item.separator_before, flags, item.command,
                   item.caption);
  }
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
  const std::wstring text = ListBoxItemText(item.hwndItem, item.itemID);
  if (!text.empty()) {
    const SelectedObject font(item.hDC, font_);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT
                                                : COLOR_WINDOWTEXT));
    RECT text_rect = item.rcItem;
    text_rect.left += ScaleForDpi(kSloganTextIndent, dpi_);
    const ShownSlogan* shown =
        item.itemID < shown_.size() ? &shown_[item.itemID] : nullptr;
    bool any_held = false;
    for (std::size_t i = 0; shown && i < kPhrasePositions; ++i)
      any_held = any_held || IsHeld(*shown, i);
    if (any_held)
      DrawParts(item.hDC, text_rect, *shown);
    else
      DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()),
                &text_rect, kTextFormat);
  }
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

void SloganList::DrawParts(HDC dc, RECT text_rect, const ShownSlogan& shown) {
  // Part by part, the held ones in bold, each behind the one before.
  for (std::size_t i = 0; i < kPhrasePositions; ++i) {
    const std::wstring part = (i > 0 ? L" " : L"") + shown.wide_parts[i];
    const SelectedObject weight(dc, IsHeld(shown, i) ? BoldFont() : font_);
    SIZE extent{};
    GetTextExtentPoint32W(dc, part.c_str(), static_cast<int>(part.size()),
                          &extent);
    DrawTextW(dc, part.c_str(), static_cast<int>(part.size()), &text_rect,
              kTextFormat);
    text_rect.left += extent.cx;
  }
}

HFONT SloganList::BoldFont() {
  if (!bold_font_) bold_font_ = CreateMainFormFont(dpi_, FW_BOLD);
  return bold_font_ ? bold_font_.get() : font_;
}

}  // namespace tavlin
