// The odds of the roll to come: for each roll button on screen, the chart's own odds.

#include <algorithm>
#include <string>

#include "charts/chart_odds.h"
#include "shell/form2.h"

namespace vnt {
namespace {

using OddsOf = void (*)(const Form2&, odds::Odds&);

struct RollButton {
  Control Form2::*button;
  OddsOf oddsOf;
};

// Every roll button with odds, in the order the window lists them when several show.
// clang-format off
constexpr RollButton kRollButtons[] = {
    {&Form2::cmdStealing, odds::stealing},
    {&Form2::cmdStealError, odds::stealError},
    {&Form2::cmdJump, odds::jump},
    {&Form2::cmdJumpError, odds::jumpError},
    {&Form2::cmdBalk, odds::balk},
    {&Form2::cmdPickoff, odds::pickoff},
    {&Form2::cmdRundown, odds::rundown},
    {&Form2::cmdCollision, odds::collision},
    {&Form2::cmdRunners, odds::runners},
    {&Form2::cmdRunError, odds::runError},
    {&Form2::cmdWildPitch, odds::wildPitch},
    {&Form2::cmdFoulBall, odds::foulBall},
    {&Form2::cmdIFR, odds::infieldRange},
    {&Form2::cmdIFRResult, odds::infieldRangeResult},
    {&Form2::cmdOFR, odds::outfieldRange},
    {&Form2::cmdOFRResult, odds::outfieldRangeResult},
    {&Form2::cmdError, odds::errorChart},
    {&Form2::cmdRollBunt, odds::bunt},
    {&Form2::cmdBuntSpeed, odds::buntSpeed},
    {&Form2::cmdBuntStrikeout, odds::buntStrikeout},
    {&Form2::cmdBuntError, odds::buntError},
    {&Form2::cmdToughPlay, odds::toughPlay},
    {&Form2::cmdDeep, odds::deepDrive},
    {&Form2::cmdRobbed, odds::robbed},
    {&Form2::cmdRollBPE, odds::ballparkEffects},
    {&Form2::cmdCrazyPlay, odds::crazyPlay},
    {&Form2::cmdWeather, odds::weatherRoll},
    {&Form2::cmdNewInjury, odds::newInjury},
    {&Form2::cmdRecovered, odds::recovered},
};
// clang-format on

bool onScreen(const Control& control) {
  for (const Control* c = &control; c != nullptr; c = c->container) {
    if (!c->visible) return false;
  }
  return true;
}

}  // namespace

odds::Odds Form2::odds() const {
  odds::Odds result;
  if (screenState() != ScreenState::ChartSetup) {
    result.say(screenState() == ScreenState::SeasonSelection ? "Select a season"
                                                             : "Choose a chart");
    return result;
  }
  result.chart = title;

  for (const RollButton& roll : kRollButtons) {
    if (!onScreen(this->*roll.button)) continue;
    odds::Odds one;
    roll.oddsOf(*this, one);
    for (const std::string& assumption : one.assumptions) {
      if (std::find(result.assumptions.begin(), result.assumptions.end(), assumption) ==
          result.assumptions.end()) {
        result.assumptions.push_back(assumption);
      }
    }
    if (!one.message.empty()) result.say(one.message);
    for (auto& section : one.sections) result.sections.push_back(std::move(section));
  }
  if (!result.message.empty()) {
    result.sections.clear();
    return result;
  }
  if (!result.sections.empty()) return result;

  result.say("Nothing to roll: the result is in");
  return result;
}

}  // namespace vnt
