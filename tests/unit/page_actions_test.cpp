// The main window's commands run by the host against a recording window:
// what each does to the page, its history and its holds, and which page is
// in view; a command that needs a row does nothing without one.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "src/app/main_host.h"
#include "src/platform/messages.h"
#include "src/ui/main_form_ids.h"
#include "support/list_session.h"
#include "support/recording_view.h"
#include "support/temp_folder.h"

namespace tavlin {

namespace {

namespace fs = std::filesystem;

class PageActions : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"安全上.txt", "安全中.txt", "安全下.txt"})
      WriteBytes(folder_ / fs::path(reinterpret_cast<const char8_t*>(name)),
                 "a\r\nb\r\nc\r\nd");
    host_.emplace(PagesOf(folder_ / "Tavlin.exe"), folder_.path(), codec_);
    view_.boxes[0];  // the first page's box is made with the window
    host_->Attach(view_);
    std::uint32_t seed = 0;
    host_->UseSeeds([seed]() mutable { return ++seed; });
    host_->Start({folder_ / "user", folder_ / "temp"});
    host_->WindowShows();
  }
  const SloganRows& Shown() const { return view_.rows_shown.back(); }
  // Waits until the saves beside the window have woken it count times in
  // all, and takes up what they found.
  void TakeResults(int count = 1) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (view_.wakes < count && std::chrono::steady_clock::now() < deadline)
      std::this_thread::yield();
    host_->TakeSaveResults();
  }
  void Save(std::u16string text, int count) {
    view_.boxes[0] = std::move(text);
    host_->ListTyped(0);
    host_->SaveTimeCame(0);
    TakeResults(count);
  }

  TempFolder folder_;
  ByteCodec codec_;
  RecordingView view_;
  std::optional<MainHost> host_;
};

TEST_F(PageActions, AStoredRowGoesOnceToTheEndOfTheBoxAndOnDiskAtOnce) {
  const std::u16string slogan = Shown()[2].Text();
  view_.boxes[0] = slogan + u"\r\nkept";
  host_->Run(kMenuStore, 2);
  EXPECT_EQ(view_.boxes[0], u"kept\r\n" + slogan);
  TakeResults();
  EXPECT_EQ(Latin1(ReadBytes(host_->Page(0).storage_file)), view_.boxes[0]);
  // No row, or a row the list does not show: nothing is stored or copied.
  host_->Run(kMenuStore);
  host_->Run(kMenuCopy, 5);
  host_->Run(kMenuCopy, 1);
  EXPECT_EQ(view_.boxes[0], u"kept\r\n" + slogan);
  EXPECT_EQ(view_.copied, std::vector<std::u16string>{Shown()[1].Text()});
}

TEST_F(PageActions, HoldsKeepTheirPartUntilReleasedAndRedrawTheRows) {
  const SloganRow held = Shown()[0];
  host_->Run(kMenuHoldMiddle, 0);
  EXPECT_EQ(view_.redraws, 1);
  EXPECT_TRUE(host_->SloganMenu(0).part_held[1]);
  host_->Run(kBitBtn1);
  for (const SloganRow& row : Shown()) EXPECT_EQ(row.parts[1], held.parts[1]);
  host_->Run(kMenuReleaseHolds);
  EXPECT_FALSE(host_->Holds().any());
  EXPECT_EQ(view_.redraws, 2);
}

TEST_F(PageActions, TheHistoryPagesBackAndForthAndTellsWhereItIs) {
  const SloganRows first = Shown();
  host_->Run(kBitBtn1);
  host_->Run(kMenuLater);  // at the end already: nothing
  ASSERT_EQ(view_.rows_shown.size(), 2u);
  host_->Run(kMenuEarlier);
  EXPECT_EQ(Shown(), first);
  EXPECT_EQ(host_->ShownRows(), first);
  host_->Run(kMenuLater);
  EXPECT_EQ(view_.ToldAt(Notice::Place::SloganList),
            (std::vector<std::string>{"1/2", "2/2"}));
  EXPECT_TRUE(view_.told.back().brief);
}

TEST_F(PageActions, TheActivePageIsTheHostsAndTheTabsFollowIt) {
  view_.boxes[0] = u"typed";
  host_->ListTyped(0);
  host_->Run(kNextPage);
  EXPECT_EQ(host_->Active(), 1u);
  EXPECT_EQ(view_.pages_shown, std::vector<std::size_t>{1});
  EXPECT_FALSE(view_.generate_enabled);  // 品質 has no phrase files
  EXPECT_TRUE(Shown().empty());
  TakeResults();  // the page left went to disk as it was left
  EXPECT_EQ(ReadBytes(host_->Page(0).storage_file), "typed");
  host_->Run(kPreviousPage);
  host_->Run(kPreviousPage);  // from the first to the last
  EXPECT_EQ(host_->Active(), host_->PageCount() - 1);
  EXPECT_EQ(view_.pages_shown.back(), host_->PageCount() - 1);
}

TEST_F(PageActions, TheTallyTellsOverTheBoxWhereTheListHoldsNoSlogan) {
  host_->Run(kStorageVoteTally);
  EXPECT_EQ(view_.ToldAt(Notice::Place::StorageBox),
            std::vector<std::string>{std::string(kNoSlogansToTally)});
  view_.boxes[0] = u"one\r\n\r\ntwo";
  host_->Run(kStorageVoteTally);
  ASSERT_EQ(view_.tallies.size(), 1u);
  EXPECT_EQ(view_.tallies[0].slogans,
            (std::vector<std::u16string>{u"one", u"two"}));
  EXPECT_EQ(view_.tallies[0].folder, folder_.path());
  // The filled sheets are looked for where the last sheet went.
  view_.sheet_written = folder_ / "votes" / "sheet.csv";
  host_->Run(kStorageVoteSheet);
  host_->Run(kStorageVoteTally);
  EXPECT_EQ(view_.tallies.back().folder, folder_ / "votes");
}

TEST_F(PageActions, LinesPutBackShowAtTheEndAndAreSavedAsTypingIs) {
  Save(u"a\r\nb", 1);
  Save(u"a", 2);  // b deleted, and on disk so
  view_.timers.clear();
  view_.to_put_back = {u"b"};
  host_->Run(kStorageRestoreRemoved);
  EXPECT_EQ(view_.boxes[0], u"a\r\nb\r\n");
  EXPECT_EQ(view_.timers.count(0), 1u);
  EXPECT_FALSE(host_->AnyRemovedLines(0));
}

TEST_F(PageActions, TheBoxsOwnItemsAndTheWindowsOfTheirOwnGoToTheView) {
  host_->Run(kStoragePaste);
  EXPECT_EQ(view_.box_commands, std::vector<int>{kStoragePaste});
  host_->Run(kStoragePoster);  // a blank line at the caret: no poster
  view_.caret_line = u"安全 第一";
  host_->Run(kStoragePoster);
  host_->Run(kMenuPoster, 1);
  EXPECT_EQ(view_.posters,
            (std::vector<std::u16string>{u"安全 第一", Shown()[1].Text()}));
  host_->Run(kMenuEditPhrases);
  ASSERT_EQ(view_.workshops.size(), 1u);
  EXPECT_EQ(view_.workshops[0].themes.size(), host_->PageCount());
}

}  // namespace

}  // namespace tavlin
