#include "win32/gui/control_rows_win32.h"

#include <commctrl.h>

#include <string>

#include "src/platform/messages.h"
#include "src/platform/tavlin_error.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

const wchar_t* ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::TabControl:
      return WC_TABCONTROLW;
    case ControlKind::PushButton:
      return WC_BUTTONW;
    case ControlKind::SloganList:
    case ControlKind::PickList:
    case ControlKind::NoteList:
      return WC_LISTBOXW;
    case ControlKind::StorageBox:
    case ControlKind::LineEdit:
    case ControlKind::PhraseBox:
      return WC_EDITW;
    case ControlKind::DropDownList:
      return WC_COMBOBOXW;
    case ControlKind::ReportList:
      return WC_LISTVIEWW;
    case ControlKind::HintPanel:
    case ControlKind::RightLabel:
    case ControlKind::TextLabel:
    case ControlKind::IconImage:
    case ControlKind::FieldLabel:
    case ControlKind::CountMargin:
      return WC_STATICW;
  }
  return WC_STATICW;
}

DWORD StyleOf(ControlKind kind) {
  const DWORD child = WS_CHILD | WS_CLIPSIBLINGS;
  switch (kind) {
    case ControlKind::TabControl:
      return child | WS_VISIBLE | WS_TABSTOP | TCS_TABS | TCS_SINGLELINE;
    case ControlKind::PushButton:
      return child | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
    case ControlKind::SloganList:
      return child | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED |
             LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    case ControlKind::HintPanel:
      return child | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX;
    // Hidden until its page shows.
    case ControlKind::StorageBox:
      return child | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
             ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN | ES_NOHIDESEL;
    case ControlKind::RightLabel:
      return child | WS_VISIBLE | SS_RIGHT;
    case ControlKind::LineEdit:
      return child | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
    case ControlKind::DropDownList:
      return child | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST;
    case ControlKind::TextLabel:
      return child | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX;
    case ControlKind::IconImage:
      return child | WS_VISIBLE | SS_ICON;
    case ControlKind::FieldLabel:
      return child | WS_VISIBLE | SS_LEFTNOWORDWRAP;
    case ControlKind::PhraseBox:
      return child | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL |
             ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN |
             ES_NOHIDESEL;
    // Drawn by its form beside the lines its box shows.
    case ControlKind::CountMargin:
      return child | WS_VISIBLE | SS_OWNERDRAW;
    case ControlKind::PickList:
      return child | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL |
             LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    // Its rows are asked of the window as they show: a long list fills at
    // once.
    case ControlKind::ReportList:
      return child | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
             LVS_SHOWSELALWAYS | LVS_OWNERDATA;
    case ControlKind::NoteList:
      return child | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL |
             LBS_NOINTEGRALHEIGHT;
  }
  return child;
}

bool HasSunkenBorder(ControlKind kind) {
  return kind == ControlKind::SloganList || kind == ControlKind::StorageBox ||
         kind == ControlKind::LineEdit || kind == ControlKind::PhraseBox ||
         kind == ControlKind::CountMargin || kind == ControlKind::PickList ||
         kind == ControlKind::ReportList || kind == ControlKind::NoteList;
}

}  // namespace

HWND CreateControl(HWND parent, int id, ControlKind kind,
                   const LayoutRect& placed, std::u16string_view caption,
                   DWORD extra_style) {
  HWND control = CreateWindowExW(
      HasSunkenBorder(kind) ? WS_EX_CLIENTEDGE : 0, ClassOf(kind),
      WideCString(std::u16string(caption)), StyleOf(kind) | extra_style,
      placed.left, placed.top, placed.width, placed.height, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      GetModuleHandleW(nullptr), nullptr);
  if (!control) throw TavlinError(kCannotCreateControl);
  return control;
}

void MoveControl(HWND control, const LayoutRect& placed) {
  SetWindowPos(control, nullptr, placed.left, placed.top, placed.width,
               placed.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

LayoutSize ClientSizeOf(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}

}  // namespace tavlin
