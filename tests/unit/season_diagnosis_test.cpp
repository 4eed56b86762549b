// The Deep and BPE checks, with the arithmetic of their check value.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "shell/check_sum.h"
#include "shell/season_diagnosis.h"
#include "tests/unit/season_test_files.h"

namespace vnt {
namespace {

using namespace season_test;

// ---------------------------------------------------------------------------------------
// CheckSum edges

TEST(CheckSum, SkipsAnAdditionThatWouldOverflow) {
  struct Case {
    std::vector<int> adds;
    int sum;
  };
  const Case cases[] = {
      {{32767, 1}, 32767},          {{32767, 1, -1}, 32766},   {{32000, 1000, 700}, 32700},
      {{-32768, -1}, -32768},       {{-32768, -1, 5}, -32763}, {{30000, 30000, -30000}, 0},
      {{-20000, -20000, 20000}, 0},
  };
  for (const auto& c : cases) {
    CheckSum sum;
    for (int v : c.adds) sum.add(v);
    EXPECT_EQ(sum.sum(), c.sum) << testing::PrintToString(c.adds);
  }
}

TEST(CheckSum, ExpectedFallsBackToSumOutsideTheRange) {
  struct Case {
    int sum;
    int expected;
  };
  const Case cases[] = {
      {0, -2345},     {16, -2313},      {17556, 32767},   {17557, 17557},
      {32767, 32767}, {-15211, -32767}, {-15212, -15212}, {-32768, -32768},
  };
  for (const auto& c : cases) {
    CheckSum sum;
    sum.add(c.sum);
    EXPECT_EQ(sum.expected(), c.expected) << "S=" << c.sum;
    EXPECT_TRUE(sum.matches(c.expected)) << "S=" << c.sum;
    EXPECT_FALSE(sum.matches(c.expected + 1)) << "S=" << c.sum;
  }
}

// ---------------------------------------------------------------------------------------
// checkDeepFile

const std::string kDeepBoston = "1\r\n\"Boston\",1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\r\n-2313\r\n";

TEST(CheckDeepFile, PassingFiles) {
  struct Case {
    const char* label;
    std::string data;
    int n;
  };
  std::vector<DeepRecord> thirty;
  for (int i = 0; i < 30; ++i) thirty.push_back({"Park " + std::to_string(i), filled(i)});
  // 16 * (0 + 1 + ... + 29) = 6960; 2 * 6960 - 2345 = 11575.
  std::array<int, 16> overflowing = filled(0);
  overflowing[0] = 32767;
  overflowing[1] = 1;  // skipped: the sum stays 32767, and 2*32767-2345 falls back to it
  std::array<int, 16> fallback = filled(0);
  fallback[0] = 17557;  // 2*17557-2345 = 32769 is out of range: the check is S itself

  const Case cases[] = {
      {"Example", kDeepBoston, 1},
      {"UnquotedNameOneLine", "1,Boston,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,-2313", 1},
      {"LineStructureIgnored", "1\nBoston\n1,1,1,1\n1,1,1,1,1,1,1,1\n\n1,1,1,1\n-2313", 1},
      {"LfOnly", "1\n\"Boston\",1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\n-2313\n", 1},
      {"NameNotSummed", deepFile({{"12", filled(1)}}, -2313), 1},
      {"TwoRecords", deepFile({{"A", filled(1)}, {"B, The", filled(2)}}, 2 * 48 - 2345), 2},
      {"ThirtyRecords", deepFile(thirty, 11575), 30},
      {"SkippedAddition", deepFile({{"X", overflowing}}, 32767), 1},
      {"FallbackCheck", deepFile({{"X", fallback}}, 17557), 1},
      {"NonNumbersReadAsZero", "1,X,a,b,1.5,,0,0,0,0,0,0,0,0,0,0,0,0,-2345", 1},
      {"TrailingFieldsIgnored", kDeepBoston + "extra,1,2\r\n", 1},
  };
  for (const auto& c : cases) {
    const ExactBuffer buffer(c.data);
    EXPECT_EQ(checkDeepFile(buffer.view()), c.n) << c.label;
  }
}

TEST(CheckDeepFile, FailingFiles) {
  struct Case {
    const char* label;
    std::string data;
  };
  std::vector<DeepRecord> thirtyOne;
  for (int i = 0; i < 31; ++i) thirtyOne.push_back({"P", filled(0)});
  std::array<int, 16> fallback = filled(0);
  fallback[0] = 17557;
  const std::string truncated = kDeepBoston.substr(0, kDeepBoston.find(",1\r\n-2313"));

  const Case cases[] = {
      {"WrongCheck", "1\r\n\"Boston\",1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\r\n-2312\r\n"},
      {"CheckIsPlainSum", "1,B,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,16"},
      {"WrappedCheck", deepFile({{"X", fallback}}, 2 * 17557 - 2345 - 65536)},
      {"CountZero", deepFile({}, -2345)},
      {"CountThirtyOne", deepFile(thirtyOne, -2345)},
      {"CountNegative", "-1,B,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,-2313"},
      {"CountNotANumber", "one,B,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,-2313"},
      {"CountOutOfRange", "65537,B,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,-2313"},
      {"Empty", ""},
      {"CountOnly", "1\r\n"},
      {"MissingValue", truncated},
      {"MissingCheck", kDeepBoston.substr(0, kDeepBoston.find("-2313"))},
      {"MissingSecondRecord", "2\r\n\"Boston\",1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\r\n-2313\r\n"},
      {"ValueOutOfRange", "1,B,40000,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,-2313"},
      {"CheckOutOfRange", "1,B,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,-99999"},
  };
  for (const auto& c : cases) {
    const ExactBuffer buffer(c.data);
    EXPECT_EQ(checkDeepFile(buffer.view()), std::nullopt) << c.label;
  }
}

// ---------------------------------------------------------------------------------------
// checkBpeFile

TEST(CheckBpeFile, Cases) {
  struct Case {
    const char* label;
    std::string data;
    int n;
    bool passes;
  };
  const std::string boston = "1,1,1,1,1,1,1,1,\"Boston\"\r\n";
  const Case cases[] = {
      {"Example", boston + "-2331\r\n", 1, true},
      {"AllNineSummedIsWrong", boston + "-2329\r\n", 1, false},
      {"NameNotSummedIsSame", "1,1,1,1,1,1,1,1,\"Boston\",-2331", 1, true},
      {"FirstFieldIsNotSummed", "500,1,1,1,1,1,1,1,Boston,-2331", 1, true},
      {"FirstFieldOutOfRangeIsText", "40000,1,1,1,1,1,1,1,Boston,-2331", 1, true},
      {"NinthFieldIsSummed", "1,1,1,1,1,1,1,1,5,-2321", 1, true},
      {"NinthFieldOutOfRange", "1,1,1,1,1,1,1,1,40000,-2331", 1, false},
      {"TwoRecords", boston + "2,2,2,2,2,2,2,2,Chicago\r\n" + "-2303", 2, true},
      {"WrongCheck", boston + "-2330\r\n", 1, false},
      {"MissingRecord", boston + "-2331\r\n", 2, false},
      {"MissingCheck", boston, 1, false},
      {"Truncated", "1,1,1,1", 1, false},
      {"Empty", "", 1, false},
      {"CountZero", "-2345", 0, false},
      {"CountThirtyOne", boston + "-2331\r\n", 31, false},
      {"CountNegative", boston + "-2331\r\n", -1, false},
  };
  for (const auto& c : cases) {
    const ExactBuffer buffer(c.data);
    EXPECT_EQ(checkBpeFile(buffer.view(), c.n), c.passes) << c.label;
  }
}

TEST(CheckBpeFile, ThirtyRecords) {
  std::string data;
  for (int i = 0; i < 30; ++i) data += "9,3,3,3,3,3,3,3,Park\r\n";  // 7 * 3 per record
  data += std::to_string(2 * 30 * 21 - 2345) + "\r\n";
  EXPECT_TRUE(checkBpeFile(data, 30));
  EXPECT_FALSE(checkBpeFile(data, 29));  // the last record's first field is taken as the check
}

}  // namespace
}  // namespace vnt

