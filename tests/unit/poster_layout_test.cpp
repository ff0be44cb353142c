#include "src/ui/poster_layout.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "src/platform/unicode_text.h"

namespace tavlin {

namespace {

TEST(SloganParts, AreThePiecesBetweenSpacesOfEitherWidth) {
  const struct {
    std::u16string_view slogan;
    std::vector<std::u16string> parts;
  } cases[] = {
      {u"安全第一 今日も一日 ご安全に",
       {u"安全第一", u"今日も一日", u"ご安全に"}},
      {u"品質は\u3000工程で\t作り込む", {u"品質は", u"工程で", u"作り込む"}},
      {u"  前後と \u3000 間の空白  ", {u"前後と", u"間の空白"}},
      {u"ゼロ災でいこう", {u"ゼロ災でいこう"}},
      {u" \u3000 ", {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SloganParts(c.slogan), c.parts) << testing::PrintToString(
        std::string(c.slogan.begin(), c.slogan.end()));
}

// Every column lies inside the margins, above the foot line, in the
// slogan's order from the right, and the characters are as large as the
// tighter of width and height allows.
TEST(PosterLayout, FillsThePageInsideItsMargins) {
  const struct {
    std::vector<std::size_t> lengths;
    bool footer;
  } cases[] = {
      {{7}, false},         {{4, 5}, true},     {{5, 7, 5}, false},
      {{3, 3, 3, 3}, true}, {{12, 2, 9}, true}, {{200, 3}, false},
  };
  const PosterPage page = kA4At300Dpi;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.lengths));
    const PosterLayout layout = LayOutPoster(c.lengths, page, c.footer);
    ASSERT_EQ(layout.columns.size(), c.lengths.size());
    const int size = layout.character_size;
    const int bottom = c.footer ? layout.footer_top - layout.footer_size
                                : page.height - layout.margin;
    int right_edge = page.width - layout.margin;
    for (std::size_t n = 0; n < c.lengths.size(); ++n) {
      const PosterColumn& column = layout.columns[n];
      EXPECT_EQ(column.height, static_cast<int>(c.lengths[n]) * size);
      EXPECT_LE(column.centre_x + size / 2, right_edge) << "column " << n;
      EXPECT_GE(column.top, layout.margin);
      EXPECT_LE(column.top + column.height, bottom);
      right_edge = column.centre_x - size / 2;
    }
    EXPECT_GE(right_edge, layout.margin);
    // The size is the largest that fits: one pixel more and the longest
    // column, or the columns with their gaps, would not.
    const int longest =
        static_cast<int>(*std::max_element(c.lengths.begin(), c.lengths.end()));
    const int columns = static_cast<int>(c.lengths.size());
    const bool too_tall = longest * (size + 1) > bottom - layout.margin;
    const bool too_wide =
        (3 * columns - 1) * (size + 1) > 2 * (page.width - 2 * layout.margin);
    EXPECT_TRUE(too_tall || too_wide) << "size " << size << " leaves room";
  }
}

TEST(PosterLayout, PutsTheFootLineUnderTheColumnsInASmallerSize) {
  const PosterLayout layout = LayOutPoster({3}, kA4At300Dpi, true);
  EXPECT_GT(layout.footer_size, 0);
  EXPECT_LT(layout.footer_size, layout.character_size);
  EXPECT_EQ(layout.footer_top + layout.footer_size,
            kA4At300Dpi.height - layout.margin);
  EXPECT_EQ(LayOutPoster({3}, kA4At300Dpi, false).footer_size, 0);
}

TEST(PosterLayout, HasNoColumnsForAnEmptySlogan) {
  EXPECT_TRUE(LayOutPoster({}, kA4At300Dpi, true).columns.empty());
}

}  // namespace

}  // namespace tavlin
