// Text put into a text box by the program rather than typed: the whole of
// it, or only the part that differs from what the box shows, so that the
// caret and the scrolling stay with the text the user was at.
#pragma once

#include <windows.h>

#include <string_view>

namespace tavlin {

// Puts text into box whole, as its new contents; false where the box
// cannot hold all of it.
bool ReplaceAllText(HWND box, std::u16string_view text);

// Replaces what differs between the box's text and text, as one edit; the
// caret and the first line in view move with the text around them. Undo
// starts afresh: it never takes back what another writer did.
void ReplaceChangedText(HWND box, std::u16string_view text);

// The line of the box's text (text, read once) that the caret stands on.
std::u16string_view LineAtCaret(HWND box, std::wstring_view text);

}  // namespace tavlin
