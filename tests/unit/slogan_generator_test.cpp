#include "src/slogan/slogan_generator.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "src/platform/tavlin_error.h"
#include "src/slogan/mt19937ar.h"
#include "src/slogan/phrase_theme.h"
#include "support/file_faults.h"
#include "support/temp_folder.h"

namespace tavlin {

namespace {

using Slogans = std::vector<std::string>;

class RecordingList final : public SloganListTarget {
 public:
  void RemoveAll() override {
    items.clear();
    ++clears;
  }
  void Append(ShiftJisView slogan) override {
    items.emplace_back(slogan.bytes());
  }

  Slogans items;
  int clears = 0;
};

// Phrases named after their position and index: "u0", "u1", ...
std::string NumberedPhrases(char position, int count) {
  std::string bytes;
  for (int i = 0; i < count; ++i)
    bytes += position + std::to_string(i) + "\r\n";
  return bytes;
}

void WriteTheme(const TempFolder& folder, PhraseCategory category,
                const std::string& upper, const std::string& middle,
                const std::string& lower) {
  const PhraseFileNames names = PhraseFileNamesOf(category);
  WriteBytes(folder / names.upper, upper);
  WriteBytes(folder / names.middle, middle);
  WriteBytes(folder / names.lower, lower);
}

constexpr PhraseCategory kSafety = PhraseCategory::Safety;
constexpr PhraseCategory kQuality = PhraseCategory::Quality;

Slogans Generate(const TempFolder& folder, PhraseCategory theme,
                 PhraseLists& lists, std::uint32_t tick = 5489u) {
  RecordingList list;
  GenerateThemeSlogans(folder.path(), ThemeName(theme), lists, tick, list);
  return list.items;
}

struct WorkedCase {
  int upper, middle, lower;
  Slogans expected;
};

std::ostream& operator<<(std::ostream& out, const WorkedCase& c) {
  return out << c.upper << "/" << c.middle << "/" << c.lower;
}

class WorkedIndexLists : public testing::TestWithParam<WorkedCase> {};

// With the default seed in place of the tick count, the draws pick known
// indices.
TEST_P(WorkedIndexLists, DrawFirstMiddleLastFiveTimes) {
  const WorkedCase& c = GetParam();
  TempFolder folder;
  WriteTheme(folder, PhraseCategory::Safety, NumberedPhrases('u', c.upper),
             NumberedPhrases('m', c.middle), NumberedPhrases('l', c.lower));
  PhraseLists lists;
  EXPECT_EQ(Generate(folder, kSafety, lists, 5489u), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Published, WorkedIndexLists,
    testing::Values(WorkedCase{10,
                               10,
                               10,
                               {"u6 m1 l7", "u2 m2 l5", "u4 m2 l9", "u1 m7 l2",
                                "u0 m3 l9"}},
                    WorkedCase{3,
                               5,
                               7,
                               {"u1 m1 l4", "u2 m2 l6", "u2 m2 l0", "u0 m2 l1",
                                "u0 m3 l6"}}));

TEST(SloganGenerator, NoPhraseFilesGiveAnEmptyListQuietly) {
  TempFolder folder;
  PhraseLists lists;
  RecordingList list;
  list.items = {"old"};
  GenerateThemeSlogans(folder.path(), u"安全", lists, 1u, list);
  EXPECT_TRUE(list.items.empty());
  EXPECT_EQ(list.clears, 1);
}

TEST(SloganGenerator, AnEmptyPositionMeansNoSlogansAtAll) {
  TempFolder folder;
  WriteTheme(folder, PhraseCategory::Quality, "a\r\n", " \r\n\t\r\n", "c\r\n");
  PhraseLists lists;
  EXPECT_TRUE(Generate(folder, kQuality, lists).empty());
}

TEST(SloganGenerator, PhrasesAreCopiedWholeAndNeverReadAsFormats) {
  TempFolder folder;
  WriteTheme(folder, PhraseCategory::Safety, " 100%s ", "%d%n", "\x81\x40x\t");
  PhraseLists lists;
  const Slogans slogans = Generate(folder, kSafety, lists);
  // One phrase per list: all five slogans are the same.
  EXPECT_EQ(slogans, Slogans(5, " 100%s  %d%n \x81\x40x\t"));
}

TEST(SloganGenerator, SameTickAndFilesGiveTheSameSlogans) {
  TempFolder folder;
  WriteTheme(folder, PhraseCategory::Safety, NumberedPhrases('u', 50),
             NumberedPhrases('m', 50), NumberedPhrases('l', 50));
  PhraseLists lists;
  EXPECT_EQ(Generate(folder, kSafety, lists, 777u),
            Generate(folder, kSafety, lists, 777u));
  EXPECT_NE(Generate(folder, kSafety, lists, 777u),
            Generate(folder, kSafety, lists, 778u));
}

TEST(SloganGenerator, PagesChooseTheTheme) {
  TempFolder folder;
  WriteTheme(folder, PhraseCategory::Safety, "s1", "s2", "s3");
  WriteTheme(folder, PhraseCategory::Quality, "q1", "q2", "q3");
  PhraseLists lists;
  EXPECT_EQ(Generate(folder, kSafety, lists).front(), "s1 s2 s3");
  EXPECT_EQ(Generate(folder, kQuality, lists).front(), "q1 q2 q3");
  EXPECT_EQ(Generate(folder, kSafety, lists).front(), "s1 s2 s3");
}

TEST(SloganGenerator, AnEditedFileTakesEffectAtTheNextGeneration) {
  TempFolder folder;
  WriteTheme(folder, PhraseCategory::Safety, "aaa", "b", "c");
  PhraseLists lists;
  EXPECT_EQ(Generate(folder, kSafety, lists).front(), "aaa b c");
  // The same size, so only the bytes tell the edit apart.
  WriteBytes(folder / PhraseFileNamesOf(PhraseCategory::Safety).upper, "aXa");
  EXPECT_EQ(Generate(folder, kSafety, lists).front(), "aXa b c");
}

TEST(SloganGenerator, AMissingFileKeepsWhatItsListLastLoaded) {
  TempFolder folder;
  WriteTheme(folder, PhraseCategory::Safety, "s1", "s2", "s3");
  WriteTheme(folder, PhraseCategory::Quality, "q1", "q2", "q3");
  std::filesystem::remove(folder /
                          PhraseFileNamesOf(PhraseCategory::Quality).middle);
  PhraseLists lists;
  Generate(folder, kSafety, lists);
  EXPECT_EQ(Generate(folder, kQuality, lists).front(), "q1 s2 q3");
}

TEST(SloganGenerator, AFolderWithAPhraseFileNameCountsAsMissing) {
  TempFolder folder;
  WriteTheme(folder, PhraseCategory::Safety, "a", "b", "c");
  const auto names = PhraseFileNamesOf(PhraseCategory::Safety);
  std::filesystem::remove(folder / names.lower);
  std::filesystem::create_directory(folder / names.lower);
  PhraseLists lists;
  EXPECT_TRUE(Generate(folder, kSafety, lists).empty());
  EXPECT_EQ(lists.upper.size(), 1u);
}

TEST(SloganGenerator, AnUnreadableFileStopsTheGenerationWhereItIs) {
  TempFolder folder;
  WriteTheme(folder, PhraseCategory::Safety, "old1", "old2", "old3");
  PhraseLists lists;
  RecordingList list;
  GenerateThemeSlogans(folder.path(), u"安全", lists, 1u, list);
  const Slogans shown = list.items;

  WriteTheme(folder, PhraseCategory::Safety, "new1", "new2", "new3");
  const std::filesystem::path middle =
      folder / PhraseFileNamesOf(PhraseCategory::Safety).middle;
  const auto held = MakeUnreadable(middle);
  init_genrand(42u);
  try {
    GenerateThemeSlogans(folder.path(), u"安全", lists, 1u, list);
    FAIL() << "the unreadable file went unnoticed";
  } catch (const TavlinError& error) {
    EXPECT_EQ(std::string(error.what()),
              "ファイル " + PathForMessage(middle) + " は開けません");
  }
  EXPECT_EQ(lists.upper[0], "new1");
  EXPECT_EQ(lists.middle[0], "old2");
  EXPECT_EQ(lists.lower[0], "old3");
  EXPECT_EQ(list.items, shown);
  // The generator was not re-seeded: it goes on with the seed of 42.
  const std::uint32_t next = genrand_int32();
  init_genrand(42u);
  EXPECT_EQ(next, genrand_int32());
}

}  // namespace

}  // namespace tavlin
