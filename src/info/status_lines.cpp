#include "src/info/status_lines.h"

namespace tavlin {

namespace {

constexpr std::uint64_t kTicksPerSecond = 10'000'000;

}  // namespace

std::int32_t WholeSeconds(std::uint64_t hundred_nanoseconds) {
  const std::uint64_t seconds = hundred_nanoseconds / kTicksPerSecond;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(seconds));
}

StatusLines ComposeStatusLines(const StatusFigures& figures,
                               const NumberSeparators& separators) {
  const auto kb = [&](std::int64_t value) {
    return FormatByteSize(SizeUnit::KB, value, separators);
  };
  const auto pair = [&](const char* free_label, std::int64_t free,
                        const char* total_label, std::int64_t total) {
    return std::string(free_label) + kb(free) + "; " + total_label + kb(total);
  };
  const SystemMemoryFigures& system = figures.system;
  const ProcessMemoryFigures& process = figures.process;
  const ProcessClockFigures& clock = figures.clock;

  // Elapsed time is UTC now less the UTC creation time; it is never
  // negative, and nothing sensible is left to show without the times.
  std::uint64_t elapsed = 0;
  if (clock.times_known)
    elapsed = clock.now >= clock.creation ? clock.now - clock.creation
                                          : clock.creation - clock.now;
  const std::uint64_t kernel = clock.times_known ? clock.kernel : 0;
  const std::uint64_t user = clock.times_known ? clock.user : 0;

  StatusLines lines;
  lines[kPhysicalLine] =
      pair("Free Physical Memory:", system.available_physical,
           "Total:", system.total_physical);
  lines[kPageFileLine] = pair("Free Paging File:", system.available_page_file,
                              "Total:", system.total_page_file);
  lines[kVirtualLine] = pair("Free Virtual Memory:", system.available_virtual,
                             "Total:", system.total_virtual);
  lines[kWorkingSetLine] = pair("Memory Usage:", process.working_set,
                                "Peak:", process.peak_working_set);
  lines[kPageFaultLine] =
      "Page Fault:" +
      FormatByteSize(SizeUnit::Count, process.page_fault_count, separators);
  lines[kPagefileUsageLine] =
      pair("Pagefile Usage:", process.pagefile, "Peak:", process.peak_pagefile);
  lines[kPagedPoolLine] = pair("Paged Pool Usage:", process.quota_paged_pool,
                               "Peak:", process.quota_peak_paged_pool);
  lines[kNonPagedPoolLine] =
      pair("NonPaged Pool Usage:", process.quota_nonpaged_pool,
           "Peak:", process.quota_peak_nonpaged_pool);
  lines[kProcessTimeLine] =
      "Kernel:" + FormatDuration(WholeSeconds(kernel)) +
      "; User:" + FormatDuration(WholeSeconds(user)) +
      "; Process:" + FormatDuration(WholeSeconds(elapsed));
  return lines;
}

}  // namespace tavlin
