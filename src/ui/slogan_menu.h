// The context menu of the slogan list as data: each item's command, its
// caption with access key (and shortcut, where it has one), and whether it
// needs a selected slogan.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "src/ui/main_form_ids.h"

namespace tavlin {

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
    {kMenuEarlier, u"前の標語(&B)\tAlt+←", false, true},
    {kMenuLater, u"次の標語(&F)\tAlt+→", false, false},
    {kMenuFiveSevenFive, u"五七五で作る(&G)", false, true},
    {kMenuEditPhrases, u"語句を編集(&E)...\tCtrl+E", false, true},
};

// What the menu's items depend on when it opens.
struct SloganMenuState {
  bool slogan_selected = false;
  bool any_held = false;  // a part of the page is held
  bool can_go_back = false;
  bool can_go_forward = false;
  std::array<bool, 3> part_held{};  // of the selected slogan: 上, 中, 下
  bool rhythm_shown = false;        // the rhythm meter has its dictionary
  bool five_seven_five = false;     // generations keep to 五・七・五
};

// Shown: every item but 五七五で作る, which needs the rhythm meter.
constexpr bool SloganMenuItemShown(const SloganMenuItem& item,
                                   const SloganMenuState& state) {
  return item.command != kMenuFiveSevenFive || state.rhythm_shown;
}

// Greyed: it needs a slogan and none is selected, or there is nothing for
// it to do (no hold to release, no generation before or after).
constexpr bool SloganMenuItemGreyed(const SloganMenuItem& item,
                                    const SloganMenuState& state) {
  if (item.needs_slogan && !state.slogan_selected) return true;
  switch (item.command) {
    case kMenuReleaseHolds:
      return !state.any_held;
    case kMenuEarlier:
      return !state.can_go_back;
    case kMenuLater:
      return !state.can_go_forward;
    default:
      return false;
  }
}

// Checked: a hold item whose part of the selected slogan is held, and
// 五七五で作る while it is on.
constexpr bool SloganMenuItemChecked(const SloganMenuItem& item,
                                     const SloganMenuState& state) {
  if (item.command == kMenuFiveSevenFive) return state.five_seven_five;
  const int part = item.command - kMenuHoldUpper;
  return part >= 0 && part < 3 && state.slogan_selected &&
         state.part_held[static_cast<std::size_t>(part)];
}

}  // namespace tavlin
