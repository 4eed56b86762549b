// Rundown and collision.

#include <string>
#include <string_view>

#include "charts/baserunning/rundown_table.h"
#include "shell/form2.h"

namespace vnt {

namespace {

// What each die of this chart is for, as the game log and the own-dice box name it.
constexpr std::string_view kFirstRollDie = "the first rundown roll, read against the speed rating";
constexpr std::string_view kSecondRollDie =
    "the second rundown roll, read against the speed rating";
constexpr std::string_view kCollisionDie = "the collision, read against the fielder's range";

}  // namespace

namespace {
constexpr int kSendingRunnersChart = 9;
}  // namespace

void Form2::cmdRundown_Click() {
  // Speeds run from 10 to 0. A steal rating of -1 to -3 can still be selected (and locked)
  // from the steal roll: that is no speed, so it asks for one like an empty choice.
  const std::int16_t speed = GetJumpRating();
  if (speed < 0) {
    dialogs_.ok("You must select an Speed rating", "");
    return;
  }
  RundownResult(speed);
}

// The rundown shows no outcome word: its result is the explanation alone, and only the
// raw rolls (when "Show Dice Rolls" is checked) reach the history.
void Form2::RundownResult(std::int16_t speed) {
  lblCrazyPlay.caption.clear();
  lblCrazyPlay.visible = true;
  fraCrazyPlay.caption = "Rundown";
  fraCrazyPlay.visible = true;
  cmdRundown.visible = false;
  cmdCancel.caption = "&Continue";

  const std::int16_t first = rollDice(10, 1, kFirstRollDie);
  const bool out = rundown::outOnFirstRoll(speed, first);
  lblCrazyPlay.caption += std::string(rundown::firstRollWord(out));
  if (out) {
    lblCrazyPlay.caption += ", other runners hold.";
  } else {
    lblCrazyPlay.caption += ", other runners may advance.";
    if (dialogs_.yesNo("Do you want to go to the Sending Runners? chart for another runner?",
                       "Defensive Manager's Choice")) {
      fraJump.visible = false;
      fraCrazyPlay.visible = false;
      cmdCancel.caption = "&Cancel";
      cmdChart_Click(kSendingRunnersChart);
    } else {
      lblCrazyPlay.caption += "\r";
      const std::int16_t second = rollDice(99, 0, kSecondRollDie);
      lblCrazyPlay.caption +=
          std::string(rundown::secondRollWord(rundown::safeOnSecondRoll(speed, second))) +
          ", other runners hold.";
    }
  }
  Label1.caption = VersionLine();
}

void Form2::cmdCollision_Click() {
  const std::int16_t range = rangeRating();
  if (range == -1) {
    dialogs_.ok("You must select a Range rating", "Collision!");
    return;
  }
  CollisionResult(range);
}

void Form2::CollisionResult(std::int16_t range) {
  const std::int16_t roll = rollDice(20, 1, kCollisionDie);
  const std::string outcome(rundown::collision(range, roll));
  lblCrazyPlay.caption =
      "\r\r\r\r\r" + outcome + "\rOther runners hold.  Check for injuries to both players.";
  showOutcome(cmdCollision, outcome);
}

}  // namespace vnt
