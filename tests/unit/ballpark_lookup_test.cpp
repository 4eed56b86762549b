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

}  // namespace
}  // namespace vnt