namespace vnt {
namespace {

// The message when no season at all can be offered: the folder, the first reasons, and the
// offer of the sample seasons (or where to learn more when there are none to offer).
TEST(NoSeasonPrompt, NamesTheFolderTheFirstReasonsAndTheWayOut) {
  const std::vector<std::string> four = {"1990  a", "1991  b", "1992  c", "1993  d"};
  struct Case {
    std::vector<std::string> reasons;
    bool samples;
    std::string prompt;
  };
  const Case cases[] = {
      {{}, true,
       "No season can be offered from the folder\r/x/s\r\rIt holds no season files.\r\r"
       "Use the sample seasons installed with the program instead?"},
      {{"1990  1990Deep.vnt line 4 column 1: check value 1 stored, 2 computed"}, false,
       "No season can be offered from the folder\r/x/s\r\rThe reason:\r"
       "1990  1990Deep.vnt line 4 column 1: check value 1 stored, 2 computed\r\r"
       "Run \"vnt-seasons check\" in that folder to see every reason."},
      {four, true,
       "No season can be offered from the folder\r/x/s\r\rThe first reasons:\r1990  a\r1991  b\r"
       "1992  c\r(and 1 more; \"vnt-seasons check\" in that folder lists them all)\r\r"
       "Use the sample seasons installed with the program instead?"},
  };
  for (const Case& c : cases) EXPECT_EQ(noSeasonPrompt("/x/s", c.reasons, c.samples), c.prompt);
}

}  // namespace
}  // namespace vnt
