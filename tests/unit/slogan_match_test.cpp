#include "src/storage/slogan_match.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tavlin {

namespace {

struct MatchCase {
  const char* name;
  const char* line;
  const char* slogan;
  bool matches;
};

std::ostream& operator<<(std::ostream& out, const MatchCase& c) {
  return out << c.name;
}

class SloganMatching : public testing::TestWithParam<MatchCase> {};

// The same table holds for the user locale's comparison on Windows and for
// the folding comparison elsewhere.
TEST_P(SloganMatching, IgnoresLetterCaseOnly) {
  const MatchCase& c = GetParam();
  EXPECT_EQ(SlogansMatch(ShiftJisView(c.line), ShiftJisView(c.slogan)),
            c.matches);
  EXPECT_EQ(SlogansMatch(ShiftJisView(c.slogan), ShiftJisView(c.line)),
            c.matches);
}

TEST_P(SloganMatching, FoldingComparisonAgrees) {
  const MatchCase& c = GetParam();
  EXPECT_EQ(FoldedShiftJisEqual(c.line, c.slogan), c.matches);
}

const MatchCase kMatchCases[] = {
    // 安全第一 in Shift-JIS.
    {"Identical", "\x88\xC0\x91\x53\x91\xE6\x88\xEA",
     "\x88\xC0\x91\x53\x91\xE6\x88\xEA", true},
    {"AsciiCase", "A B C", "a b c", true},
    // Ａ and ａ, full width.
    {"FullWidthLatinCase", "\x82\x60\x82\x79", "\x82\x81\x82\x9A", true},
    // Α Ω and α ω.
    {"GreekCase", "\x83\x9F\x83\xB6", "\x83\xBF\x83\xD6", true},
    // А О Я and а о я: the lower row skips 0x7F.
    {"CyrillicCase", "\x84\x40\x84\x4F\x84\x60", "\x84\x70\x84\x80\x84\x91",
     true},
    {"WidthCounts", "\x82\x81", "a", false},
    // あ and ア.
    {"KanaTypeCounts", "\x82\xA0", "\x83\x41", false},
    // ア ends in the byte of "A" and ヂ in that of "a": characters, not
    // bytes, are folded.
    {"TrailBytesAreNoLetters", "\x83\x41", "\x83\x61", false},
    {"LeadingSpaceCounts", " a b c", "a b c", false},
    {"TrailingSpaceCounts", "abc ", "abc", false},
    // An ideographic space against two ASCII spaces.
    {"IdeographicSpaceIsNoAsciiSpace",
     "a\x81\x40"
     "b",
     "a  b", false},
    {"DifferentWords", "abc", "abd", false},
    {"EmptyAgainstText", "", "a", false},
    {"BothEmpty", "", "", true},
};

INSTANTIATE_TEST_SUITE_P(Pairs, SloganMatching, testing::ValuesIn(kMatchCases),
                         [](const auto& info) { return info.param.name; });

}  // namespace

}  // namespace tavlin
