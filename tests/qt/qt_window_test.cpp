// The window driven through its real widgets: mouse clicks, access keys and message boxes
// answered as a player would, on the offscreen platform.

#include "ui/qt/qt_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/command_line.h"
#include "shell/accessibility_rules.h"
#include "shell/form2.h"
#include "ui/qt/accessibility.h"
#include "ui/qt/caption_widgets.h"
#include "ui/qt/qt_dialogs.h"

namespace vnt {
namespace {

namespace fs = std::filesystem;

// Hands out queued rolls and records the bounds each draw asked for.
class ScriptedDice final : public Dice {
 public:
  void queue(std::int16_t value) { values_.push_back(value); }
  std::int16_t RandomNumber(std::int16_t upper, std::int16_t lower) override {
    asked.emplace_back(upper, lower);
    if (values_.empty()) {
      ADD_FAILURE() << "a roll nobody expected: " << upper << ", " << lower;
      return lower;
    }
    const std::int16_t value = values_.front();
    values_.pop_front();
    return value;
  }
  std::vector<std::pair<int, int>> asked;

 private:
  std::deque<std::int16_t> values_;
};

struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  std::set<QMessageBox::StandardButton> buttons;
};

// Watches for the next modal message box and answers it by clicking one of its buttons
// with the mouse, as the player would. `onSeen` runs first, while the box is up.
class BoxAnswerer {
 public:
  explicit BoxAnswerer(QMessageBox::StandardButton answer, std::function<void()> onSeen = {})
      : answer_(answer), onSeen_(std::move(onSeen)) {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
  }

  const std::vector<SeenBox>& seen() const { return seen_; }
  bool answered() const { return !seen_.empty(); }

 private:
  void poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    timer_.stop();
    SeenBox seen{box->windowTitle(), box->text(), box->icon(), {}};
    for (QAbstractButton* button : box->buttons()) seen.buttons.insert(box->standardButton(button));
    seen_.push_back(seen);
    if (onSeen_) onSeen_();
    QAbstractButton* button = box->button(answer_);
    if (button == nullptr) {
      ADD_FAILURE() << "the box \"" << seen.text.toStdString() << "\" has no such button";
      button = box->buttons().value(0);
    }
    QTest::mouseClick(button, Qt::LeftButton);
  }

  QMessageBox::StandardButton answer_;
  std::function<void()> onSeen_;
  QTimer timer_;
  std::vector<SeenBox> seen_;
};

