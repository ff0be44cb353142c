// The context menu of a storage box as data: the standard items of a text
// box, in Japanese, then the poster of the slogan at the caret, the vote
// sheet of the whole list and the tally of the sheets filled in, and the
// lines another program deleted. Each item says what it needs to be
// enabled.
#pragma once

#include "src/ui/main_form_ids.h"

namespace tavlin {

enum class StorageMenuNeed {
  Undo,           // something to undo
  Selection,      // selected text
  ClipboardText,  // text on the clipboard
  Text,           // any text in the box
  SloganAtCaret,  // a line under the caret that is not blank
  Slogans,        // a line in the box that is not blank
  RemovedLines,   // lines another program deleted from the list's file
};

struct StorageMenuItem {
  StorageMenuCommand command;  // its caption is the command table's
  StorageMenuNeed need;
  bool separator_before;
};

inline constexpr StorageMenuItem kStorageMenu[] = {
    {kStorageUndo, StorageMenuNeed::Undo, false},
    {kStorageCut, StorageMenuNeed::Selection, true},
    {kStorageCopy, StorageMenuNeed::Selection, false},
    {kStoragePaste, StorageMenuNeed::ClipboardText, false},
    {kStorageDelete, StorageMenuNeed::Selection, false},
    {kStorageSelectAll, StorageMenuNeed::Text, true},
    {kStoragePoster, StorageMenuNeed::SloganAtCaret, true},
    {kStorageVoteSheet, StorageMenuNeed::Slogans, false},
    {kStorageVoteTally, StorageMenuNeed::Slogans, false},
    {kStorageRestoreRemoved, StorageMenuNeed::RemovedLines, true},
};

}  // namespace tavlin
