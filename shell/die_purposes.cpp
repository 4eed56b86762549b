#include "shell/die_purposes.h"

#include <algorithm>
#include <array>

namespace vnt {
namespace {

// Most buttons draw their dice in a fixed order; a row names the ordinal-th one.
struct Purpose {
  std::string_view control;
  int ordinal;
  std::string_view words;
};

constexpr std::array kPurposes = {
    Purpose{"cmdOne", 0, "one ten-sided die"},
    Purpose{"cmdTwo", 0, "two dice read as 00 to 99"},
    Purpose{"cmdThree", 0, "three dice read as 000 to 999"},
    Purpose{"cmdTwenty", 0, "the twenty-sided die"},
    Purpose{"cmdChart", 0, "the fielder the ball is hit to"},
    Purpose{"cmdRollBPE", 0, "the ballpark effect, read against the park's numbers for the batter"},
    Purpose{"cmdRollBunt", 0, "the fielder who plays the bunt"},
    Purpose{"cmdRollBunt", 1, "the bunt, read against the bunt rating and the playing field"},
    Purpose{"cmdBuntSpeed", 0, "the runner's race to the base, read against the speed rating"},
    Purpose{"cmdBuntStrikeout", 0, "strikeout or not, read against the pitcher's K/9"},
    Purpose{"cmdBuntError", 0, "the throw to the lead runner, read against the error rating"},
    Purpose{"cmdToughPlay", 0, "the tough play, read against the fielder's range"},
    Purpose{"cmdCrazyPlay", 0, "the crazy play, read against the season's list"},
    Purpose{"cmdRobbed", 0, "the leap at the wall, read against the range and the wall's height"},
    Purpose{"cmdError", 0, "the error roll, read against the adjusted error rating"},
    Purpose{"cmdIFRResult", 0, "the play, read against the adjusted range rating"},
    Purpose{"cmdNewInjury", 0, "the injury, read against the injury rating"},
    Purpose{"cmdNewInjury", 1, "the number of days missed"},
    Purpose{"cmdRecovered", 0, "the recovery, read against the injury rating"},
    Purpose{"cmdJump", 0, "the jump, read against the hold rating and the adjusted jump rating"},
    Purpose{"cmdBalk", 0, "the balk, read against the balk rating"},
    Purpose{"cmdPickoff", 0, "the pickoff throw, read against the pickoff rating"},
    Purpose{"cmdJumpError", 0, "the pitcher's throw, read against the adjusted error rating"},
    Purpose{"cmdOFR", 0, "where the ball goes, read against the batting style"},
    Purpose{"cmdOFRResult", 0, "the play, read against the adjusted range rating"},
    Purpose{"cmdRunners", 0, "the runner's try, read against the adjusted speed rating"},
    Purpose{"cmdRunners", 1, "the unusual play"},
    Purpose{"cmdRunners", 2, "the blown call or the hard slide"},
    Purpose{"cmdRunError", 0, "the throw, read against the thrower's error rating"},
    Purpose{"cmdStealing", 0, "the steal, read against the base and the steal rating"},
    Purpose{"cmdStealing", 1, "the umpire's call or the fight"},
    Purpose{"cmdStealError", 0, "the throw, read against the error rating"},
    Purpose{"cmdRundown", 0, "the first rundown roll, read against the speed rating"},
    Purpose{"cmdRundown", 1, "the second rundown roll, read against the speed rating"},
    Purpose{"cmdCollision", 0, "the collision, read against the fielder's range"},
    Purpose{"cmdFoulBall", 0, "foul ball or not, read against the park's foul territory"},
    Purpose{"cmdWildPitch", 0, "wild pitch or passed ball, read against the WP and PB ratings"},
};

constexpr std::string_view kSky = "the sky, read against the ballpark and the month";
constexpr std::string_view kStorm = "the thunderstorm: rained out or held up";
constexpr std::string_view kSnow = "the snow: snowed out or played";
constexpr std::string_view kTemperature =
    "the temperature, read against the ballpark, the month and the time of day";
constexpr std::string_view kWind = "the wind, read against the ballpark and the month";

const LogStep* lastStep(const std::vector<LogStep>& steps) {
  return steps.empty() ? nullptr : &steps.back();
}

bool lastShown(const std::vector<LogStep>& steps, std::string_view text) {
  const LogStep* last = lastStep(steps);
  return last != nullptr && last->kind == LogStep::Kind::Shown && last->text == text;
}

bool anyDieFor(const std::vector<LogStep>& steps, std::string_view purpose) {
  return std::any_of(steps.begin(), steps.end(), [&](const LogStep& step) {
    return step.kind == LogStep::Kind::Die && step.text == purpose;
  });
}

// The weather rolls the sky, then may settle a storm or snow with a die of its own, then
// the temperature (not after snow: the reading is the coldest) and the wind.
std::string weather(int ordinal, const std::vector<LogStep>& earlier) {
  if (ordinal == 0) return std::string(kSky);
  if (lastShown(earlier, "T-Storms")) return std::string(kStorm);
  if (lastShown(earlier, "Snow")) return std::string(kSnow);
  if (anyDieFor(earlier, kSnow)) return std::string(kWind);
  const auto main = std::count_if(earlier.begin(), earlier.end(), [](const LogStep& step) {
    return step.kind == LogStep::Kind::Die && step.text != kStorm && step.text != kSnow;
  });
  return std::string(main == 1 ? kTemperature : kWind);
}

// A drive: where it goes, fair or foul when along a line, then how far it carries once the
// wall's distance has been shown.
std::string deepDrive(int ordinal, const std::vector<LogStep>& earlier) {
  if (ordinal == 0) return "where the drive goes, read against the batting style";
  const bool wallShown = std::any_of(earlier.begin(), earlier.end(), [](const LogStep& step) {
    return step.kind == LogStep::Kind::Shown && step.text.starts_with("Distance ");
  });
  return wallShown ? "how far the drive carries, read against the power rating"
                   : "fair or foul along the line";
}

}  // namespace

std::string diePurpose(std::string_view control, int ordinal, const std::vector<LogStep>& earlier,
                       int upper, int lower) {
  (void)lower;
  if (control == "cmdWeather") return weather(ordinal, earlier);
  if (control == "cmdDeep") return deepDrive(ordinal, earlier);
  if (control == "cmdIFR") {
    // With "DP - IF In" the player names the fielder and one die places the ball.
    return upper == 9 ? "where the double-play ball goes, read against the fielder"
                      : "where the ball goes, read against the batting style";
  }
  for (const Purpose& purpose : kPurposes) {
    if (purpose.control == control && purpose.ordinal == ordinal) {
      return std::string(purpose.words);
    }
  }
  return {};
}

}  // namespace vnt
