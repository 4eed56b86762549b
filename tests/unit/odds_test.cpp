// The odds against the real thing: for every chart and follow-up, the click handler is run
// over every sequence of die values it can draw (scripted dice), and the frequencies of
// what it shows must equal the odds exactly. The odds also must add up to exactly 1 for
// every selection a player can make, and must never draw a die or change the window.

#include "shell/odds.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "charts/environment/deep_drive_table.h"
#include "charts/environment/weather_table.h"
#include "charts/fielding/infield_defense.h"
#include "charts/fielding/infield_range_table.h"
#include "charts/fielding/outfield_range_table.h"
#include "shell/form2.h"
#include "shell/season_files.h"
#include "tests/unit/test_support.h"

namespace vnt {
namespace {

namespace fs = std::filesystem;
using odds::Chance;
using testing::FakeDialogs;
using testing::QueuedDice;

// ---- Chance and percent ----------------------------------------------------------------

TEST(OddsChance, KeepsFractionsExactAndReduced) {
  const Chance third(1, 3);
  EXPECT_EQ(third + third + third, Chance(1, 1));
  EXPECT_EQ(Chance(2, 4), Chance(1, 2));
  EXPECT_EQ(Chance(1, 10) * Chance(1, 100), Chance(1, 1000));
  EXPECT_EQ(Chance(3, 20) + Chance(1, 21), Chance(83, 420));
  EXPECT_TRUE(Chance().isZero());
  EXPECT_EQ(Chance() * Chance(1, 7), Chance());
}

TEST(OddsPercent, RoundsToOneDecimalAndDropsATrailingZero) {
  struct Case {
    Chance chance;
    const char* shown;
  };
  const Case cases[] = {
      {Chance(3, 4), "75%"},        {Chance(464, 1000), "46.4%"}, {Chance(1, 1), "100%"},
      {Chance(0, 1), "0%"},         {Chance(1, 1000), "0.1%"},    {Chance(1, 2000), "0.1%"},
      {Chance(1, 2001), "<0.1%"},   {Chance(1, 21), "4.8%"},      {Chance(1, 3), "33.3%"},
      {Chance(2, 3), "66.7%"},      {Chance(1, 20), "5%"},        {Chance(999, 1000), "99.9%"},
      {Chance(1999, 2000), "100%"}, {Chance(1, 8), "12.5%"},      {Chance(1, 16), "6.3%"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(odds::percent(c.chance), c.shown)
        << c.chance.numerator() << "/" << c.chance.denominator();
  }
}

TEST(OddsTally, KeepsTheNamedOrderAndLeavesOutWhatCannotHappen) {
  odds::Tally tally({"SB", "CS", "Rundown"});
  tally.add("CS", Chance(1, 2));
  tally.add("Collision", Chance(1, 4));
  tally.add("SB", Chance(1, 4));
  const odds::Section section = tally.section("Stealing");
  ASSERT_EQ(section.lines.size(), 3u);
  EXPECT_EQ(section.lines[0].word, "SB");
  EXPECT_EQ(section.lines[1].word, "CS");
  EXPECT_EQ(section.lines[2].word, "Collision");
}

// ---- The window, scripted ----------------------------------------------------------------

// Runs on the bundled 2015 and 2016 seasons, alone in a directory of their own so each of
// the many fresh windows reads only them: 2015 has thirty ballparks (Boston 3, Chicago NL 5,
// Colorado 8), 2016 plays hard slides.
class InSeasons : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    dir_ = fs::temp_directory_path() / ("vnt-odds-test-" + std::to_string(::getpid()));
    fs::create_directories(dir_ / "empty");
    for (const auto& entry : fs::directory_iterator(fs::path(VNT_SOURCE_DIR) / "seasons")) {
      const std::string name = entry.path().filename().string();
      if (name.starts_with("2015") || name.starts_with("2016")) {
        fs::copy_file(entry.path(), dir_ / name, fs::copy_options::overwrite_existing);
      }
    }
    fs::current_path(dir_);
  }
  void TearDown() override {
    fs::current_path(previous_);
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

 private:
  fs::path previous_;
  fs::path dir_;
};

struct Window {
  QueuedDice dice;
  FakeDialogs dialogs;
  Form2 form{dice, dialogs};

