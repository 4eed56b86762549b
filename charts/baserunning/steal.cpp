// The Steal chart: a stolen-base attempt read against the adjusted steal rating and the base.

#include <string>
#include <string_view>

#include "charts/baserunning/steal_table.h"
#include "shell/form2.h"

namespace vnt {

namespace {

// What each die of this chart is for, as the game log and the own-dice box name it.
constexpr std::string_view kStealDie = "the steal, read against the base and the steal rating";
constexpr std::string_view kCallDie = "the umpire's call or the fight";
constexpr std::string_view kThrowDie = "the throw, read against the error rating";

}  // namespace

void Form2::cmdStealing_Click() {
  const std::int16_t rating = GetJumpRating();
  if (rating == -99) {
    dialogs_.ok("You must select a Steal rating", "");
    return;
  }
  StealResult(rating);
}

void Form2::StealResult(std::int16_t stealRating) {
  using steal::Outcome;
  cmdStealing.visible = false;
  const std::int16_t roll = rollDice(99, 0, kStealDie);
  const steal::Base base = optTime[0].value   ? steal::Base::Third
                           : optTime[1].value ? steal::Base::Home
                                              : steal::Base::Second;
  const Outcome outcome = steal::stealOutcome(base, stealRating, roll, Season);
  StealOutcome = std::string(steal::outcomeWord(outcome));

  // The steal inputs make way for the explanation of a special result.
  const auto clearTheField = [this](const std::string& heading) {
    fraAdjust.visible = false;
    fraTime.visible = false;
    fraJump.visible = false;
    fraCrazyPlay.caption = heading;
    fraCrazyPlay.visible = true;
  };

  switch (outcome) {
    case Outcome::SB:
    case Outcome::CS:
      Text1.caption = StealOutcome;
      IncrementDiceRolls();
      cmdCancel.caption = "&Continue";
      break;
    case Outcome::BlownCall:
    case Outcome::HardSlide: {
      // The umpire's call or the fight is settled by one more die.
      const bool blownCall = outcome == Outcome::BlownCall;
      Text1.caption = StealOutcome;
      IncrementDiceRolls();
      clearTheField(StealOutcome);
      std::string explanation =
          StealOutcome + "\r" + (blownCall ? "Umpire blows call!" : "Fight erupts!") + "\r";
      if (rollDice(9, 0, kCallDie) >= 5) {
        explanation += blownCall ? "Runner is out (CS) and ejected for arguing!"
                                 : "Runner is out (CS) and ejected for fighting!";
        Text1.caption = "CS";
      } else {
        explanation += "Runner is safe (SB) and fielder covering the bag is ejected!";
        Text1.caption = "SB";
      }
      IncrementDiceRolls();
      lblCrazyPlay.caption = explanation;
      cmdCancel.caption = "&Continue";
      break;
    }
    case Outcome::Collision:
      Text1.caption = StealOutcome;
      IncrementDiceRolls();
      clearTheField("Collision!");
      lblCrazyPlay.caption =
          "Runner and fielder collide and ball is knocked loose!  Runner safe (SB), check for "
          "injuries to both players.";
      Text1.caption = "SB";
      IncrementDiceRolls();
      cmdCancel.caption = "&Continue";
      break;
    case Outcome::SBE2:
    case Outcome::Dropped:
    case Outcome::Rundown:
      break;
  }

  Label1.caption = VersionLine();

  if (outcome == Outcome::SBE2 || outcome == Outcome::Dropped) {
    const bool catchersThrow = outcome == Outcome::SBE2;
    Text1.caption = std::string(steal::shownWord(outcome));
    IncrementDiceRolls();
    clearTheField(StealOutcome);
    if (catchersThrow) {
      lblCrazyPlay.caption.clear();
      fraError.visible = true;
      chkError[0].visible = true;
      chkError[1].visible = true;
    }
    // After "Dropped?" the adjustments stay hidden and the hints stay in the label.
    Label1.caption = catchersThrow ? "Enter Catcher Error Rating" : "Enter Fielder Error Rating";
    cmdStealError.visible = true;
    for (auto& option : optError) {
      option.value = false;
      option.visible = true;
    }
  }

  if (outcome == Outcome::Rundown) {
    fraAdjust.visible = false;
    Text1.caption = StealOutcome;
    IncrementDiceRolls();
    fraTime.visible = false;
    lblCrazyPlay.caption.clear();
    fraCrazyPlay.caption = "Speed Rating";
    Label1.caption = "Enter Speed Rating";
    fraJump.caption = "Speed Rating";
    for (int i = 0; i <= 10; ++i) {
      optJump[i].caption = std::to_string(10 - i);
      optJump[i].value = false;
      optJump[i].visible = true;
    }
    cmdRundown.visible = true;
  }

  // One roll per set-up: the rating and the base stay as rolled until the chart is left.
  // A rundown needs the speed buttons "10" to "0" back.
  optTime[0].enabled = false;
  optTime[1].enabled = false;
  for (auto& option : optJump) {
    option.enabled = outcome == Outcome::Rundown && option.index <= 10;
  }
}

void Form2::cmdStealError_Click() {
  const std::int16_t rating = errorRating();
  if (rating == -1) {
    dialogs_.ok("You must select an Error rating", "");
    return;
  }
  StealError(rating);
}

void Form2::StealError(std::int16_t errorRating) {
  cmdStealError.visible = false;
  const std::int16_t roll = rollDice(20, 1, kThrowDie);
  lblCrazyPlay.caption = "\r\r\r\r\r";
  // Read even when the box is not on screen: the cold weather stays with the fielders.
  if (chkError[0].value) errorRating = static_cast<std::int16_t>(errorRating - 6);

  const bool catchersThrow = StealOutcome == steal::outcomeWord(steal::Outcome::SBE2);
  const steal::ThrowResult result = steal::throwResult(catchersThrow, errorRating, roll);
  Text1.caption = std::string(steal::throwWord(result));
  switch (result) {
    case steal::ThrowResult::ThrowIntoOutfield:
      lblCrazyPlay.caption +=
          "Throw goes into the outfield.  SB+E2, runners advance one extra base.  Runner may "
          "try for an additional base if Speed > 7.";
      break;
    case steal::ThrowResult::ThrowBlocked:
      lblCrazyPlay.caption += "Wild throw is blocked.  SB, no additional advancement.";
      break;
    case steal::ThrowResult::Scooped:
      lblCrazyPlay.caption += "Low throw is scooped out of dirt, CS.";
      break;
    case steal::ThrowResult::Dropped:
      lblCrazyPlay.caption += "Throw is dropped, no SB - one base error.";
      break;
  }
  IncrementDiceRolls();
  // The follow-up's prompt stays in the status line.
  cmdCancel.caption = "&Continue";
}

}  // namespace vnt
