// Every screen as the player sees it in the real widgets: no caption needs more room than its
// widget gives it, and no two shown widgets of one frame (or of the window) overlap.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "shell/form2.h"
#include "shell/zoom.h"
#include "tests/unit/every_screen.h"
#include "tests/unit/test_support.h"
#include "tools/vnt_scenario/scenario.h"
#include "ui/qt/caption_widgets.h"
#include "ui/qt/qt_window.h"

namespace vnt {
namespace {

namespace fs = std::filesystem;

// What is wrong with the window as painted, or an empty text. Word-wrapped detail labels
// are measured at full size too unless `labels` is false: a result text may then be drawn a
// little smaller, but never cut.
std::string paintedProblems(QtWindow& window, bool labels) {
  window.sync();
  std::string problems;
  const auto add = [&problems](const std::string& problem) {
    problems += (problems.empty() ? "" : "; ") + problem;
  };
  std::vector<std::pair<const Control*, QWidget*>> visible;
  for (const Control* c : window.form().controls()) {
    if (!testing::shown(*c)) continue;
    QWidget* w = window.widget(*c);
    if (w == nullptr) continue;
    visible.emplace_back(c, w);
    const bool isLabel = c->kind == ControlKind::Label;
    if (!captionFits(w, isLabel && !labels)) {
      add("the caption of " + c->displayName() + " does not fit");
    }
  }
  for (std::size_t i = 0; i < visible.size(); ++i) {
    for (std::size_t j = i + 1; j < visible.size(); ++j) {
      QWidget* a = visible[i].second;
      QWidget* b = visible[j].second;
      if (a->parentWidget() == b->parentWidget() && a->geometry().intersects(b->geometry())) {
        add(visible[i].first->displayName() + " overlaps " + visible[j].first->displayName());
      }
    }
  }
  return problems;
}

class PaintedScreens : public ::testing::Test {
 protected:
  testing::InBundledSeasons seasons_;
};

TEST_F(PaintedScreens, EverySetUpFitsItsPlaces) {
  testing::QueuedDice dice;
  testing::FakeDialogs dialogs;
  Form2 form(dice, dialogs);
  form.Form_Load();
  QtWindow window(form);
  window.show();
  const testing::ScreenFeed feed{[&](std::int16_t v) { dice.values.push_back(v); },
                                 [&](bool yes) { dialogs.answers.push_back(yes); }};
  testing::visitEveryScreen(form, feed, [&](const std::string& screen) {
    EXPECT_EQ(paintedProblems(window, true), "") << screen;
  });
}

// What is cut off among the window's result texts as painted, or an empty text: a label
// may be drawn smaller to fit, down to the widgets' floor, but no further.
std::string cutLabels(QtWindow& window) {
  window.sync();
  std::string problems;
  for (const Control* c : window.form().controls()) {
    if (c->kind != ControlKind::Label || !testing::shown(*c)) continue;
    const auto* label = dynamic_cast<const QLabel*>(window.widget(*c));
    if (label == nullptr || label->text().isEmpty()) continue;
    QRect room = label->contentsRect();
    const int indent =
        label->frameWidth() > 0 ? label->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 : 0;
    room.adjust(label->margin() + indent, label->margin(), -label->margin() - indent,
                -label->margin());
    const int flags = static_cast<int>(label->alignment()) | Qt::TextWordWrap;
    const QFont drawn = fittingFont(label->font(), room, flags, label->text(), label);
    const QRect need = QFontMetrics(drawn, label)
                           .boundingRect(QRect(room.left(), room.top(), room.width(), 1 << 20),
                                         flags, label->text());
    if (need.width() > room.width() || need.height() > room.height()) {
      problems += (problems.empty() ? "" : "; ") + c->displayName() + " is cut off";
    }
  }
  return problems;
}

// Plays each scenario file in the real widgets and checks every screen it passes through.
void expectScenarioScreensFit(const std::vector<fs::path>& files, bool uncutLabels) {
  for (const fs::path& file : files) {
    const Form2* painted = nullptr;
    std::unique_ptr<QtWindow> window;
    const auto check = [&](const Form2& form) {
      if (&form != painted) {
        // The window only reads the model while painting; the runner keeps it const.
        window = std::make_unique<QtWindow>(const_cast<Form2&>(form));
        window->show();
        painted = &form;
      }
      const std::string problems = paintedProblems(*window, false);
      const std::string cut = uncutLabels ? cutLabels(*window) : std::string();
      return problems + (problems.empty() || cut.empty() ? "" : "; ") + cut;
    };
    const scenario::Outcome outcome = scenario::play(file.string(), check);
    EXPECT_TRUE(outcome.passed) << outcome.failure;
    window.reset();
  }
}

// The results and follow-ups the scenarios reach, painted: result texts may wrap and, when
// very long, be drawn smaller, but every button, box, option and frame caption must fit.
TEST_F(PaintedScreens, EveryScenarioScreenFitsItsPlaces) {
  expectScenarioScreensFit(testing::scenarioFiles(), false);
}

// The deep drive's outcome box holds its longest texts (Boston's catch and its single off
// the wall) uncut, and so do the other environment charts' results.
TEST_F(PaintedScreens, EnvironmentResultTextsAreNeverCut) {
  std::vector<fs::path> files;
  for (const fs::path& file : testing::scenarioFiles()) {
    const std::string chart = file.parent_path().filename().string();
    if (chart == "deep_drive" || chart == "ballpark_effects" || chart == "crazy_play") {
      files.push_back(file);
    }
  }
  ASSERT_FALSE(files.empty());
  expectScenarioScreensFit(files, true);
}

// What of the window lies outside the screen's free area, or an empty text.
std::string offScreen(const QtWindow& window) {
  const QScreen* screen = window.screen();
  if (screen == nullptr) return "no screen";
  const QRect room = screen->availableGeometry();
  const QRect frame = window.frameGeometry();
  if (room.contains(frame)) return "";
  return "the window (" + std::to_string(frame.width()) + "x" + std::to_string(frame.height()) +
         " at " + std::to_string(frame.x()) + "," + std::to_string(frame.y()) +
         ") is not inside the screen's " + std::to_string(room.width()) + "x" +
         std::to_string(room.height());
}

// The whole window zoomed: every screen at each zoom fits its places, on screen. Run on a
// large screen, where each zoom is drawn as asked, and at 200 % desktop scaling of a
// 1920 x 1080 screen, where the larger ones must shrink to the room there is.
class ZoomedScreens : public PaintedScreens {};

TEST_F(ZoomedScreens, EveryZoomFitsItsPlacesAndTheScreen) {
  const QSize design = QtWindow::clientSize();
  for (const int percent : {50, 100, 150, 200, 300}) {
    SCOPED_TRACE("zoom " + std::to_string(percent) + " %");
    testing::QueuedDice dice;
    testing::FakeDialogs dialogs;
    Form2 form(dice, dialogs);
    form.Form_Load();
    QtWindow window(form);
    window.show();
    window.setZoom(percent);
    const QRect room = window.screen()->availableGeometry();
    const QSize frame = window.frameGeometry().size() - window.size();
    const double expected =
        zoom::fittedScale(percent, {design.width(), design.height()}, {room.width(), room.height()},
                          {frame.width(), frame.height()});
    EXPECT_DOUBLE_EQ(window.scale(), expected);
    EXPECT_EQ(window.zoom(), percent);
    EXPECT_LE(window.scale(), percent / 100.0);
    // In proportion: the window, its font and each control's place.
    EXPECT_NEAR(window.width(), design.width() * window.scale(), 1.0);
    EXPECT_NEAR(window.height(), design.height() * window.scale(), 1.0);
    EXPECT_DOUBLE_EQ(window.font().pointSizeF(), 8 * window.scale());
    const QWidget* result = window.widget(form.Text1);
    ASSERT_NE(result, nullptr);
    EXPECT_NEAR(result->width(), form.Text1.layout.width / 15.0 * window.scale(), 1.0);
    EXPECT_NEAR(result->y(), form.Text1.layout.top / 15.0 * window.scale(), 1.0);
    EXPECT_EQ(offScreen(window), "");
    const testing::ScreenFeed feed{[&](std::int16_t v) { dice.values.push_back(v); },
                                   [&](bool yes) { dialogs.answers.push_back(yes); }};
    // Text does not grow quite in proportion with its font (glyphs are fitted to whole
    // pixels), so away from 100 % a result text may be drawn a little smaller; it is
    // never cut, and every other caption fits at its full size.
    const bool asDesigned = window.scale() == 1.0;
    testing::visitEveryScreen(form, feed, [&](const std::string& screen) {
      EXPECT_EQ(paintedProblems(window, asDesigned), "") << screen;
      EXPECT_EQ(cutLabels(window), "") << screen;
    });
  }
}

// Ctrl+Plus and Ctrl+Minus step through the zooms, Ctrl+0 goes back to 100 %, and
// dragging an edge zooms to the size dragged to.
TEST_F(ZoomedScreens, KeysAndADraggedEdgeZoom) {
  testing::QueuedDice dice;
  testing::FakeDialogs dialogs;
  Form2 form(dice, dialogs);
  form.Form_Load();
  QtWindow window(form);
  std::vector<int> heard;
  window.onZoomed([&heard](int percent) { heard.push_back(percent); });
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  const QSize design = QtWindow::clientSize();

  const struct {
    QKeyCombination keys;
    int percent;
  } presses[] = {
      {Qt::CTRL | Qt::Key_Plus, 110},  {Qt::CTRL | Qt::Key_Equal, 125},
      {Qt::CTRL | Qt::Key_Minus, 110}, {Qt::CTRL | Qt::Key_0, 100},
      {Qt::CTRL | Qt::Key_Minus, 90},  {Qt::CTRL | Qt::Key_Minus, 80},
      {Qt::CTRL | Qt::Key_0, 100},
  };
  for (const auto& press : presses) {
    QTest::keyClick(&window, press.keys.key(), press.keys.keyboardModifiers());
    EXPECT_EQ(window.zoom(), press.percent);
  }
  EXPECT_EQ(window.size(), design);
  EXPECT_EQ(window.scale(), 1.0);
  for (int i = 0; i < 20; ++i) QTest::keyClick(&window, Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(window.zoom(), zoom::kMinPercent);
  EXPECT_EQ(window.minimumSize(), QSize(281, 291));

  // An edge dragged to twice the size, and to an odd shape: the drawing follows.
  window.resize(design * 2);
  EXPECT_EQ(window.zoom(), 200);
  EXPECT_DOUBLE_EQ(window.scale(), 2.0);
  EXPECT_DOUBLE_EQ(window.font().pointSizeF(), 16.0);
  window.resize(QSize(design.width() * 3, 699));  // 699 / 582: just over 120 %
  EXPECT_EQ(window.zoom(), 120);
  EXPECT_EQ(paintedProblems(window, true), "");
  ASSERT_FALSE(heard.empty());
  EXPECT_EQ(heard.back(), 120);
}

}  // namespace
}  // namespace vnt
