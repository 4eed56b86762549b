// The odds of the error roll for the fielder already rolled.

#include <string>

#include "charts/chart_odds.h"
#include "charts/fielding/error_table.h"
#include "shell/form2.h"

namespace vnt::odds {

void errorChart(const Form2& form, Odds& odds) {
  const auto table = error::tableFor(form.FielderPosition);
  if (!table) {
    odds.say("No fielder rolled");
    return;
  }
  const std::int16_t rating = form.errorRating();
  if (rating == -1) {
    odds.say("Select an error rating");
    return;
  }
  const bool cold = form.chkError[0].value;
  const bool infieldIn = form.chkError[1].value;
  const int adjusted = error::adjustedRating(rating, cold, infieldIn, form.FielderPosition);
  assume(odds, "Error Rating", std::to_string(rating));
  assumeCold(form, odds);
  if (infieldIn && error::isInfielder(form.FielderPosition)) assume(odds, "In", "-6");
  assume(odds, "Adjusted rating", std::to_string(adjusted));

  Tally tally;
  for (const error::Code code : table->columns) tally.add(error::codeText(code), Chance());
  for (int roll = error::kLowestRoll; roll <= error::kHighestRoll; ++roll) {
    const auto code = error::lookUp(form.FielderPosition, adjusted, roll);
    if (code) tally.add(error::codeText(*code), oneIn(100));
  }
  odds.sections.push_back(tally.section(plainCaption(form.cmdError.caption)));
}

}  // namespace vnt::odds
