#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "charts/environment/deep_drive_table.h"

namespace vnt::deep {
namespace {

// The scale's thresholds rise, begin at 0 and end out of reach at 100; each step covers
// the rolls from its threshold up to the next.
TEST(DeepDrive, DistanceStepFollowsTheScale) {
  EXPECT_EQ(DistanceScale.front(), 0);
  EXPECT_EQ(DistanceScale.back(), 100);
  for (std::size_t i = 1; i < DistanceScale.size(); ++i) {
    EXPECT_LT(DistanceScale[i - 1], DistanceScale[i]) << "index " << i;
  }
  int previous = 0;
  for (int roll = 0; roll <= 99; ++roll) {
    const int step = distanceStep(roll);
    EXPECT_LE(DistanceScale[static_cast<std::size_t>(step)], roll) << "roll " << roll;
    EXPECT_GT(DistanceScale[static_cast<std::size_t>(step) + 1], roll) << "roll " << roll;
    EXPECT_GE(step, previous);
    EXPECT_LE(step - previous, 1) << "roll " << roll;
    previous = step;
  }
  EXPECT_EQ(distanceStep(0), 0);
  EXPECT_EQ(distanceStep(3), 0);
  EXPECT_EQ(distanceStep(4), 1);
  EXPECT_EQ(distanceStep(86), 21);
  EXPECT_EQ(distanceStep(87), 22);
  EXPECT_EQ(distanceStep(93), 24);
  EXPECT_EQ(distanceStep(99), 30);
}

// A better power rating never carries a drive less far, and the drive is never below 1.
TEST(DeepDrive, DriveRisesWithPowerAndRoll) {
  for (int power = 1; power <= 5; ++power) {
    for (int roll = 0; roll <= 99; ++roll) {
      const int drive = driveDistance(power, roll);
      EXPECT_GE(drive, 1);
      EXPECT_EQ(drive, std::max(1, distanceStep(roll) + powerOffset(power)));
      if (power > 1) {
        EXPECT_GE(drive, driveDistance(power - 1, roll));
      }
      if (roll > 0) {
        EXPECT_GE(drive, driveDistance(power, roll - 1));
      }
    }
  }
  for (int roll = 0; roll <= 31; ++roll) EXPECT_EQ(driveDistance(1, roll), 1) << roll;
  EXPECT_EQ(driveDistance(1, 32), 1);
  EXPECT_EQ(driveDistance(1, 99), 23);
  for (int roll = 0; roll <= 3; ++roll) EXPECT_EQ(driveDistance(5, roll), 13) << roll;
  EXPECT_EQ(driveDistance(5, 99), 43);
}

// The roll needed is the smallest roll whose drive reaches the wall, or "not possible"
// when no roll of 0..99 does.
TEST(DeepDrive, RollNeededIsTheSmallestRollThatReachesTheWall) {
  for (int power = 1; power <= 5; ++power) {
    for (int wall = 1; wall <= 50; ++wall) {
      int smallest = kNotPossible;
      for (int roll = 99; roll >= 0; --roll) {
        if (std::max(1, distanceStep(roll) + powerOffset(power)) >= wall) smallest = roll;
      }
      EXPECT_EQ(rollNeeded(power, wall), smallest) << "power " << power << " wall " << wall;
    }
  }
  EXPECT_EQ(rollNeeded(5, 13), 0);
  EXPECT_EQ(rollNeeded(3, 35), kNotPossible);
  EXPECT_EQ(rollNeeded(3, 34), kNotPossible);
  EXPECT_EQ(rollNeeded(3, 33), 99);
  EXPECT_EQ(rollNeeded(1, 1), 0);
  EXPECT_EQ(rollNeeded(1, 2), 36);
}

// Every roll of every style finds a location; a roll of 1 goes down the line on the
// batter's opposite side, and each style reaches four to five distinct places.
TEST(DeepDrive, LocationsByStyle) {
  for (int style = 0; style < kStyleCount; ++style) {
    std::set<int> seen;
    for (int roll = 0; roll <= 9; ++roll) {
      const int location = deepLocation(style, roll);
      ASSERT_GE(location, 0);
      ASSERT_LT(location, kLocationCount);
      seen.insert(location);
      // A left-handed batter never goes down the left-field line, nor a right-handed one
      // down the right-field line.
      EXPECT_NE(location, style < 2 ? kLeftFieldLine : kRightFieldLine) << style << " " << roll;
    }
    EXPECT_GE(seen.size(), 4u) << style;
    EXPECT_EQ(deepLocation(style, 1), style < 2 ? kRightFieldLine : kLeftFieldLine);
  }
  // The pull hitter and the spray hitter of each side mirror each other across centre.
  for (int roll = 0; roll <= 9; ++roll) {
    EXPECT_EQ(deepLocation(0, roll) == 3, deepLocation(2, roll) == 3) << roll;
    EXPECT_EQ(deepLocation(0, roll), 6 - deepLocation(2, roll)) << roll;
    EXPECT_EQ(deepLocation(1, roll), 6 - deepLocation(3, roll)) << roll;
  }
}

TEST(DeepDrive, WordsAndFielders) {
  const char* words[] = {"LFL", "LF", "LCF", "CF", "RCF", "RF", "RFL"};
  const char* fielders[] = {"LF", "LF", "CF", "CF", "CF", "RF", "RF"};
  for (int location = 0; location < kLocationCount; ++location) {
    EXPECT_EQ(locationWord(location), words[location]);
    EXPECT_EQ(fielder(location), fielders[location]);
  }
}

// A better range catches on every roll a worse one does, a lower wall is easier, only 20
// catches at the edge of the chart, and ranges "MD" to "WK" never catch.
TEST(DeepDrive, RobbedCatchesShrinkWithRangeAndHeight) {
  for (int height = -5; height <= 15; ++height) {
    for (int roll = 1; roll <= 20; ++roll) {
      for (int range = 5; range <= 7; ++range) {
        EXPECT_FALSE(robbedCaught(range, height, roll)) << range << " " << height << " " << roll;
      }
      for (int range = 2; range <= 4; ++range) {
        if (robbedCaught(range, height, roll)) {
          EXPECT_TRUE(robbedCaught(range - 1, height, roll)) << range << " " << height;
        }
      }
      for (int range = 1; range <= 4; ++range) {
        if (robbedCaught(range, height, roll)) {
          EXPECT_TRUE(robbedCaught(range, height - 1, roll)) << range << " " << height;
          if (roll < 20) {
            EXPECT_TRUE(robbedCaught(range, height, roll + 1));
          }
        }
      }
      if (height >= kRobbingHeight) {
        EXPECT_FALSE(robbedCaught(1, height, roll));
      }
    }
  }
  // Range "SP": 20 at 10-11 ft, from 19 at 8-9, from 18 at 6-7, from 17 at 5 or less.
  const int bands[][3] = {{11, 20, 10}, {9, 19, 8}, {7, 18, 6}, {5, 17, 0}};
  for (const auto& band : bands) {
    for (int height : {band[0], band[2]}) {
      EXPECT_TRUE(robbedCaught(1, height, band[1])) << height;
      EXPECT_FALSE(robbedCaught(1, height, band[1] - 1)) << height;
    }
  }
  EXPECT_FALSE(robbedCaught(3, 10, 20));
  EXPECT_TRUE(robbedCaught(3, 9, 20));
  EXPECT_FALSE(robbedCaught(4, 6, 20));
  EXPECT_TRUE(robbedCaught(4, 5, 20));
  EXPECT_FALSE(robbedCaught(4, 5, 19));
}

}  // namespace
}  // namespace vnt::deep
