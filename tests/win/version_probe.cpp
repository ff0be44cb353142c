// Starts as Tavlin does and reads the file version of the program named on
// its command line, through the program's own version reader. Exits 0 when
// the value came back.
#include <windows.h>

#include <cstdio>

#include "info/version_info.h"
#include "info/version_value_win32.h"
#include "platform/library_search_win32.h"

int wmain(int argc, wchar_t** argv) {
  RestrictLibrarySearchToSystem();
  if (argc < 2) return 2;
  const std::wstring version =
      GetVersionInfoValue(VersionInfoKeys[kFileVersion], argv[1]);
  std::fwprintf(stdout, L"%ls\n", version.c_str());
  return version.empty() ? 1 : 0;
}