void writeFile(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

// The smallest season that passes the file checks: one ballpark.
void writeSeason(const fs::path& dir, int year) {
  writeFile(dir / (std::to_string(year) + "Deep.vnt"),
            "1\r\n\"Boston\",1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\r\n-2313\r\n");
  writeFile(dir / (std::to_string(year) + "BPE.vnt"), "1,1,1,1,1,1,1,1,\"Boston\"\r\n-2331\r\n");
}

// The colour of a button's face, away from its caption and border.
QColor faceColor(QWidget* button) {
  const QImage image = button->grab().toImage();
  return image.pixelColor(6, image.height() / 2);
}

bool isWhite(const QColor& c) {
  return c.red() > 230 && c.green() > 230 && c.blue() > 230;
}
bool isBlue(const QColor& c) {
  return c.blue() > 200 && c.red() < 60 && c.green() < 60;
}

class QtWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previousDir_ = fs::current_path();
    dir_ = fs::temp_directory_path() /
           ("vnt_qt_test_" + std::to_string(QCoreApplication::applicationPid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::current_path(dir_);
  }

  void TearDown() override {
    window_.reset();
    form_.reset();
    fs::current_path(previousDir_);
    fs::remove_all(dir_);
  }

  // Starts the program in the temporary working directory, its window shown and active.
  void start() {
    form_ = std::make_unique<Form2>(dice_, dialogs_);
    form_->Form_Load();
    window_ = std::make_unique<QtWindow>(*form_);
    dialogs_.attach(window_.get(), [this] { window_->sync(); });
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }

  template <typename W = QAbstractButton>
  W* widget(Control& control) {
    auto* w = qobject_cast<W*>(window_->widget(control));
    EXPECT_NE(w, nullptr) << control.displayName();
    return w;
  }

  void mouseClick(Control& control) {
    QWidget* w = window_->widget(control);
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->isVisible() && w->isEnabled()) << control.displayName();
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(w->width() / 2, w->height() / 2));
  }

  // From the season selection to the chart menu of 2015, by mouse.
  void openChartMenu() {
    writeSeason(dir_, 2015);
    start();
    mouseClick(form_->optYear[2015 - kFirstSeason]);
    mouseClick(form_->cmdYear);
    ASSERT_EQ(form_->screenState(), ScreenState::ChartMenu);
  }

  fs::path previousDir_;
  fs::path dir_;
  // The widgets Tab visits from the focused one, once round, as a walk of control names.
  std::vector<std::string> tabWalk() {
    std::vector<std::string> names;
    QWidget* first = QApplication::focusWidget();
    if (first == nullptr) return names;
    QWidget* current = first;
    do {
      EXPECT_TRUE(current->isVisible() && current->isEnabled()) << name(current);
      names.push_back(name(current));
      QTest::keyClick(current, Qt::Key_Tab);
      current = QApplication::focusWidget();
    } while (current != nullptr && current != first && names.size() < 200);
    return names;
  }

  std::string name(const QWidget* w) {
    for (Control* c : form_->controls()) {
      if (window_->widget(*c) == w) return c->displayName();
    }
    return "(not a control)";
  }

  std::string focused() { return name(QApplication::focusWidget()); }

  ScriptedDice dice_;
  QtDialogs dialogs_;
  std::unique_ptr<Form2> form_;
  std::unique_ptr<QtWindow> window_;
};

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

// What an assistive technology hears from the window.
class AccessibleEvents {
 public:
  AccessibleEvents() {
    seen().clear();
    setAccessibleEventWatcher(&AccessibleEvents::record);
  }
  ~AccessibleEvents() { setAccessibleEventWatcher({}); }

  struct Event {
    QAccessible::Event type;
    QObject* object;
    int child;
    QString name;
  };
  static std::vector<Event>& seen() {
    static std::vector<Event> events;
    return events;
  }

 private:
  static void record(QAccessibleEvent* event) {
    QAccessibleInterface* iface = event->accessibleInterface();
    seen().push_back({event->type(), event->object(), event->child(),
                      iface ? iface->text(QAccessible::Name) : QString()});
  }
};

QAccessibleInterface* accessible(QWidget* w) {
  return QAccessible::queryAccessibleInterface(w);
}

