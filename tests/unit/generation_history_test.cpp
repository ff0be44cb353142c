// A page's history of generations: back and forward as in a browser, a new
// generation always at the end, and bounded by count and by bytes.
#include "src/slogan/generation_history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavlin {

namespace {

// A generation of one slogan whose first part is name, repeated to size.
ShownGeneration Generation(const std::string& name, std::size_t size = 0) {
  SloganRow slogan;
  slogan.parts[0] = ShiftJisText(name + std::string(size, '.'));
  return {slogan};
}

std::string FirstOf(const ShownGeneration& generation) {
  return generation.at(0).parts[0].bytes();
}

// Steps: 'g' a new generation (named by its number), 'b' back, 'f' forward.
struct HistoryCase {
  const char* steps;
  const char* shown;  // the generation shown at the end
  std::size_t position;
  std::size_t size;
  bool can_go_back;
  bool can_go_forward;
};

class GenerationHistoryRules : public testing::TestWithParam<HistoryCase> {};

TEST_P(GenerationHistoryRules, AreABrowsersWithTheNewestAtTheEnd) {
  const HistoryCase& c = GetParam();
  GenerationHistory history(3, 1000);
  int made = 0;
  for (const char* step = c.steps; *step; ++step) {
    if (*step == 'g') history.Add(Generation(std::to_string(++made)));
    if (*step == 'b') history.Back();
    if (*step == 'f') history.Forward();
  }
  EXPECT_EQ(FirstOf(history.Shown()), c.shown);
  EXPECT_EQ(history.position(), c.position);
  EXPECT_EQ(history.size(), c.size);
  EXPECT_EQ(history.CanGoBack(), c.can_go_back);
  EXPECT_EQ(history.CanGoForward(), c.can_go_forward);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, GenerationHistoryRules,
    testing::Values(HistoryCase{"g", "1", 1, 1, false, false},
                    HistoryCase{"gggbb", "1", 1, 3, false, true},
                    HistoryCase{"gggbbb", "1", 1, 3, false, true},
                    HistoryCase{"gggbbf", "2", 2, 3, true, true},
                    HistoryCase{"gggf", "3", 3, 3, true, false},
                    // A new one while looking back goes at the end.
                    HistoryCase{"gggbbg", "4", 3, 3, true, false},
                    // Beyond three, the oldest go.
                    HistoryCase{"gggggbbb", "3", 1, 3, false, true}));

TEST(GenerationHistoryBytes, LongPhrasesKeepFewerButAlwaysTheNewest) {
  GenerationHistory history(100, 1000);
  for (int i = 0; i < 5; ++i) history.Add(Generation("x", 300));
  EXPECT_EQ(history.size(), 3u);
  EXPECT_LE(history.bytes(), 1000u);
  history.Add(Generation("huge", 5000));
  EXPECT_EQ(history.size(), 1u);
  EXPECT_EQ(FirstOf(history.Shown()).substr(0, 4), "huge");
}

TEST(GenerationHistoryBytes, TheDefaultsAreAHundredAndAMegabyte) {
  GenerationHistory history;
  for (int i = 0; i < 150; ++i) history.Add(Generation(std::to_string(i)));
  EXPECT_EQ(history.size(), GenerationHistory::kMaximumGenerations);
  EXPECT_EQ(FirstOf(history.Back()), "148");
}

}  // namespace

}  // namespace tavlin
