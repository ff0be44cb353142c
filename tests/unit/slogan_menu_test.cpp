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

}  // namespace

}  // namespace tavlin
