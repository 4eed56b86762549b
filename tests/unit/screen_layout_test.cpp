// Every screen a player can reach keeps its controls apart: each visible control lies inside
// the frame (or window) holding it, and no two visible controls of one container overlap,
// so frames that share a place in the chart area never show together.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "shell/form2.h"
#include "tests/unit/every_screen.h"
#include "tests/unit/test_support.h"
#include "tools/vnt_scenario/scenario.h"

namespace vnt {
namespace {

namespace fs = std::filesystem;

constexpr int kClientWidth = 8436;
constexpr int kClientHeight = 8724;

bool overlap(const Twips& a, const Twips& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

// What is wrong with the layout of the screen as it stands, or an empty text.
std::string layoutProblems(const Form2& form) {
  std::string problems;
  const auto add = [&problems](const std::string& problem) {
    problems += (problems.empty() ? "" : "; ") + problem;
  };
  std::vector<const Control*> visible;
  for (const Control* c : form.controls()) {
    if (testing::shown(*c)) visible.push_back(c);
  }
  for (const Control* c : visible) {
    const int width = c->container ? c->container->layout.width : kClientWidth;
    const int height = c->container ? c->container->layout.height : kClientHeight;
    const Twips& r = c->layout;
    if (r.left < 0 || r.top < 0 || r.width <= 0 || r.height <= 0 || r.left + r.width > width ||
        r.top + r.height > height) {
      add(c->displayName() + " sticks out of its container");
    }
  }
  for (std::size_t i = 0; i < visible.size(); ++i) {
    for (std::size_t j = i + 1; j < visible.size(); ++j) {
      if (visible[i]->container == visible[j]->container &&
          overlap(visible[i]->layout, visible[j]->layout)) {
        add(visible[i]->displayName() + " overlaps " + visible[j]->displayName());
      }
    }
  }
  return problems;
}

class ScreenLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    fs::current_path(fs::path(VNT_SOURCE_DIR) / "seasons");
    form.Form_Load();
  }
  void TearDown() override { fs::current_path(previous_); }

  testing::QueuedDice dice;
  testing::FakeDialogs dialogs;
  Form2 form{dice, dialogs};
  testing::ScreenFeed feed{[this](std::int16_t v) { dice.values.push_back(v); },
                           [this](bool yes) { dialogs.answers.push_back(yes); }};

 private:
  fs::path previous_;
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
