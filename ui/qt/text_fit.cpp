#include "ui/qt/text_fit.h"

#include <QFontMetrics>
#include <QStringList>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "shell/control.h"
#include "ui/qt/caption_widgets.h"

namespace vnt {
namespace {

const QString kEllipsis = QStringLiteral("\u2026");

// The first `count` characters, not splitting a surrogate pair.
QString beginning(const QString& text, qsizetype count) {
  if (count > 0 && count < text.size() && text[count - 1].isHighSurrogate()) --count;
  return text.left(count);
}

// The last `count` characters, not splitting a surrogate pair.
QString ending(const QString& text, qsizetype count) {
  if (count > 0 && count < text.size() && text[text.size() - count].isLowSurrogate()) --count;
  return text.right(count);
}

}  // namespace

struct QtTextMeasurer::Sized {
  double points;
  QFont font;
  QFontMetrics metrics;
};

QtTextMeasurer::QtTextMeasurer(QFont font, const QPaintDevice* device, int flags, QPoint origin)
    : font_(std::move(font)), device_(device), flags_(flags), origin_(origin) {}

QtTextMeasurer::~QtTextMeasurer() = default;

QFont QtTextMeasurer::font(double points) const {
  if (points <= 0) return font_;
  QFont sized = font_;
  sized.setPointSizeF(points);
  return sized;
}

const QFontMetrics& QtTextMeasurer::metrics(double points) {
  for (const auto& sized : sizes_) {
    if (sized->points == points) return sized->metrics;
  }
  QFont sized = font(points);
  QFontMetrics metrics(sized, device_);
  sizes_.push_back(std::make_unique<Sized>(Sized{points, std::move(sized), std::move(metrics)}));
  return sizes_.back()->metrics;
}

TextExtent QtTextMeasurer::extent(std::string_view text, double points, const CaptionPlace& place) {
  if (text != lastText_) {
    lastText_.assign(text);
    lastQText_ = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  }
  const QRect need = metrics(points).boundingRect(
      QRect(origin_.x(), origin_.y(), place.width, 1 << 20), flags_, lastQText_);
  return {need.width(), need.height()};
}

int QtTextMeasurer::lineSpacing(double points) {
  return metrics(points).lineSpacing();
}

CaptionPlace placeFor(const QRect& room, int flags) {
  return {room.width(), room.height(), (flags & Qt::TextSingleLine) != 0,
          (flags & (Qt::TextShowMnemonic | Qt::TextHideMnemonic)) != 0};
}

QString widgetCaption(const Control& control, const QWidget* widget, TextMeasurer& measurer) {
  // The widget's whole area, on as many lines as it holds.
  const CaptionPlace place{widget->width(), widget->height(), false, false};
  return QString::fromStdString(
      widgetCaption(control, place, widget->font().pointSizeF(), measurer));
}

QString widgetCaption(const Control& control, const QWidget* widget) {
  QtTextMeasurer measurer(widget->font(), widget);
  return widgetCaption(control, widget, measurer);
}

FittedText fitText(const QFont& font, const QRect& room, int flags, const QString& text,
                   const QPaintDevice* device) {
  QtTextMeasurer measurer(font, device, flags, room.topLeft());
  const FittedCaption fitted =
      fitCaption(text.toStdString(), font.pointSizeF(), placeFor(room, flags), measurer);
  // A text that is not fitted keeps the font as given.
  const bool kept = font.pointSizeF() <= 0 || text.isEmpty() || room.isEmpty();
  return {kept ? font : measurer.font(fitted.points), QString::fromStdString(fitted.text)};
}

QString messageText(const std::string& prompt, const QFont& font, QSize screen) {
  const QFontMetrics metrics(font);
  // Three quarters of the screen either way leaves room for the box's frame and buttons;
  // the widest letter stands for every letter.
  const qsizetype perLine = std::max<qsizetype>(
      20, screen.width() * 3 / 4 / std::max(1, metrics.horizontalAdvance(QLatin1Char('W'))));
  const qsizetype lines =
      std::max<qsizetype>(3, screen.height() * 3 / 4 / std::max(1, metrics.lineSpacing()));
  // Both ends stay: a message names its subject first and its file last.
  const auto bothEnds = [](const QString& text, qsizetype size) {
    return text.size() <= size
               ? text
               : beginning(text, size / 2) + kEllipsis + ending(text, size - size / 2 - 1);
  };

  QStringList kept;
  const QStringList all = captionText(prompt).split(QLatin1Char('\n'));
  for (const QString& line : all) {
    if (kept.size() == lines - 1 && all.size() > lines) {
      kept << kEllipsis;
      break;
    }
    // The box wraps lines at blanks; a word longer than a line would widen it instead.
    QStringList words = line.split(QLatin1Char(' '));
    for (QString& word : words) word = bothEnds(word, perLine);
    kept << words.join(QLatin1Char(' '));
  }
  return bothEnds(kept.join(QLatin1Char('\n')), perLine * lines);
}

}  // namespace vnt
