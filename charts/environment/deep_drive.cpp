// A ball hit deep: location, the foul line, the carry against the wall of the ballpark, and
// the leap at a low wall.

#include <algorithm>
#include <span>
#include <string>
#include <string_view>

#include "charts/environment/deep_drive_table.h"
#include "shell/form2.h"

namespace vnt {

namespace {

// What each die of this chart is for, as the game log and the own-dice box name it.
constexpr std::string_view kWhereDie = "where the drive goes, read against the batting style";
constexpr std::string_view kFairDie = "fair or foul along the line";
constexpr std::string_view kCarryDie = "how far the drive carries, read against the power rating";
constexpr std::string_view kLeapDie =
    "the leap at the wall, read against the range and the wall's height";

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

  deep::moveWalls(
      std::span<std::int16_t, deep::kLocationCount>(BallparkTable.data(), deep::kLocationCount),
      GetWind(), optClutch[0].value, optClutch[1].value, chkTired.value);

  const int location = deep::deepLocation(GetBattingStyle(), rollDice(9, 0, kWhereDie));
  DeepLocation = static_cast<std::int16_t>(location);
  Text1.caption = std::string(deep::locationWord(location));
  IncrementDiceRolls();

  if (location == deep::kLeftFieldLine || location == deep::kRightFieldLine) {
    const bool fair = rollDice(99, 0, kFairDie) >= deep::kFairFrom;
    Text1.caption = std::string(deep::lineWord(fair));
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

  Text1.caption = std::to_string(RandomNumber(99, 0, kCarryDie));
  const int roll = std::stoi(Text1.caption);
  if (chkDiceRolls.value) {
    Text1.caption = "Roll " + std::to_string(roll);
    IncrementDiceRolls();
  }
  const int drive = deep::driveDistance(power, roll);
  Text1.caption = "Distance " + std::to_string(drive);
  IncrementDiceRolls();

  const int height = BallparkTable[static_cast<std::size_t>(location + 7)];
  const bool boston = optBallpark[GetBallpark()].caption == "Boston";
  const deep::Carry carry = deep::carry(drive, wall, height, boston);
  const std::string fielder(deep::fielder(location));
  const std::string word = deep::carryWord(carry, fielder, boston);
  if (carry == deep::Carry::HomeRun || carry == deep::Carry::HomeRunAtAHighWall) {
    if (carry == deep::Carry::HomeRunAtAHighWall) {
      Text1.caption = std::to_string(height) + " ft";
      IncrementDiceRolls();
    }
    Text1.caption = word;
    IncrementDiceRolls();
    cmdCancel_Click();
    return;
  }
  if (carry == deep::Carry::Robbed) {
    Text1.caption = word;
    IncrementDiceRolls();
    Robbed();
    return;
  }

  fraCrazyPlay.caption = "Deep! Result";
  fraCrazyPlay.visible = true;
  const std::string caught =
      "Ball caught.  Batter out, runners on 2nd and 3rd advance, runner on 1st may attempt to "
      "advance.  ";
  if (boston) {
    // The high wall in left keeps a drive that falls just short in play.
    std::string text;
    if (carry == deep::Carry::Caught) {
      text = caught + fielder + " would throw.";
    } else {
      // On a double the batter stands on second whoever fields it; on a single the
      // fielder's arm decides whether he can stretch it.
      text = word + "  ";
      if (roll % 2 == 0) {
        text += "Double!  ";
      } else {
        text += "Single, you can stretch into a double.  " + fielder + " fields ball.  ";
      }
    }
    lblCrazyPlay.caption = text + "Runners advance two bases.";
  } else {
    Text1.caption = word;
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
  const int roll = rollDice(20, 1, kLeapDie);
  const int height = BallparkTable[static_cast<std::size_t>(DeepLocation + 7)];
  const bool caught = deep::robbedCaught(rangeRating() + 1, height, roll);
  Text1.caption = std::string(deep::robbedWord(caught));
  IncrementDiceRolls();
  cmdCancel.caption = "&Continue";
  Label1.caption = VersionLine();
}

}  // namespace vnt
