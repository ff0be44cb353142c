// The information window of the real Tavlin.exe, opened with the version
// button and worked from outside.
#include <windows.h>

#include <gtest/gtest.h>
#include <objidl.h>
#include <shlobj.h>

#include <algorithm>
#include <climits>
#include <optional>
#include <regex>

#include "e2e/tavlin_process.h"
#include "src/ui/info_form_layout.h"
#include "src/ui/main_form_layout.h"
#include "support/temp_folder.h"
#include "win32/system/com_ptr_win32.h"

namespace tavlin {

namespace fs = std::filesystem;

namespace {

struct ShortcutContents {
  std::wstring target;
  std::wstring working_folder;
  std::wstring arguments;
};

// The shortcut's contents, or nothing where it is not yet a whole one.
std::optional<ShortcutContents> ReadShortcut(const fs::path& file) {
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> persist;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IShellLinkW, link.ReceiveVoid())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, persist.ReceiveVoid())) ||
      FAILED(persist->Load(file.c_str(), STGM_READ)))
    return std::nullopt;
  wchar_t text[MAX_PATH] = {};
  ShortcutContents contents;
  link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
  contents.target = text;
  link->GetWorkingDirectory(text, MAX_PATH);
  contents.working_folder = text;
  link->GetArguments(text, MAX_PATH);
  contents.arguments = text;
  return contents;
}

fs::path SpecialFolder(int id) {
  wchar_t path[MAX_PATH] = {};
  SHGetSpecialFolderPathW(nullptr, path, id, FALSE);
  return path;
}

class InfoWindow : public testing::Test {
 protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    CopyExamplePhraseFiles(folder_.path());
    tavlin_.Start();
    main_ = tavlin_.MainWindow();
    PostMessageW(tavlin_.Control(kBitBtn2), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return (info_ = FindInfoWindow()) != nullptr; }));
    panel_ = GetDlgItem(info_, kPnlBack);
  }
  void TearDown() override {
    if (!tavlin_.HasExited()) {
      if (IsWindow(info_)) PostMessageW(info_, WM_CLOSE, 0, 0);
      WaitFor([&] { return !IsWindowVisible(info_); });
      tavlin_.Close();
    }
    CoUninitialize();
  }

  HWND FindInfoWindow() {
    HWND found = nullptr;
    for (HWND window =
             FindWindowExW(nullptr, nullptr, L"TavlinInfoForm", nullptr);
         window;
         window = FindWindowExW(nullptr, window, L"TavlinInfoForm", nullptr))
      if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == main_)
        found = window;
    return found;
  }

  std::wstring LabelText(int id) { return WindowText(GetDlgItem(panel_, id)); }

  void ClickLabel(int id) {
    HWND label = GetDlgItem(panel_, id);
    PostMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    PostMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  }

  // Windows that would get a taskbar button of their own.
  int TaskbarWindows() {
    int count = 0;
    for (HWND window : {main_, info_}) {
      if (!IsWindow(window) || !IsWindowVisible(window)) continue;
      const LONG_PTR ex_style = GetWindowLongPtrW(window, GWL_EXSTYLE);
      if ((ex_style & WS_EX_APPWINDOW) ||
          (!GetWindow(window, GW_OWNER) && !(ex_style & WS_EX_TOOLWINDOW)))
        ++count;
    }
    return count;
  }

  TempFolder folder_;
  TavlinProcess tavlin_{folder_.path()};
  HWND main_ = nullptr;
  HWND info_ = nullptr;
  HWND panel_ = nullptr;
};

// Without the reading dictionary beside the program, one line says why
// the rhythm meter is not shown.
TEST_F(InfoWindow, SaysWhyTheRhythmMeterIsNotShown) {
  EXPECT_EQ(LabelText(kLblRhythm),
            L"音数: 読み辞書 読み辞書.dic がないため、音数は表示しません");
}

