#include "ui/qt/caption_widgets.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QVariant>
#include <algorithm>
#include <cmath>

#include "shell/caption_fit.h"
#include "ui/qt/text_fit.h"

namespace vnt {
namespace {

int mnemonicFlag(const QWidget* widget, const QStyleOption& option) {
  return widget->style()->styleHint(QStyle::SH_UnderlineShortcut, &option, widget)
             ? Qt::TextShowMnemonic
             : Qt::TextHideMnemonic;
}

QRect indicatorRect(const QAbstractButton* button, const QStyleOptionButton& option, bool radio) {
  return button->style()->subElementRect(
      radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &option, button);
}

// The room for the caption of a check box or option: beside the indicator.
QRect indicatorTextRect(const QAbstractButton* button, const QStyleOptionButton& option,
                        bool radio) {
  const int spacing = button->style()->pixelMetric(
      radio ? QStyle::PM_RadioButtonLabelSpacing : QStyle::PM_CheckBoxLabelSpacing, &option,
      button);
  QRect textRect = option.rect;
  textRect.setLeft(indicatorRect(button, option, radio).right() + 1 + spacing);
  return textRect;
}

int indicatorTextFlags(const QAbstractButton* button, const QStyleOption& option) {
  return Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | mnemonicFlag(button, option);
}

// The indicator on the left, the caption wrapped in the room beside it.
void paintIndicatorButton(QAbstractButton* button, const QStyleOptionButton& option, bool radio) {
  QStylePainter painter(button);
  QStyleOptionButton indicator = option;
  indicator.rect = indicatorRect(button, option, radio);
  painter.drawPrimitive(radio ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox,
                        indicator);

  const QRect textRect = indicatorTextRect(button, option, radio);
  const int flags = indicatorTextFlags(button, option);
  const FittedText fitted = fitText(button->font(), textRect, flags, option.text, button);
  painter.setFont(fitted.font);
  painter.drawItemText(textRect, flags, option.palette, button->isEnabled(), fitted.text,
                       QPalette::WindowText);

  if (button->hasFocus() && !fitted.text.isEmpty()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(button);
    focus.rect = painter.fontMetrics()
                     .boundingRect(textRect, flags, fitted.text)
                     .adjusted(-1, 0, 1, 0)
                     .intersected(button->rect());
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

}  // namespace

QFont fittingFont(const QFont& font, const QRect& room, int flags, const QString& text,
                  const QPaintDevice* device) {
  if (font.pointSizeF() <= 0 || text.isEmpty() || room.isEmpty()) return font;
  QtTextMeasurer measurer(font, device, flags, room.topLeft());
  return measurer.font(
      fittingSize(text.toStdString(), font.pointSizeF(), placeFor(room, flags), measurer));
}

QString captionText(const std::string& caption) {
  return QString::fromStdString(captionLines(caption));
}

QString labelText(const std::string& caption) {
  return QString::fromStdString(labelLines(caption));
}

void WrapButton::setTextColor(std::optional<QColor> color) {
  if (textColor_ == color) return;
  textColor_ = color;
  update();
}

void WrapButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  painter.drawControl(QStyle::CE_PushButtonBevel, option);

  QRect textRect = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  if (option.state & (QStyle::State_On | QStyle::State_Sunken)) {
    textRect.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                       style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
  }
  const int flags = Qt::AlignCenter | Qt::TextWordWrap | mnemonicFlag(this, option);
  const FittedText fitted = fitText(font(), textRect, flags, option.text, this);
  painter.setFont(fitted.font);
  QPalette palette = option.palette;
  if (textColor_ && isEnabled()) palette.setColor(QPalette::ButtonText, *textColor_);
  painter.drawItemText(textRect, flags, palette, isEnabled(), fitted.text, QPalette::ButtonText);
}

bool WrapButton::hitButton(const QPoint& pos) const {
  return rect().contains(pos);
}

void WrapButton::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && !event->isAutoRepeat()) {
    animateClick();
    return;
  }
  QPushButton::keyPressEvent(event);
}

void WrapCheckBox::paintEvent(QPaintEvent*) {
  QStyleOptionButton option;
  initStyleOption(&option);
  paintIndicatorButton(this, option, false);
}

bool WrapCheckBox::hitButton(const QPoint& pos) const {
  return rect().contains(pos);
}

void WrapRadioButton::paintEvent(QPaintEvent*) {
  QStyleOptionButton option;
  initStyleOption(&option);
  paintIndicatorButton(this, option, true);
}

bool WrapRadioButton::hitButton(const QPoint& pos) const {
  return rect().contains(pos);
}

void FitLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  drawFrame(&painter);
  QRect room = contentsRect();
  // As QLabel does: a framed label keeps its text half an "x" off the frame.
  const int indent = frameWidth() > 0 ? fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 : 0;
  room.adjust(margin(), margin(), -margin(), -margin());
  room.adjust(indent, 0, -indent, 0);
  const int flags = static_cast<int>(alignment()) | Qt::TextWordWrap;
  const FittedText fitted = fitText(font(), room, flags, text(), this);
  painter.setFont(fitted.font);
  style()->drawItemText(&painter, room, flags, palette(), isEnabled(), fitted.text,
                        foregroundRole());
}

namespace {

constexpr int kTitleIndent = 6;

QRect titleRoom(const QGroupBox* box) {
  // The indent grows and shrinks with a zoomed window, as everything else in it does.
  const QVariant zoomed = box->window()->property("vntScale");
  const double scale = zoomed.isValid() ? zoomed.toDouble() : 1.0;
  if (scale == 1.0) {
    return {kTitleIndent, 0, std::max(0, box->width() - 2 * kTitleIndent - 4), 1 << 10};
  }
  const int indent = static_cast<int>(std::lround(kTitleIndent * scale));
  const int border = static_cast<int>(std::lround(4 * scale));
  return {indent, 0, std::max(0, box->width() - 2 * indent - border), 1 << 10};
}

}  // namespace

void FitGroupBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QStyleOption option;
  option.initFrom(this);
  const int flags = Qt::TextSingleLine | mnemonicFlag(this, option);
  const QRect room = titleRoom(this);
  const FittedText fittedText = fitText(font(), room, flags, title(), this);
  const QString& text = fittedText.text;
  const QFont& fitted = fittedText.font;
  const QFontMetrics metrics(fitted, this);

  // An etched border that runs through the middle of the title, so the contents, placed
  // just below the title, stand clear inside it.
  const int top = text.isEmpty() ? 0 : metrics.height() / 2;
  const QRect border(0, top, width() - 2, height() - top - 2);
  painter.setPen(option.palette.color(QPalette::Light));
  painter.drawRect(border.translated(1, 1));
  painter.setPen(option.palette.color(QPalette::Mid));
  painter.drawRect(border);

  if (text.isEmpty()) return;
  painter.setFont(fitted);
  const QRect titleRect =
      metrics.boundingRect(room, flags | Qt::AlignLeft | Qt::AlignTop, text).adjusted(-2, 0, 2, 0);
  painter.fillRect(titleRect, option.palette.window());
  style()->drawItemText(&painter, titleRect, flags | Qt::AlignCenter, option.palette, isEnabled(),
                        text, QPalette::WindowText);
}

}  // namespace vnt

namespace vnt {

bool captionFits(const QWidget* widget, bool shrunk) {
  const auto fitsAtFullSize = [widget, shrunk](const QRect& room, int flags, const QString& text) {
    if (text.isEmpty()) return true;
    const QFont font =
        shrunk ? fittingFont(widget->font(), room, flags, text, widget) : widget->font();
    const QRect need =
        QFontMetrics(font, widget)
            .boundingRect(QRect(room.left(), room.top(), room.width(), 1 << 20), flags, text);
    return need.width() <= room.width() && need.height() <= room.height();
  };
  QStyleOptionButton option;
  option.initFrom(widget);
  if (const auto* button = dynamic_cast<const WrapButton*>(widget)) {
    option.text = button->text();
    const QRect room =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    return fitsAtFullSize(room, Qt::AlignCenter | Qt::TextWordWrap | mnemonicFlag(button, option),
                          option.text);
  }
  if (const auto* box = dynamic_cast<const QAbstractButton*>(widget)) {
    const bool radio = dynamic_cast<const WrapRadioButton*>(widget) != nullptr;
    option.text = box->text();
    return fitsAtFullSize(indicatorTextRect(box, option, radio), indicatorTextFlags(box, option),
                          option.text);
  }
  if (const auto* frame = dynamic_cast<const FitGroupBox*>(widget)) {
    return fitsAtFullSize(titleRoom(frame), Qt::TextSingleLine | mnemonicFlag(frame, option),
                          frame->title());
  }
  if (const auto* label = dynamic_cast<const FitLabel*>(widget)) {
    QRect room = label->contentsRect();
    const int indent =
        label->frameWidth() > 0 ? label->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 : 0;
    room.adjust(label->margin() + indent, label->margin(), -label->margin() - indent,
                -label->margin());
    return fitsAtFullSize(room, static_cast<int>(label->alignment()) | Qt::TextWordWrap,
                          label->text());
  }
  return true;
}

}  // namespace vnt
