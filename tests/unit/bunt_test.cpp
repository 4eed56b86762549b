#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "charts/bunting/bunt_followups_table.h"
#include "charts/bunting/bunt_table.h"

namespace vnt::bunt {
namespace {

constexpr int kSurfaces[] = {kGrass, kTurf};

std::string nameOf(int surface) {
  return surface == kTurf ? "turf" : "grass";
}

// How many of the hundred rolls read each outcome.
std::map<Outcome, int> widths(int surface, int rating) {
  std::map<Outcome, int> counts;
  for (int roll = 0; roll <= 99; ++roll) ++counts[buntOutcome(surface, rating, roll)];
  return counts;
}

// Every roll of every row reads one outcome, and the bands come in the chart's order.
TEST(BuntTable, BandsFollowTheChartOrderOnEveryRow) {
  for (int surface : kSurfaces) {
    for (int rating = kWorstRating; rating <= kBestRating; ++rating) {
      Outcome previous = Outcome::DP;
      for (int roll = 0; roll <= 99; ++roll) {
        const Outcome outcome = buntOutcome(surface, rating, roll);
        EXPECT_GE(outcome, previous) << nameOf(surface) << " rating " << rating << " roll " << roll;
        previous = outcome;
      }
      EXPECT_EQ(buntOutcome(surface, rating, 0), Outcome::DP) << nameOf(surface) << rating;
    }
  }
}

// The last ten rolls are a tough play and the one before them a try for a hit, whatever the
// rating and the field.
TEST(BuntTable, TheTopOfTheChartIsTheSameOnEveryRow) {
  for (int surface : kSurfaces) {
    for (int rating = kWorstRating; rating <= kBestRating; ++rating) {
      EXPECT_EQ(buntOutcome(surface, rating, 89), Outcome::BeatOut) << nameOf(surface) << rating;
      for (int roll = 90; roll <= 99; ++roll) {
        EXPECT_EQ(buntOutcome(surface, rating, roll), Outcome::ToughPlay)
            << nameOf(surface) << " rating " << rating << " roll " << roll;
      }
    }
  }
}

// A worse bunter bunts into more double plays, loses the lead runner and strikes out more
// often, and gets fewer sacrifices and fewer tries for a hit; the error, lead-out and
// tough-play bands keep one width on every row of a field.
TEST(BuntTable, AWorseRatingShiftsRollsFromSacrificesToFailures) {
  for (int surface : kSurfaces) {
    for (int rating = kBestRating; rating > kWorstRating; --rating) {
      const auto better = widths(surface, rating);
      auto worse = widths(surface, rating - 1);
      const std::string where = nameOf(surface) + " rating " + std::to_string(rating - 1);
      EXPECT_GT(worse[Outcome::DP], better.at(Outcome::DP)) << where;
      EXPECT_GT(worse[Outcome::LeadRunner], better.at(Outcome::LeadRunner)) << where;
      EXPECT_EQ(worse[Outcome::Strikeout], better.at(Outcome::Strikeout) + 2) << where;
      EXPECT_LT(worse[Outcome::SH], better.at(Outcome::SH)) << where;
      EXPECT_LT(worse[Outcome::BeatOut], better.at(Outcome::BeatOut)) << where;
      EXPECT_EQ(worse[Outcome::Error], 5) << where;
      EXPECT_EQ(worse[Outcome::LeadOut], surface == kTurf ? 10 : 7) << where;
      EXPECT_EQ(worse[Outcome::ToughPlay], 10) << where;
    }
  }
}

// Popouts grow with a worse rating too, except that the worst bunter on grass never pops
// out: his double-play band takes those rolls.
TEST(BuntTable, PopoutsAndTheWorstBunterOnGrass) {
  for (int rating = kBestRating; rating > kWorstRating + 1; --rating) {
    EXPECT_GT(widths(kGrass, rating - 1)[Outcome::Popout], widths(kGrass, rating)[Outcome::Popout]);
  }
  for (int rating = kBestRating; rating > kWorstRating; --rating) {
    EXPECT_GT(widths(kTurf, rating - 1)[Outcome::Popout], widths(kTurf, rating)[Outcome::Popout]);
  }
  EXPECT_EQ(widths(kGrass, 1).count(Outcome::Popout), 0u);
  for (int roll = 10; roll <= 14; ++roll) {
    EXPECT_EQ(buntOutcome(kGrass, 1, roll), Outcome::DP) << roll;
    EXPECT_EQ(buntOutcome(kTurf, 1, roll), Outcome::Popout) << roll;
  }
  EXPECT_EQ(buntOutcome(kGrass, 1, 15), Outcome::LeadRunner);
}

// Every one of the nine words is read somewhere on each field.
TEST(BuntTable, EveryOutcomeOccursOnEachFieldWithItsWord) {
  const std::set<std::string> words = {"DP?", "Popout",    "Lead Runner", "Error?",    "Strikeout?",
                                       "SH",  "Lead Out?", "Beat Out?",   "Tough Play"};
  for (int surface : kSurfaces) {
    std::set<std::string> found;
    for (int rating = kWorstRating; rating <= kBestRating; ++rating) {
      for (int roll = 0; roll <= 99; ++roll) {
        found.insert(std::string(outcomeWord(buntOutcome(surface, rating, roll))));
      }
    }
    EXPECT_EQ(found, words) << nameOf(surface);
  }
}

// Ratings off the chart read the nearest row instead of reading past the table.
TEST(BuntTable, RatingsOffTheChartReadTheNearestRow) {
  for (int surface : kSurfaces) {
    for (int roll = 0; roll <= 99; ++roll) {
      EXPECT_EQ(buntOutcome(surface, 0, roll), buntOutcome(surface, 1, roll));
      EXPECT_EQ(buntOutcome(surface, 9, roll), buntOutcome(surface, 5, roll));
    }
  }
}

TEST(BuntFielder, EveryDieNamesOneOfFourFielders) {
  const std::string expected[] = {"Catcher",   "Catcher",   "FirstBase", "FirstBase", "FirstBase",
                                  "ThirdBase", "ThirdBase", "ThirdBase", "Pitcher",   "Pitcher"};
  for (int roll = 0; roll <= 9; ++roll) {
    EXPECT_EQ(fielderWord(fielderFor(roll)), expected[roll]) << roll;
  }
  EXPECT_EQ(fielderFor(1), kCatcher);
  EXPECT_EQ(fielderFor(2), kFirstBase);
  EXPECT_EQ(fielderFor(7), kThirdBase);
  EXPECT_EQ(fielderFor(8), kPitcher);
}

// The battery is always close in; a corner infielder only when his own box, "Corners In"
// or "Infield In" has him in. The other corner's box does not move him.
TEST(BuntFielder, WhoPlaysTheBuntCloseIn) {
  struct Case {
    DrawnIn defense;
    bool pitcherAndCatcher, firstBase, thirdBase;
  };
  const Case cases[] = {
      {{}, true, false, false},
      {{.infieldIn = true}, true, true, true},
      {{.cornersIn = true}, true, true, true},
      {{.firstBaseIn = true}, true, true, false},
      {{.thirdBaseIn = true}, true, false, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(fielderCloseIn(kPitcher, c.defense), c.pitcherAndCatcher);
    EXPECT_EQ(fielderCloseIn(kCatcher, c.defense), c.pitcherAndCatcher);
    EXPECT_EQ(fielderCloseIn(kFirstBase, c.defense), c.firstBase);
    EXPECT_EQ(fielderCloseIn(kThirdBase, c.defense), c.thirdBase);
  }
}

TEST(BuntRating, EachStepDownStopsAtTheLastRow) {
  EXPECT_EQ(lowerRating(5), 4);
  EXPECT_EQ(lowerRating(2), 1);
  EXPECT_EQ(lowerRating(1), 1);
  // A squeeze and a fielder close in together: 5 becomes 3, 2 and 1 both become 1.
  EXPECT_EQ(lowerRating(lowerRating(5)), 3);
  EXPECT_EQ(lowerRating(lowerRating(2)), 1);
  EXPECT_EQ(lowerRating(lowerRating(1)), 1);
}

TEST(BuntFollowUps, BeatOutIsSafeUpToTheSpeed) {
  for (int roll = 1; roll <= 10; ++roll) {
    EXPECT_TRUE(beatsItOut(10, roll)) << roll;
    EXPECT_FALSE(beatsItOut(0, roll)) << roll;
    EXPECT_TRUE(beatsItOut(roll, roll)) << roll;
    EXPECT_FALSE(beatsItOut(roll - 1, roll)) << roll;
  }
}

// Close in the fielder takes 4 off the lead runner's speed, with no floor; a runner of
// speed 4 or less is then always out.
TEST(BuntFollowUps, LeadRunnerSpeedAndRoll) {
  EXPECT_EQ(leadRunnerSpeed(7, false), 7);
  EXPECT_EQ(leadRunnerSpeed(7, true), 3);
  EXPECT_EQ(leadRunnerSpeed(0, true), -4);
  for (int speed = 0; speed <= 4; ++speed) {
    for (int roll = 1; roll <= 10; ++roll) {
      EXPECT_FALSE(leadRunnerSafe(leadRunnerSpeed(speed, true), roll)) << speed << " " << roll;
    }
  }
  EXPECT_TRUE(leadRunnerSafe(leadRunnerSpeed(9, true), 5));
  EXPECT_FALSE(leadRunnerSafe(leadRunnerSpeed(9, true), 6));
}

TEST(BuntFollowUps, StrikeoutBandsInOrderAndByGroup) {
  std::map<Strikeout, int> previousWidths;
  for (int group = 0; group < kK9Groups; ++group) {
    std::map<Strikeout, int> counts;
    Strikeout previous = Strikeout::K;
    for (int roll = 0; roll <= 99; ++roll) {
      const Strikeout outcome = strikeout(group, roll);
      EXPECT_GE(outcome, previous) << "group " << group << " roll " << roll;
      previous = outcome;
      ++counts[outcome];
    }
    // Fewer strikeouts per nine innings: never more "K", never fewer "SH".
    if (group > 0) {
      EXPECT_LT(counts[Strikeout::K], previousWidths[Strikeout::K]) << group;
      EXPECT_GE(counts[Strikeout::SH], previousWidths[Strikeout::SH]) << group;
    }
    previousWidths = counts;
  }
  // The hardest throwers: "> 9.9" always strikes out, "8.0 - 9.9" never gives up the bunt.
  for (int roll = 0; roll <= 99; ++roll) {
    EXPECT_EQ(strikeout(0, roll), Strikeout::K) << roll;
    EXPECT_NE(strikeout(1, roll), Strikeout::SH) << roll;
  }
  EXPECT_EQ(strikeoutWord(Strikeout::K), "K");
  EXPECT_EQ(strikeoutWord(Strikeout::Miss), "Miss");
  EXPECT_EQ(strikeoutWord(Strikeout::SH), "SH");
}

// The roll must stay strictly below the rating: a roll equal to it is an error.
TEST(BuntFollowUps, TheThrowNeedsARollBelowTheRating) {
  for (int roll = 1; roll <= 19; ++roll) EXPECT_TRUE(throwGetsLeadRunner(20, roll)) << roll;
  EXPECT_FALSE(throwGetsLeadRunner(20, 20));
  EXPECT_FALSE(throwGetsLeadRunner(10, 10));
  EXPECT_TRUE(throwGetsLeadRunner(10, 9));
  // Rating 6 in the cold is 0: every throw is an error.
  for (int roll = 1; roll <= 20; ++roll) {
    EXPECT_FALSE(throwGetsLeadRunner(6 - kColdPenalty, roll)) << roll;
  }
}

}  // namespace
}  // namespace vnt::bunt
