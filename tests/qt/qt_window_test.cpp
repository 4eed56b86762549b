// The window driven through its real widgets: mouse clicks, access keys and message boxes
// answered as a player would, on the offscreen platform.

#include "ui/qt/private_runtime.h"
#include "tests/qt/qt_window_test_support.h"

namespace vnt {
namespace {

using namespace qt_testing;

TEST_F(QtWindowTest, SeasonsAreShownDisabledWhenNoSeasonFilesAreFound) {
  start();
  EXPECT_EQ(window_->windowTitle(), QStringLiteral("VNT Assistant"));
  EXPECT_EQ(window_->size(), QSize(562, 582));

  auto* frame = widget<QGroupBox>(form_->fraSeasons);
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(frame->isVisible());
  EXPECT_EQ(frame->title(), QStringLiteral("Seasons"));

  std::set<int> columns;
  int shown = 0;
  for (auto& option : form_->optYear) {
    auto* radio = widget<QRadioButton>(option);
    ASSERT_NE(radio, nullptr);
    EXPECT_EQ(radio->parentWidget(), frame);
    EXPECT_EQ(radio->text(), QString::number(kFirstSeason + option.index));
    EXPECT_TRUE(radio->isVisible()) << option.displayName();
    EXPECT_FALSE(radio->isEnabled()) << option.displayName();
    EXPECT_FALSE(radio->isChecked()) << option.displayName();
    columns.insert(radio->x());
    ++shown;
  }
  EXPECT_EQ(shown, 54);
  EXPECT_EQ(columns.size(), 3u);

  // A disabled option takes no click.
  QWidget* season2015 = window_->widget(form_->optYear[2015 - kFirstSeason]);
  QTest::mouseClick(season2015, Qt::LeftButton);
  EXPECT_FALSE(form_->optYear[2015 - kFirstSeason].value);

  EXPECT_TRUE(widget(form_->cmdYear)->isVisible());
  EXPECT_TRUE(widget(form_->cmdExit)->isVisible());
  EXPECT_FALSE(widget(form_->cmdOne)->isVisible());
  EXPECT_FALSE(widget(form_->cmdChart[0])->isVisible());
}

TEST_F(QtWindowTest, SelectSeasonWithoutAChoiceAsksForOne) {
  writeSeason(dir_, 2015);
  start();
  BoxAnswerer answerer(QMessageBox::Ok);
  mouseClick(form_->cmdYear);
  ASSERT_TRUE(QTest::qWaitFor([&] { return answerer.answered(); }));
  EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("Select Year"));
  EXPECT_EQ(answerer.seen()[0].text, QStringLiteral("You must select a season for the charts"));
  EXPECT_EQ(answerer.seen()[0].icon, QMessageBox::NoIcon);
  EXPECT_EQ(answerer.seen()[0].buttons, std::set{QMessageBox::Ok});
  EXPECT_EQ(form_->screenState(), ScreenState::SeasonSelection);
  EXPECT_TRUE(window_->isVisible());
}

TEST_F(QtWindowTest, OptionButtonsFollowTheModelNotQt) {
  writeSeason(dir_, 2015);
  writeSeason(dir_, 2016);
  start();
  for (auto& option : form_->optYear) {
    auto* radio = widget<QRadioButton>(option);
    ASSERT_NE(radio, nullptr);
    EXPECT_FALSE(radio->autoExclusive()) << option.displayName();
  }
  Control& y2015 = form_->optYear[2015 - kFirstSeason];
  Control& y2016 = form_->optYear[2016 - kFirstSeason];
  auto* radio2015 = widget<QRadioButton>(y2015);
  auto* radio2016 = widget<QRadioButton>(y2016);
  ASSERT_TRUE(radio2015 && radio2016);
  EXPECT_TRUE(radio2015->isEnabled());
  EXPECT_TRUE(radio2016->isEnabled());
  EXPECT_FALSE(widget(form_->optYear[2014 - kFirstSeason])->isEnabled());

  mouseClick(y2015);
  EXPECT_TRUE(y2015.value);
  EXPECT_TRUE(radio2015->isChecked());

  // A second click on a selected option leaves it selected, though Qt on its own would
  // have unchecked a non-exclusive button.
  mouseClick(y2015);
  EXPECT_TRUE(y2015.value);
  EXPECT_TRUE(radio2015->isChecked());

  // Selecting another season clears the first, as the model decides.
  mouseClick(y2016);
  EXPECT_TRUE(y2016.value);
  EXPECT_FALSE(y2015.value);
  EXPECT_TRUE(radio2016->isChecked());
  EXPECT_FALSE(radio2015->isChecked());

  // Keyboard: space on the focused option clicks it.
  radio2015->setFocus();
  QTest::keyClick(radio2015, Qt::Key_Space);
  EXPECT_TRUE(y2015.value);
  EXPECT_TRUE(radio2015->isChecked());
  EXPECT_FALSE(radio2016->isChecked());
}

TEST_F(QtWindowTest, SelectSeasonOpensTheChartMenu) {
  openChartMenu();
  EXPECT_EQ(window_->windowTitle(), QStringLiteral("VNT Assistant 2015"));
  EXPECT_FALSE(widget<QGroupBox>(form_->fraSeasons)->isVisible());
  EXPECT_FALSE(widget(form_->cmdYear)->isVisible());
  for (auto& chart : form_->cmdChart) {
    auto* button = widget<QPushButton>(chart);
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->isVisible()) << chart.displayName();
    EXPECT_EQ(button->text().toStdString(), chart.caption);
  }
  for (Control* dice : {&form_->cmdOne, &form_->cmdTwo, &form_->cmdThree, &form_->cmdTwenty}) {
    EXPECT_TRUE(widget(*dice)->isVisible()) << dice->displayName();
  }
  auto* logo = widget<QLabel>(form_->imgLogo);
  ASSERT_NE(logo, nullptr);
  EXPECT_TRUE(logo->isVisible());
  EXPECT_FALSE(logo->pixmap().isNull());
  EXPECT_TRUE(widget<QListWidget>(form_->List1)->isVisible());
  EXPECT_TRUE(widget<QLabel>(form_->Text1)->isVisible());
  EXPECT_TRUE(widget<QCheckBox>(form_->chkDiceRolls)->isVisible());
}

