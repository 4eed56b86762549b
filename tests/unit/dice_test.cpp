#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "shell/dice.h"

namespace vnt {
namespace {

struct Range {
  std::int16_t upper;
  std::int16_t lower;
};

class ClockDiceRanges : public ::testing::TestWithParam<Range> {};

// Every draw the program makes stays within its bounds and reaches both ends.
TEST_P(ClockDiceRanges, HoldsBoundsAndReachesEveryValue) {
  const Range range = GetParam();
  ClockDice dice;
  const int values = range.upper - range.lower + 1;
  std::map<int, int> seen;
  for (int i = 0; i < values * 400; ++i) {
    const int roll = dice.RandomNumber(range.upper, range.lower);
    ASSERT_GE(roll, range.lower);
    ASSERT_LE(roll, range.upper);
    ++seen[roll];
  }
  if (values <= 100) {
    EXPECT_EQ(static_cast<int>(seen.size()), values) << "some value never came up";
  }
  EXPECT_TRUE(seen.count(range.lower)) << "the lower bound never came up";
  EXPECT_TRUE(seen.count(range.upper)) << "the upper bound never came up";
}

INSTANTIATE_TEST_SUITE_P(ProgramDraws, ClockDiceRanges,
                         ::testing::Values(Range{9, 0}, Range{99, 0}, Range{999, 0}, Range{20, 1},
                                           Range{20, 0}, Range{10, 1}));

TEST(ClockDice, SpreadsAD10Evenly) {
  ClockDice dice;
  std::vector<int> counts(10);
  constexpr int kDraws = 100000;
  for (int i = 0; i < kDraws; ++i) ++counts[static_cast<std::size_t>(dice.RandomNumber(9, 0))];
  for (int face = 0; face < 10; ++face) {
    // 5 % of the expected 10000 is more than five standard deviations.
    EXPECT_NEAR(counts[static_cast<std::size_t>(face)], kDraws / 10, kDraws / 200) << "face " << face;
  }
}

// Two draws within one click must not be tied together by a shared seed.
TEST(ClockDice, BackToBackDrawsAreIndependent) {
  ClockDice dice;
  int equalPairs = 0;
  constexpr int kPairs = 2000;
  for (int i = 0; i < kPairs; ++i) {
    const auto first = dice.RandomNumber(9, 0);
    const auto second = dice.RandomNumber(9, 0);
    if (first == second) ++equalPairs;
  }
  // About one pair in ten is equal by chance.
  EXPECT_LT(equalPairs, kPairs / 4);
  EXPECT_GT(equalPairs, kPairs / 40);
}

TEST(ClockDice, RangesBeyondSixteenBitsGiveOne) {
  ClockDice dice;
  EXPECT_EQ(dice.RandomNumber(32767, -1), 1);
  EXPECT_EQ(dice.RandomNumber(32767, 0), 1);
  EXPECT_EQ(dice.RandomNumber(32767, -32768), 1);
  EXPECT_EQ(dice.RandomNumber(16384, -16384), 1);
}

TEST(ClockDice, EdgesOfTheSixteenBitRange) {
  ClockDice dice;
  EXPECT_EQ(dice.RandomNumber(5, 5), 5);
  EXPECT_EQ(dice.RandomNumber(-32768, -32768), -32768);
  for (int i = 0; i < 200; ++i) {
    const int roll = dice.RandomNumber(32767, 1);  // 32767 values: still representable
    ASSERT_GE(roll, 1);
    ASSERT_LE(roll, 32767);
  }
}

}  // namespace
}  // namespace vnt
