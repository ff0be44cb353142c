// The reading dictionary's file: what is written is read back, and bytes
// that are not a whole dictionary are refused without being read past.
#include "src/slogan/reading_dictionary.h"

#include <gtest/gtest.h>

#include "src/platform/unicode_text.h"
#include "src/slogan/reading_dictionary_builder.h"
#include "src/slogan/reading_dictionary_writer.h"

namespace tavlin {

namespace {

std::vector<DictionaryWord> ManyWords() {
  std::vector<DictionaryWord> words;
  // Enough for several blocks, with shared beginnings of every length.
  for (char16_t first = u'亜'; first < u'亜' + 40; ++first)
    for (int length = 1; length <= 3; ++length)
      words.push_back(
          {std::u16string(static_cast<std::size_t>(length) + 1, first),
           length + first % 5});
  return words;
}

TEST(ReadingDictionaryFile, EveryWordAndKanjiIsReadBack) {
  const std::vector<DictionaryWord> words = ManyWords();
  std::string error;
  const auto dictionary = ReadingDictionary::FromBytes(
      ReadingDictionaryBytes(words, {{U'𠮷', {4, 1, 2}, {true, false, true}}}),
      &error);
  ASSERT_TRUE(dictionary) << error;
  EXPECT_EQ(dictionary->word_count(), words.size());
  for (const DictionaryWord& word : words) {
    const auto found = dictionary->LongestWordAt(word.word + u"の");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->length, word.word.size());
    EXPECT_EQ(found->morae, word.morae);
  }
  EXPECT_FALSE(dictionary->LongestWordAt(u"亜"));
  EXPECT_FALSE(dictionary->LongestWordAt(u"の亜亜"));
  const auto after = dictionary->KanjiMorae(U'𠮷', KanjiPlace::AfterKanji);
  ASSERT_TRUE(after);
  EXPECT_EQ(after->morae, 2);
  EXPECT_TRUE(after->sure);
  EXPECT_FALSE(dictionary->KanjiMorae(U'𠮷', KanjiPlace::BeforeKanji)->sure);
  EXPECT_FALSE(dictionary->KanjiMorae(U'亜', KanjiPlace::Alone));
}

TEST(ReadingDictionaryFile, DamagedOrCutBytesAreRefused) {
  const std::string good = ReadingDictionaryBytes(ManyWords(), {});
  std::string error;
  for (std::size_t cut : {std::size_t{0}, std::size_t{4}, std::size_t{31},
                          good.size() / 2, good.size() - 1}) {
    EXPECT_FALSE(ReadingDictionary::FromBytes(good.substr(0, cut), &error))
        << cut;
    EXPECT_EQ(error, "読み辞書が壊れています");
  }
  for (std::size_t at = 8; at < good.size(); at += 7) {
    std::string damaged = good;
    damaged[at] = static_cast<char>(damaged[at] ^ 0x5A);
    EXPECT_FALSE(ReadingDictionary::FromBytes(damaged, &error)) << at;
  }
  std::string other_version = good;
  other_version[4] = 2;
  EXPECT_FALSE(ReadingDictionary::FromBytes(other_version, &error));
  EXPECT_EQ(error, "読み辞書の版が違います");
}

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
