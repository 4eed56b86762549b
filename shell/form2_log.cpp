// What the window tells the game log: the chart on screen, the selections a click is made
// with, and the result the click left.

#include "shell/form2.h"

namespace vnt {

LogContext Form2::logContext() const {
  // Only the quick dice roll in the chart menu; during a set-up the title names the chart.
  const bool setUp = screenState() == ScreenState::ChartSetup;
  return {setUp ? title : "Quick dice", SeasonText, !setUp};
}

void Form2::beginLoggedClick(const Control& control) {
  // Run on every click: pointers and string assignments into memory kept from the last
  // click, no words until the click turns out to roll.
  ClickStart& start = gameLog_.beginClick();
  start.control = &control;
  // "Show Dice Rolls" is how the window shows rolls, not part of the situation.
  selectedOnScreen(controls_, &chkDiceRolls, start.selections);
  fillResultShown(start.before);
}

void Form2::endLoggedClick() {
  if (!gameLog_.rolling()) {
    gameLog_.endClick(ResultShown{});
    return;
  }
  ResultShown after;
  fillResultShown(after);
  gameLog_.endClick(after);
}

void Form2::fillResultShown(ResultShown& shown) const {
  shown.outcome = Text1.caption;
  shown.detailShown = fraCrazyPlay.visible && lblCrazyPlay.visible;
  shown.heading = fraCrazyPlay.caption;
  shown.explanation = lblCrazyPlay.caption;
}

}  // namespace vnt
