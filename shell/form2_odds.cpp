// The odds of the roll to come: for each roll button on screen, the chart's own odds, put
// together as one view.

#include <algorithm>
#include <string>

#include "shell/form2.h"

namespace vnt {
namespace {

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

  for (const RollOdds& roll : rollOdds()) {
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
