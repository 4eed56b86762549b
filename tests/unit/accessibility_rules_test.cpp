// What a screen reader is told, as every front end must tell it.

#include "shell/accessibility_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/form2.h"
#include "tests/unit/test_support.h"

namespace vnt {
namespace {

TEST(AccessibilityRules, EachKindOfControlHasItsRole) {
  const struct {
    ControlKind kind;
    AccessibleRole role;
  } cases[] = {
      {ControlKind::Button, AccessibleRole::Button},
      {ControlKind::CheckBox, AccessibleRole::CheckBox},
      // Radio buttons, though the model rather than the toolkit keeps them exclusive.
      {ControlKind::Option, AccessibleRole::RadioButton},
      {ControlKind::Frame, AccessibleRole::Group},
      {ControlKind::Label, AccessibleRole::Text},
      {ControlKind::ListBox, AccessibleRole::List},
      {ControlKind::Image, AccessibleRole::Image},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(accessibleRole(c.kind), c.role) << static_cast<int>(c.kind);
  }
}

class AccessibleNames : public ::testing::Test {
 protected:
  testing::QueuedDice dice;
  testing::FakeDialogs dialogs;
  Form2 form{dice, dialogs};
};

TEST_F(AccessibleNames, ReadCaptionsAsShownWithoutAccessKeys) {
  Control ballpark = form.optBallpark[0];
  ballpark.literalCaption = true;
  form.fraCrazyPlay.caption = "Crazy Play &Result";
  Control outside = form.lblCrazyPlay;
  outside.container = nullptr;
  const struct {
    const Control& control;
    std::string shown;
    std::string name;
  } cases[] = {
      {form.Text1, "", "Result: "},
      {form.Text1, "7", "Result: 7"},
      {form.Text1, "Caught - LF", "Result: Caught - LF"},
      {form.List1, "", "Roll history"},
      {form.imgLogo, "", "VNT Assistant logo"},
      {form.cmdExit, "E&xit", "Exit"},
      {form.cmdCancel, "&Continue", "Continue"},
      {form.chkDiceRolls, "Show Dice Rolls", "Show Dice Rolls"},
      {form.optYear[43], "2015", "2015"},
      {form.fraSeasons, "&Seasons", "Seasons"},
      // A caption that is data comes with its '&' doubled, and is read as written.
      {ballpark, "Rock && Roll Park", "Rock & Roll Park"},
      // A lone '&' at the end marks nothing.
      {form.cmdChart[0], "Odd &", "Odd &"},
      // Labels show their text as it stands: no access keys there.
      {form.Label1, "unless H&R", "unless H&R"},
      {form.lblCrazyPlay, "Runner is out.", "Runner is out."},
      // An empty label in a frame is read by the frame's caption; outside one it is empty.
      {form.lblCrazyPlay, "", "Crazy Play Result"},
      {outside, "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(accessibleName(c.control, c.shown), c.name)
        << c.control.displayName() << " showing \"" << c.shown << "\"";
  }
}

TEST_F(AccessibleNames, OnlyTheResultBoxAnnouncesItsChanges) {
  std::vector<std::string> announcing;
  for (const Control* c : form.controls()) {
    if (announcesCaptionChange(*c)) announcing.push_back(c->displayName());
  }
  EXPECT_EQ(announcing, std::vector<std::string>{"Text1"});
}

// The result box is a status region, so a page gives it a role that keeps its name and reads
// each result politely; the history (read line by line as it grows) and the rest are none.
TEST_F(AccessibleNames, OnlyTheResultBoxIsAStatus) {
  const struct {
    const Control& control;
    LiveRegion region;
  } cases[] = {
      {form.Text1, LiveRegion::Status}, {form.List1, LiveRegion::None},
      {form.Label1, LiveRegion::None},  {form.lblCrazyPlay, LiveRegion::None},
      {form.cmdExit, LiveRegion::None}, {form.fraSeasons, LiveRegion::None},
  };
  for (const auto& c : cases) EXPECT_EQ(liveRegion(c.control), c.region) << c.control.displayName();
  for (const Control* c : form.controls()) {
    EXPECT_EQ(liveRegion(*c) == LiveRegion::Status, announcesCaptionChange(*c)) << c->displayName();
  }
}

TEST(AccessibilityRules, AListKeepsTheLinesThatStayAndAddsOnlyTheNew) {
  using Lines = std::vector<std::string>;
  const struct {
    const char* what;
    Lines shown;
    Lines wanted;
    ListUpdate update;
  } cases[] = {
      {"the first line", {}, {"7"}, {0, 0}},
      {"one more", {"7"}, {"7", "3"}, {0, 1}},
      {"two more in one click", {"7"}, {"7", "3", "SB"}, {0, 1}},
      {"nothing new", {"7", "3"}, {"7", "3"}, {0, 2}},
      {"full: the oldest goes",
       {"1", "2", "3", "4", "5", "6", "7", "8"},
       {"2", "3", "4", "5", "6", "7", "8", "9"},
       {1, 7}},
      {"full: two go for two new",
       {"1", "2", "3", "4", "5", "6", "7", "8"},
       {"3", "4", "5", "6", "7", "8", "9", "10"},
       {2, 6}},
      // The same word again is a new line, not one of the old ones.
      {"a repeated word", {"7", "7"}, {"7", "7", "7"}, {0, 2}},
      {"full of one word", {"7", "7", "7"}, {"7", "7", "7"}, {0, 3}},
      {"nothing in common", {"a", "b"}, {"c", "d"}, {2, 0}},
      {"emptied", {"a", "b"}, {}, {2, 0}},
      {"shorter at the top", {"a", "b", "c"}, {"b", "c"}, {1, 2}},
  };
  for (const auto& c : cases) {
    const ListUpdate update = listUpdate(c.shown, c.wanted);
    EXPECT_EQ(update.dropped, c.update.dropped) << c.what;
    EXPECT_EQ(update.firstNew, c.update.firstNew) << c.what;
  }
}

}  // namespace
}  // namespace vnt
