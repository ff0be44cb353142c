#include "win32/gui/window_win32.h"

#include <utility>

#include "src/platform/messages.h"
#include "src/platform/tavlin_error.h"
#include "src/ui/layout.h"
#include "win32/gui/error_report_win32.h"
#include "win32/gui/popup_menu_win32.h"
#include "win32/gui/window_bounds_win32.h"
#include "win32/system/device_context_win32.h"
#include "win32/system/library_search_win32.h"

namespace tavlin {

namespace {

int DpiOfWindow(HWND window) {
  // Windows 10 1607 and later; older systems have one DPI for all.
  using GetDpi = UINT(WINAPI*)(HWND);
  static const auto get_dpi_for_window = LibraryFunction<GetDpi>(
      GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
  const UINT dpi = get_dpi_for_window ? get_dpi_for_window(window) : 0;
  return dpi > 0 ? static_cast<int>(dpi) : Window::SystemDpi();
}

// The icon's image made for the size the system shows it at, so that the
// caption's small icon is the drawn 16-pixel one rather than a shrunk copy.
HICON LoadIconOfSize(const wchar_t* icon, int width_metric, int height_metric) {
  if (!icon) return nullptr;
  // Shared: loaded once for the process, and never destroyed by us.
  return static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), icon, IMAGE_ICON,
                 GetSystemMetrics(width_metric),
                 GetSystemMetrics(height_metric), LR_SHARED));
}

}  // namespace

int Window::SystemDpi() {
  const WindowDc screen(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : kDesignDpi;
}

Window::~Window() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

void Window::RegisterWindowClass(const wchar_t* class_name, const wchar_t* icon,
                                 HBRUSH background) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.style = CS_DBLCLKS;
  window_class.lpfnWndProc = Procedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hIcon = LoadIconOfSize(icon, SM_CXICON, SM_CYICON);
  window_class.hIconSm = LoadIconOfSize(icon, SM_CXSMICON, SM_CYSMICON);
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = background;
  window_class.lpszClassName = class_name;
  if (!RegisterClassExW(&window_class) &&
      GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw TavlinError(kCannotRegisterWindowClass);
}

void Window::CreateCentredForm(const wchar_t* class_name, DWORD style,
                               DWORD ex_style, LayoutSize client, HWND owner) {
  RegisterWindowClass(
      class_name, L"MAINICON",
      reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
  Create(class_name, style, ex_style,
         CentredWindowBounds(ScaleForDpi(client, SystemDpi()), style, ex_style),
         owner);
}

void Window::Create(const wchar_t* class_name, DWORD style, DWORD ex_style,
                    const RECT& bounds, HWND owner) {
  CreateWindowExW(ex_style, class_name, L"", style, bounds.left, bounds.top,
                  bounds.right - bounds.left, bounds.bottom - bounds.top, owner,
                  nullptr, GetModuleHandleW(nullptr), this);
  if (creation_failure_)
    std::rethrow_exception(std::exchange(creation_failure_, nullptr));
  if (!hwnd_) throw TavlinError(kCannotCreateWindow);
}

void Window::DestroyNow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT Window::HandleMessage(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(w), HIWORD(w), reinterpret_cast<HWND>(l));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(l));
    case WM_TIMER:
      OnTimer(w);
      return 0;
    case WM_CONTEXTMENU:
      if (OnContextMenu(reinterpret_cast<HWND>(w), ContextMenuPoint(l)))
        return 0;
      break;
    case WM_DRAWITEM:
      if (OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(l))) return TRUE;
      break;
    case WM_MEASUREITEM:
      if (OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(l))) return TRUE;
      break;
  }
  return DefWindowProcW(hwnd_, message, w, l);
}

void Window::OnCommand(int, int, HWND) {}

LRESULT Window::OnNotify(const NMHDR&) { return 0; }

void Window::OnTimer(UINT_PTR) {}

bool Window::OnContextMenu(HWND, POINT) { return false; }

bool Window::OnDrawItem(const DRAWITEMSTRUCT&) { return false; }

bool Window::OnMeasureItem(MEASUREITEMSTRUCT&) { return false; }

void Window::OnDpiChanged(const RECT& suggested) {
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top,
               suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM w,
                                   LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Window*>(
        reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    self->hwnd_ = hwnd;
    self->dpi_ = DpiOfWindow(hwnd);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self =
      reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, message, w, l);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, message, w, l);
  }
  try {
    if (message == WM_DPICHANGED) {
      self->dpi_ = HIWORD(w);
      self->OnDpiChanged(*reinterpret_cast<const RECT*>(l));
      return 0;
    }
    return self->HandleMessage(message, w, l);
  } catch (...) {
    if (message == WM_CREATE) {
      // A half-built window must not run on: -1 makes the system destroy
      // it, and Create throws this once it is gone.
      self->creation_failure_ = std::current_exception();
      return -1;
    }
    // The handler ends here; the program goes on.
    ReportCurrentException(IsWindowVisible(hwnd) ? hwnd : nullptr);
    return DefWindowProcW(hwnd, message, w, l);
  }
}

}  // namespace tavlin
