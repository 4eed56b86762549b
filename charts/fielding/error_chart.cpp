// The error chart: the fielder's result by adjusted error rating.

#include <string>
#include <string_view>

#include "charts/fielding/error_table.h"
#include "shell/form2.h"

namespace vnt {

namespace {

// What this die is for, as the game log and the own-dice box name it.
constexpr std::string_view kErrorDie = "the error roll, read against the adjusted error rating";

}  // namespace

void Form2::cmdError_Click() {
  // The button is only offered once a fielder 1..9 has been rolled.
  if (!error::tableFor(FielderPosition)) return;

  std::int16_t rating = errorRating();
  if (rating == -1) {
    dialogs_.ok("You must select an Error rating", "");
    return;
  }
  // Each adjustment that counts is logged before the rating it makes.
  const bool cold = chkError[0].value;
  const bool infieldIn = chkError[1].value;
  if (cold) {
    Text1.caption = "Cold";
    IncrementDiceRolls();
  }
  if (infieldIn && error::isInfielder(FielderPosition)) {
    Text1.caption = "In";
    IncrementDiceRolls();
  }
  ErrorRating =
      static_cast<std::int16_t>(error::adjustedRating(rating, cold, infieldIn, FielderPosition));
  Text1.caption = "Rating " + std::to_string(ErrorRating);
  IncrementDiceRolls();
  ErrorResult();
}

void Form2::ErrorResult() {
  const std::int16_t roll = rollDice(99, 0, kErrorDie);
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
