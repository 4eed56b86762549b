// Where the keyboard focus goes, as every front end must follow it.

#include "shell/focus_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "shell/form2.h"
#include "tests/unit/every_screen.h"
#include "tests/unit/test_support.h"

namespace vnt {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> names(const std::vector<const Control*>& controls) {
  std::vector<std::string> out;
  for (const Control* c : controls) out.push_back(c->displayName());
  return out;
}

TEST(FocusRules, ButtonsCheckBoxesAndOptionsTakeTheFocus) {
  const struct {
    ControlKind kind;
    bool takes;
  } cases[] = {
      {ControlKind::Button, true}, {ControlKind::CheckBox, true}, {ControlKind::Option, true},
      {ControlKind::Frame, false}, {ControlKind::Label, false},   {ControlKind::ListBox, false},
      {ControlKind::Image, false},
  };
  for (const auto& c : cases) {
    Control control;
    control.kind = c.kind;
    EXPECT_EQ(takesFocus(control), c.takes) << static_cast<int>(c.kind);
  }
}

// Controls made by hand, in creation order: frames before their contents.
class HandMadeWindow {
 public:
  Control& add(const std::string& name, ControlKind kind, const Control* container, int top,
               int left, bool visible = true) {
    auto control = std::make_unique<Control>();
    control->name = name;
    control->kind = kind;
    control->container = container;
    control->layout = {left, top, 100, 100};
    control->visible = visible;
    owned_.push_back(std::move(control));
    controls_.push_back(owned_.back().get());
    return *owned_.back();
  }
  const std::vector<Control*>& controls() const { return controls_; }

 private:
  std::vector<std::unique_ptr<Control>> owned_;
  std::vector<Control*> controls_;
};

TEST(FocusRules, TabGoesByRowsAndTakesEachFrameWhereItStands) {
  HandMadeWindow window;
  window.add("cmdA", ControlKind::Button, nullptr, 100, 500);
  Control& frame = window.add("fraF", ControlKind::Frame, nullptr, 100, 100);
  window.add("optFirst", ControlKind::Option, &frame, 900, 900);
  window.add("lblNote", ControlKind::Label, &frame, 0, 0);
  Control& inner = window.add("fraInner", ControlKind::Frame, &frame, 0, 0);
  window.add("chkInner", ControlKind::CheckBox, &inner, 500, 0);
  // Hidden controls keep their place: the front end passes over them while they are hidden.
  window.add("optHidden", ControlKind::Option, &frame, 0, 0, false);
  window.add("cmdTop", ControlKind::Button, nullptr, 50, 900);
  window.add("chkTie", ControlKind::CheckBox, nullptr, 100, 500);  // after cmdA: made later
  window.add("lblTop", ControlKind::Label, nullptr, 0, 0);
  window.add("List1", ControlKind::ListBox, nullptr, 0, 0);

  EXPECT_EQ(
      names(tabOrder(window.controls())),
      (std::vector<std::string>{"cmdTop", "optFirst", "chkInner", "optHidden", "cmdA", "chkTie"}));
  EXPECT_TRUE(tabOrder({}).empty());
}

TEST(FocusRules, TheTreeHoldsEveryControlInTabOrder) {
  HandMadeWindow window;
  Control& frame = window.add("fraF", ControlKind::Frame, nullptr, 500, 0);
  window.add("lblNote", ControlKind::Label, &frame, 0, 0);
  window.add("optFirst", ControlKind::Option, &frame, 0, 0);
  window.add("cmdTop", ControlKind::Button, nullptr, 50, 900);
  window.add("List1", ControlKind::ListBox, nullptr, 900, 0);
  EXPECT_EQ(names(treeOrder(window.controls())),
            (std::vector<std::string>{"cmdTop", "fraF", "lblNote", "optFirst", "List1"}));
}

// Two option groups (frames), a check box and a button; optA(1) disabled.
class OptionGroups : public ::testing::Test {
 protected:
  OptionGroups() {
    Control& a = window.add("fraA", ControlKind::Frame, nullptr, 100, 0);
    for (int i = 0; i < 3; ++i) optA.push_back(&option("optA", i, a));
    optA[1]->enabled = false;
    Control& b = window.add("fraB", ControlKind::Frame, nullptr, 200, 0);
    for (int i = 0; i < 2; ++i) optB.push_back(&option("optB", i, b));
    chk = &window.add("chkC", ControlKind::CheckBox, nullptr, 300, 0);
    window.add("cmdGo", ControlKind::Button, nullptr, 400, 0);
  }
  Control& option(const std::string& name, int index, const Control& frame) {
    Control& c = window.add(name, ControlKind::Option, &frame, 0, index * 100);
    c.index = index;
    return c;
  }
  std::string stops() const { return joined(names(tabStops(window.controls()))); }
  static std::string joined(const std::vector<std::string>& parts) {
    std::string out;
    for (const std::string& p : parts) out += (out.empty() ? "" : " ") + p;
    return out;
  }

