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
class QMenu;
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
  // The window's right-click menu: each tool that takes part adds its entries, in the order
  // they were attached; with none, the window has no menu.
  void addMenuEntries(std::function<void(QMenu&)> add);

  // Runs as the window closes, while the windows beside it are still as the player left them.
  void onClosing(std::function<void()> listener) { closeListeners_.push_back(std::move(listener)); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // The window manager's frame is known only once it has taken the window; a frame that
  // leaves no room for the window fits it again.
  void moveEvent(QMoveEvent* event) override;

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
    std::string description;  // the tooltip last given: why a season is not offered
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
  // Places and sizes every widget, font and style metric for `scale`.
  void applyScale(double scale);
  QRect placed(const Control& control) const;

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
  std::vector<std::function<void(int)>> zoomListeners_;
  std::vector<std::function<void()>> closeListeners_;
  std::vector<std::function<void(QMenu&)>> menuEntries_;
  int zoom_ = 100;
  double scale_ = 1.0;
  QFont baseFont_;
  class ZoomStyle* zoomStyle_ = nullptr;  // only once the window has been drawn at another scale
  bool resizing_ = false;                 // the window resizing itself, not the player
  QSize fittedFrame_;                     // the frame the last fit made room for
};

}  // namespace vnt
