#include "src/storage/storage_text.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace tavlin {

namespace {

// "|" stands for one CR LF in these tables, to keep the rows readable.
std::string Crlf(std::string text) {
  std::string out;
  for (const char c : text) {
    if (c == '|')
      out += "\r\n";
    else
      out += c;
  }
  return out;
}

struct StoreCase {
  const char* name;
  std::string before;
  std::string slogan;
  std::string after;
};

std::ostream& operator<<(std::ostream& out, const StoreCase& c) {
  return out << c.name;
}

class StoreSloganRows : public testing::TestWithParam<StoreCase> {};

TEST_P(StoreSloganRows, MovesTheSloganToTheEnd) {
  const StoreCase& c = GetParam();
  ShiftJisText text(Crlf(c.before));
  StoreSlogan(text, ShiftJisView(c.slogan));
  EXPECT_EQ(text.bytes(), Crlf(c.after));
}

const StoreCase kStoreCases[] = {
    {"IntoEmpty", "", "A", "A|"},
    {"BehindALastLineWithoutBreak", "X", "A", "X|A"},
    {"BehindAFinalBreak", "X|Y|", "A", "X|Y|A|"},
    {"FromTheMiddle", "X|A|Y", "A", "X|Y|A"},
    {"TheLastLineItselfLeavesItsBreak", "X|A", "A", "X|A|"},
    {"OtherLetterCase", "a|X", "A", "X|A"},
    {"OnlyTheTopmostCopy", "A|X|A|Y", "A", "X|A|Y|A"},
    {"TheOnlyLine", "A", "A", "A|"},
    {"TheOnlyLineWithBreak", "A|", "A", "A|"},
    {"LeadingSpaceDoesNotMatch", " A|X", "A", " A|X|A"},
    {"BlankLinesStay", "X||A||Y", "A", "X|||Y|A"},
    {"EmptyLinesAreNoMatchForAnEmptySlogan", "X||Y", "", "X|Y|"},
    {"PercentSignsAreText", "100%s", "%s%d", "100%s|%s%d"},
};

INSTANTIATE_TEST_SUITE_P(Rows, StoreSloganRows, testing::ValuesIn(kStoreCases),
                         [](const auto& info) { return info.param.name; });

TEST(StoreSloganEdits, NameTheRemovedRangeAndTheAppendedText) {
  const std::string text = Crlf("X|A|Y");
  const StorageEdit edit = PlanStoreSlogan(
      std::string_view(text), std::string_view("A"),
      [](std::string_view line, std::string_view s) { return line == s; });
  ASSERT_TRUE(edit.removes_line);
  EXPECT_EQ(text.substr(edit.remove_begin, edit.remove_end - edit.remove_begin),
            "A\r\n");
  EXPECT_EQ(edit.appended, "\r\nA");
}

TEST(StoreSloganEdits, NoMatchRemovesNothing) {
  const StorageEdit edit =
      PlanStoreSlogan(std::string_view("X"), std::string_view("A"),
                      [](std::string_view, std::string_view) { return false; });
  EXPECT_FALSE(edit.removes_line);
  EXPECT_EQ(edit.appended, "\r\nA");
}

struct NormaliseCase {
  const char* name;
  std::string file;
  std::string text;
};

std::ostream& operator<<(std::ostream& out, const NormaliseCase& c) {
  return out << c.name;
}

class LoadedText : public testing::TestWithParam<NormaliseCase> {};

TEST_P(LoadedText, IsNormalisedCutAndStripped) {
  EXPECT_EQ(NormaliseStorageText(GetParam().file).bytes(),
            Crlf(GetParam().text));
}

const NormaliseCase kNormaliseCases[] = {
    {"Empty", "", ""},
    {"OnlyWhiteSpace", " \t\r\n\r\n \n\t", ""},
    {"InnerBlankLineStays", " \r\n\r\nX\r\n\r\nY\r\n\r\n", "X||Y"},
    {"LoneLineFeeds", "a\nb\n", "a|b"},
    {"LoneCarriageReturns", "a\rb\r\rc", "a|b||c"},
    {"LineFeedThenCarriageReturn", "a\n\rb", "a||b"},
    {"IdeographicSpaceIsKept", "\x81\x40X\r\n", "\x81\x40X"},
    {"IndentationInsideStays", "a\r\n  b\tc", "a|  b\tc"},
    {"ZeroByteCutsTheRest", std::string("a\nb\0c\nd", 7), "a|b"},
    {"ZeroByteAfterSpaces", std::string("a \0b", 4), "a"},
    {"TrailBytesPassThrough", "\x95\x5C\n\x83\x5C", "\x95\x5C|\x83\x5C"},
    {"ControlCodesAtTheEnds",
     "\x01\x1f"
     "a\x7f\x1f",
     "a\x7f"},
};

INSTANTIATE_TEST_SUITE_P(Files, LoadedText, testing::ValuesIn(kNormaliseCases),
                         [](const auto& info) { return info.param.name; });

TEST(LoadedText, LoadingAgainGivesTheSameText) {
  for (const NormaliseCase& c : kNormaliseCases) {
    const ShiftJisText once = NormaliseStorageText(c.file);
    EXPECT_EQ(NormaliseStorageText(once.bytes()), once) << c.name;
  }
}

// The box on the screen holds UTF-16; the same rule places the edits there.
TEST(StoreSloganEdits, WorkOnUtf16TextToo) {
  const std::u16string text = u"X\r\n\u5B89\u5168\r\nY";
  const auto edit = PlanStoreSlogan(
      std::u16string_view(text), std::u16string_view(u"\u5B89\u5168"),
      [](std::u16string_view line, std::u16string_view s) {
        return line == s;
      });
  ASSERT_TRUE(edit.removes_line);
  EXPECT_EQ(edit.remove_begin, 3u);
  EXPECT_EQ(edit.remove_end, 7u);
  std::u16string after = text;
  ApplyStorageEdit(after, edit);
  EXPECT_EQ(after, u"X\r\nY\r\n\u5B89\u5168");
}

}  // namespace

}  // namespace tavlin
