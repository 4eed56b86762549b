#include "ui/qt/text_fit.h"

#include <QFontMetrics>
#include <QStringList>
#include <QWidget>
#include <algorithm>

#include "shell/control.h"
#include "ui/qt/caption_widgets.h"

namespace vnt {
namespace {

const QString kEllipsis = QStringLiteral("\u2026");

// The smallest size fittingFont goes down to.
QFont floorFont(const QFont& font) {
  QFont floor = font;
  if (font.pointSizeF() > 0) floor.setPointSizeF(std::max<qreal>(5.0, font.pointSizeF() * 0.7));
  return floor;
}

// More characters than `room` could show in `font` at its floor size, even were each one
// pixel wide: anything past this is never seen, so it need never be laid out.
qsizetype visibleLimit(const QFont& font, QSize room, const QPaintDevice* device,
                       bool singleLine = false) {
  const int lineSpacing = std::max(1, QFontMetrics(floorFont(font), device).lineSpacing());
  const qsizetype lines = singleLine ? 1 : std::max(1, room.height() / lineSpacing + 1);
  return (std::max(0, room.width()) + 1) * lines;
}

// The least visibleLimit can be, whatever the font: one line of one-pixel characters. A
// caption no longer than this is never cut, so it needs no font measured for it.
qsizetype leastVisibleLimit(QSize room) {
  return std::max(0, room.width()) + 1;
}

bool fits(const QFont& font, const QRect& room, int flags, const QString& text,
          const QPaintDevice* device) {
  const QRect need =
      QFontMetrics(font, device)
          .boundingRect(QRect(room.left(), room.top(), room.width(), 1 << 20), flags, text);
  return need.width() <= room.width() && need.height() <= room.height();
}

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

QString widgetCaption(const Control& control, const QWidget* widget) {
  // Each byte is at most one character, so a caption of no more bytes than the least limit
  // stays whole.
  const qsizetype limit =
      control.caption.size() <= static_cast<std::size_t>(leastVisibleLimit(widget->size()))
          ? leastVisibleLimit(widget->size())
          : visibleLimit(widget->font(), widget->size(), widget);
  // Each character takes at most four bytes: converting more would be wasted work.
  std::string_view caption = control.caption;
  bool cut = false;
  if (caption.size() > static_cast<std::size_t>(limit) * 4) {
    std::size_t end = static_cast<std::size_t>(limit) * 4;
    while (end > 0 && (static_cast<unsigned char>(caption[end]) & 0xC0) == 0x80) --end;
    caption = caption.substr(0, end);
    cut = true;
  }
  QString text = captionText(std::string(caption));
  if (text.size() > limit) {
    text = beginning(text, limit);
    cut = true;
  }
  if (cut) text += kEllipsis;
  if (control.literalCaption) text.replace(QLatin1Char('&'), QStringLiteral("&&"));
  return text;
}

FittedText fitText(const QFont& font, const QRect& room, int flags, const QString& text,
                   const QPaintDevice* device) {
  QString shown = text;
  const qsizetype limit =
      shown.size() <= leastVisibleLimit(room.size())
          ? leastVisibleLimit(room.size())
          : visibleLimit(font, room.size(), device, (flags & Qt::TextSingleLine) != 0);
  if (shown.size() > limit) shown = beginning(shown, limit) + kEllipsis;
  const QFont fitted = fittingFont(font, room, flags, shown, device);
  // fittingFont keeps the size when the text fits; at a smaller size it may still not.
  if (fitted.pointSizeF() >= font.pointSizeF() || shown.isEmpty() ||
      fits(fitted, room, flags, shown, device)) {
    return {fitted, shown};
  }
  // The longest beginning that fits with the ellipsis after it.
  qsizetype low = 0;
  qsizetype high = shown.size();
  while (low < high) {
    const qsizetype mid = (low + high + 1) / 2;
    if (fits(fitted, room, flags, beginning(shown, mid) + kEllipsis, device)) {
      low = mid;
    } else {
      high = mid - 1;
    }
  }
  return {fitted, beginning(shown, low) + kEllipsis};
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
