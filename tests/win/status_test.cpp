// The status lines from the real system queries under Windows (or Wine).
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>

#include "win32/system/status_win32.h"

namespace tavlin {

namespace {

// Linux's own figure of the machine's memory, in KB, where Wine runs.
long long LinuxMemTotalKb() {
  std::ifstream meminfo("Z:\\proc\\meminfo");
  std::string name;
  long long value = 0;
  while (meminfo >> name >> value) {
    if (name == "MemTotal:") return value;
    meminfo.ignore(256, '\n');
  }
  return 0;
}

TEST(Status, RealFiguresMakePlausibleLines) {
  StatusGatherer gatherer;
  const NumberSeparators separators = UserNumberSeparators();
  const StatusFigures first = gatherer.Gather();
  const StatusFigures second = gatherer.Gather();

  for (const StatusFigures* figures : {&first, &second}) {
    EXPECT_GT(figures->system.total_physical, 0);
    EXPECT_GE(figures->system.total_physical,
              figures->system.available_physical);
    EXPECT_GT(figures->process.working_set, 0);
    EXPECT_TRUE(figures->clock.times_known);
  }
  EXPECT_GE(second.clock.now - second.clock.creation,
            first.clock.now - first.clock.creation);

  const std::string group =
      "[0-9]{1,3}(" +
      std::regex_replace(separators.thousands,
                         std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)") +
      "[0-9]{3})*";
  const StatusLines lines = ComposeStatusLines(second, separators);
  const std::pair<StatusLine, std::string> formats[] = {
      {kPhysicalLine,
       "Free Physical Memory:" + group + " KB; Total:" + group + " KB"},
      {kPageFileLine,
       "Free Paging File:" + group + " KB; Total:" + group + " KB"},
      {kVirtualLine,
       "Free Virtual Memory:" + group + " KB; Total:" + group + " KB"},
      {kWorkingSetLine, "Memory Usage:" + group + " KB; Peak:" + group + " KB"},
      {kPageFaultLine, "Page Fault:" + group},
      {kPagefileUsageLine,
       "Pagefile Usage:" + group + " KB; Peak:" + group + " KB"},
      {kPagedPoolLine,
       "Paged Pool Usage:" + group + " KB; Peak:" + group + " KB"},
      {kNonPagedPoolLine,
       "NonPaged Pool Usage:" + group + " KB; Peak:" + group + " KB"},
      {kProcessTimeLine,
       "Kernel:[0-9]+:[0-5][0-9]:[0-5][0-9]; "
       "User:[0-9]+:[0-5][0-9]:[0-5][0-9]; "
       "Process:[0-9]+:[0-5][0-9]:[0-5][0-9]"},
  };
  for (const auto& [line, format] : formats)
    EXPECT_TRUE(std::regex_match(lines[line], std::regex(format)))
        << lines[line];
}

TEST(Status, TheMemoryTotalIsTheMachinesWholeMemory) {
  const long long linux_kb = LinuxMemTotalKb();
  if (linux_kb == 0) GTEST_SKIP() << "not under Wine on Linux";
  StatusGatherer gatherer;
  const long long total_kb = gatherer.Gather().system.total_physical / 1024;
  EXPECT_NEAR(static_cast<double>(total_kb), static_cast<double>(linux_kb),
              linux_kb * 0.02);
  if (linux_kb > 4LL * 1024 * 1024) {
    EXPECT_GT(total_kb, 4LL * 1024 * 1024);
  }
}

}  // namespace

}  // namespace tavlin
