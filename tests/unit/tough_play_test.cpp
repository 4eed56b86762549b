#include <gtest/gtest.h>

#include <map>

#include "charts/fielding/tough_play_table.h"

namespace vnt::tough_play {
namespace {

std::map<Outcome, int> widths(int range) {
  std::map<Outcome, int> counts;
  for (int roll = 0; roll <= 99; ++roll) ++counts[toughPlay(range, roll)];
  return counts;
}

TEST(ToughPlayTable, BandsFollowTheChartOrderOnEveryRow) {
  for (int range = kBestRange; range <= kWorstRange; ++range) {
    Outcome previous = Outcome::InfieldSingle;
    for (int roll = 0; roll <= 99; ++roll) {
      const Outcome outcome = toughPlay(range, roll);
      EXPECT_GE(outcome, previous) << "range " << range << " roll " << roll;
      previous = outcome;
    }
    EXPECT_EQ(toughPlay(range, 0), Outcome::InfieldSingle) << range;
  }
}

// A worse fielder gives the batter more hits and gets the lead runner less often; the worst
// never gets him at all.
TEST(ToughPlayTable, AWorseRangeGivesMoreHitsAndFewerLeadOuts) {
  for (int range = kBestRange; range < kWorstRange; ++range) {
    auto better = widths(range);
    auto worse = widths(range + 1);
    EXPECT_GT(worse[Outcome::InfieldSingle], better[Outcome::InfieldSingle]) << range + 1;
    EXPECT_LT(worse[Outcome::LeadOut], better[Outcome::LeadOut]) << range + 1;
    EXPECT_GT(better[Outcome::LeadOut], 0) << range;
  }
  EXPECT_EQ(widths(kWorstRange).count(Outcome::LeadOut), 0u);
  EXPECT_EQ(toughPlay(kWorstRange, 60), Outcome::InfieldSingle);
  EXPECT_EQ(toughPlay(kWorstRange, 61), Outcome::SH);
  EXPECT_EQ(toughPlay(kWorstRange, 99), Outcome::SH);
}

// Close in, the fielder plays 2 ranges better on grass and 3 on turf, never better than -1;
// playing back he keeps his range on either field.
TEST(ToughPlayRange, AdjustmentByFieldAndItsFloor) {
  struct Case {
    int range;
    bool closeIn;
    int surface;
    int expected;
  };
  const Case cases[] = {
      {1, true, 1, -1},  // 1 - 3 = -2, raised to -1
      {2, true, 0, 0},  {6, true, 0, 4},  {6, true, 1, 3},  {0, true, 0, -1},
      {0, false, 0, 0}, {6, false, 1, 6}, {3, false, 0, 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(adjustedRange(c.range, c.closeIn, c.surface), c.expected)
        << c.range << " " << c.closeIn << " " << c.surface;
  }
}

TEST(ToughPlayTable, TheBestRowAndItsWords) {
  EXPECT_EQ(toughPlay(-1, 1), Outcome::InfieldSingle);
  EXPECT_EQ(toughPlay(-1, 2), Outcome::SH);
  EXPECT_EQ(toughPlay(-1, 11), Outcome::SH);
  EXPECT_EQ(toughPlay(-1, 12), Outcome::LeadOut);
  // Ranges off the chart read the nearest row.
  for (int roll = 0; roll <= 99; ++roll) {
    EXPECT_EQ(toughPlay(-5, roll), toughPlay(-1, roll));
    EXPECT_EQ(toughPlay(9, roll), toughPlay(6, roll));
  }
  EXPECT_EQ(outcomeWord(Outcome::InfieldSingle), "Infield Single");
  EXPECT_EQ(outcomeWord(Outcome::SH), "SH");
  EXPECT_EQ(outcomeWord(Outcome::LeadOut), "Lead Out");
}

}  // namespace
}  // namespace vnt::tough_play
