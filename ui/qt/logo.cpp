#include "ui/qt/logo.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace vnt {

QPixmap drawLogo(QSize size, qreal devicePixelRatio) {
  const QSize logical = size.expandedTo(QSize(1, 1));
  // Drawn in logical pixels on a pixmap with the screen's density, so it stays sharp.
  QPixmap pixmap(logical * devicePixelRatio);
  pixmap.setDevicePixelRatio(devicePixelRatio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);

  const qreal w = logical.width();
  const qreal h = logical.height();

  // Grass, with a thin dark edge.
  painter.setPen(QPen(QColor(0x1E, 0x4D, 0x2B), 1.0));
  painter.setBrush(QColor(0x2E, 0x7D, 0x32));
  painter.drawRoundedRect(QRectF(0.5, 0.5, w - 1.0, h - 1.0), 6, 6);

  // The infield dirt: a diamond standing on home plate at the bottom middle.
  const qreal cx = w * 0.29;
  const qreal half = std::min(w * 0.21, h * 0.36);
  const QPointF home(cx, h / 2 + half);
  const QPointF first(cx + half, home.y() - half);
  const QPointF second(cx, home.y() - 2.0 * half);
  const QPointF third(cx - half, home.y() - half);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0xB5, 0x83, 0x4F));
  painter.drawPolygon(QPolygonF({home, first, second, third}));

  // The infield grass inside the base paths, and the pitcher's mound.
  const qreal inset = half * 0.28;
  painter.setBrush(QColor(0x43, 0xA0, 0x47));
  painter.drawPolygon(
      QPolygonF({QPointF(cx, home.y() - inset), QPointF(first.x() - inset, first.y()),
                 QPointF(cx, second.y() + inset), QPointF(third.x() + inset, third.y())}));
  painter.setBrush(QColor(0xB5, 0x83, 0x4F));
  painter.drawEllipse(QPointF(cx, home.y() - half), half * 0.14, half * 0.14);

  // White base paths and the four bags.
  painter.setPen(QPen(Qt::white, 1.2));
  painter.setBrush(Qt::NoBrush);
  painter.drawPolygon(QPolygonF({home, first, second, third}));
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  const qreal bag = std::max<qreal>(2.0, half * 0.12);
  for (const QPointF& base : {home, first, second, third}) {
    painter.drawRect(QRectF(base.x() - bag / 2, base.y() - bag / 2, bag, bag));
  }

  // The name, on the right, in strokes rather than a font: the letters are all straight
  // lines, and loading a font of its own for them was a good part of start-up.
  const QRectF textRect(w * 0.53, 0, w * 0.42, h);
  const qreal cap = std::max<qreal>(8, std::floor(h * 0.30)) * 0.72;
  const qreal stroke = cap * 0.2;
  const qreal letter = cap * 0.78;
  const qreal gap = cap * 0.12;
  const qreal left = textRect.center().x() - (3 * letter + 2 * gap) / 2;
  const qreal top = textRect.center().y() - cap / 2;
  const qreal bottom = top + cap;
  const auto drawName = [&](const QColor& color, QPointF offset) {
    painter.setPen(QPen(color, stroke, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    const qreal in = stroke / 2;
    qreal x = left + offset.x();
    const qreal y0 = top + offset.y();
    const qreal y1 = bottom + offset.y();
    // V
    painter.drawPolyline(QPolygonF(
        {QPointF(x + in, y0), QPointF(x + letter / 2, y1 - in), QPointF(x + letter - in, y0)}));
    x += letter + gap;
    // N
    painter.drawPolyline(
        QPolygonF({QPointF(x + in, y1), QPointF(x + in, y0 + in), QPointF(x + letter - in, y1 - in),
                   QPointF(x + letter - in, y0)}));
    x += letter + gap;
    // T
    painter.drawLine(QPointF(x, y0 + in), QPointF(x + letter, y0 + in));
    painter.drawLine(QPointF(x + letter / 2, y0 + in), QPointF(x + letter / 2, y1));
  };
  drawName(QColor(0x10, 0x2A, 0x14), QPointF(1, 1));
  drawName(Qt::white, QPointF(0, 0));
  return pixmap;
}

}  // namespace vnt
