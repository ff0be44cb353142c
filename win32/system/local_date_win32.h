// Today's date where the user is, for the names offered to saved files.
#pragma once

#include <windows.h>

#include "src/ui/export_names.h"

namespace tavlin {

inline CalendarDate LocalDate() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay};
}

}  // namespace tavlin
