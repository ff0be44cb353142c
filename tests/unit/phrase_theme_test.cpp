#include "src/slogan/phrase_theme.h"

#include <gtest/gtest.h>

#include "src/storage/storage_file.h"

namespace tavlin {

namespace {

using Names = std::vector<std::u16string>;

struct DiscoveryCase {
  const char* name;
  Names files;
  Names themes;
};

class ThemeDiscovery : public testing::TestWithParam<DiscoveryCase> {};

TEST_P(ThemeDiscovery, FindsCompleteTriplesInNameOrder) {
  EXPECT_EQ(ExtraThemes(GetParam().files), GetParam().themes);
}

INSTANTIATE_TEST_SUITE_P(
    Listings, ThemeDiscovery,
    testing::Values(
        DiscoveryCase{"StandardThemesAreNoExtraPages",
                      {u"安全上.txt", u"安全中.txt", u"安全下.txt",
                       u"品質上.txt", u"品質中.txt", u"品質下.txt"},
                      {}},
        DiscoveryCase{"OnlyCompleteTriples",
                      {u"5S上.txt", u"5S中.txt", u"5S下.txt", u"防火上.txt",
                       u"防火下.txt", u"Tavlin.exe"},
                      {u"5S"}},
        DiscoveryCase{"CodePointOrder",
                      {u"防火上.txt", u"防火中.txt", u"防火下.txt",
                       u"交通安全上.txt", u"交通安全中.txt", u"交通安全下.txt",
                       u"5S上.txt", u"5S中.txt", u"5S下.txt"},
                      {u"5S", u"交通安全", u"防火"}},
        DiscoveryCase{
            "EightCharactersAtMost",
            {u"12345678上.txt", u"12345678中.txt", u"12345678下.txt",
             u"123456789上.txt", u"123456789中.txt", u"123456789下.txt"},
            {u"12345678"}},
        DiscoveryCase{"ExtensionInAnyCaseButNoOther",
                      {u"衛生上.TXT", u"衛生中.Txt", u"衛生下.txt", u"品上.csv",
                       u"品中.csv", u"品下.csv"},
                      {u"衛生"}},
        DiscoveryCase{"ANameIsNeeded", {u"上.txt", u"中.txt", u"下.txt"}, {}},
        DiscoveryCase{
            "StorageFilesAreNoPhraseFiles",
            {u"Tavlin安全保管庫.txt", u"x上.txt.bak", u"x中.txt", u"x下.txt"},
            {}}),
    [](const auto& info) { return info.param.name; });

TEST(ThemeCaption, SpacesEveryCharacterAsTheStandardPagesDo) {
  EXPECT_EQ(ThemeCaption(ThemeName(PhraseCategory::Safety)),
            u"　安　全　標　語　");
  EXPECT_EQ(ThemeCaption(ThemeName(PhraseCategory::Quality)),
            u"　品　質　標　語　");
  EXPECT_EQ(ThemeCaption(u"5S"), u"　5　S　標　語　");
}

TEST(ThemeStorage, EachThemeKeepsItsOwnFileNamedAfterTheProgram) {
  EXPECT_EQ(StorageFilePath(u"dir/Tavlin.exe", u"5S"),
            std::filesystem::path(u"dir/Tavlin5S保管庫.txt"));
  EXPECT_EQ(StorageFilePath(u"dir/Tavlin.exe", PhraseCategory::Quality),
            std::filesystem::path(u"dir/Tavlin品質保管庫.txt"));
}

}  // namespace

}  // namespace tavlin
