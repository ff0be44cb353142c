// The plan of one save, without a file: base, theirs and ours meet in one
// domain, what did not decode whole is never written over, and a file
// keeps its encoding whatever another writer left in it.
#include "src/storage/save_plan.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

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
  memory.last_text_bytes = c.last;
  memory.encoding = c.encoding;
  memory.start_text = c.last_text;
  const SavePlan plan = PlanStorageSave(
      memory, {FileSnapshot::Kind::Read, c.now}, c.ours,
      SaveMoment::WhileWorking, ByteCodec(), SameSloganIgnoringCase);
  EXPECT_EQ(plan.target, c.target);
  EXPECT_EQ(plan.text, c.text);
  if (c.bytes) {
    EXPECT_EQ(plan.bytes, *c.bytes);
  }
  EXPECT_EQ(plan.encoding, c.written_in);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, SavePlanOf,
    testing::Values(
        // "〜" lives in the Unicode copy; the file holds "?" for it.
        PlanCase{"AUnicodeLineStaysItselfWhenAnotherWriterAdds", E::ShiftJis,
                 "A?B", u"A\u301CB", "A?B\r\nT", u"A\u301CB", Target::None,
                 u"A\u301CB\r\nT", "A?B\r\nT", E::ShiftJis},
        PlanCase{"AUnicodeLineAnotherCopyTookInIsNotDoubled", E::ShiftJis, "A",
                 u"A", "A\r\nX?\r\nT", u"A\r\nX\u301C", Target::None,
                 u"A\r\nX\u301C\r\nT", "A\r\nX?\r\nT", E::ShiftJis},
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

}  // namespace

}  // namespace tavlin
