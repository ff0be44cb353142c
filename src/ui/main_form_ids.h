// Every number the main window hands Windows: its controls' ids
// (main_form_controls.h) and its commands (command_table.h), which share
// WM_COMMAND, its timers and its private messages, each kind in a range of
// its own that no other crosses.
#pragma once

#include "src/ui/command_table.h"
#include "src/ui/main_form_controls.h"

namespace tavlin {

// The main window's timers.
enum MainFormTimer : int {
  kHistoryBalloonTimer = 699,  // hides the slogan list's balloon
  kStorageBalloonTimer = 700,  // hides the storage boxes' balloon
  kFirstSaveTimer = 701,       // saves a page's list: one a page
};
inline constexpr IdRange kSaveTimerIds{
    kFirstSaveTimer, kFirstSaveTimer + int{kMaximumPages} - 1};
static_assert(!Overlap({kHistoryBalloonTimer, kStorageBalloonTimer},
                       kSaveTimerIds),
              "each timer number has one job");

// The main window's private messages, counted from WM_APP.
inline constexpr unsigned kWindowsAppMessage = 0x8000;  // WM_APP
inline constexpr unsigned kRemoveStaleSavesMessage = kWindowsAppMessage + 1;
// Reads the rhythm meter's dictionary once the first slogans show.
inline constexpr unsigned kLoadReadingsMessage = kWindowsAppMessage + 2;
// Tells what the start found, once the window shows.
inline constexpr unsigned kTellStartReportsMessage = kWindowsAppMessage + 3;
// Saves beside the window have results for it to take up.
inline constexpr unsigned kSaveDoneMessage = kWindowsAppMessage + 4;
// Enters COM for the window's thread once the window shows.
inline constexpr unsigned kEnterComMessage = kWindowsAppMessage + 5;
// A watched folder of the storage lists changed (FolderWatch).
inline constexpr unsigned kListFolderChangedMessage = kWindowsAppMessage + 6;

}  // namespace tavlin
