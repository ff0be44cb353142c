// The system's standard dialog for choosing where to save a file.
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

namespace tavlin {

struct SaveFileChoice {
  std::wstring title;
  // Pairs of a description and a pattern, each ended by a zero character,
  // as the dialog takes them: L"PNG 画像 (*.png)\0*.png\0".
  std::wstring filter;
  std::wstring default_extension;  // without the dot
  std::filesystem::path folder;    // where the dialog opens
  std::wstring file_name;          // the name it offers
};

// The file the user chose, or nothing when the dialog was cancelled. An
// existing file is chosen only after the dialog's own confirmation. Throws
// TavlinError when the dialog cannot be shown.
std::optional<std::filesystem::path> AskWhereToSave(
    HWND owner, const SaveFileChoice& choice);

}  // namespace tavlin
