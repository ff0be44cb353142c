// The slogan list's menu as data: which items are greyed when.
#include "src/ui/slogan_menu.h"

#include <gtest/gtest.h>

namespace tavlin {

namespace {

TEST(SloganMenuItems, TheHistorysAreGreyedAtTheirEnds) {
  const auto greyed = [](SloganMenuCommand command,
                         const SloganMenuState& state) {
    for (const SloganMenuItem& item : kSloganMenu)
      if (item.command == command) return SloganMenuItemGreyed(item, state);
    ADD_FAILURE() << "no item " << command;
    return false;
  };
  const struct {
    bool back, forward;
  } ends[] = {{false, true}, {true, true}, {true, false}, {false, false}};
  for (const auto& end : ends) {
    SloganMenuState state;
    state.can_go_back = end.back;
    state.can_go_forward = end.forward;
    EXPECT_EQ(greyed(kMenuEarlier, state), !end.back);
    EXPECT_EQ(greyed(kMenuLater, state), !end.forward);
    // Paging needs no slogan selected; storing one does.
    EXPECT_TRUE(greyed(kMenuStore, state));
  }
}

TEST(SloganMenuItems, FiveSevenFiveShowsWithTheMeterAndIsCheckedWhileOn) {
  const SloganMenuItem& item = kSloganMenu[std::size(kSloganMenu) - 2];
  ASSERT_EQ(item.command, kMenuFiveSevenFive);
  SloganMenuState state;
  EXPECT_FALSE(SloganMenuItemShown(item, state));
  EXPECT_TRUE(SloganMenuItemShown(kSloganMenu[0], state));
  state.rhythm_shown = true;
  EXPECT_TRUE(SloganMenuItemShown(item, state));
  EXPECT_FALSE(SloganMenuItemChecked(item, state));
  state.five_seven_five = true;
  EXPECT_TRUE(SloganMenuItemChecked(item, state));
  EXPECT_FALSE(SloganMenuItemGreyed(item, state));
}

}  // namespace

}  // namespace tavlin
