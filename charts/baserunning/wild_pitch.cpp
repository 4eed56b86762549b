// Wild pitch, passed ball and foul.

#include <string>
#include <string_view>

#include "charts/baserunning/wild_pitch_table.h"
#include "shell/form2.h"

namespace vnt {

namespace {

// What each die of this chart is for, as the game log and the own-dice box name it.
constexpr std::string_view kFoulDie = "foul ball or not, read against the park's foul territory";
constexpr std::string_view kWildPitchDie =
    "wild pitch or passed ball, read against the WP and PB ratings";

}  // namespace

void Form2::cmdFoulBall_Click() {
  const std::int16_t ballpark = GetBallpark();
  if (ballpark == -1) {
    dialogs_.ok("You must select a ballpark", "");
    return;
  }
  FoulResult(ballpark);
}

void Form2::FoulResult(int ballpark) {
  // The foul-territory rating comes from the season's Deep file; when that cannot be read
  // the player is told so and the chart stays as it was, ready for another try.
  if (!lookUpBallpark(ballpark)) return;
  cmdFoulBall.visible = false;
  cmdCancel.caption = "&Continue";
  Label1.caption = VersionLine();
  const int foulTerritory = BallparkTable[14];
  const std::int16_t roll = rollDice(99, 0, kFoulDie);
  Text1.caption = wild_pitch::foulWord(wild_pitch::foulBall(foulTerritory, roll));
  IncrementDiceRolls();
}

void Form2::cmdWildPitch_Click() {
  // Both ratings are checked, so a player who chose neither hears about both.
  const std::int16_t wildPitch = GetRating();
  if (wildPitch == -1) dialogs_.ok("You must select a WP rating", "Wild Pitch / Passed Ball");
  std::int16_t passedBall = -1;
  for (const auto& option : optPBRating) {
    if (option.value) passedBall = static_cast<std::int16_t>(5 - option.index);
  }
  if (passedBall == -1) dialogs_.ok("You must select a PB rating", "Wild Pitch / Passed Ball");
  if (wildPitch != -1 && passedBall != -1) WPResult(wildPitch, passedBall);
}

void Form2::WPResult(std::int16_t wildPitch, std::int16_t passedBall) {
  cmdWildPitch.visible = false;
  cmdCancel.caption = "&Continue";
  const std::int16_t roll = rollDice(99, 0, kWildPitchDie);
  Label1.caption = VersionLine();
  lblCrazyPlay.caption.clear();

  const wild_pitch::Pitch outcome = wild_pitch::pitch(wildPitch, passedBall, roll);
  Text1.caption = std::string(wild_pitch::pitchWord(outcome));
  IncrementDiceRolls();

  fraCrazyPlay.caption = "WP/PB";
  fraPB.visible = false;
  fraBuntRating.visible = false;
  fraCrazyPlay.visible = true;
  lblCrazyPlay.visible = true;
  lblCrazyPlay.caption = wild_pitch::pitchText(outcome, chkHitRun.value);
}

}  // namespace vnt
