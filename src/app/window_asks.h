// What the main window's host hands the windows it asks to open: each
// takes what it needs from here and nothing from the host itself.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "src/rhythm/mora_meter.h"

namespace tavlin {

// The phrase workshop, for one theme.
struct WorkshopAsked {
  std::filesystem::path folder;  // the program's, where the files are
  std::u16string theme;
  const MoraMeter* meter = nullptr;
  std::vector<std::u16string> themes;  // every theme there is
};

// A storage list written out as the committee's vote sheet.
struct VoteSheetAsked {
  std::u16string theme;
  std::u16string list_text;  // the box's, as it shows now
  std::filesystem::path program_folder;
  const MoraMeter* meter = nullptr;
};

// The committee's filled vote sheets of a list, tallied.
struct VoteTallyAsked {
  std::u16string theme;                 // the storage list's
  std::vector<std::u16string> slogans;  // the list's, as the sheet took them
  std::filesystem::path folder;         // where the open dialog starts
  // Counts 音数 beside the window: no other reader or writer of it may run
  // until the tally returns. Null for none.
  const MoraMeter* meter = nullptr;
};

}  // namespace tavlin