  void click(std::string_view name, int index = -1) {
    Control* control = form.find(name, index);
    ASSERT_NE(control, nullptr) << name << " " << index;
    ASSERT_TRUE(control->reachable()) << control->displayName();
    form.click(*control);
  }
  // The season check of start-up reads every season's files; the many windows of these
  // tests start in an empty folder instead and are given the season the check would
  // offer. "Select Season" then reads the season as usual.
  void season(int year) {
    const fs::path seasons = fs::current_path();
    fs::current_path(seasons / "empty");
    form.Form_Load();
    fs::current_path(seasons);
    form.optYear[year - kFirstSeason].enabled = true;
    click("optYear", year - kFirstSeason);
    click("cmdYear");
  }
  // A roll made while setting up a case: queued, clicked, used up.
  void roll(std::int16_t value, std::string_view button, int index = -1) {
    dice.values.push_back(value);
    click(button, index);
    ASSERT_TRUE(dice.values.empty()) << button;
  }
};

// What one click showed, per section of the odds: the outcome word, or none when that
// section's roll was not made in this run.
using Observed = std::vector<std::optional<std::string>>;
// The entries the click added to the history, oldest first.
using Logged = std::vector<std::string>;

// What one click showed by section heading, for rolls whose sections come and go with the
// data (the weather's thunderstorms and snow): the heading's last words, after ": ".
using ObservedByHeading = std::map<std::string, std::string>;

struct Case {
  std::string name;
  std::function<void(Window&)> setUp;
  std::string button;
  std::vector<bool> answers;  // to the click's Yes/No boxes
  std::function<Observed(const Form2&, const Logged&)> observe;
  // Sections this case cannot reach (the other answer to a question of the roll, or a
  // roll held fixed).
  std::vector<std::size_t> unobserved = {};
  // Where a click rolls too often to try every sequence: the value a draw (by its place
  // in the click) is held at, or none to try every value.
  std::function<std::optional<std::int16_t>(std::size_t)> fixed = {};
  std::function<ObservedByHeading(const Form2&, const Logged&)> observeByHeading = {};
};

// What `observe` sees of one section only, for a case that holds the other rolls fixed.
std::function<Observed(const Form2&, const Logged&)> onlySection(
    std::size_t section, Observed (*observe)(const Form2&, const Logged&)) {
  return [=](const Form2& form, const Logged& logged) {
    Observed all = observe(form, logged);
    Observed one(all.size());
    if (section < all.size()) one[section] = all[section];
    return one;
  };
}

// Every draw but the `varied` one held at `value`.
std::function<std::optional<std::int16_t>(std::size_t)> varyOnly(std::size_t varied,
                                                                 std::int16_t value) {
  return [=](std::size_t draw) -> std::optional<std::int16_t> {
    if (draw == varied) return std::nullopt;
    return value;
  };
}

Observed firstLogged(const Form2&, const Logged& logged) {
  return {logged.empty() ? std::nullopt : std::optional(logged.front())};
}
Observed lastLogged(const Form2&, const Logged& logged) {
  return {logged.empty() ? std::nullopt : std::optional(logged.back())};
}

Observed rundownObserved(const Form2& form, const Logged&) {
  const std::string& text = form.lblCrazyPlay.caption;
  Observed seen(2);
  seen[0] = text.starts_with("Runner is out") ? "Runner is out" : "Runner stays in rundown";
  if (const auto cr = text.find('\r'); cr != std::string::npos) {
    seen[1] =
        text.substr(cr + 1).starts_with("Runner is safe") ? "Runner is safe" : "Runner is out";
  }
  return seen;
}

Observed runnersObserved(const Form2&, const Logged& logged) {
  Observed seen(2);
  if (!logged.empty()) seen[0] = logged[0];
  if (logged.size() >= 2 && logged[0] == "Unusual Play") seen[1] = logged[1];
  return seen;
}

// The Chicago NL result asks about the weather: Yes is the first section, No the second.
Observed warmDay(const Form2& form, const Logged& logged) {
  return {lastLogged(form, logged)[0], std::nullopt};
}
Observed coolDay(const Form2& form, const Logged& logged) {
  return {std::nullopt, lastLogged(form, logged)[0]};
}

// ---- The set-ups ---------------------------------------------------------------------------

auto steal(int year, int ratingOption, int baseOption) {
  return [=](Window& w) {
    w.season(year);
    w.click("cmdChart", 10);
    w.click("optJump", ratingOption);
    if (baseOption >= 0) w.click("optTime", baseOption);
  };
}

auto stealThrow(std::int16_t stealRoll, int errorOption, bool cold) {
  return [=](Window& w) {
    steal(2015, 0, -1)(w);
    w.roll(stealRoll, "cmdStealing");
    w.click("optError", errorOption);
    if (cold) w.click("chkError", 0);
  };
}

auto jump(int holdOption, int jumpOption, int baseOption) {
  return [=](Window& w) {
    w.season(2015);
    w.click("cmdChart", 7);
    w.click("Option1", holdOption);
    w.click("optJump", jumpOption);
    if (baseOption >= 0) w.click("optTime", baseOption);
  };
}

// Hold 5, jump 10 to second: 0-9 E1?, 80-89 Balk?, 90-99 Pickoff?.
auto jumpFollowUp(std::int16_t jumpRoll, std::string_view ratingGroup, int option, bool cold) {
  return [=](Window& w) {
    jump(0, 0, -1)(w);
    w.roll(jumpRoll, "cmdJump");
    w.click(ratingGroup, option);
    if (cold) w.click("chkError", 0);
  };
}

auto balkChart(int option) {
  return [=](Window& w) {
    w.season(2015);
    w.click("cmdChart", 13);
    w.click("Option1", option);
  };
}

auto rundown(int speedOption) {
  return [=](Window& w) {
    steal(2015, 0, -1)(w);
    w.roll(92, "cmdStealing");  // Rundown
    w.click("optJump", speedOption);
  };
}

auto runners(int year, int speedOption) {
  return [=](Window& w) {
    w.season(year);
    w.click("cmdChart", 9);
    w.click("optJump", speedOption);
  };
}

// Speed 12: 18 is Collision!, 19 Error?.
auto runnersFollowUp(std::int16_t roll, std::string_view group, int option, bool cold) {
  return [=](Window& w) {
    runners(2015, 0)(w);
    w.roll(roll, "cmdRunners");
    w.click(group, option);
    if (cold) w.click("chkError", 0);
  };
}

auto wildPitch(int wildPitchOption, int passedBallOption, bool hitAndRun) {
  return [=](Window& w) {
    w.season(2015);
    w.dialogs.answers.push_back(false);
    w.click("cmdChart", 12);
    w.click("Option1", wildPitchOption);
    w.click("optPBRating", passedBallOption);
    if (hitAndRun) w.click("chkHitRun");
  };
}

auto foul(int ballpark) {
  return [=](Window& w) {
    w.season(2015);
    w.dialogs.answers.push_back(true);
    w.click("cmdChart", 12);
    w.click("optBallpark", ballpark);
  };
}

auto infield(int surface, int battingStyle, std::vector<int> defenseClicks, bool hitAndRun) {
  return [=](Window& w) {
    w.season(2015);
    w.click("cmdChart", 5);
    w.click("optSurface", surface);
    w.click("OptBatting", battingStyle);
    for (const int box : defenseClicks) w.click("chkIFDefense", box);
    if (hitAndRun) w.click("chkHitRun");
  };
}

auto doublePlay(int surface, int locationOption) {
  return [=](Window& w) {
    w.season(2015);
    w.click("cmdChart", 5);
    w.click("optSurface", surface);
    w.click("chkDPin");
    w.click("cmdIFR");  // shows the locations and asks for one
    w.click("optLocation", locationOption);
  };
}

auto infieldResult(std::function<void(Window&)> setUp, std::int16_t locationRoll, int range) {
  return [=](Window& w) {
    setUp(w);
    w.roll(locationRoll, "cmdIFR");
    w.click("optRange", range);
  };
}

auto outfield(int battingStyle, int surface, int ballpark) {
  return [=](Window& w) {
    w.season(2015);
    w.click("cmdChart", 8);
    w.click("OptBatting", battingStyle);
    w.click("optSurface", surface);
    w.click("optBallpark", ballpark);
  };
}

auto outfieldResult(int battingStyle, int surface, int ballpark, std::int16_t roll, int range,
                    bool outfieldIn) {
  return [=](Window& w) {
    outfield(battingStyle, surface, ballpark)(w);
    if (outfieldIn) w.click("chkOFin");
    w.roll(roll, "cmdOFR");
    w.click("optRange", range);
  };
}

auto errorChart(std::int16_t fielder, int errorOption, bool cold, bool in) {
  return [=](Window& w) {
    w.season(2015);
    w.dice.values.push_back(fielder);
    w.click("cmdChart", 4);
    w.click("optError", errorOption);
    if (cold) w.click("chkError", 0);
    if (in) w.click("chkError", 1);
  };
}

Observed fielderThenResult(const Form2&, const Logged& logged) {
  Observed seen(2);
  if (!logged.empty()) seen[0] = logged[0];
  if (logged.size() >= 2) seen[1] = logged[1];
  return seen;
}

auto bunt(int ratingOption, int surface, std::vector<int> defenseClicks, bool squeeze) {
  return [=](Window& w) {
    w.season(2015);
    w.click("cmdChart", 1);
    w.click("Option1", ratingOption);
    w.click("optSurface", surface);
    for (const int box : defenseClicks) w.click("chkIFDefense", box);
    if (squeeze) w.click("chkOFin");
  };
}

// Bunt rating 1 on grass: 42-46 Error?, 47-60 Strikeout?, 75-81 Lead Out?, 82-89 Beat Out?,
// 90-99 Tough Play. `answers` settle a "Lead Out?".
auto buntFollowUp(std::int16_t fielderRoll, std::int16_t resultRoll, std::vector<int> defense,
                  std::vector<bool> answers, std::string_view group, int option, bool cold) {
  return [=](Window& w) {
    bunt(4, 0, defense, false)(w);
    w.dice.values = {fielderRoll, resultRoll};
    w.dialogs.answers.assign(answers.begin(), answers.end());
    w.click("cmdRollBunt");
    ASSERT_TRUE(w.dice.values.empty());
    ASSERT_TRUE(w.dialogs.answers.empty());
    w.click(group, option);
    if (cold) w.click("chkError", 0);
  };
}

ObservedByHeading weatherSeen(const Form2& form, const Logged& logged) {
  ObservedByHeading seen;
  if (!logged.empty() && logged.front() == "Dome Closed") {
    seen["roof"] = "Dome Closed";
    seen["wind"] = "No Wind";
    return seen;
  }
  seen["sky"] = seen["temperature"] = seen["wind"] = "(nothing shown)";
  for (const std::string& word : logged) {
    for (int i = 0; i <= static_cast<int>(weather::Sky::Snow); ++i) {
      if (word == weather::skyWord(static_cast<weather::Sky>(i))) seen["sky"] = word;
    }
    for (int i = 0; i <= static_cast<int>(weather::Temperature::Cold); ++i) {
      if (word == weather::temperatureWord(static_cast<weather::Temperature>(i))) {
        seen["temperature"] = word;
      }
    }
    for (int i = 0; i <= static_cast<int>(weather::Wind::Out); ++i) {
      if (word == weather::windWord(static_cast<weather::Wind>(i))) seen["wind"] = word;
    }
  }
  seen["roof"] = !logged.empty() && logged.back() == "Closed" ? "Closed" : "Open";
  const std::string& text = form.lblCrazyPlay.caption;
  const auto has = [&text](const char* piece) { return text.find(piece) != std::string::npos; };
  if (has("T-Storms - ")) {
    seen["after T-Storms"] = has("Game is rained out.") ? "Game is rained out."
                                                        : "Game held up by rain delay.  Wet field.";
  }
  if (has("Snow - ")) {
    seen["after Snow"] =
        has("Game is snowed out.") ? "Game is snowed out." : "Game is played in snow.  Wet field.";
  }
  return seen;
}

// Only the section of the roll a case varies.
std::function<ObservedByHeading(const Form2&, const Logged&)> onlyWeather(std::string heading) {
  return [heading](const Form2& form, const Logged& logged) {
    ObservedByHeading all = weatherSeen(form, logged);
    ObservedByHeading one;
    if (all.count(heading)) one[heading] = all[heading];
    return one;
  };
}

auto weatherChart(int ballpark, int month, int time) {
  return [=](Window& w) {
    w.season(2015);
    w.click("cmdChart", 11);
    w.click("optBallpark", ballpark);
    w.click("optMonth", month);
    w.click("optTime", time);
  };
}

auto injuryChart(int ratingOption) {
  return [=](Window& w) {
    w.season(2015);
    w.click("cmdChart", 6);
    w.click("Option1", ratingOption);
  };
}

Observed newInjurySeen(const Form2&, const Logged& logged) {
  if (logged.empty()) return {};
  return {logged.front() == "# Missed" ? logged.front() : logged.back(), std::nullopt};
}
Observed recoveredSeen(const Form2&, const Logged& logged) {
  return {std::nullopt, logged.empty() ? std::nullopt : std::optional(logged.back())};
}

// The weather record of a ballpark of the 2015 season in the working directory.
weather::Table weatherRecord(const std::string& ballpark) {
  const auto data = readSeasonFile("2015Weather.vnt");
  const WeatherLookup found = data ? lookupWeatherRecord(*data, ballpark) : WeatherLookup{};
  EXPECT_EQ(found.status, LookupStatus::Found) << ballpark;
  return found.values;
}

// The sky roll held at the first roll that reads `sky`, the roll after it tried over every
// value, every later roll held at 50.
std::function<std::optional<std::int16_t>(std::size_t)> afterSky(const std::string& ballpark,
                                                                 int month, weather::Sky sky) {
  const weather::Table table = weatherRecord(ballpark);
  std::int16_t skyRoll = -1;
  for (std::int16_t roll = 99; roll >= 0; --roll) {
    if (weather::weatherSky(table, month, roll) == sky) skyRoll = roll;
  }
  EXPECT_NE(skyRoll, -1) << ballpark << " never reads " << weather::skyWord(sky);
  return [=](std::size_t draw) -> std::optional<std::int16_t> {
    if (draw == 1) return std::nullopt;
    return draw == 0 ? skyRoll : 50;
  };
}

auto bpeChart(int style, int ballpark) {
  return [=](Window& w) {
    w.season(2015);
    w.click("cmdChart", 0);
    w.click("OptBatting", style);
    w.click("optBallpark", ballpark);
  };
}

auto crazyChart() {
  return [](Window& w) {
    w.season(2015);
    w.click("cmdChart", 2);
  };
}

Observed crazySeen(const Form2& form, const Logged&) {
  const std::string& play = form.lblCrazyPlay.caption;
  return {play.empty() ? std::string("(no play)") : play};
}

auto deepChart(int style, int power, int ballpark, int wind, int clutch, bool tired) {
  return [=](Window& w) {
    w.season(2015);
    w.click("cmdChart", 3);
    w.click("OptBatting", style);
    w.click("Option1", power);
    w.click("optBallpark", ballpark);
    w.click("optWind", wind);
    if (clutch >= 0) w.click("optClutch", clutch);
    if (tired) w.click("chkTired");
  };
}

ObservedByHeading deepSeen(const Form2& form, const Logged& logged) {
  ObservedByHeading seen;
  if (logged.empty()) return seen;
  seen["location"] = logged.front();
  for (const std::string& word : logged) {
    if (word == "Fair Ball" || word == "Foul Ball!") seen["foul line"] = word;
  }
  if (seen.count("foul line") && seen["foul line"] == "Foul Ball!") return seen;
  const std::string& last = logged.back();
  if (last == "Home Run!" || last == "Robbed?" || last.starts_with("Caught - ")) {
    seen["distance"] = last;
  } else if (form.lblCrazyPlay.caption.starts_with("Off the Wall!")) {
    seen["distance"] = "Off the Wall!";
  } else {
    seen["distance"] = "Ball caught";
  }
  return seen;
}

std::function<ObservedByHeading(const Form2&, const Logged&)> onlyDeep(std::string heading) {
  return [heading](const Form2& form, const Logged& logged) {
    ObservedByHeading all = deepSeen(form, logged);
    ObservedByHeading one;
    if (all.count(heading)) one[heading] = all[heading];
    return one;
  };
}

auto robbedFollowUp(std::int16_t location, std::int16_t distance, int range) {
  return [=](Window& w) {
    deepChart(0, 0, 0, 0, -1, false)(w);  // LSP, power 5, Arizona, no wind
    w.dice.values = {location, distance};
    w.click("cmdDeep");
    ASSERT_TRUE(w.dice.values.empty());
    w.click("optRange", range);
  };
}

std::vector<Case> everyChart() {
  return {
      {"steal 10 second 2015", steal(2015, 0, -1), "cmdStealing", {}, firstLogged},
      {"steal -3 third 2016", steal(2016, 13, 0), "cmdStealing", {}, firstLogged},
      {"steal 2 home", steal(2015, 8, 1), "cmdStealing", {}, firstLogged},
      {"steal 5 home 2016", steal(2016, 5, 1), "cmdStealing", {}, firstLogged},
      {"SB+E2 catcher 14", stealThrow(80, 6, false), "cmdStealError", {}, lastLogged},
      {"SB+E2 catcher 3 cold", stealThrow(80, 17, true), "cmdStealError", {}, lastLogged},
      {"Dropped? fielder 11", stealThrow(91, 9, false), "cmdStealError", {}, lastLogged},
      {"jump hold 1 jump 10", jump(4, 0, -1), "cmdJump", {}, firstLogged},
      {"jump hold 3 jump 6 third", jump(2, 4, 0), "cmdJump", {}, firstLogged},
      {"jump hold 5 jump 3 home", jump(0, 7, 1), "cmdJump", {}, firstLogged},
      {"jump hold 2 jump 9", jump(3, 1, -1), "cmdJump", {}, firstLogged},
      {"E1 pitcher 14", jumpFollowUp(3, "optError", 6, false), "cmdJumpError", {}, lastLogged},
      {"E1 pitcher 4 cold", jumpFollowUp(3, "optError", 16, true), "cmdJumpError", {}, lastLogged},
      {"balk after jump, 2", jumpFollowUp(89, "Option1", 3, false), "cmdBalk", {}, lastLogged},
      {"pickoff after jump, 4",
       jumpFollowUp(95, "Option1", 1, false),
       "cmdPickoff",
       {},
       lastLogged},
      {"balk chart 3", balkChart(2), "cmdBalk", {}, lastLogged},
      {"balk chart 5", balkChart(0), "cmdBalk", {}, lastLogged},
      // The second roll comes only after the first keeps the runner in the rundown (1-6
      // for speed 6): each roll is tried with the other held.
      {"rundown speed 6, first roll",
       rundown(4),
       "cmdRundown",
       {false},
       onlySection(0, rundownObserved),
       {1},
       varyOnly(0, 50)},
      {"rundown speed 6, second roll",
       rundown(4),
       "cmdRundown",
       {false},
       onlySection(1, rundownObserved),
       {0},
       varyOnly(1, 1)},
      {"rundown speed 0", rundown(10), "cmdRundown", {false}, rundownObserved},
      {"rundown speed 10, second roll",
       rundown(0),
       "cmdRundown",
       {false},
       onlySection(1, rundownObserved),
       {0},
       varyOnly(1, 7)},
      {"collision FR", runnersFollowUp(18, "optRange", 3, false), "cmdCollision", {}, lastLogged},
      {"sending 12", runners(2015, 0), "cmdRunners", {}, runnersObserved},
      {"sending 6 2016", runners(2016, 6), "cmdRunners", {}, runnersObserved},
      {"sending -1", runners(2015, 13), "cmdRunners", {}, runnersObserved},
      {"throw 15", runnersFollowUp(19, "optError", 5, false), "cmdRunError", {}, lastLogged},
      {"throw 4 cold", runnersFollowUp(19, "optError", 16, true), "cmdRunError", {}, lastLogged},
      {"WP 1 PB 1", wildPitch(4, 4, false), "cmdWildPitch", {}, lastLogged},
      {"WP 5 PB 5 hit and run", wildPitch(0, 0, true), "cmdWildPitch", {}, lastLogged},
      {"WP 3 PB 4", wildPitch(2, 1, false), "cmdWildPitch", {}, lastLogged},
      {"foul Boston", foul(3), "cmdFoulBall", {}, lastLogged},
      {"foul Colorado", foul(8), "cmdFoulBall", {}, lastLogged},
      {"infield RSP grass", infield(0, 2, {}, false), "cmdIFR", {}, lastLogged},
      {"infield LP turf hit and run", infield(1, 1, {}, true), "cmdIFR", {}, lastLogged},
      {"infield RP normal", infield(0, 3, {8, 0}, false), "cmdIFR", {}, lastLogged},
      {"double play at 3B", doublePlay(0, 3), "cmdIFR", {}, lastLogged},
      {"double play at SS", doublePlay(1, 4), "cmdIFR", {}, lastLogged},
      {"infield result hole SS AV",
       infieldResult(infield(0, 0, {9}, true), 70, 2),
       "cmdIFRResult",
       {},
       lastLogged},
      {"infield result ripped 1B SP turf",
       infieldResult(infield(1, 0, {}, false), 6, 0),
       "cmdIFRResult",
       {},
       lastLogged},
      {"infield result middle 2B WK",
       infieldResult(infield(0, 3, {11}, false), 8, 6),
       "cmdIFRResult",
       {},
       lastLogged},
      {"infield result off the end P",
       infieldResult(infield(1, 2, {8, 1}, false), 45, 3),
       "cmdIFRResult",
       {},
       lastLogged},
      {"infield result line 3B in",
       infieldResult(infield(0, 3, {3}, false), 90, 4),
       "cmdIFRResult",
       {},
       lastLogged},
      {"double play result", infieldResult(doublePlay(0, 1), 2, 1), "cmdIFRResult", {}, lastLogged},
      {"outfield LSP", outfield(0, 0, 3), "cmdOFR", {}, lastLogged},
      {"outfield RP turf", outfield(3, 1, 8), "cmdOFR", {}, lastLogged},
      {"outfield result head CF Boston",
       outfieldResult(0, 0, 3, 45, 2, false),
       "cmdOFRResult",
       {},
       lastLogged},
      {"outfield result leaguer turf",
       outfieldResult(0, 1, 0, 21, 4, false),
       "cmdOFRResult",
       {},
       lastLogged},
      {"outfield result gap in",
       outfieldResult(2, 0, 8, 20, 1, true),
       "cmdOFRResult",
       {},
       lastLogged},
      {"outfield result line LF",
       outfieldResult(1, 1, 0, 90, 5, false),
       "cmdOFRResult",
       {},
       lastLogged},
      {"outfield result Chicago warm",
       outfieldResult(0, 0, 5, 45, 3, false),
       "cmdOFRResult",
       {true},
       warmDay,
       {1}},
      {"outfield result Chicago cool",
       outfieldResult(0, 0, 5, 45, 3, false),
       "cmdOFRResult",
       {false},
       coolDay,
       {0}},
      {"error P 20", errorChart(1, 0, false, false), "cmdError", {}, lastLogged},
      {"error C 9 cold", errorChart(2, 11, true, false), "cmdError", {}, lastLogged},
      {"error 1B 14 in", errorChart(3, 6, false, true), "cmdError", {}, lastLogged},
      {"error 2B 12", errorChart(4, 8, false, false), "cmdError", {}, lastLogged},
      {"error SS 3 cold and in", errorChart(6, 17, true, true), "cmdError", {}, lastLogged},
      {"error CF 15 in", errorChart(8, 5, false, true), "cmdError", {}, lastLogged},
      {"error RF 1", errorChart(9, 19, false, false), "cmdError", {}, lastLogged},
      // Where every fielder leaves the same rating, the result roll is tried on its own; the
      // third-base-in case, where the fielder matters, tries every pair of rolls.
      {"bunt 1 squeeze grass, fielder",
       bunt(4, 0, {}, true),
       "cmdRollBunt",
       {},
       onlySection(0, fielderThenResult),
       {1},
       varyOnly(0, 50)},
      {"bunt 1 squeeze grass, result",
       bunt(4, 0, {}, true),
       "cmdRollBunt",
       {},
       onlySection(1, fielderThenResult),
       {0},
       varyOnly(1, 3)},
      {"bunt 3 turf infield in, result",
       bunt(2, 1, {8, 1}, false),
       "cmdRollBunt",
       {},
       onlySection(1, fielderThenResult),
       {0},
       varyOnly(1, 6)},
      {"bunt 5 grass corners in squeeze, result",
       bunt(0, 0, {8, 2}, true),
       "cmdRollBunt",
       {},
       onlySection(1, fielderThenResult),
       {0},
       varyOnly(1, 9)},
      {"bunt 4 turf 3B in", bunt(1, 1, {3}, false), "cmdRollBunt", {}, fielderThenResult},
      {"ballpark effects LSP Arizona", bpeChart(0, 0), "cmdRollBPE", {}, lastLogged},
      {"ballpark effects RP Boston", bpeChart(3, 3), "cmdRollBPE", {}, lastLogged},
      {"crazy play", crazyChart(), "cmdCrazyPlay", {}, crazySeen},
      // A deep drive rolls up to three times; each roll is tried with the others held (the
      // distance roll, whose odds mix the locations, has a test of its own below).
      {"deep LSP location",
       deepChart(0, 2, 0, 0, -1, false),
       "cmdDeep",
       {},
       {},
       {},
       varyOnly(0, 50),
       onlyDeep("location")},
      {"deep RP location",
       deepChart(3, 0, 3, 1, 1, true),
       "cmdDeep",
       {},
       {},
       {},
       varyOnly(0, 50),
       onlyDeep("location")},
      {"deep LSP foul line",
       deepChart(0, 2, 0, 0, -1, false),
       "cmdDeep",
       {},
       {},
       {},
       [](std::size_t draw) -> std::optional<std::int16_t> {
         if (draw == 1) return std::nullopt;
         return draw == 0 ? 1 : 50;  // 1 is down the right-field line
       },
       onlyDeep("foul line")},
      {"weather Colorado April day, sky",
       weatherChart(8, 0, 0),
       "cmdWeather",
       {},
       {},
       {},
       varyOnly(0, 50),
       onlyWeather("sky")},
      {"weather Colorado July day, temperature",
       weatherChart(8, 3, 0),
       "cmdWeather",
       {},
       {},
       {},
       varyOnly(1, 0),
       onlyWeather("temperature")},
      {"weather Colorado July night, wind",
       weatherChart(8, 3, 1),
       "cmdWeather",
       {},
       {},
       {},
       varyOnly(2, 0),
       onlyWeather("wind")},
      {"weather Atlanta July day, after T-Storms",
       weatherChart(1, 3, 0),
       "cmdWeather",
       {},
       {},
       {},
       afterSky("Atlanta", 4, weather::Sky::TStorms),
       onlyWeather("after T-Storms")},
      {"weather Colorado April night, after Snow",
       weatherChart(8, 0, 1),
       "cmdWeather",
       {},
       {},
       {},
       afterSky("Colorado", 1, weather::Sky::Snow),
       onlyWeather("after Snow")},
      {"weather Tampa Bay closed dome",
       weatherChart(26, 3, 0),
       "cmdWeather",
       {},
       {},
       {},
       {},
       weatherSeen},
      {"new injury 1", injuryChart(4), "cmdNewInjury", {}, newInjurySeen, {1}, varyOnly(0, 5)},
      {"new injury 3", injuryChart(2), "cmdNewInjury", {}, newInjurySeen, {1}},
      {"recovered 4", injuryChart(1), "cmdRecovered", {}, recoveredSeen, {0}},
      {"recovered 1", injuryChart(4), "cmdRecovered", {}, recoveredSeen, {0}},
      {"robbed SP", robbedFollowUp(0, 52, 0), "cmdRobbed", {}, lastLogged},
      {"robbed AV", robbedFollowUp(0, 52, 2), "cmdRobbed", {}, lastLogged},
      {"bunt error 12",
       buntFollowUp(0, 43, {}, {}, "optError", 8, false),
       "cmdBuntError",
       {},
       lastLogged},
      {"bunt error 5 cold",
       buntFollowUp(9, 44, {}, {}, "optError", 15, true),
       "cmdBuntError",
       {},
       lastLogged},
      {"bunt strikeout > 9.9",
       buntFollowUp(3, 50, {}, {}, "optK9", 0, false),
       "cmdBuntStrikeout",
       {},
       lastLogged},
      {"bunt strikeout < 4.0",
       buntFollowUp(3, 50, {}, {}, "optK9", 4, false),
       "cmdBuntStrikeout",
       {},
       lastLogged},
      {"bunt lead out, catcher, speed 7",
       buntFollowUp(1, 78, {}, {false, true}, "optJump", 3, false),
       "cmdBuntSpeed",
       {},
       lastLogged},
      {"bunt lead out, first base back, speed 2",
       buntFollowUp(3, 78, {}, {false, true}, "optJump", 8, false),
       "cmdBuntSpeed",
       {},
       lastLogged},
      {"bunt for a hit, speed 5",
       buntFollowUp(6, 78, {}, {true}, "optJump", 5, false),
       "cmdBuntSpeed",
       {},
       lastLogged},
      {"bunt beat out, speed 9",
       buntFollowUp(6, 85, {}, {}, "optJump", 1, false),
       "cmdBuntSpeed",
       {},
       lastLogged},
      {"tough play third base in, VG",
       buntFollowUp(5, 95, {3}, {}, "optRange", 1, false),
       "cmdToughPlay",
       {},
       lastLogged},
      {"tough play first base back, WK",
       buntFollowUp(4, 95, {}, {}, "optRange", 6, false),
       "cmdToughPlay",
       {},
       lastLogged},
  };
}

// Every die sequence the click can draw, each with its chance; what each one showed.
struct SequenceRun {
  Chance chance;
  Observed observed;
};

void everySequence(const Case& c, const odds::Odds& shown, std::vector<std::int16_t> prefix,
                   const Chance& chance, std::vector<SequenceRun>& runs) {
  Window w;
  c.setUp(w);
  ASSERT_TRUE(w.dice.values.empty()) << c.name << ": the set-up left dice unused";
  const std::size_t drawsBefore = w.dice.draws.size();
  const std::vector<std::string> before = w.form.List1.items;
  w.dice.values.assign(prefix.begin(), prefix.end());
  w.dialogs.answers.assign(c.answers.begin(), c.answers.end());
  Control* button = w.form.find(c.button);
  ASSERT_NE(button, nullptr);
  ASSERT_TRUE(button->reachable()) << c.name;
  w.form.click(*button);

  const std::size_t drawn = w.dice.draws.size() - drawsBefore;
  if (drawn > prefix.size()) {
    const auto [upper, lower] = w.dice.draws[drawsBefore + prefix.size()];
    if (c.fixed) {
      if (const auto held = c.fixed(prefix.size())) {
        prefix.push_back(*held);
        everySequence(c, shown, prefix, chance, runs);
        return;
      }
    }
    prefix.push_back(0);
    for (int value = lower; value <= upper; ++value) {
      prefix.back() = static_cast<std::int16_t>(value);
      everySequence(c, shown, prefix, chance * odds::oneIn(upper - lower + 1), runs);
    }
    return;
  }
  const std::vector<std::string>& after = w.form.List1.items;
  ASSERT_LT(after.size(), 8u) << c.name << ": the history filled up, so new entries are lost";
  ASSERT_GE(after.size(), before.size());
  const Logged logged(after.begin() + static_cast<long>(before.size()), after.end());
  if (!c.observeByHeading) {
    runs.push_back({chance, c.observe(w.form, logged)});
    return;
  }
  Observed observed(shown.sections.size());
  for (const auto& [heading, word] : c.observeByHeading(w.form, logged)) {
    for (std::size_t s = 0; s < shown.sections.size(); ++s) {
      if (shown.sections[s].heading.ends_with(": " + heading)) observed[s] = word;
    }
  }
  runs.push_back({chance, observed});
}

std::string describe(const odds::Section& section) {
  std::string out = section.heading + ":";
  for (const odds::Line& line : section.lines) {
    out += " " + line.word + " " + std::to_string(line.chance.numerator()) + "/" +
           std::to_string(line.chance.denominator());
  }
  return out;
}

TEST_F(InSeasons, OddsEqualWhatTheHandlerRollsOverEveryDieSequence) {
  for (const Case& c : everyChart()) {
    SCOPED_TRACE(c.name);
    Window w;
    c.setUp(w);
    const odds::Odds odds = w.form.odds();
    ASSERT_TRUE(odds.hasNumbers()) << odds.message;

    std::vector<SequenceRun> runs;
    everySequence(c, odds, {}, Chance(1, 1), runs);
    ASSERT_FALSE(runs.empty());
    bool checked = false;

    for (std::size_t s = 0; s < odds.sections.size(); ++s) {
      // The roll of a section counts only in the runs that made it.
      std::map<std::string, Chance> seen;
      Chance made;
      for (const SequenceRun& run : runs) {
        if (s >= run.observed.size() || !run.observed[s]) continue;
        seen[*run.observed[s]] += run.chance;
        made += run.chance;
      }
      const bool skipped =
          std::find(c.unobserved.begin(), c.unobserved.end(), s) != c.unobserved.end();
      if (skipped) {
        EXPECT_TRUE(made.isZero()) << "section " << s << " was expected unreachable";
        continue;
      }
      // A case that holds rolls fixed checks only the sections of the rolls it varies.
      if (c.observeByHeading && made.isZero()) continue;
      checked = true;
      ASSERT_FALSE(made.isZero()) << "no run made the roll of " << describe(odds.sections[s]);
      std::map<std::string, Chance> expected;
      for (const odds::Line& line : odds.sections[s].lines) {
        // The made runs' share of each word, as an exact fraction of those runs.
        expected[line.word] = line.chance * made;
      }
      EXPECT_EQ(seen.size(), expected.size()) << describe(odds.sections[s]);
      for (const auto& [word, chance] : seen) {
        ASSERT_TRUE(expected.count(word))
            << "the handler showed \"" << word
            << "\", the odds do not name it: " << describe(odds.sections[s]);
        EXPECT_EQ(chance, expected[word]) << word << " in " << describe(odds.sections[s]);
      }
    }
    EXPECT_TRUE(checked) << "no section checked";
  }
}

// Odds are a look, not a move: no die is drawn, no box shown, nothing on screen changes.
TEST_F(InSeasons, ComputingTheOddsChangesNothing) {
  for (const Case& c : everyChart()) {
    SCOPED_TRACE(c.name);
    Window w;
    c.setUp(w);
    const std::size_t draws = w.dice.draws.size();
    const std::size_t shown = w.dialogs.shown.size();
    std::vector<Control> before;
    for (const Control* control : w.form.controls()) before.push_back(*control);
    const std::string title = w.form.title;
    (void)w.form.odds();
    (void)w.form.odds();
    EXPECT_EQ(w.dice.draws.size(), draws);
    EXPECT_EQ(w.dialogs.shown.size(), shown);
    EXPECT_EQ(w.form.title, title);
    for (std::size_t i = 0; i < before.size(); ++i) {
      const Control& now = *w.form.controls()[i];
      EXPECT_EQ(now.caption, before[i].caption) << now.displayName();
      EXPECT_EQ(now.value, before[i].value) << now.displayName();
      EXPECT_EQ(now.visible, before[i].visible) << now.displayName();
      EXPECT_EQ(now.enabled, before[i].enabled) << now.displayName();
    }
  }
}

// ---- Every selection adds up to exactly 1 ------------------------------------------------

void expectWhole(const odds::Odds& odds, const std::string& context) {
  ASSERT_TRUE(odds.hasNumbers()) << context << ": " << odds.message;
  for (const odds::Section& section : odds.sections) {
    Chance sum;
    for (const odds::Line& line : section.lines) {
      EXPECT_FALSE(line.chance.isZero()) << context << ": " << line.word;
      sum += line.chance;
    }
    EXPECT_EQ(sum, Chance(1, 1)) << context << ": " << describe(section);
  }
}

void expectMessage(const odds::Odds& odds, const std::string& message) {
  EXPECT_EQ(odds.message, message);
  EXPECT_FALSE(odds.hasNumbers());
}

void unselect(ControlArray& group) {
  for (Control& option : group) option.value = false;
}

// Shows exactly this roll button, as the chart's own steps would leave it.
void onlyButton(Form2& form, Control& button) {
  for (Control* c : form.controls()) {
    const bool leaves = c == &form.cmdCancel || c == &form.cmdExit;
    if (c->kind == ControlKind::Button && !leaves) c->visible = false;
  }
  button.visible = true;
}

// Every set of infield-defence boxes the panel lets a player reach: no two in conflict, at
// least one checked.
std::vector<std::vector<int>> consistentAlignments(const Form2& form) {
  std::vector<std::vector<int>> found;
  const int boxes = form.chkIFDefense.size();
  for (int mask = 1; mask < (1 << boxes); ++mask) {
    std::vector<int> checked;
    for (int box = 0; box < boxes; ++box) {
      if ((mask >> box) & 1) checked.push_back(box);
    }
    bool consistent = true;
    for (const int a : checked) {
      for (const int b : checked) consistent = consistent && !infield::conflicts(a, b);
    }
    if (consistent) found.push_back(checked);
  }
  return found;
}

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
