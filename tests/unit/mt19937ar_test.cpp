#include "src/slogan/mt19937ar.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

namespace tavlin {

namespace {

std::vector<std::uint32_t> Draw32(int count) {
  std::vector<std::uint32_t> outputs;
  for (int i = 0; i < count; ++i) outputs.push_back(genrand_int32());
  return outputs;
}

TEST(Mt19937ar, PublishedFiguresForTheDefaultSeed) {
  init_genrand(5489u);
  const std::vector<std::uint32_t> outputs = Draw32(10000);
  EXPECT_EQ(outputs.front(), 3499211612u);
  EXPECT_EQ(outputs.back(), 4123659995u);
}

TEST(Mt19937ar, PublishedFiguresForTheStartupKey) {
  SeedGeneratorAtStartup();
  const std::vector<std::uint32_t> expected = {
      1067595299u, 955945823u,  477289528u, 4107218783u, 4228976476u,
      3344332714u, 3355579695u, 227628506u, 810200273u,  2591290167u};
  EXPECT_EQ(Draw32(10), expected);
}

// The standard library's MT19937 is an independent implementation of the
// same published algorithm and seeding routine.
TEST(Mt19937ar, MatchesTheStandardEngineForAnySeed) {
  for (const std::uint32_t seed :
       {0u, 1u, 5489u, 19650218u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
    std::mt19937 oracle(seed);
    init_genrand(seed);
    // Three blocks of 624 words, so every regeneration is compared too.
    for (int i = 0; i < 3 * 624 + 5; ++i) {
      ASSERT_EQ(genrand_int32(), oracle()) << "seed " << seed << " draw " << i;
    }
  }
}

TEST(Mt19937ar, Int31IsTheNextInt32HalvedWithoutSign) {
  init_genrand(5489u);
  EXPECT_EQ(genrand_int31(), 1749605806);
  std::mt19937 oracle(77u);
  init_genrand(77u);
  for (int i = 0; i < 2000; ++i) {
    const std::int32_t draw = genrand_int31();
    ASSERT_GE(draw, 0);
    ASSERT_EQ(static_cast<std::uint32_t>(draw), oracle() >> 1);
  }
}

TEST(Mt19937ar, ReseedingRestartsTheSequenceWhateverWasDrawn) {
  init_genrand(12345u);
  const std::vector<std::uint32_t> first = Draw32(700);
  Draw32(311);
  init_genrand(12345u);
  EXPECT_EQ(Draw32(700), first);
  init_genrand(0u);
  EXPECT_NE(Draw32(700), first);
}

TEST(Mt19937ar, EveryKeyOfALongKeyArrayIsUsed) {
  std::vector<std::uint32_t> keys(700);
  for (std::size_t i = 0; i < keys.size(); ++i)
    keys[i] = static_cast<std::uint32_t>(i * 2654435761u);
  init_by_array(keys.data(), keys.size());
  const std::vector<std::uint32_t> outputs = Draw32(624);
  // A first loop that ran only 624 times would never read the last keys.
  keys.back() ^= 1u;
  init_by_array(keys.data(), keys.size());
  EXPECT_NE(Draw32(624), outputs);
  keys.back() ^= 1u;
  init_by_array(keys.data(), keys.size());
  EXPECT_EQ(Draw32(624), outputs);
}

// The never-seeded state exists only before the first seeding, so it is
// checked in a fresh process.
TEST(Mt19937arDeathTest, FirstDrawWithoutSeedingUsesTheDefaultSeed) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        const std::uint32_t first = genrand_int32();
        std::exit(first == 3499211612u ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

}  // namespace

}  // namespace tavlin
