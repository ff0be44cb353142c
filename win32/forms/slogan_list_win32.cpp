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
constexpr UINT kHistoryBalloonShown = 3000;

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

void SloganList::ShowPage(std::size_t page, PhraseHolds& holds) {
  page_ = page;
  holds_ = &holds;
  balloon_.Hide();
  InvalidateRect(list_, nullptr, TRUE);
}

GenerationHistory& SloganList::History() {
  if (histories_.size() <= page_) histories_.resize(page_ + 1);
  return histories_[page_];
}

void SloganList::RememberGeneration() { History().Add(shown_); }

bool SloganList::ShowEarlier(HWND owner) {
  if (!History().CanGoBack()) return false;
  Show(History().Back(), owner);
  return true;
}

bool SloganList::ShowLater(HWND owner) {
  if (!History().CanGoForward()) return false;
  Show(History().Forward(), owner);
  return true;
}

void SloganList::Show(const ShownGeneration& generation, HWND owner) {
  // Nothing is read or drawn again: the parts as they were shown.
  SendMessageW(list_, LB_RESETCONTENT, 0, 0);
  shown_ = generation;
  wide_.clear();
  for (const ShownSlogan& slogan : shown_) {
    WideParts& wide = wide_.emplace_back();
    std::wstring text;
    for (std::size_t i = 0; i < kPhrasePositions; ++i) {
      wide[i] = WideFromShiftJis(slogan.parts[i]);
      text += (i > 0 ? L" " : L"") + wide[i];
    }
    SendMessageW(list_, LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(text.c_str()));
  }
  const std::string position = std::to_string(History().position()) + "/" +
                               std::to_string(History().size());
  balloon_.Show(owner, list_, std::wstring(position.begin(), position.end()));
  SetTimer(owner, kHistoryBalloonTimer, kHistoryBalloonShown, nullptr);
}

void SloganList::UseFont(HFONT font, int dpi) {
  font_ = font;
  dpi_ = dpi;
  bold_font_.reset();
}

void SloganList::RemoveAll() {
  SendMessageW(list_, LB_RESETCONTENT, 0, 0);
  shown_.clear();
  wide_.clear();
  balloon_.Hide();
}

void SloganList::Append(ShiftJisView slogan) {
  // A slogan without its parts: shown as one, held nowhere.
  const std::wstring text = WideFromShiftJis(slogan);
  SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  ShownSlogan& shown = shown_.emplace_back();
  shown.parts[0] = ShiftJisText(std::string(slogan.bytes()));
  wide_.emplace_back();
}

void SloganList::AppendParts(const ComposedSlogan& slogan) {
  SloganListTarget::AppendParts(slogan);
  ShownSlogan& shown = shown_.back();
  WideParts& wide = wide_.back();
  for (std::size_t i = 0; i < kPhrasePositions; ++i) {
    shown.parts[i] = ShiftJisText(std::string(slogan.parts[i].bytes()));
    shown.held[i] = slogan.held[i];
    wide[i] = WideFromShiftJis(slogan.parts[i]);
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

const ShownSlogan* SloganList::Selected() const {
  const LRESULT index = SendMessageW(list_, LB_GETCURSEL, 0, 0);
  if (index < 0 || static_cast<std::size_t>(index) >= shown_.size())
    return nullptr;
  return &shown_[static_cast<std::size_t>(index)];
}

bool SloganList::IsHeld(std::size_t row, std::size_t part) const {
  if (!holds_ || row >= shown_.size()) return false;
  const std::optional<ShiftJisText>& held = holds_->phrases[part];
  return held && !wide_[row][part].empty() && *held == shown_[row].parts[part];
}

void SloganList::ToggleHold(PhrasePosition position) {
  const ShownSlogan* slogan = Selected();
  const auto part = static_cast<std::size_t>(position);
  if (!holds_ || !slogan) return;
  const auto row = static_cast<std::size_t>(slogan - shown_.data());
  if (wide_[row][part].empty()) return;
  std::optional<ShiftJisText>& held = holds_->at(position);
  if (IsHeld(row, part))
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
    case kMenuEarlier:
      ShowEarlier(owner);
      return true;
    case kMenuLater:
      ShowLater(owner);
      return true;
  }
  return false;
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
  const ShownSlogan* slogan = Selected();
  const UniqueMenu menu(CreatePopupMenu());
  if (!menu) return;
  SloganMenuState state;
  state.slogan_selected = slogan != nullptr;
  state.any_held = holds_ && holds_->any();
  state.can_go_back = History().CanGoBack();
  state.can_go_forward = History().CanGoForward();
  for (std::size_t part = 0; slogan && part < kPhrasePositions; ++part)
    state.part_held[part] =
        IsHeld(static_cast<std::size_t>(slogan - shown_.data()), part);
  for (const SloganMenuItem& item : kSloganMenu)
    AppendMenuItem(menu.get(), item.separator_before,
                   (SloganMenuItemGreyed(item, state) ? MF_GRAYED : 0) |
                       (SloganMenuItemChecked(item, state) ? MF_CHECKED : 0),
                   item.command, item.caption);
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
    bool any_held = false;
    for (std::size_t i = 0; i < kPhrasePositions; ++i)
      any_held = any_held || IsHeld(item.itemID, i);
    if (any_held)
      DrawParts(item.hDC, text_rect, item.itemID);
    else
      DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()),
                &text_rect, kTextFormat);
  }
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

void SloganList::DrawParts(HDC dc, RECT text_rect, std::size_t row) {
  // Part by part, the held ones in bold, each behind the one before.
  for (std::size_t i = 0; i < kPhrasePositions; ++i) {
    const std::wstring part = (i > 0 ? L" " : L"") + wide_[row][i];
    const SelectedObject weight(dc, IsHeld(row, i) ? BoldFont() : font_);
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
