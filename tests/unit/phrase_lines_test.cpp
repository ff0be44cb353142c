#include "src/slogan/phrase_lines.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "src/slogan/phrase_list.h"

namespace tavlin {

namespace {

using Lines = std::vector<std::string>;

Lines AllLines(std::string_view bytes) {
  Lines lines;
  ForEachLine(bytes, [&](std::size_t begin, std::size_t length) {
    lines.emplace_back(bytes.substr(begin, length));
  });
  return lines;
}

Lines PhrasesOf(std::string bytes) {
  PhraseList list;
  list.AssignFileBytes(std::move(bytes));
  Lines phrases;
  for (std::size_t i = 0; i < list.size(); ++i) phrases.emplace_back(list[i]);
  return phrases;
}

struct LineCase {
  const char* name;
  std::string bytes;
  Lines lines;    // the line rule alone
  Lines phrases;  // after the blank lines are removed
};

std::ostream& operator<<(std::ostream& out, const LineCase& c) {
  return out << c.name;
}

class PhraseFileLines : public testing::TestWithParam<LineCase> {};

TEST_P(PhraseFileLines, SplitsAndDropsBlankLines) {
  const LineCase& c = GetParam();
  EXPECT_EQ(AllLines(c.bytes), c.lines);
  EXPECT_EQ(PhrasesOf(c.bytes), c.phrases);
}

const LineCase kLineCases[] = {
    {"Empty", "", {}, {}},
    {"CrLfBlankAndSpaces",
     "a\r\n\r\n  \r\nb",
     {"a", "", "  ", "b"},
     {"a", "b"}},
    {"LfCrIsTwoLineEnds", "x\n\ry", {"x", "", "y"}, {"x", "y"}},
    {"LoneCrAndLoneLf", "a\rb\nc", {"a", "b", "c"}, {"a", "b", "c"}},
    {"FinalLineEndAddsNoLine", "a\r\n", {"a"}, {"a"}},
    {"FinalLoneCr", "a\r", {"a"}, {"a"}},
    {"CrCrIsAnEmptyLine", "a\r\rb", {"a", "", "b"}, {"a", "b"}},
    {"OnlyALineEnd", "\n", {""}, {}},
    {"ZeroByteEndsTheText",
     std::string("a\nb\0c\nd", 7),
     {"a", "b"},
     {"a", "b"}},
    {"ZeroByteFirst", std::string("\0abc", 4), {}, {}},
    {"SpacesAndTabsAreKept",
     " a \t\r\n\tb",
     {" a \t", "\tb"},
     {" a \t", "\tb"}},
    {"ControlCharactersAreBlank", "\t\x1f \r\n\x01", {"\t\x1f ", "\x01"}, {}},
    {"IdeographicSpaceIsNotBlank",
     "\x81\x40\x81\x40\r\n",
     {"\x81\x40\x81\x40"},
     {"\x81\x40\x81\x40"}},
    {"ByteOrderMarkStaysInTheFirstPhrase",
     "\xEF\xBB\xBF"
     "a\r\nb",
     {"\xEF\xBB\xBF"
      "a",
      "b"},
     {"\xEF\xBB\xBF"
      "a",
      "b"}},
    // 表 and ソ end in 0x5C, the code of "\", which means nothing here.
    {"TrailBytesPassThrough",
     "\x95\x5C\r\n\x83\x5C",
     {"\x95\x5C", "\x83\x5C"},
     {"\x95\x5C", "\x83\x5C"}},
    {"DuplicatesAndOrderStay", "b\na\nb", {"b", "a", "b"}, {"b", "a", "b"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, PhraseFileLines, testing::ValuesIn(kLineCases),
                         [](const auto& info) { return info.param.name; });

// The line rule one byte at a time, as plainly as it can be written.
Lines ReferenceLines(std::string_view bytes) {
  Lines lines;
  std::size_t begin = 0;
  std::size_t at = 0;
  for (; at < bytes.size() && bytes[at] != '\0'; ++at) {
    if (bytes[at] != '\r' && bytes[at] != '\n') continue;
    lines.emplace_back(bytes.substr(begin, at - begin));
    if (bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n')
      ++at;
    begin = at + 1;
  }
  if (at > begin) lines.emplace_back(bytes.substr(begin, at - begin));
  return lines;
}

Lines ReferencePhrases(std::string_view bytes) {
  Lines phrases;
  for (std::string& line : ReferenceLines(bytes))
    if (!IsBlankLine(line)) phrases.push_back(std::move(line));
  return phrases;
}

// Phrases are found 64 bytes at a time: a zero byte, a CR, an LF or a CR LF
// at every place of the first two blocks and across their border, in texts
// whose tails differ.
TEST(PhraseFileLines, AgreeWithTheByteAtATimeRuleAtEveryOffset) {
  const std::string_view ends[] = {std::string_view("\0", 1), "\r", "\n",
                                   "\r\n", "\n\r"};
  std::string letters;
  for (int i = 0; i < 140; ++i) letters += static_cast<char>('a' + i % 26);
  for (const std::size_t size : {16u, 17u, 63u, 64u, 65u, 127u, 128u, 130u}) {
    for (std::size_t offset = 0; offset + 1 < size; ++offset) {
      for (const std::string_view end : ends) {
        std::string bytes = letters.substr(0, size);
        bytes.replace(offset, end.size(), end);
        bytes.resize(size);
        EXPECT_EQ(AllLines(bytes), ReferenceLines(bytes));
        EXPECT_EQ(PhrasesOf(bytes), ReferencePhrases(bytes))
            << "size " << size << ", offset " << offset << ", end "
            << static_cast<int>(end[0]);
      }
    }
  }
}

TEST(PhraseList, MovingKeepsThePhrases) {
  PhraseList list;
  list.AssignFileBytes("short\none");  // small enough for in-place storage
  PhraseList moved = std::move(list);
  ASSERT_EQ(moved.size(), 2u);
  EXPECT_EQ(moved[0], "short");
  EXPECT_EQ(moved[1], "one");
}

}  // namespace

}  // namespace tavlin
