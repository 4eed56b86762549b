// Crazy plays: one roll of 0..999 draws a play from the season's list.

#include <string>
#include <string_view>

#include "charts/environment/crazy_play_table.h"
#include "shell/form2.h"

namespace vnt {

namespace {

// What this die is for, as the game log and the own-dice box name it.
constexpr std::string_view kCrazyPlayDie = "the crazy play, read against the season's list";

}  // namespace

void Form2::cmdCrazyPlay_Click() {
  // The list is read before the roll: an unreadable file rolls nothing and keeps the button.
  const auto plays = readSeasonCrazyPlays();
  if (!plays) return;

  // The roll is logged whatever "Show Dice Rolls" says; the play itself is not.
  Text1.caption = std::to_string(RandomNumber(999, 0, kCrazyPlayDie));
  IncrementDiceRolls();
  const int roll = std::stoi(Text1.caption);
  cmdCrazyPlay.visible = false;
  cmdCancel.caption = "&Continue";
  lblCrazyPlay.caption = std::string(crazy::crazyPlay(*plays, roll));
}

}  // namespace vnt
