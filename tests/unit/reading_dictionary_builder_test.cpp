// The reading dictionary's builder, which runs with its tool at build time:
// it keeps only the words the rest of the counting would get wrong.
#include "posix/reading_dictionary_builder.h"

#include <gtest/gtest.h>

#include <map>

#include "src/platform/unicode_text.h"

namespace tavlin {

namespace {

TEST(ReadingDictionaryBuilding, KeepsOnlyTheWordsTheRestCountsWrong) {
  ReadingDictionaryBuilder builder;
  LexiconEntry entry;
  for (std::u16string_view line : {
           u"安,1,1,100,名詞,一般,*,*,*,*,安,アン,アン",
           u"全,1,1,100,名詞,一般,*,*,*,*,全,ゼン,ゼン",
           u"安全,1,1,100,名詞,一般,*,*,*,*,安全,アンゼン,アンゼン",
           u"全安,1,1,100,名詞,一般,*,*,*,*,全安,ゼンアン,ゼンアン",
           u"安心,1,1,100,名詞,一般,*,*,*,*,安心,アンシン,アンシン",
           u"安定,1,1,100,名詞,一般,*,*,*,*,安定,アンテイ,アンテイ",
           u"完全,1,1,100,名詞,一般,*,*,*,*,完全,カンゼン,カンゼン",
           u"万全,1,1,100,名詞,一般,*,*,*,*,万全,バンゼン,バンゼン",
           u"不安,1,1,100,名詞,一般,*,*,*,*,不安,フアン,フアン",
           u"平安,1,1,100,名詞,一般,*,*,*,*,平安,ヘイアン,ヘイアン",
           u"全体,1,1,100,名詞,一般,*,*,*,*,全体,ゼンタイ,ゼンタイ",
           u"全国,1,1,100,名詞,一般,*,*,*,*,全国,ゼンコク,ゼンコク",
           u"今日,1,1,500,名詞,一般,*,*,*,*,今日,コンニチ,コンニチ",
           u"今日,1,1,400,名詞,一般,*,*,*,*,今日,キョウ,キョー",
           u"守る,1,1,100,動詞,自立,*,*,*,*,守る,マモル,マモル",
           u"安田,1,1,1,名詞,固有名詞,人名,姓,*,*,安田,ヤスダ,ヤスダ",
           u"not,a,line",
       }) {
    if (ParseLexiconLine(line, entry)) builder.Add(entry);
  }
  builder.Prefer(u"守る", u"モル");      // preferred over the lexicon
  builder.Prefer(u"指差", u"ユビサシ");  // a word the lexicon lacks
  const ReadingDictionaryBuilder::Result result = builder.Build();
  std::map<std::u16string, int> kept;
  for (const DictionaryWord& word : result.words) kept[word.word] = word.morae;
  // 安 and 全 are read alike in three compounds each on both sides of
  // another kanji, so surely: 安全 and 全安 are counted right without
  // their words, wherever they stand. Every other compound has a kanji
  // read once only.
  EXPECT_FALSE(kept.contains(u"安全"));
  EXPECT_FALSE(kept.contains(u"全安"));
  for (const std::u16string word : {u"安心", u"完全", u"全国"})
    EXPECT_EQ(kept[word], 4) << Utf8FromU16(word);
  EXPECT_EQ(kept[u"不安"], 3);
  EXPECT_EQ(kept[u"今日"], 2);
  EXPECT_EQ(kept[u"守る"], 2);
  EXPECT_EQ(kept[u"指差"], 4);
  EXPECT_FALSE(kept.contains(u"安田"));
}

}  // namespace

}  // namespace tavlin
