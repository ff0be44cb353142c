#include "e2e/tavlin_process.h"

#include <algorithm>
#include <stdexcept>
#include <thread>

#include "src/slogan/phrase_theme.h"
#include "src/slogan/slogan_generator.h"
#include "src/ui/main_form_layout.h"
#include "support/png_file.h"
#include "support/temp_folder.h"

namespace tavlin {

namespace fs = std::filesystem;

bool WaitFor(const std::function<bool()>& condition,
             std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

std::wstring WindowText(HWND window) {
  const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = SendMessageW(window, WM_GETTEXT, text.size(),
                                      reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

std::vector<std::wstring> ListBoxItems(HWND list) {
  std::vector<std::wstring> items;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    // The program may refill the list between two questions: an item gone
    // ends the reading, and the buffer has room for a longer one.
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, i, 0);
    if (length < 0) break;
    std::wstring item(static_cast<std::size_t>(length) * 2 + 256, L'\0');
    const LRESULT got = SendMessageW(list, LB_GETTEXT, i,
                                     reinterpret_cast<LPARAM>(item.data()));
    if (got < 0) break;
    item.resize(std::min(static_cast<std::size_t>(got), item.size()));
    items.push_back(item);
  }
  return items;
}

fs::path BuiltTavlinExecutable() {
  return fs::path(TAVLIN_BUILT_EXECUTABLE).make_preferred();
}

fs::path ExamplePhraseFolder() {
  return fs::path(TAVLIN_EXAMPLES_FOLDER).make_preferred();
}

void CopyExamplePhraseFiles(const fs::path& folder) {
  for (const PhraseCategory category :
       {PhraseCategory::Safety, PhraseCategory::Quality})
    CopyExampleTheme(folder, ThemeName(category));
}

void CopyExampleTheme(const fs::path& folder, std::u16string_view theme) {
  const PhraseFileNames names = PhraseFileNamesOf(theme);
  for (const fs::path* name : {&names.upper, &names.middle, &names.lower})
    fs::copy_file(ExamplePhraseFolder() / *name, folder / *name);
}

TavlinProcess::TavlinProcess(const fs::path& folder, const std::wstring& name)
    : executable_(folder / name) {
  fs::copy_file(BuiltTavlinExecutable(), executable_,
                fs::copy_options::overwrite_existing);
}

TavlinProcess::~TavlinProcess() { Kill(); }

void TavlinProcess::Kill() {
  if (!process_.hProcess) return;
  if (!HasExited()) {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, 10000);
  }
  CloseHandle(process_.hProcess);
  CloseHandle(process_.hThread);
  process_ = {};
  main_window_ = nullptr;
}

void TavlinProcess::Start(WORD show_command) {
  Kill();
  std::wstring command = L"\"" + executable_.wstring() + L"\"";
  const std::wstring folder = executable_.parent_path().wstring();
  // Wine fails a process start now and then; a retry gets through.
  for (int attempt = 0; attempt < 5; ++attempt) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = show_command;
    if (CreateProcessW(executable_.c_str(), command.data(), nullptr, nullptr,
                       FALSE, 0, nullptr, folder.c_str(), &startup, &process_))
      return;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  throw std::runtime_error("Tavlin.exe did not start");
}

std::optional<std::string> ReadSharingAll(const std::filesystem::path& file) {
  // Shares deletion too, so that a save that renames over the file while
  // a test reads it goes through, as it would beside a user's viewer that
  // shares all.
  const HANDLE handle = CreateFileW(
      file.c_str(), GENERIC_READ,
      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[1 << 16];
  DWORD read = 0;
  bool whole = true;
  while ((whole = ReadFile(handle, buffer, sizeof buffer, &read, nullptr)) &&
         read > 0)
    bytes.append(buffer, read);
  CloseHandle(handle);
  if (!whole) return std::nullopt;
  return bytes;
}

bool FileHolds(const std::filesystem::path& file, const std::string& bytes) {
  const std::optional<std::string> held = ReadSharingAll(file);
  return held && held->find(bytes) != std::string::npos;
}

void TavlinProcess::TypeAtEnd(int box_id, const std::wstring& text) {
  HWND box = Control(box_id);
  // Asked of the box itself: GetWindowTextLength from another process
  // reads only a window's caption.
  const LRESULT end = SendMessageW(box, WM_GETTEXTLENGTH, 0, 0);
  SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(end), end);
  SendMessageW(box, EM_REPLACESEL, TRUE,
               reinterpret_cast<LPARAM>(text.c_str()));
}

HWND TavlinProcess::FocusedControl() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(process_.dwThreadId, &info)) return nullptr;
  return info.hwndFocus;
}

bool TavlinProcess::HasExited() const {
  return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0;
}

