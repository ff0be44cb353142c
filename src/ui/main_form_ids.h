// Every number the main window hands Windows, in one place: its controls'
// ids and its menus' commands, which share WM_COMMAND, its timers and its
// private messages, each kind in a range of its own that no other crosses.
#pragma once

#include <cstddef>

namespace tavlin {

// A range of numbers, both ends included.
struct IdRange {
  int first;
  int last;
};

constexpr bool Overlap(IdRange a, IdRange b) {
  return a.first <= b.last && b.first <= a.last;
}

constexpr bool Contains(IdRange range, int id) {
  return range.first <= id && id <= range.last;
}

// The main window's controls, under the names its design gave them.
enum MainFormControl : int {
  kBitBtn1 = 101,  // 標語作成: composes five new slogans
  kBitBtn2,        // バージョン: opens the information window
  kListBox1,       // the five fresh slogans; a double-click stores one
  kPanel1,         // the hint above the storage box
  kMemSafe,        // the safety page's storage list
  kMemQuality,     // the quality page's storage list
  kPageControl1,   // the theme tabs: 安全 and 品質
};
inline constexpr IdRange kMainFormControlIds{kBitBtn1, kPageControl1};

// The pages there can be: each has a storage box and a save timer.
inline constexpr std::size_t kMaximumPages = 100;
// The storage boxes of the pages beyond the first two, in page order.
inline constexpr int kFirstExtraStorageBox = 301;
inline constexpr IdRange kExtraStorageBoxIds{
    kFirstExtraStorageBox, kFirstExtraStorageBox + int{kMaximumPages} - 3};

// The storage box of the page at index: the design's names for the first
// two, then one each from kFirstExtraStorageBox.
constexpr int StorageBoxId(std::size_t page) {
  return page == 0   ? kMemSafe
         : page == 1 ? kMemQuality
                     : kFirstExtraStorageBox + static_cast<int>(page) - 2;
}

// The slogan list's menu.
enum SloganMenuCommand : int {
  kMenuStore = 201,    // as a double-click: into the page's storage list
  kMenuCopy,           // the slogan onto the clipboard
  kMenuHoldUpper,      // keep the first part at the next generations
  kMenuHoldMiddle,     // keep the middle part
  kMenuHoldLower,      // keep the last part
  kMenuReleaseHolds,   // draw every part again
  kMenuPoster,         // the slogan as a vertical poster
  kMenuEarlier,        // the page's previous generation, as it was shown
  kMenuLater,          // the page's next generation
  kMenuFiveSevenFive,  // generations keep to 五・七・五, or no longer
  kMenuEditPhrases,    // the phrase workshop, for the page's theme
};
inline constexpr IdRange kSloganMenuIds{kMenuStore, kMenuEditPhrases};

// A storage box's menu.
enum StorageMenuCommand : int {
  kStorageUndo = 221,
  kStorageCut,
  kStorageCopy,
  kStoragePaste,
  kStorageDelete,
  kStorageSelectAll,
  kStoragePoster,          // the line under the caret as a vertical poster
  kStorageVoteSheet,       // the list as a CSV sheet for the committee's vote
  kStorageVoteTally,       // the filled sheets read back and their votes summed
  kStorageRestoreRemoved,  // lines another program deleted, put back
};
inline constexpr IdRange kStorageMenuIds{kStorageUndo, kStorageRestoreRemoved};

// Commands only keys give.
enum PageCommand : int {
  kNextPage = 241,  // the page to the right, or the first after the last
  kPreviousPage,
};
inline constexpr IdRange kPageCommandIds{kNextPage, kPreviousPage};

static_assert(!Overlap(kMainFormControlIds, kExtraStorageBoxIds) &&
                  !Overlap(kMainFormControlIds, kSloganMenuIds) &&
                  !Overlap(kMainFormControlIds, kStorageMenuIds) &&
                  !Overlap(kExtraStorageBoxIds, kSloganMenuIds) &&
                  !Overlap(kExtraStorageBoxIds, kStorageMenuIds) &&
                  !Overlap(kSloganMenuIds, kStorageMenuIds) &&
                  !Overlap(kPageCommandIds, kMainFormControlIds) &&
                  !Overlap(kPageCommandIds, kExtraStorageBoxIds) &&
                  !Overlap(kPageCommandIds, kSloganMenuIds) &&
                  !Overlap(kPageCommandIds, kStorageMenuIds),
              "controls and commands share WM_COMMAND: no number twice");

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
