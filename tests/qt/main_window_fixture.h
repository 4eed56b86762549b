// The main window over the bundled sample seasons, shown and active, with scripted dice and
// message boxes: what the tests of a tool window beside it start from.

#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>
#include <optional>
#include <string_view>

#include "shell/form2.h"
#include "tests/unit/test_support.h"
#include "ui/qt/qt_window.h"

namespace vnt::testing {

class MainWindowFixture : public ::testing::Test {
 protected:
  // A test's SetUp calls this first, builds its tool window, then calls showMainWindow().
  void SetUp() override {
    seasons_.emplace();
    form_ = std::make_unique<Form2>(formDice(), dialogs_);
    form_->Form_Load();
    window_ = std::make_unique<QtWindow>(*form_);
  }
  void showMainWindow() {
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }
  // A test's TearDown drops its tool window first, then calls this.
  void TearDown() override {
    window_.reset();
    form_.reset();
    seasons_.reset();
  }

  // A mouse click on the control's widget, as the player would.
  void click(std::string_view name, int index = -1) {
    Control* control = form_->find(name, index);
    ASSERT_NE(control, nullptr) << name;
    QWidget* widget = window_->widget(*control);
    ASSERT_NE(widget, nullptr) << name;
    ASSERT_TRUE(widget->isVisible()) << name;
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(8, widget->height() / 2));
  }

  // A key pressed in whichever window is active.
  void press(Qt::Key key) {
    QTest::keyClick(QApplication::activeWindow() ? QApplication::activeWindow() : window_.get(),
                    key);
  }

  // The dice the window rolls with: the queued ones, unless a test puts something before them.
  virtual Dice& formDice() { return dice_; }

  QueuedDice dice_;
  FakeDialogs dialogs_;
  std::unique_ptr<Form2> form_;
  std::unique_ptr<QtWindow> window_;

 private:
  std::optional<InBundledSeasons> seasons_;
};

}  // namespace vnt::testing
