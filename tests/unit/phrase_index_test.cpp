#include "src/slogan/phrase_index.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "src/slogan/phrase_lines.h"
#include "src/slogan/phrase_list.h"

namespace tavlin {

namespace {

using Phrases = std::vector<std::string>;

// The phrases by the plain line rule: every line that is not blank.
Phrases ExpectedPhrases(std::string_view bytes) {
  Phrases phrases;
  ForEachLine(bytes, [&](std::size_t begin, std::size_t length) {
    const std::string_view line = bytes.substr(begin, length);
    if (!IsBlankLine(line)) phrases.emplace_back(line);
  });
  return phrases;
}

// count phrases "<indent>p<n>", each followed by line_end and then by
// between (blank lines, say).
std::string Numbered(std::size_t count, std::string_view line_end,
                     std::string_view between = "",
                     std::string_view indent = "") {
  std::string bytes;
  for (std::size_t n = 0; n < count; ++n) {
    bytes.append(indent).append("p").append(std::to_string(n));
    bytes.append(line_end).append(between);
  }
  return bytes;
}

struct IndexCase {
  const char* name;
  std::string bytes;
};

std::ostream& operator<<(std::ostream& out, const IndexCase& c) {
  return out << c.name;
}

class PhraseIndexes : public testing::TestWithParam<IndexCase> {};

TEST_P(PhraseIndexes, FindEveryPhraseFromTheNearestEntry) {
  PhraseList list;
  list.AssignFileBytes(GetParam().bytes);
  const Phrases expected = ExpectedPhrases(GetParam().bytes);
  ASSERT_EQ(list.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i)
    ASSERT_EQ(list[i], expected[i]) << "phrase " << i;
}

// The processor picks the instructions; the baseline ones must give the
// same index wherever the tests run.
TEST_P(PhraseIndexes, AreTheSameWithBaselineInstructions) {
  const PhraseIndex widest = IndexPhrases(GetParam().bytes);
  const PhraseIndex baseline =
      IndexPhrasesWithBaselineInstructions(GetParam().bytes);
  EXPECT_EQ(baseline.count, widest.count);
  EXPECT_EQ(baseline.text_end, widest.text_end);
  EXPECT_EQ(baseline.line_starts, widest.line_starts);
}

const std::string kLongPhrase(150, 'x');

// Long phrases after runs of 0 to 130 spaces: runs end all over a block of
// 64 bytes, some exactly at its end, so that the phrase starts a block that
// holds nothing but phrase bytes and line ends.
std::string IndentsOfEveryLength() {
  std::string bytes;
  for (std::size_t spaces = 0; spaces <= 130; ++spaces)
    bytes.append(spaces, ' ').append(kLongPhrase).append("\r\n");
  return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Files, PhraseIndexes,
    testing::Values(
        IndexCase{"OneShortOfAStep", Numbered(63, "\r\n")},
        IndexCase{"ExactlyOneStep", Numbered(64, "\r\n")},
        IndexCase{"OneBeyondAStep", Numbered(65, "\n")},
        IndexCase{"TwoStepsAndOneWithoutAFinalBreak",
                  Numbered(129, "\r\n") + "last"},
        IndexCase{"BlankRunsBetween", Numbered(200, "\r\n", "  \r\n\t\r\n\r")},
        IndexCase{"BlankLinesFirst",
                  std::string(300, '\n') + Numbered(70, "\r")},
        IndexCase{"OnlyBlankLines", Numbered(0, "") + std::string(5000, ' ') +
                                        "\r\n \t\r\n" + std::string(200, '\n')},
        IndexCase{"IndentedPhrasesKeepTheirIndent",
                  Numbered(130, "\r\n", "", " \t ")},
        IndexCase{
            "ZeroByteEndsTheText",
            Numbered(70, "\r\n") + std::string(1, '\0') + Numbered(70, "\r\n")},
        IndexCase{"IndentsOfEveryLength", IndentsOfEveryLength()},
        IndexCase{"LinesLongerThanABlock",
                  Numbered(70, kLongPhrase + "\r\n", "", kLongPhrase)}),
    [](const auto& info) { return info.param.name; });

TEST(PhraseIndex, HoldsOneEntryPerStep) {
  const auto entries = [](const std::string& bytes) {
    return IndexPhrases(bytes).line_starts.size();
  };
  EXPECT_EQ(entries(Numbered(64, "\n")), 1u);
  EXPECT_EQ(entries(Numbered(65, "\n")), 2u);
  EXPECT_EQ(entries(std::string(1000, '\n')), 0u);
}

}  // namespace

}  // namespace tavlin
