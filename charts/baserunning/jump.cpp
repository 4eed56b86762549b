// Jump, balk and pickoff: the runner's jump against the pitcher's hold, and the pitcher's
// balk, pickoff throw and wild throw that it may lead to.

#include <string>
#include <string_view>

#include "charts/baserunning/jump_table.h"
#include "shell/form2.h"

namespace vnt {
namespace {

// What each die of this chart is for, as the game log and the own-dice box name it.
constexpr std::string_view kJumpDie =
    "the jump, read against the hold rating and the adjusted jump rating";
constexpr std::string_view kBalkDie = "the balk, read against the balk rating";
constexpr std::string_view kPickoffDie = "the pickoff throw, read against the pickoff rating";
constexpr std::string_view kThrowDie =
    "the pitcher's throw, read against the adjusted error rating";

constexpr int kStealChart = 10;

}  // namespace

void Form2::cmdJump_Click() {
  // Both ratings are checked, so a player who chose neither hears of both at once.
  const std::int16_t hold = GetRating();
  if (hold == -1) dialogs_.ok("You must select a hold rating", "");
  const std::int16_t jump = GetJumpRating();
  if (jump == -99) dialogs_.ok("You must select a jump rating", "");
  if (hold != -1 && jump != -99) Jump(hold, jump);
}

void Form2::Jump(std::int16_t holdRating, std::int16_t jumpRating) {
  using jump::Outcome;
  const jump::Target target = optTime[0].value   ? jump::Target::Third
                              : optTime[1].value ? jump::Target::Home
                                                 : jump::Target::Second;
  cmdJump.visible = false;
  cmdCancel.caption = "&Continue";
  const int j = jump::adjustedJump(jumpRating, target);
  const std::int16_t roll = rollDice(99, 0, kJumpDie);
  const Outcome outcome = jump::jumpOutcome(holdRating, j, roll);
  Text1.caption = std::string(jump::outcomeWord(outcome));
  IncrementDiceRolls();
  Label1.caption = VersionLine();

  switch (outcome) {
    case Outcome::Holds:
      break;
    case Outcome::Balk:
    case Outcome::Pickoff: {
      // The rating frame now asks for the pitcher's balk or pickoff rating. Pressing the
      // follow-up at once reminds the player that the rating is still to be chosen.
      const bool balk = outcome == Outcome::Balk;
      fraBuntRating.caption = balk ? "Balk Rating" : "Pickoff Rating";
      (balk ? cmdBalk : cmdPickoff).visible = true;
      for (auto& option : Option1) option.value = false;
      fraJump.visible = false;
      fraTime.visible = false;
      if (balk) {
        cmdBalk_Click();
      } else {
        cmdPickoff_Click();
      }
      Label1.caption = balk ? "Select Balk Rating" : "Select Pickoff Rating";
      break;
    }
    case Outcome::E1:
      fraJump.visible = false;
      fraBuntRating.visible = false;
      fraTime.visible = false;
      fraCrazyPlay.caption = "Pitcher Error Rating";
      fraCrazyPlay.visible = true;
      // "Cold" and "In" keep their checks: the weather may have set "Cold".
      fraError.visible = true;
      chkError[0].visible = true;
      chkError[1].visible = true;
      for (auto& option : optError) {
        option.value = false;
        option.visible = true;
      }
      Label1.caption = "Select Pitcher Error Rating";
      cmdJumpError.visible = true;
      cmdJumpError_Click();
      break;
    case Outcome::Attempts:
    case Outcome::JumpMinus2:
      // Straight on to the steal; the base chosen for the jump stays chosen.
      cmdChart_Click(kStealChart);
      break;
  }
}

void Form2::cmdBalk_Click() {
  const std::int16_t rating = GetRating();
  if (rating == -1) {
    dialogs_.ok("You must select a balk rating", "");
    return;
  }
  Balk(rating);
}

void Form2::Balk(std::int16_t balkRating) {
  const std::int16_t roll = rollDice(9, 0, kBalkDie);
  showOutcome(cmdBalk, std::string(jump::balkWord(jump::balks(balkRating, roll))));
}

void Form2::cmdPickoff_Click() {
  const std::int16_t rating = GetRating();
  if (rating == -1) {
    dialogs_.ok("You must select a pickoff rating", "");
    return;
  }
  Pickoff(rating);
}

void Form2::Pickoff(std::int16_t pickoffRating) {
  const std::int16_t roll = rollDice(9, 0, kPickoffDie);
  showOutcome(cmdPickoff, std::string(jump::pickoffWord(jump::picksOff(pickoffRating, roll))));
}

void Form2::cmdJumpError_Click() {
  const std::int16_t rating = errorRating();
  if (rating == -1) dialogs_.ok("You must select an Error rating", "");
  Label1.caption = "Select Pitcher Error Rating";
  if (rating != -1) JumpResult(rating);
}

void Form2::JumpResult(std::int16_t errorRating) {
  cmdJumpError.visible = false;
  // No floor: a rating taken below 0 lets every throw get away.
  if (chkError[0].value) errorRating = static_cast<std::int16_t>(errorRating - 6);
  Text1.caption = std::to_string(errorRating);
  IncrementDiceRolls();
  const std::int16_t roll = rollDice(20, 0, kThrowDie);
  std::string explanation = "\r\r\r\r\r";
  const bool getsAway = jump::throwGetsAway(errorRating, roll);
  Text1.caption = std::string(jump::throwWord(getsAway));
  if (getsAway) {
    explanation +=
        "Runner advances one base on E1 and may try for additional base using Sending "
        "Runners? Chart. (OF fields)";
  } else {
    explanation += "Runner must hold as wild throw is blocked.";
  }
  IncrementDiceRolls();
  lblCrazyPlay.caption = explanation;
  lblCrazyPlay.visible = true;
  // "&Continue" is already there from the jump roll, and the prompt stays.
}

}  // namespace vnt
