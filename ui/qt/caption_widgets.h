#pragma once

// Widgets for the window's fixed places. A caption wraps onto more lines when it does not
// fit on one, and when even that does not fit (a wider desktop font, a long ballpark name)
// it is drawn a little smaller rather than cut off. For buttons the whole control area
// takes the click, not only the indicator and the first line of text.

#include <QCheckBox>
#include <QColor>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <optional>
#include <string>

namespace vnt {

// A model caption as Qt text: '\r' (alone or before '\n') separates lines. Labels show it
// as it stands: their texts are results such as "unless H&R", never access keys.
QString captionText(const std::string& caption);

// A label's text as drawn. Result texts may open with blank lines meant to carry them below
// the rating buttons of their frame; the window places the label below those buttons
// already, so the blank lines are left out.
QString labelText(const std::string& caption);

// The largest size of `font`, down to a floor, at which `text` laid out with `flags` fits in
// `room`.
QFont fittingFont(const QFont& font, const QRect& room, int flags, const QString& text,
                  const QPaintDevice* device);

// True when the widget's caption fits its place at the widget's own font size, without the
// shrinking the widgets fall back on; with `shrunk`, at the size it is drawn, so false means
// the text is cut. Layout checks use it.
bool captionFits(const QWidget* widget, bool shrunk = false);

class WrapButton final : public QPushButton {
 public:
  using QPushButton::QPushButton;
  // The caption's colour, or none for the style's own.
  void setTextColor(std::optional<QColor> color);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool hitButton(const QPoint& pos) const override;
  // Enter on a focused button presses it, as Space does.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::optional<QColor> textColor_;
};

class WrapCheckBox final : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool hitButton(const QPoint& pos) const override;
};

class WrapRadioButton final : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool hitButton(const QPoint& pos) const override;
};

// A plain-text label.
class FitLabel final : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

class FitGroupBox final : public QGroupBox {
 public:
  using QGroupBox::QGroupBox;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace vnt
