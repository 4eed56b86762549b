// Which roll buttons have odds and whose they are, and the helpers every chart's odds share.

#include "charts/chart_odds.h"

#include "shell/form2.h"

namespace vnt {

// clang-format off
std::span<const Form2::RollOdds> Form2::rollOdds() {
  static constexpr RollOdds kRollButtons[] = {
      {&Form2::cmdStealing, odds::stealing},
      {&Form2::cmdStealError, odds::stealError},
      {&Form2::cmdJump, odds::jump},
      {&Form2::cmdJumpError, odds::jumpError},
      {&Form2::cmdBalk, odds::balk},
      {&Form2::cmdPickoff, odds::pickoff},
      {&Form2::cmdRundown, odds::rundown},
      {&Form2::cmdCollision, odds::collision},
      {&Form2::cmdRunners, odds::runners},
      {&Form2::cmdRunError, odds::runError},
      {&Form2::cmdWildPitch, odds::wildPitch},
      {&Form2::cmdFoulBall, odds::foulBall},
      {&Form2::cmdIFR, odds::infieldRange},
      {&Form2::cmdIFRResult, odds::infieldRangeResult},
      {&Form2::cmdOFR, odds::outfieldRange},
      {&Form2::cmdOFRResult, odds::outfieldRangeResult},
      {&Form2::cmdError, odds::errorChart},
      {&Form2::cmdRollBunt, odds::bunt},
      {&Form2::cmdBuntSpeed, odds::buntSpeed},
      {&Form2::cmdBuntStrikeout, odds::buntStrikeout},
      {&Form2::cmdBuntError, odds::buntError},
      {&Form2::cmdToughPlay, odds::toughPlay},
      {&Form2::cmdDeep, odds::deepDrive},
      {&Form2::cmdRobbed, odds::robbed},
      {&Form2::cmdRollBPE, odds::ballparkEffects},
      {&Form2::cmdCrazyPlay, odds::crazyPlay},
      {&Form2::cmdWeather, odds::weatherRoll},
      {&Form2::cmdNewInjury, odds::newInjury},
      {&Form2::cmdRecovered, odds::recovered},
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