TEST_F(QtWindowTest, ScreenReadersHearNamesRolesAndNewRolls) {
  writeSeason(dir_, 2015);
  start();
  AccessibleEvents events;

  // Option buttons are radio buttons to a screen reader, though Qt's exclusivity is off.
  QAccessibleInterface* y2015 = accessible(widget(form_->optYear[43]));
  ASSERT_NE(y2015, nullptr);
  EXPECT_EQ(y2015->role(), QAccessible::RadioButton);
  EXPECT_EQ(y2015->text(QAccessible::Name), QStringLiteral("2015"));
  EXPECT_FALSE(y2015->state().checked);

  // The assistive Toggle action is a real click: the model hears of it.
  QAccessibleActionInterface* actions = y2015->actionInterface();
  ASSERT_NE(actions, nullptr);
  EXPECT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
  actions->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_TRUE(form_->optYear[43].value);
  EXPECT_TRUE(y2015->state().checked);
  // A second Toggle leaves an option selected, as a second click does.
  actions->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_TRUE(form_->optYear[43].value);
  // A disabled season ignores it.
  accessible(widget(form_->optYear[0]))
      ->actionInterface()
      ->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_FALSE(form_->optYear[0].value);

  accessible(widget(form_->cmdYear))
      ->actionInterface()
      ->doAction(QAccessibleActionInterface::pressAction());
  ASSERT_TRUE(QTest::qWaitFor([&] { return form_->screenState() == ScreenState::ChartMenu; }));

  // Check boxes: role, and Press through the model too.
  QAccessibleInterface* diceRolls = accessible(widget(form_->chkDiceRolls));
  EXPECT_EQ(diceRolls->role(), QAccessible::CheckBox);
  const bool before = form_->chkDiceRolls.value;
  diceRolls->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(form_->chkDiceRolls.value, !before);
  EXPECT_EQ(diceRolls->state().checked, !before);

  // Every shown control has a name; buttons are read without their access-key mark.
  for (Control* c : form_->controls()) {
    if (!c->reachable()) continue;
    QAccessibleInterface* iface = accessible(window_->widget(*c));
    ASSERT_NE(iface, nullptr) << c->displayName();
    EXPECT_FALSE(iface->text(QAccessible::Name).isEmpty()) << c->displayName();
  }
  EXPECT_EQ(accessible(widget(form_->cmdExit))->text(QAccessible::Name), QStringLiteral("Exit"));
  QAccessibleInterface* history = accessible(window_->widget(form_->List1));
  EXPECT_EQ(history->text(QAccessible::Name), QStringLiteral("Roll history"));
  QAccessibleInterface* result = accessible(window_->widget(form_->Text1));
  EXPECT_EQ(result->text(QAccessible::Name), QStringLiteral("Result: "));

  // A roll: the result's new name is announced, and the history's new line.
  AccessibleEvents::seen().clear();
  dice_.queue(7);
  mouseClick(form_->cmdOne);
  EXPECT_EQ(result->text(QAccessible::Name), QStringLiteral("Result: 7"));
  const auto& seen = AccessibleEvents::seen();
  const auto nameChange = std::find_if(seen.begin(), seen.end(), [&](const auto& e) {
    return e.type == QAccessible::NameChanged && e.object == window_->widget(form_->Text1);
  });
  ASSERT_NE(nameChange, seen.end());
  EXPECT_EQ(nameChange->name, QStringLiteral("Result: 7"));
  const auto rowAdded = std::find_if(seen.begin(), seen.end(), [](const auto& e) {
    return e.type == QAccessible::ObjectCreated && e.name == QStringLiteral("7");
  });
  EXPECT_NE(rowAdded, seen.end());
  ASSERT_EQ(history->childCount(), 1);
  EXPECT_EQ(history->child(0)->text(QAccessible::Name), QStringLiteral("7"));

  // Once the history is full, each roll drops the oldest line and announces only the new.
  for (int roll = 1; roll <= 8; ++roll) {
    dice_.queue(static_cast<std::int16_t>(roll));
    mouseClick(form_->cmdOne);
  }
  AccessibleEvents::seen().clear();
  dice_.queue(9);
  mouseClick(form_->cmdOne);
  int created = 0;
  for (const auto& e : AccessibleEvents::seen()) created += e.type == QAccessible::ObjectCreated;
  EXPECT_EQ(created, 1);
  auto* list = widget<QListWidget>(form_->List1);
  ASSERT_EQ(list->count(), 8);
  EXPECT_EQ(list->item(0)->text(), QStringLiteral("2"));
  EXPECT_EQ(list->item(7)->text(), QStringLiteral("9"));
}

