// The odds of the rundown's two rolls and of the collision at the bag.

#include <string>

#include "charts/baserunning/rundown_table.h"
#include "charts/chart_odds.h"
#include "shell/form2.h"

namespace vnt::odds {

void rundown(const Form2& form, Odds& odds) {
  const std::int16_t speed = form.GetJumpRating();
  if (speed < 0) {
    odds.say("Select a speed rating");
    return;
  }
  assume(odds, "Speed Rating", std::to_string(speed));
  const std::string caption = plainCaption(form.cmdRundown.caption);

  Tally first({rundown::firstRollWord(true), rundown::firstRollWord(false)});
  for (int roll = 1; roll <= 10; ++roll) {
    first.add(rundown::firstRollWord(rundown::outOnFirstRoll(speed, roll)), oneIn(10));
  }
  const Section firstRoll = first.section(caption);
  odds.sections.push_back(firstRoll);

  // Only when the runner stays in the rundown and no other runner is sent.
  if (firstRoll.lines.back().word != rundown::firstRollWord(false)) return;
  Tally second({rundown::secondRollWord(true), rundown::secondRollWord(false)});
  for (int roll = 0; roll <= 99; ++roll) {
    second.add(rundown::secondRollWord(rundown::safeOnSecondRoll(speed, roll)), oneIn(100));
  }
  odds.sections.push_back(second.section(caption + ": if no other runner is sent"));
}

void collision(const Form2& form, Odds& odds) {
  const std::int16_t range = form.rangeRating();
  if (range == -1) {
    odds.say("Select a range rating");
    return;
  }
  assume(odds, "Range", selectedCaption(form.optRange));
  Tally tally({rundown::collisionWord(true), rundown::collisionWord(false)});
  for (int roll = 1; roll <= 20; ++roll) tally.add(rundown::collision(range, roll), oneIn(20));
  odds.sections.push_back(tally.section(plainCaption(form.cmdCollision.caption)));
}

}  // namespace vnt::odds
