// The context menu of a storage box as data: the standard items of a text
// box, in Japanese, then the poster of the slogan at the caret, the vote
// sheet of the whole list and the tally of the sheets filled in, and the
// lines another program deleted. Each item says what it needs to be
// enabled.
#pragma once

#include <string_view>

#include "src/ui/common_captions.h"
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
  StorageMenuCommand command;
  std::u16string_view caption;
  StorageMenuNeed need;
  bool separator_before;
};

inline constexpr StorageMenuItem kStorageMenu[] = {
    {kStorageUndo, u"元に戻す(&U)", StorageMenuNeed::Undo, false},
    {kStorageCut, u"切り取り(&T)", StorageMenuNeed::Selection, true},
    {kStorageCopy, kCopyCaption, StorageMenuNeed::Selection, false},
    {kStoragePaste, u"貼り付け(&P)", StorageMenuNeed::ClipboardText, false},
    {kStorageDelete, u"削除(&D)", StorageMenuNeed::Selection, false},
    {kStorageSelectAll, u"すべて選択(&A)", StorageMenuNeed::Text, true},
    {kStoragePoster, u"ポスターを作成(&O)...", StorageMenuNeed::SloganAtCaret,
     true},
    {kStorageVoteSheet, u"一覧表を書き出す(&E)...", StorageMenuNeed::Slogans,
     false},
    {kStorageVoteTally, u"投票を集計(&V)...", StorageMenuNeed::Slogans, false},
    {kStorageRestoreRemoved, u"消された行を戻す(&R)",
     StorageMenuNeed::RemovedLines, true},
};

}  // namespace tavlin
