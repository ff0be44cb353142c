#include "src/info/status_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>

namespace tavlin {

namespace {

struct SizeCase {
  SizeUnit unit;
  std::int64_t value;
  const char* text;
};

std::ostream& operator<<(std::ostream& out, const SizeCase& c) {
  return out << static_cast<int>(c.unit) << "/" << c.value;
}

class ByteSizes : public testing::TestWithParam<SizeCase> {};

TEST_P(ByteSizes, FormatWithGroupingAndRounding) {
  EXPECT_EQ(FormatByteSize(GetParam().unit, GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ByteSizes,
    testing::Values(
        SizeCase{SizeUnit::Count, 0, "0"},
        SizeCase{SizeUnit::Count, 1234567, "1,234,567"},
        SizeCase{SizeUnit::Count, 1024, "1,024"},
        SizeCase{SizeUnit::Count, 999, "999"},
        SizeCase{SizeUnit::Count, 1000, "1,000"},
        SizeCase{SizeUnit::Bytes, 999, "999 B"},
        SizeCase{SizeUnit::KB, 511, "0 KB"},
        SizeCase{SizeUnit::KB, 512, "1 KB"},
        SizeCase{SizeUnit::KB, 1023, "1 KB"},
        SizeCase{SizeUnit::KB, 1536, "2 KB"},
        SizeCase{SizeUnit::KB, 2560, "3 KB"},  // 2.5 rounds away from zero
        SizeCase{SizeUnit::KB, 4294967295, "4,194,304 KB"},
        SizeCase{SizeUnit::KB, 536330240, "523,760 KB"},
        SizeCase{SizeUnit::KB, 25769803776, "25,165,824 KB"},  // 24 GiB
        SizeCase{SizeUnit::MB, 1572864, "1.50 MB"},
        SizeCase{SizeUnit::MB, 0, "0.00 MB"},
        SizeCase{SizeUnit::MB, 5243, "0.01 MB"},  // 0.005000305 rounds up
        SizeCase{SizeUnit::MB, 5242, "0.00 MB"},  // 0.004999 rounds down
        SizeCase{SizeUnit::MB, 1073741824, "1,024.00 MB"},
        SizeCase{SizeUnit::MB, 1048575, "1.00 MB"},
        SizeCase{static_cast<SizeUnit>(7), 1572864, "1.50 MB"},
        SizeCase{SizeUnit::Count, -1234567, "-1,234,567"},
        SizeCase{SizeUnit::KB, -512, "-1 KB"},
        SizeCase{SizeUnit::KB, -511, "0 KB"},
        // A double holds 2^63 - 1 as 2^63; 18 digits of it are shown.
        SizeCase{SizeUnit::Count, std::numeric_limits<std::int64_t>::max(),
                 "9,223,372,036,854,775,810"}));

TEST(ByteSizes, UseTheRegionalSeparators) {
  const NumberSeparators german{".", ","};
  EXPECT_EQ(FormatByteSize(SizeUnit::Count, 1234567, german), "1.234.567");
  EXPECT_EQ(FormatByteSize(SizeUnit::MB, 1572864, german), "1,50 MB");
  const NumberSeparators french{"\u202F", ","};
  EXPECT_EQ(FormatByteSize(SizeUnit::KB, 4294967295, french),
            "4\u202F194\u202F304 KB");
}

TEST(Durations, ShowHoursUnwrappedMinutesAndSeconds) {
  const std::pair<std::int32_t, const char*> rows[] = {
      {0, "0:00:00"},
      {59, "0:00:59"},
      {61, "0:01:01"},
      {3725, "1:02:05"},
      {90061, "25:01:01"},
      {108000, "30:00:00"},
      {2147483647, "596523:14:07"},
  };
  for (const auto& [seconds, text] : rows)
    EXPECT_EQ(FormatDuration(seconds), text) << seconds;
}

}  // namespace

}  // namespace tavlin
