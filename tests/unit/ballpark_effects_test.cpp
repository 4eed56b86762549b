#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "charts/environment/ballpark_effects_table.h"

namespace vnt::bpe {
namespace {

constexpr std::array<std::string_view, 5> kBands = {"EF cf", "K", "E?", "1B gcf", "Deep!"};

int bandOf(std::string_view outcome) {
  for (std::size_t i = 0; i < kBands.size(); ++i) {
    if (kBands[i] == outcome) return static_cast<int>(i);
  }
  return -1;
}

TEST(BallparkEffects, SideByBattingStyle) {
  EXPECT_EQ(sideOf(0), Side::Left);
  EXPECT_EQ(sideOf(1), Side::Left);
  EXPECT_EQ(sideOf(2), Side::Right);
  EXPECT_EQ(sideOf(3), Side::Right);
}

// With rising thresholds each roll reads one band, the bands rise with the roll, and a band
// begins one above its threshold.
TEST(BallparkEffects, BandsRiseAndStartAboveTheirThresholds) {
  const Thresholds thresholds = {10, 40, 60, 90, 5, 25, 50, 75};
  for (Side side : {Side::Right, Side::Left}) {
    const std::size_t first = side == Side::Right ? 0 : 4;
    int previous = 0;
    for (int roll = 0; roll <= 99; ++roll) {
      const int band = bandOf(bpeOutcome(thresholds, side, roll));
      ASSERT_GE(band, 0) << roll;
      EXPECT_GE(band, previous) << roll;
      previous = band;
      int expected = 0;
      for (std::size_t i = 0; i < 4; ++i) {
        if (roll > thresholds[first + i]) expected = static_cast<int>(i) + 1;
      }
      EXPECT_EQ(band, expected) << roll;
    }
  }
  EXPECT_EQ(bpeOutcome(thresholds, Side::Right, 90), "1B gcf");
  EXPECT_EQ(bpeOutcome(thresholds, Side::Right, 91), "Deep!");
  EXPECT_EQ(bpeOutcome(thresholds, Side::Right, 10), "EF cf");
  EXPECT_EQ(bpeOutcome(thresholds, Side::Right, 11), "K");
}

// Each side reads its own four thresholds only.
TEST(BallparkEffects, EachSideIgnoresTheOther) {
  const Thresholds lowRight = {-1, -1, -1, -1, 99, 99, 99, 99};
  const Thresholds highRight = {99, 99, 99, 99, -1, -1, -1, -1};
  for (int roll = 0; roll <= 99; ++roll) {
    EXPECT_EQ(bpeOutcome(lowRight, Side::Right, roll), "Deep!");
    EXPECT_EQ(bpeOutcome(lowRight, Side::Left, roll), "EF cf");
    EXPECT_EQ(bpeOutcome(highRight, Side::Right, roll), "EF cf");
    EXPECT_EQ(bpeOutcome(highRight, Side::Left, roll), "Deep!");
  }
}

// Equal thresholds leave the bands between them empty.
TEST(BallparkEffects, EqualThresholdsSkipTheBandsBetween) {
  const Thresholds thresholds = {30, 30, 30, 30, 50, 50, 80, 80};
  EXPECT_EQ(bpeOutcome(thresholds, Side::Right, 30), "EF cf");
  EXPECT_EQ(bpeOutcome(thresholds, Side::Right, 31), "Deep!");
  for (int roll = 0; roll <= 99; ++roll) {
    const std::string_view outcome = bpeOutcome(thresholds, Side::Left, roll);
    EXPECT_NE(outcome, "K") << roll;
    EXPECT_NE(outcome, "1B gcf") << roll;
  }
}

}  // namespace
}  // namespace vnt::bpe