// The window tells a screen reader what the model's rules say, whether the interface is Qt's
// own or the window's: every control on every screen below, by role and by name.
TEST_F(QtWindowTest, ScreenReadersHearWhatTheModelSays) {
  writeSeason(dir_, 2015);
  start();
  const std::map<AccessibleRole, QAccessible::Role> roles{
      {AccessibleRole::Button, QAccessible::PushButton},
      {AccessibleRole::CheckBox, QAccessible::CheckBox},
      {AccessibleRole::RadioButton, QAccessible::RadioButton},
      {AccessibleRole::Group, QAccessible::Grouping},
      {AccessibleRole::Text, QAccessible::StaticText},
      {AccessibleRole::List, QAccessible::List},
      {AccessibleRole::Image, QAccessible::Graphic},
  };
  int checked = 0;
  const auto checkScreen = [&](const std::string& screen) {
    for (Control* c : form_->controls()) {
      if (!c->reachable()) continue;
      QWidget* w = window_->widget(*c);
      QAccessibleInterface* iface = accessible(w);
      ASSERT_NE(iface, nullptr) << c->displayName();
      // The caption as the widget shows it.
      QString shown;
      if (auto* button = qobject_cast<QAbstractButton*>(w)) shown = button->text();
      if (auto* frame = qobject_cast<QGroupBox*>(w)) shown = frame->title();
      if (auto* label = qobject_cast<QLabel*>(w); label && c->kind == ControlKind::Label) {
        shown = label->text();
      }
      EXPECT_EQ(iface->role(), roles.at(accessibleRole(c->kind))) << screen << ": "
                                                                  << c->displayName();
      EXPECT_EQ(iface->text(QAccessible::Name).toStdString(),
                accessibleName(*c, shown.toStdString()))
          << screen << ": " << c->displayName();
      ++checked;
    }
  };
  checkScreen("season selection");
  mouseClick(form_->optYear[2015 - kFirstSeason]);
  mouseClick(form_->cmdYear);
  dice_.queue(7);
  mouseClick(form_->cmdOne);
  checkScreen("chart menu");
  // Every set-up that asks nothing on the way in.
  for (int chart = 0; chart < form_->cmdChart.size(); ++chart) {
    if (chart == 4 || chart == 12) continue;
    mouseClick(form_->cmdChart[chart]);
    checkScreen(form_->cmdChart[chart].caption);
    mouseClick(form_->cmdCancel);
  }
  // A result with its explanation.
  mouseClick(form_->cmdChart[10]);
  mouseClick(form_->optJump[0]);
  dice_.queue(91);
  mouseClick(form_->cmdStealing);
  ASSERT_EQ(form_->Text1.caption, "Dropped?");
  checkScreen("steal: Dropped?");
  EXPECT_GT(checked, 300);
}

TEST(CommandLineTest, ReadsTheOptions) {
  using app::Options;
  using app::parseCommandLine;
  const std::map<std::vector<std::string>, Options::Action> actions{
      {{}, Options::Action::Run},
      {{"--help"}, Options::Action::Help},
      {{"-h"}, Options::Action::Help},
      {{"--version"}, Options::Action::Version},
      {{"--seasons", "x", "--help"}, Options::Action::Help},
      {{"--user-seasons", "--self-test"}, Options::Action::Run},
      {{"--seasons"}, Options::Action::Usage},
      {{"--seasons="}, Options::Action::Usage},
      {{"--seasons", "a", "--seasons", "b"}, Options::Action::Usage},
      {{"--seasons", "a", "--user-seasons"}, Options::Action::Usage},
      {{"--help-me"}, Options::Action::Usage},
      {{"seasons"}, Options::Action::Usage},
  };
  for (const auto& [args, action] : actions) {
    const Options options = parseCommandLine(args);
    EXPECT_EQ(options.action, action) << ::testing::PrintToString(args);
    EXPECT_EQ(options.error.empty(), action != Options::Action::Usage);
  }
  EXPECT_EQ(parseCommandLine({"--seasons", "my dir"}).seasons, fs::path("my dir"));
  EXPECT_EQ(parseCommandLine({"--seasons=/s"}).seasons, fs::path("/s"));
  EXPECT_TRUE(parseCommandLine({"--user-seasons"}).userSeasons);
  EXPECT_TRUE(parseCommandLine({"--self-test"}).selfTest);
  EXPECT_EQ(parseCommandLine({"--bogus"}).error, "unknown option --bogus");
}

