#include <gtest/gtest.h>

#include <set>
#include <string>

#include "charts/baserunning/sending_runners_table.h"

namespace vnt::sending_runners {
namespace {

constexpr Outcome kColumns[] = {Outcome::SafePlus,  Outcome::SafeAdvance, Outcome::Safe,
                                Outcome::Collision, Outcome::Error,       Outcome::UnusualPlay,
                                Outcome::OutPlus,   Outcome::Out};

bool occurs(const Band& b) {
  return b.last >= b.first;
}

// Each row of the chart splits 1..20 into bands that follow one another in column order,
// without gaps or overlaps, and the lookup agrees with the bands.
TEST(SendingRunnersChart, EveryRowCoversOneToTwentyInColumnOrder) {
  for (int speed = kHighestSpeed; speed >= kLowestSpeed; --speed) {
    SCOPED_TRACE("speed " + std::to_string(speed));
    int next = kLowestRoll;
    for (Outcome column : kColumns) {
      const Band b = band(speed, column);
      if (!occurs(b)) continue;
      EXPECT_EQ(b.first, next);
      for (int roll = b.first; roll <= b.last; ++roll) EXPECT_EQ(outcome(speed, roll), column);
      next = b.last + 1;
    }
    EXPECT_EQ(next, kHighestRoll + 1);
  }
}

// "Collision!", "Error?" and "Unusual Play" take one roll each, right above "Safe".
TEST(SendingRunnersChart, SpecialResultsSitJustAboveSafe) {
  for (int speed = kHighestSpeed; speed >= kLowestSpeed; --speed) {
    SCOPED_TRACE("speed " + std::to_string(speed));
    const Band safe = band(speed, Outcome::Safe);
    const int collision = occurs(safe) ? safe.last + 1 : kLowestRoll;
    EXPECT_EQ(band(speed, Outcome::Collision).first, collision);
    EXPECT_EQ(band(speed, Outcome::Collision).last, collision);
    EXPECT_EQ(band(speed, Outcome::Error).first, collision + 1);
    EXPECT_EQ(band(speed, Outcome::Error).last, collision + 1);
    EXPECT_EQ(band(speed, Outcome::UnusualPlay).first, collision + 2);
    EXPECT_EQ(band(speed, Outcome::UnusualPlay).last, collision + 2);
  }
}

// A slower runner never does better on the same roll: catches rows out of place.
TEST(SendingRunnersChart, SlowerRunnerNeverReadsFurtherLeft) {
  for (int speed = kHighestSpeed; speed > kLowestSpeed; --speed) {
    for (int roll = kLowestRoll; roll <= kHighestRoll; ++roll) {
      EXPECT_LE(static_cast<int>(outcome(speed, roll)), static_cast<int>(outcome(speed - 1, roll)))
          << "speed " << speed << " roll " << roll;
    }
  }
}

TEST(SendingRunnersChart, EdgeRatings) {
  // 12: never out, 20 is the unusual play.
  for (int roll = kLowestRoll; roll <= kHighestRoll; ++roll) {
    EXPECT_NE(outcome(12, roll), Outcome::Out);
    EXPECT_NE(outcome(12, roll), Outcome::OutPlus);
  }
  EXPECT_EQ(outcome(12, 20), Outcome::UnusualPlay);

  // -1: nothing safe from the table.
  struct Case {
    int roll;
    Outcome expected;
  };
  for (const Case& c :
       {Case{1, Outcome::Collision}, Case{2, Outcome::Error}, Case{3, Outcome::UnusualPlay},
        Case{4, Outcome::OutPlus}, Case{9, Outcome::OutPlus}, Case{10, Outcome::Out},
        Case{20, Outcome::Out}}) {
    EXPECT_EQ(outcome(-1, c.roll), c.expected) << "roll " << c.roll;
  }

  // 0: safe only on 1, never with other runners advancing.
  EXPECT_EQ(outcome(0, 1), Outcome::Safe);
  for (int roll = kLowestRoll; roll <= kHighestRoll; ++roll) {
    EXPECT_NE(outcome(0, roll), Outcome::SafePlus);
    EXPECT_NE(outcome(0, roll), Outcome::SafeAdvance);
  }
}

// Ratings that the window cannot offer read as the nearest row rather than past the chart.
TEST(SendingRunnersChart, RatingsBeyondTheChartReadTheEdgeRows) {
  for (int roll = kLowestRoll; roll <= kHighestRoll; ++roll) {
    EXPECT_EQ(outcome(13, roll), outcome(12, roll));
    EXPECT_EQ(outcome(-2, roll), outcome(-1, roll));
  }
}

TEST(SendingRunnersChart, WordsAreDistinctAndOnlySettledResultsHaveSentences) {
  std::set<std::string_view> words;
  for (Outcome column : kColumns) words.insert(word(column));
  EXPECT_EQ(words.size(), std::size(kColumns));
  for (Outcome column : kColumns) {
    const bool needsAnotherStep =
        column == Outcome::Collision || column == Outcome::Error || column == Outcome::UnusualPlay;
    EXPECT_EQ(sentence(column).empty(), needsAnotherStep) << word(column);
    if (!needsAnotherStep) {
      EXPECT_EQ(sentence(column).substr(0, 3), " - ");
    }
  }
}

TEST(UnusualPlay, SecondRollBands) {
  for (int roll = 0; roll <= 9; ++roll) {
    const UnusualPlay expected = roll <= 2   ? UnusualPlay::Rundown
                                 : roll <= 6 ? UnusualPlay::BlownCall
                                             : UnusualPlay::Collision;
    EXPECT_EQ(unusualPlay(roll), expected) << "roll " << roll;
  }
}

TEST(UnusualPlay, BlownCallBecomesHardSlideIn2016) {
  struct Case {
    int season;
    std::string_view word;
    std::string_view consequence;
  };
  for (const Case& c : {Case{1972, "Blown Call", "ejected for arguing the call!"},
                        Case{2015, "Blown Call", "ejected for arguing the call!"},
                        Case{2016, "Hard Slide", "injured for today from the hard slide!"},
                        Case{2025, "Hard Slide", "injured for today from the hard slide!"}}) {
    SCOPED_TRACE(c.season);
    EXPECT_EQ(unusualPlayWord(UnusualPlay::BlownCall, c.season), c.word);
    EXPECT_EQ(unusualPlayWord(UnusualPlay::Rundown, c.season), "Rundown");
    EXPECT_EQ(unusualPlayWord(UnusualPlay::Collision, c.season), "Collision!");
    for (int roll = 0; roll <= 9; ++roll) {
      const CallResult call = blownCallOrHardSlide(roll, c.season);
      EXPECT_EQ(call.word, roll >= 5 ? "Out!" : "Safe!") << "roll " << roll;
      EXPECT_TRUE(call.sentence.ends_with(c.consequence)) << call.sentence;
      EXPECT_TRUE(call.sentence.starts_with(roll >= 5 ? " - Runner out" : " - Runner safe"));
    }
  }
}

TEST(ThrowError, LateUpToTheRatingWildAbove) {
  for (int roll = 1; roll <= 20; ++roll) {
    EXPECT_TRUE(throwIsLate(20, roll));   // the surest hands never throw it away
    EXPECT_FALSE(throwIsLate(-3, roll));  // rating 3 on a cold day
    EXPECT_EQ(throwIsLate(10, roll), roll <= 10);
  }
}

}  // namespace
}  // namespace vnt::sending_runners
