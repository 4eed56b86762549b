#include "shell/own_dice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "shell/form2.h"
#include "tests/unit/test_support.h"
#include "tools/vnt_scenario/scenario.h"

namespace vnt {
namespace {

namespace fs = std::filesystem;
using testing::QueuedDice;

const std::string kSourceDir = VNT_SOURCE_DIR;

DieRequest request(int upper, int lower, bool quick = false) {
  DieRequest r;
  r.upper = static_cast<std::int16_t>(upper);
  r.lower = static_cast<std::int16_t>(lower);
  r.chart = "Stealing";
  r.purpose = "the steal";
  r.quick = quick;
  return r;
}

// A player answering from a list; nullopt is "Roll for me".
class ListedAnswers final : public DieAsker {
 public:
  std::deque<std::optional<int>> answers;
  std::vector<DieRequest> asked;
  std::optional<int> askDie(const DieRequest& r) override {
    asked.push_back(r);
    if (answers.empty()) return std::nullopt;
    const auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

TEST(OwnDice, RangesReadAsThePlayerSaysThem) {
  EXPECT_EQ(dieRange(request(99, 0)), "0 to 99");
  EXPECT_EQ(dieRange(request(20, 1)), "1 to 20");
  // What the box says, with the chart and purpose named and without.
  EXPECT_EQ(dieChart(request(99, 0)), "Stealing");
  EXPECT_EQ(dieAsked(request(99, 0)), "Your die for the steal: 0 to 99");
  DieRequest unnamed = request(20, 1);
  unnamed.chart.clear();
  unnamed.purpose.clear();
  EXPECT_EQ(dieChart(unnamed), "Dice");
  EXPECT_EQ(dieAsked(unnamed), "Your die: 1 to 20");
  EXPECT_EQ(dieChoices(request(3, 1)), (std::vector<std::string>{"1", "2", "3"}));
}

TEST(OwnDice, WhatIsTypedIsTakenOrRefusedWithTheRangeShown) {
  struct Case {
    std::string typed;
    int upper, lower;
    std::optional<int> value;
  };
  const std::vector<Case> cases = {
      {"57", 99, 0, 57},
      {" 7 ", 99, 0, 7},
      {"07", 99, 0, 7},
      {"0", 99, 0, 0},
      {"99", 99, 0, 99},
      {"1", 20, 1, 1},
      {"20", 20, 1, 20},
      {"0", 20, 1, std::nullopt},
      {"21", 20, 1, {}},
      {"100", 99, 0, {}},
      {"-1", 99, 0, {}},
      {"", 99, 0, {}},
      {"  ", 99, 0, {}},
      {"abc", 99, 0, {}},
      {"5x", 99, 0, {}},
      {"1e2", 99, 0, {}},
      {"+5", 99, 0, {}},
      {"4.0", 99, 0, {}},
      {"99999999999999999999", 99, 0, {}},
      {"-", 99, 0, {}},
      {"-2", 5, -5, -2},
      {"\xD9\xA3", 9, 0, {}},
  };
  for (const Case& c : cases) {
    const DieEntry entry = readDieEntry(c.typed, request(c.upper, c.lower));
    EXPECT_EQ(entry.value, c.value) << '"' << c.typed << '"';
    if (c.value) {
      EXPECT_EQ(entry.refusal, "") << c.typed;
    } else {
      EXPECT_NE(entry.refusal.find(dieRange(request(c.upper, c.lower))), std::string::npos)
          << '"' << c.typed << "\": " << entry.refusal;
    }
  }
  EXPECT_EQ(readDieEntry("", request(20, 1)).refusal, "Enter a number from 1 to 20.");
}

// A number is told it is outside the range, whatever its sign; only what is no number at
// all is "Not a number".
TEST(OwnDice, ARefusalSaysWhetherItWasANumber) {
  const std::string notANumber = "Not a number: enter a number from 1 to 20.";
  const std::string outside = "Outside the range: enter a number from 1 to 20.";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"abc", notANumber},
      {"-", notANumber},
      {"--3", notANumber},
      {"- 3", notANumber},
      {"+3", notANumber},
      {"3-", notANumber},
      {"\xE2\x88\x92", notANumber},
      {"21", outside},
      {"0", outside},
      {"-3", outside},
      {"\xE2\x88\x92"
       "3",
       outside},
      {" -0 ", outside},
      {"-99999999999999999999", outside},
      {"99999999999999999999", outside},
  };
  for (const auto& [typed, refusal] : cases) {
    const DieEntry entry = readDieEntry(typed, request(20, 1));
    EXPECT_EQ(entry.value, std::nullopt) << '"' << typed << '"';
    EXPECT_EQ(entry.refusal, refusal) << '"' << typed << '"';
  }
  // Below zero where the range goes there, with either minus sign.
  EXPECT_EQ(readDieEntry("\xE2\x88\x92"
                         "5",
                         request(5, -5))
                .value,
            -5);
  EXPECT_EQ(readDieEntry("-6", request(5, -5)).refusal,
            "Outside the range: enter a number from -5 to 5.");
}

TEST(OwnDice, AsksForEachChartDieAndRollsWhenTold) {
  QueuedDice rolling;
  ListedAnswers player;
  OwnDice dice(rolling, player);

  // Off: the program rolls and nobody is asked.
  rolling.values = {11};
  EXPECT_EQ(dice.draw(request(99, 0)).value, 11);
  EXPECT_TRUE(player.asked.empty());

  dice.setOn(true);
  player.answers = {57};
  const Die entered = dice.draw(request(99, 0));
  EXPECT_EQ(entered.value, 57);
  EXPECT_TRUE(entered.entered);
  ASSERT_EQ(player.asked.size(), 1u);
  EXPECT_EQ(player.asked[0].chart, "Stealing");
  EXPECT_EQ(player.asked[0].purpose, "the steal");
  EXPECT_TRUE(rolling.draws.size() == 1u);

  // "Roll for me": that one die is rolled, within the request's bounds.
  player.answers = {std::nullopt};
  rolling.values = {13};
  const Die rolled = dice.draw(request(20, 1));
  EXPECT_EQ(rolled.value, 13);
  EXPECT_FALSE(rolled.entered);
  EXPECT_EQ(rolling.draws.back(), (std::pair<std::int16_t, std::int16_t>{20, 1}));

  // An answer outside the bounds never reaches a chart.
  player.answers = {21};
  rolling.values = {4};
  EXPECT_EQ(dice.draw(request(20, 1)).value, 4);

  // The quick dice of the chart menu are the program's own rolls.
  const std::size_t asked = player.asked.size();
  rolling.values = {321};
  EXPECT_EQ(dice.draw(request(999, 0, true)).value, 321);
  EXPECT_EQ(player.asked.size(), asked);
}

// What the window shows after each click, to compare two runs of one scenario.
struct Shown {
  std::string text;
  std::vector<std::string> history;
  bool operator==(const Shown&) const = default;
};
void PrintTo(const Shown& shown, std::ostream* out) {
  *out << '"' << shown.text << "\" [";
  for (const std::string& line : shown.history) *out << " \"" << line << '"';
  *out << " ]";
}

// Every scenario of the project, played once with scripted dice and once with the same values
// typed in as the player's own dice: the same verdict and the same result label and history
// after every click. The log marks each die typed in, and only those.
TEST(OwnDice, EnteredValuesDriveEveryChartAsScriptedDiceDo) {
  std::vector<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(kSourceDir + "/tests/scenarios")) {
    // The game log's own scenarios check that their dice were rolled, not typed in.
    if (entry.path().parent_path().filename() == "log") continue;
    if (entry.path().extension() == ".scn") files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  ASSERT_GT(files.size(), 50u);

  int askedInAll = 0;
  std::vector<std::string> chartsAsked;
  for (const std::string& file : files) {
    std::vector<Shown> scripted;
    std::vector<Shown> own;
    std::vector<LogEntry> log;
    const auto scriptedRun = scenario::play(file, [&](const Form2& form) {
      scripted.push_back({form.Text1.caption, form.List1.items});
      return std::string();
    });
    int asked = 0;
    const auto ownRun = scenario::play(file,
                                       [&](const Form2& form) {
                                         own.push_back({form.Text1.caption, form.List1.items});
                                         log = form.gameLog().entries();
                                         return std::string();
                                       },
                                       {true, &asked});
    EXPECT_EQ(ownRun.passed, scriptedRun.passed) << file << ": " << ownRun.failure;
    EXPECT_EQ(own, scripted) << file;
    askedInAll += asked;

    int enteredInLog = 0;
    for (const LogEntry& entry : log) {
      for (const LogStep& step : entry.steps) {
        if (step.kind != LogStep::Kind::Die) continue;
        EXPECT_EQ(step.entered, entry.chart != "Quick dice") << file << " roll " << entry.number;
        EXPECT_FALSE(step.text.empty()) << file << " roll " << entry.number << ": no purpose";
        if (step.entered) ++enteredInLog;
        if (step.entered) chartsAsked.push_back(entry.chart);
      }
    }
    EXPECT_LE(enteredInLog, asked) << file;
  }
  EXPECT_GT(askedInAll, 100);
  std::sort(chartsAsked.begin(), chartsAsked.end());
  chartsAsked.erase(std::unique(chartsAsked.begin(), chartsAsked.end()), chartsAsked.end());
  EXPECT_GE(chartsAsked.size(), 10u);
}

}  // namespace
}  // namespace vnt
