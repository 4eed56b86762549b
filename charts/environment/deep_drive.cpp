// A ball hit deep: location, the foul line, the carry against the wall of the ballpark, and
// the leap at a low wall.

#include <algorithm>
#include <string>

#include "charts/environment/deep_drive_table.h"
#include "shell/form2.h"

namespace vnt {
namespace {

// The wind and the pressure of the at-bat move the walls, in distance steps.
constexpr int kWindSteps = 5;
constexpr int kClutchSteps = 5;
constexpr int kTiredSteps = 5;

}  // namespace

void Form2::cmdDeep_Click() {
  // Every check runs, so the player learns all that is missing at once.
  const bool style = GetBattingStyle() != -1;
  if (!style) dialogs_.ok("You must select a batting style", "");
  const bool ballpark = GetBallpark() != -1;
  if (!ballpark) dialogs_.ok("You must select a ballpark", "");
  const bool power = GetRating() != -1;
  if (!power) dialogs_.ok("You must select a bunting rating", "");
  const bool wind = GetWind() != -1;
  if (!wind) dialogs_.ok("You must select a wind speed", "");
  if (style && ballpark && power && wind) DeepResult();
}

void Form2::DeepResult() {
  // The walls come fresh from the file each drive, so the wind and clutch changes never
  // add up; a file that went bad since the season was chosen stops the drive untouched.
  if (!lookUpBallpark(GetBallpark())) return;

  cmdDeep.visible = false;
  cmdCancel.caption = "&Continue";
  Label1.caption = VersionLine();

  // A wall at the edge of 16 bits stays there rather than wrapping round to a short one.
  const auto moveWalls = [this](int first, int last, int steps) {
    for (int slot = first; slot <= last; ++slot) {
      auto& wall = BallparkTable[static_cast<std::size_t>(slot)];
      wall = static_cast<std::int16_t>(std::clamp(wall + steps, -32768, 32767));
    }
  };
  switch (GetWind()) {
    case 4:  // wind in
      moveWalls(0, 6, kWindSteps);
      break;
    case 3:  // wind out
      moveWalls(0, 6, -kWindSteps);
      break;
    case 2:  // across from left to right: the left side plays deeper, the right shorter
      moveWalls(0, 2, kWindSteps);
      moveWalls(4, 6, -kWindSteps);
      break;
    case 1:  // across from right to left
      moveWalls(0, 2, -kWindSteps);
      moveWalls(4, 6, kWindSteps);
      break;
    default:
      break;
  }
  if (optClutch[0].value) moveWalls(0, 6, kClutchSteps);
  if (optClutch[1].value) moveWalls(0, 6, -kClutchSteps);
  if (chkTired.value) moveWalls(0, 6, -kTiredSteps);

  const int location = deep::deepLocation(GetBattingStyle(), rollDice(9, 0));
  DeepLocation = static_cast<std::int16_t>(location);
  Text1.caption = std::string(deep::locationWord(location));
  IncrementDiceRolls();

  if (location == deep::kLeftFieldLine || location == deep::kRightFieldLine) {
    const bool fair = rollDice(99, 0) >= deep::kFairFrom;
    Text1.caption = fair ? "Fair Ball" : "Foul Ball!";
    IncrementDiceRolls();
    if (!fair) {
      cmdCancel_Click();
      return;
    }
  }

  auto& wallSlot = BallparkTable[static_cast<std::size_t>(location)];
  wallSlot = std::max<std::int16_t>(wallSlot, 1);
  const int wall = wallSlot;
  Text1.caption = "Distance " + std::to_string(wall);
  IncrementDiceRolls();

  const int power = GetRating();
  if (chkDeep.value) {
    const int needed = deep::rollNeeded(power, wall);
    dialogs_.ok(
        needed >= deep::kNotPossible ? "Not Possible" : "Roll Needed " + std::to_string(needed),
        "Deep!");
  }

  Text1.caption = std::to_string(RandomNumber(99, 0));
  const int roll = std::stoi(Text1.caption);
  if (chkDiceRolls.value) {
    Text1.caption = "Roll " + std::to_string(roll);
    IncrementDiceRolls();
  }
  const int drive = deep::driveDistance(power, roll);
  Text1.caption = "Distance " + std::to_string(drive);
  IncrementDiceRolls();

  const int height = BallparkTable[static_cast<std::size_t>(location + 7)];
  if (drive > wall || (drive == wall && height >= deep::kRobbingHeight)) {
    if (drive == wall) {
      Text1.caption = std::to_string(height) + " ft";
      IncrementDiceRolls();
    }
    Text1.caption = "Home Run!";
    IncrementDiceRolls();
    cmdCancel_Click();
    return;
  }
  if (drive == wall) {
    Text1.caption = "Robbed?";
    IncrementDiceRolls();
    Robbed();
    return;
  }

  fraCrazyPlay.caption = "Deep! Result";
  fraCrazyPlay.visible = true;
  const std::string fielder(deep::fielder(location));
  const std::string caught =
      "Ball caught.  Batter out, runners on 2nd and 3rd advance, runner on 1st may attempt to "
      "advance.  ";
  if (optBallpark[GetBallpark()].caption == "Boston") {
    // The high wall in left keeps a drive that falls just short in play.
    std::string text;
    if (drive + 10 < wall) {
      text = caught + fielder + " would throw.";
    } else {
      text = "Off the Wall!  ";
      text += roll % 2 == 0 ? "Double!  " : "Single, you can stretch into a double.  ";
      text += fielder + " fields ball.  ";
    }
    lblCrazyPlay.caption = text + "Runners advance two bases.";
  } else {
    Text1.caption = "Caught - " + fielder;
    IncrementDiceRolls();
    lblCrazyPlay.caption = caught + fielder + " throws.";
  }
  lblCrazyPlay.visible = true;
}

void Form2::Robbed() {
  const std::string text =
      std::string(deep::fielder(DeepLocation)) + " leaps at the wall!  Enter Range";
  Label1.caption = text;
  fraRange.caption = text;
  fraRange.visible = true;
  for (auto& option : optRange) {
    option.value = false;
    option.visible = true;
  }
  cmdRobbed.visible = true;
  fraBallparks.visible = false;
  fraWind.visible = false;
  fraClutch.visible = false;
  for (auto& option : OptBatting) option.visible = false;
}

void Form2::cmdRobbed_Click() {
  const std::int16_t range = rangeRating();
  if (range == -1) {
    dialogs_.ok("Enter Fielder's Range Rating", "Robbed?");
    return;
  }
  DeepRobbed();
}

void Form2::DeepRobbed() {
  cmdRobbed.visible = false;
  const int roll = rollDice(20, 1);
  const int height = BallparkTable[static_cast<std::size_t>(DeepLocation + 7)];
  const bool caught = deep::robbedCaught(rangeRating() + 1, height, roll);
  Text1.caption = caught ? "Caught!!" : "Home Run!";
  IncrementDiceRolls();
  cmdCancel.caption = "&Continue";
  Label1.caption = VersionLine();
}

}  // namespace vnt
