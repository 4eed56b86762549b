// The chart buttons: each turns the chart menu into one chart's set-up, writing the
// captions the shared frames carry for that chart and clearing what must be entered afresh.

#include <initializer_list>
#include <string>
#include <string_view>

#include "shell/form2.h"

namespace vnt {
namespace {

// What this die is for, as the game log and the own-dice box name it.
constexpr std::string_view kFielderDie = "the fielder the ball is hit to";

void show(std::initializer_list<Control*> controls) {
  for (Control* control : controls) control->visible = true;
}

void clearAndShow(ControlArray& group, int first, int last) {
  for (int i = first; i <= last; ++i) {
    group[i].value = false;
    group[i].visible = true;
  }
}

void clearAndShow(ControlArray& group) {
  clearAndShow(group, 0, group.size() - 1);
}

// Captions that count down from `from`, one per element: "10", "9", ...
void captionCountingDown(ControlArray& group, int from) {
  for (auto& element : group) element.caption = std::to_string(from - element.index);
}

}  // namespace

void Form2::cmdChart_Click(int Index) {
  Text1.caption.clear();
  for (auto& button : cmdChart) button.visible = false;
  for (Control* button : {&cmdThree, &cmdTwo, &cmdOne, &cmdTwenty}) button->visible = false;
  placeChartControls(Index);

  switch (Index) {
    case 0:
      setUpBallparkEffects();
      break;
    case 1:
      setUpBunt();
      break;
    case 2:
      setUpCrazyPlay();
      break;
    case 3:
      setUpDeepDrive();
      break;
    case 4:
      setUpError();
      break;
    case 5:
      setUpInfieldRange();
      break;
    case 6:
      setUpInjury();
      break;
    case 7:
      setUpJump();
      break;
    case 8:
      setUpOutfieldRange();
      break;
    case 9:
      setUpSendingRunners();
      break;
    case 10:
      setUpSteal();
      break;
    case 11:
      setUpWeather();
      break;
    case 12:
      setUpWildPitch();
      break;
    case 13:
      setUpBalk();
      break;
    default:
      break;
  }
  placeDetailFrame();
}

// Only the chosen season's ballparks; the options beyond its count are never shown.
void Form2::showSeasonBallparks() {
  for (auto& option : optBallpark) option.visible = option.index < BallparkCount;
}

void Form2::setUpBallparkEffects() {
  title = "Ball Park Effects";
  showSeasonBallparks();
  clearAndShow(OptBatting);
  Label1.caption = "Select Batting Style, Ballpark, and Roll Dice";
  show({&cmdRollBPE, &fraBallparks});
}

void Form2::setUpBunt() {
  title = "Bunting";
  fraBuntRating.caption = "Bunt Rating";
  show({&fraBuntRating, &fraSurface, &cmdRollBunt, &fraIFDefense});
  chkOFin.visible = true;
  chkOFin.caption = "Squeeze Play";
  chkOFin.value = false;
  // An outfield range result may have disabled the box; a squeeze must stay possible.
  chkOFin.enabled = true;
  Label1.caption = "Select Bunting Rating, Playing Field, Defense, and Roll Dice";
  resetInfieldDefense();
  clearAndShow(Option1);
  show({&optSurface[1], &optSurface[0]});
}

void Form2::setUpCrazyPlay() {
  title = "Crazy Play";
  show({&cmdCrazyPlay, &fraCrazyPlay});
  lblCrazyPlay.caption.clear();
  lblCrazyPlay.visible = true;
  Label1.caption = "Click Roll Dice for result of Crazy Play!";
}

void Form2::setUpDeepDrive() {
  title = "Deep!";
  chkDeep.visible = true;
  fraBuntRating.caption = "Power Rating";
  show({&fraBuntRating, &cmdDeep, &fraBallparks});
  clearAndShow(Option1);
  showSeasonBallparks();
  Label1.caption = "Enter Batting, Power, Ballpark, and Wind - Clutch optional";
  fraWind.visible = true;
  for (auto& option : optWind) option.visible = true;
  clearAndShow(OptBatting);
  fraClutch.caption = "Clutch";
  fraClutch.visible = true;
  for (auto& option : optClutch) option.visible = true;
  select(optClutch[3]);
  chkTired.value = false;
  chkTired.visible = true;
}

void Form2::setUpError() {
  static const char* const kFielders[] = {"", "P", "C", "1b", "2b", "3b", "SS", "LF", "CF", "RF"};
  title = "Error";
  FielderPosition = rollDice(9, 0, kFielderDie);
  if (FielderPosition >= 1 && FielderPosition <= 9) {
    Text1.caption = kFielders[FielderPosition];
    IncrementDiceRolls();
    show({&cmdError, &fraError, &chkError[0], &chkError[1]});
    chkError[1].value = false;  // "Cold" keeps its check: the weather set it
    fraCrazyPlay.caption = "Error Rating";
    fraCrazyPlay.visible = true;
    Label1.caption = "Enter Error rating - Cold or Infielder In if applicable";
    clearAndShow(optError);
  } else {
    // A roll of 0 is a routine grounder to the pitcher: nothing to enter.
    Text1.caption = "RG P";
    IncrementDiceRolls();
    cmdCancel.caption = "Continue";
  }
}

void Form2::setUpInfieldRange() {
  cmdNormIFR.visible = true;
  title = "Range - Infield";
  chkDPin.value = false;
  chkDPin.enabled = true;
  chkDPin.visible = true;
  for (int i = 0; i <= 3; ++i) {
    OptBatting[i].visible = true;
    OptBatting[i].value = false;
    optLocation[i].value = false;
  }
  optLocation[4].value = false;
  chkHitRun.visible = true;
  chkHitRun.enabled = true;
  show({&fraSurface, &optSurface[0], &optSurface[1], &cmdIFR, &fraIFDefense});
  resetInfieldDefense();
  Label1.caption = "Select Batting Style, Surface, and Defense";
}

void Form2::setUpInjury() {
  title = "Injury";
  fraBuntRating.visible = true;
  fraBuntRating.caption = "Injury Rating";
  clearAndShow(Option1);
  show({&cmdNewInjury, &cmdRecovered});
  Label1.caption = "Enter Injury Rating and New Injury or Recovery";
}

void Form2::setUpJump() {
  title = "Jump";
  fraBuntRating.visible = true;
  fraBuntRating.caption = "Pitcher's Hold Rating";
  clearAndShow(Option1);
  Label1.caption = "Enter Hold Rating and Jump Rating";
  cmdJump.visible = true;
  fraJump.caption = "Jump Rating";
  fraJump.visible = true;
  // Jump ratings run from 10 to 1. All fourteen are cleared: a hidden "0" to "-3" left
  // selected by the Steal chart would otherwise be read as the jump rating.
  captionCountingDown(optJump, 10);
  clearAndShow(optJump, 0, 9);
  for (int i = 10; i <= 13; ++i) {
    optJump[i].value = false;
    optJump[i].visible = false;
  }
  fraTime.caption = "Jump Adjustment";
  fraTime.visible = true;
  optTime[0].caption = "Third Base";
  optTime[1].caption = "Home";
  show({&optTime[0], &optTime[1]});
}

void Form2::setUpOutfieldRange() {
  title = "Range - Outfield";
  clearAndShow(OptBatting);
  show({&fraSurface, &optSurface[0], &optSurface[1]});
  Label1.caption = "Select Batting Style, Surface, Ballpark, and Defense";
  fraBallparks.visible = true;
  showSeasonBallparks();
  chkOFin.value = false;
  chkOFin.enabled = true;
  chkOFin.visible = true;
  cmdOFR.visible = true;
}

void Form2::setUpSendingRunners() {
  title = "Sending Runners?";
  fraCrazyPlay.caption = "Sending Runners?";
  fraCrazyPlay.visible = true;
  lblCrazyPlay.caption =
      "Runner trying for 3rd on hit to OF: -2 lf or lfl, +2 rf or rfl\rHit and Run +5\r"
      "Infield In throwing to home -5\r\r\r\r\r\rTwo outs +2 (Ignore on Hit and Run)";
  lblCrazyPlay.visible = true;
  fraJump.visible = true;
  fraJump.caption = "Adjusted Speed Rating";
  clearAndShow(optJump);
  // A rundown may have disabled some ratings; every speed shown must be choosable.
  for (auto& option : optJump) option.enabled = true;
  captionCountingDown(optJump, 12);
  Label1.caption = "Enter Adjusted Speed Rating";
  cmdRunners.visible = true;
}

void Form2::setUpSteal() {
  title = "Stealing";
  fraCrazyPlay.visible = true;
  fraCrazyPlay.caption = "Stealing Adjustments";
  lblCrazyPlay.caption = "Catcher's Arm\rPitcher's Steal Rating";
  fraAdjust.visible = true;
  lblAdjust.caption = "Turf  +1 to Steal\rHit and Run  -3 Stealing\rNot Held  +2 Stealing";
  show({&lblAdjust, &lblCrazyPlay});
  fraJump.visible = true;
  fraJump.caption = "Adjusted Steal Rating";
  clearAndShow(optJump);
  captionCountingDown(optJump, 10);
  fraTime.visible = true;
  fraTime.caption = "Base (Second is Default)";
  optTime[0].visible = true;
  optTime[0].caption = "Third Base";
  optTime[1].visible = true;
  optTime[1].caption = "Home";
  cmdStealing.visible = true;
  Label1.caption = "Select Adjusted Steal Rating (base if necessary)";
}

void Form2::setUpWeather() {
  fraBallparks.visible = true;
  title = "Weather";
  cmdWeather.visible = true;
  Label1.caption = "Select Month, Day or Night, and Ballpark";
  fraMonth.visible = true;
  for (auto& option : optMonth) option.visible = true;
  fraTime.visible = true;
  fraTime.caption = "Time";
  optTime[0].visible = true;
  optTime[0].caption = "Day";
  optTime[1].visible = true;
  optTime[1].caption = "Night";
  showSeasonBallparks();
}

void Form2::setUpWildPitch() {
  title = "WP/PB/Foul?";
  if (dialogs_.yesNo("Possible Foul Ball?", "WP/PB/Foul?")) {
    Label1.caption = "Select Ballpark";
    showSeasonBallparks();
    show({&fraBallparks, &cmdFoulBall});
    return;
  }
  chkHitRun.enabled = true;
  fraBuntRating.visible = true;
  fraBuntRating.caption = "Wild Pitch Rating";
  show({&cmdWildPitch, &fraPB});
  clearAndShow(Option1);
  clearAndShow(optPBRating);
  chkHitRun.visible = true;
  chkHitRun.value = false;
  Label1.caption = "Enter WP and PB ratings (Hit and Run if applicable)";
}

void Form2::setUpBalk() {
  title = "Balk";
  fraBuntRating.caption = "Balk Rating";
  cmdBalk.visible = true;
  clearAndShow(Option1);
  fraBuntRating.visible = true;
  Label1.caption = "Select Balk Rating";
}

}  // namespace vnt
