#pragma once

// Captions of any length. Ballpark names come from files and have no length limit, so
// nothing here lays out more text than a widget (or a screen, for message boxes) can show:
// a long text is cut to what its place could ever hold before any font is fitted to it.

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>
#include <string>

class QPaintDevice;
class QWidget;

namespace vnt {

struct Control;

// The caption a control's widget is given: its text as Qt text (see captionText), cut to
// what the widget's area could hold at the smallest size captions are drawn in, and with
// every '&' doubled when the caption is data rather than one of the program's own texts.
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
