// Injuries and recovery: how long a new injury keeps a player out, and whether an injured
// player may play today.

#include <string>
#include <string_view>

#include "charts/environment/injury_table.h"
#include "shell/form2.h"

namespace vnt {
namespace {

// What each die of this chart is for, as the game log and the own-dice box name it.
constexpr std::string_view kInjuryDie = "the injury, read against the injury rating";
constexpr std::string_view kDaysDie = "the number of days missed";
constexpr std::string_view kRecoveryDie = "the recovery, read against the injury rating";

constexpr const char* kInProgress = "Days missed includes game now in progress.\r\r";

std::string recoverySentence(injury::Status status) {
  switch (status) {
    case injury::Status::Play:
      return " - Player is eligible to play.";
    case injury::Status::Sore:
      return " - Player may only DH or PH, and speed, stealing, and jump are reduced by 4.  Roll "
             "again before next game.";
    case injury::Status::Out:
      return " - Player must miss this game.  Roll again before next game.";
  }
  return "";
}

}  // namespace

void Form2::cmdNewInjury_Click() {
  const std::int16_t rating = GetRating();
  if (rating == -1) {
    dialogs_.ok("You must select an injury rating", "");
    return;
  }
  NewInjury(rating);
}

void Form2::cmdRecovered_Click() {
  const std::int16_t rating = GetRating();
  if (rating == -1) {
    dialogs_.ok("You must select a injury rating", "");
    return;
  }
  InjuryRecovery(rating);
}

void Form2::NewInjury(std::int16_t injuryRating) {
  using Kind = injury::Missed::Kind;
  Label1.caption = VersionLine();
  cmdNewInjury.visible = false;
  cmdRecovered.visible = false;
  cmdCancel.caption = "&Continue";

  injury::Missed missed = injury::injuryDays(injuryRating, rollDice(99, 0, kInjuryDie));
  if (missed.kind == Kind::RollAgain) {
    // The second roll is the number of days; the history shows what it was for instead.
    const std::string rolledFor = injury::missedWord(missed);
    Text1.caption = std::to_string(RandomNumber(99, 0, kDaysDie));
    missed = {Kind::Days, std::stoi(Text1.caption)};
    Text1.caption = rolledFor;
    IncrementDiceRolls();
  }

  Text1.caption = injury::missedWord(missed);
  IncrementDiceRolls();

  fraCrazyPlay.caption = "Injury Result";
  fraCrazyPlay.visible = true;
  lblCrazyPlay.visible = true;
  if (missed.kind == Kind::Season) {
    lblCrazyPlay.caption = std::string(kInProgress) +
                           "Player is injured for the remainder of the season and post-season.";
  } else if (missed.days == 0) {
    lblCrazyPlay.caption = "Player is shaken up but stays in the game.";
  } else {
    lblCrazyPlay.caption = std::string(kInProgress) + "Player is injured and will miss " +
                           std::to_string(missed.days) + (missed.days == 1 ? " day." : " days.");
  }
}

void Form2::InjuryRecovery(std::int16_t injuryRating) {
  Label1.caption = VersionLine();
  cmdNewInjury.visible = false;
  cmdRecovered.visible = false;
  cmdCancel.caption = "&Continue";

  const std::int16_t roll = rollDice(20, 1, kRecoveryDie);
  const injury::Status status = injury::recoveryStatus(injuryRating, roll);
  const std::string word(injury::statusWord(status));
  Text1.caption = word;
  IncrementDiceRolls();

  fraCrazyPlay.caption = "Injury Result";
  fraCrazyPlay.visible = true;
  lblCrazyPlay.visible = true;
  lblCrazyPlay.caption = "Injury Rating - " + std::to_string(injuryRating) + "\rDie Roll - " +
                         std::to_string(roll) + "\r\r" + word + recoverySentence(status);
}

}  // namespace vnt
