// Nothing lost and nothing brought back, on the real program: a notice
// stops no later save, a line only the Unicode copy holds survives another
// writer, a line deleted stays deleted across copies, odd bytes are left
// as they are, and a lock file nobody holds is broken.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "e2e/tavlin_process.h"
#include "src/platform/text_encoding.h"
#include "src/storage/storage_file.h"
#include "src/ui/main_form_layout.h"
#include "support/temp_folder.h"
#include "win32/system/shift_jis.h"

namespace tavlin {

namespace fs = std::filesystem;

namespace {

constexpr auto kSaved = std::chrono::seconds(8);

std::string ShiftJis(const std::wstring& text) {
  return ShiftJisFromWide(text).bytes();
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

  TempFolder folder_;
  TavlinProcess tavlin_{folder_.path()};
  const fs::path safety_ =
      StorageFilePath(tavlin_.executable(), PhraseCategory::Safety);
  const fs::path unicode_copy_ = UnicodeStorageCopyPath(safety_);
};

TEST_F(NothingLost, ANoticeInABalloonStopsNoLaterSave) {
  tavlin_.Start();
  tavlin_.TypeAtEnd(kMemSafe, L"安全\u301C第一");
  ASSERT_TRUE(WaitFor([&] { return fs::exists(unicode_copy_); }, kSaved));
  EXPECT_NE(tavlin_.WaitForWindow(L"tooltips_class32"), nullptr);
  EXPECT_EQ(tavlin_.MessageBox(), nullptr);
  tavlin_.TypeAtEnd(kMemSafe, L"\r\n続きの標語");
  // Both the file and its Unicode copy: the copy is written just after.
  ASSERT_TRUE(WaitFor(
      [&] {
        return FileHolds(safety_, ShiftJis(L"続きの標語")) &&
               FileHolds(unicode_copy_, "\xE7\xB6\x9A\xE3\x81\x8D");
      },
      kSaved));
  tavlin_.Kill();
  tavlin_.Start();
  EXPECT_EQ(Shown(), L"安全\u301C第一\r\n続きの標語");
  tavlin_.Close();
}

TEST_F(NothingLost, AUnicodeLineStaysItselfWhenAnotherWriterChangesTheFile) {
  tavlin_.Start();
  tavlin_.TypeAtEnd(kMemSafe, L"安全\u301C第一");
  ASSERT_TRUE(WaitFor([&] { return fs::exists(unicode_copy_); }, kSaved));
  // Notepad adds a line, in Shift-JIS, which has no "〜".
  WriteBytes(safety_, ReadBytes(safety_) + ShiftJis(L"\r\nメモ帳の行"));
  tavlin_.TypeAtEnd(kMemSafe, L"\r\n手で書いた行");
  const std::wstring merged = L"安全\u301C第一\r\nメモ帳の行\r\n手で書いた行";
  ASSERT_TRUE(WaitFor([&] { return Shown() == merged; }, kSaved));
  ASSERT_TRUE(WaitFor(
      [&] { return FileHolds(safety_, ShiftJis(L"手で書いた行")); }, kSaved));
  EXPECT_TRUE(fs::exists(unicode_copy_));
  tavlin_.Close();
  tavlin_.Start();
  EXPECT_EQ(Shown(), merged);
  tavlin_.Close();
}

TEST_F(NothingLost, ALineDeletedByTheCopyThatTypedItStaysDeleted) {
  TavlinProcess second(folder_.path());
  tavlin_.Start();
  second.Start();
  tavlin_.TypeAtEnd(kMemSafe, L"消す行");
  ASSERT_TRUE(
      WaitFor([&] { return FileHolds(safety_, ShiftJis(L"消す行")); }, kSaved));
  second.TypeAtEnd(kMemSafe, L"二の行");
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
