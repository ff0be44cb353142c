// The system's standard dialogs for choosing where to save a file and which
// files to open.
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavlin {

struct SaveFileChoice {
  std::wstring title;
  std::wstring filter;             // from FileTypeFilter
  std::wstring default_extension;  // without the dot
  std::filesystem::path folder;    // where the dialog opens
  std::wstring file_name;          // the name it offers
};

// The one type of file a dialog offers, as the dialog takes it: the
// description and the pattern, each ended by a zero character.
std::wstring FileTypeFilter(std::wstring_view description,
                            std::wstring_view pattern);

// The file the user chose, or nothing when the dialog was cancelled. An
// existing file is chosen only after the dialog's own confirmation. Throws
// TavlinError when the dialog cannot be shown.
std::optional<std::filesystem::path> AskWhereToSave(
    HWND owner, const SaveFileChoice& choice);

struct OpenFilesChoice {
  std::wstring title;
  std::wstring filter;           // FileTypeFilter for each type, joined
  std::filesystem::path folder;  // where the dialog opens
};

// The existing files the user chose, one or several, in the dialog's
// order; none when the dialog was cancelled. Throws TavlinError when the
// dialog cannot be shown.
std::vector<std::filesystem::path> AskWhichFilesToOpen(
    HWND owner, const OpenFilesChoice& choice);

}  // namespace tavlin
