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

// The roll in the player's words, with what part of it the section is: the button caption
// at the head of `heading` gives way to the roll's own name.
std::string titleOf(const std::string& heading, const std::string& caption, const char* roll) {
  const std::string words = roll;
  if (heading == caption) return words;
  if (heading.starts_with(caption + ": ")) return words + heading.substr(caption.size());
  return words + ": " + heading;
}

}  // namespace

std::string Form2::nextSteps() const {
  std::vector<std::string> buttons;
  for (const Control* c : controls_) {
    if (c->kind != ControlKind::Button || !c->reachable() || c->caption.empty()) continue;
    // The quick dice are always there and roll no chart.
    if (c == &cmdOne || c == &cmdTwo || c == &cmdThree || c == &cmdTwenty) continue;
    bool shown = true;
    for (const Control* frame = c->container; frame != nullptr; frame = frame->container) {
      shown = shown && frame->visible;
    }
    if (shown) buttons.push_back(withoutAccessKey(c->caption));
  }
  if (buttons.empty()) return "";
  std::string out = "Next: " + buttons.front();
  for (std::size_t i = 1; i < buttons.size(); ++i) {
    out += (i + 1 == buttons.size() ? " or " : ", ") + buttons[i];
  }
  return out;
}

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
    const std::string caption = odds::plainCaption((this->*roll.button).caption);
    for (auto& section : one.sections) section.title = titleOf(section.heading, caption, roll.roll);
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
  if (!result.sections.empty()) {
    // After a roll, the window waits for a follow-up: say so above its odds.
    if (!Text1.caption.empty())
      result.next = "Next roll: " + result.sections.front().shownHeading();
    return result;
  }

  result.say("Nothing to roll: the result is in");
  result.next = nextSteps();
  return result;
}

}  // namespace vnt
