#include "src/slogan/phrase_holds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "src/slogan/mt19937ar.h"
#include "src/slogan/slogan_generator.h"

namespace tavlin {

namespace {

struct Parts {
  std::string upper, middle, lower;
  std::array<bool, kPhrasePositions> held;
  bool operator==(const Parts&) const = default;
};

class PartsList final : public SloganListTarget {
 public:
  void RemoveAll() override { items.clear(); }
  void Append(ShiftJisView) override { ADD_FAILURE() << "parts expected"; }
  void AppendParts(const ComposedSlogan& s) override {
    items.push_back({std::string(s.parts[0].bytes()),
                     std::string(s.parts[1].bytes()),
                     std::string(s.parts[2].bytes()), s.held});
  }
  std::vector<Parts> items;
};

PhraseList ListOf(std::string bytes) {
  PhraseList list;
  list.AssignFileBytes(std::move(bytes));
  return list;
}

PhraseLists Lists() {
  PhraseLists lists;
  lists.upper = ListOf("u0\r\nu1\r\nu2\r\nu3\r\nu10\r\n");
  lists.middle = ListOf("m0\nm1\nm2\n\nm3\n");
  lists.lower = ListOf("l0\rl1\rl2");
  return lists;
}

std::vector<Parts> Compose(const PhraseLists& lists, const PhraseHolds& holds,
                           std::uint32_t seed) {
  init_genrand(seed);
  PartsList target;
  ComposeSlogans(lists, target, holds);
  return target.items;
}

// Holding a position leaves every other part as the same seed draws it.
TEST(PhraseHolds, HeldPositionsIgnoreTheirDrawOnly) {
  const PhraseLists lists = Lists();
  for (const std::uint32_t seed : {1u, 5489u, 0xDEADBEEFu}) {
    const std::vector<Parts> free = Compose(lists, {}, seed);
    PhraseHolds holds;
    holds.at(PhrasePosition::Middle) = ShiftJisText("m2");
    holds.at(PhrasePosition::Lower) = ShiftJisText("l0");
    const std::vector<Parts> held = Compose(lists, holds, seed);
    ASSERT_EQ(held.size(), free.size());
    for (std::size_t i = 0; i < free.size(); ++i) {
      EXPECT_EQ(held[i],
                (Parts{free[i].upper, "m2", "l0", {false, true, true}}))
          << "slogan " << i << " of seed " << seed;
    }
  }
}

TEST(PhraseHolds, AHoldEndsWhenItsLineLeavesTheFile) {
  PhraseLists lists = Lists();
  PhraseHolds holds;
  holds.at(PhrasePosition::Upper) = ShiftJisText("u1");
  holds.at(PhrasePosition::Middle) = ShiftJisText("m3");
  holds.at(PhrasePosition::Lower) = ShiftJisText("l2");
  ReleaseUnlistedHolds(holds, lists);
  EXPECT_TRUE(holds.at(PhrasePosition::Upper));
  EXPECT_TRUE(holds.at(PhrasePosition::Middle));
  EXPECT_TRUE(holds.at(PhrasePosition::Lower));  // the last line, no break

  // "u1" is only part of "u10" now, and "m3" lies behind a zero byte.
  lists.upper = ListOf("u0\r\nu10\r\n");
  lists.middle = ListOf(std::string("m0\n\0m3\n", 7));
  ReleaseUnlistedHolds(holds, lists);
  EXPECT_FALSE(holds.at(PhrasePosition::Upper));
  EXPECT_FALSE(holds.at(PhrasePosition::Middle));
  EXPECT_TRUE(holds.any());
}

}  // namespace

}  // namespace tavlin
