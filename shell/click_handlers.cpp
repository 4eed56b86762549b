// Which handler a click on each control runs. Controls not listed have no click handler:
// a click only changes their selection or check.

#include "shell/click_handlers.h"

#include <string_view>
#include <unordered_map>

#include "shell/form2.h"

namespace vnt {
namespace {

using Handler = void (*)(Form2&, int index);

const std::unordered_map<std::string_view, Handler>& handlers() {
  static const std::unordered_map<std::string_view, Handler> table = {
      {"cmdCancel", [](Form2& f, int) { f.cmdCancel_Click(); }},
      {"cmdExit", [](Form2& f, int) { f.cmdExit_Click(); }},
      {"cmdYear", [](Form2& f, int) { f.cmdYear_Click(); }},
      {"cmdOne", [](Form2& f, int) { f.cmdOne_Click(); }},
      {"cmdTwo", [](Form2& f, int) { f.cmdTwo_Click(); }},
      {"cmdThree", [](Form2& f, int) { f.cmdThree_Click(); }},
      {"cmdTwenty", [](Form2& f, int) { f.cmdTwenty_Click(); }},
      {"cmdChart", [](Form2& f, int i) { f.cmdChart_Click(i); }},
      {"OptBatting", [](Form2& f, int i) { f.OptBatting_Click(i); }},
      {"chkIFDefense", [](Form2& f, int i) { f.chkIFDefense_Click(i); }},
      {"cmdNormIFR", [](Form2& f, int) { f.cmdNormIFR_Click(); }},
      {"cmdStealing", [](Form2& f, int) { f.cmdStealing_Click(); }},
      {"cmdStealError", [](Form2& f, int) { f.cmdStealError_Click(); }},
      {"cmdJump", [](Form2& f, int) { f.cmdJump_Click(); }},
      {"cmdJumpError", [](Form2& f, int) { f.cmdJumpError_Click(); }},
      {"cmdBalk", [](Form2& f, int) { f.cmdBalk_Click(); }},
      {"cmdPickoff", [](Form2& f, int) { f.cmdPickoff_Click(); }},
      {"cmdRundown", [](Form2& f, int) { f.cmdRundown_Click(); }},
      {"cmdCollision", [](Form2& f, int) { f.cmdCollision_Click(); }},
      {"cmdRunners", [](Form2& f, int) { f.cmdRunners_Click(); }},
      {"cmdRunError", [](Form2& f, int) { f.cmdRunError_Click(); }},
      {"cmdWildPitch", [](Form2& f, int) { f.cmdWildPitch_Click(); }},
      {"cmdFoulBall", [](Form2& f, int) { f.cmdFoulBall_Click(); }},
      {"cmdIFR", [](Form2& f, int) { f.cmdIFR_Click(); }},
      {"cmdIFRResult", [](Form2& f, int) { f.cmdIFRResult_Click(); }},
      {"cmdOFR", [](Form2& f, int) { f.cmdOFR_Click(); }},
      {"cmdOFRResult", [](Form2& f, int) { f.cmdOFRResult_Click(); }},
      {"cmdError", [](Form2& f, int) { f.cmdError_Click(); }},
      {"cmdToughPlay", [](Form2& f, int) { f.cmdToughPlay_Click(); }},
      {"cmdRollBunt", [](Form2& f, int) { f.cmdRollBunt_Click(); }},
      {"cmdBuntError", [](Form2& f, int) { f.cmdBuntError_Click(); }},
      {"cmdBuntSpeed", [](Form2& f, int) { f.cmdBuntSpeed_Click(); }},
      {"cmdBuntStrikeout", [](Form2& f, int) { f.cmdBuntStrikeout_Click(); }},
      {"cmdWeather", [](Form2& f, int) { f.cmdWeather_Click(); }},
      {"cmdNewInjury", [](Form2& f, int) { f.cmdNewInjury_Click(); }},
      {"cmdRecovered", [](Form2& f, int) { f.cmdRecovered_Click(); }},
      {"cmdDeep", [](Form2& f, int) { f.cmdDeep_Click(); }},
      {"cmdRobbed", [](Form2& f, int) { f.cmdRobbed_Click(); }},
      {"cmdRollBPE", [](Form2& f, int) { f.cmdRollBPE_Click(); }},
      {"cmdCrazyPlay", [](Form2& f, int) { f.cmdCrazyPlay_Click(); }},
  };
  return table;
}

}  // namespace

void runClickHandler(Form2& form, const Control& control) {
  const auto& table = handlers();
  if (const auto it = table.find(control.name); it != table.end()) it->second(form, control.index);
}

}  // namespace vnt
