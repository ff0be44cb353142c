// The dictionary the build made, against safety and quality phrases read
// aloud by hand (tests/data/mora-gold.tsv, mora-fresh.tsv and
// mora-heldout.tsv): nearly all counted exactly.
#include <gtest/gtest.h>

#include <cstdio>

#include "src/platform/file_access.h"
#include "src/platform/text_encoding.h"
#include "src/platform/unicode_text.h"
#include "src/rhythm/mora_count.h"
#include "src/rhythm/reading_dictionary.h"

namespace tavlin {

namespace {

// How many of a file's phrases are counted exactly, and the misses, each
// with the count and the count read by hand.
struct Exact {
  int phrases = 0;
  int exact = 0;
  std::string misses;
};

Exact CountExactly(const ReadingDictionary& dictionary, const char* path) {
  const std::optional<std::u16string> gold =
      DecodeUnicodeText(ReadWholeFile(path), TextEncoding::Utf8);
  Exact result;
  if (!gold) return result;
  ForEachTextLine(*gold, [&](std::u16string_view line) {
    const std::size_t tab = line.find(u'\t');
    const std::size_t last_tab = line.rfind(u'\t');
    if (line.empty() || line[0] == u'#' || tab == last_tab) return;
    const std::u16string_view phrase = line.substr(0, tab);
    const int morae = std::stoi(Utf8FromU16(line.substr(last_tab + 1)));
    const MoraCount count = CountMorae(phrase, dictionary);
    ++result.phrases;
    if (count.countable && count.morae == morae)
      ++result.exact;
    else
      result.misses += Utf8FromU16(phrase) + " " + std::to_string(count.morae) +
                       " (" + std::to_string(morae) + ") ";
  });
  return result;
}

// The phrases the meter was first made against, and two newer sets nobody
// had counted with it before they were read.
TEST(ReadingsByHand, NearlyAllPhrasesAreCountedExactly) {
  std::string error;
  const auto dictionary = ReadingDictionary::FromBytes(
      ReadWholeFile(TAVLIN_BUILT_DICTIONARY), &error);
  ASSERT_TRUE(dictionary) << error;
  const struct {
    const char* path;
    int least_phrases;
    int least_percent;
  } sets[] = {{TAVLIN_READINGS_BY_HAND, 250, 98},
              {TAVLIN_FRESH_READINGS_BY_HAND, 200, 99},
              {TAVLIN_HELD_OUT_READINGS_BY_HAND, 300, 99}};
  for (const auto& [path, least_phrases, least_percent] : sets) {
    const Exact result = CountExactly(*dictionary, path);
    EXPECT_GE(result.phrases, least_phrases) << path;
    EXPECT_GE(result.exact * 100, result.phrases * least_percent)
        << path << ": " << result.exact << " of " << result.phrases
        << "; missed: " << result.misses;
    std::printf("%s: %d of %d counted as read; missed: %s\n", path,
                result.exact, result.phrases, result.misses.c_str());
  }
}

}  // namespace

}  // namespace tavlin
