// The yardstick of the start-up benchmark: the least a Win32 program does to
// show five strings in a list box. With "controls" on its command line it
// also holds the standard controls Tavlin's window cannot do without, a tab
// control under everything and two multiline edit boxes, one of them
// hidden: the least a window like Tavlin's costs, whatever Tavlin does.
#include <windows.h>

#include <commctrl.h>

#include <cwchar>
#include <initializer_list>

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, w, l);
}

void AddTavlinsControls(HWND window, HINSTANCE instance) {
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  const DWORD edit_style = WS_CHILD | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                           ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN;
  for (const DWORD visible : {DWORD{WS_VISIBLE}, DWORD{0}})
    CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", edit_style | visible, 12,
                    272, 350, 177, window, nullptr, instance, nullptr);
  CreateWindowExW(0, WC_TABCONTROLW, L"",
                  WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 372, 463,
                  window, nullptr, instance, nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line,
                    int show_command) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = Procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground =
      reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  window_class.lpszClassName = L"BareWindow";
  RegisterClassExW(&window_class);
  HWND window = CreateWindowExW(0, L"BareWindow", L"Bare", WS_OVERLAPPEDWINDOW,
                                CW_USEDEFAULT, CW_USEDEFAULT, 372, 463, nullptr,
                                nullptr, instance, nullptr);
  HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL, 12, 80, 350,
                              169, window, nullptr, instance, nullptr);
  // Made after the list, which lies above them, as in Tavlin's window.
  if (std::wcsstr(command_line, L"controls"))
    AddTavlinsControls(window, instance);
  for (const wchar_t* text : {L"一", L"二", L"三", L"四", L"五"})
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  // Painted before the first message is taken, as Tavlin's window is: both
  // are timed once their five strings are on the screen.
  ShowWindow(window, show_command);
  UpdateWindow(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
