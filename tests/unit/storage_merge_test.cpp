// Merging a storage list with another writer's save: every line either
// side added stays, a line goes only where one side deleted it and the
// other left it, and the session's own lines never go.
#include "src/storage/storage_merge.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "support/list_session.h"

namespace tavlin {

namespace {

struct MergeCase {
  const char* name;
  const char* base;
  const char* theirs;
  const char* ours;
  const char* start;  // the session's text as loaded
  const char* merged;
  std::size_t taken_in;
};

std::ostream& operator<<(std::ostream& out, const MergeCase& c) {
  return out << c.name;
}

class StorageMerge : public testing::TestWithParam<MergeCase> {};

TEST_P(StorageMerge, KeepsWhatEitherSideMeant) {
  const MergeCase& c = GetParam();
  const MergedText merged =
      MergeStorageText(Latin1(c.base), Latin1(c.theirs), Latin1(c.ours),
                       Latin1(c.start), SameSloganIgnoringCase);
  EXPECT_EQ(merged.text, Latin1(c.merged));
  EXPECT_EQ(merged.taken_in, c.taken_in);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StorageMerge,
    testing::Values(
        MergeCase{"BothAdd", "A", "A\r\nT", "A\r\nO", "A", "A\r\nT\r\nO", 1},
        MergeCase{"BothAddTheSameLine", "A", "A\r\nX", "A\r\nX", "A", "A\r\nX",
                  0},
        MergeCase{"BothAddTheSameSloganInAnotherCase", "A", "A\r\nxy",
                  "A\r\nXY", "A", "A\r\nxy", 1},
        MergeCase{"TheyDeleteALineWeLeft", "A\r\nB", "B", "A\r\nB", "A\r\nB",
                  "B", 0},
        MergeCase{"WeDeleteALineTheyLeft", "A\r\nB", "A\r\nB\r\nT", "B",
                  "A\r\nB", "B\r\nT", 1},
        MergeCase{"BothDelete", "A\r\nB", "B", "B", "A\r\nB", "B", 0},
        MergeCase{"TheyDropALineThisSessionAdded", "A\r\nO", "A\r\nT", "A\r\nO",
                  "A", "A\r\nT\r\nO", 1},
        MergeCase{"WeChangeALineTheyLeft", "A\r\nB", "A\r\nB\r\nT", "A\r\nB2",
                  "A\r\nB", "A\r\nT\r\nB2", 1},
        MergeCase{"EmptyBaseKeepsBothWhole", "", "T1\r\nT2", "O1\r\nT2", "",
                  "T1\r\nT2\r\nO1", 1},
        MergeCase{"TheirOrderFirst", "A\r\nB", "B\r\nA", "A\r\nB\r\nO",
                  "A\r\nB", "B\r\nA\r\nO", 0},
        MergeCase{"ACopyAddedTwiceStandsTwice", "A", "A\r\nA", "A", "A",
                  "A\r\nA", 1},
        MergeCase{"OurFinalLineBreakStays", "A\r\n", "A\r\nT", "A\r\nO\r\n",
                  "A\r\n", "A\r\nT\r\nO\r\n", 1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

}  // namespace tavlin
