#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "charts/environment/crazy_play_table.h"

namespace vnt::crazy {
namespace {

TEST(CrazyPlay, EachPlayCoversItsThresholdUpToTheNext) {
  const std::vector<CrazyPlay> plays = {{0, "first"}, {500, "second"}, {900, "third"}};
  for (int roll = 0; roll <= 999; ++roll) {
    const std::string expected = roll >= 900 ? "third" : roll >= 500 ? "second" : "first";
    EXPECT_EQ(crazyPlay(plays, roll), expected) << roll;
  }
}

TEST(CrazyPlay, TheLaterOfEqualThresholdsWins) {
  const std::vector<CrazyPlay> plays = {{0, "a"}, {300, "b"}, {300, "c"}};
  EXPECT_EQ(crazyPlay(plays, 299), "a");
  EXPECT_EQ(crazyPlay(plays, 300), "c");
  EXPECT_EQ(crazyPlay(plays, 999), "c");
}

// File order decides, not threshold order.
TEST(CrazyPlay, TheLastRecordAtOrBelowTheRollInFileOrder) {
  const std::vector<CrazyPlay> plays = {{0, "a"}, {700, "b"}, {400, "c"}};
  EXPECT_EQ(crazyPlay(plays, 750), "c");
  EXPECT_EQ(crazyPlay(plays, 699), "c");
  EXPECT_EQ(crazyPlay(plays, 399), "a");
}

TEST(CrazyPlay, NoRecordAtOrBelowTheRollDrawsNothing) {
  const std::vector<CrazyPlay> plays = {{100, "a"}, {200, "b"}};
  for (int roll = 0; roll < 100; ++roll) EXPECT_EQ(crazyPlay(plays, roll), "") << roll;
  EXPECT_EQ(crazyPlay({}, 999), "");
}

}  // namespace
}  // namespace vnt::crazy
