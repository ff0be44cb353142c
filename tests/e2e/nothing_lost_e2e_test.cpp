// Nothing lost and nothing brought back, on the real program: a line
// another writer deleted is told in a balloon, stays deleted and can be
// put back, a Unicode line makes the list UTF-8 and survives another
// writer, a line deleted or corrected stays so across copies, text set
// aside comes back with its deletions, odd bytes are left as they are, a
// lock file nobody holds is broken, and another writer's change shows while
// the program does.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <string>

#include "e2e/tavlin_process.h"
#include "src/platform/text_encoding.h"
#include "src/storage/storage_file.h"
#include "src/storage/storage_places.h"
#include "src/ui/main_form_ids.h"
#include "src/ui/main_form_layout.h"
#include "support/temp_folder.h"
#include "win32/system/shift_jis.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace fs = std::filesystem;

namespace {

constexpr auto kSaved = std::chrono::seconds(8);

std::string ShiftJis(const std::wstring& text) {
  return ShiftJisFromWide(text).bytes();
}

// Whether the whole file is bytes, waiting out a replace under way.
bool FileIs(const fs::path& file, const std::string& bytes) {
  try {
    return fs::exists(file) && ReadBytes(file) == bytes;
  } catch (const std::exception&) {
    return false;
  }
}

// Deletes the whole text of a box as a user selecting it all would.
void EmptyBox(HWND box) {
  SendMessageW(box, EM_SETSEL, 0, -1);
  SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
}

class NothingLost : public testing::Test {
 protected:
  void SetUp() override { CopyExamplePhraseFiles(folder_.path()); }
  std::wstring Shown() { return WindowText(tavlin_.Control(kMemSafe)); }
  // Opens 消された行を戻す and puts back what it offers picked: the picked
  // rows' text from the kind on, one row a line.
  std::wstring PutBackOffered() {
    PostMessageW(tavlin_.MainWindow(), WM_COMMAND,
                 MAKEWPARAM(kStorageRestoreRemoved, 0), 0);
    HWND form = tavlin_.WaitForWindow(L"TavlinRemovedLinesForm");
    if (!form) return L"(no window)";
    HWND list = FindWindowExW(form, nullptr, L"ListBox", nullptr);
    std::wstring picked;
    const LRESULT rows = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT row = 0; row < rows; ++row) {
      if (SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(row), 0) <= 0)
        continue;
      std::wstring text(
          static_cast<std::size_t>(
              SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0)),
          L'\0');
      SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(text.data()));
      // After the time: "12月10日 14:03　"
      const std::size_t kind = text.find(L'\u3000');
      picked += (picked.empty() ? L"" : L"\n") + text.substr(kind + 1);
    }
    PostMessageW(GetDlgItem(form, IDOK), BM_CLICK, 0, 0);
    return picked;
  }

  TempFolder folder_;
  TavlinProcess tavlin_{folder_.path()};
  const fs::path safety_ =
      StorageFilePath(tavlin_.executable(), PhraseCategory::Safety);
};

TEST_F(NothingLost, ALineDeletedElsewhereIsToldAndCanBePutBack) {
  tavlin_.Start();
  tavlin_.TypeAtEnd(kMemSafe, L"消される行");
  ASSERT_TRUE(WaitFor(
      [&] { return FileHolds(safety_, ShiftJis(L"消される行")); }, kSaved));
  // Notepad, which knows no lock, saves the list without that line.
  WriteBytes(safety_, ShiftJis(L"メモ帳の行"));
  tavlin_.TypeAtEnd(kMemSafe, L"\r\n続き");
  ASSERT_TRUE(
      WaitFor([&] { return Shown() == L"メモ帳の行\r\n続き"; }, kSaved));
  HWND balloon = tavlin_.WaitForWindow(L"tooltips_class32");
  ASSERT_NE(balloon, nullptr);
  EXPECT_TRUE(WaitFor([&] {
    return WindowText(balloon).find(L"1 行が消されました") !=
           std::wstring::npos;
  }));
  EXPECT_EQ(tavlin_.MessageBox(), nullptr);
  // Undo cannot take another writer's line out, nor bring this one back.
  EXPECT_EQ(SendMessageW(tavlin_.Control(kMemSafe), EM_CANUNDO, 0, 0), 0);
  EXPECT_EQ(PutBackOffered(), L"ほかの書き手が削除　消される行");
  const std::wstring restored = L"メモ帳の行\r\n続き\r\n消される行\r\n";
  ASSERT_TRUE(WaitFor([&] { return Shown() == restored; }, kSaved));
  ASSERT_TRUE(
      WaitFor([&] { return FileIs(safety_, ShiftJis(restored)); }, kSaved));
  tavlin_.Kill();
  tavlin_.Start();
  EXPECT_EQ(Shown(), L"メモ帳の行\r\n続き\r\n消される行");
  tavlin_.Close();
}

