// Merging a storage list with another writer's save: every line either
// side added stays, a line goes where one side deleted it and the other
// left it, whoever brought it in or typed it, and the lines another writer
// deleted from the box are named; all three texts are tidied alike.
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
  const char* merged;
  std::size_t taken_in;
  const char* removed;  // lines of ours theirs deleted, CR LF between
};

std::ostream& operator<<(std::ostream& out, const MergeCase& c) {
  return out << c.name;
}

class StorageMerge : public testing::TestWithParam<MergeCase> {};

TEST_P(StorageMerge, KeepsWhatEitherSideMeant) {
  const MergeCase& c = GetParam();
  const MergedText merged = MergeStorageText(
      Latin1(c.base), Latin1(c.theirs), Latin1(c.ours), SameSloganIgnoringCase);
  EXPECT_EQ(merged.text, Latin1(c.merged));
  EXPECT_EQ(merged.taken_in, c.taken_in);
  std::u16string removed;
  for (const std::u16string& line : merged.removed)
    removed += (removed.empty() ? u"" : u"\r\n") + line;
  EXPECT_EQ(removed, Latin1(c.removed));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StorageMerge,
    testing::Values(
        MergeCase{"BothAdd", "A", "A\r\nT", "A\r\nO", "A\r\nT\r\nO", 1, ""},
        MergeCase{"BothAddTheSameLine", "A", "A\r\nX", "A\r\nX", "A\r\nX", 0,
                  ""},
        MergeCase{"BothAddTheSameSloganInAnotherCase", "A", "A\r\nxy",
                  "A\r\nXY", "A\r\nxy", 1, ""},
        MergeCase{"TheyDeleteALineWeLeft", "A\r\nB", "B", "A\r\nB", "B", 0,
                  "A"},
        MergeCase{"WeDeleteALineTheyLeft", "A\r\nB", "A\r\nB\r\nT", "B",
                  "B\r\nT", 1, ""},
        MergeCase{"BothDelete", "A\r\nB", "B", "B", "B", 0, ""},
        // A line the file held is the list's: typed here or not, whoever
        // deletes it there deletes it, and the box is told which.
        MergeCase{"TheyDeleteALineThisSessionTyped", "A\r\nO", "A\r\nT",
                  "A\r\nO", "A\r\nT", 1, "O"},
        MergeCase{"TheyDeleteEverythingBlankLinesUntold", "A\r\n\r\nB\r\n", "",
                  "A\r\n\r\nB\r\n", "", 0, "A\r\nB"},
        MergeCase{"WeChangeALineTheyLeft", "A\r\nB", "A\r\nB\r\nT", "A\r\nB2",
                  "A\r\nT\r\nB2", 1, ""},
        MergeCase{"EmptyBaseKeepsBothWhole", "", "T1\r\nT2", "O1\r\nT2",
                  "T1\r\nT2\r\nO1", 1, ""},
        MergeCase{"TheirOrderFirst", "A\r\nB", "B\r\nA", "A\r\nB\r\nO",
                  "B\r\nA\r\nO", 0, ""},
        MergeCase{"ACopyAddedTwiceStandsTwice", "A", "A\r\nA", "A", "A\r\nA", 1,
                  ""},
        MergeCase{"TheirAddedCopyOfALineWeDeletedStays", "A\r\nB",
                  "A\r\nB\r\nB", "A", "A\r\nB", 1, ""},
        MergeCase{"OurFinalLineBreakStays", "A\r\n", "A\r\nT", "A\r\nO\r\n",
                  "A\r\nT\r\nO\r\n", 1, ""},
        // A line taken in from another writer is that writer's to delete.
        MergeCase{"ALineTakenInGoesWhenItsWriterDeletesIt", "A\r\nL", "A",
                  "A\r\nL", "A", 0, "L"},
        MergeCase{"ATypoFixedElsewhereLeavesOnlyTheFix", "A\r\ntypo",
                  "A\r\nfixed", "A\r\ntypo", "A\r\nfixed", 1, "typo"},
        MergeCase{"ATypoFixedElsewhereWhileWeAdd", "A\r\ntypo\r\n",
                  "A\r\nfixed", "A\r\ntypo\r\nO\r\n", "A\r\nfixed\r\nO\r\n", 1,
                  "typo"},
        // A line of the base that theirs kept is no addition of theirs:
        // ours' own copy of it, or its case corrected, answers nothing.
        MergeCase{"OurSecondCopyOfALineTheyKeptStays", "A", "A\r\nT", "A\r\nA",
                  "A\r\nT\r\nA", 1, ""},
        MergeCase{"OurCaseCorrectionOfALineTheyKeptStays", "abc\r\nX",
                  "abc\r\nX\r\nT", "ABC\r\nX", "X\r\nT\r\nABC", 1, ""},
        // Tidied alike: outer blanks and lone line breaks are no change.
        MergeCase{"ATrailingSpaceIsNoLineOfItsOwn", "X\r\nY ", "X\r\nY\r\nZ",
                  "X\r\nY ", "X\r\nY\r\nZ", 1, ""},
        MergeCase{"APastedLoneLineFeedBreaksTheLine", "A", "A\r\nB", "A\nB",
                  "A\r\nB", 0, ""},
        MergeCase{"ASpaceJustTypedAtTheEndStays", "A", "A\r\nT", "A\r\nB ",
                  "A\r\nT\r\nB ", 1, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

}  // namespace tavlin
