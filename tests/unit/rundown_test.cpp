#include <gtest/gtest.h>

#include "charts/baserunning/rundown_table.h"

namespace vnt::rundown {
namespace {

TEST(Rundown, FirstRollAgainstSpeed) {
  for (int roll = 1; roll <= 10; ++roll) {
    EXPECT_TRUE(outOnFirstRoll(0, roll)) << "speed 0 is always out, roll " << roll;
    EXPECT_FALSE(outOnFirstRoll(10, roll)) << "speed 10 always stays in, roll " << roll;
  }
  EXPECT_FALSE(outOnFirstRoll(5, 5));  // a roll equal to the speed keeps him alive
  EXPECT_TRUE(outOnFirstRoll(5, 6));
}

TEST(Rundown, SecondRollSafeUpToSpeed) {
  for (int roll = 0; roll <= 99; ++roll) {
    EXPECT_EQ(safeOnSecondRoll(10, roll), roll <= 10) << "roll " << roll;
    EXPECT_EQ(safeOnSecondRoll(0, roll), roll == 0) << "roll " << roll;
  }
}

// Each range gives "Safe" on the low rolls and "Out" on the rest, and every step down in
// the fielder's range gives the runner more safe rolls.
TEST(Collision, SafeBelowTheBoundOutFromIt) {
  int previousBound = 1;
  for (int range = 0; range < kRangeCount; ++range) {
    const int bound = collisionSafeBelow(range);
    EXPECT_GT(bound, previousBound) << "range " << range;
    EXPECT_GT(bound, 1);
    EXPECT_LE(bound, 20);  // every range can still give "Out"
    for (int roll = 1; roll <= 20; ++roll) {
      EXPECT_EQ(collision(range, roll), roll < bound ? "Safe" : "Out")
          << "range " << range << " roll " << roll;
    }
    previousBound = bound;
  }
}

TEST(Collision, EdgeRanges) {
  EXPECT_EQ(collision(0, 2), "Safe");  // "SP": safe only on 1 or 2
  EXPECT_EQ(collision(0, 3), "Out");
  EXPECT_EQ(collision(6, 18), "Safe");  // "WK": out only on 19 or 20
  EXPECT_EQ(collision(6, 19), "Out");
  // No button outside 0..6 exists; such an index must not read past the table.
  EXPECT_EQ(collisionSafeBelow(-1), collisionSafeBelow(0));
  EXPECT_EQ(collisionSafeBelow(7), collisionSafeBelow(6));
}

}  // namespace
}  // namespace vnt::rundown
