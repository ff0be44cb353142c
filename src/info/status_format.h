// The two formatters of the status lines: byte sizes and counts grouped by
// threes, and durations as hours, minutes and seconds.
#pragma once

#include <cstdint>
#include <string>

namespace tavlin {

// The separators of the user's regional settings, as UTF-8.
struct NumberSeparators {
  std::string thousands = ",";
  std::string decimal = ".";
};

// The unit of FormatByteSize; any value above MB counts as MB.
enum class SizeUnit : std::uint8_t { Count = 0, Bytes = 1, KB = 2, MB = 3 };

// "#,##0", "#,##0 B", "#,##0 KB" (value / 1024) or "#,##0.00 MB" (value /
// 1024 / 1024). The value is taken to 18 significant digits and then
// rounded at the last digit shown, halves away from zero.
std::string FormatByteSize(SizeUnit unit, std::int64_t value,
                           const NumberSeparators& separators = {});

// "%d:%2.2d:%2.2d" of hours (not wrapped at 24), minutes and seconds.
std::string FormatDuration(std::int32_t seconds);

}  // namespace tavlin
