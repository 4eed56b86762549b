// The odds of the infield location roll and of the range result.

#include <string>

#include "charts/chart_odds.h"
#include "charts/fielding/infield_range_table.h"
#include "shell/form2.h"

namespace vnt::odds {

namespace ir = infield_range;

void infieldRange(const Form2& form, Odds& odds) {
  const std::int16_t surface = form.GetSurface();
  if (surface == -1) odds.say("Select a playing surface");
  const std::string caption = plainCaption(form.cmdIFR.caption);

  if (!form.chkDPin.value) {
    const std::int16_t battingStyle = form.GetBattingStyle();
    if (battingStyle == -1) odds.say("Select a batting style");
    if (form.GetIFDefense() == -1) odds.say("Select a defense");
    if (!odds.message.empty()) return;
    assume(odds, "Batting", selectedCaption(form.OptBatting));
    if (form.chkHitRun.value) assume(odds, "Hit and Run", "on");
    Tally tally;
    const ir::Column column = ir::locationColumn(battingStyle, form.chkHitRun.value);
    for (int roll = 0; roll < ir::kRollCount; ++roll) {
      const ir::Spot spot = ir::locate(column, roll);
      tally.add(ir::locationText(spot.location, spot.fielder), oneIn(ir::kRollCount));
    }
    odds.sections.push_back(tally.section(caption));
    return;
  }

  // With the infield in for a double play the player names the fielder.
  std::int16_t fielder = -1;
  for (const Control& option : form.optLocation) {
    if (option.value) fielder = ir::locationOptionFielder(option.index);
  }
  if (fielder == -1) odds.say("Select the location of the double play");
  if (!odds.message.empty()) return;
  assume(odds, "DP - IF In", selectedCaption(form.optLocation));
  Tally tally;
  for (int roll = 0; roll < ir::kDoublePlayRolls; ++roll) {
    tally.add(ir::locationText(ir::doublePlayLocation(fielder, roll), fielder),
              oneIn(ir::kDoublePlayRolls));
  }
  odds.sections.push_back(tally.section(caption));
}

void infieldRangeResult(const Form2& form, Odds& odds) {
  const int rating = form.rangeRating();
  const auto location = ir::locationNamed(form.HitLocation);
  if (!location) {
    odds.say("Roll the location first");
    return;
  }
  if (rating == -1) {
    odds.say("Select a range rating");
    return;
  }
  ir::Situation situation;
  situation.doublePlayIn = form.chkDPin.value;
  for (const Control& box : form.chkIFDefense) {
    situation.boxes[static_cast<std::size_t>(box.index)] = box.value;
  }
  situation.hitAndRun = form.chkHitRun.value;
  situation.battingStyle = form.ifrBattingStyle;
  situation.fielder = form.FielderPosition;
  situation.location = *location;
  const int adjusted = ir::adjustedRating(rating, situation);
  assume(odds, "Location", form.LocationText);
  assume(
      odds, "Range",
      std::string(ir::ratingName(rating)) + ", adjusted " + std::string(ir::ratingName(adjusted)));
  assume(odds, "Surface", form.ifrSurface == 1 ? "Turf" : "Grass");

  Tally tally;
  for (int roll = 0; roll < ir::kRollCount; ++roll) {
    tally.add(ir::resultWord(ir::fieldResult(form.ifrSurface, *location, adjusted, roll)),
              oneIn(ir::kRollCount));
  }
  odds.sections.push_back(tally.section(plainCaption(form.cmdIFRResult.caption)));
}

}  // namespace vnt::odds
