// Which captions the main window's tabs are offered: the standard pages
// alone keep their designed ones; with any further theme, shorter sets
// follow for a strip too narrow for them.
#include "src/ui/tab_captions.h"

#include <gtest/gtest.h>

#include "src/slogan/phrase_theme.h"

namespace tavlin {

namespace {

std::vector<TabPage> StandardPagesAnd(
    const std::vector<std::u16string>& themes) {
  std::vector<TabPage> pages;
  for (const std::u16string_view name : kStandardThemeNames)
    pages.push_back({ThemeCaption(name), std::u16string(name)});
  for (const std::u16string& theme : themes)
    pages.push_back({ThemeCaption(theme), theme});
  return pages;
}

TEST(TabCaptions, TheStandardPagesAloneAreOfferedOnlyTheirDesignedCaptions) {
  const std::vector<TabCaptionSet> choices =
      TabCaptionChoices(StandardPagesAnd({}));
  ASSERT_EQ(choices.size(), 1u);
  EXPECT_EQ(choices[0],
            (TabCaptionSet{u"　安　全　標　語　", u"　品　質　標　語　"}));
}

TEST(TabCaptions, WithAFurtherThemeShorterCaptionsFollowTheDesigned) {
  const std::vector<TabCaptionSet> choices =
      TabCaptionChoices(StandardPagesAnd({u"交通安全", u"5S"}));
  const std::vector<TabCaptionSet> expected = {
      {u"　安　全　標　語　", u"　品　質　標　語　",
       u"　交　通　安　全　標　語　", u"　5　S　標　語　"},
      {u"安全標語", u"品質標語", u"交通安全標語", u"5S標語"},
      {u"安全", u"品質", u"交通安全", u"5S"}};
  EXPECT_EQ(choices, expected);
}

}  // namespace

}  // namespace tavlin
