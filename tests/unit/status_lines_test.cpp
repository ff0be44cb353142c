#include "src/info/status_lines.h"

#include <gtest/gtest.h>

namespace tavlin {

namespace {

constexpr std::uint64_t kSecond = 10'000'000;

StatusFigures TypicalFigures() {
  StatusFigures figures;
  figures.system = {187600896, 536330240, 1 << 20, 2 << 20, 3 << 20, 4 << 20};
  figures.process = {1024, 2048, 4096, 1024, 1024, 512, 1536, 10240, 20480};
  figures.clock = {true, 100 * kSecond, 5 * kSecond + 9999999, 5 * kSecond,
                   100 * kSecond + 3725 * kSecond};
  return figures;
}

TEST(StatusLines, HaveTheTextsOfTheirLabels) {
  const StatusLines lines = ComposeStatusLines(TypicalFigures(), {});
  EXPECT_EQ(lines[kPhysicalLine],
            "Free Physical Memory:183,204 KB; Total:523,760 KB");
  EXPECT_EQ(lines[kPageFileLine], "Free Paging File:1,024 KB; Total:2,048 KB");
  EXPECT_EQ(lines[kVirtualLine],
            "Free Virtual Memory:3,072 KB; Total:4,096 KB");
  EXPECT_EQ(lines[kWorkingSetLine], "Memory Usage:2 KB; Peak:4 KB");
  EXPECT_EQ(lines[kPageFaultLine], "Page Fault:1,024");
  EXPECT_EQ(lines[kPagefileUsageLine], "Pagefile Usage:10 KB; Peak:20 KB");
  EXPECT_EQ(lines[kPagedPoolLine], "Paged Pool Usage:1 KB; Peak:1 KB");
  EXPECT_EQ(lines[kNonPagedPoolLine], "NonPaged Pool Usage:1 KB; Peak:2 KB");
  EXPECT_EQ(lines[kProcessTimeLine],
            "Kernel:0:00:05; User:0:00:05; Process:1:02:05");
}

TEST(StatusLines, ProcessTimesDropTheirFractions) {
  StatusFigures figures = TypicalFigures();
  figures.clock.kernel = 30 * 3600 * kSecond;  // a day and six hours
  figures.clock.user = 59999999;               // 5.9999999 s
  const StatusLines lines = ComposeStatusLines(figures, {});
  EXPECT_EQ(lines[kProcessTimeLine],
            "Kernel:30:00:00; User:0:00:05; Process:1:02:05");
}

TEST(StatusLines, ElapsedTimeIsNeverNegative) {
  StatusFigures figures = TypicalFigures();
  figures.clock.now = figures.clock.creation - 61 * kSecond;  // clock set back
  EXPECT_EQ(ComposeStatusLines(figures, {})[kProcessTimeLine],
            "Kernel:0:00:05; User:0:00:05; Process:0:01:01");
}

TEST(StatusLines, UnknownTimesAndCountersShowZeros) {
  StatusFigures figures = TypicalFigures();
  figures.process = {};
  figures.clock.times_known = false;
  const StatusLines lines = ComposeStatusLines(figures, {});
  EXPECT_EQ(lines[kWorkingSetLine], "Memory Usage:0 KB; Peak:0 KB");
  EXPECT_EQ(lines[kPageFaultLine], "Page Fault:0");
  EXPECT_EQ(lines[kNonPagedPoolLine], "NonPaged Pool Usage:0 KB; Peak:0 KB");
  EXPECT_EQ(lines[kProcessTimeLine],
            "Kernel:0:00:00; User:0:00:00; Process:0:00:00");
}

TEST(StatusLines, SecondsAreTheLow32BitsAsASignedNumber) {
  EXPECT_EQ(WholeSeconds(59999999), 5);
  EXPECT_EQ(WholeSeconds(0x80000000ull * kSecond), INT32_MIN);
  EXPECT_EQ(WholeSeconds(0x100000005ull * kSecond), 5);
}

}  // namespace

}  // namespace tavlin
