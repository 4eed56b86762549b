// The odds of the outfield location roll and of the range result.

#include <string>

#include "charts/chart_odds.h"
#include "charts/fielding/outfield_range_table.h"
#include "shell/form2.h"

namespace vnt::odds {

namespace of = outfield;

void outfieldRange(const Form2& form, Odds& odds) {
  const std::int16_t battingStyle = form.GetBattingStyle();
  if (battingStyle == -1) odds.say("Select a batting style");
  if (form.GetSurface() == -1) odds.say("Select a surface");
  if (form.GetBallpark() == -1) odds.say("Select a ballpark");
  if (!odds.message.empty()) return;
  assume(odds, "Batting", selectedCaption(form.OptBatting));

  Tally tally;
  for (int roll = of::kLowestRoll; roll <= of::kHighestRoll; ++roll) {
    const int row = of::locationRow(battingStyle, roll);
    if (row == -1) continue;
    tally.add(of::kLocations.at(static_cast<std::size_t>(row)).text, oneIn(100));
  }
  odds.sections.push_back(tally.section(plainCaption(form.cmdOFR.caption)));
}

void outfieldRangeResult(const Form2& form, Odds& odds) {
  const int rating = form.rangeRating();
  const int row = of::locationRowOf(form.HitLocation);
  if (row == -1 || form.outfieldBallpark < 0 || form.outfieldBallpark >= kMaxBallparks) {
    odds.say("Roll the location first");
    return;
  }
  if (rating == -1) {
    odds.say("Select a range rating");
    return;
  }
  const of::Location& location = of::kLocations.at(static_cast<std::size_t>(row));
  const std::string& ballpark = form.optBallpark[form.outfieldBallpark].caption;
  const bool outfieldIn = form.chkOFin.value;
  assume(odds, "Location", form.HitLocation);
  assume(odds, "Range", std::string(of::ratingCaption(rating)));
  assume(odds, "Ballpark", ballpark);
  assume(odds, "Surface", form.outfieldSurface == of::kTurf ? "Turf" : "Grass");
  if (outfieldIn) assume(odds, "Outfield In", "on");

  const std::string caption = plainCaption(form.cmdOFRResult.caption);
  const auto section = [&](bool warmDay, const std::string& heading) {
    const int adjusted = of::adjustRating(rating, ballpark, form.HitLocation, warmDay);
    Tally tally;
    for (int roll = of::kLowestRoll; roll <= of::kHighestRoll; ++roll) {
      of::Result result = of::playResult(location.group, form.outfieldSurface, adjusted, roll);
      if (outfieldIn) result = of::withOutfieldIn(location.group, result);
      tally.add(of::resultWord(result), oneIn(100));
    }
    odds.sections.push_back(tally.section(heading));
  };
  // Only the roll itself asks whether the day is warm; show both answers.
  if (ballpark == "Chicago NL") {
    section(true, caption + ": warm or hot day");
    section(false, caption + ": not a warm day");
  } else {
    section(false, caption);
  }
}

}  // namespace vnt::odds
