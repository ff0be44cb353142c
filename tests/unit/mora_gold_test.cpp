// The dictionary the build made, against safety and quality phrases read
// aloud by hand (tests/data/mora-gold.tsv): nearly all counted exactly.
#include <gtest/gtest.h>

#include <cstdio>

#include "src/platform/file_access.h"
#include "src/platform/text_encoding.h"
#include "src/platform/unicode_text.h"
#include "src/rhythm/mora_count.h"
#include "src/rhythm/reading_dictionary.h"

namespace tavlin {

namespace {

TEST(ReadingsByHand, AtLeast98PercentOfThePhrasesAreCountedExactly) {
  std::string error;
  const auto dictionary = ReadingDictionary::FromBytes(
      ReadWholeFile(TAVLIN_BUILT_DICTIONARY), &error);
  ASSERT_TRUE(dictionary) << error;
  const std::optional<std::u16string> gold = DecodeUnicodeText(
      ReadWholeFile(TAVLIN_READINGS_BY_HAND), TextEncoding::Utf8);
  ASSERT_TRUE(gold);
  int phrases = 0;
  int exact = 0;
  std::string misses;
  ForEachTextLine(*gold, [&](std::u16string_view line) {
    const std::size_t tab = line.find(u'\t');
    const std::size_t last_tab = line.rfind(u'\t');
    if (line.empty() || line[0] == u'#' || tab == last_tab) return;
    const std::u16string_view phrase = line.substr(0, tab);
    const int morae = std::stoi(Utf8FromU16(line.substr(last_tab + 1)));
    const MoraCount count = CountMorae(phrase, *dictionary);
    ++phrases;
    if (count.countable && count.morae == morae)
      ++exact;
    else
      misses += Utf8FromU16(phrase) + " " + std::to_string(count.morae) + " (" +
                std::to_string(morae) + ") ";
  });
  EXPECT_GE(phrases, 100);
  EXPECT_GE(exact * 100, phrases * 98)
      << exact << " of " << phrases << "; missed: " << misses;
  std::printf("%d of %d counted as read; missed: %s\n", exact, phrases,
              misses.c_str());
}

}  // namespace

}  // namespace tavlin
