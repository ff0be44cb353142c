// Every window's commands in one table each: a command's id, its menu
// caption and its key, read by the menus and by the key handling alike,
// and run by the window's one dispatcher. A command of the main window
// with a key is one row here and one action of the host.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "src/ui/common_captions.h"
#include "src/ui/main_form_controls.h"
#include "src/ui/poster_form_layout.h"
#include "src/ui/tally_form_layout.h"

namespace tavlin {

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

static_assert(!Overlap(kMainFormControlIds, kSloganMenuIds) &&
                  !Overlap(kMainFormControlIds, kStorageMenuIds) &&
                  !Overlap(kExtraStorageBoxIds, kSloganMenuIds) &&
                  !Overlap(kExtraStorageBoxIds, kStorageMenuIds) &&
                  !Overlap(kSloganMenuIds, kStorageMenuIds) &&
                  !Overlap(kPageCommandIds, kMainFormControlIds) &&
                  !Overlap(kPageCommandIds, kExtraStorageBoxIds) &&
                  !Overlap(kPageCommandIds, kSloganMenuIds) &&
                  !Overlap(kPageCommandIds, kStorageMenuIds),
              "controls and commands share WM_COMMAND: no number twice");

// Where the keyboard focus is when a key is pressed: a key works only in
// the places its row names, so that a storage box keeps its own keys.
enum FocusPlace : unsigned {
  kOnSloganList = 1,
  kOnStorageBox = 2,
  kOnTabs = 4,
  kOnOtherControl = 8,
};
inline constexpr unsigned kAnyFocus =
    kOnSloganList | kOnStorageBox | kOnTabs | kOnOtherControl;

// The modifiers held with a key.
enum KeyModifier : unsigned { kCtrl = 1, kShift = 2, kAlt = 4 };

// Windows' virtual-key codes of the keys the table names.
enum VirtualKey : std::uint16_t {
  kKeyTab = 0x09,
  kKeyEnter = 0x0D,
  kKeyLeft = 0x25,
  kKeyRight = 0x27,
};

struct CommandKey {
  std::uint16_t key = 0;  // a virtual-key code, or a capital letter; 0: none
  unsigned modifiers = 0;
  unsigned where = kAnyFocus;
};

struct CommandRow {
  int id;
  std::u16string_view caption;  // with its access key; empty: no menu item
  CommandKey key;
};

inline constexpr CommandRow kMainCommands[] = {
    {kBitBtn1, u"", {}},  // 標語作成
    {kBitBtn2, u"", {}},  // バージョン
    {kMenuStore, u"保管庫に追加(&A)", {kKeyEnter, 0, kOnSloganList}},
    {kMenuCopy, kCopyCaption, {'C', kCtrl, kOnSloganList}},
    {kMenuHoldUpper, u"上の句を固定(&1)", {}},
    {kMenuHoldMiddle, u"中の句を固定(&2)", {}},
    {kMenuHoldLower, u"下の句を固定(&3)", {}},
    {kMenuReleaseHolds, u"固定をすべて解除(&R)", {}},
    {kMenuPoster, u"ポスターを作成(&P)...", {}},
    {kMenuEarlier,
     u"前の標語(&B)",
     {kKeyLeft, kAlt, kAnyFocus & ~unsigned{kOnStorageBox}}},
    {kMenuLater,
     u"次の標語(&F)",
     {kKeyRight, kAlt, kAnyFocus & ~unsigned{kOnStorageBox}}},
    {kMenuFiveSevenFive, u"五七五で作る(&G)", {}},
    {kMenuEditPhrases, u"語句を編集(&E)...", {'E', kCtrl}},
    {kStorageUndo, u"元に戻す(&U)", {}},
    {kStorageCut, u"切り取り(&T)", {}},
    {kStorageCopy, kCopyCaption, {}},
    {kStoragePaste, u"貼り付け(&P)", {}},
    {kStorageDelete, u"削除(&D)", {}},
    {kStorageSelectAll, u"すべて選択(&A)", {}},
    {kStoragePoster, u"ポスターを作成(&O)...", {}},
    {kStorageVoteSheet, u"一覧表を書き出す(&E)...", {}},
    {kStorageVoteTally, u"投票を集計(&V)...", {'T', kCtrl}},
    {kStorageRestoreRemoved, u"消された行を戻す(&R)", {}},
    {kNextPage, u"", {kKeyTab, kCtrl, kOnTabs | kOnStorageBox}},
    {kPreviousPage, u"", {kKeyTab, kCtrl | kShift, kOnTabs | kOnStorageBox}},
};

// The poster window's: its buttons' captions are the layout's. Ctrl+C in
// the foot line's text box copies its selected text where there is some,
// as in any text box; otherwise the poster.
inline constexpr CommandRow kPosterCommands[] = {
    {kPosterSave, u"", {'S', kCtrl}},
    {kPosterPrint, u"", {'P', kCtrl}},
    {kPosterCopy, u"", {'C', kCtrl}},
    {kPosterClose, u"", {}},
};

// The tally window's commands that no control gives.
enum TallyCommand : int {
  kTallyCopy = 821,  // the tally onto the clipboard, as a table
};
static_assert(int{kTallyCopy} > int{kTallyClose},
              "a command's id is no control's");

// The tally window's: its buttons' captions are the layout's, and Enter
// and Esc are the dialog's own (the default button and the cancel).
inline constexpr CommandRow kTallyCommands[] = {
    {kTallyPoster, u"", {}},
    {kTallySave, u"", {}},
    {kTallyCopy, u"", {'C', kCtrl}},
    {kTallyClose, u"", {}},
};

using CommandTable = std::span<const CommandRow>;

// The row of a command; none for an id no row has.
const CommandRow* CommandOf(int id, CommandTable table = kMainCommands);
// The command a key runs where the focus is; none where no row names it.
std::optional<int> CommandOfKey(std::uint16_t key, unsigned modifiers,
                                FocusPlace focus,
                                CommandTable table = kMainCommands);
// A menu item's text: the caption, and after a tab the key, as menus
// show shortcuts ("コピー(&C)\tCtrl+C").
std::u16string MenuCaption(int id, CommandTable table = kMainCommands);

}  // namespace tavlin
