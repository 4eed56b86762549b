// The infield defence panel: a box is usable exactly when no checked box contradicts it,
// whatever the player does, and every consistent alignment can be set.

#include "charts/fielding/infield_defense.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "shell/form2.h"
#include "tests/unit/test_support.h"

namespace vnt {
namespace {

using infield::conflicts;
using infield::kBoxCount;

constexpr int k1BHolds = infield::k1BHoldsRunner;

// The checked boxes as a bit set, box i at bit i.
unsigned checkedSet(const Form2& form) {
  unsigned set = 0;
  for (const auto& box : form.chkIFDefense) {
    if (box.value) set |= 1u << box.index;
  }
  return set;
}

bool consistent(unsigned set) {
  for (int a = 0; a < kBoxCount; ++a) {
    for (int b = 0; b < kBoxCount; ++b) {
      if ((set >> a & 1u) && (set >> b & 1u) && conflicts(a, b)) return false;
    }
  }
  return true;
}

// What must hold after every action: checked boxes never conflict, and a box is enabled
// exactly when no checked box conflicts with it.
::testing::AssertionResult panelInvariant(const Form2& form) {
  for (const auto& box : form.chkIFDefense) {
    bool blocked = false;
    for (const auto& other : form.chkIFDefense) {
      if (other.value && conflicts(other.index, box.index)) blocked = true;
    }
    if (box.enabled == blocked) {
      return ::testing::AssertionFailure()
             << box.caption << (box.enabled ? " is enabled" : " is disabled") << " with checked "
             << std::to_string(checkedSet(form));
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(InfieldConflictTable, IsSymmetricAndNeverSelfConflicting) {
  for (int a = 0; a < kBoxCount; ++a) {
    EXPECT_FALSE(conflicts(a, a)) << a;
    for (int b = 0; b < kBoxCount; ++b)
      EXPECT_EQ(conflicts(a, b), conflicts(b, a)) << a << "," << b;
  }
  EXPECT_FALSE(conflicts(-1, 0));
  EXPECT_FALSE(conflicts(kBoxCount, 0));
}

TEST(InfieldConflictTable, GroupsExcludeEachOther) {
  // "Normal" and "Infield In" exclude everything.
  for (int b = 0; b < kBoxCount; ++b) {
    EXPECT_EQ(conflicts(0, b), b != 0) << b;
    EXPECT_EQ(conflicts(1, b), b != 1) << b;
  }
  // The corners exclude the third- and first-base boxes, not the middle infielders.
  for (int b = 3; b <= 8; ++b) EXPECT_TRUE(conflicts(2, b));
  for (int b = 9; b <= 12; ++b) EXPECT_FALSE(conflicts(2, b));
  // Within third base, first base, shortstop and second base, one box at a time.
  const std::vector<std::set<int>> positions = {{3, 4, 5}, {6, 7, 8}, {9, 10}, {11, 12}};
  for (const auto& group : positions) {
    for (int a : group) {
      for (int b = 2; b < kBoxCount; ++b) {
        if (b == 2 && a <= 8) continue;
        EXPECT_EQ(conflicts(a, b), a != b && group.count(b) > 0) << a << "," << b;
      }
    }
  }
}

class InfieldPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::path(VNT_SOURCE_DIR) / "seasons");
    form.Form_Load();
    form.select(form.optYear[2015 - kFirstSeason]);
    form.cmdYear_Click();
  }
  void TearDown() override { std::filesystem::current_path(previous_); }

  void clickBox(int i) { form.click(form.chkIFDefense[i]); }
  bool checked(int i) const { return form.chkIFDefense[i].value; }
  bool enabled(int i) const { return form.chkIFDefense[i].enabled; }

  // "1B Holds Run." checked; its conflicts disabled; everything else enabled and clear.
  void expectStartingState() {
    EXPECT_EQ(checkedSet(form), 1u << k1BHolds);
    for (int i = 0; i < kBoxCount; ++i) {
      EXPECT_EQ(enabled(i), !conflicts(k1BHolds, i)) << form.chkIFDefense[i].caption;
      EXPECT_TRUE(form.chkIFDefense[i].visible);
    }
  }

  testing::QueuedDice dice;
  testing::FakeDialogs dialogs;
  Form2 form{dice, dialogs};

 private:
  std::filesystem::path previous_;
};

TEST_F(InfieldPanelTest, BuntAndInfieldRangeStartWithTheFirstBasemanHolding) {
  for (const int chart : {1, 5}) {
    SCOPED_TRACE(chart);
    form.cmdCancel_Click();
    form.cmdChart_Click(chart);
    expectStartingState();
    EXPECT_TRUE(form.fraIFDefense.visible);
  }
}

TEST_F(InfieldPanelTest, SetUpStartsAfreshFromAnyAlignment) {
  form.cmdChart_Click(5);
  form.cmdNormIFR_Click();  // "Normal": the set-up's clearing runs the unchecked-Normal rule
  form.cmdCancel_Click();
  form.cmdChart_Click(1);
  expectStartingState();
  EXPECT_TRUE(form.cmdNormIFR.enabled);

  clickBox(k1BHolds);
  clickBox(1);  // "Infield In"
  form.cmdCancel_Click();
  form.cmdChart_Click(5);
  expectStartingState();
}

TEST_F(InfieldPanelTest, UncheckingTheFirstBasemanFreesEveryBox) {
  form.cmdChart_Click(5);
  clickBox(k1BHolds);
  EXPECT_EQ(checkedSet(form), 0u);
  for (int i = 0; i < kBoxCount; ++i) EXPECT_TRUE(enabled(i)) << i;
  EXPECT_EQ(form.GetIFDefense(), -1);
}

TEST_F(InfieldPanelTest, NormalClearsEverythingAndUncheckingItStartsAgain) {
  form.cmdChart_Click(5);
  clickBox(k1BHolds);
  clickBox(0);
  EXPECT_EQ(checkedSet(form), 1u);
  for (int i = 1; i < kBoxCount; ++i) EXPECT_FALSE(enabled(i)) << i;
  EXPECT_EQ(form.GetIFDefense(), 0);
  clickBox(0);
  expectStartingState();
}

TEST_F(InfieldPanelTest, UncheckingABoxFreesOnlyWhatNothingElseBlocks) {
  form.cmdChart_Click(5);
  clickBox(k1BHolds);
  clickBox(3);   // "3B In"
  clickBox(10);  // "SS In"
  clickBox(3);
  for (const int freed : {2, 4, 5}) EXPECT_TRUE(enabled(freed)) << freed;
  for (const int blocked : {0, 1, 9}) EXPECT_FALSE(enabled(blocked)) << blocked;
  EXPECT_FALSE(checked(4));
  EXPECT_FALSE(checked(5));
}

TEST_F(InfieldPanelTest, CornersInLeavesTheMiddleInfieldersFree) {
  form.cmdChart_Click(5);
  clickBox(k1BHolds);
  clickBox(2);  // "Corners In"
  for (int i = 9; i <= 12; ++i) EXPECT_TRUE(enabled(i)) << i;
  clickBox(9);  // "SS Holds Run."
  EXPECT_FALSE(enabled(10));
  for (const int free : {11, 12}) EXPECT_TRUE(enabled(free)) << free;
  EXPECT_TRUE(panelInvariant(form));
}

TEST_F(InfieldPanelTest, NormalAlignmentButtonWorksFromAnyStateOnce) {
  form.cmdChart_Click(5);
  clickBox(3);
  clickBox(9);
  form.click(form.cmdNormIFR);
  EXPECT_EQ(checkedSet(form), 1u);
  EXPECT_TRUE(enabled(0));
  for (int i = 1; i < kBoxCount; ++i) EXPECT_FALSE(enabled(i)) << i;
  EXPECT_FALSE(form.cmdNormIFR.enabled);
  EXPECT_FALSE(form.cmdNormIFR.reachable());  // a second press is impossible

  // With "Normal" already ticked by hand, the button still ends in the same state.
  clickBox(0);
  EXPECT_TRUE(form.cmdNormIFR.enabled);
  clickBox(k1BHolds);
  clickBox(0);
  form.click(form.cmdNormIFR);
  EXPECT_EQ(checkedSet(form), 1u);
  EXPECT_FALSE(form.cmdNormIFR.enabled);
}

// Random play: thousands of clicks on whatever is clickable, the invariant after each one,
// and every consistent set of boxes turns up.
TEST_F(InfieldPanelTest, RandomClicksKeepThePanelConsistentAndReachEveryAlignment) {
  form.cmdChart_Click(5);
  std::mt19937 random(20261210);
  std::set<unsigned> seen{checkedSet(form)};
  for (int step = 0; step < 200000; ++step) {
    std::vector<Control*> clickable;
    for (auto& box : form.chkIFDefense) {
      if (box.reachable()) clickable.push_back(&box);
    }
    if (form.cmdNormIFR.reachable()) clickable.push_back(&form.cmdNormIFR);
    ASSERT_FALSE(clickable.empty());
    Control* target = clickable[random() % clickable.size()];
    form.click(*target);
    ASSERT_TRUE(panelInvariant(form)) << "after clicking " << target->displayName();
    ASSERT_TRUE(consistent(checkedSet(form)));
    seen.insert(checkedSet(form));
  }
  unsigned consistentSets = 0;
  for (unsigned set = 0; set < (1u << kBoxCount); ++set) {
    if (consistent(set)) {
      ++consistentSets;
      EXPECT_TRUE(seen.count(set)) << "never reached " << set;
    }
  }
  EXPECT_EQ(seen.size(), consistentSets);
}

}  // namespace
}  // namespace vnt
