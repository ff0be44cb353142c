// A slogan's rhythm as the meter shows it, a workplace's own readings, and
// generations that keep to 五・七・五.
#include "src/slogan/slogan_rhythm.h"

#include <gtest/gtest.h>

#include <map>

#include "src/rhythm/mora_meter.h"
#include "src/rhythm/reading_dictionary.h"
#include "src/rhythm/reading_dictionary_writer.h"
#include "src/rhythm/workplace_readings.h"
#include "src/slogan/mt19937ar.h"
#include "src/slogan/slogan_generator.h"
#include "support/list_session.h"
#include "support/temp_folder.h"

namespace tavlin {

namespace {

SloganRhythm Rhythm(std::array<MoraCount, 3> parts) {
  return SloganRhythm{parts, kPhrasePositions};
}

TEST(SloganRhythms, FiguresDistanceAndWhatReadersHear) {
  const struct {
    SloganRhythm rhythm;
    std::u16string_view figures;
    int distance;
  } cases[] = {
      {Rhythm({{{5}, {7}, {5}}}), u"5・7・5", 0},
      {Rhythm({{{6}, {7}, {4}}}), u"6・7・4", 2},
      {Rhythm({{{5, true}, {7}, {5}}}), u"約5・7・5", 0},
      {Rhythm({{{5}, {0, false, false}, {5}}}), u"5・?・5", 1000},
      {SloganRhythm{{{{17}}}, 1}, u"17", 1000},
  };
  for (const auto& [rhythm, figures, distance] : cases) {
    EXPECT_EQ(RhythmFigures(rhythm), figures);
    EXPECT_EQ(DistanceFromFiveSevenFive(rhythm), distance);
  }
  EXPECT_EQ(RhythmForReaders(Rhythm({{{5}, {7}, {5}}})),
            u"音数 5・7・5 五・七・五");
  EXPECT_EQ(RhythmForReaders(Rhythm({{{5}, {8}, {5}}})), u"音数 5・8・5");
}

TEST(WorkplaceReadingFiles, GoodLinesAreReadAndBadOnesNamed) {
  std::vector<std::size_t> bad;
  const WorkplaceReadings readings = WorkplaceReadings::FromText(
      u"KYT\tけーわいてぃー\r\n\r\n指差呼称\tしさこしょう\n"
      u"no tab\n\tよみ\n安全\t安全\n一人\tひとり",
      bad);
  EXPECT_EQ(bad, (std::vector<std::size_t>{4, 5, 6}));
  const auto kyt = readings.LongestWordAt(u"KYTで");
  ASSERT_TRUE(kyt);
  EXPECT_EQ(kyt->length, 3u);
  EXPECT_EQ(kyt->morae, 6);
  // Before the dictionary, which reads 一人 otherwise here.
  std::string error;
  const auto dictionary = ReadingDictionary::FromBytes(
      ReadingDictionaryBytes({{u"一人", 4}}, {}), &error);
  ASSERT_TRUE(dictionary);
  EXPECT_EQ(CountMorae(u"一人ひとり", &readings, *dictionary).morae, 6);
  EXPECT_EQ(CountMorae(u"一人ひとり", *dictionary).morae, 7);
}

TEST(MoraMeters, SayWhyTheyCannotCountAndWhichReadingsTheyLeftOut) {
  const TempFolder folder;
  EXPECT_EQ(MoraMeter::Load(folder.path(), ByteCodec()).why_unavailable(),
            "音数: 読み辞書 読み辞書.dic がないため、音数は表示しません");
  WriteBytes(folder / kReadingDictionaryFileName, "TVRD damaged");
  EXPECT_EQ(MoraMeter::Load(folder.path(), ByteCodec()).why_unavailable(),
            "音数: 読み辞書 読み辞書.dic は使えないため、音数は表示しません"
            "（読み辞書が壊れています）");
  WriteBytes(folder / kReadingDictionaryFileName,
             ReadingDictionaryBytes({{u"安全", 4}}, {}));
  WriteBytes(folder / kWorkplaceReadingsFileName,
             "\xEF\xBB\xBFKY\t\xE3\x81\x91\xE3\x83\xBC\r\nbad\r\n");
  const MoraMeter meter = MoraMeter::Load(folder.path(), ByteCodec());
  ASSERT_TRUE(meter.available());
  EXPECT_EQ(meter.why_unavailable(), "");
  EXPECT_EQ(meter.readings_notice(),
            "読み.txt の 2 行目は「語、タブ、かなの読み」の形ではないため、"
            "使いません");
  EXPECT_EQ(meter.Count(u"KYで安全").morae, 7);  // けー で あんぜん
}

TEST(MoraMeters, ReadTheWorkplacesReadingsAgainWhereTheyChanged) {
  const TempFolder folder;
  WriteBytes(folder / kReadingDictionaryFileName,
             ReadingDictionaryBytes({{u"安全", 4}}, {}));
  WriteBytes(folder / kWorkplaceReadingsFileName,
             "\xEF\xBB\xBFKY\t\xE3\x81\x91\xE3\x83\xBC\r\n");  // けー
  MoraMeter meter = MoraMeter::Load(folder.path(), ByteCodec());
  EXPECT_EQ(meter.Count(u"KY").morae, 2);
  EXPECT_FALSE(meter.ReloadWorkplaceReadings(folder.path(), ByteCodec()));
  WriteBytes(folder / kWorkplaceReadingsFileName,
             "\xEF\xBB\xBFKY\t\xE3\x81\x91\r\n");  // け
  EXPECT_TRUE(meter.ReloadWorkplaceReadings(folder.path(), ByteCodec()));
  EXPECT_EQ(meter.Count(u"KY").morae, 1);
  EXPECT_EQ(meter.readings_notice(), "");
  // A bad line is told, and once mended, no longer.
  WriteBytes(folder / kWorkplaceReadingsFileName,
             "\xEF\xBB\xBFKY\r\n");  // no reading
  EXPECT_TRUE(meter.ReloadWorkplaceReadings(folder.path(), ByteCodec()));
  EXPECT_NE(meter.readings_notice(), "");
  WriteBytes(folder / kWorkplaceReadingsFileName,
             "\xEF\xBB\xBFKY\t\xE3\x81\x91\r\n");
  EXPECT_TRUE(meter.ReloadWorkplaceReadings(folder.path(), ByteCodec()));
  EXPECT_EQ(meter.readings_notice(), "");
  std::filesystem::remove(folder / kWorkplaceReadingsFileName);
  EXPECT_TRUE(meter.ReloadWorkplaceReadings(folder.path(), ByteCodec()));
  EXPECT_EQ(meter.Count(u"KY").morae, 4);  // ケー ワイ
  EXPECT_FALSE(meter.ReloadWorkplaceReadings(folder.path(), ByteCodec()));
}

// Phrases whose morae are their last digit: "a5" has five.
class DigitRhythm final : public SloganRhythmOf {
 public:
  SloganRhythm Of(const ComposedSlogan& slogan) const override {
    SloganRhythm rhythm;
    for (std::size_t i = 0; i < kPhrasePositions; ++i)
      rhythm.parts[i].morae = slogan.parts[i].bytes().back() - '0';
    return rhythm;
  }
};

class Rows final : public SloganListTarget {
 public:
  void RemoveAll() override { slogans.clear(); }
  void Append(ShiftJisView slogan) override {
    slogans.emplace_back(slogan.bytes());
  }
  std::vector<std::string> slogans;
};

PhraseLists Lists(const std::string& upper, const std::string& middle,
                  const std::string& lower) {
  PhraseLists lists;
  lists.upper.AssignFileBytes(upper);
  lists.middle.AssignFileBytes(middle);
  lists.lower.AssignFileBytes(lower);
  return lists;
}

TEST(FiveSevenFiveGenerations, FiveDifferentSlogansThatScan) {
  // Eight slogans scan: a or c, d or e, g or i.
  const PhraseLists lists =
      Lists("a5\r\nb4\r\nc5\r\n", "d7\r\ne7\r\nf6\r\n", "g5\r\nh3\r\ni5\r\n");
  init_genrand(5489u);
  Rows rows;
  EXPECT_EQ(ComposeFiveSevenFiveSlogans(lists, rows, DigitRhythm()), 5);
  ASSERT_EQ(rows.slogans.size(), 5u);
  for (const std::string& slogan : rows.slogans)
    EXPECT_EQ(std::string("ac").find(slogan[0]) != std::string::npos &&
                  std::string("de").find(slogan[3]) != std::string::npos &&
                  std::string("gi").find(slogan[6]) != std::string::npos,
              true)
        << slogan;
  std::sort(rows.slogans.begin(), rows.slogans.end());
  EXPECT_EQ(std::unique(rows.slogans.begin(), rows.slogans.end()),
            rows.slogans.end());
}

TEST(FiveSevenFiveGenerations, WithinTheBoundTheClosestShowFirst) {
  // Only a5 d7 g5 scans; nothing else is closer than one mora off.
  const PhraseLists lists =
      Lists("a5\r\nb4\r\n", "d7\r\nf6\r\n", "g5\r\nh3\r\n");
  init_genrand(1u);
  Rows rows;
  EXPECT_EQ(ComposeFiveSevenFiveSlogans(lists, rows, DigitRhythm(), {}, 2000),
            1);
  ASSERT_EQ(rows.slogans.size(), 5u);
  EXPECT_EQ(rows.slogans[0], "a5 d7 g5");
  EXPECT_TRUE(rows.slogans[1] == "b4 d7 g5" || rows.slogans[1] == "a5 f6 g5");
  // A held part stays whatever the rhythm.
  PhraseHolds holds;
  holds.phrases[2] = ShiftJisText("h3");
  Rows held;
  EXPECT_EQ(ComposeFiveSevenFiveSlogans(lists, held, DigitRhythm(), holds), 0);
  ASSERT_FALSE(held.slogans.empty());
  for (const std::string& slogan : held.slogans)
    EXPECT_EQ(slogan.substr(6), "h3");
}

}  // namespace

}  // namespace tavlin
