// The program killed while it saves at exit, at many moments: each storage
// file is afterwards either the old text or the new one, whole.
#include <gtest/gtest.h>

#include <random>
#include <thread>

#include "e2e/tavlin_process.h"
#include "src/storage/storage_file.h"
#include "src/ui/main_form_layout.h"
#include "support/temp_folder.h"
#include "win32/system/shift_jis.h"

namespace tavlin {

namespace fs = std::filesystem;

namespace {

std::string StorageText(char tag) {
  std::string text;
  for (int i = 0; text.size() < 400'000; ++i) {
    if (i > 0) text += "\r\n";
    text += "\x88\xC0\x91\x53 " + std::string(1, tag) + std::to_string(i);
  }
  return text;
}

TEST(KilledWhileSaving, LeavesEachStorageFileOldOrNewAndWhole) {
  TempFolder folder;
  CopyExamplePhraseFiles(folder.path());
  const fs::path safety =
      StorageFilePath(folder / L"Tavlin.exe", PhraseCategory::Safety);
  const std::string a = StorageText('a');
  const std::string b = StorageText('b');
  WriteBytes(safety, a);

  TavlinProcess tavlin(folder.path());
  // One whole exit, timed: the kills below fall anywhere inside one. The
  // clock starts once the window shows, as the kills' delays do, or the
  // start's own time would send most kills past the save.
  // The exit timed saves a changed list, as every exit below does.
  tavlin.Start();
  const std::wstring changed = WideFromShiftJis(ShiftJisView(b));
  SendMessageW(tavlin.Control(kMemSafe), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(changed.c_str()));
  const auto closing = std::chrono::steady_clock::now();
  tavlin.Close();
  const auto exit_ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now() - closing)
                           .count();
  ASSERT_EQ(ReadBytes(safety), b);
  std::mt19937 random(20261207);
  std::uniform_int_distribution<long long> delay_ms(0, exit_ms);
  int kept_old = 0;
  int saved_new = 0;
  constexpr int kKills = 50;
  for (int kill = 0; kill < kKills; ++kill) {
    const std::string before = ReadBytes(safety);
    ASSERT_TRUE(before == a || before == b) << "after kill " << kill;
    const std::string& next = before == a ? b : a;
    tavlin.Start();
    const std::wstring wide = WideFromShiftJis(ShiftJisView(next));
    SendMessageW(tavlin.Control(kMemSafe), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(wide.c_str()));
    PostMessageW(tavlin.MainWindow(), WM_CLOSE, 0, 0);
    // The moment of the kill is what this test varies.
    std::this_thread::sleep_for(std::chrono::milliseconds(delay_ms(random)));
    tavlin.Kill();
    const std::string after = ReadBytes(safety);
    ASSERT_TRUE(after == a || after == b)
        << "kill " << kill << " left " << after.size() << " bytes";
    (after == before ? kept_old : saved_new) += 1;
  }
  RecordProperty("kills", kKills);
  RecordProperty("kept_old", kept_old);
  RecordProperty("saved_new", saved_new);
  std::printf(
      "%d kills within an exit of %lld ms: %d left the old file, %d "
      "the new one\n",
      kKills, static_cast<long long>(exit_ms), kept_old, saved_new);
}

}  // namespace

}  // namespace tavlin
