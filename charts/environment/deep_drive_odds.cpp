// The odds of a ball hit deep: the location roll, the foul-line roll of a drive down a
// line, and the distance roll against the wall where the ball goes; then the leap at a low
// wall.

#include <algorithm>
#include <array>
#include <span>
#include <string>

#include "charts/chart_odds.h"
#include "charts/environment/deep_drive_table.h"
#include "shell/form2.h"

namespace vnt::odds {

void deepDrive(const Form2& form, Odds& odds) {
  const std::int16_t style = form.GetBattingStyle();
  if (style == -1) odds.say("Select a batting style");
  const std::int16_t ballpark = form.GetBallpark();
  if (ballpark == -1) odds.say("Select a ballpark");
  const std::int16_t power = form.GetRating();
  if (power == -1) odds.say("Select a power rating");
  const std::int16_t wind = form.GetWind();
  if (wind == -1) odds.say("Select a wind speed");
  if (!odds.message.empty()) return;

  const std::string& park = form.optBallpark[ballpark].caption;
  assume(odds, "Batting", selectedCaption(form.OptBatting));
  assume(odds, "Ballpark", park);
  assume(odds, form.fraBuntRating.caption, std::to_string(power));
  assume(odds, form.fraWind.caption, selectedCaption(form.optWind));
  if (form.optClutch[0].value || form.optClutch[1].value) {
    assume(odds, form.fraClutch.caption, selectedCaption(form.optClutch));
  }
  if (form.chkTired.value) assume(odds, "Tired?", "yes");
  const auto record = form.findDeepRecord(ballpark);
  if (!record.value) {
    odds.say(record.message);
    return;
  }
  std::array<std::int16_t, 16> walls = *record.value;
  deep::moveWalls(std::span<std::int16_t, deep::kLocationCount>(walls.data(), deep::kLocationCount),
                  wind, form.optClutch[0].value, form.optClutch[1].value, form.chkTired.value);
  const std::string caption = plainCaption(form.cmdDeep.caption);

  Tally locations;
  for (int location = 0; location < deep::kLocationCount; ++location) {
    locations.add(deep::locationWord(location), Chance());  // the line in left field first
  }
  std::array<Chance, deep::kLocationCount> at{};
  for (int roll = 0; roll <= 9; ++roll) {
    const int location = deep::deepLocation(style, roll);
    locations.add(deep::locationWord(location), oneIn(10));
    at[static_cast<std::size_t>(location)] += oneIn(10);
  }
  odds.sections.push_back(locations.section(caption + ": location"));

  // Down a line the ball must first stay fair.
  Tally line({deep::lineWord(true), deep::lineWord(false)});
  for (int roll = 0; roll <= 99; ++roll) {
    line.add(deep::lineWord(roll >= deep::kFairFrom), oneIn(100));
  }
  const odds::Section lineSection = line.section(caption + ": foul line");
  Chance fairShare;
  for (const Line& l : lineSection.lines) {
    if (l.word == deep::lineWord(true)) fairShare = l.chance;
  }
  const bool downALine = !at[deep::kLeftFieldLine].isZero() || !at[deep::kRightFieldLine].isZero();
  if (downALine) odds.sections.push_back(lineSection);

  // The distance roll is made only for a fair ball: its odds are shared out over the
  // locations as they stand once the foul balls are gone.
  Chance fair;
  std::array<Chance, deep::kLocationCount> fairAt{};
  for (int location = 0; location < deep::kLocationCount; ++location) {
    const bool onALine = location == deep::kLeftFieldLine || location == deep::kRightFieldLine;
    fairAt[static_cast<std::size_t>(location)] =
        at[static_cast<std::size_t>(location)] * (onALine ? fairShare : Chance(1, 1));
    fair += fairAt[static_cast<std::size_t>(location)];
  }
  if (fair.isZero()) return;
  const bool boston = park == "Boston";
  Tally distance({deep::carryWord(deep::Carry::HomeRun, "", boston),
                  deep::carryWord(deep::Carry::Robbed, "", boston)});
  for (int location = 0; location < deep::kLocationCount; ++location) {
    const Chance share = fairAt[static_cast<std::size_t>(location)] / fair;
    if (share.isZero()) continue;
    const int wall = std::max<int>(walls[static_cast<std::size_t>(location)], 1);
    const int height = walls[static_cast<std::size_t>(location + 7)];
    const std::string fielder(deep::fielder(location));
    for (int roll = 0; roll <= 99; ++roll) {
      const deep::Carry carry = deep::carry(deep::driveDistance(power, roll), wall, height, boston);
      distance.add(deep::carryWord(carry, fielder, boston), share * oneIn(100));
    }
  }
  odds.sections.push_back(distance.section(caption + ": distance"));
}

void robbed(const Form2& form, Odds& odds) {
  const std::int16_t range = form.rangeRating();
  if (range == -1) {
    odds.say("Select a range rating");
    return;
  }
  const int location = std::clamp<int>(form.DeepLocation, 0, deep::kLocationCount - 1);
  const int height = form.BallparkTable[static_cast<std::size_t>(location + 7)];
  assume(odds, "Range", selectedCaption(form.optRange));
  assume(odds, "Wall", std::to_string(height) + " ft");
  Tally tally({deep::robbedWord(true), deep::robbedWord(false)});
  for (int roll = 1; roll <= 20; ++roll) {
    tally.add(deep::robbedWord(deep::robbedCaught(range + 1, height, roll)), oneIn(20));
  }
  odds.sections.push_back(tally.section(plainCaption(form.cmdRobbed.caption)));
}

}  // namespace vnt::odds
