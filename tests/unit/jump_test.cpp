#include <gtest/gtest.h>

#include <vector>

#include "charts/baserunning/jump_table.h"

namespace vnt::jump {
namespace {

// Every roll of every hold and jump reads one outcome, in the chart's order, with the
// pitcher's own lines (E1?, Balk?, Pickoff?) where the chart puts them whatever the hold.
TEST(JumpTable, BandsFollowTheChartOrder) {
  for (int hold = 1; hold <= 5; ++hold) {
    for (int j = 1; j <= 10; ++j) {
      Outcome previous = Outcome::E1;
      for (int roll = 0; roll <= 99; ++roll) {
        const Outcome outcome = jumpOutcome(hold, j, roll);
        EXPECT_GE(outcome, previous) << "hold " << hold << " J " << j << " roll " << roll;
        previous = outcome;
        const Outcome expected = roll < j         ? Outcome::E1
                                 : roll >= 90     ? Outcome::Pickoff
                                 : roll >= 90 - j ? Outcome::Balk
                                                  : outcome;
        EXPECT_EQ(outcome, expected) << "hold " << hold << " J " << j << " roll " << roll;
      }
    }
  }
}

// A pitcher with a higher hold rating never lets the runner get further down the chart
// than a pitcher rated one lower: for every roll his band comes no earlier.
TEST(JumpTable, AHigherHoldNeverReadsAnEarlierBand) {
  for (int hold = 1; hold < 5; ++hold) {
    for (int j = 1; j <= 10; ++j) {
      for (int roll = 0; roll <= 99; ++roll) {
        EXPECT_GE(jumpOutcome(hold + 1, j, roll), jumpOutcome(hold, j, roll))
            << "hold " << hold << " J " << j << " roll " << roll;
      }
    }
  }
}

// A better jump never costs the runner an attempt: a roll past the wider "E1?" band that
// attempts at J still attempts at J + 1.
TEST(JumpTable, ABetterJumpKeepsEveryAttempt) {
  for (int hold = 1; hold <= 5; ++hold) {
    for (int j = 1; j < 10; ++j) {
      for (int roll = j + 1; roll <= 99; ++roll) {
        if (jumpOutcome(hold, j, roll) != Outcome::Attempts) continue;
        EXPECT_EQ(jumpOutcome(hold, j + 1, roll), Outcome::Attempts)
            << "hold " << hold << " J " << j << " roll " << roll;
      }
    }
  }
}

struct Band {
  int first, last;
  Outcome outcome;
};

struct Row {
  int hold, j;
  std::vector<Band> bands;
};

TEST(JumpTable, RowsOverEveryBoundary) {
  const std::vector<Row> rows = {
      {5,
       1,
       {{0, 0, Outcome::E1},
        {1, 88, Outcome::Holds},
        {89, 89, Outcome::Balk},
        {90, 99, Outcome::Pickoff}}},
      {3,
       10,
       {{0, 9, Outcome::E1},
        {10, 68, Outcome::Attempts},
        {69, 79, Outcome::JumpMinus2},
        {80, 89, Outcome::Balk},
        {90, 99, Outcome::Pickoff}}},
      {1,
       1,
       {{0, 0, Outcome::E1},
        {1, 35, Outcome::Attempts},
        {36, 46, Outcome::JumpMinus2},
        {47, 88, Outcome::Holds},
        {89, 89, Outcome::Balk},
        {90, 99, Outcome::Pickoff}}},
      // Hold 1 with the best jump: B(1, 10) does not exceed A, so no "Jump -2" and no "Holds".
      {1,
       10,
       {{0, 9, Outcome::E1},
        {10, 79, Outcome::Attempts},
        {80, 89, Outcome::Balk},
        {90, 99, Outcome::Pickoff}}},
  };
  for (const Row& row : rows) {
    int next = 0;
    for (const Band& band : row.bands) {
      ASSERT_EQ(band.first, next);
      for (int roll = band.first; roll <= band.last; ++roll) {
        EXPECT_EQ(jumpOutcome(row.hold, row.j, roll), band.outcome)
            << "hold " << row.hold << " J " << row.j << " roll " << roll;
      }
      next = band.last + 1;
    }
    ASSERT_EQ(next, 100);
  }
}

// Where the printed bounds leave a line empty its outcome never comes up.
TEST(JumpTable, EmptyLinesNeverOccur) {
  struct Case {
    int hold, j;
    Outcome never;
  };
  const Case cases[] = {
      {5, 1, Outcome::Attempts},    {5, 1, Outcome::JumpMinus2}, {1, 10, Outcome::Holds},
      {1, 10, Outcome::JumpMinus2}, {1, 9, Outcome::Holds},      {3, 10, Outcome::Holds},
      {2, 10, Outcome::Holds},
  };
  for (const Case& c : cases) {
    for (int roll = 0; roll <= 99; ++roll) {
      EXPECT_NE(jumpOutcome(c.hold, c.j, roll), c.never)
          << "hold " << c.hold << " J " << c.j << " roll " << roll;
    }
  }
}

TEST(JumpTable, TheBaseLowersTheJumpButNotBelowOne) {
  struct Case {
    int rating;
    Target target;
    int expected;
  };
  const Case cases[] = {
      {10, Target::Second, 10}, {10, Target::Third, 8}, {10, Target::Home, 6},
      {3, Target::Home, 1},     {1, Target::Home, 1},   {2, Target::Home, 1},
      {2, Target::Third, 1},    {3, Target::Third, 1},  {4, Target::Third, 2},
      {1, Target::Second, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(adjustedJump(c.rating, c.target), c.expected) << c.rating;
  }
}

// Each rating succeeds on the rolls 0 up to its last one and fails from there on.
TEST(BalkAndPickoff, EachRatingSucceedsOnALowPrefixOfTheDie) {
  struct Case {
    bool (*roll)(int, int);
    int rating;
    int lastSuccess;
  };
  const Case cases[] = {
      {balks, 5, 0},    {balks, 4, 2},    {balks, 3, 4},    {balks, 2, 6},    {balks, 1, 8},
      {picksOff, 1, 0}, {picksOff, 2, 2}, {picksOff, 3, 4}, {picksOff, 4, 6}, {picksOff, 5, 8},
  };
  for (const Case& c : cases) {
    for (int r = 0; r <= 9; ++r) {
      EXPECT_EQ(c.roll(c.rating, r), r <= c.lastSuccess) << "rating " << c.rating << " roll " << r;
    }
  }
}

TEST(PitcherThrow, ErrorRatingBoundsOverTheWholeRoll) {
  for (int roll = 0; roll <= 20; ++roll) {
    EXPECT_FALSE(throwGetsAway(20, roll)) << roll;        // the roll never exceeds 20
    EXPECT_TRUE(throwGetsAway(-5, roll)) << roll;         // rating 1 in the cold
    EXPECT_EQ(throwGetsAway(0, roll), roll > 0) << roll;  // rating 6 in the cold
  }
}

// Ratings off the chart read the nearest one instead of reading past the table.
TEST(JumpTable, RatingsOffTheChartReadTheNearestOne) {
  for (int roll = 0; roll <= 99; ++roll) {
    EXPECT_EQ(jumpOutcome(9, 12, roll), jumpOutcome(5, 10, roll));
    EXPECT_EQ(jumpOutcome(-1, -3, roll), jumpOutcome(1, 1, roll));
  }
  EXPECT_TRUE(balks(0, 8));
  EXPECT_TRUE(picksOff(7, 8));
}

}  // namespace
}  // namespace vnt::jump
