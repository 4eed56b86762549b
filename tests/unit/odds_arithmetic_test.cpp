// The odds arithmetic: exact fractions, percentages as the odds window shows them, and
// tallies of outcome words.

#include <gtest/gtest.h>

#include "shell/odds.h"

namespace vnt {
namespace {

using odds::Chance;

TEST(OddsChance, KeepsFractionsExactAndReduced) {
  const Chance third(1, 3);
  EXPECT_EQ(third + third + third, Chance(1, 1));
  EXPECT_EQ(Chance(2, 4), Chance(1, 2));
  EXPECT_EQ(Chance(1, 10) * Chance(1, 100), Chance(1, 1000));
  EXPECT_EQ(Chance(3, 20) + Chance(1, 21), Chance(83, 420));
  EXPECT_TRUE(Chance().isZero());
  EXPECT_EQ(Chance() * Chance(1, 7), Chance());
}

TEST(OddsPercent, RoundsToOneDecimalAndDropsATrailingZero) {
  struct Case {
    Chance chance;
    const char* shown;
  };
  const Case cases[] = {
      {Chance(3, 4), "75%"},        {Chance(464, 1000), "46.4%"}, {Chance(1, 1), "100%"},
      {Chance(0, 1), "0%"},         {Chance(1, 1000), "0.1%"},    {Chance(1, 2000), "0.1%"},
      {Chance(1, 2001), "<0.1%"},   {Chance(1, 21), "4.8%"},      {Chance(1, 3), "33.3%"},
      {Chance(2, 3), "66.7%"},      {Chance(1, 20), "5%"},        {Chance(999, 1000), "99.9%"},
      {Chance(1999, 2000), "100%"}, {Chance(1, 8), "12.5%"},      {Chance(1, 16), "6.3%"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(odds::percent(c.chance), c.shown)
        << c.chance.numerator() << "/" << c.chance.denominator();
  }
}

TEST(OddsTally, KeepsTheNamedOrderAndLeavesOutWhatCannotHappen) {
  odds::Tally tally({"SB", "CS", "Rundown"});
  tally.add("CS", Chance(1, 2));
  tally.add("Collision", Chance(1, 4));
  tally.add("SB", Chance(1, 4));
  const odds::Section section = tally.section("Stealing");
  ASSERT_EQ(section.lines.size(), 3u);
  EXPECT_EQ(section.lines[0].word, "SB");
  EXPECT_EQ(section.lines[1].word, "CS");
  EXPECT_EQ(section.lines[2].word, "Collision");
}

// ---- The window, scripted ----------------------------------------------------------------
}  // namespace
}  // namespace vnt
