#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <string>

#include "shell/form2.h"
#include "tests/unit/test_support.h"

namespace vnt {
namespace {

namespace fs = std::filesystem;

// A season in a temporary working directory, chosen through the window.
class BallparkLookup : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.made());
    // Two records named "Boston": the later one counts. "boston" differs in case.
    write("1990Deep.vnt",
          "3\n"
          "\"Boston\",1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\n"
          "\"boston\",2,2,2,2,2,2,2,2,2,2,2,2,2,2,2,2\n"
          "\"Boston\",20,21,22,23,24,25,26,37,37,10,10,10,5,3,4,0\n" +
          std::to_string(deepSum() * 2 - 2345) + "\n");
    write("1990BPE.vnt",
          "1,1,1,1,1,1,1,1,\"Boston\"\n1,1,1,1,1,1,1,1,\"boston\"\n1,1,1,1,1,1,1,1,\"Boston\"\n" +
          std::to_string(21 * 2 - 2345) + "\n");
    form.Form_Load();
    form.click(form.optYear[1990 - kFirstSeason]);
    form.cmdYear_Click();
    ASSERT_EQ(form.SeasonText, "1990");
  }

  static int deepSum() { return 16 + 32 + (20 + 21 + 22 + 23 + 24 + 25 + 26 + 37 + 37 + 30 + 5 + 3 + 4); }
  static void write(const std::string& name, const std::string& text) { std::ofstream(name) << text; }

  testing::WorkingFolder folder_{"vnt_lookup_"};
  testing::QueuedDice dice;
  testing::FakeDialogs dialogs;
  Form2 form{dice, dialogs};
};

TEST_F(BallparkLookup, LaterRecordOfTheSameNameWins) {
  form.BallparkTable[16] = 77;
  ASSERT_TRUE(form.lookUpBallpark(0));
  const std::array<std::int16_t, 16> expected = {20, 21, 22, 23, 24, 25, 26, 37,
                                                 37, 10, 10, 10, 5,  3,  4,  0};
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), form.BallparkTable.begin()));
  EXPECT_EQ(form.BallparkTable[16], 77) << "slots past 15 belong to the weather table";
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(BallparkLookup, NamesMatchWithLetterCase) {
  ASSERT_TRUE(form.lookUpBallpark(1));
  EXPECT_EQ(form.BallparkTable[0], 2);
  EXPECT_EQ(form.BallparkTable[15], 2);
}

TEST_F(BallparkLookup, MissingRecordOrFileIsSaidAndChangesNothing) {
  form.BallparkTable.fill(9);
  form.optBallpark[0].caption = "Colorado";
  EXPECT_FALSE(form.lookUpBallpark(0));
  fs::remove("1990Deep.vnt");
  form.optBallpark[0].caption = "Boston";
  EXPECT_FALSE(form.lookUpBallpark(0));
  EXPECT_EQ(dialogs.shown,
            (std::vector<std::pair<std::string, std::string>>{
                {"No record for Colorado in 1990Deep.vnt", ""}, {"Cannot read 1990Deep.vnt", ""}}));
  for (std::int16_t value : form.BallparkTable) ASSERT_EQ(value, 9);
}

// Files without a check value that are not text at all (binary, UTF-16, NUL bytes) or
// whose count is no count: "Cannot read", nothing changed, and once mended the same call
// reads the file.
TEST_F(BallparkLookup, WeatherAndCrazyPlayFilesThatAreNotTextAreRefused) {
  std::string weather = "1\r\n\"Boston\"";
  for (int i = 0; i < kWeatherValues; ++i) weather += "," + std::to_string(i);
  weather += "\r\n";
  const std::string plays = "2\r\n0,\"A\"\r\n500,\"B\"\r\n";
  const auto utf16 = [](const std::string& text) {
    std::string out = "\xFF\xFE";
    for (char c : text) out += std::string{c, '\0'};
    return out;
  };
  const std::string binary("\x7F" "ELF\x02\x01\x01\0\0\0", 10);
  struct Case {
    const char* label;
    std::string weather;
    std::string plays;
  };
  const Case cases[] = {
      {"Utf16", utf16(weather), utf16(plays)},
      {"NulByte", weather + std::string(1, '\0'), plays + std::string(1, '\0')},
      {"Binary", binary, binary},
      {"Empty", "", ""},
      {"CountAWord", "one\r\n" + weather.substr(3), "two\r\n" + plays.substr(3)},
  };
  for (const auto& c : cases) {
    dialogs.shown.clear();
    form.BallparkTable.fill(9);
    testing::WorkingFolder::write("1990Weather.vnt", c.weather);
    testing::WorkingFolder::write("1990CPlay.vnt", c.plays);
    EXPECT_FALSE(form.loadWeatherTable(0)) << c.label;
    EXPECT_EQ(form.readSeasonCrazyPlays(), std::nullopt) << c.label;
    EXPECT_EQ(dialogs.shown, (std::vector<std::pair<std::string, std::string>>{
                                 {"Cannot read 1990Weather.vnt", ""},
                                 {"Cannot read 1990CPlay.vnt", ""}}))
        << c.label;
    for (std::int16_t value : form.BallparkTable) ASSERT_EQ(value, 9) << c.label;
  }
  EXPECT_TRUE(dice.draws.empty());

  dialogs.shown.clear();
  testing::WorkingFolder::write("1990Weather.vnt", weather);
  testing::WorkingFolder::write("1990CPlay.vnt", plays);
  EXPECT_TRUE(form.loadWeatherTable(0));
  EXPECT_EQ(form.BallparkTable[140], 140);
  const auto read = form.readSeasonCrazyPlays();
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->size(), 2u);
  EXPECT_TRUE(dialogs.shown.empty());
}

}  // namespace
}  // namespace vnt
