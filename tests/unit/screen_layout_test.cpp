// Every screen a player can reach keeps its controls apart: each visible control lies inside
// the frame (or window) holding it, and no two visible controls of one container overlap,
// so frames that share a place in the chart area never show together.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "shell/form2.h"
#include "tests/unit/every_screen.h"
#include "tests/unit/screen_checks.h"
#include "tests/unit/test_support.h"
#include "tools/vnt_scenario/scenario.h"

namespace vnt {
namespace {

namespace fs = std::filesystem;

using testing::layoutProblems;

class ScreenLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override { form.Form_Load(); }

  testing::InBundledSeasons seasons;
  testing::QueuedDice dice;
  testing::FakeDialogs dialogs;
  Form2 form{dice, dialogs};
  testing::ScreenFeed feed{[this](std::int16_t v) { dice.values.push_back(v); },
                           [this](bool yes) { dialogs.answers.push_back(yes); }};

};

TEST_F(ScreenLayoutTest, EverySetUpKeepsItsControlsApart) {
  int screens = 0;
  testing::visitEveryScreen(form, feed, [&](const std::string& screen) {
    ++screens;
    EXPECT_EQ(layoutProblems(form), "") << screen;
  });
  EXPECT_EQ(screens, 2 + 14 + 1);
  EXPECT_TRUE(dice.values.empty());
  EXPECT_TRUE(dialogs.answers.empty());
}

// The scenarios between them reach every result and follow-up of the built charts; each
// screen they pass through must be as tidy as the set-ups.
TEST(ScenarioScreens, EveryScreenOfEveryScenarioKeepsItsControlsApart) {
  const std::vector<fs::path> files = testing::scenarioFiles();
  ASSERT_FALSE(files.empty());
  for (const fs::path& file : files) {
    const scenario::Outcome outcome = scenario::play(file.string(), layoutProblems);
    EXPECT_TRUE(outcome.passed) << outcome.failure;
  }
}

}  // namespace
}  // namespace vnt
