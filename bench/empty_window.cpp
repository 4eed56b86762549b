// The baseline for the start-up benchmark: a plain Qt window holding the same widgets as
// the program's window (kind, frame, place and caption), showing the same start-up screen,
// with no model, no season files and no drawing of its own behind them. Quits once painted.

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <map>
#include <set>
#include <string>

#include "app/quit_when_shown.h"
#include "shell/form2.h"

namespace {

class NoDice final : public vnt::Dice {
 public:
  std::int16_t RandomNumber(std::int16_t, std::int16_t lower) override { return lower; }
};

class NoDialogs final : public vnt::Dialogs {
 public:
  void ok(const std::string&, const std::string&) override {}
  bool yesNo(const std::string&, const std::string&) override { return false; }
};

QWidget* make(const vnt::Control& control, QWidget* parent) {
  const QString caption = QString::fromStdString(control.caption);
  switch (control.kind) {
    case vnt::ControlKind::Button: return new QPushButton(caption, parent);
    case vnt::ControlKind::CheckBox: return new QCheckBox(caption, parent);
    case vnt::ControlKind::Option: return new QRadioButton(caption, parent);
    case vnt::ControlKind::Frame: return new QGroupBox(caption, parent);
    case vnt::ControlKind::ListBox: return new QListWidget(parent);
    case vnt::ControlKind::Label:
    case vnt::ControlKind::Image: return new QLabel(caption, parent);
  }
  return new QWidget(parent);
}

// The start-up screen: the status line and the season choice.
bool shownAtStart(const vnt::Control& c) {
  static const std::set<std::string> names = {"Label1", "fraSeasons", "cmdYear", "cmdExit", "optYear"};
  return names.count(c.name) > 0;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  NoDice dice;
  NoDialogs dialogs;
  const vnt::Form2 model(dice, dialogs);  // only counted, never loaded

  QWidget window;
  window.resize(562, 582);
  std::map<const vnt::Control*, QWidget*> widgets;
  for (const vnt::Control* control : model.controls()) {
    QWidget* parent = control->container ? widgets.at(control->container) : &window;
    QWidget* widget = make(*control, parent);
    const vnt::Twips& at = control->layout;
    widget->setGeometry(at.left / 15, at.top / 15, at.width / 15, at.height / 15);
    widget->setVisible(shownAtStart(*control));
    widgets[control] = widget;
  }
  QuitWhenShown quit;
  window.installEventFilter(&quit);
  window.show();
  return QApplication::exec();
}
