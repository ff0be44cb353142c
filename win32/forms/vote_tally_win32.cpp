#include "win32/forms/vote_tally_win32.h"

#include "src/storage/vote_tally.h"
#include "win32/forms/vote_tally_form_win32.h"
#include "win32/gui/work_beside_win32.h"
#include "win32/system/file_dialog_win32.h"
#include "win32/system/shift_jis_codec_win32.h"
#include "win32/system/vote_sheet_files_win32.h"

namespace tavlin {

void TallyVotes(HWND owner, const VoteTallyAsked& asked) {
  OpenFilesChoice choice;
  choice.title = L"集計する投票用紙を選ぶ";
  // Excel saves a sheet back as CSV, or as Unicode text with tabs (.txt).
  choice.filter = FileTypeFilter(L"CSV (コンマ区切り) (*.csv)", L"*.csv") +
                  FileTypeFilter(L"テキスト (タブ区切り) (*.txt)", L"*.txt") +
                  FileTypeFilter(L"すべてのファイル (*.*)", L"*.*");
  choice.folder = asked.folder;
  const std::vector<std::filesystem::path> paths =
      AskWhichFilesToOpen(owner, choice);
  if (paths.empty()) return;
  VoteTallyShown shown{asked.theme, {}, paths.front().parent_path()};
  // Sheets on a share, or many of them, take their time: the windows go
  // on answering meanwhile.
  WorkBesideWindow(owner, [&] {
    const ShiftJisCodec shift_jis;
    shown.tally = TallyVoteSheets(asked.slogans, ReadVoteSheetFiles(paths),
                                  shift_jis, asked.meter);
  });
  // The program may have been closed while the sheets were read.
  if (IsWindow(owner)) ShowVoteTallyForm(owner, shown);
}

}  // namespace tavlin
