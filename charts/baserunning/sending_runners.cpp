// Sending runners: whether a runner trying for an extra base makes it.

#include <string>
#include <string_view>

#include "charts/baserunning/sending_runners_table.h"
#include "shell/form2.h"

namespace vnt {

namespace {

// What each die of this chart is for, as the game log and the own-dice box name it.
constexpr std::string_view kTryDie = "the runner's try, read against the adjusted speed rating";
constexpr std::string_view kUnusualPlayDie = "the unusual play";
constexpr std::string_view kCallDie = "the blown call or the hard slide";
constexpr std::string_view kThrowDie = "the throw, read against the thrower's error rating";

}  // namespace

namespace sr = sending_runners;

// This chart's speed buttons run from 12 (button 0) down to -1, two above the other charts'.
void Form2::cmdRunners_Click() {
  std::int16_t speed = -99;
  for (const auto& option : optJump) {
    if (option.value) speed = static_cast<std::int16_t>(12 - option.index);
  }
  if (speed == -99) {
    dialogs_.ok("You must select a Speed rating", "Sending Runners?");
    return;
  }
  SendingRunners(speed);
}

void Form2::SendingRunners(std::int16_t speed) {
  cmdRunners.visible = false;
  fraJump.visible = false;
  // Back to the captions every other chart expects ("10" .. "-3").
  for (auto& option : optJump) option.caption = std::to_string(10 - option.index);
  lblCrazyPlay.caption.clear();

  const std::int16_t roll = rollDice(20, 1, kTryDie);
  const sr::Outcome outcome = sr::outcome(speed, roll);

  std::string word(sr::word(outcome));
  Text1.caption = word;
  IncrementDiceRolls();
  fraCrazyPlay.caption = "Sending Runners?";
  cmdCancel.caption = "&Continue";
  Label1.caption = VersionLine();
  std::string explanation = word + std::string(sr::sentence(outcome));

  enum class FollowUp { None, Error, Rundown, Collision } followUp = FollowUp::None;
  if (outcome == sr::Outcome::Error) followUp = FollowUp::Error;
  if (outcome == sr::Outcome::Collision) followUp = FollowUp::Collision;

  if (outcome == sr::Outcome::UnusualPlay) {
    const sr::UnusualPlay play = sr::unusualPlay(rollDice(9, 0, kUnusualPlayDie));
    word = std::string(sr::unusualPlayWord(play, Season));
    Text1.caption = word;
    IncrementDiceRolls();
    explanation = word;
    switch (play) {
      case sr::UnusualPlay::Rundown:
        followUp = FollowUp::Rundown;
        break;
      case sr::UnusualPlay::Collision:
        followUp = FollowUp::Collision;
        break;
      case sr::UnusualPlay::BlownCall: {
        const sr::CallResult call = sr::blownCallOrHardSlide(rollDice(9, 0, kCallDie), Season);
        Text1.caption = std::string(call.word);
        IncrementDiceRolls();
        explanation += std::string(call.sentence);
        break;
      }
    }
  }

  switch (followUp) {
    case FollowUp::None:
      break;
    case FollowUp::Error:
      for (auto& option : optError) {
        option.value = false;
        option.visible = true;
      }
      fraError.visible = true;
      chkError[0].visible = true;
      chkError[1].visible = true;
      cmdRunError.visible = true;
      fraCrazyPlay.caption = "Error?";
      Label1.caption = "Enter Error Rating of Throwing Player";
      break;
    case FollowUp::Rundown:
      fraJump.visible = true;
      fraJump.caption = "Speed Rating";
      for (auto& option : optJump) {
        option.value = false;
        option.visible = option.index <= 10;
      }
      fraCrazyPlay.caption = "Rundown";
      Label1.caption = "Enter Unadjusted Speed Rating of Runner";
      cmdRundown.visible = true;
      break;
    case FollowUp::Collision:
      fraRange.visible = true;
      fraRange.caption = "Range";
      Label1.caption = "Enter Range for Collision!";
      for (auto& option : optRange) {
        option.value = false;
        option.visible = true;
      }
      lblCrazyPlay.caption = "\r\r\r\r\rEnter Range Rating for Collision";
      cmdCollision.visible = true;
      break;
  }

  lblCrazyPlay.caption = explanation;
}

void Form2::cmdRunError_Click() {
  const std::int16_t rating = errorRating();
  if (rating == -1) {
    dialogs_.ok("You must select an Error rating", "");
    return;
  }
  RunError(rating);
}

void Form2::RunError(std::int16_t errorRating) {
  cmdRunError.visible = false;
  cmdCancel.caption = "&Continue";
  Label1.caption = VersionLine();
  // A cold day costs the thrower six points, with no floor.
  int rating = errorRating;
  if (chkError[0].value) rating -= 6;

  const std::int16_t roll = rollDice(20, 1, kThrowDie);
  lblCrazyPlay.caption = "\r\r\r\r\r";
  const bool late = sr::throwIsLate(rating, roll);
  Text1.caption = std::string(sr::throwWord(late));
  IncrementDiceRolls();
  lblCrazyPlay.caption += late ? "Throw is accurate but late, runner safe.  Other runners hold."
                               : "Throw is wild.  All runners advance one extra base.";
}

}  // namespace vnt
