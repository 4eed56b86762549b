// What the odds tests share: a working folder holding two sample seasons, a window
// started on one of them, and checks of a set of odds.

#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "charts/environment/deep_drive_table.h"
#include "charts/environment/weather_table.h"
#include "charts/fielding/infield_defense.h"
#include "charts/fielding/infield_range_table.h"
#include "charts/fielding/outfield_range_table.h"
#include "shell/form2.h"
#include "shell/odds.h"
#include "shell/season_files.h"
#include "tests/unit/test_support.h"

namespace vnt::odds_testing {

namespace fs = std::filesystem;
using odds::Chance;
using testing::FakeDialogs;
using testing::QueuedDice;

// Runs on the bundled 2015 and 2016 seasons, alone in a directory of their own so each of
// the many fresh windows reads only them: 2015 has thirty ballparks (Boston 3, Chicago NL 5,
// Colorado 8), 2016 plays hard slides.
class InSeasons : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    dir_ = fs::temp_directory_path() / ("vnt-odds-test-" + std::to_string(::getpid()));
    fs::create_directories(dir_ / "empty");
    for (const auto& entry : fs::directory_iterator(fs::path(VNT_SOURCE_DIR) / "seasons")) {
      const std::string name = entry.path().filename().string();
      if (name.starts_with("2015") || name.starts_with("2016")) {
        fs::copy_file(entry.path(), dir_ / name, fs::copy_options::overwrite_existing);
      }
    }
    fs::current_path(dir_);
  }
  void TearDown() override {
    fs::current_path(previous_);
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

 private:
  fs::path previous_;
  fs::path dir_;
};

struct Window {
  QueuedDice dice;
  FakeDialogs dialogs;
  Form2 form{dice, dialogs};

  void click(std::string_view name, int index = -1) {
    Control* control = form.find(name, index);
    ASSERT_NE(control, nullptr) << name << " " << index;
    ASSERT_TRUE(control->reachable()) << control->displayName();
    form.click(*control);
  }
  // The season check of start-up reads every season's files; the many windows of these
  // tests start in an empty folder instead and are given the season the check would
  // offer. "Select Season" then reads the season as usual.
  void season(int year) {
    const fs::path seasons = fs::current_path();
    fs::current_path(seasons / "empty");
    form.Form_Load();
    fs::current_path(seasons);
    form.optYear[year - kFirstSeason].enabled = true;
    click("optYear", year - kFirstSeason);
    click("cmdYear");
  }
  // A roll made while setting up a case: queued, clicked, used up.
  void roll(std::int16_t value, std::string_view button, int index = -1) {
    dice.values.push_back(value);
    click(button, index);
    ASSERT_TRUE(dice.values.empty()) << button;
  }
};

// What one click showed, per section of the odds: the outcome word, or none when that
// section's roll was not made in this run.
using Observed = std::vector<std::optional<std::string>>;
// The entries the click added to the history, oldest first.
using Logged = std::vector<std::string>;

// What one click showed by section heading, for rolls whose sections come and go with the
// data (the weather's thunderstorms and snow): the heading's last words, after ": ".
using ObservedByHeading = std::map<std::string, std::string>;
// The weather record of a ballpark of the 2015 season in the working directory.
inline weather::Table weatherRecord(const std::string& ballpark) {
  const auto data = readSeasonFile("2015Weather.vnt");
  const WeatherLookup found = data ? lookupWeatherRecord(*data, ballpark) : WeatherLookup{};
  EXPECT_EQ(found.status, LookupStatus::Found) << ballpark;
  return found.values;
}

inline ObservedByHeading deepSeen(const Form2& form, const Logged& logged) {
  ObservedByHeading seen;
  if (logged.empty()) return seen;
  seen["location"] = logged.front();
  for (const std::string& word : logged) {
    if (word == "Fair Ball" || word == "Foul Ball!") seen["foul line"] = word;
  }
  if (seen.count("foul line") && seen["foul line"] == "Foul Ball!") return seen;
  const std::string& last = logged.back();
  if (last == "Home Run!" || last == "Robbed?" || last.starts_with("Caught - ")) {
    seen["distance"] = last;
  } else if (form.lblCrazyPlay.caption.starts_with("Off the Wall!")) {
    seen["distance"] = "Off the Wall!";
  } else {
    seen["distance"] = "Ball caught";
  }
  return seen;
}

inline std::string describe(const odds::Section& section) {
  std::string out = section.heading + ":";
  for (const odds::Line& line : section.lines) {
    out += " " + line.word + " " + std::to_string(line.chance.numerator()) + "/" +
           std::to_string(line.chance.denominator());
  }
  return out;
}

inline void expectWhole(const odds::Odds& odds, const std::string& context) {
  ASSERT_TRUE(odds.hasNumbers()) << context << ": " << odds.message;
  for (const odds::Section& section : odds.sections) {
    Chance sum;
    for (const odds::Line& line : section.lines) {
      EXPECT_FALSE(line.chance.isZero()) << context << ": " << line.word;
      sum += line.chance;
    }
    EXPECT_EQ(sum, Chance(1, 1)) << context << ": " << describe(section);
  }
}

inline void expectMessage(const odds::Odds& odds, const std::string& message) {
  EXPECT_EQ(odds.message, message);
  EXPECT_FALSE(odds.hasNumbers());
}

inline void unselect(ControlArray& group) {
  for (Control& option : group) option.value = false;
}

// Shows exactly this roll button, as the chart's own steps would leave it.
inline void onlyButton(Form2& form, Control& button) {
  for (Control* c : form.controls()) {
    const bool leaves = c == &form.cmdCancel || c == &form.cmdExit;
    if (c->kind == ControlKind::Button && !leaves) c->visible = false;
  }
  button.visible = true;
}

// Every set of infield-defence boxes the panel lets a player reach: no two in conflict, at
// least one checked.
inline std::vector<std::vector<int>> consistentAlignments(const Form2& form) {
  std::vector<std::vector<int>> found;
  const int boxes = form.chkIFDefense.size();
  for (int mask = 1; mask < (1 << boxes); ++mask) {
    std::vector<int> checked;
    for (int box = 0; box < boxes; ++box) {
      if ((mask >> box) & 1) checked.push_back(box);
    }
    bool consistent = true;
    for (const int a : checked) {
      for (const int b : checked) consistent = consistent && !infield::conflicts(a, b);
    }
    if (consistent) found.push_back(checked);
  }
  return found;
}

inline auto weatherChart(int ballpark, int month, int time) {
  return [=](Window& w) {
    w.season(2015);
    w.click("cmdChart", 11);
    w.click("optBallpark", ballpark);
    w.click("optMonth", month);
    w.click("optTime", time);
  };
}

inline auto deepChart(int style, int power, int ballpark, int wind, int clutch, bool tired) {
  return [=](Window& w) {
    w.season(2015);
    w.click("cmdChart", 3);
    w.click("OptBatting", style);
    w.click("Option1", power);
    w.click("optBallpark", ballpark);
    w.click("optWind", wind);
    if (clutch >= 0) w.click("optClutch", clutch);
    if (tired) w.click("chkTired");
  };
}

}  // namespace vnt::odds_testing
