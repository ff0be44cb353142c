// Putting text and pictures on the clipboard.
#pragma once

#include <windows.h>

#include <string_view>

namespace tavlin {

// Replaces the clipboard's content with text as Unicode, followed by a
// Shift-JIS copy for programs that read only ANSI text, marked Japanese so
// that Windows converts it right. Throws TavlinError when the clipboard
// cannot be had.
void CopyTextToClipboard(HWND owner, std::wstring_view text);

// Replaces the clipboard's content with a picture (CF_DIB) made from a
// bitmap of 32 bits a pixel (blue, green, red, unused), top row first.
void CopyPictureToClipboard(HWND owner, const void* pixels, int width,
                            int height);

}  // namespace tavlin
