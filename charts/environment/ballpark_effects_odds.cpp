// The odds of the ballpark-effects roll, from the ballpark's thresholds in the season file.

#include <string>

#include "charts/chart_odds.h"
#include "charts/environment/ballpark_effects_table.h"
#include "shell/form2.h"

namespace vnt::odds {

void ballparkEffects(const Form2& form, Odds& odds) {
  const std::int16_t style = form.GetBattingStyle();
  if (style == -1) odds.say("Select a batting style");
  const std::int16_t ballpark = form.GetBallpark();
  if (ballpark == -1) odds.say("Select a ballpark");
  if (!odds.message.empty()) return;
  assume(odds, "Batting", selectedCaption(form.OptBatting));
  assume(odds, "Ballpark", form.optBallpark[ballpark].caption);
  const auto thresholds = form.findBallparkEffects(ballpark);
  if (!thresholds.value) {
    odds.say(thresholds.message);
    return;
  }
  Tally tally({bpe::kOutcomes.begin(), bpe::kOutcomes.end()});
  const bpe::Side side = bpe::sideOf(style);
  for (int roll = 0; roll <= 99; ++roll) {
    tally.add(bpe::bpeOutcome(*thresholds.value, side, roll), oneIn(100));
  }
  odds.sections.push_back(tally.section(plainCaption(form.cmdRollBPE.caption)));
}

}  // namespace vnt::odds
