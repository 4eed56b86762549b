#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "shell/form2.h"
#include "tests/unit/test_support.h"

namespace vnt {
namespace {

using testing::FakeDialogs;
using testing::QueuedDice;

class FormTest : public ::testing::Test {
 protected:
  QueuedDice dice;
  FakeDialogs dialogs;
  Form2 form{dice, dialogs};

  std::set<std::string> visibleControls() const {
    std::set<std::string> names;
    for (const Control* c : form.controls()) {
      if (c->visible) names.insert(c->displayName());
    }
    return names;
  }

  void log(const std::string& text) {
    form.Text1.caption = text;
    form.IncrementDiceRolls();
  }
};

TEST_F(FormTest, NineLoggingCallsKeepTheLastEightOldestOnTop) {
  for (int i = 1; i <= 9; ++i) log(std::to_string(i));
  EXPECT_EQ(form.List1.items, (std::vector<std::string>{"2", "3", "4", "5", "6", "7", "8", "9"}));
  EXPECT_EQ(form.RollHistoryCount, 8);
  EXPECT_EQ(form.RollHistory[1], "2");
  EXPECT_EQ(form.RollHistory[8], "9");
  for (int unused : {0, 9, 10}) EXPECT_EQ(form.RollHistory[unused], "") << "slot " << unused;
}

TEST_F(FormTest, HistoryGrowsOneEntryAtATimeUpToEight) {
  for (int i = 1; i <= 8; ++i) {
    log("entry " + std::to_string(i));
    ASSERT_EQ(form.RollHistoryCount, i);
    ASSERT_EQ(form.List1.items.size(), static_cast<std::size_t>(i));
    EXPECT_EQ(form.List1.items.back(), "entry " + std::to_string(i));
  }
  for (int i = 9; i <= 20; ++i) log("entry " + std::to_string(i));
  EXPECT_EQ(form.List1.items.front(), "entry 13");
  EXPECT_EQ(form.List1.items.back(), "entry 20");
}

TEST_F(FormTest, QuickDiceUseTheirOwnDrawsAndColours) {
  struct Case {
    Control Form2::*button;
    void (Form2::*handler)();
    std::pair<std::int16_t, std::int16_t> draw;
  };
  const Case cases[] = {{&Form2::cmdOne, &Form2::cmdOne_Click, {9, 0}},
                        {&Form2::cmdTwo, &Form2::cmdTwo_Click, {99, 0}},
                        {&Form2::cmdThree, &Form2::cmdThree_Click, {999, 0}},
                        {&Form2::cmdTwenty, &Form2::cmdTwenty_Click, {20, 1}}};
  for (const Case& c : cases) {
    dice.draws.clear();
    dice.values = {5};
    (form.*c.handler)();
    ASSERT_EQ(dice.draws.size(), 1U);
    EXPECT_EQ(dice.draws[0], c.draw);
    EXPECT_EQ(form.Text1.caption, "5");
    for (Control* button : {&form.cmdOne, &form.cmdTwo, &form.cmdThree, &form.cmdTwenty}) {
      EXPECT_EQ(button->backColor, button == &(form.*c.button) ? kWhite : kBlue) << button->name;
    }
  }
}

TEST_F(FormTest, QuickDiceStartInTheDefaultColour) {
  for (Control* button : {&form.cmdOne, &form.cmdTwo, &form.cmdThree, &form.cmdTwenty}) {
    EXPECT_FALSE(button->backColor.has_value());
  }
}

TEST_F(FormTest, StartUpShowsOnlyTheSeasonSelection) {
  const auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  form.Form_Load();
  std::filesystem::current_path(cwd);

  std::set<std::string> expected = {"Label1", "fraSeasons", "cmdYear", "cmdExit"};
  for (int i = 0; i < kSeasonCount; ++i) expected.insert("optYear(" + std::to_string(i) + ")");
  EXPECT_EQ(visibleControls(), expected);
  EXPECT_EQ(form.screenState(), ScreenState::SeasonSelection);
  EXPECT_EQ(form.Label1.caption, Form2::VersionLine());
  EXPECT_EQ(form.cmdCancel.caption, "&Cancel");
}

TEST_F(FormTest, ChartMenuShowsExactlyItsControls) {
  form.Form_Load();
  form.SeasonText = "1987";
  form.cmdCancel.caption = "&Continue";
  form.Text1.caption = "Holds";
  log("Holds");
  form.cmdCancel_Click();

  std::set<std::string> expected = {"cmdOne", "cmdTwo",  "cmdThree", "cmdTwenty", "chkDiceRolls",
                                    "Text1",  "List1",   "imgLogo",  "Label1",    "cmdCancel",
                                    "cmdExit"};
  for (int i = 0; i < 14; ++i) expected.insert("cmdChart(" + std::to_string(i) + ")");
  EXPECT_EQ(visibleControls(), expected);
  EXPECT_EQ(form.screenState(), ScreenState::ChartMenu);
  EXPECT_EQ(form.title, "VNT Assistant 1987");
  EXPECT_EQ(form.cmdCancel.caption, "&Cancel");
  EXPECT_EQ(form.Text1.caption, "Holds");
  EXPECT_EQ(form.List1.items, std::vector<std::string>{"Holds"});
}

// What the way back to the menu resets, and what it leaves to the next chart.
TEST_F(FormTest, ReturnToMenuResetsSharedInputs) {
  form.chkOFin.caption = "Squeeze Play";
  form.chkOFin.value = true;
  form.fraCrazyPlay.caption = "Weather Result";
  form.chkHitRun.value = true;
  form.select(form.optClutch[2]);
  form.select(form.Option1[1]);
  form.select(form.optTime[0]);
  form.select(form.optWind[2]);
  form.select(form.optBallpark[4]);
  form.chkError[0].value = true;
  for (Control* c : {&form.chkIFDefense[10], &form.chkIFDefense[11], &form.optSurface[1],
                     &form.OptBatting[2], &form.optBallpark[29], &form.optTime[1], &form.optJump[13]}) {
    c->enabled = false;
  }

  form.cmdCancel_Click();

  EXPECT_EQ(form.chkOFin.caption, "Outfield In");
  EXPECT_FALSE(form.chkOFin.value);
  EXPECT_EQ(form.fraCrazyPlay.caption, "Crazy Play Result");
  EXPECT_FALSE(form.chkHitRun.value);
  EXPECT_FALSE(form.optClutch[2].value);
  EXPECT_FALSE(form.Option1[1].value);
  EXPECT_FALSE(form.optTime[0].value);
  EXPECT_TRUE(form.chkIFDefense[10].enabled);
  EXPECT_FALSE(form.chkIFDefense[11].enabled) << "only boxes 0..10 are enabled again";
  for (Control* c : {&form.optSurface[1], &form.OptBatting[2], &form.optBallpark[29],
                     &form.optTime[1], &form.optJump[13]}) {
    EXPECT_TRUE(c->enabled) << c->displayName();
  }
  // Carried over to later charts.
  EXPECT_TRUE(form.optWind[2].value);
  EXPECT_TRUE(form.optBallpark[4].value);
  EXPECT_TRUE(form.chkError[0].value);
}

TEST_F(FormTest, OptionsExcludeEachOtherWithinTheirFrameOnly) {
  form.click(form.optJump[3]);
  form.click(form.optTime[1]);
  form.click(form.optJump[5]);
  EXPECT_FALSE(form.optJump[3].value);
  EXPECT_TRUE(form.optJump[5].value);
  EXPECT_TRUE(form.optTime[1].value);
  form.click(form.OptBatting[0]);
  form.click(form.OptBatting[3]);
  EXPECT_FALSE(form.OptBatting[0].value);
  EXPECT_TRUE(form.optTime[1].value) << "the window's own options are a group of their own";
}

TEST_F(FormTest, CheckBoxesToggleOnClick) {
  form.click(form.chkDiceRolls);
  EXPECT_TRUE(form.chkDiceRolls.value);
  form.click(form.chkDiceRolls);
  EXPECT_FALSE(form.chkDiceRolls.value);
}

TEST_F(FormTest, ExitAsksAndEndsOnlyOnYes) {
  dialogs.answers = {false, true};
  form.cmdExit_Click();
  EXPECT_FALSE(form.ended());
  form.cmdExit_Click();
  EXPECT_TRUE(form.ended());
  ASSERT_EQ(dialogs.shown.size(), 2U);
  EXPECT_EQ(dialogs.shown[0], std::make_pair(std::string("Confirm Exit"), std::string("Exit Assistant")));
}

TEST_F(FormTest, VersionLineNamesTheRelease) {
  EXPECT_TRUE(Form2::VersionLine().starts_with("VNT Assistant Program 1.7.0"));
  EXPECT_EQ(Form2::VersionLine(), Form2::VersionLine());
}

// --- The control inventory ----------------------------------------------------------

TEST_F(FormTest, EveryControlHasAUniqueNameAndIndex) {
  std::set<std::string> names;
  for (const Control* c : form.controls()) {
    EXPECT_TRUE(names.insert(c->displayName()).second) << c->displayName();
    EXPECT_EQ(form.find(c->name, c->index), c);
  }
}

TEST_F(FormTest, ControlArraysHaveTheirSizesAndContainers) {
  struct Case {
    ControlArray Form2::*array;
    int size;
    Control Form2::*container;  // null: the window
  };
  const Case cases[] = {
      {&Form2::optYear, 54, &Form2::fraSeasons},     {&Form2::cmdChart, 14, nullptr},
      {&Form2::optBallpark, 30, &Form2::fraBallparks}, {&Form2::OptBatting, 4, nullptr},
      {&Form2::optSurface, 2, &Form2::fraSurface},   {&Form2::Option1, 5, &Form2::fraBuntRating},
      {&Form2::chkIFDefense, 13, &Form2::fraIFDefense}, {&Form2::optRange, 7, &Form2::fraRange},
      {&Form2::optLocation, 5, &Form2::fraLocation}, {&Form2::optJump, 14, &Form2::fraJump},
      {&Form2::optTime, 2, &Form2::fraTime},         {&Form2::optMonth, 7, &Form2::fraMonth},
      {&Form2::optWind, 5, &Form2::fraWind},         {&Form2::optClutch, 4, &Form2::fraClutch},
      {&Form2::optK9, 5, &Form2::fraKper9},          {&Form2::optPBRating, 5, &Form2::fraPB},
      {&Form2::chkError, 2, &Form2::fraError},       {&Form2::optError, 20, &Form2::fraCrazyPlay},
  };
  for (const Case& c : cases) {
    const ControlArray& array = form.*c.array;
    ASSERT_EQ(array.size(), c.size) << array[0].name;
    for (const Control& element : array) {
      EXPECT_EQ(element.container, c.container ? &(form.*c.container) : nullptr) << element.displayName();
    }
  }
  EXPECT_EQ(form.lblCrazyPlay.container, &form.fraCrazyPlay);
  EXPECT_EQ(form.chkTired.container, &form.fraClutch);
  EXPECT_EQ(form.lblAdjust.container, &form.fraAdjust);
  EXPECT_EQ(form.lblDefense.container, &form.fraIFDefense);
}

TEST_F(FormTest, DesignCaptionsOfTheSharedGroups) {
  EXPECT_EQ(form.optYear[0].caption, "1972");
  EXPECT_EQ(form.optYear[53].caption, "2025");
  EXPECT_EQ(form.cmdChart[0].caption, "BPE");
  EXPECT_EQ(form.cmdChart[12].caption, "WP / PB / Foul?");
  EXPECT_EQ(form.cmdChart[13].caption, "Balk");
  EXPECT_EQ(form.optBallpark[0].caption, "Arizona");
  EXPECT_EQ(form.optBallpark[29].caption, "Toronto");
  EXPECT_EQ(form.Option1[0].caption, "5");
  EXPECT_EQ(form.Option1[4].caption, "1");
  EXPECT_EQ(form.optJump[0].caption, "10");
  EXPECT_EQ(form.optJump[13].caption, "-3");
  EXPECT_EQ(form.optError[0].caption, "20");
  EXPECT_EQ(form.optError[19].caption, "1");
  EXPECT_EQ(form.chkIFDefense[8].caption, "1B Holds Run.");
  EXPECT_EQ(form.cmdNormIFR.caption, "&Normal Defensive Alignment");
  EXPECT_EQ(form.cmdRecovered.caption, "Recovered?");
}

// Every control fits inside the window, and inside the frame that holds it.
TEST_F(FormTest, EveryControlFitsInsideItsContainer) {
  for (const Control* c : form.controls()) {
    const int width = c->container ? c->container->layout.width : 8436;
    const int height = c->container ? c->container->layout.height : 8724;
    EXPECT_GE(c->layout.left, 0) << c->displayName();
    EXPECT_GE(c->layout.top, 0) << c->displayName();
    EXPECT_GT(c->layout.width, 0) << c->displayName();
    EXPECT_GT(c->layout.height, 0) << c->displayName();
    EXPECT_LE(c->layout.left + c->layout.width, width) << c->displayName();
    EXPECT_LE(c->layout.top + c->layout.height, height) << c->displayName();
  }
}

bool overlap(const Twips& a, const Twips& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

// In the two screens this window draws by itself, nothing covers anything else.
TEST_F(FormTest, NothingOverlapsInTheSeasonSelectionOrTheChartMenu) {
  form.Form_Load();
  for (int state = 0; state < 2; ++state) {
    if (state == 1) form.cmdCancel_Click();
    std::vector<const Control*> shown;
    for (const Control* c : form.controls()) {
      if (c->visible && c->reachable()) shown.push_back(c);
      if (c->visible && !c->enabled && c->container && c->container->visible) shown.push_back(c);
    }
    for (std::size_t i = 0; i < shown.size(); ++i) {
      for (std::size_t j = i + 1; j < shown.size(); ++j) {
        if (shown[i]->container != shown[j]->container) continue;
        EXPECT_FALSE(overlap(shown[i]->layout, shown[j]->layout))
            << shown[i]->displayName() << " and " << shown[j]->displayName();
      }
    }
  }
}

}  // namespace
}  // namespace vnt