// Another program writes the list without a line, keeping its size and
// time, so that only the close's save finds the change: the close drops
// the line, as deleted elsewhere, and keeps it among the removed lines; the
// next start says so once, and the line can be put back from there.
TEST_F(NothingLost, ALineDroppedAtCloseIsToldAtTheNextStartAndCanBePutBack) {
  WriteBytes(safety_, ShiftJis(L"残る行\r\n外される行"));
  tavlin_.Start();
  ASSERT_EQ(Shown(), L"残る行\r\n外される行");
  // Made whole, time and all, before it takes the list's name: no look
  // of the program's can find it another size or time.
  const fs::path editors = folder_ / "editor.tmp";
  WriteBytes(editors, ShiftJis(L"残る行\r\n足された行"));
  fs::last_write_time(editors, fs::last_write_time(safety_));
  fs::rename(editors, safety_);
  tavlin_.Close();
  ASSERT_EQ(ReadBytes(safety_), ShiftJis(L"残る行\r\n足された行"));
  tavlin_.Start();
  EXPECT_NE(tavlin_.DismissMessageBox().find(L"消されていた 1 行"),
            std::wstring::npos);
  ASSERT_EQ(Shown(), L"残る行\r\n足された行");
  EXPECT_EQ(PutBackOffered(), L"閉じるときに外した　外される行");
  ASSERT_TRUE(WaitFor([&] {
    return FileIs(safety_, ShiftJis(L"残る行\r\n足された行\r\n外される行\r\n"));
  }, kSaved));
  tavlin_.Close();
  tavlin_.Start();
  EXPECT_EQ(Shown(), L"残る行\r\n足された行\r\n外される行");
  EXPECT_EQ(tavlin_.MessageBox(), nullptr);
  tavlin_.Close();
}

// Nothing is typed, stored or saved here: the list's folder tells the
// program of the other writer, and the box follows within seconds. The
// first change may come before the watch begins; once it shows, the watch
// runs, and the second is told by the folder alone.
TEST_F(NothingLost, AnotherWritersChangesShowWhileTheListDoes) {
  WriteBytes(safety_, ShiftJis(L"残る行\r\n消される行"));
  tavlin_.Start();
  ASSERT_EQ(Shown(), L"残る行\r\n消される行");
  // As Notepad saves: in place.
  WriteBytes(safety_, ShiftJis(L"残る行\r\n消される行\r\n足された行"));
  ASSERT_TRUE(WaitFor(
      [&] { return Shown() == L"残る行\r\n消される行\r\n足された行"; }));
  const std::string theirs = ShiftJis(L"残る行\r\n足された行\r\nもう 1 行");
  const auto written = std::chrono::steady_clock::now();
  WriteBytes(safety_, theirs);
  ASSERT_TRUE(
      WaitFor([&] { return Shown() == L"残る行\r\n足された行\r\nもう 1 行"; }));
  std::cout << "shown after "
            << std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now() - written)
                   .count()
            << " ms\n";
  EXPECT_TRUE(tavlin_.ShowsBalloonWith(L"1 行が消されました"));
  EXPECT_EQ(tavlin_.MessageBox(), nullptr);
  EXPECT_TRUE(FileIs(safety_, theirs)) << "written over";
  tavlin_.Close();
  EXPECT_TRUE(FileIs(safety_, theirs));
}

// A sync program renames its copy over the list while a line typed here
// waits for its pause: both stay, each once, in the box and in the file.
TEST_F(NothingLost, TypingStaysWhileASyncProgramsCopyComesIn) {
  WriteBytes(safety_, ShiftJis(L"元の行"));
  tavlin_.Start();
  tavlin_.TypeAtEnd(kMemSafe, L"\r\n入力中の行");
  const fs::path copy = folder_ / "同期中.tmp";
  WriteBytes(copy, ShiftJis(L"元の行\r\n同期された行"));
  // Retried as such programs do while a save holds the list for a moment.
  ASSERT_TRUE(WaitFor([&] {
    return MoveFileExW(copy.c_str(), safety_.c_str(),
                       MOVEFILE_REPLACE_EXISTING) != 0;
  }));
  const std::wstring both = L"元の行\r\n同期された行\r\n入力中の行";
  ASSERT_TRUE(WaitFor([&] { return Shown() == both; }, kSaved));
  EXPECT_TRUE(WaitFor([&] { return FileIs(safety_, ShiftJis(both)); }));
  EXPECT_EQ(tavlin_.MessageBox(), nullptr);
  tavlin_.Close();
  EXPECT_TRUE(FileIs(safety_, ShiftJis(both)));
}

