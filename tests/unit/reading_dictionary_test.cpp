// The reading dictionary's file: what is written is read back, and bytes
// that are not a whole dictionary are refused without being read past.
#include "src/rhythm/reading_dictionary.h"

#include <gtest/gtest.h>

#include "src/platform/unicode_text.h"
#include "src/rhythm/reading_dictionary_writer.h"

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
  other_version[4] = 1;  // the first version, before words had classes
  EXPECT_FALSE(ReadingDictionary::FromBytes(other_version, &error));
  EXPECT_EQ(error, "読み辞書の版が違います");
}

}  // namespace

}  // namespace tavlin
