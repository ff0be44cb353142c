// The window 消された行 shows the lines that went out of a storage list in
// the last thirty days, when and how each went, and lets the user pick the
// ones to put back. Those taken from other writers start picked.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "src/storage/removed_record.h"

namespace tavlin {

// The lines the user picked to put back, in the window's order; nothing
// when the window was closed without putting back.
std::vector<std::u16string> PickRemovedLines(
    HWND owner, std::u16string_view theme,
    const std::vector<RemovedLine>& lines);

}  // namespace tavlin
