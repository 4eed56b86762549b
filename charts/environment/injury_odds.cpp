// The odds of a new injury and of the recovery roll; both buttons show at once, so each
// gets its own heading.

#include <string>

#include "charts/chart_odds.h"
#include "charts/environment/injury_table.h"
#include "shell/form2.h"

namespace vnt::odds {
namespace {

bool injuryRating(const Form2& form, Odds& odds, std::int16_t& rating) {
  rating = form.GetRating();
  if (rating == -1) {
    odds.say("Select an injury rating");
    return false;
  }
  assume(odds, form.fraBuntRating.caption, std::to_string(rating));
  return true;
}

}  // namespace

void newInjury(const Form2& form, Odds& odds) {
  std::int16_t rating = 0;
  if (!injuryRating(form, odds, rating)) return;
  Tally tally;
  for (int roll = 0; roll <= 99; ++roll) {
    // "# Missed": a second roll, 0 to 99, then gives the days.
    tally.add(injury::missedWord(injury::injuryDays(rating, roll)), oneIn(100));
  }
  odds.sections.push_back(tally.section(plainCaption(form.cmdNewInjury.caption)));
}

void recovered(const Form2& form, Odds& odds) {
  std::int16_t rating = 0;
  if (!injuryRating(form, odds, rating)) return;
  Tally tally;
  for (const auto status : {injury::Status::Play, injury::Status::Sore, injury::Status::Out}) {
    tally.add(injury::statusWord(status), Chance());
  }
  for (int roll = 1; roll <= 20; ++roll) {
    tally.add(injury::statusWord(injury::recoveryStatus(rating, roll)), oneIn(20));
  }
  odds.sections.push_back(tally.section(plainCaption(form.cmdRecovered.caption)));
}

}  // namespace vnt::odds
