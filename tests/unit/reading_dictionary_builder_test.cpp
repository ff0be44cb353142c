// The reading dictionary's builder, which runs with its tool at build time:
// every word of kanji and kana with its classes and cost, the readings to
// prefer, and the join costs grouped into classes.
#include "posix/reading_dictionary_builder.h"

#include <gtest/gtest.h>

#include <map>

#include "src/platform/unicode_text.h"

namespace tavlin {

namespace {

ReadingDictionaryBuilder::Result BuildFrom(
    std::initializer_list<std::u16string_view> lines,
    ReadingDictionaryBuilder builder = ReadingDictionaryBuilder()) {
  LexiconEntry entry;
  for (const std::u16string_view line : lines)
    if (ParseLexiconLine(line, entry)) builder.Add(entry);
  return builder.Build();
}

// Each written form's readings, as morae and cost.
std::multimap<std::u16string, std::pair<int, int>> ReadingsOf(
    const ReadingDictionaryBuilder::Result& result) {
  std::multimap<std::u16string, std::pair<int, int>> readings;
  for (const DictionaryWord& word : result.words)
    readings.emplace(word.word, std::pair{word.morae, word.cost});
  return readings;
}

TEST(ReadingDictionaryBuilding, KeepsEveryWordARunCanHoldWithItsCost) {
  ReadingDictionaryBuilder builder;
  builder.Prefer(u"指差", u"ユビサシ");             // a word the lexicon lacks
  builder.Prefer(u"守る", u"モル");                 // taken always
  builder.PreferAmongEquals(u"摘む", u"ツム");      // nearly as cheap
  builder.PreferAmongEquals(u"今日", u"コンニチ");  // far dearer: not taken
  const auto readings = ReadingsOf(BuildFrom(
      {
          u"安全,1,1,100,名詞,一般,*,*,*,*,安全,アンゼン,アンゼン",
          u"を,2,2,50,助詞,格助詞,一般,*,*,*,を,ヲ,ヲ",
          u"今日,1,1,2000,名詞,一般,*,*,*,*,今日,コンニチ,コンニチ",
          u"今日,1,1,100,名詞,一般,*,*,*,*,今日,キョウ,キョー",
          u"摘む,3,3,7147,動詞,自立,*,*,五段・マ行,基本形,摘む,ツム,ツム",
          u"摘む,3,3,7143,動詞,自立,*,*,五段・マ行,基本形,摘む,ツマム,ツマム",
          u"守る,3,3,100,動詞,自立,*,*,*,*,守る,マモル,マモル",
          u"一人,1,1,9446,名詞,一般,*,*,*,*,一人,ヒトリ,ヒトリ",
          u"安田,1,1,1,名詞,固有名詞,人名,姓,*,*,安田,ヤスダ,ヤスダ",
          u"ＫＹ,1,1,100,名詞,一般,*,*,*,*,ＫＹ,ケーワイ,ケーワイ",
          u"not,a,line",
      },
      std::move(builder)));
  const std::multimap<std::u16string, std::pair<int, int>> expected = {
      {u"安全", {4, 100}},
      {u"を", {1, 50}},
      {u"今日", {4, 2000}},
      {u"今日", {2, 100}},
      // The preferred reading goes just below the other.
      {u"摘む", {2, 7142}},
      {u"摘む", {3, 7143}},
      {u"守る", {2, 100}},
      // A word of a kanji numeral is read whole rather than as a number.
      {u"一人", {3, 9446 - 10000}},
      {u"指差", {4, 2000}},
  };
  EXPECT_EQ(readings, expected);  // no names, nothing a run cannot hold
}

TEST(ReadingDictionaryBuilding, MarksKanjiSuffixesAndTheClassesOfContexts) {
  // Two ids a side: 0 the edge, 1 the rest; joins from the edge are dear.
  const JoinClasses joins = GroupJoinCosts({2, 2, {0, 900, 10, 20}}, 2);
  const auto result = BuildFrom(
      {
          u"所,1,1,7562,名詞,接尾,一般,*,*,*,所,ショ,ショ",
          u"所,1,1,8735,名詞,一般,*,*,*,*,所,トコロ,トコロ",
          u"十,1,1,100,名詞,数,*,*,*,*,十,ジュウ,ジュー",
      },
      ReadingDictionaryBuilder(joins));
  for (const DictionaryWord& word : result.words)
    EXPECT_EQ(word.suffix_after_kanji, word.morae == 1) << word.morae;
  ASSERT_EQ(result.connections.classes, 2u);
  EXPECT_EQ(result.connections.costs,
            (std::vector<std::int16_t>{0, 900, 10, 20}));
  const ContextClasses& context = result.connections.context;
  EXPECT_EQ(context.edge_right, 0);
  EXPECT_EQ(context.edge_left, 0);
  EXPECT_EQ(context.number_right, 1);
}

TEST(JoinCosts, IdsThatJoinAlikeShareAClassAndItsMeanCost) {
  const std::optional<JoinMatrix> matrix = ParseJoinMatrix(
      "3 3\n0 0 0\n0 1 100\n0 2 100\n1 0 500\n1 1 -20\n1 2 -20\n"
      "2 0 502\n2 1 -22\n2 2 -24\n");
  ASSERT_TRUE(matrix);
  const JoinClasses grouped = GroupJoinCosts(*matrix, 2);
  EXPECT_EQ(grouped.right_class, (std::vector<std::uint8_t>{0, 1, 1}));
  EXPECT_EQ(grouped.left_class, (std::vector<std::uint8_t>{0, 1, 1}));
  EXPECT_EQ(grouped.costs, (std::vector<std::int16_t>{0, 100, 501, -22}));
  for (const std::string_view bad :
       {"", "2 2\n0 0 1\n", "1 1\n0 1 5\n", "x\n", "1 1\n0 0 5 and more\n"})
    EXPECT_FALSE(ParseJoinMatrix(bad)) << bad;
}

}  // namespace

}  // namespace tavlin
