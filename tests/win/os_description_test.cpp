// The operating system line from the real queries, checked against the
// record the system reports to this test directly.
#include <windows.h>

#include <gtest/gtest.h>

#include "win32/system/os_description_win32.h"

namespace tavlin {

namespace {

TEST(RunningOs, TheLineFollowsTheRecordTheSystemReports) {
  OSVERSIONINFOEXW info{};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  ASSERT_TRUE(GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info)));
#pragma GCC diagnostic pop
  const std::string line = DescribeRunningOs().bytes();
  RecordProperty("os_line", line);
  const std::string build =
      "(Build " + std::to_string(info.dwBuildNumber & 0xFFFF) + ")";
  EXPECT_NE(line.find(build), std::string::npos) << line;
  if (info.dwMajorVersion == 6 && info.dwMinorVersion == 1 &&
      info.wProductType == VER_NT_WORKSTATION && info.wSuiteMask == 0 &&
      std::wstring(info.szCSDVersion) == L"Service Pack 1") {
    // Wine's usual record: Windows 7 SP1.
    EXPECT_EQ(line,
              "Windows NT product family? Professional Service Pack 1 "
              "(Build 7601)");
  }
}

TEST(RunningOs, TheRecordFormsAreAnsweredAsOnWindows) {
  SystemOsQueries queries;
  OsVersionRecord extended;
  ASSERT_TRUE(queries.QueryVersion(true, extended));
  OsVersionRecord basic;
  ASSERT_TRUE(queries.QueryVersion(false, basic));
  EXPECT_EQ(basic.major, extended.major);
  EXPECT_EQ(basic.build, extended.build);
  EXPECT_EQ(basic.platform, kPlatformNt);
  EXPECT_NE(extended.product_type, 0);
}

}  // namespace

}  // namespace tavlin
