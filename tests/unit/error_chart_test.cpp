#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "charts/fielding/error_table.h"
#include "shell/form2.h"
#include "tests/unit/test_support.h"

namespace vnt {
namespace {

using error::Code;
using error::kBestRating;
using error::kHighestRoll;
using error::kLowestRoll;
using error::kWorstRating;

constexpr Code kAllCodes[] = {Code::E0,       Code::E1,       Code::E2,       Code::E2Plus,
                              Code::E3,       Code::SingleE1, Code::DoubleE1, Code::RGPlus,
                              Code::DP,       Code::SG,       Code::Popout,   Code::FoulOut,
                              Code::ShortFly, Code::EF,       Code::WetField};

bool isError(Code code) {
  switch (code) {
    case Code::E0:
    case Code::E1:
    case Code::E2:
    case Code::E2Plus:
    case Code::E3:
    case Code::SingleE1:
    case Code::DoubleE1:
      return true;
    default:
      return false;
  }
}

// The codes a fielder can get with a rating, over every roll.
std::set<Code> codesFor(int fielder, int rating) {
  std::set<Code> codes;
  for (int roll = kLowestRoll; roll <= kHighestRoll; ++roll) {
    if (const auto code = error::lookUp(fielder, rating, roll)) codes.insert(*code);
  }
  return codes;
}

TEST(ErrorTable, EveryRowListsTheRatingsFromBestToWorstOnce) {
  for (int fielder = 1; fielder <= 9; ++fielder) {
    const auto table = error::tableFor(fielder);
    ASSERT_TRUE(table) << "fielder " << fielder;
    ASSERT_EQ(table->rows.size(), 20u) << "fielder " << fielder;
    int expected = kBestRating;
    for (const error::Row& row : table->rows) EXPECT_EQ(row.rating, expected--);
    EXPECT_EQ(std::set<Code>(table->columns.begin(), table->columns.end()).size(),
              table->columns.size())
        << "a code heads two columns, fielder " << fielder;
  }
}

// Read left to right, the filled cells of a row follow on from each other from 00 to 99:
// each roll falls in exactly one cell, and the cells keep the columns' order.
TEST(ErrorTable, EveryRowCoversEveryRollOnceInColumnOrder) {
  for (int fielder = 1; fielder <= 9; ++fielder) {
    const auto table = error::tableFor(fielder);
    ASSERT_TRUE(table);
    for (const error::Row& row : table->rows) {
      SCOPED_TRACE("fielder " + std::to_string(fielder) + ", rating " + std::to_string(row.rating));
      int next = kLowestRoll;
      for (std::size_t column = 0; column < table->columns.size(); ++column) {
        const auto range = error::parseCell(row.cells[column]);
        ASSERT_TRUE(range) << "cell " << column;
        if (range->empty()) continue;
        EXPECT_EQ(range->low, next) << "column " << column;
        next = range->high + 1;
      }
      EXPECT_EQ(next, kHighestRoll + 1);
      for (int roll = kLowestRoll; roll <= kHighestRoll; ++roll) {
        int holders = 0;
        for (std::size_t column = 0; column < table->columns.size(); ++column) {
          if (error::parseCell(row.cells[column])->holds(roll)) {
            ++holders;
            EXPECT_EQ(error::lookUp(fielder, row.rating, roll), table->columns[column])
                << "roll " << roll;
          }
        }
        EXPECT_EQ(holders, 1) << "roll " << roll;
      }
    }
  }
}

// A "-" cell never gives its code, so the code is absent from that rating's results.
TEST(ErrorTable, EmptyCellsNeverApply) {
  for (int fielder = 1; fielder <= 9; ++fielder) {
    const auto table = error::tableFor(fielder);
    for (const error::Row& row : table->rows) {
      const auto codes = codesFor(fielder, row.rating);
      for (std::size_t column = 0; column < table->columns.size(); ++column) {
        if (row.cells[column] != "-") continue;
        EXPECT_FALSE(codes.count(table->columns[column]))
            << "fielder " << fielder << ", rating " << row.rating << ", column " << column;
      }
    }
  }
}

TEST(ErrorTable, SharedTablesReadAlike) {
  for (const auto& [first, other] : std::vector<std::pair<int, int>>{{5, 6}, {7, 8}, {7, 9}}) {
    for (int rating = kWorstRating; rating <= kBestRating; ++rating) {
      for (int roll = kLowestRoll; roll <= kHighestRoll; ++roll) {
        ASSERT_EQ(error::lookUp(first, rating, roll), error::lookUp(other, rating, roll))
            << "fielders " << first << " and " << other << ", rating " << rating << ", roll "
            << roll;
      }
    }
  }
}

// A worse rating never makes an error less likely: catches rows swapped or misplaced.
TEST(ErrorTable, ErrorsNeverGetRarerAsTheRatingDrops) {
  for (int fielder = 1; fielder <= 9; ++fielder) {
    int previous = -1;
    for (int rating = kBestRating; rating >= kWorstRating; --rating) {
      int errors = 0;
      for (int roll = kLowestRoll; roll <= kHighestRoll; ++roll) {
        if (isError(*error::lookUp(fielder, rating, roll))) ++errors;
      }
      EXPECT_GE(errors, previous) << "fielder " << fielder << ", rating " << rating;
      previous = errors;
    }
  }
}

// What each kind of fielder can and cannot get.
TEST(ErrorTable, OutcomesByFielder) {
  struct Case {
    int fielder;
    int bestRating;
    int worstRating;
    std::set<Code> possible;  // exactly these codes for every rating in the band
  };
  const std::set<Code> pitcher{Code::E2, Code::E1, Code::DP};
  const std::set<Code> catcher{Code::E2, Code::E0, Code::SG, Code::Popout, Code::FoulOut};
  const std::set<Code> outfield{Code::E3, Code::DoubleE1, Code::E2, Code::SingleE1,
                                Code::E1, Code::WetField, Code::EF, Code::ShortFly};
  const Case cases[] = {
      {1, 20, 1, pitcher},
      {2, 20, 20, {Code::SG, Code::Popout, Code::FoulOut}},
      {2, 19, 19, {Code::E0, Code::SG, Code::Popout, Code::FoulOut}},
      {2, 18, 1, catcher},
      {3, 20, 15, {Code::E2, Code::E1, Code::RGPlus, Code::Popout}},
      {3, 14, 1, {Code::E2, Code::E1, Code::E2Plus, Code::RGPlus, Code::Popout}},
      {4, 20, 1, {Code::E2, Code::E1, Code::RGPlus, Code::Popout}},
      {5, 20, 4, {Code::E2, Code::SingleE1, Code::E1, Code::RGPlus, Code::Popout}},
      {6, 3, 1, {Code::E2, Code::SingleE1, Code::E1, Code::Popout}},
      {7, 20, 20, {Code::EF, Code::ShortFly}},
      {8, 19, 17, {Code::E2, Code::SingleE1, Code::E1, Code::WetField, Code::EF, Code::ShortFly}},
      {9,
       16,
       16,
       {Code::DoubleE1, Code::E2, Code::SingleE1, Code::E1, Code::WetField, Code::EF,
        Code::ShortFly}},
      {9, 15, 1, outfield},
  };
  for (const Case& c : cases) {
    for (int rating = c.bestRating; rating >= c.worstRating; --rating) {
      EXPECT_EQ(codesFor(c.fielder, rating), c.possible)
          << "fielder " << c.fielder << ", rating " << rating;
    }
  }
}

TEST(ErrorTable, EdgesOfTheRollRange) {
  struct Case {
    int fielder, rating, roll;
    Code code;
  };
  const Case cases[] = {
      {5, 1, 98, Code::E1},        {5, 1, 99, Code::Popout},   {6, 3, 90, Code::E1},
      {6, 3, 91, Code::Popout},    {6, 4, 88, Code::RGPlus},   {3, 14, 27, Code::E2Plus},
      {3, 15, 27, Code::RGPlus},   {3, 1, 89, Code::RGPlus},   {3, 1, 90, Code::Popout},
      {2, 20, 0, Code::SG},        {2, 20, 99, Code::FoulOut}, {7, 20, 14, Code::EF},
      {7, 20, 15, Code::ShortFly}, {1, 20, 0, Code::E2},       {1, 1, 99, Code::DP},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(error::lookUp(c.fielder, c.rating, c.roll), c.code)
        << "fielder " << c.fielder << ", rating " << c.rating << ", roll " << c.roll;
  }
}

TEST(ErrorTable, InputsOutsideTheChartGiveNothing) {
  struct Case {
    int fielder, rating, roll;
  };
  const Case cases[] = {{0, 10, 50}, {10, 10, 50}, {-1, 10, 50}, {1, 0, 50},
                        {1, 21, 50}, {1, -6, 50},  {7, 10, -1},  {7, 10, 100}};
  for (const Case& c : cases) {
    EXPECT_FALSE(error::lookUp(c.fielder, c.rating, c.roll))
        << "fielder " << c.fielder << ", rating " << c.rating << ", roll " << c.roll;
  }
  EXPECT_FALSE(error::tableFor(0));
  EXPECT_FALSE(error::tableFor(10));
}

TEST(ErrorTable, CellsReadAsTheChartWritesThem) {
  EXPECT_TRUE(error::parseCell("-")->empty());
  EXPECT_EQ(error::parseCell("07")->low, 7);
  EXPECT_EQ(error::parseCell("07")->high, 7);
  EXPECT_EQ(error::parseCell("08-22")->low, 8);
  EXPECT_EQ(error::parseCell("08-22")->high, 22);
  for (const char* bad : {"", "7", "5-09", "22-08", "0a", "00-9", "00_09", "--"}) {
    EXPECT_FALSE(error::parseCell(bad)) << '"' << bad << '"';
  }
}

TEST(ErrorExplanation, EveryCodeButTheGrounderStartsOnTheSixthLine) {
  for (Code code : kAllCodes) {
    if (code == Code::RGPlus) continue;
    const std::string text = error::explanation(code, 2015);
    const std::string head = "\r\r\r\r\r" + std::string(error::codeText(code));
    EXPECT_EQ(text.substr(0, head.size()), head) << error::codeText(code);
    EXPECT_EQ(text.find('\r', 5), std::string::npos) << error::codeText(code);
    if (code == Code::DP || code == Code::SG) {
      EXPECT_EQ(text, head);
    } else {
      EXPECT_EQ(text.substr(head.size(), 3), " - ") << error::codeText(code);
    }
    EXPECT_EQ(error::explanation(code, 2016), text) << "only the grounder depends on the season";
  }
}

TEST(ErrorExplanation, TheGrounderEndsWithThePenaltyOfTheSeason) {
  const std::string ejected =
      "\r# 0-4 batter is out (DP) and ejected\r# 5-9 batter is safe (FC) 1B ejected";
  const std::string injured =
      "\r# 0-4 batter is out (DP) and injured today only\r# 5-9 batter is safe (FC) 1B injured "
      "today only";
  const auto endsWith = [](const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
  };
  struct Case {
    int season;
    const std::string& tail;
  };
  const Case cases[] = {{-1, ejected},   {1972, ejected}, {2015, ejected},
                        {2016, injured}, {2017, injured}, {2025, injured}};
  for (const Case& c : cases) {
    const std::string text = error::explanation(Code::RGPlus, c.season);
    EXPECT_EQ(text.substr(0, 4), "RG+ ") << c.season;
    EXPECT_TRUE(endsWith(text, c.tail)) << c.season;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 5) << c.season;
  }
}

// Driving the window directly, for what a scenario cannot set up: the fielder itself.
class ErrorChartTest : public ::testing::Test {
 protected:
  testing::QueuedDice dice;
  testing::FakeDialogs dialogs;
  Form2 form{dice, dialogs};
};

TEST_F(ErrorChartTest, NoFielderMeansNoRoll) {
  form.FielderPosition = 0;
  form.optError[0].value = true;
  form.cmdError.visible = true;
  form.cmdError_Click();
  EXPECT_TRUE(dice.draws.empty());
  EXPECT_TRUE(form.List1.items.empty());
  EXPECT_TRUE(form.cmdError.visible);
}

// "Cold" counts for everyone and "In" for the four infielders, 6 each, and the result is
// never below 1.
TEST_F(ErrorChartTest, AdjustedRatingForEveryFielderAndRating) {
  for (int fielder = 1; fielder <= 9; ++fielder) {
    const bool infielder = fielder >= 3 && fielder <= 6;
    for (int option = 0; option < 20; ++option) {
      for (const auto& [cold, in] :
           {std::pair{false, false}, {true, false}, {false, true}, {true, true}}) {
        for (auto& o : form.optError) o.value = false;
        form.optError[option].value = true;
        form.chkError[0].value = cold;
        form.chkError[1].value = in;
        form.FielderPosition = static_cast<std::int16_t>(fielder);
        dice.values.push_back(50);
        form.cmdError_Click();
        const int rating = 20 - option;
        const int expected = std::max(1, rating - (cold ? 6 : 0) - (in && infielder ? 6 : 0));
        EXPECT_EQ(form.ErrorRating, expected)
            << "fielder " << fielder << ", rating " << rating << ", cold " << cold << ", in " << in;
      }
    }
  }
  EXPECT_TRUE(dice.values.empty());
  EXPECT_TRUE(dialogs.shown.empty());
}

}  // namespace
}  // namespace vnt
