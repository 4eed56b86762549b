// What the tests of the window through its widgets share: scripted dice, message boxes
// answered as they appear, season files written into a folder, and a window on them.

#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/command_line.h"
#include "shell/form2.h"
#include "tests/unit/test_support.h"
#include "ui/qt/accessibility.h"
#include "ui/qt/caption_widgets.h"
#include "ui/qt/qt_dialogs.h"
#include "ui/qt/qt_window.h"

namespace vnt::qt_testing {

namespace fs = std::filesystem;

// Hands out queued rolls and records the bounds each draw asked for.
class ScriptedDice final : public Dice {
 public:
  void queue(std::int16_t value) { values_.push_back(value); }
  std::int16_t RandomNumber(std::int16_t upper, std::int16_t lower) override {
    asked.emplace_back(upper, lower);
    if (values_.empty()) {
      ADD_FAILURE() << "a roll nobody expected: " << upper << ", " << lower;
      return lower;
    }
    const std::int16_t value = values_.front();
    values_.pop_front();
    return value;
  }
  std::vector<std::pair<int, int>> asked;

 private:
  std::deque<std::int16_t> values_;
};

struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  std::set<QMessageBox::StandardButton> buttons;
};

// Watches for the next modal message box and answers it by clicking one of its buttons
// with the mouse, as the player would. `onSeen` runs first, while the box is up.
class BoxAnswerer {
 public:
  explicit BoxAnswerer(QMessageBox::StandardButton answer, std::function<void()> onSeen = {})
      : answer_(answer), onSeen_(std::move(onSeen)) {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
  }

  const std::vector<SeenBox>& seen() const { return seen_; }
  bool answered() const { return !seen_.empty(); }

 private:
  void poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    timer_.stop();
    SeenBox seen{box->windowTitle(), box->text(), box->icon(), {}};
    for (QAbstractButton* button : box->buttons()) seen.buttons.insert(box->standardButton(button));
    seen_.push_back(seen);
    if (onSeen_) onSeen_();
    QAbstractButton* button = box->button(answer_);
    if (button == nullptr) {
      ADD_FAILURE() << "the box \"" << seen.text.toStdString() << "\" has no such button";
      button = box->buttons().value(0);
    }
    QTest::mouseClick(button, Qt::LeftButton);
  }

  QMessageBox::StandardButton answer_;
  std::function<void()> onSeen_;
  QTimer timer_;
  std::vector<SeenBox> seen_;
};

inline void writeFile(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

// The smallest season that passes the file checks: one ballpark.
inline void writeSeason(const fs::path& dir, int year) {
  writeFile(dir / (std::to_string(year) + "Deep.vnt"),
            "1\r\n\"Boston\",1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\r\n-2313\r\n");
  writeFile(dir / (std::to_string(year) + "BPE.vnt"), "1,1,1,1,1,1,1,1,\"Boston\"\r\n-2331\r\n");
}

// The colour of a button's face, away from its caption and border.
inline QColor faceColor(QWidget* button) {
  const QImage image = button->grab().toImage();
  return image.pixelColor(6, image.height() / 2);
}

inline bool isWhite(const QColor& c) {
  return c.red() > 230 && c.green() > 230 && c.blue() > 230;
}
inline bool isBlue(const QColor& c) {
  return c.blue() > 200 && c.red() < 60 && c.green() < 60;
}

class QtWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.emplace("vnt_qt_test_");
    ASSERT_TRUE(folder_->made());
    dir_ = folder_->path();
  }

  void TearDown() override {
    window_.reset();
    form_.reset();
    folder_.reset();
  }

  // Starts the program in the temporary working directory, its window shown and active.
  void start() {
    form_ = std::make_unique<Form2>(dice_, dialogs_);
    form_->Form_Load();
    window_ = std::make_unique<QtWindow>(*form_);
    dialogs_.attach(window_.get(), [this] { window_->sync(); });
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }

  template <typename W = QAbstractButton>
  W* widget(Control& control) {
    auto* w = qobject_cast<W*>(window_->widget(control));
    EXPECT_NE(w, nullptr) << control.displayName();
    return w;
  }

  void mouseClick(Control& control) {
    QWidget* w = window_->widget(control);
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->isVisible() && w->isEnabled()) << control.displayName();
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(w->width() / 2, w->height() / 2));
  }

  // From the season selection to the chart menu of 2015, by mouse.
  void openChartMenu() {
    writeSeason(dir_, 2015);
    start();
    mouseClick(form_->optYear[2015 - kFirstSeason]);
    mouseClick(form_->cmdYear);
    ASSERT_EQ(form_->screenState(), ScreenState::ChartMenu);
  }

  std::optional<testing::WorkingFolder> folder_;
  fs::path dir_;
  // The widgets Tab visits from the focused one, once round, as a walk of control names.
  std::vector<std::string> tabWalk() {
    std::vector<std::string> names;
    QWidget* first = QApplication::focusWidget();
    if (first == nullptr) return names;
    QWidget* current = first;
    do {
      EXPECT_TRUE(current->isVisible() && current->isEnabled()) << name(current);
      names.push_back(name(current));
      QTest::keyClick(current, Qt::Key_Tab);
      current = QApplication::focusWidget();
    } while (current != nullptr && current != first && names.size() < 200);
    return names;
  }

  std::string name(const QWidget* w) {
    for (Control* c : form_->controls()) {
      if (window_->widget(*c) == w) return c->displayName();
    }
    return "(not a control)";
  }

  std::string focused() { return name(QApplication::focusWidget()); }

  ScriptedDice dice_;
  QtDialogs dialogs_;
  std::unique_ptr<Form2> form_;
  std::unique_ptr<QtWindow> window_;
};
}  // namespace vnt::qt_testing
