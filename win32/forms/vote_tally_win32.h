// Tallying the committee's votes: the filled vote sheets chosen through the
// standard open dialog, read and summed beside the window, and the result
// shown in its own window.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "src/rhythm/mora_meter.h"

namespace tavlin {

struct VoteTallyAsked {
  std::u16string theme;                 // the storage list's
  std::vector<std::u16string> slogans;  // the list's, as the sheet took them
  std::filesystem::path folder;         // where the open dialog starts
  // Counts 音数 beside the window: no other reader or writer of it may run
  // until TallyVotes returns. Null for none.
  const MoraMeter* meter = nullptr;
};

// Returns once the result's window has closed, or at once where the user
// chose no file. The sheets are only read, and the list stays as it is.
// Throws TavlinError where the dialog or the window cannot be shown.
void TallyVotes(HWND owner, const VoteTallyAsked& asked);

}  // namespace tavlin
