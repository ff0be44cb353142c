// The main window's decisions without a window: a generation per page from
// its own phrase files, seeded from outside, kept in the page's history;
// holds and histories per page; a page without phrase files composes
// nothing.
#include "src/app/main_host.h"

#include <gtest/gtest.h>

#include "src/app/save_timing.h"
#include "support/list_session.h"
#include "support/temp_folder.h"

namespace tavlin {

namespace {

class MainHostOf : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"安全上.txt", "安全中.txt", "安全下.txt"})
      WriteBytes(folder_ / std::filesystem::path(
                               reinterpret_cast<const char8_t*>(name)),
                 "a\r\nb\r\nc");
  }
  MainHost Host() {
    return MainHost(PagesOf(folder_ / "Tavlin.exe"), folder_.path(), codec_);
  }

  TempFolder folder_;
  ByteCodec codec_;
};

TEST_F(MainHostOf, AGenerationIsSeededFromOutsideAndKeptInThePagesHistory) {
  MainHost host = Host();
  ASSERT_TRUE(host.CanGenerate());
  const SloganRows first = host.Generate(42);
  ASSERT_EQ(first.size(), 5u);
  EXPECT_EQ(first[0].Text().size(), 5u);  // "a b c", shown as decoded
  EXPECT_EQ(host.Generate(42)[0].Text(), first[0].Text());
  EXPECT_EQ(host.History().size(), 2u);
}

TEST_F(MainHostOf, APageWithoutPhraseFilesComposesNothingFromAnotherPages) {
  MainHost host = Host();
  host.Generate(1);
  host.SwitchTo(1);  // 品質: no phrase file at all
  EXPECT_FALSE(host.CanGenerate());
  EXPECT_TRUE(host.Generate(1).empty());
  EXPECT_TRUE(host.History().empty());
}

TEST_F(MainHostOf, HoldsAndHistoriesBelongToTheirPage) {
  MainHost host = Host();
  const SloganRow row = host.Generate(7)[0];
  ASSERT_TRUE(host.ToggleHold(row, 1));
  for (const SloganRow& next : host.Generate(8)) {
    EXPECT_TRUE(next.held[1]);
    EXPECT_EQ(next.parts[1], row.parts[1]);
  }
  host.SwitchTo(1);
  EXPECT_FALSE(host.Holds().any());
  host.SwitchTo(0);
  EXPECT_TRUE(host.IsHeld(row, 1));
  EXPECT_EQ(host.History().size(), 2u);
}

TEST_F(MainHostOf, APageOutsideTheListIsTheFirst) {
  MainHost host = Host();
  host.ChoosePage(host.PageCount() - 1);
  EXPECT_EQ(host.Active(), host.PageCount() - 1);
  host.SwitchTo(host.PageCount());
  EXPECT_EQ(host.Active(), 0u);
}

// A save that could not run is tried again: by timer for a lock whatever
// the moment, every ten seconds for a failure while working; never at the
// end of a Windows session, where nothing can wait.
TEST(SaveTiming, ASaveThatCouldNotRunIsTriedAgain) {
  using R = SaveOutcome::Result;
  using M = SaveMoment;
  EXPECT_EQ(SaveRetryDelay(R::Done, M::WhileWorking), std::nullopt);
  EXPECT_EQ(SaveRetryDelay(R::Locked, M::Closing), kLockedPauseMs);
  EXPECT_EQ(SaveRetryDelay(R::Failed, M::WhileWorking), kFailedPauseMs);
  EXPECT_EQ(SaveRetryDelay(R::Failed, M::EndingSession), std::nullopt);
}

}  // namespace

}  // namespace tavlin
