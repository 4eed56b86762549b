// Which roll buttons have odds and whose they are, and the helpers every chart's odds share.

#include "charts/chart_odds.h"

#include "shell/form2.h"

namespace vnt {

// Each roll in the player's words, as the odds window heads it: a button's caption ("Roll
// Dice") says nothing of which roll it is. A section of several from one button adds its
// own words after the roll's ("Bunt: fielder").
// clang-format off
std::span<const Form2::RollOdds> Form2::rollOdds() {
  static constexpr RollOdds kRollButtons[] = {
      {&Form2::cmdStealing, odds::stealing, "Steal roll"},
      {&Form2::cmdStealError, odds::stealError, "Steal: error roll"},
      {&Form2::cmdJump, odds::jump, "Jump roll"},
      {&Form2::cmdJumpError, odds::jumpError, "Jump: error roll"},
      {&Form2::cmdBalk, odds::balk, "Balk roll"},
      {&Form2::cmdPickoff, odds::pickoff, "Pickoff roll"},
      {&Form2::cmdRundown, odds::rundown, "Rundown roll"},
      {&Form2::cmdCollision, odds::collision, "Rundown: collision roll"},
      {&Form2::cmdRunners, odds::runners, "Sending runners roll"},
      {&Form2::cmdRunError, odds::runError, "Sending runners: error roll"},
      {&Form2::cmdWildPitch, odds::wildPitch, "Wild pitch / passed ball roll"},
      {&Form2::cmdFoulBall, odds::foulBall, "Wild pitch: foul ball roll"},
      {&Form2::cmdIFR, odds::infieldRange, "Infield range roll"},
      {&Form2::cmdIFRResult, odds::infieldRangeResult, "Infield range: result"},
      {&Form2::cmdOFR, odds::outfieldRange, "Outfield range roll"},
      {&Form2::cmdOFRResult, odds::outfieldRangeResult, "Outfield range: result"},
      {&Form2::cmdError, odds::errorChart, "Error roll"},
      {&Form2::cmdRollBunt, odds::bunt, "Bunt"},
      {&Form2::cmdBuntSpeed, odds::buntSpeed, "Bunt"},
      {&Form2::cmdBuntStrikeout, odds::buntStrikeout, "Bunt: strikeout roll"},
      {&Form2::cmdBuntError, odds::buntError, "Bunt: error roll"},
      {&Form2::cmdToughPlay, odds::toughPlay, "Tough play roll"},
      {&Form2::cmdDeep, odds::deepDrive, "Deep drive"},
      {&Form2::cmdRobbed, odds::robbed, "Deep drive: robbed roll"},
      {&Form2::cmdRollBPE, odds::ballparkEffects, "Ballpark effects roll"},
      {&Form2::cmdCrazyPlay, odds::crazyPlay, "Crazy play roll"},
      {&Form2::cmdWeather, odds::weatherRoll, "Weather"},
      {&Form2::cmdNewInjury, odds::newInjury, "Injury roll"},
      {&Form2::cmdRecovered, odds::recovered, "Injury: recovery roll"},
  };
  return kRollButtons;
}
// clang-format on

}  // namespace vnt

namespace vnt::odds {

std::string selectedCaption(const ControlArray& group) {
  for (const Control& option : group) {
    if (option.value) return plainCaption(option.caption);
  }
  return {};
}

void assume(Odds& odds, const std::string& what, const std::string& value) {
  odds.assumptions.push_back(plainCaption(what) + ": " + value);
}

void assumeCold(const Form2& form, Odds& odds) {
  // The box counts even where the screen does not show it: a cold day stays cold.
  if (form.chkError[0].value) assume(odds, "Cold", "-6");
}

}  // namespace vnt::odds
