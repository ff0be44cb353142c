// Drives a real Tavlin.exe from another process the way a screen reader or
// UI automation would: through the standard controls' own messages.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavlin {

// Polls until condition holds or the time runs out; false on time-out.
bool WaitFor(const std::function<bool()>& condition,
             std::chrono::milliseconds timeout = std::chrono::seconds(20));

std::wstring WindowText(HWND window);
std::wstring ClassOf(HWND window);
std::vector<std::wstring> ListBoxItems(HWND list);

// A Tavlin.exe copied into a folder of the test's, with whatever files the
// test put beside it.
class TavlinProcess {
 public:
  // Copies the built program into folder as name (Tavlin.exe by default).
  explicit TavlinProcess(const std::filesystem::path& folder,
                         const std::wstring& name = L"Tavlin.exe");
  TavlinProcess(const TavlinProcess&) = delete;
  TavlinProcess& operator=(const TavlinProcess&) = delete;
  ~TavlinProcess();

  const std::filesystem::path& executable() const { return executable_; }

  // Starts the program, shown as show_command asks (as a shortcut would).
  void Start(WORD show_command = SW_SHOWNORMAL);
  // The control that has the keyboard focus in the program.
  HWND FocusedControl() const;
  // The visible main window; waits for it to appear.
  HWND MainWindow();
  HWND Control(int id);
  // A message box of the program, if one is shown now.
  HWND MessageBox() const;
  // Waits for a message box, returns its text and presses its OK button.
  std::wstring DismissMessageBox();
  // Waits for a visible top-level window of the program of the given class.
  HWND WaitForWindow(std::wstring_view class_name);
  // Waits for a balloon of the program's that shows text with part in it;
  // false where none does.
  bool ShowsBalloonWith(std::wstring_view part);
  // Waits for the standard save dialog, types file into it and presses its
  // save button, as a user does; returns once the dialog has gone.
  void SaveThroughDialog(const std::filesystem::path& file);
  // Types text at the end of a box as the keyboard would: the box reports
  // the change, and the program saves it after a pause.
  void TypeAtEnd(int box, const std::wstring& text);
  // Double-clicks a row of the slogan list with posted mouse messages, as a
  // user does, which stores that slogan.
  void DoubleClickSlogan(int row);
  // Posted messages are handled in order: returns once the slogan list has
  // handled all input posted to it before.
  void WaitForPostedSloganInput();
  // Closes the main window and waits for the program to end.
  void Close();
  // Closes the main window, presses OK on every report it shows on its way
  // out, and returns their texts once the program has ended.
  std::vector<std::wstring> CloseThroughReports();
  bool HasExited() const;
  // Ends the program at once, as a crash or a power cut would.
  void Kill();

 private:
  HWND FindTopLevel(const std::function<bool(HWND)>& accept) const;

  std::filesystem::path executable_;
  PROCESS_INFORMATION process_{};
  HWND main_window_ = nullptr;
};

// True when file exists and holds bytes somewhere. A file the program is
// replacing at this very moment counts as not holding them yet.
// The file's bytes, read without keeping anyone else from it; nothing where
// it cannot be read.
std::optional<std::string> ReadSharingAll(const std::filesystem::path& file);
bool FileHolds(const std::filesystem::path& file, const std::string& bytes);

std::filesystem::path BuiltTavlinExecutable();
std::filesystem::path ExamplePhraseFolder();
// The standard themes' example phrase files only: further themes add pages.
void CopyExamplePhraseFiles(const std::filesystem::path& folder);
void CopyExampleTheme(const std::filesystem::path& folder,
                      std::u16string_view theme);

// Presses Ctrl and key with real key strokes, as a user at the keyboard
// does, into the window in front: posted keys would not change the state
// of Ctrl that programs read.
void PressCtrlAnd(WORD key);
// The same with another modifier held: VK_MENU for Alt.
void PressWith(WORD modifier, WORD key);

// Captures what the screen shows of a window into a PNG file.
void SaveScreenshot(HWND window, const std::filesystem::path& file);

}  // namespace tavlin
