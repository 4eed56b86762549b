#include "ui/qt/accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeySequence>
#include <QStringList>
#include <QWidget>
#include <utility>

#include "ui/qt/caption_widgets.h"

namespace vnt {
namespace {

// "E&xit" as it is read out: "Exit" ("&&" stands for one ampersand).
QString withoutAccessKey(const QString& text) {
  QString plain;
  plain.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('&') && i + 1 < text.size()) ++i;
    plain += text[i];
  }
  return plain;
}

class ModelButtonAccessible final : public QAccessibleWidget {
 public:
  ModelButtonAccessible(QAbstractButton* button, QAccessible::Role role)
      : QAccessibleWidget(button, role) {}

  QString text(QAccessible::Text type) const override {
    switch (type) {
      case QAccessible::Name: {
        const QString name = widget()->accessibleName();
        return name.isEmpty() ? withoutAccessKey(button()->text()) : name;
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
    return new ModelButtonAccessible(option, QAccessible::RadioButton);
  }
  if (auto* box = dynamic_cast<WrapCheckBox*>(object)) {
    return new ModelButtonAccessible(box, QAccessible::CheckBox);
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

void installAccessibleButtons() {
  static const bool installed = [] {
    QAccessible::installFactory(accessibleButtonFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace vnt
