// Captions drawn smaller rather than cut, their line breaks, and the message boxes.

#include "tests/qt/qt_window_test_support.h"

namespace vnt {
namespace {

using namespace qt_testing;

TEST(CaptionWidgetsTest, ACaptionTooLongForItsPlaceIsDrawnSmallerNotCut) {
  QWidget device;
  QFont font = device.font();
  font.setPointSize(8);
  const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
  const QString text = QStringLiteral("Stealing Adjustments");
  const int natural = QFontMetrics(font, &device).horizontalAdvance(text);
  const int lineHeight = QFontMetrics(font, &device).height();

  // Room enough: the font stays as it is.
  const QRect wide(0, 0, natural + 10, lineHeight + 2);
  EXPECT_EQ(fittingFont(font, wide, flags, text, &device), font);

  // One line's height and 90% of the width: a smaller size that fits.
  const QRect narrow(0, 0, natural * 9 / 10, lineHeight + 2);
  const QFont fitted = fittingFont(font, narrow, flags, text, &device);
  EXPECT_LT(fitted.pointSizeF(), font.pointSizeF());
  EXPECT_GE(fitted.pointSizeF(), 5.0);
  const QRect need = QFontMetrics(fitted, &device).boundingRect(narrow, flags, text);
  EXPECT_LE(need.width(), narrow.width());
  EXPECT_LE(need.height(), narrow.height());
}

// The layout check tells a label drawn smaller from one that is cut: a text with room at a
// smaller size passes only the shrunk check, one with no room at any size fails both.
TEST(CaptionWidgetsTest, ALabelCutEvenWhenDrawnSmallerIsReported) {
  FitLabel label;
  label.setWordWrap(true);
  const QString text = QStringLiteral("Days missed includes game now in progress.");
  const QFontMetrics metrics(label.font(), &label);
  label.setText(text);

  label.resize(metrics.horizontalAdvance(text) + 20, metrics.height() + 4);
  EXPECT_TRUE(captionFits(&label));
  EXPECT_TRUE(captionFits(&label, true));

  label.resize(metrics.horizontalAdvance(text) * 9 / 10, metrics.height() + 4);
  EXPECT_FALSE(captionFits(&label));
  EXPECT_TRUE(captionFits(&label, true));

  label.resize(metrics.horizontalAdvance(text) / 4, metrics.height() / 2);
  EXPECT_FALSE(captionFits(&label, true));
}

TEST(CaptionWidgetsTest, CaptionTextTurnsCarriageReturnsIntoLineBreaks) {
  EXPECT_EQ(captionText("a\rb\r\nc"), QStringLiteral("a\nb\nc"));
  // Result texts keep their ampersands: a label is no place for access keys.
  EXPECT_EQ(captionText("forced at 3rd unless H&R"), QStringLiteral("forced at 3rd unless H&R"));
}

TEST(CaptionWidgetsTest, LabelsLeaveOutOpeningBlankLinesOnly) {
  EXPECT_EQ(labelText("\r\r\r\r\rHolds\r\rRunner"), QStringLiteral("Holds\n\nRunner"));
  EXPECT_EQ(labelText("Catcher's Arm\rPitcher's Steal Rating"),
            QStringLiteral("Catcher's Arm\nPitcher's Steal Rating"));
  EXPECT_EQ(labelText("\r\r"), QString());
  EXPECT_EQ(labelText(""), QString());
}

TEST(QtDialogsTest, RepaintsFirstAndNamesTheApplicationWhenNoTitleIsGiven) {
  QWidget parent;
  QtDialogs dialogs;
  int syncs = 0;
  dialogs.attach(&parent, [&] { ++syncs; });

  int syncsWhileShown = -1;
  {
    BoxAnswerer answerer(QMessageBox::Ok, [&] { syncsWhileShown = syncs; });
    dialogs.ok("Cannot read 2015Deep.vnt", "");
    ASSERT_TRUE(answerer.answered());
    EXPECT_EQ(syncsWhileShown, 1);
    EXPECT_EQ(answerer.seen()[0].title, QStringLiteral("VNT Assistant"));
    EXPECT_EQ(answerer.seen()[0].text, QStringLiteral("Cannot read 2015Deep.vnt"));
    EXPECT_EQ(answerer.seen()[0].icon, QMessageBox::NoIcon);
  }
  {
    BoxAnswerer answerer(QMessageBox::Yes);
    EXPECT_TRUE(dialogs.yesNo("Really?", "Question"));
    EXPECT_EQ(answerer.seen().at(0).title, QStringLiteral("Question"));
  }
  {
    BoxAnswerer answerer(QMessageBox::No);
    EXPECT_FALSE(dialogs.yesNo("Really?", "Question"));
  }
  EXPECT_EQ(syncs, 3);
}

}  // namespace
}  // namespace vnt
