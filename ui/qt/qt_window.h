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
class QMoveEvent;
class QResizeEvent;

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

  // The zoom asked for, in percent (Ctrl+Plus, Ctrl+Minus, Ctrl+0, a dragged edge), and the
  // scale the window is drawn at: the zoom, made smaller where the screen has no room.
  int zoom() const { return zoom_; }
  double scale() const { return scale_; }
  // Draws the whole window at `percent` (clamped to the range), as large as the screen's
  // free area allows, and resizes it to match.
  void setZoom(int percent);
  // Runs when the zoom changes, for what remembers it.
  void onZoomed(std::function<void(int)> listener) {
    zoomListeners_.push_back(std::move(listener));
  }
  // Runs as the window closes, while the windows beside it are still as the player left them.
  void onClosing(std::function<void()> listener) { closeListeners_.push_back(std::move(listener)); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // The window manager's frame is known only once it has taken the window; a frame that
  // leaves no room for the window fits it again.
  void moveEvent(QMoveEvent* event) override;

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
  // Places and sizes every widget, font and style metric for `scale`.
  void applyScale(double scale);
  QRect placed(const Control& control) const;

  Form2& form_;
  std::vector<Binding> bindings_;
  std::unordered_map<const Control*, QWidget*> widgetOf_;  // the same bindings, by control
  std::vector<std::function<void()>> syncListeners_;
  std::vector<QWidget*> tabOrder_;
  std::vector<std::function<void(int)>> zoomListeners_;
  std::vector<std::function<void()>> closeListeners_;
  int zoom_ = 100;
  double scale_ = 1.0;
  QFont baseFont_;
  class ZoomStyle* zoomStyle_ = nullptr;  // only once the window has been drawn at another scale
  bool resizing_ = false;                 // the window resizing itself, not the player
  QSize fittedFrame_;                     // the frame the last fit made room for
};

}  // namespace vnt
