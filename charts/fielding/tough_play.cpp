// The tough play: a bunt hard to field, settled by the fielder's range.

#include <string>
#include <string_view>

#include "charts/fielding/tough_play_table.h"
#include "shell/form2.h"

namespace vnt {

namespace {

// What this die is for, as the game log and the own-dice box name it.
constexpr std::string_view kToughPlayDie = "the tough play, read against the fielder's range";

}  // namespace

// Without a range the press is ignored; the player picks one and presses again.
void Form2::cmdToughPlay_Click() {
  const std::int16_t range = rangeRating();
  if (range == -1) return;
  ToughPlay(range);
}

void Form2::ToughPlay(std::int16_t range) {
  cmdToughPlay.visible = false;
  const int adjusted = tough_play::adjustedRange(range, buntFielderCloseIn(), BuntSurface);
  const tough_play::Outcome outcome =
      tough_play::toughPlay(adjusted, rollDice(99, 0, kToughPlayDie));
  Text1.caption = std::string(tough_play::outcomeWord(outcome));
  IncrementDiceRolls();
  lblCrazyPlay.caption = "\r\r\r" + std::string(tough_play::explanation(outcome));
  finishBunt();
}

}  // namespace vnt
