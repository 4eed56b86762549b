#pragma once

// The odds of each roll button, each defined beside its chart (steal_odds.cpp, ...). A
// function reads the window as the button's handler would, enumerates every die value
// through the chart's own reading functions and fills in `odds`: the selections it
// assumes and one section per roll, or the message the button would give instead.

#include <string>

#include "shell/control.h"
#include "shell/odds.h"

namespace vnt {
class Form2;
}

namespace vnt::odds {

void stealing(const Form2& form, Odds& odds);
void stealError(const Form2& form, Odds& odds);
void jump(const Form2& form, Odds& odds);
void jumpError(const Form2& form, Odds& odds);
void balk(const Form2& form, Odds& odds);
void pickoff(const Form2& form, Odds& odds);
void rundown(const Form2& form, Odds& odds);
void collision(const Form2& form, Odds& odds);
void runners(const Form2& form, Odds& odds);
void runError(const Form2& form, Odds& odds);
void wildPitch(const Form2& form, Odds& odds);
void foulBall(const Form2& form, Odds& odds);
void infieldRange(const Form2& form, Odds& odds);
void infieldRangeResult(const Form2& form, Odds& odds);
void outfieldRange(const Form2& form, Odds& odds);
void outfieldRangeResult(const Form2& form, Odds& odds);
void errorChart(const Form2& form, Odds& odds);
void toughPlay(const Form2& form, Odds& odds);
void bunt(const Form2& form, Odds& odds);
void buntSpeed(const Form2& form, Odds& odds);
void buntStrikeout(const Form2& form, Odds& odds);
void buntError(const Form2& form, Odds& odds);
void deepDrive(const Form2& form, Odds& odds);
void robbed(const Form2& form, Odds& odds);
void ballparkEffects(const Form2& form, Odds& odds);
void crazyPlay(const Form2& form, Odds& odds);
void weatherRoll(const Form2& form, Odds& odds);
void newInjury(const Form2& form, Odds& odds);
void recovered(const Form2& form, Odds& odds);

// The caption of the selected option of a group, or empty when none is selected.
std::string selectedCaption(const ControlArray& group);

// "Caption: value", the way the odds window lists a selection it assumes.
void assume(Odds& odds, const std::string& what, const std::string& value);

// "Cold" as the error rolls read it: checked or not, shown or not.
void assumeCold(const Form2& form, Odds& odds);

}  // namespace vnt::odds