TEST_F(NothingLost, AUnicodeLineMakesTheListUtf8AndSurvivesAnotherWriter) {
  const std::string mark = "\xEF\xBB\xBF";
  tavlin_.Start();
  tavlin_.TypeAtEnd(kMemSafe, L"安全\u301C第一");
  ASSERT_TRUE(WaitFor(
      [&] { return FileIs(safety_, mark + Utf8FromWide(L"安全\u301C第一")); },
      kSaved));
  EXPECT_EQ(tavlin_.MessageBox(), nullptr);
  // Notepad adds a line and keeps the file UTF-8, mark and all.
  WriteBytes(safety_, ReadBytes(safety_) + Utf8FromWide(L"\r\nメモ帳の行"));
  tavlin_.TypeAtEnd(kMemSafe, L"\r\n手で書いた行");
  const std::wstring merged = L"安全\u301C第一\r\nメモ帳の行\r\n手で書いた行";
  ASSERT_TRUE(WaitFor([&] { return Shown() == merged; }, kSaved));
  ASSERT_TRUE(WaitFor(
      [&] { return FileIs(safety_, mark + Utf8FromWide(merged)); }, kSaved));
  tavlin_.Close();
  EXPECT_FALSE(fs::exists(UnicodeStorageCopyPath(safety_)));
  tavlin_.Start();
  EXPECT_EQ(Shown(), merged);
  tavlin_.Close();
}

TEST_F(NothingLost, ALineAnotherCopyDeletesOrCorrectsStaysSo) {
  TavlinProcess second(folder_.path());
  for (const std::wstring corrected : {L"", L"安全第一"}) {
    WriteBytes(safety_, "");
    tavlin_.Start();
    tavlin_.TypeAtEnd(kMemSafe, L"安全大一");
    ASSERT_TRUE(WaitFor(
        [&] { return FileHolds(safety_, ShiftJis(L"安全大一")); }, kSaved));
    second.Start();
    ASSERT_EQ(WindowText(second.Control(kMemSafe)), L"安全大一");
    EmptyBox(second.Control(kMemSafe));
    if (!corrected.empty()) second.TypeAtEnd(kMemSafe, corrected);
    second.Close();
    ASSERT_EQ(ReadBytes(safety_), ShiftJis(corrected));
    tavlin_.Close();  // untouched since its line was saved
    EXPECT_EQ(ReadBytes(safety_), ShiftJis(corrected));
  }
}

// Two copies open on one list: what each saves shows in the other's box
// while both show, without a keystroke there, and each line stays once.
TEST_F(NothingLost, TwoCopiesShowEachOthersLinesWhileBothShow) {
  TavlinProcess second(folder_.path());
  tavlin_.Start();
  second.Start();
  tavlin_.TypeAtEnd(kMemSafe, L"一台目の行");
  const auto second_shows = [&](const std::wstring& text) {
    return WindowText(second.Control(kMemSafe)) == text;
  };
  ASSERT_TRUE(WaitFor([&] { return second_shows(L"一台目の行"); }, kSaved));
  second.TypeAtEnd(kMemSafe, L"\r\n二台目の行");
  const std::wstring both = L"一台目の行\r\n二台目の行";
  ASSERT_TRUE(WaitFor([&] { return Shown() == both; }, kSaved));
  EXPECT_TRUE(second_shows(both));
  second.Close();
  tavlin_.Close();
  EXPECT_EQ(ReadBytes(safety_), ShiftJis(both));
}