TEST_F(QtWindowTest, QuickDiceButtonRollsAndColoursTheButtons) {
  openChartMenu();
  auto* list = widget<QListWidget>(form_->List1);
  auto* text1 = widget<QLabel>(form_->Text1);
  ASSERT_TRUE(list && text1);
  EXPECT_EQ(list->count(), 0);

  dice_.queue(7);
  mouseClick(form_->cmdOne);
  ASSERT_EQ(dice_.asked.size(), 1u);
  EXPECT_EQ(dice_.asked[0], std::make_pair(9, 0));
  EXPECT_EQ(text1->text(), QStringLiteral("7"));
  ASSERT_EQ(list->count(), 1);
  EXPECT_EQ(list->item(0)->text(), QStringLiteral("7"));
  EXPECT_EQ(list->selectionMode(), QAbstractItemView::NoSelection);

  EXPECT_TRUE(isWhite(faceColor(widget(form_->cmdOne))));
  for (Control* other : {&form_->cmdTwo, &form_->cmdThree, &form_->cmdTwenty}) {
    EXPECT_TRUE(isBlue(faceColor(widget(*other)))) << other->displayName();
  }

  dice_.queue(18);
  mouseClick(form_->cmdTwenty);
  EXPECT_EQ(dice_.asked.back(), std::make_pair(20, 1));
  EXPECT_EQ(text1->text(), QStringLiteral("18"));
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(list->item(0)->text(), QStringLiteral("7"));
  EXPECT_EQ(list->item(1)->text(), QStringLiteral("18"));
  EXPECT_TRUE(isWhite(faceColor(widget(form_->cmdTwenty))));
  EXPECT_TRUE(isBlue(faceColor(widget(form_->cmdOne))));
}

TEST_F(QtWindowTest, KeyboardPressesTheFocusedButton) {
  openChartMenu();
  auto* one = widget(form_->cmdOne);
  auto* list = widget<QListWidget>(form_->List1);
  ASSERT_TRUE(one && list);
  one->setFocus();
  dice_.queue(3);
  QTest::keyClick(one, Qt::Key_Return);
  ASSERT_TRUE(QTest::qWaitFor([&] { return list->count() == 1; }));
  dice_.queue(4);
  QTest::keyClick(one, Qt::Key_Space);
  ASSERT_TRUE(QTest::qWaitFor([&] { return list->count() == 2; }));
  EXPECT_EQ(list->item(1)->text(), QStringLiteral("4"));
}

TEST_F(QtWindowTest, HistoryListShowsTheLastEightRolls) {
  openChartMenu();
  for (int roll = 1; roll <= 9; ++roll) {
    dice_.queue(static_cast<std::int16_t>(roll * 10));
    mouseClick(form_->cmdTwo);
  }
  auto* list = widget<QListWidget>(form_->List1);
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count(), 8);
  EXPECT_EQ(list->item(0)->text(), QStringLiteral("20"));
  EXPECT_EQ(list->item(7)->text(), QStringLiteral("90"));
}

