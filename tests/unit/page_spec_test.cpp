// The one list of pages: the standard two, then the further themes found
// beside the program, each with its caption and storage file; a page
// without phrase files composes from nothing.
#include "src/app/page_spec.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace tavlin {

namespace fs = std::filesystem;

namespace {

TEST(PageSpecs, StandardPagesFirstThenFurtherThemesWithTheirFilesAndCaptions) {
  TempFolder folder;
  for (const char* name : {"安全上.txt", "品質下.txt", "交通安全上.txt",
                           "交通安全中.txt", "交通安全下.txt"})
    WriteBytes(folder / fs::path(reinterpret_cast<const char8_t*>(name)), "x");
  const std::vector<PageSpec> pages = PagesOf(folder / "Tavlin.exe");
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[0].caption, u"　安　全　標　語　");
  EXPECT_EQ(pages[1].caption, u"　品　質　標　語　");
  EXPECT_EQ(pages[2].caption, u"　交　通　安　全　標　語　");
  EXPECT_EQ(pages[2].storage_file, folder / u8"Tavlin交通安全保管庫.txt");
  EXPECT_EQ(pages[0].storage_file, folder / u8"Tavlin安全保管庫.txt");
  EXPECT_EQ(pages[1].phrase_theme, u"品質");
  EXPECT_TRUE(pages[1].box_at_start);
  EXPECT_FALSE(pages[2].box_at_start);
}

TEST(PageSpecs, AStandardPageWithoutAnyPhraseFileHasNoPhraseTheme) {
  TempFolder folder;
  WriteBytes(folder / u8"品質中.txt", "x");
  const std::vector<PageSpec> pages = PagesOf(folder / "Tavlin.exe");
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_FALSE(pages[0].phrase_theme.has_value());
  EXPECT_EQ(pages[0].storage_theme, u"安全");  // its list is kept all the same
  EXPECT_EQ(pages[1].phrase_theme, u"品質");
}

}  // namespace

}  // namespace tavlin
