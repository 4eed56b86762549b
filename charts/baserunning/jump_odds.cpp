// The odds of the jump roll and of the balk, pickoff and pitcher's-throw follow-ups.

#include <string>

#include "charts/baserunning/jump_table.h"
#include "charts/chart_odds.h"
#include "shell/form2.h"

namespace vnt::odds {

void jump(const Form2& form, Odds& odds) {
  using jump::Outcome;
  const std::int16_t hold = form.GetRating();
  if (hold == -1) odds.say("Select a hold rating");
  const std::int16_t rating = form.GetJumpRating();
  if (rating == -99) odds.say("Select a jump rating");
  if (hold == -1 || rating == -99) return;

  const jump::Target target = form.optTime[0].value   ? jump::Target::Third
                              : form.optTime[1].value ? jump::Target::Home
                                                      : jump::Target::Second;
  const int adjusted = jump::adjustedJump(rating, target);
  assume(odds, form.fraBuntRating.caption, std::to_string(hold));
  assume(odds, form.fraJump.caption, std::to_string(rating));
  assume(odds, "Going to",
         target == jump::Target::Third  ? "Third Base"
         : target == jump::Target::Home ? "Home"
                                        : "Second Base");
  assume(odds, "Adjusted jump", std::to_string(adjusted));

  Tally tally;
  for (const Outcome outcome : {Outcome::E1, Outcome::Attempts, Outcome::JumpMinus2, Outcome::Holds,
                                Outcome::Balk, Outcome::Pickoff}) {
    tally.add(jump::outcomeWord(outcome), Chance());
  }
  for (int roll = 0; roll <= 99; ++roll) {
    tally.add(jump::outcomeWord(jump::jumpOutcome(hold, adjusted, roll)), oneIn(100));
  }
  odds.sections.push_back(tally.section(plainCaption(form.cmdJump.caption)));
}

namespace {

// The one-die sub-charts: whether `happens` reads the roll so, in the sub-chart's words.
void oneDie(const Form2& form, Odds& odds, const Control& button, const char* rating,
            bool (*happens)(int, int), std::string_view (*word)(bool)) {
  const std::int16_t value = form.GetRating();
  if (value == -1) {
    odds.say(std::string("Select a ") + rating + " rating");
    return;
  }
  assume(odds, form.fraBuntRating.caption, std::to_string(value));
  Tally tally({word(true), word(false)});
  for (int roll = 0; roll <= 9; ++roll) tally.add(word(happens(value, roll)), oneIn(10));
  odds.sections.push_back(tally.section(plainCaption(button.caption)));
}

}  // namespace

void balk(const Form2& form, Odds& odds) {
  oneDie(form, odds, form.cmdBalk, "balk", jump::balks, jump::balkWord);
}

void pickoff(const Form2& form, Odds& odds) {
  oneDie(form, odds, form.cmdPickoff, "pickoff", jump::picksOff, jump::pickoffWord);
}

void jumpError(const Form2& form, Odds& odds) {
  std::int16_t rating = form.errorRating();
  if (rating == -1) {
    odds.say("Select an error rating");
    return;
  }
  assume(odds, "Pitcher error rating", std::to_string(rating));
  assumeCold(form, odds);
  if (form.chkError[0].value) rating = static_cast<std::int16_t>(rating - 6);
  Tally tally({jump::throwWord(true), jump::throwWord(false)});
  for (int roll = 0; roll <= 20; ++roll) {
    tally.add(jump::throwWord(jump::throwGetsAway(rating, roll)), oneIn(21));
  }
  odds.sections.push_back(tally.section(plainCaption(form.cmdJumpError.caption)));
}

}  // namespace vnt::odds
