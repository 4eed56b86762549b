// The outfield range chart read for every roll: its shape, its bands and the cases that
// sit on their edges.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "charts/fielding/outfield_range_table.h"
#include "shell/form2.h"
#include "tests/unit/test_support.h"

namespace vnt::outfield {
namespace {

constexpr Group kGroups[] = {Group::DownTheLine, Group::OverTheHead, Group::IntoTheGap,
                             Group::TexasLeaguer, Group::ShallowBlooper};

const Location& at(std::string_view text) {
  const int row = locationRowOf(text);
  EXPECT_NE(row, -1) << text;
  return kLocations.at(static_cast<std::size_t>(std::max(row, 0)));
}

// ---- Location chart ----------------------------------------------------------------

TEST(OutfieldLocation, EachColumnCoversEveryRollOnceInRowOrder) {
  for (int style = 0; style < kBattingStyles; ++style) {
    SCOPED_TRACE("batting style " + std::to_string(style));
    int next = kLowestRoll;  // the roll the next used row must start at
    for (int row = 0; row < kLocationCount; ++row) {
      const auto band = locationBand(row, style);
      if (!band) continue;
      EXPECT_EQ(band->low, next) << "row " << row;
      EXPECT_LE(band->low, band->high) << "row " << row;
      next = band->high + 1;
    }
    EXPECT_EQ(next, kHighestRoll + 1);

    for (int roll = kLowestRoll; roll <= kHighestRoll; ++roll) {
      int holders = 0;
      for (int row = 0; row < kLocationCount; ++row) {
        const auto band = locationBand(row, style);
        if (band && roll >= band->low && roll <= band->high) ++holders;
      }
      EXPECT_EQ(holders, 1) << "roll " << roll;
      const int row = locationRow(style, roll);
      ASSERT_NE(row, -1) << "roll " << roll;
      const auto band = locationBand(row, style);
      ASSERT_TRUE(band);
      EXPECT_TRUE(roll >= band->low && roll <= band->high);
    }
  }
}

TEST(OutfieldLocation, SkippedCellsNeverComeUp) {
  struct Case {
    int style;
    std::string_view text;
  };
  for (const Case& c : {Case{3, "Shallow Blooper RF"}, Case{1, "Shallow Blooper LF"}}) {
    const int row = locationRowOf(c.text);
    EXPECT_FALSE(locationBand(row, c.style)) << c.text;
    for (int roll = kLowestRoll; roll <= kHighestRoll; ++roll) {
      EXPECT_NE(locationRow(c.style, roll), row) << c.text << " at " << roll;
    }
  }
}

TEST(OutfieldLocation, EdgeRolls) {
  struct Case {
    int style;
    int roll;
    std::string_view text;
  };
  const Case cases[] = {
      {0, 0, "Down the Line RF"},    {0, 91, "Shallow Blooper 1B"}, {0, 99, "Shallow Blooper 3B"},
      {0, 86, "Shallow Blooper LF"}, {1, 90, "Down the Line LF"},   {1, 96, "Shallow Blooper 1B"},
      {2, 93, "Shallow Blooper SS"}, {3, 0, "Down the Line RF"},    {3, 1, "Over the Head RF"},
      {3, 94, "Shallow Blooper 3B"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(locationRow(c.style, c.roll), locationRowOf(c.text)) << c.style << "/" << c.roll;
  }
  EXPECT_EQ(locationRow(-1, 50), -1);
  EXPECT_EQ(locationRow(4, 50), -1);
  EXPECT_EQ(locationRow(0, 100), -1);
}

TEST(OutfieldLocation, TextsAreUniqueAndNameTheirFielder) {
  std::set<std::string_view> seen;
  for (const Location& location : kLocations) {
    EXPECT_TRUE(seen.insert(location.text).second) << location.text;
    const std::string_view abbreviation = fielderAbbreviation(location.fielder);
    ASSERT_FALSE(abbreviation.empty()) << location.text;
    // The gaps between fielders belong to centre field.
    const bool gap = location.text == "Into the Gap LCF" || location.text == "Into the Gap RCF";
    EXPECT_TRUE(location.text.ends_with(gap ? std::string("CF") : " " + std::string(abbreviation)))
        << location.text;
  }
  // Infield bloopers are the only infield balls.
  for (const Location& location : kLocations) {
    if (location.fielder < kLF) {
      EXPECT_EQ(location.group, Group::ShallowBlooper) << location.text;
    }
  }
  EXPECT_EQ(locationRowOf("Down the Line "), -1);
}

// ---- Result chart --------------------------------------------------------------------

// The results a group can give, in the order the chart tries them.
std::vector<Result> chartOrder(Group group) {
  switch (group) {
    case Group::DownTheLine:
      return {Result::RunningCatch, Result::CutOff, Result::IntoTheCorner};
    case Group::OverTheHead:
      return {Result::RunningCatch, Result::OffTheWall};
    case Group::IntoTheGap:
      return {Result::RunningCatch, Result::CutOff, Result::ToTheWall};
    case Group::TexasLeaguer:
      return {Result::RunningCatch, Result::BouncesPast, Result::FallsIn};
    case Group::ShallowBlooper:
      return {Result::RunningCatch, Result::FallsIn};
  }
  return {};
}

int orderOf(Group group, Result result) {
  const auto order = chartOrder(group);
  const auto it = std::find(order.begin(), order.end(), result);
  return it == order.end() ? -1 : static_cast<int>(it - order.begin());
}

TEST(OutfieldResult, EachRowGivesOneResultPerRollInChartOrder) {
  for (Group group : kGroups) {
    for (int surface : {kGrass, kTurf}) {
      for (int rating = 0; rating < kRatings; ++rating) {
        SCOPED_TRACE(::testing::Message() << "group " << static_cast<int>(group) << " surface "
                                          << surface << " rating " << rating);
        int previous = 0;
        for (int roll = kLowestRoll; roll <= kHighestRoll; ++roll) {
          const int order = orderOf(group, playResult(group, surface, rating, roll));
          ASSERT_NE(order, -1) << "roll " << roll;
          EXPECT_GE(order, previous) << "roll " << roll;  // bands never come back
          previous = order;
        }
        // A Running Catch is always possible, and at 99 it is never one (every limit < 100).
        EXPECT_EQ(playResult(group, surface, rating, 0), Result::RunningCatch);
        EXPECT_NE(playResult(group, surface, rating, kHighestRoll), Result::RunningCatch);
      }
    }
  }
}

TEST(OutfieldResult, ABetterFielderNeverDoesWorse) {
  for (Group group : kGroups) {
    for (int surface : {kGrass, kTurf}) {
      for (int roll = kLowestRoll; roll <= kHighestRoll; ++roll) {
        for (int rating = 1; rating < kRatings; ++rating) {
          EXPECT_LE(orderOf(group, playResult(group, surface, rating - 1, roll)),
                    orderOf(group, playResult(group, surface, rating, roll)))
              << static_cast<int>(group) << "/" << surface << "/" << rating << "/" << roll;
        }
      }
    }
  }
}

TEST(OutfieldResult, NoCutOffOnTurfBelowFair) {
  for (Group group : {Group::DownTheLine, Group::IntoTheGap}) {
    for (int rating = 4; rating < kRatings; ++rating) {
      for (int roll = kLowestRoll; roll <= kHighestRoll; ++roll) {
        EXPECT_NE(playResult(group, kTurf, rating, roll), Result::CutOff) << rating << "/" << roll;
      }
    }
  }
}

TEST(OutfieldResult, BandEdges) {
  struct Case {
    Group group;
    int surface;
    int rating;
    int from;
    int to;
    Result result;
  };
  const Case cases[] = {
      // SP on grass down the line: the ball never reaches the corner.
      {Group::DownTheLine, kGrass, 0, 0, 82, Result::RunningCatch},
      {Group::DownTheLine, kGrass, 0, 83, 99, Result::CutOff},
      {Group::DownTheLine, kTurf, 0, 83, 96, Result::CutOff},
      {Group::DownTheLine, kTurf, 0, 97, 99, Result::IntoTheCorner},
      {Group::IntoTheGap, kTurf, 4, 0, 22, Result::RunningCatch},
      {Group::IntoTheGap, kTurf, 4, 23, 99, Result::ToTheWall},
      {Group::IntoTheGap, kTurf, 3, 38, 38, Result::CutOff},
      {Group::IntoTheGap, kTurf, 3, 39, 39, Result::ToTheWall},
      {Group::TexasLeaguer, kGrass, 6, 0, 10, Result::RunningCatch},
      {Group::TexasLeaguer, kGrass, 6, 11, 20, Result::BouncesPast},
      {Group::TexasLeaguer, kTurf, 6, 21, 99, Result::FallsIn},
      {Group::ShallowBlooper, kGrass, 0, 0, 92, Result::RunningCatch},
      {Group::ShallowBlooper, kTurf, 0, 93, 99, Result::FallsIn},
      {Group::OverTheHead, kGrass, 6, 0, 2, Result::RunningCatch},
      {Group::OverTheHead, kTurf, 6, 3, 99, Result::OffTheWall},
  };
  for (const Case& c : cases) {
    for (int roll = c.from; roll <= c.to; ++roll) {
      EXPECT_EQ(playResult(c.group, c.surface, c.rating, roll), c.result)
          << static_cast<int>(c.group) << "/" << c.surface << "/" << c.rating << "/" << roll;
    }
  }
}

TEST(OutfieldResult, OutfieldInReplacesEveryRollButDownTheLine) {
  for (Group group : kGroups) {
    for (int rating = 0; rating < kRatings; ++rating) {
      for (int roll = kLowestRoll; roll <= kHighestRoll; ++roll) {
        const Result normal = playResult(group, kGrass, rating, roll);
        const Result in = withOutfieldIn(group, normal);
        switch (group) {
          case Group::DownTheLine:
            EXPECT_EQ(in, normal);
            break;
          case Group::OverTheHead:
          case Group::IntoTheGap:
            EXPECT_EQ(in, Result::GameWinningSingle);
            break;
          case Group::TexasLeaguer:
          case Group::ShallowBlooper:
            EXPECT_EQ(in, Result::CaughtRunnersHold);
            break;
        }
      }
    }
  }
}

// ---- Ballpark adjustment -------------------------------------------------------------

TEST(OutfieldRating, BallparksAdjustAndClamp) {
  struct Case {
    int rating;
    std::string_view ballpark;
    std::string_view location;
    bool warmDay;
    int expected;
  };
  const Case cases[] = {
      {2, "Colorado", "Into the Gap RF", false, 5},  // AV -> PR
      {4, "Colorado", "Into the Gap RF", false, 6},  // MD -> WK, held at WK
      {6, "Colorado", "Down the Line LF", true, 6},
      {2, "Chicago NL", "Over the Head CF", false, 2},  // a cool day changes nothing
      {2, "Chicago NL", "Over the Head CF", true, 4},
      {5, "Chicago NL", "Over the Head CF", true, 6},
      {1, "Boston", "Over the Head CF", false, 3},
      {1, "Boston", "Over the Head LF", false, 3},
      {1, "Boston", "Over the Head RF", false, 1},
      {1, "Boston", "Shallow Blooper LF", false, 0},  // VG -> SP
      {0, "Boston", "Shallow Blooper LF", false, 0},  // held at SP
      {5, "Boston", "Over the Head LF", false, 6},
      {1, "Boston", "Shallow Blooper CF", true, 1},
      {3, "Arizona", "Over the Head CF", true, 3},
      // Names count only exactly as written.
      {2, "colorado", "Into the Gap RF", false, 2},
      {2, "Colorado ", "Into the Gap RF", false, 2},
      {2, "Chicago AL", "Into the Gap RF", true, 2},
      {1, "Boston", "Over the Head CF ", false, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(adjustRating(c.rating, c.ballpark, c.location, c.warmDay), c.expected)
        << c.rating << " at '" << c.ballpark << "' " << c.location;
  }
}

TEST(OutfieldRating, Captions) {
  const std::string_view expected[] = {"SP", "VG", "AV", "FR", "MD", "PR", "WK"};
  for (int rating = 0; rating < kRatings; ++rating) {
    EXPECT_EQ(ratingCaption(rating), expected[rating]);
  }
  EXPECT_TRUE(ratingCaption(-1).empty());
  EXPECT_TRUE(ratingCaption(7).empty());
}

// ---- Explanations ------------------------------------------------------------------

TEST(OutfieldExplanation, RunningCatchDependsOnWhereAndTheOutfield) {
  struct Case {
    std::string_view location;
    bool outfieldIn;
    std::string_view text;
  };
  constexpr std::string_view kScores = "Runner on third scores";
  constexpr std::string_view kScoresSpeed =
      "Runner on third scores, runner on 2nd may try for third if Speed > 7";
  constexpr std::string_view kAttempt = "Runner on third can attempt to score";
  constexpr std::string_view kHead = "Runner on third scores, runner on 2nd may try for third";
  constexpr std::string_view kHold =
      "Runners hold, unless Hit and Run, where runners are doubled or tripled off base as they "
      "can not get back in time";
  const Case cases[] = {
      {"Down the Line LF", false, kScores},     {"Into the Gap LF", false, kScores},
      {"Into the Gap LCF", false, kScores},     {"Down the Line RF", false, kScoresSpeed},
      {"Into the Gap RF", false, kScoresSpeed}, {"Into the Gap RCF", false, kScoresSpeed},
      {"Down the Line LF", true, kAttempt},     {"Down the Line RF", true, kAttempt},
      {"Over the Head LF", false, kHead},       {"Over the Head CF", false, kHead},
      {"Over the Head RF", false, kHead},       {"Texas Leaguer CF", false, kHold},
      {"Shallow Blooper 2B", false, kHold},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(explanation(Result::RunningCatch, at(c.location), kGrass, c.outfieldIn), c.text)
        << c.location;
  }
}

TEST(OutfieldExplanation, EveryResultOfEveryLocationHasItsText) {
  // Only the two outfield-in words stand alone.
  for (const Location& location : kLocations) {
    for (int surface : {kGrass, kTurf}) {
      for (int rating = 0; rating < kRatings; ++rating) {
        for (int roll = kLowestRoll; roll <= kHighestRoll; ++roll) {
          for (bool in : {false, true}) {
            Result result = playResult(location.group, surface, rating, roll);
            if (in) result = withOutfieldIn(location.group, result);
            const bool alone =
                result == Result::GameWinningSingle || result == Result::CaughtRunnersHold;
            EXPECT_EQ(explanation(result, location, surface, in).empty(), alone)
                << location.text << " " << resultWord(result);
          }
        }
      }
    }
  }
}

TEST(OutfieldExplanation, FielderAndSurfaceTexts) {
  EXPECT_EQ(explanation(Result::IntoTheCorner, at("Down the Line RF"), kTurf, false),
            "Batter doubles and can stretch if Speed > 4.  Runner on first may attempt to score.");
  EXPECT_EQ(explanation(Result::IntoTheCorner, at("Down the Line LF"), kTurf, false),
            "Batter doubles and can stretch if Speed > 7.  Runner on first may attempt to score.");
  EXPECT_EQ(explanation(Result::OffTheWall, at("Over the Head CF"), kGrass, false),
            "Batter triples and can stretch if Speed > 7.  All runners score.");
  EXPECT_EQ(explanation(Result::OffTheWall, at("Over the Head RF"), kGrass, false),
            "Batter doubles and can stretch.  All runners score.");
  EXPECT_EQ(explanation(Result::BouncesPast, at("Texas Leaguer LF"), kGrass, false),
            "Ball gets by fielder!\rBatter credited with a double and can stretch.  All runners "
            "score.");
  EXPECT_EQ(explanation(Result::BouncesPast, at("Texas Leaguer LF"), kTurf, false),
            "Ball gets by fielder!\rBatter credited with a triple and can stretch.  All runners "
            "score.");
}

// ---- The window -----------------------------------------------------------------------

// The result roll settles only a ball this chart located: with the infield chart's words
// left in HitLocation nothing is rolled, asked or changed.
TEST(OutfieldWindow, ResultWithoutAnOutfieldLocationDoesNothing) {
  testing::QueuedDice dice;
  testing::FakeDialogs dialogs;
  Form2 form{dice, dialogs};
  form.HitLocation = "In the Hole ";
  form.cmdCancel.caption = "&Cancel";
  form.cmdOFRResult.visible = true;
  form.optRange[2].value = true;
  form.cmdOFRResult_Click();
  EXPECT_TRUE(dice.draws.empty());
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(form.cmdCancel.caption, "&Cancel");
  EXPECT_TRUE(form.cmdOFRResult.visible);
}

}  // namespace
}  // namespace vnt::outfield
