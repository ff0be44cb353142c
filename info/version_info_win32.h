// Reading the version resource of a file, and the captions and title that
// the windows take from the running program's own.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>

// A value of the file's version resource, trimmed; empty when the file has
// no resource, no translation or no such value. version.dll is reached only
// in the system folder, never beside the program.
std::wstring GetVersionInfoValue(std::u16string_view name,
                                 const std::filesystem::path& file);

// The full path of the running program file.
std::filesystem::path RunningExecutablePath();

// The application title of the running program (Tavlin.exe gives Tavlin).
std::wstring ApplicationTitle();

// Sets the caption "<title> Ver.<FileVersion> - <component_name>".
void ApplyVersionCaption(HWND window, std::u16string_view component_name);
