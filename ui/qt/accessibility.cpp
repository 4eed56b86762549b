#include "ui/qt/accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeySequence>
#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <utility>

#include "shell/accessibility_rules.h"
#include "shell/control.h"
#include "ui/qt/caption_widgets.h"

namespace vnt {
namespace {

constexpr const char* kControlProperty = "vntControl";

QAccessible::Role qtRole(AccessibleRole role) {
  switch (role) {
    case AccessibleRole::Button:
      return QAccessible::PushButton;
    case AccessibleRole::CheckBox:
      return QAccessible::CheckBox;
    case AccessibleRole::RadioButton:
      return QAccessible::RadioButton;
    case AccessibleRole::Group:
      return QAccessible::Grouping;
    case AccessibleRole::Text:
      return QAccessible::StaticText;
    case AccessibleRole::List:
      return QAccessible::List;
    case AccessibleRole::Image:
      return QAccessible::Graphic;
  }
  return QAccessible::StaticText;
}

const Control* controlOf(const QWidget* widget) {
  return reinterpret_cast<const Control*>(widget->property(kControlProperty).value<quintptr>());
}

class ModelButtonAccessible final : public QAccessibleWidget {
 public:
  ModelButtonAccessible(QAbstractButton* button, ControlKind kind)
      : QAccessibleWidget(button, qtRole(accessibleRole(kind))) {}

  QString text(QAccessible::Text type) const override {
    switch (type) {
      case QAccessible::Name: {
        const QString name = widget()->accessibleName();
        if (!name.isEmpty()) return name;
        const std::string shown = button()->text().toStdString();
        const Control* control = controlOf(widget());
        return QString::fromStdString(control ? vnt::accessibleName(*control, shown)
                                              : withoutAccessKey(shown));
      }
      case QAccessible::Accelerator: {
        const QKeySequence key = QKeySequence::mnemonic(button()->text());
        return key.isEmpty() ? QString() : key.toString(QKeySequence::NativeText);
      }
      default:
        return QAccessibleWidget::text(type);
    }
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = button()->isChecked();
    return state;
  }

  QStringList actionNames() const override {
    return QStringList{toggleAction(), pressAction()} + QAccessibleWidget::actionNames();
  }

  void doAction(const QString& action) override {
    if (action == toggleAction() || action == pressAction()) {
      // A real click: the window hands it to the model, which decides what is checked.
      if (button()->isEnabled() && button()->isVisible()) button()->click();
      return;
    }
    QAccessibleWidget::doAction(action);
  }

  QStringList keyBindingsForAction(const QString& action) const override {
    if (action == toggleAction() || action == pressAction()) {
      const QKeySequence key = QKeySequence::mnemonic(button()->text());
      if (!key.isEmpty()) return {key.toString(QKeySequence::NativeText)};
      return {};
    }
    return QAccessibleWidget::keyBindingsForAction(action);
  }

 private:
  QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }
};

QAccessibleInterface* accessibleButtonFactory(const QString&, QObject* object) {
  if (auto* option = dynamic_cast<WrapRadioButton*>(object)) {
    return new ModelButtonAccessible(option, ControlKind::Option);
  }
  if (auto* box = dynamic_cast<WrapCheckBox*>(object)) {
    return new ModelButtonAccessible(box, ControlKind::CheckBox);
  }
  return nullptr;
}

}  // namespace

namespace {

AccessibleEventWatcher& watcher() {
  static AccessibleEventWatcher current;
  return current;
}

}  // namespace

void setAccessibleEventWatcher(AccessibleEventWatcher w) {
  watcher() = std::move(w);
}

bool accessibleEventsWanted() {
  return QAccessible::isActive() || watcher();
}

void sendAccessibleEvent(QAccessibleEvent* event) {
  if (watcher()) watcher()(event);
  QAccessible::updateAccessibility(event);
}

void setAccessibleNameAnnounced(QWidget* widget, const QString& name) {
  widget->setAccessibleName(name);  // sends NameChanged itself
  if (watcher()) {
    QAccessibleEvent changed(widget, QAccessible::NameChanged);
    watcher()(&changed);
  }
}

void setAccessibleControl(QWidget* widget, const Control& control) {
  widget->setProperty(kControlProperty, QVariant::fromValue(reinterpret_cast<quintptr>(&control)));
}

void installAccessibleButtons() {
  static const bool installed = [] {
    QAccessible::installFactory(accessibleButtonFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace vnt
