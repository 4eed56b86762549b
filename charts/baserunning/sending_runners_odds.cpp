// The odds of sending a runner, of the unusual play it may turn into, and of the throw.

#include <string>

#include "charts/baserunning/sending_runners_table.h"
#include "charts/chart_odds.h"
#include "shell/form2.h"

namespace vnt::odds {

namespace sr = sending_runners;

void runners(const Form2& form, Odds& odds) {
  std::int16_t speed = -99;
  for (const auto& option : form.optJump) {
    if (option.value) speed = static_cast<std::int16_t>(12 - option.index);
  }
  if (speed == -99) {
    odds.say("Select a speed rating");
    return;
  }
  assume(odds, form.fraJump.caption, std::to_string(speed));
  const std::string caption = plainCaption(form.cmdRunners.caption);

  Tally tally;
  for (int column = 0; column < sr::kOutcomeCount; ++column) {
    tally.add(sr::word(static_cast<sr::Outcome>(column)), Chance());
  }
  for (int roll = sr::kLowestRoll; roll <= sr::kHighestRoll; ++roll) {
    tally.add(sr::word(sr::outcome(speed, roll)), oneIn(20));
  }
  const Section first = tally.section(caption);
  odds.sections.push_back(first);

  // An unusual play is settled by one more die in the same click.
  bool unusual = false;
  for (const Line& line : first.lines) unusual |= line.word == sr::word(sr::Outcome::UnusualPlay);
  if (!unusual) return;
  Tally play;
  for (int roll = 0; roll <= 9; ++roll) {
    play.add(sr::unusualPlayWord(sr::unusualPlay(roll), form.Season), oneIn(10));
  }
  odds.sections.push_back(play.section(caption + ": after an Unusual Play"));
}

void runError(const Form2& form, Odds& odds) {
  int rating = form.errorRating();
  if (rating == -1) {
    odds.say("Select an error rating");
    return;
  }
  assume(odds, "Error rating of the thrower", std::to_string(rating));
  assumeCold(form, odds);
  if (form.chkError[0].value) rating -= 6;
  Tally tally({sr::throwWord(true), sr::throwWord(false)});
  for (int roll = 1; roll <= 20; ++roll) {
    tally.add(sr::throwWord(sr::throwIsLate(rating, roll)), oneIn(20));
  }
  odds.sections.push_back(tally.section(plainCaption(form.cmdRunError.caption)));
}

}  // namespace vnt::odds
