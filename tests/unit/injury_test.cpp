#include <gtest/gtest.h>

#include <climits>

#include "charts/environment/injury_table.h"

namespace vnt::injury {
namespace {

// A reading as a length of absence: the rest of the season is longer than any day count.
// The second roll is unknown until rolled, so it has no length here.
int length(const Missed& missed) {
  return missed.kind == Missed::Kind::Days ? missed.days : INT_MAX;
}

// Every roll of every rating reads one result, and a higher roll is never a shorter
// absence; the second roll, where there is one, comes last.
TEST(InjuryTable, AbsencesGrowWithTheRoll) {
  for (int rating = kMostFragile; rating <= kSturdiest; ++rating) {
    int previous = 0;
    bool rollingAgain = false;
    for (int roll = 0; roll <= 99; ++roll) {
      const Missed missed = injuryDays(rating, roll);
      if (missed.kind == Missed::Kind::RollAgain) {
        rollingAgain = true;
        continue;
      }
      EXPECT_FALSE(rollingAgain) << "rating " << rating << " roll " << roll;
      EXPECT_GE(length(missed), previous) << "rating " << rating << " roll " << roll;
      previous = length(missed);
    }
    EXPECT_EQ(injuryDays(rating, 0), (Missed{Missed::Kind::Days, 0})) << rating;
  }
}

// A sturdier player is never out longer for the same roll.
TEST(InjuryTable, ASturdierPlayerNeverMissesMore) {
  for (int rating = kMostFragile; rating < kSturdiest; ++rating) {
    for (int roll = 0; roll <= 99; ++roll) {
      const Missed fragile = injuryDays(rating, roll);
      if (fragile.kind == Missed::Kind::RollAgain) continue;
      EXPECT_LE(length(injuryDays(rating + 1, roll)), length(fragile))
          << "rating " << rating << " roll " << roll;
    }
  }
}

// Only the most fragile are lost for the season or roll again; the sturdiest miss at most
// three days.
TEST(InjuryTable, OutcomesReservedForTheFragile) {
  for (int rating = kMostFragile; rating <= kSturdiest; ++rating) {
    for (int roll = 0; roll <= 99; ++roll) {
      const Missed missed = injuryDays(rating, roll);
      if (rating > 1) {
        EXPECT_EQ(missed.kind, Missed::Kind::Days) << "rating " << rating << " roll " << roll;
      }
      if (rating == kSturdiest) {
        EXPECT_LE(missed.days, 3) << roll;
      }
    }
  }
  for (int roll = 80; roll <= 89; ++roll) {
    EXPECT_EQ(injuryDays(1, roll).kind, Missed::Kind::Season) << roll;
  }
  for (int roll = 90; roll <= 99; ++roll) {
    EXPECT_EQ(injuryDays(1, roll).kind, Missed::Kind::RollAgain) << roll;
  }
}

// The edges the players meet most: the last roll without a day missed and the first with
// one, and the long absences.
TEST(InjuryTable, BandEdges) {
  struct Case {
    int rating, roll, days;
  };
  const Case cases[] = {
      {5, 79, 0},  {5, 80, 1},  {5, 92, 1},  {5, 93, 2},  {5, 98, 3},  {4, 29, 0},
      {4, 30, 1},  {4, 98, 10}, {3, 19, 0},  {3, 20, 1},  {3, 73, 15}, {3, 88, 21},
      {2, 9, 0},   {2, 10, 1},  {2, 50, 15}, {2, 80, 21}, {1, 4, 0},   {1, 5, 1},
      {1, 48, 15}, {1, 49, 21}, {1, 60, 30}, {1, 79, 30},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(injuryDays(c.rating, c.roll), (Missed{Missed::Kind::Days, c.days}))
        << "rating " << c.rating << " roll " << c.roll;
  }
}

TEST(InjuryTable, RatingsOutsideTheChartReadTheNearestRow) {
  for (int roll = 0; roll <= 99; ++roll) {
    EXPECT_EQ(injuryDays(0, roll), injuryDays(1, roll)) << roll;
    EXPECT_EQ(injuryDays(6, roll), injuryDays(5, roll)) << roll;
    EXPECT_EQ(recoveryStatus(-1, roll % 20 + 1), recoveryStatus(1, roll % 20 + 1));
  }
}

TEST(InjuryTable, DayCounts) {
  EXPECT_EQ(dayCount(0), "0 Days");
  EXPECT_EQ(dayCount(1), "1 Day");
  EXPECT_EQ(dayCount(2), "2 Days");
  EXPECT_EQ(dayCount(99), "99 Days");
}

// Recovery: play, then one sore roll, then out, in that order of the 1..20 roll; the
// sturdiest always play, and a sturdier player never does worse.
TEST(RecoveryTable, PlaySoreOutInOrder) {
  for (int rating = kMostFragile; rating <= kSturdiest; ++rating) {
    Status previous = Status::Play;
    int sore = 0;
    for (int roll = 1; roll <= 20; ++roll) {
      const Status status = recoveryStatus(rating, roll);
      EXPECT_GE(status, previous) << "rating " << rating << " roll " << roll;
      if (status == Status::Sore) ++sore;
      if (rating < kSturdiest) {
        EXPECT_LE(recoveryStatus(rating + 1, roll), status)
            << "rating " << rating << " roll " << roll;
      }
      previous = status;
    }
    EXPECT_EQ(recoveryStatus(rating, 1), Status::Play) << rating;
    EXPECT_EQ(sore, rating == kSturdiest ? 0 : 1) << rating;
    EXPECT_EQ(recoveryStatus(rating, 20), rating == kSturdiest ? Status::Play : Status::Out);
  }
}

TEST(RecoveryTable, SoreRolls) {
  struct Case {
    int rating, soreRoll;
  };
  for (const Case& c : {Case{4, 17}, Case{3, 14}, Case{2, 11}, Case{1, 8}}) {
    EXPECT_EQ(recoveryStatus(c.rating, c.soreRoll - 1), Status::Play) << c.rating;
    EXPECT_EQ(recoveryStatus(c.rating, c.soreRoll), Status::Sore) << c.rating;
    EXPECT_EQ(recoveryStatus(c.rating, c.soreRoll + 1), Status::Out) << c.rating;
  }
}

TEST(RecoveryTable, Words) {
  EXPECT_EQ(statusWord(Status::Play), "Play");
  EXPECT_EQ(statusWord(Status::Sore), "Sore");
  EXPECT_EQ(statusWord(Status::Out), "Out");
}

}  // namespace
}  // namespace vnt::injury
