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

namespace vnt {
namespace {

constexpr int kClientWidth = 8436;
constexpr int kClientHeight = 8724;

bool overlap(const Twips& a, const Twips& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

bool shown(const Control& control) {
  for (const Control* c = &control; c != nullptr; c = c->container) {
    if (!c->visible) return false;
  }
  return true;
}

class ScreenLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::path(VNT_SOURCE_DIR) / "seasons");
    form.Form_Load();
  }
  void TearDown() override { std::filesystem::current_path(previous_); }

  testing::QueuedDice dice;
  testing::FakeDialogs dialogs;
  Form2 form{dice, dialogs};
  testing::ScreenFeed feed{[this](std::int16_t v) { dice.values.push_back(v); },
                           [this](bool yes) { dialogs.answers.push_back(yes); }};

 private:
  std::filesystem::path previous_;
};

TEST_F(ScreenLayoutTest, NothingOverlapsOrSticksOutOnAnyScreen) {
  int screens = 0;
  testing::visitEveryScreen(form, feed, [&](const std::string& screen) {
    ++screens;
    std::vector<const Control*> visible;
    for (const Control* c : form.controls()) {
      if (shown(*c)) visible.push_back(c);
    }
    for (const Control* c : visible) {
      const int width = c->container ? c->container->layout.width : kClientWidth;
      const int height = c->container ? c->container->layout.height : kClientHeight;
      const Twips& r = c->layout;
      EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.width > 0 && r.height > 0 &&
                  r.left + r.width <= width && r.top + r.height <= height)
          << screen << ": " << c->displayName() << " sticks out of its container";
    }
    for (std::size_t i = 0; i < visible.size(); ++i) {
      for (std::size_t j = i + 1; j < visible.size(); ++j) {
        if (visible[i]->container != visible[j]->container) continue;
        EXPECT_FALSE(overlap(visible[i]->layout, visible[j]->layout))
            << screen << ": " << visible[i]->displayName() << " overlaps "
            << visible[j]->displayName();
      }
    }
  });
  EXPECT_EQ(screens, 2 + 14 + 1);
  EXPECT_TRUE(dice.values.empty());
  EXPECT_TRUE(dialogs.answers.empty());
}

}  // namespace
}  // namespace vnt
