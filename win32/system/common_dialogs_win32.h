// The system's common dialogs library, loaded from the system folder when a
// dialog is first asked for rather than at the start, which it would slow.
#pragma once

#include <windows.h>

#include "win32/system/library_search_win32.h"

namespace tavlin {

// The export of comdlg32.dll under name, typed as F; null when missing.
template <class F>
F CommonDialogFunction(const char* name) {
  static const HMODULE dialogs = LoadSystemLibrary(L"comdlg32.dll");
  return LibraryFunction<F>(dialogs, name);
}

// Why the last dialog failed: 0 when the user cancelled it.
inline DWORD CommonDialogError() {
  using ExtendedError = DWORD(WINAPI*)();
  static const auto extended_error =
      CommonDialogFunction<ExtendedError>("CommDlgExtendedError");
  return extended_error ? extended_error() : 1;
}

}  // namespace tavlin
