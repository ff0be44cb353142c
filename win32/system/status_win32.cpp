#include "win32/system/status_win32.h"

#include "win32/system/library_search_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

std::int64_t Signed(std::uint64_t value) {
  return static_cast<std::int64_t>(value);
}

std::uint64_t Ticks(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
         time.dwLowDateTime;
}

std::string LocaleText(LCTYPE type, const char* fallback) {
  wchar_t text[16] = {};
  const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, text, 16);
  if (length <= 1) return fallback;
  return Utf8FromWide(
      std::wstring_view(text, static_cast<std::size_t>(length) - 1));
}

}  // namespace

NumberSeparators UserNumberSeparators() {
  return {LocaleText(LOCALE_STHOUSAND, ","), LocaleText(LOCALE_SDECIMAL, ".")};
}

ProcessMemoryFigures StatusGatherer::ProcessMemory() {
  if (!get_process_memory_info_) {
    process_status_.reset(LoadSystemLibrary(L"psapi.dll"));
    get_process_memory_info_ =
        LibraryFunction<decltype(get_process_memory_info_)>(
            process_status_.get(), "GetProcessMemoryInfo");
    if (!get_process_memory_info_) return {};
  }
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!get_process_memory_info_(GetCurrentProcess(), &counters,
                                sizeof counters))
    return {};
  ProcessMemoryFigures figures;
  figures.page_fault_count = counters.PageFaultCount;
  figures.working_set = Signed(counters.WorkingSetSize);
  figures.peak_working_set = Signed(counters.PeakWorkingSetSize);
  figures.quota_paged_pool = Signed(counters.QuotaPagedPoolUsage);
  figures.quota_peak_paged_pool = Signed(counters.QuotaPeakPagedPoolUsage);
  figures.quota_nonpaged_pool = Signed(counters.QuotaNonPagedPoolUsage);
  figures.quota_peak_nonpaged_pool =
      Signed(counters.QuotaPeakNonPagedPoolUsage);
  figures.pagefile = Signed(counters.PagefileUsage);
  figures.peak_pagefile = Signed(counters.PeakPagefileUsage);
  return figures;
}

StatusFigures StatusGatherer::Gather() {
  StatusFigures figures;
  // The 64-bit query: the 32-bit one misreports machines above 4 GiB.
  MEMORYSTATUSEX memory{};
  memory.dwLength = sizeof memory;
  if (GlobalMemoryStatusEx(&memory)) {
    figures.system = {
        Signed(memory.ullAvailPhys),     Signed(memory.ullTotalPhys),
        Signed(memory.ullAvailPageFile), Signed(memory.ullTotalPageFile),
        Signed(memory.ullAvailVirtual),  Signed(memory.ullTotalVirtual)};
  }
  figures.process = ProcessMemory();

  FILETIME creation{}, exit{}, kernel{}, user{}, now{};
  figures.clock.times_known = GetProcessTimes(GetCurrentProcess(), &creation,
                                              &exit, &kernel, &user) != FALSE;
  // UTC on both sides, so that daylight-saving time cannot shift it.
  GetSystemTimeAsFileTime(&now);
  figures.clock.creation = Ticks(creation);
  figures.clock.kernel = Ticks(kernel);
  figures.clock.user = Ticks(user);
  figures.clock.now = Ticks(now);
  return figures;
}

}  // namespace tavlin
