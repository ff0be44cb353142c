#include "win32/forms/info_form_win32.h"

#include <vector>

#include "src/info/os_description.h"
#include "src/info/shell_rules.h"
#include "src/info/version_info.h"
#include "src/platform/messages.h"
#include "src/platform/tavlin_error.h"
#include "src/ui/window_placement.h"
#include "win32/gui/control_rows_win32.h"
#include "win32/gui/modal_window_win32.h"
#include "win32/gui/window_bounds_win32.h"
#include "win32/gui/window_caption_win32.h"
#include "win32/system/device_context_win32.h"
#include "win32/system/library_search_win32.h"
#include "win32/system/os_description_win32.h"
#include "win32/system/running_program_win32.h"
#include "win32/system/shell_win32.h"
#include "win32/system/shift_jis.h"
#include "win32/system/version_value_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

constexpr wchar_t kClassName[] = L"TavlinInfoForm";
constexpr wchar_t kPanelClassName[] = L"TavlinInfoPanel";
constexpr UINT kTimerInterval = 500;
// A fixed single border: no thick frame, and no dialog frame around it.
constexpr DWORD kWindowStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_BORDER | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = 0;

COLORREF ColourOf(LabelColour colour) {
  switch (colour) {
    case LabelColour::Navy:
      return RGB(0, 0, 128);
    case LabelColour::Maroon:
      return RGB(128, 0, 0);
    case LabelColour::Teal:
      return RGB(0, 128, 128);
    case LabelColour::Green:
      return RGB(0, 128, 0);
    case LabelColour::WindowText:
      break;
  }
  return GetSysColor(COLOR_WINDOWTEXT);
}

const InfoLabelLayout* LayoutOf(int id) {
  for (const InfoLabelLayout& label : kInfoLabels)
    if (label.id == id) return &label;
  return nullptr;
}

// The white panel that carries every control; what its controls report
// goes on to the window.
LRESULT CALLBACK PanelProcedure(HWND panel, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_SETCURSOR:
      return SendMessageW(GetParent(panel), message, w, l);
  }
  return DefWindowProcW(panel, message, w, l);
}

void RegisterPanelClass() {
  WNDCLASSEXW panel_class{};
  panel_class.cbSize = sizeof panel_class;
  panel_class.lpfnWndProc = PanelProcedure;
  panel_class.hInstance = GetModuleHandleW(nullptr);
  panel_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  panel_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  panel_class.lpszClassName = kPanelClassName;
  RegisterClassExW(&panel_class);
}

// The window is laid out in pixels at 96 dots per inch and left to the
// system to scale as a whole: it is created unaware of the display's DPI.
class DpiUnawareScope {
 public:
  DpiUnawareScope() {
    set_ = LibraryFunction<decltype(set_)>(GetModuleHandleW(L"user32.dll"),
                                           "SetThreadDpiAwarenessContext");
    if (set_) previous_ = set_(reinterpret_cast<HANDLE>(-1));  // unaware
  }
  DpiUnawareScope(const DpiUnawareScope&) = delete;
  DpiUnawareScope& operator=(const DpiUnawareScope&) = delete;
  ~DpiUnawareScope() {
    if (set_ && previous_) set_(previous_);
  }

 private:
  HANDLE(WINAPI* set_)(HANDLE) = nullptr;
  HANDLE previous_ = nullptr;
};

}  // namespace

TInfoForm::TInfoForm(HWND owner, std::u16string rhythm_line)
    : owner_(owner), rhythm_line_(std::move(rhythm_line)) {
  RegisterWindowClass(kClassName, nullptr,
                      static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  RegisterPanelClass();
  const DpiUnawareScope unaware;
  Create(kClassName, kWindowStyle, kWindowExStyle, {256, 158, 600, 600}, owner);
}

HWND TInfoForm::Label(int id) const { return GetDlgItem(panel_, id); }

HFONT TInfoForm::FontOf(LabelFont font) {
  UniqueFont& slot = fonts_[font];
  if (!slot) {
    const wchar_t* face = L"Arial";
    int height = -13;
    int weight = FW_NORMAL;
    BOOL underline = FALSE;
    DWORD charset = ANSI_CHARSET;
    switch (font) {
      case LabelFont::Tahoma12Japanese:
        face = L"Tahoma", height = -12, charset = SHIFTJIS_CHARSET;
        break;
      case LabelFont::Tahoma11Japanese:
        face = L"Tahoma", height = -11, charset = SHIFTJIS_CHARSET;
        break;
      case LabelFont::Arial27:
        height = -27;
        break;
      case LabelFont::Arial13Underlined:
        underline = TRUE;
        break;
      case LabelFont::Arial13Bold:
        weight = FW_BOLD;
        break;
      case LabelFont::WindowDefault:
      case LabelFont::Arial13:
        break;
    }
    slot.reset(CreateFontW(height, 0, 0, 0, weight, FALSE, underline, FALSE,
                           charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face));
  }
  return slot.get();
}

LRESULT TInfoForm::HandleMessage(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_CREATE:
      CreateControls();
      FormCreate();
      SetTimer(hwnd(), kTimer1, kTimerInterval, nullptr);
      return 0;
    case WM_ERASEBKGND:
      return 0;  // FormPaint and the panel cover everything
    case WM_PAINT:
      FormPaint();
      return 0;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(w);
      const InfoLabelLayout* layout =
          LayoutOf(GetDlgCtrlID(reinterpret_cast<HWND>(l)));
      SetTextColor(dc,
                   ColourOf(layout ? layout->colour : LabelColour::WindowText));
      SetBkColor(dc, RGB(255, 255, 255));
      return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    case WM_SETCURSOR:
      if (IsClickable(reinterpret_cast<HWND>(w))) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      closed_ = true;
      ShowWindow(hwnd(), SW_HIDE);
      return 0;
    case WM_DESTROY:
      KillTimer(hwnd(), kTimer1);
      return 0;
  }
  return Window::HandleMessage(message, w, l);
}

