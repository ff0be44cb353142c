// The shell conveniences of the information window: opening documents,
// folders and links, a file's properties sheet, the user's special folders
// and shortcuts to the program.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tavlin {

// Opens target with its default action, its directory part as working
// folder; failures are silent. owner may be null.
void ShellOpen(HWND owner, std::u16string_view target);

// Shows the file's properties sheet, or nothing; never reports.
void ShowProperties(HWND owner, const std::wstring& path);

// The folder's file-system path, or empty.
std::u16string GetSpecialFolderPath(HWND owner, int folder_id);
std::u16string GetStartupFolder(HWND owner);
std::u16string GetDesktopFolder(HWND owner);
std::u16string GetSendToFolder(HWND owner);

// Writes "<folder>\<name>.lnk" pointing at target, with the arguments
// "/starup" and the target's directory as working folder. Throws
// TavlinError on failure, an empty folder included (a special folder that
// could not be found); no shortcut file is left unless it was saved.
void CreateShortcut(std::u16string_view target, std::u16string_view folder,
                    std::u16string_view name);

}  // namespace tavlin