TEST_F(InfoWindow, ShowsTheProgramTheSystemAndTheProcess) {
  EXPECT_EQ(WindowText(info_), L"Tavlin Ver.0.9.11.29 - InfoForm");
  EXPECT_EQ(LabelText(kLblExeVersion), L"Ver.0.9.11.29");
  EXPECT_EQ(LabelText(kLblExeName), L"Tavlin.exe");
  EXPECT_EQ(LabelText(kLblFileDescription), L"標語メーカー");
  EXPECT_EQ(LabelText(kLblEnvironment),
            L"C++20 / MinGW-w64 GCC 12 / the Tavlin developers / 2026");
  EXPECT_EQ(LabelText(kLblOsVersion),
            L"Windows NT product family? Professional Service Pack 1 (Build "
            L"7601)");
  EXPECT_EQ(LabelText(kLblLaunchOnDesktop), L"Create Shortcut on \"Desktop\"");
  const std::wstring group = L"[0-9]{1,3}(,[0-9]{3})*";
  const std::pair<int, std::wstring> formats[] = {
      {kLblPhys,
       L"Free Physical Memory:" + group + L" KB; Total:" + group + L" KB"},
      {kLblPageFaultCount, L"Page Fault:" + group},
      {kLblWorkingSetSize,
       L"Memory Usage:" + group + L" KB; Peak:" + group + L" KB"},
      {kLblProcessTime,
       L"Kernel:[0-9]+:[0-9]{2}:[0-9]{2}; User:[0-9]+:[0-9]{2}:[0-9]{2}; "
       L"Process:[0-9]+:[0-9]{2}:[0-9]{2}"},
  };
  for (const auto& [id, format] : formats)
    EXPECT_TRUE(std::regex_match(LabelText(id), std::wregex(format)))
        << id << ": " << LabelText(id).size();
  EXPECT_FALSE(IsWindowEnabled(main_));
  EXPECT_EQ(TaskbarWindows(), 1);
  // A fixed single border: neither resizable nor framed as a dialog.
  const LONG_PTR style = GetWindowLongPtrW(info_, GWL_STYLE);
  EXPECT_TRUE(style & WS_BORDER);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX));
  EXPECT_FALSE(GetWindowLongPtrW(info_, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
  SaveScreenshot(info_, fs::path(TAVLIN_SCREENSHOT_FOLDER) / "info_window.png");
}

TEST_F(InfoWindow, StatusLinesAreRefreshed) {
  const std::wstring first = LabelText(kLblProcessTime);
  EXPECT_TRUE(WaitFor([&] { return LabelText(kLblProcessTime) != first; },
                      std::chrono::seconds(5)));
}

TEST_F(InfoWindow, ThePanelAndTheWindowEncloseTheControls) {
  RECT client, panel;
  GetClientRect(info_, &client);
  GetWindowRect(panel_, &panel);
  EXPECT_EQ(client.right, panel.right - panel.left);
  EXPECT_EQ(client.bottom, panel.bottom - panel.top);
  // The outermost controls lie exactly at the 10-pixel border.
  RECT extent{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (HWND child = GetWindow(panel_, GW_CHILD); child;
       child = GetWindow(child, GW_HWNDNEXT)) {
    RECT r;
    GetWindowRect(child, &r);
    extent = {std::min(extent.left, r.left), std::min(extent.top, r.top),
              std::max(extent.right, r.right),
              std::max(extent.bottom, r.bottom)};
  }
  EXPECT_EQ(extent.left - panel.left, kPanelBorder);
  EXPECT_EQ(extent.top - panel.top, kPanelBorder);
  EXPECT_EQ(panel.right - extent.right, kPanelBorder);
  EXPECT_EQ(panel.bottom - extent.bottom, kPanelBorder);
}

TEST_F(InfoWindow, AnyKeyClosesItAndTheMainWindowTakesInputAgain) {
  PostMessageW(info_, WM_KEYDOWN, VK_SHIFT, 1);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(info_); }));
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(main_) != FALSE; }));
  EXPECT_EQ(TaskbarWindows(), 1);
  // It opens again, as a new window.
  PostMessageW(tavlin_.Control(kBitBtn2), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return (info_ = FindInfoWindow()) != nullptr; }));
}

TEST_F(InfoWindow, CreatesShortcutsInTheThreeFolders) {
  const std::pair<int, int> rows[] = {{kLblLaunchOnDesktop, CSIDL_DESKTOP},
                                      {kLblLaunchOnStartup, CSIDL_STARTUP},
                                      {kLblLaunchOnSendTo, CSIDL_SENDTO}};
  for (const auto& [label, folder_id] : rows) {
    const fs::path shortcut = SpecialFolder(folder_id) / L"Tavlin.lnk";
    fs::remove(shortcut);
    ClickLabel(label);
    // Waited for whole: a shortcut is written in more than one step.
    std::optional<ShortcutContents> contents;
    ASSERT_TRUE(WaitFor([&] {
      contents = ReadShortcut(shortcut);
      return contents && fs::path(contents->target) == tavlin_.executable();
    })) << shortcut;
    EXPECT_EQ(fs::path(contents->working_folder), folder_.path());
    EXPECT_EQ(contents->arguments, L"/starup");
    // A second click writes the same one file again.
    WriteBytes(shortcut, "junk");
    ClickLabel(label);
    EXPECT_TRUE(WaitFor([&] {
      contents = ReadShortcut(shortcut);
      return contents && contents->arguments == L"/starup";
    }));
    EXPECT_EQ(tavlin_.MessageBox(), nullptr);
    int shortcuts = 0;
    for (const auto& entry : fs::directory_iterator(shortcut.parent_path()))
      shortcuts += entry.path().extension() == L".lnk";
    EXPECT_EQ(shortcuts, 1);
    fs::remove(shortcut);
  }
}

}  // namespace

}  // namespace tavlin
