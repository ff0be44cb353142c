// The context menu of the slogan list as data: each item's command (its
// caption and key are the command table's), and whether it needs a
// selected slogan.
#pragma once

#include <array>
#include <cstddef>

#include "src/ui/main_form_ids.h"

namespace tavlin {

struct SloganMenuItem {
  SloganMenuCommand command;
  bool needs_slogan;
  bool separator_before;
};

inline constexpr SloganMenuItem kSloganMenu[] = {
    {kMenuStore, true, false},       {kMenuCopy, true, false},
    {kMenuHoldUpper, true, true},    {kMenuHoldMiddle, true, false},
    {kMenuHoldLower, true, false},   {kMenuReleaseHolds, false, true},
    {kMenuPoster, true, true},       {kMenuEarlier, false, true},
    {kMenuLater, false, false},      {kMenuFiveSevenFive, false, true},
    {kMenuEditPhrases, false, true},
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