  HandMadeWindow window;
  std::vector<Control*> optA;
  std::vector<Control*> optB;
  Control* chk = nullptr;
};

TEST_F(OptionGroups, AGroupIsOneTabStopAtItsSelectedOrFirstReachableOption) {
  const auto& all = window.controls();
  // Nothing selected: the first the player can reach.
  EXPECT_EQ(stops(), "optA(0) optB(0) chkC cmdGo");
  EXPECT_EQ(groupTabStop(all, *optA[2]), optA[0]);
  // The selected one holds it.
  optA[2]->value = true;
  optB[1]->value = true;
  EXPECT_EQ(stops(), "optA(2) optB(1) chkC cmdGo");
  EXPECT_EQ(groupTabStop(all, *optA[0]), optA[2]);
  // A selected option the player cannot reach does not: the first reachable one does.
  optA[2]->value = false;
  optA[1]->value = true;
  EXPECT_EQ(stops(), "optA(0) optB(1) chkC cmdGo");
  // A group with nothing reachable has no stop; no check box or button is one.
  for (Control* c : optB) c->visible = false;
  EXPECT_EQ(stops(), "optA(0) chkC cmdGo");
  EXPECT_EQ(groupTabStop(all, *optB[0]), nullptr);
  EXPECT_EQ(groupTabStop(all, *chk), nullptr);
}

TEST_F(OptionGroups, ArrowsGoRoundTheReachableOptionsOfTheGroup) {
  const auto& all = window.controls();
  const struct {
    const Control* from;
    int step;
    const Control* to;
  } cases[] = {
      {optA[0], 1, optA[2]},                          // over the disabled one
      {optA[2], 1, optA[0]},                          // round from the last to the first
      {optA[0], -1, optA[2]},                         // and back
      {optA[2], -1, optA[0]}, {optB[0], 1, optB[1]},  // within its own group only
      {optB[1], 1, optB[0]},  {optA[1], 1, nullptr},  // from an option the player cannot reach
      {chk, 1, nullptr},                              // a check box is no group
      {optB[0], 0, nullptr},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(arrowTarget(all, *c.from, c.step), c.to) << c.from->displayName() << " " << c.step;
  }
  // A group of one has nowhere to go.
  optA[2]->enabled = false;
  EXPECT_EQ(arrowTarget(all, *optA[0], 1), nullptr);
}

// The real window, in the folder of the bundled seasons.
class FocusTest : public ::testing::Test {
 protected:
  void SetUp() override { form.Form_Load(); }

  void openChartMenu() {
    form.click(form.optYear[2015 - kFirstSeason]);
    form.click(form.cmdYear);
    ASSERT_EQ(form.screenState(), ScreenState::ChartMenu);
  }

  // Which controls are on screen now, as focusAfterLosing wants to know of the time before
  // a click.
  std::vector<bool> onScreen() const {
    std::vector<bool> shown;
    for (const Control* c : form.controls()) shown.push_back(testing::shown(*c));
    return shown;
  }

  // A click on `pressed`, which holds the focus: where the focus goes after it.
  std::string focusAfterClicking(Control& pressed) {
    const std::vector<bool> before = onScreen();
    form.click(pressed);
    EXPECT_FALSE(pressed.reachable()) << "the click keeps " << pressed.displayName();
    const Control* next = focusAfterLosing(form, pressed, before);
    return next ? next->displayName() : "(none)";
  }

