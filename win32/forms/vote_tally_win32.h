// Tallying the committee's votes: the filled vote sheets chosen through the
// standard open dialog, read and summed beside the window, and the result
// shown in its own window.
#pragma once

#include <windows.h>

#include "src/app/window_asks.h"

namespace tavlin {

// Returns once the result's window has closed, or at once where the user
// chose no file. The sheets are only read, and the list stays as it is.
// Throws TavlinError where the dialog or the window cannot be shown.
void TallyVotes(HWND owner, const VoteTallyAsked& asked);

}  // namespace tavlin
