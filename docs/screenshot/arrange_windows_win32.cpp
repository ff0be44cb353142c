// Sets the scene for the README's screenshots inside a Wine virtual desktop:
// the main window at the top left, the information window opened through
// its button and placed to the right of it; or, with "workshop", the phrase
// workshop opened through the slogan list's menu command, at the top left;
// or, with "tally", the tally of the vote sheets named after it, chosen
// through the storage box's menu command and the open dialog, at the top
// left with the main window out of the picture.
// Usage: arrange_windows [workshop | tally sheet...]; once the windows
// stand it writes "arranged.txt" in the working folder for the script
// waiting outside, and exits 1 when they did not show in 20 seconds.
#include <windows.h>

#include <chrono>
#include <string>
#include <thread>

namespace {

constexpr int kMargin = 16;
constexpr int kVersionButton = 102;  // the main window's バージョン button
constexpr int kEditPhrasesCommand = 211;  // 語句を編集 of the slogan list
constexpr int kVoteTallyCommand = 229;    // 投票を集計 of a storage box
constexpr int kFileNameBox = 0x47c;       // the open dialog's file name

HWND WaitForWindow(const wchar_t* class_name) {
  const auto until =
      std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < until) {
    HWND window = FindWindowW(class_name, nullptr);
    if (window && IsWindowVisible(window)) return window;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return nullptr;
}

}  // namespace

void WriteArranged() {
  CloseHandle(CreateFileW(L"arranged.txt", GENERIC_WRITE, 0, nullptr,
                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Names the sheets in the open dialog, as "a.csv" "b.txt", and opens them.
bool ShowTally(HWND main_window, int sheets, wchar_t** names) {
  // The meter is read once the first slogans show: 音数 is counted then.
  std::this_thread::sleep_for(std::chrono::seconds(2));
  PostMessageW(main_window, WM_COMMAND, kVoteTallyCommand, 0);
  HWND dialog = WaitForWindow(L"#32770");
  if (!dialog) return false;
  std::wstring chosen;
  for (int i = 0; i < sheets; ++i)
    chosen += std::wstring(L"\"") + names[i] + L"\" ";
  SendMessageW(GetDlgItem(dialog, kFileNameBox), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(chosen.c_str()));
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  HWND tally = WaitForWindow(L"TavlinTallyForm");
  if (!tally) return false;
  SetWindowPos(main_window, nullptr, 4000, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SetWindowPos(tally, nullptr, kMargin, kMargin, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER);
  std::this_thread::sleep_for(std::chrono::seconds(2));
  return true;
}

int wmain(int argc, wchar_t** argv) {
  HWND main_window = WaitForWindow(L"TavlinMainForm");
  if (!main_window) return 1;
  SetWindowPos(main_window, nullptr, kMargin, kMargin, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER);
  if (argc > 1 && lstrcmpW(argv[1], L"tally") == 0) {
    if (!ShowTally(main_window, argc - 2, argv + 2)) return 1;
    WriteArranged();
    return 0;
  }
  if (argc > 1 && lstrcmpW(argv[1], L"workshop") == 0) {
    // The meter is read once the first slogans show.
    std::this_thread::sleep_for(std::chrono::seconds(2));
    PostMessageW(main_window, WM_COMMAND, kEditPhrasesCommand, 0);
    HWND workshop = WaitForWindow(L"TavlinWorkshopForm");
    if (!workshop) return 1;
    SetWindowPos(workshop, nullptr, kMargin, kMargin, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    std::this_thread::sleep_for(std::chrono::seconds(2));
    WriteArranged();
    return 0;
  }
  PostMessageW(GetDlgItem(main_window, kVersionButton), BM_CLICK, 0, 0);
  HWND info_window = WaitForWindow(L"TavlinInfoForm");
  if (!info_window) return 1;
  RECT main_bounds;
  GetWindowRect(main_window, &main_bounds);
  SetWindowPos(info_window, nullptr, main_bounds.right + kMargin, kMargin, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER);
  // Time for both windows to paint before the picture is taken.
  std::this_thread::sleep_for(std::chrono::seconds(2));
  WriteArranged();
  return 0;
}
