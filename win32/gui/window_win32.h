// The base of the program's windows: registers the class, routes messages
// to the object, and keeps every exception inside the window procedure,
// handing it to the common error report.
#pragma once

#include <windows.h>

#include "src/ui/layout.h"

#include <exception>

namespace tavlin {

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND hwnd() const { return hwnd_; }
  // The window's dots per inch: its display's where the system tells that
  // per window, the system's otherwise. Known from WM_NCCREATE on, and kept
  // up to date as the window moves between displays.
  int dpi() const { return dpi_; }
  // The system's dots per inch, for sizing a window before it exists.
  static int SystemDpi();

 protected:
  // icon names the program's icon resource, or is null for none.
  static void RegisterWindowClass(const wchar_t* class_name,
                                  const wchar_t* icon, HBRUSH background);
  // Registers class_name with the program's icon on the dialog face, and
  // creates a window of it centred on the screen with a client area of
  // client at 96 dpi, scaled for the system's dpi: the program's forms.
  void CreateCentredForm(const wchar_t* class_name, DWORD style,
                         DWORD ex_style, LayoutSize client, HWND owner);
  // Creates the window; its messages reach HandleMessage from WM_NCCREATE on.
  // A failure while WM_CREATE is handled fails the creation: the window is
  // destroyed and the failure is thrown here.
  void Create(const wchar_t* class_name, DWORD style, DWORD ex_style,
              const RECT& bounds, HWND owner);
  // Handles what the window handles itself; the base unpacks WM_COMMAND,
  // WM_NOTIFY, WM_TIMER, WM_CONTEXTMENU, WM_DRAWITEM and WM_MEASUREITEM
  // into the calls below and leaves the rest to the system.
  virtual LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l);
  // A command: from a control (its notification code and handle), from a
  // menu (code 0, no control) or from an accelerator (code 1).
  virtual void OnCommand(int id, int code, HWND control);
  virtual LRESULT OnNotify(const NMHDR& header);
  virtual void OnTimer(UINT_PTR id);
  // A context menu asked for over window, at a point of the screen, or
  // from the keyboard (at is then -1, -1). False leaves it to the system.
  virtual bool OnContextMenu(HWND window, POINT at);
  // An owner-drawn control's item; false leaves it to the system.
  virtual bool OnDrawItem(const DRAWITEMSTRUCT& item);
  virtual bool OnMeasureItem(MEASUREITEMSTRUCT& item);
  // The window moved to a display of another DPI; dpi() is already the new
  // one. By default the window takes the bounds the system suggests.
  virtual void OnDpiChanged(const RECT& suggested);
  // Destroys the window now; a derived class calls it from its destructor,
  // while the fonts and brushes its controls use still exist.
  void DestroyNow();

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM w,
                                    LPARAM l);
  HWND hwnd_ = nullptr;
  int dpi_ = 96;
  std::exception_ptr creation_failure_;
};

}  // namespace tavlin
