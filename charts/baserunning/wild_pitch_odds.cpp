// The odds of the wild pitch / passed ball roll and of the possible foul ball.

#include <string>

#include "charts/baserunning/wild_pitch_table.h"
#include "charts/chart_odds.h"
#include "shell/form2.h"

namespace vnt::odds {

namespace wp = wild_pitch;

void wildPitch(const Form2& form, Odds& odds) {
  const std::int16_t wildPitch = form.GetRating();
  if (wildPitch == -1) odds.say("Select a WP rating");
  std::int16_t passedBall = -1;
  for (const auto& option : form.optPBRating) {
    if (option.value) passedBall = static_cast<std::int16_t>(5 - option.index);
  }
  if (passedBall == -1) odds.say("Select a PB rating");
  if (wildPitch == -1 || passedBall == -1) return;

  assume(odds, form.fraBuntRating.caption, std::to_string(wildPitch));
  assume(odds, form.fraPB.caption, std::to_string(passedBall));
  Tally tally;
  for (int column = 0; column < wp::kPitchColumns; ++column) {
    tally.add(wp::pitchWord(static_cast<wp::Pitch>(column)), Chance());
  }
  for (int roll = 0; roll <= 99; ++roll) {
    tally.add(wp::pitchWord(wp::pitch(wildPitch, passedBall, roll)), oneIn(100));
  }
  odds.sections.push_back(tally.section(plainCaption(form.cmdWildPitch.caption)));
}

void foulBall(const Form2& form, Odds& odds) {
  const std::int16_t ballpark = form.GetBallpark();
  if (ballpark == -1) {
    odds.say("Select a ballpark");
    return;
  }
  assume(odds, "Ballpark", form.optBallpark[ballpark].caption);
  const auto record = form.findDeepRecord(ballpark);
  if (!record.value) {
    odds.say(record.message);
    return;
  }
  const int foulTerritory = (*record.value)[14];
  assume(odds, "Foul territory", std::to_string(foulTerritory));
  Tally tally;
  for (int column = 0; column < wp::kFoulColumns; ++column) {
    tally.add(wp::foulWord(static_cast<wp::Foul>(column)), Chance());
  }
  for (int roll = 0; roll <= 99; ++roll) {
    tally.add(wp::foulWord(wp::foulBall(foulTerritory, roll)), oneIn(100));
  }
  odds.sections.push_back(tally.section(plainCaption(form.cmdFoulBall.caption)));
}

}  // namespace vnt::odds
