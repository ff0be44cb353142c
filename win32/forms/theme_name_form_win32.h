// The small window 新しいテーマ asks a theme's name in: a line to type it,
// OK and キャンセル. A name that cannot be a new theme is refused with a
// message that says why, and the window stays for another try.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tavlin {

// The name the user gave, checked against themes; nothing when cancelled.
std::optional<std::u16string> AskNewThemeName(
    HWND owner, const std::vector<std::u16string>& themes);

}  // namespace tavlin
