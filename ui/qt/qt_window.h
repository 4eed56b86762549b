#pragma once

#include <QFont>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "shell/form2.h"
#include "ui/qt/text_fit.h"

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
  // A control font's QFont and its measures at every size, built once: building them for
  // each widget at each sync was a good part of a click's cost.
  struct Fonts {
    explicit Fonts(const QFont& font, const QWidget* device) : font(font), measurer(font, device) {}
    QFont font;
    QtTextMeasurer measurer;
  };
  // The caption a widget was last given and what it was made from: most syncs change few
  // captions, and converting and measuring every one each time was most of a click's cost.
  struct ShownCaption {
    std::string source;
    bool literal = false;
    QSize size;
    const Fonts* fonts = nullptr;
    QString text;
    bool valid = false;
  };
  struct Binding {
    Binding(Control* control, QWidget* widget) : control(control), widget(widget) {}
    Control* control;
    QWidget* widget;
    Fonts* fonts = nullptr;  // the font the widget was last given
    // Where the widget was last placed; most syncs move nothing.
    Twips placedAt;
    bool placed = false;
    ShownCaption shown;
  };
  const QString& shownCaption(Binding& binding);
  Fonts& fontsFor(const Font& font);

  QWidget* build(Control& control, QWidget* parent);
  // Everything but taking a widget away (hiding, disabling), which comes last so the
  // focus can move to a sensible control first.
  void syncOne(Binding& binding);
  void syncList(QListWidget* list, const Control& control);
  // Tab follows the model's order (shell/focus_rules.h).
  void updateTabOrder();

  const Binding* binding(const QWidget* widget) const;

  Form2& form_;
  std::vector<Binding> bindings_;
  std::unordered_map<const Control*, QWidget*> widgetOf_;  // the same bindings, by control
  std::vector<std::function<void()>> syncListeners_;
  std::vector<QWidget*> tabOrder_;
  QPixmap logo_;
  // The Tab order follows the controls' places, so it changes only when one moves.
  bool moved_ = true;
  // By point size and boldness, for the window's font as it was when they were made.
  std::map<std::pair<int, bool>, Fonts> fonts_;
  QFont fontsBase_;
};

}  // namespace vnt
