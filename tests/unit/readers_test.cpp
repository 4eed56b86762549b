// The readers: each option of a group gives its own value, nothing selected gives -1.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "shell/form2.h"
#include "tests/unit/test_support.h"

namespace vnt {
namespace {

class ReadersTest : public ::testing::Test {
 protected:
  testing::QueuedDice dice;
  testing::FakeDialogs dialogs;
  Form2 form{dice, dialogs};
};

struct GroupCase {
  const char* group;
  std::function<std::int16_t(const Form2&)> read;
  std::vector<int> values;  // by index
};

TEST_F(ReadersTest, EveryOptionGivesItsValueAndNoneGivesMinusOne) {
  const std::vector<GroupCase> cases = {
      {"optSurface", &Form2::GetSurface, {0, 1}},
      {"OptBatting", &Form2::GetBattingStyle, {0, 1, 2, 3}},
      {"optMonth", &Form2::GetMonth, {1, 2, 3, 4, 5, 6, 7}},
      {"optTime", &Form2::GetTime, {0, 1}},
      {"Option1", &Form2::GetRating, {5, 4, 3, 2, 1}},
      {"optWind", &Form2::GetWind, {5, 4, 3, 2, 1}},
      {"optJump", &Form2::GetJumpRating, {10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, -1, -2, -3}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.group);
    EXPECT_EQ(c.read(form), std::string(c.group) == "optJump" ? -99 : -1);
    for (int i = 0; i < static_cast<int>(c.values.size()); ++i) {
      Control* option = form.find(c.group, i);
      ASSERT_NE(option, nullptr) << i;
      form.select(*option);
      EXPECT_EQ(c.read(form), c.values[static_cast<std::size_t>(i)]) << i;
    }
    ASSERT_EQ(form.find(c.group, static_cast<int>(c.values.size())), nullptr);
  }
}

// A ballpark is read by its option, whatever the season's count of ballparks.
TEST_F(ReadersTest, BallparkIsTheOptionIndex) {
  EXPECT_EQ(form.GetBallpark(), -1);
  form.BallparkCount = 5;
  for (const int i : {0, 4, 5, 29}) {
    form.select(form.optBallpark[i]);
    EXPECT_EQ(form.GetBallpark(), i);
  }
}

TEST_F(ReadersTest, InfieldDefenseTellsOnlyWhetherAnyBoxIsChecked) {
  EXPECT_EQ(form.GetIFDefense(), -1);
  form.chkIFDefense[0].value = true;
  EXPECT_EQ(form.GetIFDefense(), 0);
  form.chkIFDefense[0].value = false;
  form.chkIFDefense[12].value = true;
  EXPECT_EQ(form.GetIFDefense(), 0);
}

// Returning to the chart menu clears the rating, the day/night and the clutch groups.
TEST_F(ReadersTest, CancelClearsRatingTimeAndClutch) {
  form.select(form.Option1[2]);
  form.select(form.optTime[1]);
  form.select(form.optClutch[0]);
  form.select(form.optWind[1]);
  form.cmdCancel_Click();
  EXPECT_EQ(form.GetRating(), -1);
  EXPECT_EQ(form.GetTime(), -1);
  for (const auto& option : form.optClutch) EXPECT_FALSE(option.value) << option.index;
  EXPECT_EQ(form.GetWind(), 4);  // not cleared here: the wind carries over
}

TEST_F(ReadersTest, BattingStyleClickChangesNothingElse) {
  form.Form_Load();
  form.cmdChart_Click(0);
  const std::string label = form.Label1.caption;
  const std::string text = form.Text1.caption;
  form.click(form.OptBatting[2]);
  EXPECT_EQ(form.GetBattingStyle(), 2);
  EXPECT_EQ(form.Label1.caption, label);
  EXPECT_EQ(form.Text1.caption, text);
  EXPECT_TRUE(dice.draws.empty());
  EXPECT_TRUE(dialogs.shown.empty());
}

}  // namespace
}  // namespace vnt
