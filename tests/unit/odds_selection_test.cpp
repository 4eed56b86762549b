// The odds add up to exactly 1 for every selection a player can make: baserunning,
// jumps and pitching, the infield and outfield, errors.

#include "tests/unit/odds_test_support.h"

namespace vnt {
namespace {

using namespace odds_testing;

// ---- Every selection adds up to exactly 1 ------------------------------------------------

TEST_F(InSeasons, BaserunningOddsAddUpForEverySelection) {
  for (const int year : {2015, 2016}) {
    Window w;
    w.season(year);
    Form2& f = w.form;
    w.click("cmdChart", 10);
    expectMessage(f.odds(), "Select a steal rating");
    for (int base = -1; base <= 1; ++base) {
      unselect(f.optTime);
      if (base >= 0) f.select(f.optTime[base]);
      for (int rating = 0; rating < f.optJump.size(); ++rating) {
        f.select(f.optJump[rating]);
        expectWhole(f.odds(), "steal " + std::to_string(rating) + " base " + std::to_string(base));
      }
    }

    onlyButton(f, f.cmdStealError);
    unselect(f.optError);
    expectMessage(f.odds(), "Select an error rating");
    for (const char* outcome : {"SB+E2", "Dropped?"}) {
      f.StealOutcome = outcome;
      for (const bool cold : {false, true}) {
        f.chkError[0].value = cold;
        for (Control& option : f.optError) {
          f.select(option);
          expectWhole(f.odds(), std::string(outcome) + " " + option.caption);
        }
      }
    }

    onlyButton(f, f.cmdRundown);
    unselect(f.optJump);
    expectMessage(f.odds(), "Select a speed rating");
    for (int speed = 0; speed < f.optJump.size(); ++speed) {
      f.select(f.optJump[speed]);
      if (speed > 10) {
        expectMessage(f.odds(), "Select a speed rating");  // -1 to -3 are no speeds
      } else {
        expectWhole(f.odds(), "rundown " + std::to_string(speed));
      }
    }

    onlyButton(f, f.cmdCollision);
    unselect(f.optRange);
    expectMessage(f.odds(), "Select a range rating");
    for (Control& option : f.optRange) {
      f.select(option);
      expectWhole(f.odds(), "collision " + option.caption);
    }

    onlyButton(f, f.cmdRunners);
    unselect(f.optJump);
    expectMessage(f.odds(), "Select a speed rating");
    for (Control& option : f.optJump) {
      f.select(option);
      expectWhole(f.odds(), "sending " + std::to_string(option.index));
    }

    onlyButton(f, f.cmdRunError);
    unselect(f.optError);
    expectMessage(f.odds(), "Select an error rating");
    for (const bool cold : {false, true}) {
      f.chkError[0].value = cold;
      for (Control& option : f.optError) {
        f.select(option);
        expectWhole(f.odds(), "throw " + option.caption);
      }
    }
  }
}

TEST_F(InSeasons, JumpAndPitchingOddsAddUpForEverySelection) {
  Window w;
  w.season(2015);
  Form2& f = w.form;
  w.click("cmdChart", 7);
  expectMessage(f.odds(), "Select a hold rating\nSelect a jump rating");
  for (int base = -1; base <= 1; ++base) {
    unselect(f.optTime);
    if (base >= 0) f.select(f.optTime[base]);
    for (Control& hold : f.Option1) {
      f.select(hold);
      unselect(f.optJump);
      expectMessage(f.odds(), "Select a jump rating");
      for (int jump = 0; jump <= 9; ++jump) {
        f.select(f.optJump[jump]);
        expectWhole(f.odds(), "jump hold " + hold.caption + " jump " + std::to_string(jump));
      }
    }
  }

  for (Control* button : {&f.cmdBalk, &f.cmdPickoff}) {
    onlyButton(f, *button);
    unselect(f.Option1);
    expectMessage(f.odds(),
                  button == &f.cmdBalk ? "Select a balk rating" : "Select a pickoff rating");
    for (Control& rating : f.Option1) {
      f.select(rating);
      expectWhole(f.odds(), button->name + " " + rating.caption);
    }
  }

  onlyButton(f, f.cmdJumpError);
  unselect(f.optError);
  expectMessage(f.odds(), "Select an error rating");
  for (const bool cold : {false, true}) {
    f.chkError[0].value = cold;
    for (Control& option : f.optError) {
      f.select(option);
      expectWhole(f.odds(), "E1 " + option.caption);
    }
  }

  w.click("cmdCancel");
  w.dialogs.answers.push_back(false);
  w.click("cmdChart", 12);
  expectMessage(f.odds(), "Select a WP rating\nSelect a PB rating");
  for (const bool hitAndRun : {false, true}) {
    f.chkHitRun.value = hitAndRun;
    for (Control& wildPitch : f.Option1) {
      f.select(wildPitch);
      unselect(f.optPBRating);
      expectMessage(f.odds(), "Select a PB rating");
      for (Control& passedBall : f.optPBRating) {
        f.select(passedBall);
        expectWhole(f.odds(), "WP " + wildPitch.caption + " PB " + passedBall.caption);
      }
    }
  }

  w.click("cmdCancel");
  w.dialogs.answers.push_back(true);
  w.click("cmdChart", 12);
  expectMessage(f.odds(), "Select a ballpark");
  for (int ballpark = 0; ballpark < f.BallparkCount; ++ballpark) {
    f.select(f.optBallpark[ballpark]);
    expectWhole(f.odds(), "foul " + f.optBallpark[ballpark].caption);
  }
}

TEST_F(InSeasons, InfieldOddsAddUpForEveryAlignment) {
  Window w;
  w.season(2015);
  Form2& f = w.form;
  w.click("cmdChart", 5);
  const auto alignments = consistentAlignments(f);
  ASSERT_GT(alignments.size(), 13u);

  unselect(f.optSurface);
  unselect(f.OptBatting);
  for (Control& box : f.chkIFDefense) box.value = false;
  expectMessage(f.odds(), "Select a playing surface\nSelect a batting style\nSelect a defense");
  for (Control& surface : f.optSurface) {
    f.select(surface);
    for (Control& style : f.OptBatting) {
      f.select(style);
      for (const bool hitAndRun : {false, true}) {
        f.chkHitRun.value = hitAndRun;
        for (const auto& alignment : alignments) {
          for (Control& box : f.chkIFDefense) box.value = false;
          for (const int box : alignment) f.chkIFDefense[box].value = true;
          expectWhole(f.odds(), "infield " + style.caption);
        }
      }
    }
  }
  f.chkDPin.value = true;
  unselect(f.optLocation);
  expectMessage(f.odds(), "Select the location of the double play");
  for (Control& location : f.optLocation) {
    f.select(location);
    expectWhole(f.odds(), "double play " + location.caption);
  }

  // The result roll, for every location the first roll can give.
  onlyButton(f, f.cmdIFRResult);
  unselect(f.optRange);
  f.HitLocation.clear();
  expectMessage(f.odds(), "Roll the location first");
  for (const auto& row : infield_range::locationTable()) {
    f.HitLocation = std::string(infield_range::locationWords(row.location));
    f.FielderPosition = row.fielder;
    f.LocationText = infield_range::locationText(row.location, row.fielder);
    unselect(f.optRange);
    expectMessage(f.odds(), "Select a range rating");
    for (const std::int16_t surface : {0, 1}) {
      f.ifrSurface = surface;
      // With the infield in for a double play the alignment plays no part.
      f.chkDPin.value = true;
      for (Control& range : f.optRange) {
        f.select(range);
        expectWhole(f.odds(), f.LocationText + " DP " + range.caption);
      }
      f.chkDPin.value = false;
      // The batting side counts only with the hit and run on.
      for (const auto& [style, hitAndRun] :
           std::vector<std::pair<std::int16_t, bool>>{{0, false}, {0, true}, {3, true}}) {
        f.ifrBattingStyle = style;
        {
          f.chkHitRun.value = hitAndRun;
          for (const auto& alignment : alignments) {
            for (Control& box : f.chkIFDefense) box.value = false;
            for (const int box : alignment) f.chkIFDefense[box].value = true;
            for (Control& range : f.optRange) {
              f.select(range);
              expectWhole(f.odds(), f.LocationText + " " + range.caption);
            }
          }
        }
      }
    }
  }
}

TEST_F(InSeasons, OutfieldAndErrorOddsAddUpForEverySelection) {
  Window w;
  w.season(2015);
  Form2& f = w.form;
  w.click("cmdChart", 8);
  expectMessage(f.odds(), "Select a batting style\nSelect a surface\nSelect a ballpark");
  for (Control& style : f.OptBatting) {
    f.select(style);
    for (Control& surface : f.optSurface) {
      f.select(surface);
      f.select(f.optBallpark[0]);
      expectWhole(f.odds(), "outfield " + style.caption);
    }
  }

  onlyButton(f, f.cmdOFRResult);
  for (std::size_t row = 0; row < outfield::kLocations.size(); ++row) {
    f.HitLocation = std::string(outfield::kLocations[row].text);
    for (std::int16_t ballpark = 0; ballpark < f.BallparkCount; ++ballpark) {
      f.outfieldBallpark = ballpark;
      for (const std::int16_t surface : {0, 1}) {
        f.outfieldSurface = surface;
        for (const bool outfieldIn : {false, true}) {
          f.chkOFin.value = outfieldIn;
          unselect(f.optRange);
          expectMessage(f.odds(), "Select a range rating");
          for (Control& range : f.optRange) {
            f.select(range);
            expectWhole(f.odds(), f.HitLocation + " " + f.optBallpark[ballpark].caption);
          }
        }
      }
    }
  }

  onlyButton(f, f.cmdError);
  for (std::int16_t fielder = 1; fielder <= 9; ++fielder) {
    f.FielderPosition = fielder;
    unselect(f.optError);
    expectMessage(f.odds(), "Select an error rating");
    for (const bool cold : {false, true}) {
      f.chkError[0].value = cold;
      for (const bool in : {false, true}) {
        f.chkError[1].value = in;
        for (Control& rating : f.optError) {
          f.select(rating);
          expectWhole(f.odds(), "error " + std::to_string(fielder) + " " + rating.caption);
        }
      }
    }
  }
}

}  // namespace
}  // namespace vnt
