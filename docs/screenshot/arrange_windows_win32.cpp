// Sets the scene for the README's screenshots inside a Wine virtual desktop:
// the main window at the top left, the information window opened through
// its button and placed to the right of it; or, with "workshop", the phrase
// workshop opened through the slogan list's menu command, at the top left.
// Usage: arrange_windows [workshop]; once the windows stand it writes
// "arranged.txt" in the working folder for the script waiting outside, and
// exits 1 when they did not show in 20 seconds.
#include <windows.h>

#include <chrono>
#include <thread>

namespace {

constexpr int kMargin = 16;
constexpr int kVersionButton = 102;  // the main window's バージョン button
constexpr int kEditPhrasesCommand = 211;  // 語句を編集 of the slogan list

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

int wmain(int argc, wchar_t** argv) {
  HWND main_window = WaitForWindow(L"TavlinMainForm");
  if (!main_window) return 1;
  SetWindowPos(main_window, nullptr, kMargin, kMargin, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER);
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
