// Why a season is not offered, where the player looks: on the year's option when pointed at
// or reached by a screen reader, and in one message box when no year at all can be offered,
// with the sample seasons offered instead.

#include "app/season_offer.h"

#include <QAccessible>

#include "tests/qt/qt_window_test_support.h"
#include "tests/unit/test_support.h"

namespace vnt::qt_testing {
namespace {

// One number changed in a Deep file: its check value no longer agrees.
void writeDamagedSeason(const fs::path& dir, int year) {
  writeSeason(dir, year);
  writeFile(dir / (std::to_string(year) + "Deep.vnt"),
            "1\r\n\"Boston\",1,1,1,1,1,1,1,7,1,1,1,1,1,1,1,1\r\n-2313\r\n");
}

TEST_F(QtWindowTest, ADisabledYearSaysWhyWhenPointedAtOrReached) {
  writeSeason(dir_, 2015);
  writeDamagedSeason(dir_, 1990);
  start();
  QWidget* damaged = window_->widget(form_->optYear[1990 - kFirstSeason]);
  QWidget* good = window_->widget(form_->optYear[2015 - kFirstSeason]);
  ASSERT_NE(damaged, nullptr);
  ASSERT_NE(good, nullptr);
  EXPECT_FALSE(damaged->isEnabled());
  const QString why = damaged->toolTip();
  EXPECT_TRUE(why.startsWith("Not offered: 1990Deep.vnt line 3 column 1: check value -2313 stored"))
      << why.toStdString();
  EXPECT_EQ(why.toStdString(), form_->optYear[1990 - kFirstSeason].description);
  EXPECT_EQ(damaged->accessibleDescription(), why);
  QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(damaged);
  ASSERT_NE(reader, nullptr);
  EXPECT_EQ(reader->text(QAccessible::Description), why);
  // An offered year says nothing of the kind.
  EXPECT_TRUE(good->isEnabled());
  EXPECT_TRUE(good->toolTip().isEmpty());
  EXPECT_TRUE(good->accessibleDescription().isEmpty());
}

class SampleOffer : public QtWindowTest {
 protected:
  // The folder checked at start-up, as the program does.
  std::unique_ptr<Form2> loaded() {
    auto form = std::make_unique<Form2>(dice_, fakeDialogs_);
    form->Form_Load();
    return form;
  }
  std::vector<int> offered(const Form2& form) {
    std::vector<int> years;
    for (const Control& option : form.optYear) {
      if (option.enabled) years.push_back(kFirstSeason + option.index);
    }
    return years;
  }
  const fs::path samples_ = fs::path(VNT_SOURCE_DIR) / "seasons";
  testing::FakeDialogs fakeDialogs_;
};

TEST_F(SampleOffer, NoYearOfferedAsksOnceAndYesLoadsTheSamples) {
  writeDamagedSeason(dir_, 1990);
  auto form = loaded();
  ASSERT_TRUE(offered(*form).empty());
  fakeDialogs_.answers.push_back(true);
  EXPECT_TRUE(app::offerSampleSeasons(*form, fakeDialogs_, dir_, samples_));
  ASSERT_EQ(fakeDialogs_.shown.size(), 1u);
  const std::string& prompt = fakeDialogs_.shown[0].first;
  EXPECT_EQ(fakeDialogs_.shown[0].second, "");
  EXPECT_NE(prompt.find(dir_.string()), std::string::npos) << prompt;
  EXPECT_NE(prompt.find("1990  1990Deep.vnt line 3 column 1: check value"), std::string::npos)
      << prompt;
  EXPECT_NE(prompt.find("sample seasons"), std::string::npos) << prompt;
  EXPECT_TRUE(fs::equivalent(fs::current_path(), samples_));
  EXPECT_FALSE(offered(*form).empty());
}

TEST_F(SampleOffer, NoKeepsTheFolderAndNothingIsAskedWhenAYearIsOffered) {
  writeDamagedSeason(dir_, 1990);
  auto form = loaded();
  fakeDialogs_.answers.push_back(false);
  EXPECT_FALSE(app::offerSampleSeasons(*form, fakeDialogs_, dir_, samples_));
  EXPECT_EQ(fakeDialogs_.shown.size(), 1u);
  EXPECT_TRUE(fs::equivalent(fs::current_path(), dir_));
  EXPECT_TRUE(offered(*form).empty());

  writeSeason(dir_, 2015);
  form = loaded();
  fakeDialogs_.shown.clear();
  EXPECT_FALSE(app::offerSampleSeasons(*form, fakeDialogs_, dir_, samples_));
  EXPECT_TRUE(fakeDialogs_.shown.empty());
}

// Samples that are this very folder, or none at all: the player is told why, with OK only.
TEST_F(SampleOffer, WithoutOtherSamplesTheBoxOnlyTells) {
  const fs::path empty = dir_ / "empty";
  fs::create_directory(empty);
  for (const fs::path& samples : {dir_, empty, dir_ / "missing", fs::path()}) {
    auto form = loaded();
    fakeDialogs_.shown.clear();
    fakeDialogs_.answers.push_back(true);
    EXPECT_FALSE(app::offerSampleSeasons(*form, fakeDialogs_, dir_, samples)) << samples;
    ASSERT_EQ(fakeDialogs_.shown.size(), 1u) << samples;
    EXPECT_NE(fakeDialogs_.shown[0].first.find("It holds no season files."), std::string::npos);
    EXPECT_NE(fakeDialogs_.shown[0].first.find("vnt-seasons check"), std::string::npos);
    fakeDialogs_.answers.clear();
    EXPECT_TRUE(fs::equivalent(fs::current_path(), dir_));
  }
}

}  // namespace
}  // namespace vnt::qt_testing