TEST(CommandLineTest, ThePlayersSeasonFolderFollowsTheXdgRules) {
  using Env = std::map<std::string, std::string>;
  const auto folder = [](const Env& env) {
    return app::userSeasonFolder([&env](const char* name) -> std::optional<std::string> {
      const auto it = env.find(name);
      return it == env.end() ? std::nullopt : std::optional(it->second);
    });
  };
  EXPECT_EQ(folder({{"XDG_DATA_HOME", "/x"}, {"HOME", "/h"}}),
            fs::path("/x/vnt-assistant/seasons"));
  EXPECT_EQ(folder({{"HOME", "/h"}}), fs::path("/h/.local/share/vnt-assistant/seasons"));
  // A relative or empty XDG_DATA_HOME is to be ignored.
  EXPECT_EQ(folder({{"XDG_DATA_HOME", "rel"}, {"HOME", "/h"}}),
            fs::path("/h/.local/share/vnt-assistant/seasons"));
  EXPECT_EQ(folder({{"XDG_DATA_HOME", ""}, {"HOME", "/h"}}),
            fs::path("/h/.local/share/vnt-assistant/seasons"));
  EXPECT_EQ(folder({}), fs::path());
}

TEST(CommandLineTest, TheMenuEntryPrefersThePlayersOwnSeasons) {
  const fs::path root = fs::temp_directory_path() /
                        ("vnt_season_folder_" + std::to_string(QCoreApplication::applicationPid()));
  fs::remove_all(root);
  const fs::path user = root / "user";
  const fs::path installed = root / "usr" / "share" / "vnt-assistant" / "seasons";
  fs::create_directories(user);
  fs::create_directories(installed);
  fs::create_directories(root / "usr" / "bin");

  // Files that are not season files do not count; a year out of range or a wrong suffix
  // neither.
  for (const char* other : {"notes.txt", "1971Deep.vnt", "2026BPE.vnt", "1987Deep.vnt.bak",
                            "87Deep.vnt"}) {
    writeFile(user / other, "x");
  }
  fs::create_directories(user / "1990Deep.vnt");  // a folder, not a file
  EXPECT_FALSE(app::holdsSeasonFile(user));
  EXPECT_EQ(app::desktopSeasonFolder(user, installed), installed);
  writeFile(user / "2025CPlay.vnt", "x");
  EXPECT_TRUE(app::holdsSeasonFile(user));
  EXPECT_EQ(app::desktopSeasonFolder(user, installed), user);
  EXPECT_EQ(app::desktopSeasonFolder(root / "missing", installed), installed);
  // Letter case does not matter, as when the program reads the season from the folder.
  const fs::path upper = root / "upper";
  fs::create_directories(upper);
  writeFile(upper / "1980DEEP.VNT", "x");
  EXPECT_TRUE(app::holdsSeasonFile(upper));
  EXPECT_EQ(app::desktopSeasonFolder(upper, installed), upper);
  EXPECT_EQ(app::desktopSeasonFolder(fs::path(), installed), installed);

  // The samples beside the program win over the compiled-in place, so an unpacked copy
  // finds its own.
  EXPECT_EQ(app::installedSeasonFolder(root / "usr" / "bin" / "vnt-assistant", "/fallback"),
            installed);
  EXPECT_EQ(app::installedSeasonFolder(root / "bin" / "vnt-assistant", "/fallback"),
            fs::path("/fallback"));
  EXPECT_EQ(app::installedSeasonFolder(fs::path(), "/fallback"), fs::path("/fallback"));
  fs::remove_all(root);
}

