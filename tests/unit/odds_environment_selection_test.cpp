// The odds add up to exactly 1 for every selection a player can make: the bunt and the
// game-environment charts; and they say so when there is nothing to roll.

#include "tests/unit/odds_test_support.h"

namespace vnt {
namespace {

using namespace odds_testing;

TEST_F(InSeasons, BuntOddsAddUpForEverySelection) {
  Window w;
  w.season(2015);
  Form2& f = w.form;
  w.click("cmdChart", 1);
  unselect(f.optSurface);
  expectMessage(f.odds(), "Select a bunting rating\nSelect Grass or Turf");
  const auto alignments = consistentAlignments(f);
  for (Control& surface : f.optSurface) {
    f.select(surface);
    for (Control& rating : f.Option1) {
      f.select(rating);
      for (const bool squeeze : {false, true}) {
        f.chkOFin.value = squeeze;
        for (const auto& alignment : alignments) {
          for (Control& box : f.chkIFDefense) box.value = false;
          for (const int box : alignment) f.chkIFDefense[box].value = true;
          expectWhole(f.odds(), "bunt " + rating.caption);
        }
      }
    }
  }

  for (const char* outcome : {"Lead Out?", "Beat Out?"}) {
    onlyButton(f, f.cmdBuntSpeed);
    f.BuntOutcome = outcome;
    unselect(f.optJump);
    expectMessage(f.odds(), "Select a speed rating");
    for (const std::int16_t fielder : {1, 2, 3, 5}) {
      f.BuntFielder = fielder;
      for (int speed = 0; speed <= 10; ++speed) {
        f.select(f.optJump[speed]);
        expectWhole(f.odds(), std::string(outcome) + " " + std::to_string(speed));
      }
    }
  }

  onlyButton(f, f.cmdBuntStrikeout);
  unselect(f.optK9);
  expectMessage(f.odds(), "Select the pitcher's K/9 rating");
  for (Control& group : f.optK9) {
    f.select(group);
    expectWhole(f.odds(), "strikeout " + group.caption);
  }

  onlyButton(f, f.cmdBuntError);
  unselect(f.optError);
  expectMessage(f.odds(), "Select an error rating");
  for (const bool cold : {false, true}) {
    f.chkError[0].value = cold;
    for (Control& rating : f.optError) {
      f.select(rating);
      expectWhole(f.odds(), "bunt error " + rating.caption);
    }
  }

  onlyButton(f, f.cmdToughPlay);
  unselect(f.optRange);
  expectMessage(f.odds(), "Select a range rating");
  for (const std::int16_t surface : {0, 1}) {
    f.BuntSurface = surface;
    for (const std::int16_t fielder : {1, 2, 3, 5}) {
      f.BuntFielder = fielder;
      for (Control& range : f.optRange) {
        f.select(range);
        expectWhole(f.odds(), "tough play " + range.caption);
      }
    }
  }
}

TEST_F(InSeasons, EnvironmentOddsAddUpForEverySelection) {
  Window w;
  w.season(2015);
  Form2& f = w.form;
  w.click("cmdChart", 3);
  unselect(f.optWind);
  expectMessage(f.odds(),
                "Select a batting style\nSelect a ballpark\nSelect a power rating\nSelect a "
                "wind speed");
  // The clutch and a tired pitcher only move every wall together: none, +5, -10; the
  // batting style only picks the locations, down the left line (RSP, RP) or the right.
  const std::vector<std::pair<int, bool>> pressures = {{3, false}, {0, false}, {1, true}};
  for (const int style : {0, 3}) {
    f.select(f.OptBatting[style]);
    for (Control& power : f.Option1) {
      f.select(power);
      for (int ballpark = 0; ballpark < f.BallparkCount; ++ballpark) {
        f.select(f.optBallpark[ballpark]);
        for (Control& wind : f.optWind) {
          f.select(wind);
          for (const auto& [clutch, tired] : pressures) {
            f.select(f.optClutch[clutch]);
            f.chkTired.value = tired;
            expectWhole(f.odds(), "deep " + f.OptBatting[style].caption + " " + power.caption +
                                      " " + f.optBallpark[ballpark].caption + " " + wind.caption);
          }
        }
      }
    }
  }

  onlyButton(f, f.cmdRobbed);
  unselect(f.optRange);
  expectMessage(f.odds(), "Select a range rating");
  for (std::int16_t location = 0; location < deep::kLocationCount; ++location) {
    f.DeepLocation = location;
    for (const std::int16_t height : {0, 5, 6, 8, 10, 11}) {
      f.BallparkTable[static_cast<std::size_t>(location + 7)] = height;
      for (Control& range : f.optRange) {
        f.select(range);
        expectWhole(f.odds(), "robbed " + range.caption + " " + std::to_string(height));
      }
    }
  }

  w.click("cmdCancel");
  w.click("cmdChart", 0);
  unselect(f.optBallpark);  // a set-up keeps the ballpark chosen before
  expectMessage(f.odds(), "Select a batting style\nSelect a ballpark");
  for (Control& style : f.OptBatting) {
    f.select(style);
    for (int ballpark = 0; ballpark < f.BallparkCount; ++ballpark) {
      f.select(f.optBallpark[ballpark]);
      expectWhole(f.odds(), "ballpark effects " + f.optBallpark[ballpark].caption);
    }
  }

  w.click("cmdCancel");
  w.click("cmdChart", 2);
  expectWhole(f.odds(), "crazy play");
}

TEST_F(InSeasons, WeatherAndInjuryOddsAddUpForEverySelection) {
  Window w;
  w.season(2015);
  Form2& f = w.form;
  w.click("cmdChart", 11);
  unselect(f.optBallpark);
  unselect(f.optMonth);
  expectMessage(f.odds(), "Select a ballpark\nSelect a month\nSelect a time");
  for (int ballpark = 0; ballpark < f.BallparkCount; ++ballpark) {
    f.select(f.optBallpark[ballpark]);
    for (Control& month : f.optMonth) {
      f.select(month);
      for (Control& time : f.optTime) {
        f.select(time);
        expectWhole(f.odds(), "weather " + f.optBallpark[ballpark].caption + " " + month.caption +
                                  " " + time.caption);
      }
    }
  }

  w.click("cmdCancel");
  w.click("cmdChart", 6);
  expectMessage(f.odds(), "Select an injury rating");
  for (Control& rating : f.Option1) {
    f.select(rating);
    const odds::Odds both = f.odds();
    expectWhole(both, "injury " + rating.caption);
    // Both buttons show, each under its own caption.
    ASSERT_EQ(both.sections.size(), 2u);
    EXPECT_EQ(both.sections[0].heading, "New Injury Roll");
    EXPECT_EQ(both.sections[1].heading, "Recovered?");
  }
}

// Under a retractable roof the roof closes on a wet sky or a day too hot or too cold. The
// sky and the temperature are separate rolls, so the roof stays open with the product of
// their chances; each is read off the handler with the other roll held where it keeps the
// roof open.
TEST_F(InSeasons, RetractableRoofOddsJoinTheSkyAndTheTemperature) {
  const weather::Table table = weatherRecord("Toronto");
  for (const int month : {1, 4}) {
    SCOPED_TRACE(month);
    const auto setUp = weatherChart(28, month - 1, 1);
    std::int16_t clearSky = -1;
    std::int16_t mildNight = -1;
    for (std::int16_t roll = 99; roll >= 0; --roll) {
      const auto sky = weather::weatherSky(table, month, roll);
      if (!sky || *sky < weather::Sky::Overcast) clearSky = roll;
      const auto t = weather::weatherTemperature(table, weather::Time::Night, month, roll);
      if (!t || *t == weather::Temperature::Warm || *t == weather::Temperature::Cool) {
        mildNight = roll;
      }
    }
    ASSERT_NE(clearSky, -1);
    ASSERT_NE(mildNight, -1);
    const auto openOn = [&](std::int16_t sky, std::int16_t temperature) {
      Window w;
      setUp(w);
      const std::size_t before = w.form.List1.items.size();
      w.dice.values = {sky, temperature, 0};
      w.form.click(*w.form.find("cmdWeather"));
      const auto& after = w.form.List1.items;
      EXPECT_TRUE(w.dice.values.empty());
      return after.size() == before || after.back() != "Closed";
    };
    Chance skyOpen;
    Chance temperatureOpen;
    for (std::int16_t roll = 0; roll <= 99; ++roll) {
      if (openOn(roll, mildNight)) skyOpen += odds::oneIn(100);
      if (openOn(clearSky, roll)) temperatureOpen += odds::oneIn(100);
    }
    Window w;
    setUp(w);
    const odds::Odds shown = w.form.odds();
    const odds::Line* open = odds::firstLine(shown, "Open");
    const Chance expected = skyOpen * temperatureOpen;
    if (expected.isZero()) {
      EXPECT_EQ(open, nullptr);
    } else {
      ASSERT_NE(open, nullptr);
      EXPECT_EQ(open->chance, expected);
    }
  }
}

// What a deep drive shows for the given rolls.
ObservedByHeading playDeep(const std::function<void(Window&)>& setUp,
                           const std::vector<std::int16_t>& dice, std::size_t& draws) {
  Window w;
  setUp(w);
  const std::size_t drawsBefore = w.dice.draws.size();
  const std::vector<std::string> before = w.form.List1.items;
  w.dice.values.assign(dice.begin(), dice.end());
  w.form.click(*w.form.find("cmdDeep"));
  draws = w.dice.draws.size() - drawsBefore;
  const std::vector<std::string>& after = w.form.List1.items;
  return deepSeen(w.form, Logged(after.begin() + static_cast<long>(before.size()), after.end()));
}

// The distance roll's odds mix the locations, each as likely as its location roll and, on
// a foul line, as the ball staying fair. Each part is read off the handler roll by roll:
// the foul-line roll with the distance held, the distance roll with the location held.
TEST_F(InSeasons, DeepDistanceOddsMixTheLocationsAsTheHandlerRollsThem) {
  struct DeepCase {
    const char* name;
    std::function<void(Window&)> setUp;
  };
  const DeepCase cases[] = {
      {"LSP power 3 Arizona cross L-R, clutch pitcher", deepChart(0, 2, 0, 3, 0, false)},
      {"RP power 5 Boston wind in, clutch hitter, tired", deepChart(3, 0, 3, 1, 1, true)},
  };
  for (const DeepCase& c : cases) {
    SCOPED_TRACE(c.name);
    Window w;
    c.setUp(w);
    const odds::Odds shown = w.form.odds();
    ASSERT_TRUE(shown.hasNumbers()) << shown.message;
    const odds::Section* distance = nullptr;
    for (const odds::Section& section : shown.sections) {
      if (section.heading.ends_with(": distance")) distance = &section;
    }
    ASSERT_NE(distance, nullptr);

    std::map<std::string, Chance> mixed;
    Chance fair;
    for (std::int16_t location = 0; location <= 9; ++location) {
      std::size_t draws = 0;
      playDeep(c.setUp, {location, 50, 0}, draws);
      const bool onALine = draws == 3;
      Chance fairHere(1, 1);
      if (onALine) {
        fairHere = Chance();
        for (std::int16_t foul = 0; foul <= 99; ++foul) {
          if (playDeep(c.setUp, {location, foul, 0}, draws)["foul line"] == "Fair Ball") {
            fairHere += odds::oneIn(100);
          }
        }
      }
      const Chance weight = odds::oneIn(10) * fairHere;
      fair += weight;
      for (std::int16_t roll = 0; roll <= 99; ++roll) {
        std::vector<std::int16_t> dice = {location, roll};
        if (onALine) dice = {location, 50, roll};  // 50 stays fair
        mixed[playDeep(c.setUp, dice, draws)["distance"]] += weight * odds::oneIn(100);
      }
    }
    std::map<std::string, Chance> expected;
    for (const odds::Line& line : distance->lines) expected[line.word] = line.chance * fair;
    EXPECT_EQ(mixed, expected) << describe(*distance);
  }
}

// Where no roll is to come the window says so instead of showing numbers.
TEST_F(InSeasons, OddsSayWhenThereIsNothingToRoll) {
  Window w;
  w.form.Form_Load();
  expectMessage(w.form.odds(), "Select a season");
  w.click("optYear", 2015 - kFirstSeason);
  w.click("cmdYear");
  expectMessage(w.form.odds(), "Choose a chart");
  w.dice.values.push_back(0);
  w.click("cmdChart", 4);  // "RG P": no fielder, nothing more to roll
  expectMessage(w.form.odds(), "Nothing to roll: the result is in");
  w.click("cmdCancel");
  w.click("cmdChart", 10);
  w.click("optJump", 0);
  EXPECT_EQ(w.form.odds().chart, "Stealing");
  w.roll(50, "cmdStealing");
  expectMessage(w.form.odds(), "Nothing to roll: the result is in");
}

}  // namespace
}  // namespace vnt
