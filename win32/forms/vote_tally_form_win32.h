// The window 投票の集計: the committee's votes summed, a line that sums them
// up, the slogans ranked in a list, and what the sheets held that was not
// counted; the chosen slogan's poster, the tally copied (Ctrl+C) or
// written out as CSV.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

#include "src/storage/vote_tally.h"

namespace tavlin {

struct VoteTallyShown {
  std::u16string theme;  // the storage list's, for the title and the names
  VoteTally tally;
  // Where the sheets lay: the CSV is offered a place beside them.
  std::filesystem::path sheets_folder;
};

// Opens the window over owner, which takes no input meanwhile; returns
// when it has closed. Throws TavlinError when it cannot be made, and then
// shows nothing.
void ShowVoteTallyForm(HWND owner, const VoteTallyShown& shown);

}  // namespace tavlin