TEST_F(QtWindowTest, AccessKeyOpensConfirmExitAndNoKeepsTheWindow) {
  start();
  EXPECT_EQ(widget(form_->cmdExit)->text(), QStringLiteral("E&xit"));
  BoxAnswerer answerer(QMessageBox::No);
  QTest::keyClick(window_.get(), Qt::Key_X, Qt::AltModifier);
  ASSERT_TRUE(QTest::qWaitFor([&] { return answerer.answered(); }));
  const SeenBox& box = answerer.seen()[0];
  EXPECT_EQ(box.title, QStringLiteral("Exit Assistant"));
  EXPECT_EQ(box.text, QStringLiteral("Confirm Exit"));
  EXPECT_EQ(box.icon, QMessageBox::NoIcon);
  EXPECT_EQ(box.buttons, (std::set{QMessageBox::Yes, QMessageBox::No}));
  QTest::qWait(0);
  EXPECT_FALSE(form_->ended());
  EXPECT_TRUE(window_->isVisible());
}

TEST_F(QtWindowTest, ExitAnsweredYesEndsTheProgram) {
  openChartMenu();
  BoxAnswerer answerer(QMessageBox::Yes);
  mouseClick(form_->cmdExit);
  ASSERT_TRUE(QTest::qWaitFor([&] { return answerer.answered(); }));
  EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("Exit Assistant"));
  EXPECT_TRUE(form_->ended());
  EXPECT_FALSE(window_->isVisible());
}

TEST_F(QtWindowTest, ClosingTheWindowAsksNothing) {
  start();
  BoxAnswerer watcher(QMessageBox::No);
  EXPECT_TRUE(window_->close());
  QTest::qWait(20);
  EXPECT_FALSE(watcher.answered());
  EXPECT_FALSE(window_->isVisible());
}

TEST_F(QtWindowTest, WidgetsStandWhereTheModelPlacesThem) {
  openChartMenu();
  // Twips / 15 = pixels; options inside a frame are placed relative to it.
  EXPECT_EQ(widget(form_->cmdOne)->geometry(), QRect(24, 136, 113, 33));
  EXPECT_EQ(widget(form_->cmdExit)->geometry(), QRect(144, 472, 113, 41));
  EXPECT_EQ(window_->widget(form_->List1)->geometry(), QRect(336, 32, 217, 232));
  const Control& first = form_->optYear[0];
  EXPECT_EQ(window_->widget(first)->parentWidget(), window_->widget(form_->fraSeasons));
  EXPECT_EQ(window_->widget(first)->pos(), QPoint(first.layout.left / 15, first.layout.top / 15));

  // The model may move a control; the next repaint follows.
  form_->cmdOne.layout.left += 150;
  window_->sync();
  EXPECT_EQ(widget(form_->cmdOne)->x(), 34);
}

TEST_F(QtWindowTest, RepaintTakesEverythingFromTheModel) {
  openChartMenu();
  form_->Text1.caption = "first\rsecond";
  form_->Label1.caption = "unless H&R";
  form_->cmdOne.visible = false;
  form_->cmdTwo.enabled = false;
  form_->cmdChart[0].caption = "B&PE";
  form_->chkDiceRolls.value = true;
  form_->title = "VNT Assistant changed";
  window_->sync();
  EXPECT_EQ(widget<QLabel>(form_->Text1)->text(), QStringLiteral("first\nsecond"));
  EXPECT_EQ(widget<QLabel>(form_->Label1)->text(), QStringLiteral("unless H&R"));
  EXPECT_FALSE(widget(form_->cmdOne)->isVisible());
  EXPECT_FALSE(widget(form_->cmdTwo)->isEnabled());
  EXPECT_EQ(widget(form_->cmdChart[0])->text(), QStringLiteral("B&PE"));
  EXPECT_TRUE(widget<QCheckBox>(form_->chkDiceRolls)->isChecked());
  EXPECT_EQ(window_->windowTitle(), QStringLiteral("VNT Assistant changed"));
}

TEST_F(QtWindowTest, CheckBoxClickToggledByTheModel) {
  openChartMenu();
  auto* box = widget<QCheckBox>(form_->chkDiceRolls);
  ASSERT_NE(box, nullptr);
  const bool before = form_->chkDiceRolls.value;
  mouseClick(form_->chkDiceRolls);
  EXPECT_EQ(form_->chkDiceRolls.value, !before);
  EXPECT_EQ(box->isChecked(), !before);
  mouseClick(form_->chkDiceRolls);
  EXPECT_EQ(form_->chkDiceRolls.value, before);
  EXPECT_EQ(box->isChecked(), before);
}

