// What the window tells the game log: the chart on screen, the selections a click is made
// with, and the result the click left.

#include "shell/form2.h"

namespace vnt {

LogContext Form2::logContext() const {
  // Only the quick dice roll in the chart menu; during a set-up the title names the chart.
  const bool setUp = screenState() == ScreenState::ChartSetup;
  return {setUp ? title : "Quick dice", SeasonText, !setUp};
}

ClickStart Form2::logClickStart(const Control& control) const {
  ClickStart start;
  start.control = &control;
  // "Show Dice Rolls" is how the window shows rolls, not part of the situation.
  start.selections = selectedOnScreen(controls_, {&chkDiceRolls});
  start.before = resultShown();
  return start;
}

ResultShown Form2::resultShown() const {
  return {Text1.caption, fraCrazyPlay.visible && lblCrazyPlay.visible, fraCrazyPlay.caption,
          lblCrazyPlay.caption};
}

}  // namespace vnt
