// Byte sizes and durations read back as the numbers they show.
#include <cmath>
#include <cstdlib>

#include "fuzz_input.h"
#include "src/info/status_format.h"

using namespace tavlin;

namespace {

constexpr std::int64_t kExactLimit = std::int64_t{1} << 53;

// value / divisor rounded half away from zero, in integers.
std::int64_t RoundedQuotient(std::int64_t value, std::int64_t divisor) {
  const __int128 v = value;
  const __int128 q = v / divisor;
  const __int128 r = v % divisor;
  const __int128 twice = (r < 0 ? -r : r) * 2;
  return static_cast<std::int64_t>(twice >= divisor ? q + (v < 0 ? -1 : 1) : q);
}

// The number a text shows, in its smallest shown unit, separators dropped.
std::int64_t ShownNumber(const std::string& text) {
  std::string digits;
  for (const char c : text)
    if ((c >= '0' && c <= '9') || c == '-') digits += c;
  return std::strtoll(digits.c_str(), nullptr, 10);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  FuzzInput input(data, size);
  const auto unit = input.Take<std::uint8_t>();
  const auto value = input.Take<std::int64_t>();
  const auto seconds = input.Take<std::int32_t>();

  const std::string text = FormatByteSize(static_cast<SizeUnit>(unit), value);
  FUZZ_CHECK(!text.empty());
  // Where a double holds the quotient with digits to spare, the shown
  // number is the exact quotient rounded half away from zero.
  const std::int64_t limit = unit >= 3 ? std::int64_t{1} << 40 : kExactLimit;
  if (value > -limit && value < limit) {
    std::int64_t expected = value;
    if (unit == 2) expected = RoundedQuotient(value, 1024);
    if (unit >= 3) expected = RoundedQuotient(value * 100, 1024 * 1024);
    FUZZ_CHECK(ShownNumber(text) == expected);
  }

  const std::string duration = FormatDuration(seconds);
  long long h = 0, m = 0, s = 0;
  FUZZ_CHECK(std::sscanf(duration.c_str(), "%lld:%lld:%lld", &h, &m, &s) == 3);
  FUZZ_CHECK(h * 3600 + m * 60 + s == seconds);
  if (seconds >= 0) FUZZ_CHECK(m < 60 && s < 60 && m >= 0 && s >= 0);
  return 0;
}
