// Captions from season files in the real widgets: names of any length and names holding
// an ampersand.

#include "ui/qt/text_fit.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeySequence>
#include <QRadioButton>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "shell/dialogs.h"
#include "shell/dice.h"
#include "shell/form2.h"
#include "tests/unit/test_support.h"
#include "ui/qt/caption_widgets.h"
#include "ui/qt/qt_window.h"

namespace vnt {
namespace {

namespace fs = std::filesystem;

const QString kEllipsis = QStringLiteral("\u2026");

class NoDialogs final : public Dialogs {
 public:
  void ok(const std::string&, const std::string&) override {}
  bool yesNo(const std::string&, const std::string&) override { return false; }
};

// A window over a season of three ballparks with the names given, showing the ballparks.
class BallparkNamesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.emplace("vnt_text_fit_");
    ASSERT_TRUE(folder_->made());
  }
  void TearDown() override {
    window_.reset();
    form_.reset();
    folder_.reset();
  }

  void showBallparks(const std::string& a, const std::string& b, const std::string& c) {
    std::ofstream deep("1972Deep.vnt", std::ios::binary);
    std::ofstream bpe("1972BPE.vnt", std::ios::binary);
    deep << "3\r\n";
    for (const auto* name : {&a, &b, &c}) {
      deep << '"' << *name << "\",1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\r\n";
      bpe << "1,1,1,1,1,1,1,1,\"" << *name << "\"\r\n";
    }
    deep << "-2249\r\n";
    bpe << "-2303\r\n";
    deep.close();
    bpe.close();
    form_ = std::make_unique<Form2>(dice_, dialogs_);
    form_->Form_Load();
    window_ = std::make_unique<QtWindow>(*form_);
    window_->click(form_->optYear[0]);
    window_->click(form_->cmdYear);
    window_->click(form_->cmdChart[0]);  // ballpark effects: the ballpark list
    ASSERT_TRUE(form_->fraBallparks.visible);
  }

  QRadioButton* ballpark(int index) {
    return qobject_cast<QRadioButton*>(window_->widget(form_->optBallpark[index]));
  }

  std::optional<testing::WorkingFolder> folder_;
  ClockDice dice_;
  NoDialogs dialogs_;
  std::unique_ptr<Form2> form_;
  std::unique_ptr<QtWindow> window_;
};

// An ampersand in a name is a character like any other: it neither vanishes nor makes the
// next letter an access key (which could take Alt+C from "&Cancel").
TEST_F(BallparkNamesTest, AnAmpersandInANameIsShownAndIsNoAccessKey) {
  showBallparks("A&M", "Cleveland & Co", "&Cancel");
  EXPECT_EQ(form_->optBallpark[0].caption, "A&M");  // the model keeps the name as read
  for (int i = 0; i < 3; ++i) {
    QRadioButton* radio = ballpark(i);
    ASSERT_NE(radio, nullptr);
    EXPECT_TRUE(QKeySequence::mnemonic(radio->text()).isEmpty()) << i;
    EXPECT_EQ(radio->shortcut(), QKeySequence()) << i;
  }
  EXPECT_EQ(ballpark(0)->text(), QStringLiteral("A&&M"));
  // The program's own captions keep their access keys.
  auto* cancel = qobject_cast<QAbstractButton*>(window_->widget(form_->cmdCancel));
  ASSERT_NE(cancel, nullptr);
  EXPECT_EQ(cancel->text(), QStringLiteral("&Cancel"));
  EXPECT_FALSE(QKeySequence::mnemonic(cancel->text()).isEmpty());
}

// A megabyte of name: the widget gets only what its place could ever show, cut with "…".
TEST_F(BallparkNamesTest, AHugeNameIsCutToItsPlace) {
  const std::string huge(1024 * 1024, 'W');
  showBallparks(huge, "Boston",
                "Montr\xC3\xA9"
                "al");
  EXPECT_EQ(form_->optBallpark[0].caption, huge);
  QRadioButton* radio = ballpark(0);
  ASSERT_NE(radio, nullptr);
  EXPECT_LT(radio->text().size(), 10000);
  EXPECT_TRUE(radio->text().endsWith(kEllipsis));
  EXPECT_EQ(ballpark(1)->text(), QStringLiteral("Boston"));
  EXPECT_EQ(ballpark(2)->text(), QStringLiteral("Montr\u00E9al"));
  (void)window_->grab();  // paints without laying out the megabyte
}

TEST(FitTextTest, ShortTextIsLeftAloneLongTextEndsInAnEllipsisThatFits) {
  QWidget device;
  QFont font = device.font();
  font.setPointSize(8);
  const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
  const QRect room(0, 0, 120, 2 * QFontMetrics(font, &device).lineSpacing());

  const FittedText shortText = fitText(font, room, flags, QStringLiteral("Boston"), &device);
  EXPECT_EQ(shortText.text, QStringLiteral("Boston"));
  EXPECT_EQ(shortText.font, font);

  for (const QString& text :
       {QString(5000, QLatin1Char('W')), QStringLiteral("Stadium ").repeated(400)}) {
    const FittedText fitted = fitText(font, room, flags, text, &device);
    EXPECT_TRUE(fitted.text.endsWith(kEllipsis));
    EXPECT_TRUE(text.startsWith(fitted.text.chopped(1)));
    EXPECT_GT(fitted.text.size(), 1);
    const QRect need = QFontMetrics(fitted.font, &device)
                           .boundingRect(QRect(0, 0, room.width(), 1 << 20), flags, fitted.text);
    EXPECT_LE(need.width(), room.width());
    EXPECT_LE(need.height(), room.height());
  }
}

TEST(MessageTextTest, APromptIsCappedToTheScreenKeepingBothEnds) {
  QWidget device;
  const QFont font = device.font();
  const QSize screen(1024, 768);
  EXPECT_EQ(messageText("Cannot read 1987Deep.vnt", font, screen),
            QStringLiteral("Cannot read 1987Deep.vnt"));
  EXPECT_EQ(messageText("line one\rline two", font, screen), QStringLiteral("line one\nline two"));

  const QString capped = messageText(
      "No record for " + std::string(1024 * 1024, 'M') + " in 1987Deep.vnt", font, screen);
  EXPECT_TRUE(capped.startsWith(QStringLiteral("No record for MMM")));
  EXPECT_TRUE(capped.endsWith(QStringLiteral("MMM in 1987Deep.vnt")));
  EXPECT_TRUE(capped.contains(kEllipsis));
  const QFontMetrics metrics(font);
  for (const QString& word : capped.split(QLatin1Char(' '))) {
    EXPECT_LE(metrics.horizontalAdvance(word), screen.width());
  }
  // A name of many words: no more text than the screen's area holds.
  const QString words =
      messageText("No record for " + QStringLiteral("Stadium ").repeated(100000).toStdString() +
                      "in 1987Deep.vnt",
                  font, screen);
  EXPECT_TRUE(words.endsWith(QStringLiteral(" in 1987Deep.vnt")));
  EXPECT_LE(
      metrics.boundingRect(QRect(0, 0, screen.width(), 1 << 20), Qt::TextWordWrap, words).height(),
      screen.height());

  std::string manyLines;
  for (int i = 0; i < 10000; ++i) manyLines += "line\r";
  const QString fewer = messageText(manyLines, font, screen);
  EXPECT_LE(fewer.count(QLatin1Char('\n')) * metrics.lineSpacing(), screen.height());
  EXPECT_TRUE(fewer.endsWith(kEllipsis));
}

}  // namespace
}  // namespace vnt
