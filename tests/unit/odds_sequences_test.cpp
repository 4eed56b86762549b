// The odds against the real thing: for every chart and follow-up, the click handler is run
// over every sequence of die values it can draw (scripted dice), and the frequencies of
// what it shows must equal the odds exactly; computing the odds draws no die and changes
// nothing on the window.

#include "tests/unit/odds_test_support.h"

namespace vnt {
namespace {

using namespace odds_testing;

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

// Every roll is headed in the player's words, never by a button's caption: the roll the
// window waits for names itself ("Steal roll", "Bunt: fielder"), and a follow-up after a
// roll is named as the next roll.
TEST_F(InSeasons, EveryRollIsHeadedInThePlayersWords) {
  std::map<std::string, std::vector<std::string>> titles;  // by case
  for (const Case& c : everyChart()) {
    SCOPED_TRACE(c.name);
    Window w;
    c.setUp(w);
    const odds::Odds shown = w.form.odds();
    ASSERT_TRUE(shown.hasNumbers()) << shown.message;
    for (const odds::Section& section : shown.sections) {
      EXPECT_FALSE(section.title.empty()) << section.heading;
      EXPECT_EQ(section.shownHeading(), section.title);
      EXPECT_EQ(section.title.find("Roll Dice"), std::string::npos) << section.title;
      titles[c.name].push_back(section.title);
    }
    const std::string text = odds::text(shown);
    EXPECT_NE(text.find(shown.sections.front().title + "\n"), std::string::npos) << text;
  }
  const std::map<std::string, std::vector<std::string>> expected = {
      {"bunt 1 squeeze grass, fielder", {"Bunt: fielder", "Bunt: result"}},
  };
  for (const auto& [name, want] : expected) EXPECT_EQ(titles[name], want) << name;
  for (const auto& [name, got] : titles) {
    if (name.starts_with("steal ")) {
      EXPECT_EQ(got.front(), "Steal roll") << name;
    }
  }
}

// After a roll the window names the follow-up it waits for, and once the result is in, what
// the player can do next.
TEST_F(InSeasons, AfterARollTheOddsSayWhatComesNext) {
  Window w;
  steal(2015, 0, -1)(w);
  EXPECT_EQ(w.form.odds().next, "") << "nothing rolled yet";
  w.roll(80, "cmdStealing");  // SB+E2?: the throw is rolled next
  w.click("optError", 6);
  const odds::Odds waiting = w.form.odds();
  ASSERT_TRUE(waiting.hasNumbers()) << waiting.message;
  EXPECT_EQ(waiting.sections.front().title, "Steal: error roll");
  EXPECT_EQ(waiting.next, "Next roll: Steal: error roll");
  w.roll(50, "cmdStealError");
  const odds::Odds done = w.form.odds();
  EXPECT_EQ(done.message, "Nothing to roll: the result is in");
  EXPECT_EQ(done.next, "Next: Continue or Exit");
  EXPECT_NE(odds::text(done).find("Next: Continue or Exit\n"), std::string::npos);
}

}  // namespace
}  // namespace vnt
