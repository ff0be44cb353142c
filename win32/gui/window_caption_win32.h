// The application title and the captions the windows take from the running
// program's own version resource.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tavlin {

// The application title of the running program (Tavlin.exe gives Tavlin).
std::u16string ApplicationTitle();

// Sets the caption "<title> Ver.<FileVersion> - <component_name>".
void ApplyVersionCaption(HWND window, std::u16string_view component_name);

}  // namespace tavlin
