#include "win32/system/file_dialog_win32.h"

#include <cderr.h>
#include <commdlg.h>

#include <cwchar>
#include <vector>

#include "src/platform/messages.h"
#include "src/platform/tavlin_error.h"
#include "win32/system/common_dialogs_win32.h"

namespace tavlin {

std::wstring FileTypeFilter(std::wstring_view description,
                            std::wstring_view pattern) {
  std::wstring filter(description);
  filter.append(1, L'\0').append(pattern).append(1, L'\0');
  return filter;
}

std::optional<std::filesystem::path> AskWhereToSave(
    HWND owner, const SaveFileChoice& choice) {
  using GetSaveFileName = BOOL(WINAPI*)(OPENFILENAMEW*);
  static const auto get_save_file_name =
      CommonDialogFunction<GetSaveFileName>("GetSaveFileNameW");
  if (!get_save_file_name) throw TavlinError(kCannotShowSaveDialog);

  std::vector<wchar_t> file(32768, L'\0');
  choice.file_name.copy(file.data(), file.size() - 1);
  const std::wstring folder = choice.folder.wstring();
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = choice.filter.c_str();
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = choice.title.c_str();
  dialog.lpstrDefExt = choice.default_extension.c_str();
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
                 OFN_HIDEREADONLY | OFN_EXPLORER;
  if (get_save_file_name(&dialog)) return std::filesystem::path(file.data());
  if (CommonDialogError() != 0) throw TavlinError(kCannotShowSaveDialog);
  return std::nullopt;
}

std::vector<std::filesystem::path> AskWhichFilesToOpen(
    HWND owner, const OpenFilesChoice& choice) {
  using GetOpenFileName = BOOL(WINAPI*)(OPENFILENAMEW*);
  static const auto get_open_file_name =
      CommonDialogFunction<GetOpenFileName>("GetOpenFileNameW");
  if (!get_open_file_name) throw TavlinError(kCannotShowOpenDialog);

  // Room for a committee's sheets with long names: the names come back
  // one after another in this buffer.
  std::vector<wchar_t> names(1 << 17, L'\0');
  const std::wstring folder = choice.folder.wstring();
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = choice.filter.c_str();
  dialog.lpstrFile = names.data();
  dialog.nMaxFile = static_cast<DWORD>(names.size() - 1);
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = choice.title.c_str();
  dialog.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST |
                 OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  if (!get_open_file_name(&dialog)) {
    const DWORD error = CommonDialogError();
    if (error == FNERR_BUFFERTOOSMALL) throw TavlinError(kTooManyFilesChosen);
    if (error != 0) throw TavlinError(kCannotShowOpenDialog);
    return {};
  }
  // One file comes as its path; several as their folder, then each name.
  const wchar_t* at = names.data();
  if (dialog.nFileOffset == 0 || at[dialog.nFileOffset - 1] != L'\0')
    return {std::filesystem::path(at)};
  const std::filesystem::path chosen_folder(at);
  std::vector<std::filesystem::path> files;
  for (at += dialog.nFileOffset; *at; at += std::wcslen(at) + 1)
    files.push_back(chosen_folder / at);
  return files;
}

}  // namespace tavlin
