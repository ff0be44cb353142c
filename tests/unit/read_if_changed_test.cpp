#include "src/platform/read_if_changed.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "src/platform/file_access.h"
#include "support/temp_folder.h"

namespace tavlin {

namespace {

// Serves a text in chunks of at most `step` bytes, as a file would.
std::optional<std::string> Reread(const std::string& now,
                                  std::size_t reported_size,
                                  const std::string& previous,
                                  std::size_t step) {
  std::size_t at = 0;
  return ReadIfChanged(
      reported_size, previous, [&](char* into, std::size_t capacity) {
        const std::size_t n = std::min({capacity, step, now.size() - at});
        now.copy(into, n, at);
        at += n;
        return n;
      });
}

struct RereadCase {
  const char* name;
  std::string previous;
  std::string now;
  bool unchanged;
};

std::ostream& operator<<(std::ostream& out, const RereadCase& c) {
  return out << c.name;
}

class Rereading : public testing::TestWithParam<RereadCase> {};

TEST_P(Rereading, GivesTheNewBytesOrNothingWhenUnchanged) {
  const RereadCase& c = GetParam();
  // Large chunks and chunks of a few bytes, as a file may be served.
  for (const std::size_t step : {std::size_t{1} << 20, std::size_t{3}}) {
    const std::optional<std::string> bytes =
        Reread(c.now, c.now.size(), c.previous, step);
    if (c.unchanged) {
      EXPECT_FALSE(bytes.has_value()) << "step " << step;
    } else {
      ASSERT_TRUE(bytes.has_value()) << "step " << step;
      EXPECT_EQ(*bytes, c.now) << "step " << step;
    }
  }
}

const std::string kLong(200000, 'x');

INSTANTIATE_TEST_SUITE_P(
    Cases, Rereading,
    testing::Values(RereadCase{"Same", "a\r\nb", "a\r\nb", true},
                    RereadCase{"BothEmpty", "", "", true},
                    RereadCase{"SameLong", kLong, kLong, true},
                    RereadCase{"EditedInTheMiddle", "abc\r\ndef", "abc\r\nxef",
                               false},
                    RereadCase{"EditedAtTheEndOfALongFile", kLong + "a",
                               kLong + "b", false},
                    RereadCase{"Grown", "abc", "abcd", false},
                    RereadCase{"Shrunk", "abcd", "abc", false},
                    RereadCase{"FromNothing", "", "abc", false},
                    RereadCase{"ToNothing", "abc", "", false}),
    [](const auto& info) { return info.param.name; });

// The size the system reported may be stale when the file changes between
// asking and reading; what is read counts.
TEST(Rereading, WhatIsReadCountsOverTheReportedSize) {
  EXPECT_EQ(Reread("abcdef", 3, "abc", 2),
            std::optional<std::string>("abcdef"));
  EXPECT_EQ(Reread("ab", 3, "abc", 2), std::optional<std::string>("ab"));
  EXPECT_EQ(Reread("abc", 3, "abc", 2), std::nullopt);
}

TEST(Rereading, ARealFileComparesWithWhatWasReadBefore) {
  TempFolder folder;
  const auto file = folder / "phrases.txt";
  WriteBytes(file, "first\r\n");
  const std::string before = ReadWholeFile(file);
  EXPECT_EQ(before, "first\r\n");
  EXPECT_EQ(ReadWholeFileIfChanged(file, before), std::nullopt);
  WriteBytes(file, "fir5t\r\n");
  EXPECT_EQ(ReadWholeFileIfChanged(file, before),
            std::optional<std::string>("fir5t\r\n"));
}

}  // namespace

}  // namespace tavlin
