#include "src/ui/error_message.h"

#include <gtest/gtest.h>

namespace tavlin {

namespace {

TEST(ErrorMessage, GetsAFullStopUnlessItEndsAtOrBelowOne) {
  const std::pair<const char*, const char*> rows[] = {
      {"ストリームへの書き込みエラー", "ストリームへの書き込みエラー."},
      {"Disk full", "Disk full."},
      {"Done.", "Done."},
      {"Really!", "Really!"},
      {"a - ", "a - "},
      {"Path C:\\a/", "Path C:\\a/."},  // "/" is coded above "."
      {"", "."},
  };
  for (const auto& [message, shown] : rows)
    EXPECT_EQ(CompleteErrorMessage(message), shown) << message;
}

}  // namespace

}  // namespace tavlin
