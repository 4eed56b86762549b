// What a screen reader is told of the window: names, roles, and each new roll announced.

#include "shell/accessibility_rules.h"
#include "tests/qt/qt_window_test_support.h"

namespace vnt {
namespace {

using namespace qt_testing;

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
      EXPECT_EQ(iface->role(), roles.at(accessibleRole(c->kind)))
          << screen << ": " << c->displayName();
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

}  // namespace
}  // namespace vnt
