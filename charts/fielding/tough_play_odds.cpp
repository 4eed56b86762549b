// The odds of the tough play, with the range the fielder's place leaves him.

#include <string>

#include "charts/chart_odds.h"
#include "charts/fielding/tough_play_table.h"
#include "shell/form2.h"

namespace vnt::odds {

void toughPlay(const Form2& form, Odds& odds) {
  const std::int16_t range = form.rangeRating();
  if (range == -1) {
    odds.say("Select a range rating");
    return;
  }
  const int adjusted =
      tough_play::adjustedRange(range, form.buntFielderCloseIn(), form.BuntSurface);
  assume(odds, "Range", selectedCaption(form.optRange));
  if (adjusted != range) assume(odds, "Fielder close in", "range " + std::to_string(adjusted));
  Tally tally;
  for (const auto outcome : {tough_play::Outcome::InfieldSingle, tough_play::Outcome::SH,
                             tough_play::Outcome::LeadOut}) {
    tally.add(tough_play::outcomeWord(outcome), Chance());
  }
  for (int roll = 0; roll <= 99; ++roll) {
    tally.add(tough_play::outcomeWord(tough_play::toughPlay(adjusted, roll)), oneIn(100));
  }
  odds.sections.push_back(tally.section(plainCaption(form.cmdToughPlay.caption)));
}

}  // namespace vnt::odds
