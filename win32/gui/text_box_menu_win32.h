// A text box's own items of a context menu, in Japanese whatever the
// system's language (元に戻す, 切り取り, コピー, 貼り付け, 削除, すべて
// 選択): when each is enabled, what each does, and the menu of just those
// items for a box that has no other.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string_view>

#include "src/ui/storage_menu.h"

namespace tavlin {

// Whether box (its text read once as text) has what a text box's own item
// needs; nothing for a need that is not a text box's own.
std::optional<bool> TextBoxNeedMet(HWND box, std::wstring_view text,
                                   StorageMenuNeed need);

// Carries out a text box's own command on box; false for any other
// command.
bool RunTextBoxCommand(HWND box, int command);

// Where box's menu opens: at the mouse, or from the keyboard at the caret.
POINT TextBoxMenuPoint(HWND box, POINT at);

// Whether a need beyond a text box's own is met, for a box whose menu
// has more items; nothing leaves the item out.
using OtherNeedMet =
    std::function<std::optional<bool>(std::wstring_view text, StorageMenuNeed)>;

// The text box's own items over box, at (as WM_CONTEXTMENU gives it), and
// those of other_needs; the chosen command reaches owner as WM_COMMAND.
void ShowTextBoxMenu(HWND owner, HWND box, POINT at,
                     const OtherNeedMet& other_needs = nullptr);

}  // namespace tavlin
