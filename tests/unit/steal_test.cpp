#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "charts/baserunning/steal_table.h"

namespace vnt::steal {
namespace {

constexpr Base kBases[] = {Base::Second, Base::Third, Base::Home};
constexpr int kSeason = 2015;

std::string nameOf(Base base) {
  switch (base) {
    case Base::Second:
      return "second";
    case Base::Third:
      return "third";
    case Base::Home:
      return "home";
  }
  return "?";
}

// Every roll of every row reads one outcome, and the bands come in the chart's order.
TEST(StealTable, BandsFollowTheChartOrderOnEveryRow) {
  for (Base base : kBases) {
    for (int rating = kLowestRating; rating <= kHighestRating; ++rating) {
      Outcome previous = Outcome::Collision;
      for (int roll = 1; roll <= 99; ++roll) {
        const Outcome outcome = stealOutcome(base, rating, roll, kSeason);
        EXPECT_GE(outcome, previous) << nameOf(base) << " rating " << rating << " roll " << roll;
        EXPECT_NE(outcome, Outcome::BlownCall);
        EXPECT_NE(outcome, Outcome::HardSlide);
        previous = outcome;
      }
      EXPECT_EQ(stealOutcome(base, rating, 99, kSeason), Outcome::CS) << nameOf(base);
    }
  }
}

// A faster runner never does worse: for each base and roll, rating r + 1 reads a band no
// later in the chart than rating r.
TEST(StealTable, AHigherRatingNeverReadsALaterBand) {
  for (Base base : kBases) {
    for (int rating = kLowestRating; rating < kHighestRating; ++rating) {
      for (int roll = 0; roll <= 99; ++roll) {
        EXPECT_LE(stealOutcome(base, rating + 1, roll, kSeason),
                  stealOutcome(base, rating, roll, kSeason))
            << nameOf(base) << " rating " << rating << " roll " << roll;
      }
    }
  }
}

// The collision rolls and the roll of 0 do not depend on the rating.
TEST(StealTable, CollisionsAndTheZeroRollIgnoreTheRating) {
  for (Base base : kBases) {
    const int lastCollision = base == Base::Home ? 5 : 2;
    for (int rating = kLowestRating; rating <= kHighestRating; ++rating) {
      EXPECT_EQ(stealOutcome(base, rating, 0, 2015), Outcome::BlownCall);
      EXPECT_EQ(stealOutcome(base, rating, 0, 2016), Outcome::HardSlide);
      for (int roll = 1; roll <= 99; ++roll) {
        EXPECT_EQ(stealOutcome(base, rating, roll, kSeason) == Outcome::Collision,
                  roll <= lastCollision)
            << nameOf(base) << " rating " << rating << " roll " << roll;
      }
    }
  }
}

TEST(StealTable, TheZeroRollChangesWithThe2016Season) {
  for (int season : {1972, 1998, 2015}) {
    EXPECT_EQ(stealOutcome(Base::Second, 5, 0, season), Outcome::BlownCall) << season;
  }
  for (int season : {2016, 2025}) {
    EXPECT_EQ(stealOutcome(Base::Second, 5, 0, season), Outcome::HardSlide) << season;
  }
}

struct Band {
  int first, last;
  Outcome outcome;
};

void expectBands(Base base, int rating, const std::vector<Band>& bands) {
  int next = 0;
  for (const Band& band : bands) {
    ASSERT_EQ(band.first, next) << "bands must cover 0..99 without gaps";
    for (int roll = band.first; roll <= band.last; ++roll) {
      EXPECT_EQ(stealOutcome(base, rating, roll, kSeason), band.outcome)
          << nameOf(base) << " rating " << rating << " roll " << roll;
    }
    next = band.last + 1;
  }
  ASSERT_EQ(next, 100);
}

TEST(StealTable, RatingTenStealingSecondOverEveryBoundary) {
  expectBands(Base::Second, 10,
              {{0, 0, Outcome::BlownCall},
               {1, 2, Outcome::Collision},
               {3, 77, Outcome::SB},
               {78, 90, Outcome::SBE2},
               {91, 91, Outcome::Dropped},
               {92, 93, Outcome::Rundown},
               {94, 99, Outcome::CS}});
}

TEST(StealTable, RatingMinusThreeStealingSecondNeverSteals) {
  expectBands(Base::Second, -3,
              {{0, 0, Outcome::BlownCall},
               {1, 2, Outcome::Collision},
               {3, 3, Outcome::SBE2},
               {4, 4, Outcome::Dropped},
               {5, 6, Outcome::Rundown},
               {7, 99, Outcome::CS}});
}

TEST(StealTable, StealingHomeWithRatingTwoOrLower) {
  for (int rating = 2; rating >= kLowestRating; --rating) {
    SCOPED_TRACE(rating);
    expectBands(Base::Home, rating,
                {{0, 0, Outcome::BlownCall},
                 {1, 5, Outcome::Collision},
                 {6, 8, Outcome::Dropped},
                 {9, 16, Outcome::Rundown},
                 {17, 99, Outcome::CS}});
  }
}

// Outcomes the chart rules out: no throw into the outfield stealing home, no clean steal
// of home below rating 3, and none at all from the slowest rows of second and third.
TEST(StealTable, RuledOutOutcomesNeverOccur) {
  struct Case {
    Base base;
    int lowestRating, highestRating;
    Outcome never;
  };
  const Case cases[] = {
      {Base::Home, kLowestRating, kHighestRating, Outcome::SBE2},
      {Base::Home, kLowestRating, 2, Outcome::SB},
      {Base::Second, -3, -3, Outcome::SB},
      {Base::Third, -3, -2, Outcome::SB},
  };
  for (const Case& c : cases) {
    for (int rating = c.lowestRating; rating <= c.highestRating; ++rating) {
      for (int roll = 0; roll <= 99; ++roll) {
        EXPECT_NE(stealOutcome(c.base, rating, roll, kSeason), c.never)
            << nameOf(c.base) << " rating " << rating << " roll " << roll;
      }
    }
  }
  // The lowest rating that steals home cleanly does so from the first roll past the collisions.
  EXPECT_EQ(stealOutcome(Base::Home, 3, 6, kSeason), Outcome::SB);
  EXPECT_EQ(stealOutcome(Base::Home, 3, 8, kSeason), Outcome::Dropped);
}

// Every special result the chart offers is reachable, and every roll gives exactly one
// of the known words.
TEST(StealTable, EveryOutcomeHasItsWord) {
  std::set<Outcome> seen;
  for (Base base : kBases) {
    for (int rating = kLowestRating; rating <= kHighestRating; ++rating) {
      for (int roll = 0; roll <= 99; ++roll) {
        seen.insert(stealOutcome(base, rating, roll, 2015));
        seen.insert(stealOutcome(base, rating, roll, 2016));
      }
    }
  }
  EXPECT_EQ(seen.size(), 8u);
  const std::set<std::string> words = {"Blown Call", "Hard Slide", "Collision", "SB",
                                       "SB+E2",      "Dropped?",   "Rundown",   "CS"};
  std::set<std::string> found;
  for (Outcome outcome : seen) found.insert(std::string(outcomeWord(outcome)));
  EXPECT_EQ(found, words);
}

// The throw bands have one width on every row of a base: on second and third one roll is
// "Dropped?" and two are "Rundown"; at home three rolls are "Dropped?" and eight "Rundown".
TEST(StealTable, DroppedAndRundownBandsKeepTheirWidthOnEveryRow) {
  for (Base base : kBases) {
    const int droppedWidth = base == Base::Home ? 3 : 1;
    const int rundownWidth = base == Base::Home ? 8 : 2;
    for (int rating = kLowestRating; rating <= kHighestRating; ++rating) {
      int dropped = 0;
      int rundown = 0;
      for (int roll = 0; roll <= 99; ++roll) {
        const Outcome outcome = stealOutcome(base, rating, roll, kSeason);
        dropped += outcome == Outcome::Dropped;
        rundown += outcome == Outcome::Rundown;
      }
      EXPECT_EQ(dropped, droppedWidth) << nameOf(base) << " rating " << rating;
      EXPECT_EQ(rundown, rundownWidth) << nameOf(base) << " rating " << rating;
    }
  }
}

// Ratings off the chart read the nearest row instead of reading past the table.
TEST(StealTable, RatingsOffTheChartReadTheNearestRow) {
  for (Base base : kBases) {
    for (int roll = 0; roll <= 99; ++roll) {
      EXPECT_EQ(stealOutcome(base, 12, roll, kSeason), stealOutcome(base, 10, roll, kSeason));
      EXPECT_EQ(stealOutcome(base, -99, roll, kSeason), stealOutcome(base, -3, roll, kSeason));
    }
  }
}

TEST(StealThrow, ErrorRatingBoundsOverTheWholeRoll) {
  for (int roll = 1; roll <= 20; ++roll) {
    // Rating 20 blocks every wild throw and scoops every low one.
    EXPECT_EQ(throwResult(true, 20, roll), ThrowResult::ThrowBlocked) << roll;
    EXPECT_EQ(throwResult(false, 20, roll), ThrowResult::Scooped) << roll;
    // Rating 1 in the cold (-5): every wild throw reaches the outfield, every low one drops.
    EXPECT_EQ(throwResult(true, -5, roll), ThrowResult::ThrowIntoOutfield) << roll;
    EXPECT_EQ(throwResult(false, -5, roll), ThrowResult::Dropped) << roll;
  }
  // The rating itself is still a good throw or catch; one more is not.
  EXPECT_EQ(throwResult(true, 12, 12), ThrowResult::ThrowBlocked);
  EXPECT_EQ(throwResult(true, 12, 13), ThrowResult::ThrowIntoOutfield);
  EXPECT_EQ(throwResult(false, 12, 12), ThrowResult::Scooped);
  EXPECT_EQ(throwResult(false, 12, 13), ThrowResult::Dropped);
}

}  // namespace
}  // namespace vnt::steal
