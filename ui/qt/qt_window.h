#pragma once

#include <QFont>
#include <QSize>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "shell/form2.h"

class QCloseEvent;
class QListWidget;

namespace vnt {

// The one window: a widget per control of the model, placed where the model says. The
// model is the only state; after each click every widget is repainted from it.
class QtWindow final : public QWidget {
 public:
  explicit QtWindow(Form2& form, QWidget* parent = nullptr);

  // Brings every widget, and the window title, into line with the model.
  void sync();
  // Runs after every sync, for views that follow the model (the odds window).
  void onSynced(std::function<void()> listener) { syncListeners_.push_back(std::move(listener)); }

  // A player's click on a control: the model's click, then a full repaint; when the
  // program has ended, the window closes and the application quits.
  void click(Control& control);

  // The widget that shows a control, or null for a control the window does not know.
  QWidget* widget(const Control& control) const;

  Form2& form() { return form_; }

  // The client area, in pixels at 96 dpi (the model's twips / 15).
  static QSize clientSize();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // The caption a widget was last given and what it was made from: most syncs change few
  // captions, and converting and measuring every one each time was most of a click's cost.
  struct ShownCaption {
    std::string source;
    bool literal = false;
    QSize size;
    QFont font;
    QString text;
    bool valid = false;
  };
  struct Binding {
    Control* control;
    QWidget* widget;
    std::shared_ptr<ShownCaption> shown = std::make_shared<ShownCaption>();
  };
  static const QString& shownCaption(const Binding& binding);

  QWidget* build(Control& control, QWidget* parent);
  // Everything but taking a widget away (hiding, disabling), which comes last so the
  // focus can move to a sensible control first.
  void syncOne(const Binding& binding);
  void syncList(QListWidget* list, const Control& control);
  // Tab follows the model's order (shell/focus_rules.h).
  void updateTabOrder();

  const Binding* binding(const QWidget* widget) const;

  Form2& form_;
  std::vector<Binding> bindings_;
  std::unordered_map<const Control*, QWidget*> widgetOf_;  // the same bindings, by control
  std::vector<std::function<void()>> syncListeners_;
  std::vector<QWidget*> tabOrder_;
};

}  // namespace vnt