void TInfoForm::OnTimer(UINT_PTR id) {
  if (id == kTimer1) Timer1Timer();
}

void TInfoForm::OnCommand(int id, int code, HWND) {
  if (code == STN_CLICKED) OnLabelClick(id);
}

bool TInfoForm::IsClickable(HWND control) const {
  if (!control || GetParent(control) != panel_) return false;
  const InfoLabelLayout* layout = LayoutOf(GetDlgCtrlID(control));
  return layout && (layout->traits & kClickable) != 0;
}

void TInfoForm::CreateControls() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  panel_ = CreateWindowExW(
      0, kPanelClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
      kPanelDesignRect.left, kPanelDesignRect.top, kPanelDesignRect.width,
      kPanelDesignRect.height, hwnd(),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPnlBack)), instance,
      nullptr);
  if (!panel_) throw TavlinError(kCannotCreateControl);
  HWND icon = CreateControl(panel_, kAppIcon, ControlKind::IconImage,
                            kAppIconRect, u"");
  icon_ = static_cast<HICON>(
      LoadImageW(instance, L"MAINICON", IMAGE_ICON, 32, 32, LR_SHARED));
  SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
  for (const InfoLabelLayout& layout : kInfoLabels) {
    DWORD style = 0;
    if (layout.traits & kClickable) style |= SS_NOTIFY;
    if (layout.traits & kCentredVertically) style |= SS_CENTERIMAGE;
    HWND label = CreateControl(panel_, layout.id, ControlKind::TextLabel,
                               layout.rect, layout.text, style);
    SendMessageW(label, WM_SETFONT,
                 reinterpret_cast<WPARAM>(FontOf(layout.font)), FALSE);
  }
  SendMessageW(hwnd(), WM_SETFONT,
               reinterpret_cast<WPARAM>(FontOf(LabelFont::WindowDefault)),
               FALSE);
}

void TInfoForm::FormCreate() {
  executable_ = RunningExecutablePath();
  const auto value = [&](std::size_t key) {
    return GetVersionInfoValue(VersionInfoKeys[key], executable_);
  };
  ApplyVersionCaption(hwnd(), kInfoFormName);
  SetWindowTextW(Label(kLblFileDescription),
                 WideCString(value(kFileDescription)));
  SetWindowTextW(Label(kLblExeName), executable_.filename().c_str());
  separators_ = UserNumberSeparators();
  UpdateStatus();
  const std::wstring os_line =
      WideFromShiftJis(WithoutFirstMicrosoft(DescribeRunningOs()));
  SetWindowTextW(Label(kLblOsVersion), os_line.c_str());
  SetWindowTextW(Label(kLblExeVersion),
                 WideCString(u"Ver." + value(kFileVersion)));
  SetWindowTextW(Label(kLblEnvironment),
                 WideCString(value(kDeveropEnvironment)));
  SetWindowTextW(Label(kLblThanks), WideCString(value(kThanks)));
  SetWindowTextW(Label(kLblRhythm), WideCString(rhythm_line_));
  SizeToContents();
  CentreOnWorkArea(hwnd());
}

bool TInfoForm::UpdateStatus() {
  const StatusLines lines = ComposeStatusLines(status_.Gather(), separators_);
  bool changed = false;
  for (std::size_t i = 0; i < kStatusLineCount; ++i) {
    HWND label = Label(kStatusLabels[i]);
    const std::wstring text = WideFromUtf8(lines[i]);
    if (WindowTextOf(label) == text) continue;
    SetWindowTextW(label, text.c_str());
    changed = true;
  }
  return changed;
}

void TInfoForm::Timer1Timer() {
  // Stopped while refreshing, so that a slow refresh never queues ticks.
  KillTimer(hwnd(), kTimer1);
  // A line that grew or shrank takes the panel and the window with it.
  if (UpdateStatus()) SizeToContents();
  SetTimer(hwnd(), kTimer1, kTimerInterval, nullptr);
}

