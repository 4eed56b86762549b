// The effect of the ballpark: one roll against the park's thresholds for the batter's side.

#include <string>
#include <string_view>

#include "charts/environment/ballpark_effects_table.h"
#include "shell/form2.h"

namespace vnt {

namespace {

// What this die is for, as the game log and the own-dice box name it.
constexpr std::string_view kEffectDie =
    "the ballpark effect, read against the park's numbers for the batter";

}  // namespace

void Form2::cmdRollBPE_Click() {
  const bool style = GetBattingStyle() != -1;
  if (!style) dialogs_.ok("You must select a batting style", "");
  const bool ballpark = GetBallpark() != -1;
  if (!ballpark) dialogs_.ok("You must select a ballpark", "");
  if (style && ballpark) BPEResult();
}

void Form2::BPEResult() {
  // The record is read before the roll, so a file gone bad since the season was chosen
  // leaves nothing rolled and the button ready for another try.
  const auto thresholds = readBallparkEffects(GetBallpark());
  if (!thresholds) return;

  // The roll is logged whatever "Show Dice Rolls" says.
  Text1.caption = std::to_string(RandomNumber(99, 0, kEffectDie));
  IncrementDiceRolls();
  const int roll = std::stoi(Text1.caption);
  Label1.caption = VersionLine();

  const bpe::Side side = bpe::sideOf(GetBattingStyle());
  showOutcome(cmdRollBPE, std::string(bpe::bpeOutcome(*thresholds, side, roll)));
}

}  // namespace vnt