  testing::InBundledSeasons seasons;
  testing::QueuedDice dice;
  testing::FakeDialogs dialogs;
  Form2 form{dice, dialogs};
};

TEST_F(FocusTest, TabGoesRowByRowThroughTheChartMenu) {
  openChartMenu();
  std::vector<std::string> reachable;
  for (const Control* c : tabOrder(form.controls())) {
    if (c->reachable()) reachable.push_back(c->displayName());
  }
  // Row by row, so the two columns of chart buttons interleave.
  const std::vector<std::string> start{"cmdThree",    "cmdTwo",      "cmdOne",     "cmdTwenty",
                                       "cmdChart(0)", "cmdChart(7)", "cmdChart(1)"};
  const auto at = std::find(reachable.begin(), reachable.end(), "cmdThree");
  ASSERT_NE(at, reachable.end());
  std::vector<std::string> rotated(at, reachable.end());
  rotated.insert(rotated.end(), reachable.begin(), at);
  ASSERT_GE(rotated.size(), start.size());
  EXPECT_TRUE(std::equal(start.begin(), start.end(), rotated.begin()));
  EXPECT_EQ(reachable.size(), 14u + 4u + 3u);  // charts, quick dice, box, cancel and exit

  // Every control that takes the focus is listed once, reachable or not.
  std::size_t focusable = 0;
  for (const Control* c : form.controls()) focusable += takesFocus(*c);
  EXPECT_EQ(tabOrder(form.controls()).size(), focusable);
}

TEST_F(FocusTest, TheStealsRatingsAreOneTabStopThatFollowsTheChoice) {
  openChartMenu();
  form.click(form.cmdChart[10]);
  const auto stopsIn = [&](const Control& frame) {
    std::vector<std::string> out;
    for (const Control* c : tabStops(form.controls())) {
      if (c->container == &frame && c->reachable()) out.push_back(c->displayName());
    }
    return out;
  };
  ASSERT_NE(form.optJump[0].container, nullptr);
  const Control& ratings = *form.optJump[0].container;
  ASSERT_EQ(stopsIn(ratings).size(), 1u);
  form.click(form.optJump[5]);
  EXPECT_EQ(stopsIn(ratings), std::vector<std::string>{"optJump(5)"});
  const Control* next = arrowTarget(form.controls(), form.optJump[5], 1);
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(next->container, &ratings);
  EXPECT_NE(next, &form.optJump[5]);
}

TEST_F(FocusTest, AChartButtonHandsTheFocusToTheChartsRollButton) {
  openChartMenu();
  EXPECT_EQ(focusAfterClicking(form.cmdChart[10]), "cmdStealing");
}

TEST_F(FocusTest, AFollowUpTakesTheRollButtonsPlaceAndContinueEndsTheResult) {
  openChartMenu();
  form.click(form.cmdChart[10]);
  form.click(form.optJump[0]);
  // "Dropped?" asks for a follow-up: its button takes the roll button's place.
  dice.values.push_back(91);
  EXPECT_EQ(focusAfterClicking(form.cmdStealing), "cmdStealError");
  ASSERT_EQ(form.Text1.caption, "Dropped?");
  EXPECT_EQ(form.cmdCancel.caption, "&Cancel");

  // The result is complete: "&Continue" is next.
  form.click(form.optError[0]);
  dice.values.push_back(5);
  EXPECT_EQ(focusAfterClicking(form.cmdStealError), "cmdCancel");
}

TEST_F(FocusTest, ANewScreenOffersItsFirstButtonThenItsFirstControl) {
  openChartMenu();
  form.click(form.cmdChart[10]);
  form.click(form.optJump[0]);
  dice.values.push_back(91);
  const std::vector<bool> before = onScreen();
  form.click(form.cmdStealing);
  // Both buttons moved to the foot of the window: the follow-up is no longer the first
  // button in Tab order, yet it takes the focus as the newcomer over the roll button's place.
  for (Control* button : {&form.cmdStealing, &form.cmdStealError}) button->layout.top = 8000;
  EXPECT_EQ(focusAfterLosing(form, form.cmdStealing, before), &form.cmdStealError);
  // Had it been on screen already, the focus would go to the screen's first button.
  const std::vector<bool> allShown(before.size(), true);
  const Control* first = nullptr;
  for (const Control* c : tabOrder(form.controls())) {
    if (c->reachable() && c->kind == ControlKind::Button) {
      first = c;
      break;
    }
  }
  ASSERT_NE(first, nullptr);
  EXPECT_NE(first, &form.cmdStealError);
  EXPECT_EQ(focusAfterLosing(form, form.cmdStealing, allShown), first);

  // Without any button, the first control the player can reach.
  for (Control* c : form.controls()) {
    if (c->kind == ControlKind::Button) c->visible = false;
  }
  const Control* option = focusAfterLosing(form, form.cmdStealing, allShown);
  ASSERT_NE(option, nullptr);
  EXPECT_TRUE(option->reachable());
  EXPECT_NE(option->kind, ControlKind::Button);
  for (const Control* c : tabOrder(form.controls())) {
    if (c == option) break;
    EXPECT_FALSE(c->reachable()) << c->displayName() << " comes first";
  }

  // Nothing left to reach: no control takes the focus.
  for (Control* c : form.controls()) c->visible = false;
  EXPECT_EQ(focusAfterLosing(form, form.cmdStealing, allShown), nullptr);
}

}  // namespace
}  // namespace vnt