void TInfoForm::SizeToContents() {
  // Each label takes the size of its text, at its designed place.
  std::vector<HWND> controls = {GetDlgItem(panel_, kAppIcon)};
  std::vector<LayoutRect> rects = {kAppIconRect};
  {
    const WindowDc dc(panel_);
    for (const InfoLabelLayout& layout : kInfoLabels) {
      HWND label = Label(layout.id);
      const std::wstring text = WindowTextOf(label);
      RECT extent{0, 0, 0, 0};
      {
        const SelectedObject font(dc.get(), FontOf(layout.font));
        DrawTextW(dc.get(), text.empty() ? L" " : text.c_str(), -1, &extent,
                  DT_CALCRECT | DT_NOPREFIX | DT_LEFT);
      }
      controls.push_back(label);
      // A label designed without a size takes no room without a text.
      const bool hidden = text.empty() && layout.rect.height == 0;
      rects.push_back({layout.rect.left, layout.rect.top,
                       text.empty() ? 0 : extent.right,
                       hidden ? 0 : extent.bottom});
    }
  }

  const LayoutSize panel = EncloseControls(rects, kPanelBorder);
  for (std::size_t i = 0; i < controls.size(); ++i)
    SetWindowPos(controls[i], nullptr, rects[i].left, rects[i].top,
                 rects[i].width, rects[i].height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(panel_, nullptr, 0, 0, panel.width, panel.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  // The window encloses the panel; its top-left corner stays.
  RECT outer{0, 0, panel.width, panel.height};
  AdjustWindowRectEx(&outer, kWindowStyle, FALSE, kWindowExStyle);
  SetWindowPos(hwnd(), nullptr, 0, 0, outer.right - outer.left,
               outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TInfoForm::FormPaint() {
  const PaintDc dc(hwnd());
  RECT client;
  GetClientRect(hwnd(), &client);
  const SelectedObject brush(dc.get(), GetStockObject(BLACK_BRUSH));
  Rectangle(dc.get(), client.left, client.top, client.right, client.bottom);
}

void TInfoForm::FormShow() {
  // Owned by the main window, this window has no taskbar button of its
  // own: the program keeps exactly one, the main window's.
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
  SetFocus(hwnd());
}

void TInfoForm::ShowModal() {
  FormShow();
  RunModalLoop(closed_, [&](const MSG& message) {
    // Key preview: any key pressed in this window closes it.
    if ((message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) &&
        (message.hwnd == hwnd() || IsChild(hwnd(), message.hwnd)))
      closed_ = true;
    return closed_;
  });
}

void TInfoForm::OnLabelClick(int id) {
  switch (id) {
    case kLblExeName:
      ShowProperties(owner_, executable_.wstring());
      break;
    case kLblUrl:
      ShellOpen(owner_, AsU16(WindowTextOf(Label(kLblUrl))));
      break;
    case kLabel1:
      ShellOpen(owner_, kHandleSearch);
      break;
    case kLblMail:
      ShellOpen(owner_, MailToTarget(AsU16(WindowTextOf(Label(kLblMail))),
                                     FileNameOf(AsU16(executable_.native()))));
      break;
    case kLblLaunchOnStartup:
    case kLblLaunchOnDesktop:
    case kLblLaunchOnSendTo:
      LblLaunchOnStartupClick(id);
      break;
    case kLblOpenStartup:
    case kLblOpenFolderIn:
    case kLblOpenSendTo:
      LblOpenStartupClick(id);
      break;
  }
}

void TInfoForm::LblLaunchOnStartupClick(int id) {
  std::u16string folder;
  if (id == kLblLaunchOnStartup) folder = GetStartupFolder(owner_);
  if (id == kLblLaunchOnDesktop) folder = GetDesktopFolder(owner_);
  if (id == kLblLaunchOnSendTo) folder = GetSendToFolder(owner_);
  const std::u16string_view program = AsU16(executable_.native());
  CreateShortcut(program, folder, ShortcutName(program));
}

void TInfoForm::LblOpenStartupClick(int id) {
  if (id == kLblOpenStartup) ShellOpen(owner_, GetStartupFolder(owner_));
  if (id == kLblOpenFolderIn)
    ShellOpen(owner_, DirectoryPart(AsU16(executable_.native())));
  if (id == kLblOpenSendTo) ShellOpen(owner_, GetSendToFolder(owner_));
}

void ShowInfoForm(HWND owner, std::u16string rhythm_line) {
  TInfoForm form(owner, std::move(rhythm_line));
  // Declared after the window, so that the owner is enabled again before
  // the window goes, on every path: activation then returns to it.
  const OwnerDisabled disabled(owner);
  form.ShowModal();
}

}  // namespace tavlin
