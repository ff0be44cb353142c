// The plan of one save, without a file: base, theirs and ours meet in one
// domain, what did not decode whole is never written over, a file keeps
// its encoding whatever another writer left in it, and whatever is written
// loads back as the text it was written from.
#include "src/storage/save_plan.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "src/platform/unicode_text.h"
#include "support/list_session.h"

namespace tavlin {

namespace {

using Target = SavePlan::Target;
using E = TextEncoding;

struct PlanCase {
  const char* name;
  E encoding;        // the list's, as last read or written
  std::string last;  // the file's bytes then
  std::u16string last_text;
  std::string now;  // the file's bytes now
  std::u16string ours;
  Target target;
  std::u16string text;
  std::optional<std::string> bytes;  // nothing: none to write
  E written_in;
};

std::ostream& operator<<(std::ostream& out, const PlanCase& c) {
  return out << c.name;
}

class SavePlanOf : public testing::TestWithParam<PlanCase> {};

TEST_P(SavePlanOf, KeepsEveryWritersText) {
  const PlanCase& c = GetParam();
  ListMemory memory;
  memory.last = {FileSnapshot::Kind::Read, c.last};
  memory.last_text = c.last_text;
  memory.encoding = c.encoding;
  memory.start = FingerprintOf(c.last_text);
  const SavePlan plan = PlanStorageSave(
      memory, {FileSnapshot::Kind::Read, c.now}, c.ours,
      SaveMoment::WhileWorking, ByteCodec(), SameSloganIgnoringCase);
  EXPECT_EQ(plan.target, c.target);
  EXPECT_EQ(TextAfter(plan, c.ours), c.text);
  if (c.bytes) {
    EXPECT_EQ(plan.bytes, *c.bytes);
  }
  EXPECT_EQ(plan.encoding, c.written_in);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, SavePlanOf,
    testing::Values(
        // Text Shift-JIS cannot hold makes the list UTF-8 with its mark.
        PlanCase{"AUnicodeLineMakesTheListUtf8WithItsMark", E::ShiftJis, "A",
                 u"A", "A", u"A\r\nX\u301C", Target::File, u"A\r\nX\u301C",
                 "\xEF\xBB\xBF"
                 "A\r\nX\xE3\x80\x9C",
                 E::Utf8WithBom},
        // A box as the file was takes the file's text, deletions and all.
        PlanCase{"ALineAnotherWriterCorrectedIsNotBroughtBack", E::ShiftJis,
                 "typo\r\n", u"typo\r\n", "fixed", u"typo\r\n", Target::None,
                 u"fixed", std::nullopt, E::ShiftJis},
        // The same text saved again in another encoding: never written
        // over with the old bytes, nor in the old encoding.
        PlanCase{"TheSameTextResavedAsUtf16IsLeftAsItIs", E::ShiftJis, "A\r\nB",
                 u"A\r\nB",
                 std::string("\xFF\xFE"
                             "A\0\r\0\n\0B\0",
                             10),
                 u"A\r\nB", Target::None, u"A\r\nB", std::nullopt, E::Utf16Le},
        PlanCase{"AStoreAfterAResaveAsUtf16IsWrittenInUtf16", E::ShiftJis,
                 "A\r\nB", u"A\r\nB",
                 std::string("\xFF\xFE"
                             "A\0\r\0\n\0B\0",
                             10),
                 u"A\r\nB\r\nC", Target::File, u"A\r\nB\r\nC",
                 std::string("\xFF\xFE"
                             "A\0\r\0\n\0B\0\r\0\n\0C\0",
                             16),
                 E::Utf16Le},
        // One line of UTF-16 without a mark would load as something else.
        PlanCase{"Utf16WithoutAMarkCutToOneLineGetsItsMark",
                 E::Utf16LeWithoutMark, std::string("A\0\r\0\n\0B\0", 8),
                 u"A\r\nB", std::string("A\0\r\0\n\0B\0", 8), u"B",
                 Target::File, u"B",
                 std::string("\xFF\xFE"
                             "B\0",
                             4),
                 E::Utf16Le},
        PlanCase{"AZeroByteWrittenMeanwhileIsNeverWrittenOver", E::ShiftJis,
                 "A", u"A", std::string("A\0B", 3), u"A\r\nC", Target::SideFile,
                 u"A\r\nC", "A\r\nC", E::ShiftJis},
        PlanCase{"AnEmptiedUtf8ListWithAMarkStaysEmpty", E::Utf8WithBom,
                 "\xEF\xBB\xBF"
                 "A",
                 u"A", "", u"A", Target::None, u"", std::nullopt,
                 E::Utf8WithBom},
        PlanCase{"AnEmptiedUtf16ListTakesNewLines", E::Utf16Le,
                 std::string("\xFF\xFE"
                             "A\0",
                             4),
                 u"A", "", u"A\r\nB", Target::File, u"B",
                 std::string("\xFF\xFE"
                             "B\0",
                             4),
                 E::Utf16Le},
        PlanCase{"AnAsciiFileFromAnotherWriterKeepsTheListUtf8", E::Utf8,
                 "\xE5\xAE\x89", u"安", "T", u"安\r\n全", Target::File,
                 u"T\r\n全", "T\r\n\xE5\x85\xA8", E::Utf8},
        PlanCase{"Utf16WithoutAMarkIsWrittenWithoutOne", E::Utf16LeWithoutMark,
                 std::string("A\0\r\0\n\0B\0", 8), u"A\r\nB",
                 std::string("A\0\r\0\n\0B\0", 8), u"A\r\nB\r\nC", Target::File,
                 u"A\r\nB\r\nC", std::string("A\0\r\0\n\0B\0\r\0\n\0C\0", 14),
                 E::Utf16LeWithoutMark}),
    [](const auto& info) { return std::string(info.param.name); });

// Every encoding the program writes, and short texts that tempt a load to
// take the bytes for another encoding.
TEST(SavedListText, LoadsBackAsTheTextInEveryEncoding) {
  const std::u16string texts[] = {u"",        u"A",      u"\u5B89",
                                  u"A\r\nB",  u"ascii",  u"\uFEFF",
                                  u"\uFEFFA", u"\u00FF", u"X\u301C"};
  const ByteCodec shift_jis;
  for (const E encoding :
       {E::ShiftJis, E::Utf8, E::Utf8WithBom, E::Utf16Le, E::Utf16Be,
        E::Utf16LeWithoutMark, E::Utf16BeWithoutMark}) {
    for (const std::u16string& text : texts) {
      ListMemory memory;
      memory.last = {FileSnapshot::Kind::Missing, {}};
      memory.encoding = encoding;
      const SavePlan plan = PlanStorageSave(
          memory, {FileSnapshot::Kind::Missing, {}}, text, SaveMoment::Closing,
          shift_jis, SameSloganIgnoringCase);
      const std::optional<std::u16string> loaded =
          EncodingCodec(DetectTextEncoding(plan.bytes), &shift_jis)
              .Decode(plan.bytes);
      EXPECT_EQ(loaded, text)
          << static_cast<int>(encoding) << " " << Utf8FromU16(text);
    }
  }
}

}  // namespace

}  // namespace tavlin
