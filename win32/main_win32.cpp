// Tavlin's start and end: the library search made safe, the generator
// seeded, the main window run.
#include <windows.h>

#include <commctrl.h>

#include "src/slogan/mt19937ar.h"
#include "win32/forms/main_form_win32.h"
#include "win32/gui/error_report_win32.h"
#include "win32/system/library_search_win32.h"

namespace tavlin {
namespace {

int RunMainWindow(int show_command) {
  TMainForm form;
  form.Show(show_command);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (form.PreTranslateMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace
}  // namespace tavlin

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show_command) {
  using namespace tavlin;
  RestrictLibrarySearchToSystem();
  SeedGeneratorAtStartup();
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  try {
    return RunMainWindow(show_command);
  } catch (...) {
    ReportCurrentException(nullptr);
    return 1;
  }
}
