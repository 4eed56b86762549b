// The records the charts look up at roll time.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "shell/season_records.h"
#include "tests/unit/season_test_files.h"

namespace vnt {
namespace {

using namespace season_test;

using Status = DeepLookup::Status;
const std::string kDeepBoston = "1\r\n\"Boston\",1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\r\n-2313\r\n";

// ---------------------------------------------------------------------------------------
// readBallparkNames

TEST(ReadBallparkNames, Cases) {
  using Names = std::vector<std::string>;
  struct Case {
    const char* label;
    std::string data;
    std::optional<Names> names;
  };
  const Case cases[] = {
      {"Example", kDeepBoston, Names{"Boston"}},
      {"InRecordOrder", deepFile({{"Z", filled(0)}, {"A, The", filled(1)}, {"M", filled(2)}}, 0),
       Names{"Z", "A, The", "M"}},
      {"CheckValueNotNeeded", "1,Boston,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1", Names{"Boston"}},
      {"WrongCheckDoesNotMatter", deepFile({{"B", filled(1)}}, 7), Names{"B"}},
      {"CountZero", deepFile({}, 0), std::nullopt},
      {"CountThirtyOne", "31,B,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1", std::nullopt},
      {"Truncated", "1,Boston,1,1,1,1,1", std::nullopt},
      {"MissingSecondRecord", "2,Boston,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1", std::nullopt},
      {"ValueOutOfRange", "1,B,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,-40000", std::nullopt},
      {"Empty", "", std::nullopt},
  };
  for (const auto& c : cases) {
    const ExactBuffer buffer(c.data);
    EXPECT_EQ(readBallparkNames(buffer.view()), c.names) << c.label;
  }
}

// ---------------------------------------------------------------------------------------
// lookupDeepRecord

std::array<std::int16_t, 16> counting(int from) {
  std::array<std::int16_t, 16> values{};
  for (int i = 0; i < 16; ++i) values[i] = static_cast<std::int16_t>(from + i);
  return values;
}

std::array<int, 16> countingInts(int from) {
  std::array<int, 16> values{};
  for (int i = 0; i < 16; ++i) values[i] = from + i;
  return values;
}

TEST(LookupDeepRecord, Cases) {
  const std::string file = deepFile({{"Boston", countingInts(1)},
                                     {"Chicago", countingInts(100)},
                                     {"Boston", countingInts(-50)},
                                     {"Park, The", countingInts(7)}},
                                    (136 + 1720 - 680 + 232) * 2 - 2345);
  struct Case {
    const char* label;
    std::string data;
    std::string name;
    Status status;
    std::array<std::int16_t, 16> values;
  };
  const Case cases[] = {
      {"Found", file, "Chicago", Status::Found, counting(100)},
      {"LastMatchWins", file, "Boston", Status::Found, counting(-50)},
      {"NameWithComma", file, "Park, The", Status::Found, counting(7)},
      {"CaseSensitive", file, "boston", Status::NoRecord, {}},
      {"NoPartialMatch", file, "Bost", Status::NoRecord, {}},
      {"NoTrailingBlankMatch", file, "Boston ", Status::NoRecord, {}},
      {"CheckValuePasses", "1,X,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,-2073", "X",
       Status::Found, counting(1)},
      // Damage that the check value tells: the file is not used at all.
      {"CheckValueMissing", "1,X,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16", "X",
       Status::Unreadable, {}},
      {"CheckValueWrong", "1,X,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,-2074", "X",
       Status::Unreadable, {}},
      {"OneNumberTooMany", "1,X,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,-2073", "X",
       Status::Unreadable, {}},
      {"NumberCut", "1,X,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,1,-2073", "X", Status::Unreadable,
       {}},
      {"CountZero", deepFile({}, 0), "Boston", Status::Unreadable, {}},
      {"CountThirtyOne",
       "31,Boston,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16",
       "Boston",
       Status::Unreadable,
       {}},
      {"DamagedAfterMatch",
       "2,Boston,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,C,1,2",
       "Boston",
       Status::Unreadable,
       {}},
      {"OutOfRangeInOtherRecord",
       "2,Boston,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,C,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,"
       "32768",
       "Boston",
       Status::Unreadable,
       {}},
      {"Empty", "", "Boston", Status::Unreadable, {}},
  };
  for (const auto& c : cases) {
    const ExactBuffer buffer(c.data);
    const DeepLookup got = lookupDeepRecord(buffer.view(), c.name);
    EXPECT_EQ(got.status, c.status) << c.label;
    EXPECT_EQ(got.values, c.values) << c.label;
  }
}

// ---------------------------------------------------------------------------------------
// readSeasonFile

// A Weather record: the name, then 141 numbers counting up from `from`.
std::string weatherRecord(const std::string& name, int from) {
  std::string out = "\"" + name + "\"";
  for (int i = 0; i < kWeatherValues; ++i) out += "," + std::to_string(from + i);
  return out + "\r\n";
}

TEST(LookupWeatherRecord, Cases) {
  const std::string file = "3\r\n" + weatherRecord("Boston", 0) + weatherRecord("Denver", 200) +
                           weatherRecord("Boston", -100);
  struct Case {
    const char* label;
    std::string data;
    std::string name;
    Status status;
    int first;  // the value at index 0 of the record found
  };
  const Case cases[] = {
      {"Found", file, "Denver", Status::Found, 200},
      {"LastMatchWins", file, "Boston", Status::Found, -100},
      {"CaseSensitive", file, "denver", Status::NoRecord, 0},
      // No check value: what the file's own shape says is damaged makes it unreadable.
      {"CountZero", "0\r\n", "Boston", Status::Unreadable, 0},
      {"NegativeCount", "-3\r\n", "Boston", Status::Unreadable, 0},
      {"CountAWord", "three\r\n" + weatherRecord("Boston", 0), "Boston", Status::Unreadable, 0},
      {"FewerRecordsThanCount", "2\r\n" + weatherRecord("Boston", 0), "Boston",
       Status::Unreadable, 0},
      {"RecordWith142Numbers", "1\r\n\"Boston\",7," + weatherRecord("", 0).substr(3), "Boston",
       Status::Unreadable, 0},
      {"NulByte", "1\r\n" + weatherRecord("Boston", 0) + std::string(1, '\0'), "Boston",
       Status::Unreadable, 0},
      {"Utf16", std::string("\xFF\xFE" "1\0\r\0\n\0", 8), "Boston", Status::Unreadable, 0},
      {"OnlyALineBreak", "\r\n", "Boston", Status::Unreadable, 0},
      // 140 numbers: the record runs out of fields.
      {"ShortRecord", "1\r\n" + weatherRecord("Boston", 0).substr(0, 400), "Boston",
       Status::Unreadable, 0},
      {"DamagedAfterMatch", "2\r\n" + weatherRecord("Boston", 0) + "X,1,2", "Boston",
       Status::Unreadable, 0},
      {"OutOfRange", "1\r\n" + weatherRecord("Boston", 32700), "Boston", Status::Unreadable, 0},
      {"Empty", "", "Boston", Status::Unreadable, 0},
  };
  for (const auto& c : cases) {
    const ExactBuffer buffer(c.data);
    const WeatherLookup got = lookupWeatherRecord(buffer.view(), c.name);
    EXPECT_EQ(got.status, c.status) << c.label;
    if (got.status != Status::Found) continue;
    for (int i = 0; i < kWeatherValues; ++i) {
      ASSERT_EQ(got.values[static_cast<std::size_t>(i)], c.first + i) << c.label << " " << i;
    }
  }
  // A field that holds no number reads as 0 inside an otherwise whole file.
  const WeatherLookup word =
      lookupWeatherRecord("1\r\n\"Boston\",x" + weatherRecord("", 1).substr(4), "Boston");
  ASSERT_EQ(word.status, Status::Found);
  EXPECT_EQ(word.values[0], 0);
  EXPECT_EQ(word.values[1], 2);
}

TEST(LookupBpeRecord, TakesTheRecordByPosition) {
  const std::string file =
      "10,20,30,40,50,60,70,80,\"Boston\"\r\n"
      "1,2,3,4,5,6,7,8,\"Boston\"\r\n"
      "-1,-2,-3,-4,-5,-6,-7,-8,\"Chicago, North\"\r\n"
      "-1234\r\n";
  using Thresholds = std::array<std::int16_t, 8>;
  struct Case {
    const char* label;
    std::string data;
    int index;
    Status status;
    Thresholds thresholds;
  };
  const Case cases[] = {
      {"First", file, 0, Status::Found, {10, 20, 30, 40, 50, 60, 70, 80}},
      {"SameNameSecond", file, 1, Status::Found, {1, 2, 3, 4, 5, 6, 7, 8}},
      {"LastWithCommaInName", file, 2, Status::Found, {-1, -2, -3, -4, -5, -6, -7, -8}},
      // The check value would be read as the first threshold of a fourth record.
      {"PastTheLastRecord", file, 3, Status::NoRecord, {}},
      {"FarPastTheEnd", file, 29, Status::NoRecord, {}},
      {"NoCheckValueNeeded", "1,2,3,4,5,6,7,8", 0, Status::Found, {1, 2, 3, 4, 5, 6, 7, 8}},
      {"NotANumberIsZero", "1,x,3,4,5,6,7,8,P", 0, Status::Found, {1, 0, 3, 4, 5, 6, 7, 8}},
      {"RestNotRead", "1,2,3,4,5,6,7,8,P,99999", 0, Status::Found, {1, 2, 3, 4, 5, 6, 7, 8}},
      {"OutOfRangeBefore", "1,2,3,4,5,6,7,99999,P,1,2,3,4,5,6,7,8", 1, Status::Unreadable, {}},
      {"OutOfRangeInRecord", "1,2,3,40000,5,6,7,8,P", 0, Status::Unreadable, {}},
      {"Empty", "", 0, Status::NoRecord, {}},
      {"NegativeIndex", file, -1, Status::Unreadable, {}},
  };
  for (const auto& c : cases) {
    const ExactBuffer buffer(c.data);
    const BpeLookup got = lookupBpeRecord(buffer.view(), c.index);
    EXPECT_EQ(got.status, c.status) << c.label;
    EXPECT_EQ(got.thresholds, c.thresholds) << c.label;
  }
}

// At roll time the BPE file is used only when it passes its check for the season's parks
// (or for fewer records, whose later parks have none).
TEST(LookupBpeRecord, AtRollTimeTheCheckValueHolds) {
  // Two records; the check adds thresholds 2..8 and the ninth field: 7 + 35 = 42.
  const std::string two = "1,1,1,1,1,1,1,1,A\r\n1,2,3,4,5,6,7,8,B\r\n-2261\r\n";
  const std::string one = "1,1,1,1,1,1,1,1,A\r\n-2331\r\n";
  using Thresholds = std::array<std::int16_t, 8>;
  struct Case {
    const char* label;
    std::string data;
    int index;
    int ballparks;
    Status status;
    Thresholds thresholds;
  };
  const Case cases[] = {
      {"Passes", two, 1, 2, Status::Found, {1, 2, 3, 4, 5, 6, 7, 8}},
      {"FewerRecordsFound", one, 0, 2, Status::Found, {1, 1, 1, 1, 1, 1, 1, 1}},
      {"FewerRecordsNoRecord", one, 1, 2, Status::NoRecord, {}},
      // "70" cut to "7": every later field would shift.
      {"NumberCut", "10,20,30,40,50,60,7,80,A\r\n-1645\r\n", 0, 1,
       Status::Unreadable, {}},
      {"CheckValueWrong", "1,1,1,1,1,1,1,1,A\r\n-2330\r\n", 0, 1, Status::Unreadable, {}},
      {"CheckValueMissing", "1,1,1,1,1,1,1,1,A\r\n", 0, 1, Status::Unreadable, {}},
      {"Empty", "", 0, 1, Status::Unreadable, {}},
  };
  for (const auto& c : cases) {
    const ExactBuffer buffer(c.data);
    const BpeLookup got = lookupBpeRecord(buffer.view(), c.index, c.ballparks);
    EXPECT_EQ(got.status, c.status) << c.label;
    EXPECT_EQ(got.thresholds, c.thresholds) << c.label;
  }
}

TEST(ReadCrazyPlays, Cases) {
  struct Case {
    const char* label;
    std::string data;
    std::optional<std::vector<std::pair<int, std::string>>> plays;
  };
  using Plays = std::vector<std::pair<int, std::string>>;
  const Case cases[] = {
      {"InFileOrder", "3\r\n0,\"A, quoted\"\r\n500,B\r\n500,C\r\n",
       Plays{{0, "A, quoted"}, {500, "B"}, {500, "C"}}},
      {"NotANumberThresholdIsZero", "2\r\n0,A\r\nx,B\r\n", Plays{{0, "A"}, {0, "B"}}},
      // No check value: what the file's own shape says is damaged is refused.
      {"CountZero", "0\r\n", std::nullopt},
      {"NegativeCount", "-1\r\n", std::nullopt},
      {"CountAWord", "two\r\n0,A\r\n500,B\r\n", std::nullopt},
      {"CountEmpty", "\r\n0,A\r\n", std::nullopt},
      {"NulByte", std::string("1\r\n0,A\0\r\n", 9), std::nullopt},
      {"Utf16", std::string("\xFF\xFE" "1\0\r\0\n\0" "0\0,\0A\0", 14), std::nullopt},
      {"Binary", std::string("\x7F" "ELF\x02\x01\x01\0\0", 9), std::nullopt},
      {"ExtraRecordsIgnored", "1\r\n0,A\r\n1,B\r\n", Plays{{0, "A"}}},
      {"RunsOut", "2\r\n0,A\r\n500\r\n", std::nullopt},
      {"OutOfRange", "1\r\n40000,A\r\n", std::nullopt},
      {"Empty", "", std::nullopt},
  };
  for (const auto& c : cases) {
    const ExactBuffer buffer(c.data);
    const auto got = readCrazyPlays(buffer.view());
    ASSERT_EQ(got.has_value(), c.plays.has_value()) << c.label;
    if (!got) continue;
    Plays plays;
    for (const auto& play : *got) plays.emplace_back(play.threshold, play.description);
    EXPECT_EQ(plays, *c.plays) << c.label;
  }
}

}  // namespace
}  // namespace vnt
