// The odds of each crazy play of the season's list.

#include <string>

#include "charts/chart_odds.h"
#include "charts/environment/crazy_play_table.h"
#include "shell/form2.h"

namespace vnt::odds {

void crazyPlay(const Form2& form, Odds& odds) {
  const auto plays = form.findCrazyPlays();
  if (!plays.value) {
    odds.say(plays.message);
    return;
  }
  Tally tally;
  for (int roll = 0; roll <= 999; ++roll) {
    const std::string_view play = crazy::crazyPlay(*plays.value, roll);
    // A roll below every threshold leaves the detail box empty.
    tally.add(play.empty() ? std::string_view("(no play)") : play, oneIn(1000));
  }
  odds.sections.push_back(tally.section(plainCaption(form.cmdCrazyPlay.caption)));
}

}  // namespace vnt::odds
