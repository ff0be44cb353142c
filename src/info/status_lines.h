// The nine status lines of the information window, composed from the
// figures that the system reports.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "src/info/status_format.h"

namespace tavlin {

struct SystemMemoryFigures {
  std::int64_t available_physical = 0;
  std::int64_t total_physical = 0;
  std::int64_t available_page_file = 0;
  std::int64_t total_page_file = 0;
  std::int64_t available_virtual = 0;
  std::int64_t total_virtual = 0;
};

// The counters of the running process; all zero when they could not be had.
struct ProcessMemoryFigures {
  std::int64_t page_fault_count = 0;
  std::int64_t working_set = 0;
  std::int64_t peak_working_set = 0;
  std::int64_t quota_paged_pool = 0;
  std::int64_t quota_peak_paged_pool = 0;
  std::int64_t quota_nonpaged_pool = 0;
  std::int64_t quota_peak_nonpaged_pool = 0;
  std::int64_t pagefile = 0;
  std::int64_t peak_pagefile = 0;
};

// Times in 100-nanosecond units; creation and now are UTC points counted
// from 1601-01-01.
struct ProcessClockFigures {
  bool times_known = false;
  std::uint64_t creation = 0;
  std::uint64_t kernel = 0;
  std::uint64_t user = 0;
  std::uint64_t now = 0;
};

struct StatusFigures {
  SystemMemoryFigures system;
  ProcessMemoryFigures process;
  ProcessClockFigures clock;
};

enum StatusLine : std::size_t {
  kPhysicalLine,
  kPageFileLine,
  kVirtualLine,
  kWorkingSetLine,
  kPageFaultLine,
  kPagefileUsageLine,
  kPagedPoolLine,
  kNonPagedPoolLine,
  kProcessTimeLine,
  kStatusLineCount
};

using StatusLines = std::array<std::string, kStatusLineCount>;

StatusLines ComposeStatusLines(const StatusFigures& figures,
                               const NumberSeparators& separators);

// Whole seconds of a 100-nanosecond count, the fraction dropped, as the
// low 32 bits of the count taken as a signed number.
std::int32_t WholeSeconds(std::uint64_t hundred_nanoseconds);

}  // namespace tavlin
