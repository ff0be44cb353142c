// Where a list goes when its file refused a save, decided after the locked
// write: beside the file, else the copy in the user's folder, else, at the
// end of a Windows session, the temporary folder; never nowhere without a
// word. Each save tries the list's own file first again.
#pragma once

#include "src/storage/storage_save.h"

namespace tavlin {

// Keeps the refused save's text in the first place that takes it and says
// where in outcome, or makes outcome Failed with the reason. Text that
// holds nothing of the session goes nowhere; the failure is then told only
// when the list is closed.
SaveOutcome DivertRefusedSave(StorageFileState& state, RefusedSave refused,
                              const SaveRequest& request, SaveOutcome outcome);

}  // namespace tavlin
