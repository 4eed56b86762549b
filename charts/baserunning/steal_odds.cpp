// The odds of the steal roll and of its throw-error follow-up.

#include <string>
#include <vector>

#include "charts/baserunning/steal_table.h"
#include "charts/chart_odds.h"
#include "shell/form2.h"

namespace vnt::odds {

void stealing(const Form2& form, Odds& odds) {
  using steal::Outcome;
  const steal::Base base = form.optTime[0].value   ? steal::Base::Third
                           : form.optTime[1].value ? steal::Base::Home
                                                   : steal::Base::Second;
  const std::int16_t rating = form.GetJumpRating();
  if (rating == -99) {
    odds.say("Select a steal rating");
    return;
  }
  assume(odds, form.fraJump.caption, std::to_string(rating));
  assume(odds, "Base",
         base == steal::Base::Third  ? "Third"
         : base == steal::Base::Home ? "Home"
                                     : "Second");
  assume(odds, "Season", std::to_string(form.Season));

  std::vector<std::string_view> order;
  for (const Outcome outcome :
       {Outcome::BlownCall, Outcome::HardSlide, Outcome::Collision, Outcome::SB, Outcome::SBE2,
        Outcome::Dropped, Outcome::Rundown, Outcome::CS}) {
    order.push_back(steal::shownWord(outcome));
  }
  Tally tally(order);
  for (int roll = 0; roll <= 99; ++roll) {
    tally.add(steal::shownWord(steal::stealOutcome(base, rating, roll, form.Season)), oneIn(100));
  }
  odds.sections.push_back(tally.section(plainCaption(form.cmdStealing.caption)));
}

void stealError(const Form2& form, Odds& odds) {
  std::int16_t rating = form.errorRating();
  if (rating == -1) {
    odds.say("Select an error rating");
    return;
  }
  const bool catchersThrow = form.StealOutcome == steal::outcomeWord(steal::Outcome::SBE2);
  assume(odds, "Throw", catchersThrow ? "SB+E2 (catcher's throw)" : "Dropped? (fielder's catch)");
  assume(odds, "Error rating", std::to_string(rating));
  assumeCold(form, odds);
  if (form.chkError[0].value) rating = static_cast<std::int16_t>(rating - 6);

  using steal::ThrowResult;
  std::vector<std::string_view> order;
  for (const ThrowResult result : {ThrowResult::ThrowIntoOutfield, ThrowResult::ThrowBlocked,
                                   ThrowResult::Scooped, ThrowResult::Dropped}) {
    order.push_back(steal::throwWord(result));
  }
  Tally tally(order);
  for (int roll = 1; roll <= 20; ++roll) {
    tally.add(steal::throwWord(steal::throwResult(catchersThrow, rating, roll)), oneIn(20));
  }
  odds.sections.push_back(tally.section(plainCaption(form.cmdStealError.caption)));
}

}  // namespace vnt::odds
