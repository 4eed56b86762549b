// The odds window over the real main window: F2 and the right-click menu open and close it,
// it follows every click, and it stands beside the main window, not over it.

#include "ui/qt/odds_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "shell/form2.h"
#include "tests/qt/main_window_fixture.h"
#include "tests/unit/test_support.h"
#include "ui/qt/qt_window.h"

namespace vnt {
namespace {

namespace fs = std::filesystem;

class OddsWindowTest : public testing::MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    odds_ = std::make_unique<OddsWindow>(*window_);
    attachOddsWindow(*window_, *odds_);
    showMainWindow();
  }
  void TearDown() override {
    odds_.reset();
    MainWindowFixture::TearDown();
  }

  void pressF2() { press(Qt::Key_F2); }

  std::unique_ptr<OddsWindow> odds_;
};

TEST_F(OddsWindowTest, F2OpensARatingClickUpdatesAndF2Closes) {
  EXPECT_FALSE(odds_->isVisible()) << "not shown at start";
  click("optYear", 2015 - kFirstSeason);
  click("cmdYear");
  click("cmdChart", 10);

  pressF2();
  ASSERT_TRUE(odds_->isVisible());
  EXPECT_FALSE(odds_->isModal());
  EXPECT_TRUE(odds_->shownText().contains("Select a steal rating"))
      << odds_->shownText().toStdString();

  // Rating 10 stealing second: 3-77 SB.
  click("optJump", 0);
  EXPECT_TRUE(odds_->shownText().contains("Stealing")) << odds_->shownText().toStdString();
  EXPECT_TRUE(odds_->shownText().contains("Adjusted Steal Rating: 10"));
  EXPECT_TRUE(odds_->shownText().contains("<td>SB</td><td align=\"right\">75%</td>"))
      << odds_->shownText().toStdString();

  // Stealing home instead: 6-35 SB.
  click("optTime", 1);
  EXPECT_TRUE(odds_->shownText().contains("<td>SB</td><td align=\"right\">30%</td>"))
      << odds_->shownText().toStdString();

  pressF2();
  EXPECT_FALSE(odds_->isVisible());
  EXPECT_TRUE(dice_.draws.empty()) << "the odds drew a die";
}

TEST_F(OddsWindowTest, OpensBesideTheMainWindowNotOverIt) {
  pressF2();
  ASSERT_TRUE(odds_->isVisible());
  EXPECT_FALSE(odds_->frameGeometry().intersects(window_->frameGeometry()))
      << "odds at " << odds_->frameGeometry().x() << "," << odds_->frameGeometry().y()
      << ", main window " << window_->frameGeometry().x() << "," << window_->frameGeometry().y()
      << " " << window_->frameGeometry().width() << "x" << window_->frameGeometry().height();
  // The main window keeps its size and place.
  EXPECT_EQ(window_->size(), QtWindow::clientSize());
  pressF2();
  EXPECT_FALSE(odds_->isVisible());
}

TEST_F(OddsWindowTest, TheRightClickMenuOpensAndClosesIt) {
  for (const bool opened : {true, false}) {
    // Picks "Odds" in the menu as soon as it is up.
    QTimer::singleShot(50, [] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(menu, nullptr);
      ASSERT_EQ(menu->actions().size(), 1);
      menu->activeAction();
      menu->setActiveAction(menu->actions().front());
      QTest::keyClick(menu, Qt::Key_Return);
    });
    // A right click on a control reaches the window's menu.
    QWidget* where = window_->widget(form_->Label1);
    ASSERT_NE(where, nullptr);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            where->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(where, &event);
    EXPECT_EQ(odds_->isVisible(), opened);
  }
}

}  // namespace
}  // namespace vnt
namespace vnt {
namespace {

// The painted bars, top to bottom: the length of each run of the bar colour, one a row.
std::vector<int> barLengths(const QImage& image) {
  std::vector<int> lengths;
  bool inBar = false;
  for (int y = 0; y < image.height(); ++y) {
    int longest = 0;
    int run = 0;
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      const bool blue = c.blue() > 150 && c.red() < 80 && c.green() < 140;
      run = blue ? run + 1 : 0;
      longest = std::max(longest, run);
    }
    if (longest > 0 && !inBar) lengths.push_back(longest);
    inBar = longest > 0;
  }
  return lengths;
}

// Each outcome has a bar as long as its chance, headed by the roll in the player's words;
// after the roll the window names the follow-up it waits for.
TEST_F(OddsWindowTest, BarsShowWhereTheWeightLies) {
  click("optYear", 2015 - kFirstSeason);
  click("cmdYear");
  click("cmdChart", 10);
  click("optJump", 0);
  pressF2();
  ASSERT_TRUE(odds_->isVisible());
  const QString shown = odds_->shownText();
  EXPECT_TRUE(shown.contains("<b>Steal roll</b>")) << shown.toStdString();
  EXPECT_FALSE(shown.contains("<b>Stealing</b></p><table")) << "a button caption as heading";
  // Blown Call 1 %, Collision 2 %, SB 75 %, SB + E2? 13 %, Dropped? 1 %, Rundown 2 %, CS 6 %.
  const std::vector<int> lengths = barLengths(odds_->grab().toImage());
  const std::vector<int> expected = {1, 2, 75, 13, 1, 2, 6};
  ASSERT_EQ(lengths.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_NEAR(lengths[i], expected[i], 1) << "bar " << i;
  }

  dice_.values.push_back(80);  // SB + E2?
  click("cmdStealing");
  click("optError", 6);
  EXPECT_TRUE(odds_->shownText().contains("Next roll: Steal: error roll"))
      << odds_->shownText().toStdString();
}

}  // namespace
}  // namespace vnt
