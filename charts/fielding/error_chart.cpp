// The error chart: the fielder's result by adjusted error rating.

#include <string>

#include "charts/fielding/error_table.h"
#include "shell/form2.h"

namespace vnt {
namespace {

constexpr std::int16_t kColdPenalty = 6;
constexpr std::int16_t kInfieldInPenalty = 6;

bool isInfielder(int fielder) {
  return fielder >= 3 && fielder <= 6;
}

}  // namespace

void Form2::cmdError_Click() {
  // The button is only offered once a fielder 1..9 has been rolled.
  if (!error::tableFor(FielderPosition)) return;

  std::int16_t rating = errorRating();
  if (rating == -1) {
    dialogs_.ok("You must select an Error rating", "");
    return;
  }
  if (chkError[0].value) {
    rating = static_cast<std::int16_t>(rating - kColdPenalty);
    Text1.caption = "Cold";
    IncrementDiceRolls();
  }
  // Drawn in, only an infielder has less time to field the ball.
  if (chkError[1].value && isInfielder(FielderPosition)) {
    rating = static_cast<std::int16_t>(rating - kInfieldInPenalty);
    Text1.caption = "In";
    IncrementDiceRolls();
  }
  if (rating < error::kWorstRating) rating = error::kWorstRating;
  ErrorRating = rating;
  Text1.caption = "Rating " + std::to_string(ErrorRating);
  IncrementDiceRolls();
  ErrorResult();
}

void Form2::ErrorResult() {
  const std::int16_t roll = rollDice(99, 0);
  // Every row of every table covers 00..99 and the rating is 1..20, so a code is found.
  const auto found = error::lookUp(FielderPosition, ErrorRating, roll);
  if (!found) return;
  const error::Code code = *found;
  lblCrazyPlay.visible = true;
  showOutcome(cmdError, std::string(error::codeText(code)));
  if (code == error::Code::RGPlus) {
    // The long text needs the whole frame.
    for (Control& option : optError) option.visible = false;
  }
  lblCrazyPlay.caption = error::explanation(code, Season);
}

}  // namespace vnt
