#include "win32/forms/vote_sheet_export_win32.h"

#include "src/platform/atomic_save.h"
#include "src/storage/vote_sheet.h"
#include "src/ui/export_names.h"
#include "win32/system/file_dialog_win32.h"
#include "win32/system/known_folder_win32.h"
#include "win32/system/local_date_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

std::size_t VoteSheetCharacterLimit(
    const std::filesystem::path& program_folder) {
  const std::filesystem::path settings = program_folder / L"Tavlin.ini";
  const UINT limit = GetPrivateProfileIntW(
      L"VoteSheet", L"MaxCharacters",
      static_cast<INT>(kDefaultMaxSloganCharacters), settings.c_str());
  return limit > 0 && limit < 1000 ? limit : kDefaultMaxSloganCharacters;
}

std::optional<std::filesystem::path> ExportVoteSheet(HWND owner, std::u16string_view theme,
                     std::u16string_view box_text,
                     const std::filesystem::path& program_folder,
                     const MoraMeter* meter) {
  SaveFileChoice choice;
  choice.title = L"一覧表を書き出す";
  choice.filter = FileTypeFilter(L"CSV (コンマ区切り) (*.csv)", L"*.csv");
  choice.default_extension = L"csv";
  choice.folder = DocumentsFolder();
  choice.file_name = std::wstring(
      AsWide(ExportFileName(theme, u"投票用", LocalDate(), u"csv")));
  const std::optional<std::filesystem::path> file =
      AskWhereToSave(owner, choice);
  if (!file) return std::nullopt;
  const std::string sheet = VoteSheetCsv(
      SheetSlogans(box_text), VoteSheetCharacterLimit(program_folder), meter);
  SaveFileAtomically(*file, sheet, ExistingFile::Replace);
  // What an export stopped midway left there goes, once old.
  RemoveStaleTemporaryFilesOfKind(file->parent_path(), ".csv",
                                  kStaleTemporaryFileAge);
  return file;
}

}  // namespace tavlin
