// The context menu of the slogan list as data: each item's command, its
// caption with access key (and shortcut, where it has one), and whether it
// needs a selected slogan.
#pragma once

#include <string_view>

namespace tavlin {

// Apart from the main window's control numbers, which share WM_COMMAND.
enum SloganMenuCommand : int {
  kMenuStore = 201,   // as a double-click: into the page's storage list
  kMenuCopy,          // the slogan onto the clipboard
  kMenuHoldUpper,     // keep the first part at the next generations
  kMenuHoldMiddle,    // keep the middle part
  kMenuHoldLower,     // keep the last part
  kMenuReleaseHolds,  // draw every part again
  kMenuPoster,        // the slogan as a vertical poster
};

struct SloganMenuItem {
  SloganMenuCommand command;
  std::u16string_view caption;
  bool needs_slogan;
  bool separator_before;
};

inline constexpr SloganMenuItem kSloganMenu[] = {
    {kMenuStore, u"保管庫に追加(&A)\tEnter", true, false},
    {kMenuCopy, u"コピー(&C)\tCtrl+C", true, false},
    {kMenuHoldUpper, u"上の句を固定(&1)", true, true},
    {kMenuHoldMiddle, u"中の句を固定(&2)", true, false},
    {kMenuHoldLower, u"下の句を固定(&3)", true, false},
    {kMenuReleaseHolds, u"固定をすべて解除(&R)", false, true},
    {kMenuPoster, u"ポスターを作成(&P)...", true, true},
};

}  // namespace tavlin
