#include "win32/gui/text_box_menu_win32.h"

#include "src/ui/command_table.h"
#include "win32/gui/popup_menu_win32.h"
#include "win32/system/unique_handle_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

std::optional<bool> TextBoxNeedMet(HWND box, std::wstring_view text,
                                   StorageMenuNeed need) {
  switch (need) {
    case StorageMenuNeed::Undo:
      return SendMessageW(box, EM_CANUNDO, 0, 0) != 0;
    case StorageMenuNeed::Selection: {
      DWORD start = 0, end = 0;
      SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
      return start != end;
    }
    case StorageMenuNeed::ClipboardText:
      return IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
    case StorageMenuNeed::Text:
      return !text.empty();
    default:
      return std::nullopt;
  }
}

bool RunTextBoxCommand(HWND box, int command) {
  // The text box's own items are its own messages.
  struct EditCommand {
    int command;
    UINT message;
    LPARAM l;
  };
  static constexpr EditCommand kEditCommands[] = {
      {kStorageUndo, WM_UNDO, 0},    {kStorageCut, WM_CUT, 0},
      {kStorageCopy, WM_COPY, 0},    {kStoragePaste, WM_PASTE, 0},
      {kStorageDelete, WM_CLEAR, 0}, {kStorageSelectAll, EM_SETSEL, -1},
  };
  for (const EditCommand& edit : kEditCommands) {
    if (edit.command != command) continue;
    if (box) SendMessageW(box, edit.message, 0, edit.l);
    return true;
  }
  return false;
}

POINT TextBoxMenuPoint(HWND box, POINT at) {
  DWORD start = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  const LRESULT place = SendMessageW(box, EM_POSFROMCHAR, start, 0);
  const POINT caret = place == -1 ? POINT{0, 0}
                                  : POINT{static_cast<short>(LOWORD(place)),
                                          static_cast<short>(HIWORD(place))};
  return MenuPoint(box, at, caret);
}

void ShowTextBoxMenu(HWND owner, HWND box, POINT at,
                     const OtherNeedMet& other_needs) {
  const POINT point = TextBoxMenuPoint(box, at);
  SetFocus(box);
  const UniqueMenu menu(CreatePopupMenu());
  if (!menu) return;
  const std::wstring text = WindowTextOf(box);
  for (const StorageMenuItem& item : kStorageMenu) {
    std::optional<bool> met = TextBoxNeedMet(box, text, item.need);
    if (!met && other_needs) met = other_needs(text, item.need);
    if (met)
      AppendMenuItem(menu.get(), item.separator_before, *met ? 0 : MF_GRAYED,
                     item.command, MenuCaption(item.command));
  }
  TrackMenuFor(owner, menu.get(), point);
}

}  // namespace tavlin
