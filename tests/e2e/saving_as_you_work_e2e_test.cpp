// The real program saves as the user works: a stored or typed line is on
// disk within seconds, an untouched session writes nothing, two copies
// sharing a list both keep their lines, a close whose save fails keeps the
// window, and typing after the end of the Windows session is still saved.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "e2e/tavlin_process.h"
#include "src/storage/storage_file.h"
#include "src/storage/storage_save.h"
#include "src/ui/main_form_layout.h"
#include "support/temp_folder.h"
#include "win32/system/shift_jis.h"
#include "win32/system/unique_handle_win32.h"

namespace tavlin {

namespace fs = std::filesystem;

namespace {

std::string ShiftJis(const std::wstring& text) {
  return ShiftJisFromWide(text).bytes();
}

// The lines of a file, in any order: copies closing together save in the
// order their locks give them.
// The lines of a text, blank lines aside.
std::multiset<std::string> LinesOf(const std::string& text) {
  std::multiset<std::string> lines;
  std::size_t begin = 0;
  while (begin <= text.size()) {
    const std::size_t end = std::min(text.find("\r\n", begin), text.size());
    if (end > begin) lines.insert(text.substr(begin, end - begin));
    begin = end + 2;
  }
  return lines;
}

class SavingAsYouWork : public testing::Test {
 protected:
  void SetUp() override { CopyExamplePhraseFiles(folder_.path()); }

  TempFolder folder_;
  TavlinProcess tavlin_{folder_.path()};
  const fs::path safety_ =
      StorageFilePath(tavlin_.executable(), PhraseCategory::Safety);
};

TEST_F(SavingAsYouWork, AStoreAndTypingAreOnDiskWithinSecondsAndSurviveAKill) {
  tavlin_.Start();
  const std::wstring slogan = ListBoxItems(tavlin_.Control(kListBox1)).at(0);
  tavlin_.DoubleClickSlogan(0);
  ASSERT_TRUE(WaitFor([&] { return FileHolds(safety_, ShiftJis(slogan)); },
                      std::chrono::seconds(5)));
  tavlin_.TypeAtEnd(kMemSafe, L"手で書いた標語");
  ASSERT_TRUE(
      WaitFor([&] { return FileHolds(safety_, ShiftJis(L"手で書いた標語")); },
              std::chrono::seconds(8)));
  tavlin_.Kill();
  EXPECT_EQ(ReadBytes(safety_), ShiftJis(slogan + L"\r\n手で書いた標語"));
}

// The save runs beside the window: while a list of megabytes is saved, the
// window answers every message within 300 ms.
TEST_F(SavingAsYouWork, TheWindowAnswersThroughEverySave) {
  std::string list;
  for (int line = 0; list.size() < 8'000'000; ++line)
    list += ShiftJis(L"安全第一 ") + std::to_string(line) + "\r\n";
  WriteBytes(safety_, list);
  tavlin_.Start();
  HWND window = tavlin_.MainWindow();
  for (const wchar_t* typed : {L"一つ目の標語", L"二つ目の標語"}) {
    const std::uintmax_t size_before = fs::file_size(safety_);
    tavlin_.TypeAtEnd(kMemSafe, typed);
    // The box itself takes its time over a typed line of an 8 MB text
    // before any save: Wine's edit control lays the whole text out again
    // to show the caret at its end, and once more when it paints, up to
    // 300 ms after the line was taken. Answered and painted, the saves
    // are watched from there.
    HWND box = tavlin_.Control(kMemSafe);
    ASSERT_TRUE(WaitFor(
        [&] {
          DWORD_PTR taken = 0;
          return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                                     20000, &taken) != 0 &&
                 !GetUpdateRect(box, nullptr, FALSE);
        },
        std::chrono::seconds(20)));
    ASSERT_EQ(fs::file_size(safety_), size_before) << "saved already";
    bool answered_all = true;
    // Read again whenever its size changed, and never held from a save:
    // the wait ends when the file holds the line, not at the first sign of
    // a save, and the window answers all the while.
    std::uintmax_t size_read = size_before;
    ASSERT_TRUE(WaitFor(
        [&] {
          DWORD_PTR result = 0;
          answered_all =
              answered_all &&
              SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 300,
                                  &result) != 0;
          std::error_code error;
          const std::uintmax_t size = fs::file_size(safety_, error);
          if (error || size == size_read) return false;
          const std::optional<std::string> bytes = ReadSharingAll(safety_);
          if (!bytes) return false;
          size_read = bytes->size();
          return bytes->find(ShiftJis(typed)) != std::string::npos;
        },
        std::chrono::seconds(60)))
        << "the typed line never reached the file";
    EXPECT_TRUE(answered_all) << "while saving";
  }
  tavlin_.Close();
}

TEST_F(SavingAsYouWork, AnUntouchedSessionLeavesBytesAndTimeAlone) {
  const fs::path quality =
      StorageFilePath(tavlin_.executable(), PhraseCategory::Quality);
  WriteBytes(safety_, ShiftJis(L"安全第一\r\n指差し確認"));
  WriteBytes(quality, ShiftJis(L"品質第一"));
  const auto written = fs::last_write_time(safety_) - std::chrono::hours(1);
  for (const fs::path& file : {safety_, quality})
    fs::last_write_time(file, written);
  tavlin_.Start();
  // A page switch and a deactivation save too, where anything changed.
  PostMessageW(tavlin_.MainWindow(), WM_ACTIVATE, WA_INACTIVE, 0);
  tavlin_.Close();
  EXPECT_EQ(ReadBytes(safety_), ShiftJis(L"安全第一\r\n指差し確認"));
  EXPECT_EQ(ReadBytes(quality), ShiftJis(L"品質第一"));
  for (const fs::path& file : {safety_, quality})
    EXPECT_EQ(fs::last_write_time(file), written);
}

