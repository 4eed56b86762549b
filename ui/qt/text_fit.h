#pragma once

// Captions of any length. Ballpark names come from files and have no length limit, so
// nothing here lays out more text than a widget (or a screen, for message boxes) can show:
// a long text is cut to what its place could ever hold before any font is fitted to it.

#include <QFont>
#include <QFontMetrics>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "shell/caption_fit.h"

class QPaintDevice;
class QWidget;

namespace vnt {

// A font measured at any point size with QFontMetrics, built once for each size asked for,
// and text laid out with Qt's text `flags` from `origin` (see placeFor).
class QtTextMeasurer final : public TextMeasurer {
 public:
  explicit QtTextMeasurer(QFont font, const QPaintDevice* device = nullptr, int flags = 0,
                          QPoint origin = {});
  QtTextMeasurer(const QtTextMeasurer&) = delete;
  QtTextMeasurer& operator=(const QtTextMeasurer&) = delete;
  ~QtTextMeasurer() override;

  TextExtent extent(std::string_view text, double points, const CaptionPlace& place) override;
  int lineSpacing(double points) override;

  // The font at `points`; the font itself for 0 or less.
  QFont font(double points) const;
  const QFont& font() const { return font_; }

 private:
  struct Sized;
  const QFontMetrics& metrics(double points);

  QFont font_;
  const QPaintDevice* device_;
  int flags_;
  QPoint origin_;
  std::vector<std::unique_ptr<Sized>> sizes_;
  // The text last measured, converted once for every size it is tried at.
  std::string lastText_;
  QString lastQText_;
};

// The place a caption laid out with Qt's text `flags` has in `room`.
CaptionPlace placeFor(const QRect& room, int flags);

// The caption a control's widget is given (see vnt::widgetCaption in shell/caption_fit.h):
// cut to what the widget's area could hold at the smallest size captions are drawn in.
// `measurer` measures the widget's font.
QString widgetCaption(const Control& control, const QWidget* widget, TextMeasurer& measurer);
QString widgetCaption(const Control& control, const QWidget* widget);

// A caption as drawn in `room`: the largest font down to the fitting floor (as fittingFont
// chooses), and when even the floor does not fit, the longest beginning that does, ended
// with "…".
struct FittedText {
  QFont font;
  QString text;
};
FittedText fitText(const QFont& font, const QRect& room, int flags, const QString& text,
                   const QPaintDevice* device);

// A message box's prompt as Qt text, no larger than `screen` can show in `font`: an
// overlong line keeps its beginning and end around "…", and lines beyond what fits are
// left out after a line "…".
QString messageText(const std::string& prompt, const QFont& font, QSize screen);

}  // namespace vnt