TEST(CaptionWidgetsTest, ACaptionTooLongForItsPlaceIsDrawnSmallerNotCut) {
  QWidget device;
  QFont font = device.font();
  font.setPointSize(8);
  const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
  const QString text = QStringLiteral("Stealing Adjustments");
  const int natural = QFontMetrics(font, &device).horizontalAdvance(text);
  const int lineHeight = QFontMetrics(font, &device).height();

  // Room enough: the font stays as it is.
  const QRect wide(0, 0, natural + 10, lineHeight + 2);
  EXPECT_EQ(fittingFont(font, wide, flags, text, &device), font);

  // One line's height and 90% of the width: a smaller size that fits.
  const QRect narrow(0, 0, natural * 9 / 10, lineHeight + 2);
  const QFont fitted = fittingFont(font, narrow, flags, text, &device);
  EXPECT_LT(fitted.pointSizeF(), font.pointSizeF());
  EXPECT_GE(fitted.pointSizeF(), 5.0);
  const QRect need = QFontMetrics(fitted, &device).boundingRect(narrow, flags, text);
  EXPECT_LE(need.width(), narrow.width());
  EXPECT_LE(need.height(), narrow.height());
}

// The layout check tells a label drawn smaller from one that is cut: a text with room at a
// smaller size passes only the shrunk check, one with no room at any size fails both.
TEST(CaptionWidgetsTest, ALabelCutEvenWhenDrawnSmallerIsReported) {
  FitLabel label;
  label.setWordWrap(true);
  const QString text = QStringLiteral("Days missed includes game now in progress.");
  const QFontMetrics metrics(label.font(), &label);
  label.setText(text);

  label.resize(metrics.horizontalAdvance(text) + 20, metrics.height() + 4);
  EXPECT_TRUE(captionFits(&label));
  EXPECT_TRUE(captionFits(&label, true));

  label.resize(metrics.horizontalAdvance(text) * 9 / 10, metrics.height() + 4);
  EXPECT_FALSE(captionFits(&label));
  EXPECT_TRUE(captionFits(&label, true));

  label.resize(metrics.horizontalAdvance(text) / 4, metrics.height() / 2);
  EXPECT_FALSE(captionFits(&label, true));
}

TEST(CaptionWidgetsTest, CaptionTextTurnsCarriageReturnsIntoLineBreaks) {
  EXPECT_EQ(captionText("a\rb\r\nc"), QStringLiteral("a\nb\nc"));
  // Result texts keep their ampersands: a label is no place for access keys.
  EXPECT_EQ(captionText("forced at 3rd unless H&R"), QStringLiteral("forced at 3rd unless H&R"));
}

TEST(CaptionWidgetsTest, LabelsLeaveOutOpeningBlankLinesOnly) {
  EXPECT_EQ(labelText("\r\r\r\r\rHolds\r\rRunner"), QStringLiteral("Holds\n\nRunner"));
  EXPECT_EQ(labelText("Catcher's Arm\rPitcher's Steal Rating"),
            QStringLiteral("Catcher's Arm\nPitcher's Steal Rating"));
  EXPECT_EQ(labelText("\r\r"), QString());
  EXPECT_EQ(labelText(""), QString());
}

TEST(QtDialogsTest, RepaintsFirstAndNamesTheApplicationWhenNoTitleIsGiven) {
  QWidget parent;
  QtDialogs dialogs;
  int syncs = 0;
  dialogs.attach(&parent, [&] { ++syncs; });

  int syncsWhileShown = -1;
  {
    BoxAnswerer answerer(QMessageBox::Ok, [&] { syncsWhileShown = syncs; });
    dialogs.ok("Cannot read 2015Deep.vnt", "");
    ASSERT_TRUE(answerer.answered());
    EXPECT_EQ(syncsWhileShown, 1);
    EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("VNT Assistant"));
    EXPECT_EQ(answerer.seen()[0].text, QStringLiteral("Cannot read 2015Deep.vnt"));
    EXPECT_EQ(answerer.seen()[0].icon, QMessageBox::NoIcon);
  }
  {
    BoxAnswerer answerer(QMessageBox::Yes);
    EXPECT_TRUE(dialogs.yesNo("Really?", "Question"));
    EXPECT_EQ(answerer.seen().at(0).title, QStringLiteral("Question"));
  }
  {
    BoxAnswerer answerer(QMessageBox::No);
    EXPECT_FALSE(dialogs.yesNo("Really?", "Question"));
  }
  EXPECT_EQ(syncs, 3);
}

}  // namespace
}  // namespace vnt

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
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
