// The names an export offers in the save dialog.
#include "src/ui/export_names.h"

#include <gtest/gtest.h>

#include "src/platform/unicode_text.h"

namespace tavlin {

namespace {

std::string Utf8(std::u16string_view text) { return Utf8FromU16(text); }

TEST(ExportFileName, NamesTheThemeTheKindAndTheDay) {
  EXPECT_EQ(Utf8(ExportFileName(u"安全", u"", {2026, 7, 1}, u"png")),
            Utf8(u"安全標語_20260701.png"));
  EXPECT_EQ(Utf8(ExportFileName(u"品質", u"投票用", {2026, 11, 30}, u"csv")),
            Utf8(u"品質標語_投票用_20261130.csv"));
}

TEST(TallyFileName, IsTheVoteSheetsNameWithTheTallyForItsKind) {
  EXPECT_EQ(Utf8(TallyFileName(u"安全", {2026, 7, 1})),
            Utf8(u"安全標語_集計_20260701.csv"));
}

}  // namespace

}  // namespace tavlin
