// The bunt's follow-up rolls: the speed roll for "Beat Out?" and "Lead Out?", "Strikeout?"
// and "Error?".

#include <string>
#include <string_view>

#include "charts/bunting/bunt_followups_table.h"
#include "charts/bunting/bunt_table.h"
#include "shell/form2.h"

namespace vnt {

namespace {

// What each die of this chart is for, as the game log and the own-dice box name it.
constexpr std::string_view kRaceDie =
    "the runner's race to the base, read against the speed rating";
constexpr std::string_view kStrikeoutDie = "strikeout or not, read against the pitcher's K/9";
constexpr std::string_view kThrowDie =
    "the throw to the lead runner, read against the error rating";

}  // namespace

void Form2::cmdBuntSpeed_Click() {
  const std::int16_t speed = GetJumpRating();
  if (speed == -99) {
    dialogs_.ok("Enter a Speed rating", "Speed");
    return;
  }
  if (BuntOutcome == bunt::outcomeWord(bunt::Outcome::LeadOut)) {
    LeadOut(speed);
  } else if (BuntOutcome == bunt::outcomeWord(bunt::Outcome::BeatOut)) {
    BeatOut(speed);
  }
}

void Form2::BeatOut(std::int16_t speed) {
  const std::int16_t roll = rollDice(10, 1, kRaceDie);
  const bool single = bunt::beatsItOut(speed, roll);
  Text1.caption = std::string(bunt::beatOutWord(single));
  lblCrazyPlay.caption = single
                             ? "Batter safe at first with a single, other runners advance one base."
                             : "Batter out at first, other runners advance one base.";
  IncrementDiceRolls();
  cmdBuntSpeed.visible = false;
  finishBunt();
}

void Form2::LeadOut(std::int16_t speed) {
  const int adjusted = bunt::leadRunnerSpeed(speed, buntFielderCloseIn());
  const std::int16_t roll = rollDice(10, 1, kRaceDie);
  const bool safe = bunt::leadRunnerSafe(adjusted, roll);
  Text1.caption = std::string(bunt::leadRunnerWord(safe));
  lblCrazyPlay.caption = safe ? "Everyone is safe!" : "Lead runner out, batter safe at 1st (FC).";
  IncrementDiceRolls();
  cmdBuntSpeed.visible = false;
  finishBunt();
}

std::int16_t Form2::BuntStrikeout() const {
  std::int16_t group = -1;
  for (const Control& option : optK9) {
    if (option.value) group = static_cast<std::int16_t>(option.index);
  }
  return group;
}

void Form2::cmdBuntStrikeout_Click() {
  const std::int16_t group = BuntStrikeout();
  if (group == -1) {
    dialogs_.ok("Enter Pitcher's K/9 Rating", "Strikeout?");
    return;
  }
  BuntK(group);
}

void Form2::BuntK(std::int16_t k9Group) {
  const bunt::Strikeout outcome = bunt::strikeout(k9Group, rollDice(99, 0, kStrikeoutDie));
  Text1.caption = std::string(bunt::strikeoutWord(outcome));
  IncrementDiceRolls();
  switch (outcome) {
    case bunt::Strikeout::SH:
      lblCrazyPlay.caption =
          "SH - Sacrifice.  Batter out at first, other runners advance one base.";
      break;
    case bunt::Strikeout::Miss:
      lblCrazyPlay.caption =
          "Miss - Batter misses pitch, runners hold.\r"
          "Suicide Squeeze - Runner must attempt to steal home.";
      break;
    case bunt::Strikeout::K:
      lblCrazyPlay.caption =
          "K - Batter strikes out, runners hold.\r"
          "Suicide Squeeze - Runner must attempt to steal home.";
      break;
  }
  finishBunt();
  cmdBuntStrikeout.visible = false;
}

void Form2::cmdBuntError_Click() {
  const std::int16_t rating = errorRating();
  if (rating == -1) {
    dialogs_.ok("You must select an Error rating", "");
    return;
  }
  BuntE(rating);
}

void Form2::BuntE(std::int16_t errorRating) {
  cmdBuntError.visible = false;
  // A cold day (ticked here or by the weather roll) makes every throw harder; "In" does not
  // change a throw from close in.
  int rating = errorRating;
  if (chkError[0].value) rating -= bunt::kColdPenalty;
  const std::int16_t roll = rollDice(20, 1, kThrowDie);
  std::string sentence;
  const bool getsLeadRunner = bunt::throwGetsLeadRunner(rating, roll);
  Text1.caption = std::string(bunt::throwWord(getsLeadRunner));
  if (getsLeadRunner) {
    sentence =
        "Great play is is made to throw out the lead runner.  Batter safe at 1st (FC), other "
        "runners advance one base.";
  } else {
    sentence =
        "Great stop is forgotten after bad throw trying to get the lead runner.  Batter safe at "
        "1st, other runners advance one base.";
  }
  IncrementDiceRolls();
  lblCrazyPlay.caption = "\r\r\r\r\r" + sentence;
  finishBunt();
}

}  // namespace vnt
