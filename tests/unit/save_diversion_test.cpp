// Where a list goes when its folder refuses a save after the start: beside
// its file, else the copy in the user's folder, else, at the end of a
// Windows session, the temporary folder; where none takes it the save
// fails, and the text reaches the file once its folder takes it again.
#include "src/storage/save_diversion.h"

#include <gtest/gtest.h>

#include "src/platform/tavlin_error.h"
#include "support/faulty_file_ops.h"
#include "support/list_session.h"
#include "support/temp_folder.h"

namespace tavlin {

namespace fs = std::filesystem;

namespace {

using Result = SaveOutcome::Result;

class UserFolderDetour : public testing::Test {
 protected:
  UserFolderDetour() {
    fs::create_directory(root_ / "program");
    location_.beside_program = root_ / "program" / "T.txt";
    location_.in_user_folder =
        UserFolderStoragePath(root_ / "AppData", location_.beside_program);
    WriteBytes(location_.beside_program, "A\r\nB");
  }
  const fs::path& file() const { return location_.beside_program; }
  const fs::path& copy() const { return location_.in_user_folder; }

  TempFolder root_, temporary_;
  StorageLocation location_;
  RefusingFolderOps program_refuses_{{root_ / "program"}};
};

TEST_F(UserFolderDetour, ASecondDetourMergesWithTheCopyAsThisSessionLeftIt) {
  ListSession session(location_);
  session.Save(Latin1("A\r\nB\r\nC"), SaveMoment::WhileWorking,
               program_refuses_);
  WriteBytes(copy(), "A\r\nB\r\nC\r\nD");  // another copy's line
  session.Save(Latin1("A\r\nC"), SaveMoment::WhileWorking, program_refuses_);
  EXPECT_EQ(ReadBytes(copy()), "A\r\nC\r\nD");
  EXPECT_EQ(ReadBytes(file()), "A\r\nB");
}

enum class KeptIn { UserCopy, Temporary, Nowhere };

struct Detour {
  bool user_folder_refuses;
  SaveMoment moment;
  KeptIn kept_in;
};

class DetourLadder : public UserFolderDetour,
                     public testing::WithParamInterface<Detour> {};

TEST_P(DetourLadder, TakesTheFirstPlaceThatTakesTheTextAndLosesNothing) {
  const Detour& row = GetParam();
  ListSession session(location_);
  RefusingFolderOps both_refuse{{root_ / "program", copy().parent_path()}};
  const SaveOutcome outcome =
      session.Save(Latin1("A\r\nB\r\nC"), row.moment,
                   row.user_folder_refuses ? both_refuse : program_refuses_,
                   temporary_.path());
  const bool kept_nowhere = row.kept_in == KeptIn::Nowhere;
  EXPECT_EQ(outcome.result, kept_nowhere ? Result::Failed : Result::Done);
  const fs::path kept = row.kept_in == KeptIn::UserCopy
                            ? copy()
                            : DivertedStorageFilePath(temporary_ / "T.txt", 1);
  EXPECT_EQ(fs::exists(kept), !kept_nowhere);
  if (!kept_nowhere) {
    EXPECT_EQ(ReadBytes(kept), "A\r\nB\r\nC");
    ASSERT_EQ(outcome.reports.size(), 1u);
    EXPECT_NE(outcome.reports[0].text.find(PathForMessage(kept.parent_path())),
              std::string::npos);
  }
  EXPECT_EQ(ReadBytes(file()), "A\r\nB");
  // Once the folder takes the list again its file gets the text, and a
  // copy that held it is renamed as taken in.
  EXPECT_EQ(session.Save(Latin1("A\r\nB\r\nC")).result, Result::Done);
  EXPECT_EQ(ReadBytes(file()), "A\r\nB\r\nC");
  EXPECT_FALSE(fs::exists(copy()));
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, DetourLadder,
    testing::Values(Detour{false, SaveMoment::WhileWorking, KeptIn::UserCopy},
                    Detour{false, SaveMoment::EndingSession, KeptIn::UserCopy},
                    Detour{true, SaveMoment::EndingSession, KeptIn::Temporary},
                    Detour{true, SaveMoment::Closing, KeptIn::Nowhere},
                    Detour{true, SaveMoment::WhileWorking, KeptIn::Nowhere}));

}  // namespace

}  // namespace tavlin
