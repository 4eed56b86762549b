#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/form2.h"
#include "shell/game_log.h"
#include "tools/vnt_scenario/scenario.h"

namespace vnt {
namespace {

const std::string kSourceDir = VNT_SOURCE_DIR;

// The purposes of the dice of the roll whose dice came up `values`, in order.
std::vector<std::string> purposesOfRoll(const std::vector<LogEntry>& log,
                                        const std::vector<int>& values) {
  for (const LogEntry& entry : log) {
    std::vector<int> seen;
    std::vector<std::string> purposes;
    for (const LogStep& step : entry.steps) {
      if (step.kind != LogStep::Kind::Die) continue;
      seen.push_back(step.value);
      purposes.push_back(step.text);
    }
    if (seen == values) return purposes;
  }
  return {};
}

// Snow under a closed roof rolls no snow die: the die after the sky is the temperature,
// and the one after that the wind, whatever the sky showed last.
TEST(DiePurpose, WeatherUnderARoofNamesTheTemperatureAndTheWind) {
  std::vector<LogEntry> log;
  const auto run = scenario::play(kSourceDir + "/tests/scenarios/weather/retractable_roof.scn",
                                  [&](const Form2& form) {
                                    log = form.gameLog().entries();
                                    return std::string();
                                  });
  ASSERT_TRUE(run.passed) << run.failure;
  EXPECT_EQ(purposesOfRoll(log, {90, 70, 0}),
            (std::vector<std::string>{
                "the sky, read against the ballpark and the month",
                "the temperature, read against the ballpark, the month and the time of day",
                "the wind, read against the ballpark and the month"}));
}

}  // namespace
}  // namespace vnt
