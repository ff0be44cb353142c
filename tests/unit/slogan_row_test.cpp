// One row of the slogan list: its text is what every reader of the row
// gets, the parts joined by single spaces, or the slogan that came whole.
#include "src/slogan/slogan_row.h"

#include <gtest/gtest.h>

namespace tavlin {

namespace {

TEST(SloganRows, TheTextJoinsThePartsOrIsTheWholeSlogan) {
  SloganRow row;
  row.parts = {ShiftJisText("a"), ShiftJisText("bc"), ShiftJisText("def")};
  row.shown_parts = {u"確認", u"今日も", u"ご安全に"};
  EXPECT_EQ(row.Text(), u"確認 今日も ご安全に");
  EXPECT_EQ(row.PartBytes(), 6u);
  SloganRow whole;
  whole.has_parts = false;
  whole.parts[0] = ShiftJisText("x y");
  whole.shown_parts[0] = u"安全 第一";
  EXPECT_EQ(whole.Text(), u"安全 第一");
}

}  // namespace

}  // namespace tavlin
