// The real program under the faults a user meets at exit: whatever was
// stored or typed, and whatever another program wrote, is still on disk.
#include <gtest/gtest.h>

#include "e2e/tavlin_process.h"
#include "src/storage/storage_file.h"
#include "src/ui/main_form_layout.h"
#include "support/file_faults.h"
#include "support/temp_folder.h"
#include "win32/system/shift_jis.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace fs = std::filesystem;

namespace {

bool Names(const std::vector<std::wstring>& reports, const fs::path& file) {
  for (const std::wstring& report : reports)
    if (report.find(file.wstring()) != std::wstring::npos) return true;
  return false;
}

class StorageSafety : public testing::Test {
 protected:
  void SetUp() override { CopyExamplePhraseFiles(folder_.path()); }

  void Type(const std::wstring& text) {
    SendMessageW(tavlin_.Control(kMemSafe), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(text.c_str()));
  }

  TempFolder folder_;
  TavlinProcess tavlin_{folder_.path()};
  const fs::path safety_ =
      StorageFilePath(tavlin_.executable(), PhraseCategory::Safety);
  const fs::path diverted_ = DivertedStorageFilePath(safety_, 1);
};

TEST_F(StorageSafety, AFileHeldOpenAtExitKeepsItsBytesAndTheListGoesBeside) {
  WriteBytes(safety_, "old");
  tavlin_.Start();
  Type(L"old\r\n新しい標語");
  bool holds = false;
  const auto held = HoldOpen(safety_, holds);
  ASSERT_TRUE(holds);
  const std::vector<std::wstring> reports = tavlin_.CloseThroughReports();
  EXPECT_TRUE(Names(reports, safety_) && Names(reports, diverted_));
  EXPECT_EQ(ReadBytes(safety_), "old");
  EXPECT_EQ(ReadBytes(diverted_),
            ShiftJisFromWide(L"old\r\n新しい標語").bytes());
}

TEST_F(StorageSafety, AFileAnotherProgramWroteMeanwhileIsMergedWith) {
  for (const bool existed_at_start : {true, false}) {
    fs::remove(safety_);
    if (existed_at_start) WriteBytes(safety_, "old");
    tavlin_.Start();
    tavlin_.MainWindow();
    Type(L"この会の標語");
    WriteBytes(safety_, "theirs");
    EXPECT_TRUE(tavlin_.CloseThroughReports().empty());
    EXPECT_EQ(ReadBytes(safety_),
              ShiftJisFromWide(L"theirs\r\nこの会の標語").bytes());
    EXPECT_FALSE(fs::exists(diverted_));
  }
}

TEST_F(StorageSafety, LettersShiftJisOnlyApproximatesMakeTheListUtf8) {
  tavlin_.Start();
  Type(L"caf\u00E9 \u00A9");
  EXPECT_TRUE(tavlin_.CloseThroughReports().empty());
  EXPECT_EQ(ReadBytes(safety_),
            "\xEF\xBB\xBF"
            "caf\xC3\xA9 \xC2\xA9");
  EXPECT_FALSE(fs::exists(UnicodeStorageCopyPath(safety_)));
}

// What one session typed beyond Shift-JIS is shown by the next and survives
// any number of sessions that only add to the list.
TEST_F(StorageSafety, TextBeyondShiftJisSurvivesLaterSessions) {
  const std::wstring korean = L"\uD55C\uAD6D\uC5B4";  // 한국어
  tavlin_.Start();
  Type(korean);
  tavlin_.CloseThroughReports();
  for (const wchar_t* added : {L"安全第一", L"品質"}) {
    tavlin_.Start();
    HWND memo = tavlin_.Control(kMemSafe);
    const std::wstring shown = WindowText(memo);
    EXPECT_EQ(shown.substr(0, korean.size()), korean);
    Type(shown + L"\r\n" + added);
    EXPECT_TRUE(tavlin_.CloseThroughReports().empty());
  }
  tavlin_.Start();
  EXPECT_EQ(WindowText(tavlin_.Control(kMemSafe)),
            korean + L"\r\n安全第一\r\n品質");
  tavlin_.Close();
  EXPECT_FALSE(fs::exists(UnicodeStorageCopyPath(safety_)));
}

TEST_F(StorageSafety, TabIntoAStorageBoxSelectsNothing) {
  WriteBytes(safety_, "one\r\ntwo");
  tavlin_.Start();
  HWND tabs = tavlin_.Control(kPageControl1);
  HWND memo = tavlin_.Control(kMemSafe);
  ASSERT_TRUE(WaitFor([&] { return tavlin_.FocusedControl() == tabs; }));
  PostMessageW(tabs, WM_KEYDOWN, VK_TAB, 1);
  PostMessageW(tabs, WM_KEYUP, VK_TAB, 0xC0000001);
  ASSERT_TRUE(WaitFor([&] { return tavlin_.FocusedControl() == memo; }));
  DWORD start = 1, end = 0;
  SendMessageW(memo, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, end);
  tavlin_.Close();
  EXPECT_EQ(ReadBytes(safety_), "one\r\ntwo");
}

TEST_F(StorageSafety, TemporaryFilesOfInterruptedSavesAreRemovedWhenOld) {
  const fs::path old_litter = fs::path(safety_) += L".~0123abcd.tmp";
  const fs::path young_litter = fs::path(safety_) += L".~89abcdef.tmp";
  const fs::path foreign = folder_ / L"other.txt.~0123abcd.tmp";
  for (const fs::path& file : {old_litter, young_litter, foreign})
    WriteBytes(file, "partial");
  fs::last_write_time(old_litter,
                      fs::last_write_time(old_litter) - std::chrono::hours(1));
  tavlin_.Start();
  tavlin_.Close();
  EXPECT_FALSE(fs::exists(old_litter));
  EXPECT_TRUE(fs::exists(young_litter));
  EXPECT_TRUE(fs::exists(foreign));
}

}  // namespace

}  // namespace tavlin