HWND TavlinProcess::FindTopLevel(
    const std::function<bool(HWND)>& accept) const {
  struct Search {
    DWORD process_id;
    const std::function<bool(HWND)>* accept;
    HWND found;
  } search{process_.dwProcessId, &accept, nullptr};
  EnumWindows(
      [](HWND window, LPARAM l) -> BOOL {
        auto* s = reinterpret_cast<Search*>(l);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s->process_id && (*s->accept)(window)) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND TavlinProcess::MainWindow() {
  if (main_window_) return main_window_;
  // A start that reads a list of megabytes takes its time on a machine
  // that is busy with other work: the wait is for the window, however long
  // the start takes, up to a minute.
  WaitFor(
      [&] {
        main_window_ = FindTopLevel([](HWND window) {
          return ClassOf(window) == L"TavlinMainForm" &&
                 IsWindowVisible(window);
        });
        return main_window_ != nullptr || HasExited();
      },
      std::chrono::seconds(60));
  if (!main_window_)
    throw std::runtime_error(HasExited() ? "Tavlin.exe ended before its window"
                                         : "no main window appeared");
  return main_window_;
}

HWND TavlinProcess::Control(int id) { return GetDlgItem(MainWindow(), id); }

HWND TavlinProcess::WaitForWindow(std::wstring_view class_name) {
  HWND window = nullptr;
  WaitFor([&] {
    window = FindTopLevel(
        [&](HWND w) { return ClassOf(w) == class_name && IsWindowVisible(w); });
    return window != nullptr;
  });
  if (!window) throw std::runtime_error("the window did not appear");
  return window;
}

bool TavlinProcess::ShowsBalloonWith(std::wstring_view part) {
  return WaitFor([&] {
    return FindTopLevel([&](HWND w) {
             return ClassOf(w) == L"tooltips_class32" && IsWindowVisible(w) &&
                    WindowText(w).find(part) != std::wstring::npos;
           }) != nullptr;
  });
}

void TavlinProcess::SaveThroughDialog(const std::filesystem::path& file) {
  const HWND dialog = WaitForWindow(L"#32770");
  // The file name box: a combo box in the dialogs of today (cmb13), a
  // plain edit box in older ones (edt1).
  HWND name = GetDlgItem(dialog, 0x47c);
  if (!name) name = GetDlgItem(dialog, 0x480);
  if (!name) throw std::runtime_error("the save dialog has no file name box");
  SendMessageW(name, WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(file.wstring().c_str()));
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  if (!WaitFor([&] { return !IsWindow(dialog); }))
    throw std::runtime_error("the save dialog did not close");
}

HWND TavlinProcess::MessageBox() const {
  // 0xFFFF is the message text of a message box: a file dialog has none.
  return FindTopLevel([](HWND window) {
    return ClassOf(window) == L"#32770" && IsWindowVisible(window) &&
           GetDlgItem(window, 0xFFFF) != nullptr;
  });
}

std::wstring TavlinProcess::DismissMessageBox() {
  HWND box = nullptr;
  if (!WaitFor([&] { return (box = MessageBox()) != nullptr; }))
    throw std::runtime_error("no message box appeared");
  // 0xFFFF is the message text of a message box.
  const std::wstring text = WindowText(GetDlgItem(box, 0xFFFF));
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  WaitFor([&] { return !IsWindow(box); });
  return text;
}

void TavlinProcess::DoubleClickSlogan(int row) {
  HWND list = Control(kListBox1);
  const LPARAM at = MAKELPARAM(20, row * kSloganRowHeight + 16);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, 0, at);
  PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, 0, at);
}

void TavlinProcess::WaitForPostedSloganInput() {
  HWND list = Control(kListBox1);
  // Once a selection posted after the input is gone, the input is handled.
  PostMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  if (!WaitFor(
          [&] { return SendMessageW(list, LB_GETCURSEL, 0, 0) == LB_ERR; }))
    throw std::runtime_error("the slogan list does not answer");
}

void TavlinProcess::Close() {
  PostMessageW(MainWindow(), WM_CLOSE, 0, 0);
  if (!WaitFor([&] { return HasExited(); }))
    throw std::runtime_error("Tavlin.exe did not end");
}

std::vector<std::wstring> TavlinProcess::CloseThroughReports() {
  PostMessageW(MainWindow(), WM_CLOSE, 0, 0);
  std::vector<std::wstring> reports;
  const bool ended = WaitFor([&] {
    if (MessageBox()) reports.push_back(DismissMessageBox());
    return HasExited();
  });
  if (!ended) throw std::runtime_error("Tavlin.exe did not end");
  return reports;
}

void SaveScreenshot(HWND window, const fs::path& file) {
  // Everything painted before the picture is taken.
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  RECT bounds;
  GetWindowRect(window, &bounds);
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap =
      CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY);
  GdiFlush();
  std::vector<std::uint8_t> rgb;
  rgb.reserve(static_cast<std::size_t>(width) * height * 3);
  const auto* pixels = static_cast<const std::uint8_t*>(bits);
  for (int i = 0; i < width * height; ++i) {
    rgb.push_back(pixels[i * 4 + 2]);
    rgb.push_back(pixels[i * 4 + 1]);
    rgb.push_back(pixels[i * 4 + 0]);
  }
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  fs::create_directories(file.parent_path());
  WritePng(file, width, height, rgb);
}

void PressCtrlAnd(WORD key) { PressWith(VK_CONTROL, key); }

void PressWith(WORD modifier, WORD key) {
  INPUT keys[4] = {};
  const WORD codes[4] = {modifier, key, key, modifier};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = codes[i];
    keys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
  }
  SendInput(4, keys, sizeof(INPUT));
}

}  // namespace tavlin
