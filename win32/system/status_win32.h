// Gathering the status figures of the machine and of the running process.
#pragma once

#include <windows.h>

#include <psapi.h>

#include "src/info/status_lines.h"
#include "win32/system/unique_handle_win32.h"

namespace tavlin {

class StatusGatherer {
 public:
  StatusFigures Gather();

 private:
  ProcessMemoryFigures ProcessMemory();

  // The process-status library, loaded from the system folder on first use
  // and kept; tried again next time when it could not be loaded.
  UniqueModule process_status_;
  BOOL(WINAPI* get_process_memory_info_)
  (HANDLE, PROCESS_MEMORY_COUNTERS*, DWORD) = nullptr;
};

// The thousands and decimal separators of the user's regional settings.
NumberSeparators UserNumberSeparators();

}  // namespace tavlin