TEST_F(QtWindowTest, TabFollowsTheLayoutOfTheStartScreen) {
  writeSeason(dir_, 2015);
  writeSeason(dir_, 2016);
  start();
  widget(form_->cmdYear)->setFocus();
  // "Select Season" stands above the seasons; disabled seasons are passed over.
  EXPECT_EQ(tabWalk(),
            (std::vector<std::string>{"cmdYear", "optYear(43)", "optYear(44)", "cmdExit"}));
  // Space on a focused season selects it through the model.
  widget(form_->optYear[44])->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
  EXPECT_TRUE(form_->optYear[44].value);
}

TEST_F(QtWindowTest, TabFollowsTheLayoutOfAChart) {
  openChartMenu();
  widget(form_->cmdChart[0])->setFocus();
  // The chart menu: row by row, so the two columns of chart buttons interleave.
  const std::vector<std::string> menu = tabWalk();
  const std::vector<std::string> menuStart{"cmdThree",    "cmdTwo",      "cmdOne",     "cmdTwenty",
                                           "cmdChart(0)", "cmdChart(7)", "cmdChart(1)"};
  ASSERT_GE(menu.size(), menuStart.size() + 3);
  const auto at = std::find(menu.begin(), menu.end(), "cmdThree");
  ASSERT_NE(at, menu.end());
  std::vector<std::string> rotated(at, menu.end());
  rotated.insert(rotated.end(), menu.begin(), at);
  EXPECT_TRUE(std::equal(menuStart.begin(), menuStart.end(), rotated.begin()));
  EXPECT_EQ(std::set<std::string>(menu.begin(), menu.end()).size(), menu.size());
  EXPECT_EQ(menu.size(), 14u + 4u + 3u);  // charts, quick dice, box, cancel and exit

  // The steal chart, entered by keyboard: the focus lands on its roll button.
  widget(form_->cmdChart[10])->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
  ASSERT_EQ(form_->screenState(), ScreenState::ChartSetup);
  EXPECT_EQ(focused(), "cmdStealing");
  const std::vector<std::string> walk = tabWalk();

  // Every control the player can reach, once: rows of the window from the top, left to
  // right, each frame's contents in their order.
  std::vector<std::pair<std::tuple<int, int, int>, std::string>> expected;
  int order = 0;
  for (Control* c : form_->controls()) {
    ++order;
    const bool focusable = c->kind == ControlKind::Button || c->kind == ControlKind::CheckBox ||
                           c->kind == ControlKind::Option;
    if (!focusable || !c->reachable()) continue;
    const Control& place = c->container ? *c->container : *c;
    expected.push_back({{place.layout.top, place.layout.left, order}, c->displayName()});
  }
  std::sort(expected.begin(), expected.end());
  std::vector<std::string> names;
  for (const auto& e : expected) names.push_back(e.second);
  EXPECT_EQ(walk, names);
  EXPECT_GT(walk.size(), 10u);
}

TEST_F(QtWindowTest, FocusStaysOnAShownControlAfterARoll) {
  openChartMenu();
  mouseClick(form_->cmdChart[10]);
  mouseClick(form_->optJump[0]);
  widget(form_->cmdStealing)->setFocus();
  // "Dropped?" asks for a follow-up: its button takes the roll button's place and focus.
  dice_.queue(91);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
  ASSERT_EQ(form_->Text1.caption, "Dropped?");
  EXPECT_EQ(focused(), "cmdStealError");
  EXPECT_TRUE(QApplication::focusWidget()->isVisible());

  mouseClick(form_->optError[0]);
  widget(form_->cmdStealError)->setFocus();
  dice_.queue(5);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !form_->cmdStealError.visible; }));
  // The result is complete: "&Continue" is next.
  EXPECT_EQ(form_->cmdCancel.caption, "&Continue");
  EXPECT_EQ(focused(), "cmdCancel");

  // And "&Continue" itself stays put in the chart menu.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
  ASSERT_EQ(form_->screenState(), ScreenState::ChartMenu);
  EXPECT_EQ(focused(), "cmdCancel");
  EXPECT_EQ(widget(form_->cmdCancel)->text(), QStringLiteral("&Cancel"));
}
}  // namespace
}  // namespace vnt

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  vnt::qt::usePrivateRuntimeFolder();
  QApplication app(argc, argv);
  // The layout checks run once more as on a desktop whose default font is larger.
  if (const int points = qEnvironmentVariableIntValue("VNT_TEST_DEFAULT_POINT_SIZE"); points > 0) {
    QFont font = QApplication::font();
    font.setPointSize(points);
    QApplication::setFont(font);
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