TEST_F(SavingAsYouWork, TwoCopiesSharingAListKeepEveryLineInIt) {
  TavlinProcess second(folder_.path());
  std::wstring expected;
  for (int round = 0; round < 3; ++round) {
    tavlin_.Start();
    second.Start();
    for (TavlinProcess* copy : {&tavlin_, &second}) {
      const std::wstring line = L"第" + std::to_wstring(round) + L"回の" +
                                (copy == &tavlin_ ? L"一" : L"二");
      // A line of its own wherever it lands: the other copy's line may come
      // into the box between the messages that type this one.
      copy->TypeAtEnd(kMemSafe, L"\r\n" + line + L"\r\n");
      expected += (expected.empty() ? L"" : L"\r\n") + line;
    }
    if (round % 2 == 0) {
      tavlin_.Close();
      second.Close();
    } else {
      // Both at once.
      PostMessageW(tavlin_.MainWindow(), WM_CLOSE, 0, 0);
      PostMessageW(second.MainWindow(), WM_CLOSE, 0, 0);
      ASSERT_TRUE(
          WaitFor([&] { return tavlin_.HasExited() && second.HasExited(); }));
    }
    EXPECT_EQ(LinesOf(ReadBytes(safety_)), LinesOf(ShiftJis(expected)))
        << "round " << round;
    EXPECT_FALSE(fs::exists(DivertedStorageFilePath(safety_, 1)));
  }
}

TEST_F(SavingAsYouWork, LinesAnotherCopyAddedAreTakenInWithABalloon) {
  TavlinProcess second(folder_.path());
  tavlin_.Start();
  second.Start();
  tavlin_.TypeAtEnd(kMemSafe, L"一の行");
  ASSERT_TRUE(WaitFor([&] { return FileHolds(safety_, ShiftJis(L"一の行")); },
                      std::chrono::seconds(8)));
  second.TypeAtEnd(kMemSafe, L"二の行");
  ASSERT_TRUE(WaitFor(
      [&] {
        return WindowText(second.Control(kMemSafe)) == L"一の行\r\n二の行";
      },
      std::chrono::seconds(8)));
  // Said without a message box: a balloon over the box.
  EXPECT_TRUE(second.ShowsBalloonWith(L"1 行を取り込みました"));
  EXPECT_EQ(second.MessageBox(), nullptr);
  tavlin_.Close();
  second.Close();
  EXPECT_EQ(ReadBytes(safety_), ShiftJis(L"一の行\r\n二の行"));
}

TEST_F(SavingAsYouWork, ACloseHeldBackByALiveLockWaitsThenSetsTheTextAside) {
  tavlin_.Start();
  tavlin_.TypeAtEnd(kMemSafe, L"まだ保存されていない標語");
  // Another copy's save that does not end: the lock stays taken.
  UniqueFileHandle lock(CreateFileW(StorageLockPath(safety_).c_str(),
                                    GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  ASSERT_TRUE(lock);
  PostMessageW(tavlin_.MainWindow(), WM_CLOSE, 0, 0);
  // Waited for by timer: the window answers meanwhile and asks nothing.
  const auto asked = std::chrono::steady_clock::now();
  EXPECT_FALSE(
      WaitFor([&] { return tavlin_.HasExited(); }, std::chrono::seconds(3)));
  DWORD_PTR answer = 0;
  EXPECT_NE(SendMessageTimeoutW(tavlin_.MainWindow(), WM_NULL, 0, 0,
                                SMTO_ABORTIFHUNG, 500, &answer),
            0);
  EXPECT_EQ(tavlin_.MessageBox(), nullptr);
  // Held too long, the lock is left to its holder and the text set aside;
  // the close goes on.
  ASSERT_TRUE(
      WaitFor([&] { return tavlin_.HasExited(); }, std::chrono::seconds(20)));
  EXPECT_GE(std::chrono::steady_clock::now() - asked, kLongestLockWait);
  EXPECT_EQ(ReadBytes(DivertedStorageFilePath(safety_, 1)),
            ShiftJis(L"まだ保存されていない標語"));
  EXPECT_FALSE(fs::exists(safety_));
}

TEST_F(SavingAsYouWork, TypingAfterTheEndOfTheWindowsSessionIsSaved) {
  tavlin_.Start();
  tavlin_.TypeAtEnd(kMemSafe, L"一つ目");
  HWND window = tavlin_.MainWindow();
  EXPECT_EQ(SendMessageW(window, WM_QUERYENDSESSION, 0, 0), TRUE);
  SendMessageW(window, WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(ReadBytes(safety_), ShiftJis(L"一つ目"));
  // The process lives on, as when the Restart Manager only asks.
  tavlin_.TypeAtEnd(kMemSafe, L"\r\n二つ目");
  tavlin_.Close();
  EXPECT_EQ(ReadBytes(safety_), ShiftJis(L"一つ目\r\n二つ目"));
}

}  // namespace

}  // namespace tavlin
