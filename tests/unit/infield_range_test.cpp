#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "charts/fielding/infield_defense.h"
#include "charts/fielding/infield_range_table.h"
#include "shell/form2.h"
#include "tests/unit/test_support.h"

namespace vnt::infield_range {
namespace {

constexpr std::array kAllColumns = {Column::LSP, Column::LP,         Column::RSP,
                                    Column::RP,  Column::HitAndRunL, Column::HitAndRunR};
constexpr std::array kAllLocations = {Location::DownTheLine, Location::Ripped, Location::OffTheEnd,
                                      Location::InTheHole, Location::UpTheMiddle};
constexpr std::array kAllFielders = {kPitcher, kFirstBase, kSecondBase, kThirdBase, kShortstop};

std::string columnName(Column c) {
  static const char* const names[] = {"LSP", "LP", "RSP", "RP", "H&R L", "H&R R"};
  return names[static_cast<int>(c)];
}

// ---- Location table ------------------------------------------------------------------

// Each column uses its rows in the chart's order, one after another from 00 to 99, with
// neither gaps nor overlaps; and the lookup gives the row that holds the roll.
TEST(InfieldRangeLocation, EveryColumnCoversEachRollOnceInRowOrder) {
  const auto& table = locationTable();
  for (const Column column : kAllColumns) {
    SCOPED_TRACE(columnName(column));
    const auto c = static_cast<std::size_t>(column);
    int next = 0;
    for (const LocationRow& row : table) {
      const Band band = row.bands[c];
      if (!band.used()) continue;
      EXPECT_EQ(band.lo, next) << locationText(row.location, row.fielder);
      EXPECT_LE(band.lo, band.hi);
      next = band.hi + 1;
    }
    EXPECT_EQ(next, kRollCount);

    for (int roll = 0; roll < kRollCount; ++roll) {
      int holders = 0;
      const LocationRow* holder = nullptr;
      for (const LocationRow& row : table) {
        if (row.bands[c].holds(roll)) {
          ++holders;
          holder = &row;
        }
      }
      ASSERT_EQ(holders, 1) << "roll " << roll;
      const Spot spot = locate(column, roll);
      EXPECT_EQ(spot.location, holder->location) << "roll " << roll;
      EXPECT_EQ(spot.fielder, holder->fielder) << "roll " << roll;
    }
  }
}

// Only the five infielders play these balls; every row names a distinct place.
TEST(InfieldRangeLocation, RowsNameInfieldersAndDistinctPlaces) {
  std::set<std::string> places;
  for (const LocationRow& row : locationTable()) {
    EXPECT_FALSE(fielderAbbreviation(row.fielder).empty()) << row.fielder;
    EXPECT_NE(row.fielder, 2) << "the catcher never plays a ball of this chart";
    EXPECT_TRUE(places.insert(locationText(row.location, row.fielder)).second);
  }
}

TEST(InfieldRangeLocation, ColumnFollowsStyleAndHitAndRun) {
  struct Case {
    int style;
    bool hitAndRun;
    Column column;
  };
  const Case cases[] = {
      {0, false, Column::LSP},       {1, false, Column::LP},        {2, false, Column::RSP},
      {3, false, Column::RP},        {0, true, Column::HitAndRunL}, {1, true, Column::HitAndRunL},
      {2, true, Column::HitAndRunR}, {3, true, Column::HitAndRunR},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(locationColumn(c.style, c.hitAndRun), c.column)
        << "style " << c.style << " hit and run " << c.hitAndRun;
  }
}

TEST(InfieldRangeLocation, ChartCorners) {
  struct Case {
    Column column;
    int roll;
    const char* text;
  };
  const Case cases[] = {
      {Column::LSP, 99, "Down the Line 3B"},      {Column::LSP, 53, "Ripped! P"},
      {Column::LSP, 0, "Down the Line 1B"},       {Column::RP, 0, "Off the End 1B"},
      {Column::RP, 99, "Down the Line 3B"},       {Column::LP, 99, "Off the End 3B"},
      {Column::HitAndRunL, 70, "In the Hole SS"}, {Column::HitAndRunR, 99, "Ripped! 3B"},
  };
  for (const Case& c : cases) {
    const Spot spot = locate(c.column, c.roll);
    EXPECT_EQ(locationText(spot.location, spot.fielder), c.text)
        << columnName(c.column) << " roll " << c.roll;
  }
}

// Places a column never gives: RP never goes down the first-base line, and the hit and
// run never sends the ball up the middle.
TEST(InfieldRangeLocation, PlacesAColumnNeverGives) {
  const std::vector<std::pair<Column, std::string>> never = {
      {Column::RP, "Down the Line 1B"},
      {Column::RP, "Ripped! 1B"},
      {Column::LP, "Ripped! P"},
      {Column::LP, "Down the Line 3B"},
      {Column::HitAndRunL, "Up the Middle 2B"},
      {Column::HitAndRunL, "Up the Middle SS"},
      {Column::HitAndRunL, "Up the Middle P"},
      {Column::HitAndRunR, "Up the Middle P"},
      {Column::HitAndRunR, "Down the Line 3B"},
      {Column::HitAndRunL, "In the Hole 3B"},
  };
  for (const auto& [column, text] : never) {
    for (int roll = 0; roll < kRollCount; ++roll) {
      const Spot spot = locate(column, roll);
      EXPECT_NE(locationText(spot.location, spot.fielder), text)
          << columnName(column) << " roll " << roll;
    }
  }
}

TEST(InfieldRangeLocation, DoublePlayDieGivesPlaceByFielder) {
  for (const std::int16_t fielder : kAllFielders) {
    const bool corner = fielder == kFirstBase || fielder == kThirdBase;
    for (int roll = 0; roll < kDoublePlayRolls; ++roll) {
      const Location expected = roll >= 8   ? Location::Ripped
                                : roll >= 4 ? Location::InTheHole
                                : corner    ? Location::DownTheLine
                                            : Location::UpTheMiddle;
      EXPECT_EQ(doublePlayLocation(fielder, roll), expected)
          << "fielder " << fielder << " roll " << roll;
    }
  }
  EXPECT_EQ(locationText(doublePlayLocation(kPitcher, 2), kPitcher), "Up the Middle P");
  EXPECT_EQ(locationText(doublePlayLocation(kFirstBase, 2), kFirstBase), "Down the Line 1B");
}

// HitLocation carries the words from one click to the next: each location's words name it
// again, blank and all, and nothing else does (the outfield chart leaves its own texts there).
TEST(InfieldRangeLocation, WordsNameTheirLocationExactly) {
  for (const Location location : kAllLocations) {
    const std::string_view words = locationWords(location);
    ASSERT_TRUE(words.ends_with(' ')) << words;
    EXPECT_EQ(locationNamed(words), location) << words;
    EXPECT_FALSE(locationNamed(words.substr(0, words.size() - 1))) << words;
  }
  for (const char* other : {"", "Over the Head CF", "In the Hole SS", "down the line "}) {
    EXPECT_FALSE(locationNamed(other)) << other;
  }
}

// ---- Range adjustment ----------------------------------------------------------------

Situation at(int fielder, Location location, std::initializer_list<int> boxes = {},
             bool hitAndRun = false, int style = 0) {
  Situation s;
  s.fielder = fielder;
  s.location = location;
  for (const int box : boxes) s.boxes[static_cast<std::size_t>(box)] = true;
  s.hitAndRun = hitAndRun;
  s.battingStyle = style;
  return s;
}

TEST(InfieldRangeAdjustment, AlignmentHitAndRunAndClamping) {
  using namespace vnt::infield;
  using L = Location;
  struct Case {
    const char* what;
    int rating;
    Situation situation;
    int expected;
  };
  const Case cases[] = {
      {"infield in, pitcher", 2, at(kPitcher, L::UpTheMiddle, {kInfieldIn}), 2},
      {"infield in, first", 2, at(kFirstBase, L::InTheHole, {kInfieldIn}), 4},
      {"infield in, short", 2, at(kShortstop, L::Ripped, {kInfieldIn}), 4},
      {"corners in, third", 1, at(kThirdBase, L::OffTheEnd, {kCornersIn}), 3},
      {"corners in, second", 1, at(kSecondBase, L::OffTheEnd, {kCornersIn}), 1},
      {"3B guards line, down the line, SP stays SP", 0,
       at(kThirdBase, L::DownTheLine, {k3BGuardsLine}), 0},
      {"3B guards line, down the line", 3, at(kThirdBase, L::DownTheLine, {k3BGuardsLine}), 1},
      {"3B guards line, in the hole", 3, at(kThirdBase, L::InTheHole, {k3BGuardsLine}), 5},
      {"3B guards line, off the end", 3, at(kThirdBase, L::OffTheEnd, {k3BGuardsLine}), 3},
      {"3B holds runner, down the line", 3, at(kThirdBase, L::DownTheLine, {k3BHoldsRunner}), 2},
      {"1B holds runner, down the line", 3, at(kFirstBase, L::DownTheLine, {k1BHoldsRunner}), 2},
      {"1B holds runner, in the hole", 3, at(kFirstBase, L::InTheHole, {k1BHoldsRunner}), 5},
      {"1B holds runner, ball at second", 3, at(kSecondBase, L::InTheHole, {k1BHoldsRunner}), 3},
      {"1B guards line, down the line", 3, at(kFirstBase, L::DownTheLine, {k1BGuardsLine}), 1},
      {"1B in", 3, at(kFirstBase, L::Ripped, {k1BIn}), 5},
      {"SS holds runner, up the middle", 3, at(kShortstop, L::UpTheMiddle, {kSSHoldsRunner}), 1},
      {"SS holds runner, in the hole", 3, at(kShortstop, L::InTheHole, {kSSHoldsRunner}), 5},
      {"2B holds runner, up the middle", 3, at(kSecondBase, L::UpTheMiddle, {k2BHoldsRunner}), 1},
      {"2B in and SS holds, ball at second", 3,
       at(kSecondBase, L::OffTheEnd, {k2BIn, kSSHoldsRunner}), 5},
      {"WK stays WK", 6, at(kThirdBase, L::InTheHole, {k3BIn}), 6},
      {"3B in and guards: both apply, clamped", 5,
       at(kThirdBase, L::InTheHole, {k3BIn, k3BGuardsLine}), 6},
      {"H&R, L, short, in the hole", 2, at(kShortstop, L::InTheHole, {}, true, 1), 4},
      {"H&R, R, short, in the hole", 2, at(kShortstop, L::InTheHole, {}, true, 2), 2},
      {"H&R, R, second, in the hole", 2, at(kSecondBase, L::InTheHole, {}, true, 3), 4},
      {"H&R, L, second, up the middle", 2, at(kSecondBase, L::UpTheMiddle, {}, true, 0), 2},
      {"H&R, L, short, up the middle", 2, at(kShortstop, L::UpTheMiddle, {}, true, 0), 0},
      {"H&R, R, second, up the middle", 1, at(kSecondBase, L::UpTheMiddle, {}, true, 2), 0},
      {"SS in and the hit and run both apply", 1, at(kShortstop, L::InTheHole, {kSSIn}, true, 0),
       5},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(adjustedRating(c.rating, c.situation), c.expected) << c.what;
  }
}

// With the infield in for a double play only the +2 applies, whatever else is checked.
TEST(InfieldRangeAdjustment, DoublePlayDepthIsTwoWorseAndNothingElse) {
  for (const std::int16_t fielder : kAllFielders) {
    for (const Location location : kAllLocations) {
      Situation s = at(fielder, location,
                       {infield::k3BGuardsLine, infield::k1BGuardsLine, infield::kSSHoldsRunner,
                        infield::k2BHoldsRunner},
                       true, 0);
      s.doublePlayIn = true;
      for (int rating = 0; rating < kRatingCount; ++rating) {
        EXPECT_EQ(adjustedRating(rating, s), std::min(rating + 2, kRatingCount - 1));
      }
    }
  }
}

// ---- Result roll -----------------------------------------------------------------------

// How good a result is for the defence; a better range never does worse on the same roll.
int defenceRank(Result r) {
  switch (r) {
    case Result::DivingStop:
    case Result::Snagged:
      return 0;
    case Result::CloseCall:
    case Result::Toss:
      return 1;
    case Result::KeptInInfield:
      return 2;
    case Result::GoesPast:
      return 3;
  }
  return 4;
}

std::string where(int surface, Location location, int rating) {
  return std::string(surface == 1 ? "turf " : "grass ") + std::string(locationWords(location)) +
         std::string(ratingName(rating));
}

// Each row of the result chart covers 00..99 once, its words in the chart's order; each
// location gives only its own words.
TEST(InfieldRangeResult, EveryRollGivesOneWordInChartOrder) {
  for (int surface = 0; surface <= 1; ++surface) {
    for (const Location location : kAllLocations) {
      for (int rating = 0; rating < kRatingCount; ++rating) {
        SCOPED_TRACE(where(surface, location, rating));
        int lastRank = 0;
        for (int roll = 0; roll < kRollCount; ++roll) {
          const Result r = fieldResult(surface, location, rating, roll);
          EXPECT_GE(defenceRank(r), lastRank) << "roll " << roll;
          lastRank = defenceRank(r);
          if (location == Location::Ripped) {
            EXPECT_TRUE(r == Result::Snagged || r == Result::GoesPast) << "roll " << roll;
            continue;
          }
          EXPECT_NE(r, Result::Snagged) << "roll " << roll;
          // Up the middle the close play is a toss to second, everywhere else a close call.
          if (r == Result::Toss) {
            EXPECT_EQ(location, Location::UpTheMiddle) << "roll " << roll;
          }
          if (r == Result::CloseCall) {
            EXPECT_NE(location, Location::UpTheMiddle) << "roll " << roll;
          }
          if (location == Location::OffTheEnd) {
            EXPECT_NE(r, Result::GoesPast) << "roll " << roll;
          }
          // Missing limits: no close play below FR, no diving stop on turf for WK.
          if (rating >= 4) {
            EXPECT_NE(defenceRank(r), 1) << "roll " << roll;
          }
          if (surface == 1 && rating == 6) {
            EXPECT_NE(r, Result::DivingStop) << "roll " << roll;
          }
        }
      }
    }
  }
}

TEST(InfieldRangeResult, BetterRangeNeverDoesWorse) {
  for (int surface = 0; surface <= 1; ++surface) {
    for (const Location location : kAllLocations) {
      for (int rating = 0; rating + 1 < kRatingCount; ++rating) {
        SCOPED_TRACE(where(surface, location, rating));
        for (int roll = 0; roll < kRollCount; ++roll) {
          EXPECT_LE(defenceRank(fieldResult(surface, location, rating, roll)),
                    defenceRank(fieldResult(surface, location, rating + 1, roll)))
              << "roll " << roll;
        }
      }
    }
  }
}

// Bands of words over 00..99: (first roll, word) in order.
using Bands = std::vector<std::pair<int, Result>>;

Bands bandsOf(int surface, Location location, int rating) {
  Bands bands;
  for (int roll = 0; roll < kRollCount; ++roll) {
    const Result r = fieldResult(surface, location, rating, roll);
    if (bands.empty() || bands.back().second != r) bands.emplace_back(roll, r);
  }
  return bands;
}

TEST(InfieldRangeResult, ChartCorners) {
  using L = Location;
  using R = Result;
  struct Case {
    int surface;
    Location location;
    int rating;
    Bands bands;
  };
  const Case cases[] = {
      {0,
       L::InTheHole,
       2,
       {{0, R::DivingStop}, {50, R::CloseCall}, {60, R::KeptInInfield}, {68, R::GoesPast}}},
      {0,
       L::UpTheMiddle,
       2,
       {{0, R::DivingStop}, {50, R::Toss}, {60, R::KeptInInfield}, {68, R::GoesPast}}},
      {1, L::OffTheEnd, 6, {{0, R::KeptInInfield}}},
      {1, L::DownTheLine, 6, {{0, R::KeptInInfield}, {8, R::GoesPast}}},
      {1, L::InTheHole, 6, {{0, R::KeptInInfield}, {8, R::GoesPast}}},
      {1, L::UpTheMiddle, 6, {{0, R::KeptInInfield}, {8, R::GoesPast}}},
      {0, L::DownTheLine, 0, {{0, R::DivingStop}, {70, R::CloseCall}, {90, R::KeptInInfield}}},
      {0, L::OffTheEnd, 4, {{0, R::DivingStop}, {30, R::KeptInInfield}}},
      {0, L::Ripped, 0, {{0, R::Snagged}, {95, R::GoesPast}}},
      {1, L::Ripped, 6, {{0, R::Snagged}, {5, R::GoesPast}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(bandsOf(c.surface, c.location, c.rating), c.bands)
        << where(c.surface, c.location, c.rating);
  }
}

// Snagged does not depend on the surface.
TEST(InfieldRangeResult, RippedBallsIgnoreTheSurface) {
  for (int rating = 0; rating < kRatingCount; ++rating) {
    EXPECT_EQ(bandsOf(0, Location::Ripped, rating), bandsOf(1, Location::Ripped, rating))
        << ratingName(rating);
  }
}

// ---- Explanations ----------------------------------------------------------------------

TEST(InfieldRangeExplanation, DrawnInByInfieldInCornersOrOwnBox) {
  using namespace vnt::infield;
  struct Case {
    int box;
    std::set<int> fielders;  // the fielders the box brings in
  };
  const Case cases[] = {
      {kInfieldIn, {kPitcher, kFirstBase, kSecondBase, kThirdBase, kShortstop}},
      {kCornersIn, {kFirstBase, kThirdBase}},
      {k1BIn, {kFirstBase}},
      {k3BIn, {kThirdBase}},
      {kSSIn, {}},  // the middle infielders' own boxes do not count
      {k2BIn, {}},
      {kNormal, {}},
      {k1BHoldsRunner, {}},
  };
  for (const Case& c : cases) {
    std::array<bool, kBoxCount> boxes{};
    boxes[static_cast<std::size_t>(c.box)] = true;
    for (const std::int16_t fielder : kAllFielders) {
      EXPECT_EQ(fielderDrawnIn(boxes, fielder), c.fielders.count(fielder) == 1)
          << "box " << c.box << " fielder " << fielder;
    }
  }
}

TEST(InfieldRangeExplanation, TextsByResultAndPlace) {
  using L = Location;
  using R = Result;
  const std::string divingHead = "Diving Stop - Batter out at 1st, runners advance one base.\r\r";
  const std::string forcedAtThird =
      "Down the Line - Runner on 2nd forced at 3rd unless H&R, batter safe at 1st (FC).";
  const std::string infieldIn =
      "Infield In - Runner may attempt for home, defense has option to throw home using "
      "Sending Runners? Chart or take the out at first.";
  const std::string keptHead = "Kept in Infield - Ball goes off glove, infield single\r\r";
  struct Case {
    Result result;
    Location location;
    int fielder;
    bool drawnIn;
    std::string text;
  };
  const Case cases[] = {
      {R::DivingStop, L::InTheHole, kShortstop, false, divingHead},
      {R::DivingStop, L::DownTheLine, kThirdBase, true, divingHead + forcedAtThird + infieldIn},
      {R::DivingStop, L::DownTheLine, kFirstBase, false, divingHead},
      {R::DivingStop, L::UpTheMiddle, kPitcher, true,
       divingHead +
           "Up the Middle - Runner on 1st forced at 2nd, batter out at 1st (DP) unless Hit and "
           "Run, then runners advance one base, batter out at first." +
           infieldIn},
      {R::CloseCall, L::OffTheEnd, kFirstBase, true,
       "Close Call - Roll one number for play at first (or home with infielder in) 0 = 10\r\r"
       "Batter out if # > player's speed, other runners advance one base.\r"
       "Batter safe if # < player's speed, other runners advance one base.\r"
       "If # = player's speed, then roll again...\r"
       "   If # is 0-4 player is out and ejected, other runners advance one base.\r"
       "   If # is 5-9 player is safe, 1b or C ejected, other runners advance one base."},
      {R::KeptInInfield, L::DownTheLine, kThirdBase, true,
       keptHead + "Down the Line  3B - Runner on 2nd is forced if speed < 4"},
      {R::KeptInInfield, L::DownTheLine, kFirstBase, false,
       keptHead + "Down the Line  1B - Batter out at 1st if speed < 4"},
      {R::KeptInInfield, L::UpTheMiddle, kSecondBase, false,
       keptHead + "Up the Middle - Runner on 1st is out at 2nd if speed < 4"},
      {R::KeptInInfield, L::OffTheEnd, kShortstop, false, keptHead},
      {R::GoesPast, L::DownTheLine, kFirstBase, false,
       "Down the Line - Batter makes it to 2nd for a double, runners may try to score from "
       "first using the Sending Runners? Chart."},
      {R::GoesPast, L::InTheHole, kThirdBase, false,
       "Goes Past - Hot smash goes past fielder for a single.  Runners advance two bases."},
      {R::Toss, L::UpTheMiddle, kShortstop, false,
       "Toss? - No runner on 1st, Hit and Run, or Infielder In then ignore force at 2nd and "
       "pivot ratings\r"
       "Force at 2nd and roll one die for result of throw to first\r"
       "   If # > batter's speed +/- pivot rating, DP, other runners advance one base.\r"
       "   If # < batter's speed +/- pivot rating, batter safe, runners advance one base.\r"
       "   If # = player's speed, then roll again...\r"
       "     One player will be ejected - consult charts"},
      {R::Snagged, L::Ripped, kSecondBase, true,
       "Snagged - Hot liner caught and closest runner is doubled up.  Runner only doubled off "
       "3B if ball is hit to third."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(explanation(c.result, c.location, c.fielder, c.drawnIn), c.text)
        << resultWord(c.result) << " " << locationText(c.location, c.fielder);
  }
}

// ---- The window -----------------------------------------------------------------------

// "Range Result" settles only a ball this chart located: with the outfield chart's text in
// HitLocation nothing is rolled or changed.
TEST(InfieldRangeWindow, ResultWithoutAnInfieldLocationDoesNothing) {
  testing::QueuedDice dice;
  testing::FakeDialogs dialogs;
  Form2 form{dice, dialogs};
  form.HitLocation = "Over the Head CF";
  form.cmdCancel.caption = "&Cancel";
  form.cmdIFRResult.visible = true;
  form.fraCrazyPlay.visible = false;
  form.optRange[2].value = true;
  form.cmdIFRResult_Click();
  EXPECT_TRUE(dice.draws.empty());
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(form.cmdCancel.caption, "&Cancel");
  EXPECT_TRUE(form.cmdIFRResult.visible);
  EXPECT_FALSE(form.fraCrazyPlay.visible);
}

}  // namespace
}  // namespace vnt::infield_range
