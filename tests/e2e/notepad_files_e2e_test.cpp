// Files as Notepad writes them, on the real program: UTF-8 with or without
// a byte-order mark, read as written and written back so; text beyond
// Shift-JIS that stays in view through sessions that change nothing.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "e2e/tavlin_process.h"
#include "src/platform/text_encoding.h"
#include "src/slogan/slogan_generator.h"
#include "src/storage/storage_file.h"
#include "src/ui/main_form_layout.h"
#include "support/temp_folder.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace fs = std::filesystem;

namespace {

std::string Encoded(std::u16string_view text, TextEncoding encoding) {
  bool lossy = false;
  return EncodeUnicodeText(text, encoding, lossy);
}

// Every slogan shown is a first, a middle and a last phrase of the lists.
bool ComposedOf(const std::vector<std::wstring>& slogans,
                const std::vector<std::wstring>& upper,
                const std::vector<std::wstring>& middle,
                const std::vector<std::wstring>& lower) {
  if (slogans.size() != 5) return false;
  for (const std::wstring& slogan : slogans) {
    bool found = false;
    for (const auto& u : upper)
      for (const auto& m : middle)
        for (const auto& l : lower)
          found = found || slogan == u + L" " + m + L" " + l;
    if (!found) return false;
  }
  return true;
}

class NotepadFiles : public testing::Test {
 protected:
  void SetUp() override { CopyExamplePhraseFiles(folder_.path()); }
  fs::path StorageFile(PhraseCategory category) const {
    return StorageFilePath(tavlin_.executable(), category);
  }

  TempFolder folder_;
  TavlinProcess tavlin_{folder_.path()};
};

TEST_F(NotepadFiles, AUtf8StorageListShowsAsWrittenAndStaysUtf8) {
  const fs::path safety = StorageFile(PhraseCategory::Safety);
  const fs::path quality = StorageFile(PhraseCategory::Quality);
  const std::u16string kept = u"安全第一\r\n指差し確認 \u00E9t\u00E9";
  WriteBytes(safety, Encoded(kept, TextEncoding::Utf8));
  WriteBytes(quality, Encoded(u"品質第一", TextEncoding::Utf8WithBom));
  tavlin_.Start();
  EXPECT_EQ(WindowText(tavlin_.Control(kMemSafe)), AsWide(kept));
  EXPECT_EQ(WindowText(tavlin_.Control(kMemQuality)), L"品質第一");
  EXPECT_EQ(tavlin_.MessageBox(), nullptr);
  const std::wstring slogan = ListBoxItems(tavlin_.Control(kListBox1)).at(0);
  tavlin_.DoubleClickSlogan(0);
  tavlin_.WaitForPostedSloganInput();
  tavlin_.Close();
  EXPECT_EQ(ReadBytes(safety),
            Encoded(kept + u"\r\n" + std::u16string(AsU16(slogan)),
                    TextEncoding::Utf8));
  EXPECT_EQ(ReadBytes(quality),
            Encoded(u"品質第一", TextEncoding::Utf8WithBom));
  EXPECT_FALSE(fs::exists(UnicodeStorageCopyPath(safety)));
}

TEST_F(NotepadFiles, PhraseFilesInUtf8ComposeAsWritten) {
  // A theme saved with Notepad's default, and a standard file with a mark.
  const PhraseFileNames theme = PhraseFileNamesOf(u"防災");
  WriteBytes(folder_ / theme.upper,
             Encoded(u"備えあれば\r\n", TextEncoding::Utf8));
  WriteBytes(folder_ / theme.middle,
             Encoded(u"憂いなし\r\n火の用心\r\n", TextEncoding::Utf8));
  WriteBytes(folder_ / theme.lower, Encoded(u"今日も", TextEncoding::Utf8));
  const PhraseFileNames safety = PhraseFileNamesOf(PhraseCategory::Safety);
  WriteBytes(folder_ / safety.upper,
             Encoded(u"確認しよう\r\n", TextEncoding::Utf8WithBom));
  WriteBytes(folder_ / safety.middle, Encoded(u"足もとを", TextEncoding::Utf8));
  WriteBytes(folder_ / safety.lower, Encoded(u"声かけて", TextEncoding::Utf8));
  tavlin_.Start();
  HWND list = tavlin_.Control(kListBox1);
  EXPECT_TRUE(ComposedOf(ListBoxItems(list), {L"確認しよう"}, {L"足もとを"},
                         {L"声かけて"}));
  HWND tabs = tavlin_.Control(kPageControl1);
  SendMessageW(tabs, TCM_SETCURSEL, 1, 0);
  PostMessageW(tabs, WM_KEYDOWN, VK_RIGHT, 1);
  EXPECT_TRUE(WaitFor([&] {
    return ComposedOf(ListBoxItems(list), {L"備えあれば"},
                      {L"憂いなし", L"火の用心"}, {L"今日も"});
  }));
  tavlin_.Close();
}

// What was typed beyond Shift-JIS, with its line break, shows again after
// sessions that change nothing.
TEST_F(NotepadFiles, TextBeyondShiftJisStaysInViewThroughUntouchedSessions) {
  const std::wstring typed = L"\U00020BB7野家\r\n";  // 𠮷野家
  tavlin_.Start();
  SendMessageW(tavlin_.Control(kMemSafe), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(typed.c_str()));
  tavlin_.CloseThroughReports();
  for (int session = 0; session < 3; ++session) {
    tavlin_.Start();
    EXPECT_EQ(WindowText(tavlin_.Control(kMemSafe)), L"\U00020BB7野家")
        << "session " << session;
    EXPECT_EQ(tavlin_.MessageBox(), nullptr);
    tavlin_.Close();
  }
}

}  // namespace

}  // namespace tavlin
