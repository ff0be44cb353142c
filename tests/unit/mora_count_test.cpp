// Counting morae: the character rules as a table, then words and kanji
// from a small dictionary made here, and the order of precedence.
#include "src/rhythm/mora_count.h"

#include <gtest/gtest.h>

#include "src/platform/unicode_text.h"
#include "src/rhythm/reading_dictionary.h"
#include "src/rhythm/reading_dictionary_writer.h"
#include "src/rhythm/workplace_readings.h"

namespace tavlin {

namespace {

ReadingDictionary SmallDictionary() {
  std::string error;
  // 安 and 全 are sure beside another kanji; 声 alone is not.
  std::optional<ReadingDictionary> dictionary = ReadingDictionary::FromBytes(
      ReadingDictionaryBytes(
          {{u"今日", 2}, {u"一人", 3}, {u"安全第一", 8}, {u"守ろう", 4}},
          {{U'安', {2, 2, 2}, {true, true, true}},
           {U'全', {3, 2, 2}, {false, true, true}},
           {U'声', {2, 2, 2}, {false, false, false}}}),
      &error);
  EXPECT_TRUE(dictionary) << error;
  return std::move(*dictionary);
}

TEST(MoraRules, EachCharacterCountsAsItIsReadAloud) {
  const struct {
    std::u16string_view text;
    int morae;
  } cases[] = {
      {u"きょうも", 3},             // a small kana joins the kana before
      {u"しゅう", 2},               // ゅ too
      {u"ちゃ", 1},                 // and ゃ
      {u"ファイト", 3},             // in katakana too
      {u"がっこう", 4},             // っ counts
      {u"ラーメン", 4},             // ー and ン count
      {u"ｶﾞｯｺｰ", 4},                // half-width, its sound mark with its kana
      {u"ゼロ、ゼロ！ ・「」", 4},  // marks and spaces count nothing
      {u"5S", 3},                   // ご エス
      {u"５Ｓ", 3},                 // full-width as half-width
      {u"KY", 4},                   // ケー ワイ
      {u"h", 3},                    // エイチ
      {u"100", 2},                  // ひゃく
      {u"10", 2},                   // じゅう
      {u"25", 4},                   // にじゅうご
      {u"300", 4},                  // さんびゃく
      {u"1000", 2},                 // せん
      {u"10000", 4},                // いちまん
      {u"120000", 5},               // じゅうにまん
      {u"100000000", 4},            // いちおく: four zeros make no group
      {u"0", 2},                    // ゼロ
      {u"007", 6},                  // ゼロ ゼロ なな
      {u"2.5", 4},                  // に てん ご
      {u"３．１４", 8},             // さん てん いち よん
      {u"1.", 2},                   // a point with no digit after it
      {u"SDGs", 7},                 // the plural s as ズ
      {u"ss", 4},                   // not after a capital
      {u"KYsafe", 12},              // nor before another letter
  };
  for (const auto& [text, morae] : cases) {
    const MoraCount count = CountKanaMorae(text);
    EXPECT_EQ(count, (MoraCount{morae, false, true})) << Utf8FromU16(text);
  }
}

TEST(MoraRules, CharactersNoRuleReadsCannotBeCounted) {
  EXPECT_FALSE(CountKanaMorae(u"Привет").countable);
  EXPECT_FALSE(CountKanaMorae(u"안전").countable);
  // Without a reading a kanji cannot be counted.
  EXPECT_FALSE(CountKanaMorae(u"安全").countable);
  EXPECT_TRUE(CountKanaMorae(u"😀♪").countable);
  EXPECT_EQ(CountKanaMorae(u"").morae, 0);
}

TEST(MoraCounts, WordsAreReadFromTheDictionaryLongestFirst) {
  const ReadingDictionary dictionary = SmallDictionary();
  const struct {
    std::u16string_view text;
    MoraCount count;
  } cases[] = {
      {u"今日も", {3, false, true}},
      {u"一人ひとり", {6, false, true}},
      {u"安全第一で守ろう", {13, false, true}},
      // A digit before a word makes it with its kanji numeral.
      {u"1人1人", {6, false, true}},
      {u"1安", {4, false, true}},
      // Kanji without a word: sure beside another kanji, not alone.
      {u"全安", {4, false, true}},
      {u"安全は", {5, false, true}},
      {u"全", {3, true, true}},
      {u"声", {2, true, true}},
      {u"漢", {0, false, false}},
  };
  for (const auto& [text, count] : cases)
    EXPECT_EQ(CountMorae(text, dictionary), count) << Utf8FromU16(text);
}

// A small dictionary with costs and joins, and readings made up so that
// each way of cutting a phrase gives a count of its own.
ReadingDictionary CostedDictionary() {
  // Class 0 is the edge, 1 a word, 2 a piece that joins no other piece.
  const ConnectionCosts joins{3, {0, 0, 0, 0, 0, 0, 0, 0, 5000}, {}};
  std::string error;
  std::optional<ReadingDictionary> dictionary =
      ReadingDictionary::FromBytes(ReadingDictionaryBytes(
                                       {
                                           {u"作業場", 4, false, 1, 1, 6000},
                                           {u"作業", 3, false, 1, 1, 2000},
                                           {u"場所", 2, false, 1, 1, 2000},
                                           {u"所", 3, false, 1, 1, 3000},
                                           {u"今日", 2, false, 1, 1, 3000},
                                           {u"今", 2, false, 1, 1, 2000},
                                           {u"日", 1, false, 1, 1, 2000},
                                           {u"止め", 5, false, 1, 1, 1000},
                                           {u"止", 1, false, 2, 2, 400},
                                           {u"め", 1, false, 2, 2, 500},
                                           {u"天ぷら", 4, false, 1, 1, 3000},
                                           {u"石", 2, false, 1, 1, 3000},
                                           {u"油", 1, true, 1, 1, 1000},
                                           {u"油", 3, false, 1, 1, 3000},
                                           {u"LAN", 2, false, 1, 1, 2000},
                                       },
                                       {{U'人', {2, 2, 2}, {true, true, true}},
                                        {U'月', {2, 2, 2}, {true, true, true}},
                                        {U'時', {1, 1, 1}, {true, true, true}}},
                                       joins),
                                   &error);
  EXPECT_TRUE(dictionary) << error;
  return std::move(*dictionary);
}

TEST(MoraCounts, ARunIsReadTheCheapestWayItsWordsCutIt) {
  const ReadingDictionary dictionary = CostedDictionary();
  const struct {
    std::u16string_view text;
    int morae;
  } cases[] = {
      {u"作業場所", 5},  // 作業 場所, though 作業場 is longer
      {u"今日", 2},      // one word, cheaper than its two kanji
      {u"止め", 5},      // the stem alone, though 止 め cost less
      {u"天ぷら油", 7},  // after hiragana the suffix yields to the word
      {u"石油", 3},      // after a kanji it does not
      {u"4人", 3},       // よ にん
      {u"2人", 3},       // ふたり, though the dictionary lacks 二人
      {u"14日", 5},      // じゅうよっか
      {u"20歳", 3},      // はたち
      {u"9月", 3},       // く がつ
      {u"CO2", 6},       // シー オー ツー
      {u"H2O", 7},       // エイチ ツー オー
      {u"A2", 3},        // エー に
      {u"ＬＡＮ", 2},    // a word of letters the dictionary has: ラン
      {u"LANE", 8},      // not a word it has: letter by letter
      {u"14人", 5},      // じゅうよ にん
      {u"9時", 2},       // く じ
      {u"19時", 4},      // じゅうく じ
      {u"9人", 4},       // きゅう にん
  };
  for (const auto& [text, morae] : cases)
    EXPECT_EQ(CountMorae(text, dictionary).morae, morae) << Utf8FromU16(text);
  // Joins cost nothing without a table: 止 and め are cheaper there.
  const auto joinless = ReadingDictionary::FromBytes(
      ReadingDictionaryBytes({{u"止め", 5, false, 1, 1, 1000},
                              {u"止", 1, false, 2, 2, 400},
                              {u"め", 1, false, 2, 2, 500}},
                             {}, {3, {}, {}}),
      nullptr);
  ASSERT_TRUE(joinless);
  EXPECT_EQ(CountMorae(u"止め", *joinless).morae, 2);
}

// A workplace's word decides where it stands, even where the dictionary
// has a longer word there.
TEST(MoraCounts, AWorkplaceWordComesFirstUnderALongerWord) {
  std::string error;
  const std::optional<ReadingDictionary> dictionary =
      ReadingDictionary::FromBytes(
          ReadingDictionaryBytes({{u"呼称", 3}, {u"指差呼称", 5}}, {}), &error);
  ASSERT_TRUE(dictionary) << error;
  std::vector<std::size_t> bad_lines;
  const WorkplaceReadings workplace =
      WorkplaceReadings::FromText(u"指差\tゆびさし", bad_lines);
  EXPECT_EQ(CountMorae(u"指差呼称", &workplace, *dictionary).morae, 7);
  EXPECT_EQ(CountMorae(u"指差呼称", *dictionary).morae, 5);
}

}  // namespace

}  // namespace tavlin
