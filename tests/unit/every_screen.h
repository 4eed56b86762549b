#pragma once

// Brings a window through every screen a player can reach without rolling: the season
// selection, the chart menu, each chart's set-up and both answers to "Possible Foul Ball?".
// Layout checks run their test on each.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "shell/form2.h"

namespace vnt::testing {

// On screen: the control and every frame around it are visible.
inline bool shown(const Control& control) {
  for (const Control* c = &control; c != nullptr; c = c->container) {
    if (!c->visible) return false;
  }
  return true;
}

// Every scenario file of the project, in a fixed order.
inline std::vector<std::filesystem::path> scenarioFiles() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(
           std::filesystem::path(VNT_SOURCE_DIR) / "tests" / "scenarios")) {
    if (entry.path().extension() == ".scn") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

struct ScreenFeed {
  std::function<void(std::int16_t)> roll;  // queues the Error chart's fielder roll
  std::function<void(bool)> answer;        // queues the answer to a Yes/No box
};

// `form` has run Form_Load in a directory holding the bundled seasons; the walk picks 2015,
// a season of thirty ballparks. `visit` gets the name of each screen once it is shown.
inline void visitEveryScreen(Form2& form, const ScreenFeed& feed,
                             const std::function<void(const std::string&)>& visit) {
  visit("season selection");
  form.select(form.optYear[2015 - kFirstSeason]);
  form.cmdYear_Click();
  visit("chart menu");
  for (int chart = 0; chart < form.cmdChart.size(); ++chart) {
    form.cmdCancel_Click();
    if (chart == 4) feed.roll(5);  // a fielder, so the error inputs show
    if (chart == 12) feed.answer(true);
    form.cmdChart_Click(chart);
    visit(form.cmdChart[chart].caption + (chart == 12 ? " (foul: yes)" : ""));
  }
  form.cmdCancel_Click();
  feed.answer(false);
  form.cmdChart_Click(12);
  visit(form.cmdChart[12].caption + " (foul: no)");
}

}  // namespace vnt::testing
