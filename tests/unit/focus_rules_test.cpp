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
