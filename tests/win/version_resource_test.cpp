// Reads this test program's own version resource (version_test.rc) through
// the system's version API.
#include <windows.h>

#include <gtest/gtest.h>

#include "src/info/version_info.h"
#include "win32/system/running_program_win32.h"
#include "win32/system/version_value_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

std::wstring ValueOf(std::u16string_view name) {
  return std::wstring(
      AsWide(GetVersionInfoValue(name, RunningExecutablePath())));
}

TEST(VersionResource, ValuesComeFromTheFirstTranslationTrimmed) {
  EXPECT_EQ(ValueOf(u"FileVersion"), L"0.9.11.29");
  EXPECT_EQ(ValueOf(u"ProductName"), L"before");
  EXPECT_EQ(ValueOf(u"Comments"), L"");
  EXPECT_EQ(ValueOf(u"Thanks"), L"Reference works\r\nA/B/C");
  EXPECT_EQ(ValueOf(u"FileDescription"), L"標語メーカー");
  EXPECT_EQ(ValueOf(u"CompanyName"), L"");  // only under the second
  EXPECT_EQ(ValueOf(u"SpecialBuild"), L"");
}

TEST(VersionResource, AFileWithoutResourceGivesEmptyTexts) {
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  // A plain data file has no version resource.
  EXPECT_EQ(GetVersionInfoValue(u"FileVersion",
                                std::filesystem::path(system) / L"..\\win.ini"),
            u"");
  EXPECT_EQ(GetVersionInfoValue(u"FileVersion", L"Z:\\no\\such\\file.exe"),
            u"");
}

}  // namespace

}  // namespace tavlin