TEST_F(NothingLost, TextSetAsideComesBackWithItsDeletionsWhateverItsNumber) {
  const std::string base = "\xEF\xBB\xBF" + Utf8FromWide(L"A行\r\nB行");
  WriteBytes(safety_, ShiftJis(L"A行\r\nB行"));
  // An earlier session deleted A行 and added a line; a later one, whose
  // side file is the third, added C行.
  const fs::path first = DivertedStorageFilePath(safety_, 1);
  const fs::path third = DivertedStorageFilePath(safety_, 3);
  WriteBytes(SetAsideBasePath(first), base);
  WriteBytes(first, ShiftJis(L"B行\r\n足した行"));
  WriteBytes(SetAsideBasePath(third), base);
  WriteBytes(third, ShiftJis(L"A行\r\nB行\r\nC行"));
  tavlin_.Start();
  const std::wstring taken_in = L"B行\r\n足した行\r\nC行";
  EXPECT_EQ(Shown(), taken_in);
  ASSERT_TRUE(
      WaitFor([&] { return FileIs(safety_, ShiftJis(taken_in)); }, kSaved));
  ASSERT_TRUE(WaitFor([&] { return !fs::exists(third); }, kSaved));
  tavlin_.Close();
  EXPECT_FALSE(fs::exists(first));
  tavlin_.Start();
  EXPECT_EQ(Shown(), taken_in);
  tavlin_.Close();
}

TEST_F(NothingLost, ALineDeletedByTheCopyThatTypedItStaysDeleted) {
  TavlinProcess second(folder_.path());
  tavlin_.Start();
  second.Start();
  tavlin_.TypeAtEnd(kMemSafe, L"消す行");
  ASSERT_TRUE(
      WaitFor([&] { return FileHolds(safety_, ShiftJis(L"消す行")); }, kSaved));
  // The second copy takes the line in while it shows; its own goes below.
  ASSERT_TRUE(
      WaitFor([&] { return WindowText(second.Control(kMemSafe)) == L"消す行"; },
              kSaved));
  second.TypeAtEnd(kMemSafe, L"\r\n二の行");
  ASSERT_TRUE(WaitFor(
      [&] {
        return WindowText(second.Control(kMemSafe)) == L"消す行\r\n二の行";
      },
      kSaved));
  EmptyBox(tavlin_.Control(kMemSafe));
  ASSERT_TRUE(WaitFor([&] { return Shown() == L"二の行"; }, kSaved));
  ASSERT_TRUE(WaitFor([&] { return ReadBytes(safety_) == ShiftJis(L"二の行"); },
                      kSaved));
  second.Close();  // untouched since it took the line in
  tavlin_.Close();
  EXPECT_EQ(ReadBytes(safety_), ShiftJis(L"二の行"));
}

TEST_F(NothingLost, AFileWithAZeroByteIsToldAndLeftAsItIs) {
  const std::string bytes = ShiftJis(L"一行目\r\n二行目") +
                            std::string(1, '\0') + ShiftJis(L"\r\n三行目");
  WriteBytes(safety_, bytes);
  tavlin_.Start();
  // Told over the window, once it shows, never before it.
  ASSERT_TRUE(WaitFor([&] { return tavlin_.MessageBox() != nullptr; }));
  EXPECT_EQ(GetWindow(tavlin_.MessageBox(), GW_OWNER), tavlin_.MainWindow());
  EXPECT_TRUE(IsWindowVisible(tavlin_.MainWindow()));
  EXPECT_NE(tavlin_.DismissMessageBox().find(safety_.wstring()),
            std::wstring::npos);
  EXPECT_EQ(Shown(), L"");
  tavlin_.CloseThroughReports();
  EXPECT_EQ(ReadBytes(safety_), bytes);
}

TEST_F(NothingLost, Utf16WithoutAMarkIsReadAndWrittenAsItCame) {
  bool lossy = false;
  WriteBytes(safety_,
             EncodeUnicodeText(u"品質第一\r\n安全第一\r\n",
                               TextEncoding::Utf16LeWithoutMark, lossy));
  tavlin_.Start();
  EXPECT_EQ(Shown(), L"品質第一\r\n安全第一");
  tavlin_.TypeAtEnd(kMemSafe, L"\r\n足もと確認");
  tavlin_.Close();
  EXPECT_EQ(ReadBytes(safety_),
            EncodeUnicodeText(u"品質第一\r\n安全第一\r\n足もと確認",
                              TextEncoding::Utf16LeWithoutMark, lossy));
}

TEST_F(NothingLost, ALockFileNobodyHoldsIsBroken) {
  // Left behind by a share that dropped its connection, say.
  WriteBytes(StorageLockPath(safety_), "");
  tavlin_.Start();
  tavlin_.TypeAtEnd(kMemSafe, L"鍵の後の標語");
  EXPECT_TRUE(WaitFor(
      [&] { return FileHolds(safety_, ShiftJis(L"鍵の後の標語")); }, kSaved));
  EXPECT_FALSE(fs::exists(StorageLockPath(safety_)));
  tavlin_.Close();
}

}  // namespace

}  // namespace tavlin
