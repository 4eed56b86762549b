// The odds of the bunt roll (the fielder, then the result read with the rating the fielder
// leaves) and of its follow-ups.

#include <string>

#include "charts/bunting/bunt_followups_table.h"
#include "charts/bunting/bunt_table.h"
#include "charts/chart_odds.h"
#include "shell/form2.h"

namespace vnt::odds {

void bunt(const Form2& form, Odds& odds) {
  const std::int16_t rating = form.GetRating();
  if (rating == -1) odds.say("Select a bunting rating");
  const std::int16_t surface = form.GetSurface();
  if (surface == -1) odds.say("Select Grass or Turf");
  if (form.GetIFDefense() == -1) odds.say("Select an IF Defense");
  if (!odds.message.empty()) return;
  assume(odds, form.fraBuntRating.caption, std::to_string(rating));
  if (form.chkOFin.value) assume(odds, form.chkOFin.caption, "one row down");
  assume(odds, form.fraSurface.caption, selectedCaption(form.optSurface));
  const std::string caption = plainCaption(form.cmdRollBunt.caption);

  // The squeeze lowers the rating before the fielder is known; a fielder close in lowers
  // it once more, so the result is the sum over the ten fielder rolls.
  const int squeezed = form.chkOFin.value ? bunt::lowerRating(rating) : rating;
  Tally fielders;
  Tally results;
  for (const auto outcome :
       {bunt::Outcome::DP, bunt::Outcome::Popout, bunt::Outcome::LeadRunner, bunt::Outcome::Error,
        bunt::Outcome::Strikeout, bunt::Outcome::SH, bunt::Outcome::LeadOut, bunt::Outcome::BeatOut,
        bunt::Outcome::ToughPlay}) {
    results.add(bunt::outcomeWord(outcome), Chance());
  }
  for (int fielderRoll = 0; fielderRoll <= 9; ++fielderRoll) {
    const int fielder = bunt::fielderFor(fielderRoll);
    fielders.add(bunt::fielderWord(fielder), oneIn(10));
    const int adjusted = form.buntFielderCloseIn(fielder) ? bunt::lowerRating(squeezed) : squeezed;
    for (int roll = 0; roll <= 99; ++roll) {
      results.add(bunt::outcomeWord(bunt::buntOutcome(surface, adjusted, roll)), oneIn(1000));
    }
  }
  odds.sections.push_back(fielders.section(caption + ": fielder"));
  odds.sections.push_back(results.section(caption + ": result"));
}

void buntSpeed(const Form2& form, Odds& odds) {
  const std::int16_t speed = form.GetJumpRating();
  if (speed == -99) {
    odds.say("Select a speed rating");
    return;
  }
  const bool leadOut = form.BuntOutcome == bunt::outcomeWord(bunt::Outcome::LeadOut);
  if (!leadOut && form.BuntOutcome != bunt::outcomeWord(bunt::Outcome::BeatOut)) {
    odds.say("No speed roll to come");
    return;
  }
  assume(odds, form.fraJump.caption, std::to_string(speed));
  Tally tally;
  if (leadOut) {
    const bool closeIn = form.buntFielderCloseIn();
    const int adjusted = bunt::leadRunnerSpeed(speed, closeIn);
    if (closeIn) assume(odds, "Fielder close in", "speed " + std::to_string(adjusted));
    tally = Tally({bunt::leadRunnerWord(true), bunt::leadRunnerWord(false)});
    for (int roll = 1; roll <= 10; ++roll) {
      tally.add(bunt::leadRunnerWord(bunt::leadRunnerSafe(adjusted, roll)), oneIn(10));
    }
  } else {
    tally = Tally({bunt::beatOutWord(true), bunt::beatOutWord(false)});
    for (int roll = 1; roll <= 10; ++roll) {
      tally.add(bunt::beatOutWord(bunt::beatsItOut(speed, roll)), oneIn(10));
    }
  }
  odds.sections.push_back(tally.section(form.BuntOutcome));
}

void buntStrikeout(const Form2& form, Odds& odds) {
  const std::int16_t group = form.BuntStrikeout();
  if (group == -1) {
    odds.say("Select the pitcher's K/9 rating");
    return;
  }
  assume(odds, form.fraKper9.caption, selectedCaption(form.optK9));
  Tally tally;
  for (const auto outcome : {bunt::Strikeout::K, bunt::Strikeout::Miss, bunt::Strikeout::SH}) {
    tally.add(bunt::strikeoutWord(outcome), Chance());
  }
  for (int roll = 0; roll <= 99; ++roll) {
    tally.add(bunt::strikeoutWord(bunt::strikeout(group, roll)), oneIn(100));
  }
  odds.sections.push_back(tally.section(plainCaption(form.cmdBuntStrikeout.caption)));
}

void buntError(const Form2& form, Odds& odds) {
  int rating = form.errorRating();
  if (rating == -1) {
    odds.say("Select an error rating");
    return;
  }
  assume(odds, "Error rating", std::to_string(rating));
  assumeCold(form, odds);
  if (form.chkError[0].value) rating -= bunt::kColdPenalty;
  Tally tally({bunt::throwWord(true), bunt::throwWord(false)});
  for (int roll = 1; roll <= 20; ++roll) {
    tally.add(bunt::throwWord(bunt::throwGetsLeadRunner(rating, roll)), oneIn(20));
  }
  odds.sections.push_back(tally.section(plainCaption(form.cmdBuntError.caption)));
}

}  // namespace vnt::odds
