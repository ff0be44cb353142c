// The rhythm meter on the real Tavlin.exe, with the dictionary the build
// made beside it: each row's counts for screen readers, never in what is
// stored, and generations in 五・七・五 on request.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "e2e/tavlin_process.h"
#include "src/rhythm/reading_dictionary.h"
#include "src/rhythm/workplace_readings.h"
#include "src/ui/main_form_ids.h"
#include "support/temp_folder.h"

namespace tavlin {

namespace {

namespace fs = std::filesystem;

constexpr std::wstring_view kCountsBegin = L"\u3000（音数 ";

void CopyReadingDictionary(const fs::path& folder) {
  // The path is UTF-8, as the build wrote it.
  fs::copy_file(fs::path(TAVLIN_BUILT_READING_DICTIONARY).make_preferred(),
                folder / kReadingDictionaryFileName);
}

class RhythmMeter : public testing::Test {
 protected:
  void SetUp() override {
    CopyExamplePhraseFiles(folder_.path());
    CopyReadingDictionary(folder_.path());
    tavlin_.Start();
    list_ = tavlin_.Control(kListBox1);
  }
  void TearDown() override { tavlin_.Close(); }

  // Every row's text followed by its counts, once the meter is loaded.
  bool EveryRowCounted() {
    const std::vector<std::wstring> rows = ListBoxItems(list_);
    return rows.size() == 5 &&
           std::all_of(rows.begin(), rows.end(), [](const std::wstring& row) {
             return row.find(kCountsBegin) != std::wstring::npos &&
                    row.ends_with(L"）");
           });
  }

  TempFolder folder_;
  TavlinProcess tavlin_{folder_.path()};
  HWND list_ = nullptr;
};

TEST_F(RhythmMeter, RowsShowTheirCountsAndStoreTheSloganAlone) {
  ASSERT_TRUE(WaitFor([&] { return EveryRowCounted(); }))
      << testing::PrintToString(ListBoxItems(list_));
  const std::wstring row = ListBoxItems(list_).at(2);
  const std::wstring slogan = row.substr(0, row.find(kCountsBegin));
  // Three counts, one for each part: "（音数 5・7・5）", then
  // " 五・七・五" where they scan.
  std::wstring counts =
      row.substr(row.find(kCountsBegin) + kCountsBegin.size());
  counts = counts.substr(0, counts.find_first_of(L" ）"));
  EXPECT_EQ(std::count(counts.begin(), counts.end(), L'・'), 2) << counts;
  SendMessageW(list_, LB_SETCURSEL, 2, 0);
  PostMessageW(list_, WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_TRUE(WaitFor([&] {
    return WindowText(tavlin_.Control(kMemSafe)) == slogan + L"\r\n";
  })) << testing::PrintToString(WindowText(tavlin_.Control(kMemSafe)));
}

TEST_F(RhythmMeter, FiveSevenFiveOnComposesOnlySlogansThatScan) {
  ASSERT_TRUE(WaitFor([&] { return EveryRowCounted(); }));
  PostMessageW(tavlin_.MainWindow(), WM_COMMAND,
               MAKEWPARAM(kMenuFiveSevenFive, 0), 0);
  PostMessageW(tavlin_.Control(kBitBtn1), BM_CLICK, 0, 0);
  // A part whose reading is a guess counts as its figure, shown as 約5.
  const auto scans = [](std::wstring row) {
    std::erase(row, L'約');
    return row.ends_with(L"（音数 5・7・5 五・七・五）");
  };
  EXPECT_TRUE(WaitFor([&] {
    const std::vector<std::wstring> rows = ListBoxItems(list_);
    return rows.size() == 5 && std::all_of(rows.begin(), rows.end(), scans);
  })) << testing::PrintToString(ListBoxItems(list_));
}

// A workplace's readings with a line that is not one: told in a balloon
// over the list, with no message box in the way.
TEST(WorkplaceReadings, ABadLineIsToldInABalloonWithoutAMessageBox) {
  const TempFolder folder;
  CopyExamplePhraseFiles(folder.path());
  CopyReadingDictionary(folder.path());
  // UTF-8 with its mark, as Notepad writes it.
  WriteBytes(folder / kWorkplaceReadingsFileName,
             "\xEF\xBB\xBFKYT\t\xE3\x81\x91\xE3\x83\xBC\r\nno tab here\r\n");
  TavlinProcess tavlin(folder.path());
  tavlin.Start();
  EXPECT_TRUE(tavlin.ShowsBalloonWith(L"読み.txt の 2 行目"));
  EXPECT_EQ(tavlin.MessageBox(), nullptr);
  tavlin.Close();
}

}  // namespace

}  // namespace tavlin
