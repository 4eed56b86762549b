// Where the odds and game log windows stand: the same place over restarts, beside the main
// window and on the screen (at 200 % desktop scaling too, buttons included), drawn at the
// main window's zoom; and the message boxes and save folder that go with them.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QFont>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "shell/settings.h"
#include "tests/qt/main_window_fixture.h"
#include "ui/qt/game_log_window.h"
#include "ui/qt/odds_window.h"
#include "ui/qt/qt_dialogs.h"
#include "ui/qt/qt_window.h"

namespace vnt {
namespace {

namespace fs = std::filesystem;

std::string text(const QRect& r) {
  return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) +
         "x" + std::to_string(r.height());
}

class ToolWindowPlaces : public testing::MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    start();
  }
  void TearDown() override {
    stop();
    MainWindowFixture::TearDown();
  }
  // The main window and both tool windows, as the program builds them at start.
  void start() {
    if (!window_) window_ = std::make_unique<QtWindow>(*form_);
    odds_ = std::make_unique<OddsWindow>(*window_);
    attachOddsWindow(*window_, *odds_);
    log_ = std::make_unique<GameLogWindow>(*window_, [] {});
    attachGameLogWindow(*window_, *log_);
    showMainWindow();
  }
  void stop() {
    odds_.reset();
    log_.reset();
    window_.reset();
  }
  QRect available() const { return window_->screen()->availableGeometry(); }

  std::unique_ptr<OddsWindow> odds_;
  std::unique_ptr<GameLogWindow> log_;
};

// Each run saves the places as the settings file holds them and the next run restores them:
// nothing creeps by the width of the window manager's frame.
TEST_F(ToolWindowPlaces, KeepTheirPlaceOverFiveRestarts) {
  odds_->toggle();
  log_->toggle();
  const QRect oddsFirst = odds_->frameGeometry();
  const QRect logFirst = log_->frameGeometry();
  for (int restart = 1; restart <= 5; ++restart) {
    settings::Settings saved;
    saved.odds = odds_->place();
    saved.gameLog = log_->place();
    saved = settings::parse(settings::format(saved));
    stop();
    start();
    odds_->restore(saved.odds);
    log_->restore(saved.gameLog);
    // Fitted to the screen again once the frame is known, as the window manager places it.
    window_->setZoom(window_->zoom());
    ASSERT_TRUE(odds_->isVisible());
    ASSERT_TRUE(log_->isVisible());
    EXPECT_EQ(odds_->frameGeometry(), oddsFirst) << "restart " << restart;
    EXPECT_EQ(log_->frameGeometry(), logFirst) << "restart " << restart;
    EXPECT_EQ(odds_->place().geometry, saved.odds.geometry) << "restart " << restart;
  }
}

// Run on a wide screen and on 1920 x 1080 at 200 % desktop scaling (960 x 540 logical).
TEST_F(ToolWindowPlaces, FitTheScreenBesideTheMainWindowWithTheirButtonsOnIt) {
  odds_->toggle();
  log_->toggle();
  const QRect room = available();
  for (const QWidget* tool :
       {static_cast<QWidget*>(odds_.get()), static_cast<QWidget*>(log_.get())}) {
    SCOPED_TRACE(tool->objectName().toStdString() + " at " + text(tool->frameGeometry()) +
                 ", main window at " + text(window_->frameGeometry()) + ", screen " + text(room));
    EXPECT_TRUE(room.contains(tool->frameGeometry()));
    EXPECT_FALSE(tool->frameGeometry().intersects(window_->frameGeometry()));
  }
  for (const char* name : {"gameLogCopy", "gameLogSave", "gameLogNewGame"}) {
    const auto* button = log_->findChild<QPushButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    const QRect shown(button->mapToGlobal(QPoint(0, 0)), button->size());
    EXPECT_TRUE(room.contains(shown)) << name << " at " << text(shown);
  }
  // Room for both beside the main window: neither covers the other.
  const int needed = window_->frameGeometry().width() + odds_->frameGeometry().width() +
                     log_->frameGeometry().width();
  if (room.width() >= needed + 16 || room.height() >= 2 * window_->frameGeometry().height()) {
    EXPECT_FALSE(odds_->frameGeometry().intersects(log_->frameGeometry()));
  }
}

// Zoomed with the main window: fonts and size follow, and the window stays beside it.
TEST_F(ToolWindowPlaces, FollowTheMainWindowsZoom) {
  odds_->toggle();
  const double base = odds_->font().pointSizeF() / window_->scale();
  const int width = odds_->width();
  const double before = window_->scale();
  window_->setZoom(150);
  // As large as the screen lets the main window be (at 200 % desktop scaling, no larger).
  const double scale = window_->scale();
  EXPECT_NEAR(odds_->font().pointSizeF(), base * scale, 0.01);
  EXPECT_NEAR(odds_->width(), width * scale / before, 2);
  EXPECT_FALSE(odds_->frameGeometry().intersects(window_->frameGeometry()))
      << text(odds_->frameGeometry()) << " over " << text(window_->frameGeometry());
  EXPECT_TRUE(available().contains(odds_->frameGeometry())) << text(odds_->frameGeometry());
  // A window opened after the zoom opens at it too.
  log_->toggle();
  EXPECT_NEAR(log_->font().pointSizeF(), base * scale, 0.01);
  window_->setZoom(100);
  EXPECT_NEAR(odds_->font().pointSizeF(), base * window_->scale(), 0.01);
  EXPECT_NEAR(odds_->width(), width * window_->scale() / before, 1);
  // The largest zoom: both still on the screen, neither over the main window.
  window_->setZoom(300);
  for (const QWidget* tool :
       {static_cast<QWidget*>(odds_.get()), static_cast<QWidget*>(log_.get())}) {
    EXPECT_NEAR(tool->font().pointSizeF(), base * window_->scale(), 0.01);
    EXPECT_TRUE(available().contains(tool->frameGeometry())) << text(tool->frameGeometry());
    EXPECT_FALSE(tool->frameGeometry().intersects(window_->frameGeometry()))
        << text(tool->frameGeometry()) << " over " << text(window_->frameGeometry());
  }
}

// A box comes up over the window that asked for it, not at the screen's corner.
TEST_F(ToolWindowPlaces, AMessageBoxIsCentredOnTheWindowThatAsked) {
  QtDialogs dialogs;
  dialogs.attach(window_.get(), {});
  log_->toggle();
  for (QWidget* asking :
       {static_cast<QWidget*>(log_.get()), static_cast<QWidget*>(window_.get())}) {
    asking->activateWindow();
    // A tool window counts as active with its main window: wait for the focus itself.
    ASSERT_TRUE(QTest::qWaitFor(
        [asking] { return QGuiApplication::focusWindow() == asking->windowHandle(); }));
    std::optional<QRect> box;
    QTimer::singleShot(50, [&box] {
      QWidget* shown = QApplication::activeModalWidget();
      ASSERT_NE(shown, nullptr);
      box = shown->frameGeometry();
      shown->close();
    });
    dialogs.ok("Cannot save the game log to /nowhere/game-log.txt", "");
    ASSERT_TRUE(box.has_value());
    const QPoint off = box->center() - asking->frameGeometry().center();
    EXPECT_LE(off.manhattanLength(), 12)
        << asking->objectName().toStdString() << ": box at " << text(*box) << ", window at "
        << text(asking->frameGeometry());
  }
}

// "Save as plain text…" offers the player's documents folder, never the season folder.
TEST(GameLogSaveFolder, IsThePlayersDocuments) {
  const fs::path home = fs::temp_directory_path() / ("vnt_documents_" + std::to_string(::getpid()));
  fs::remove_all(home);
  fs::create_directories(home / ".config");
  const QByteArray oldHome = qgetenv("HOME");
  const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
  qputenv("HOME", QByteArray::fromStdString(home.string()));
  qunsetenv("XDG_CONFIG_HOME");
  struct Case {
    const char* documents;  // as user-dirs.dirs names it
    bool made;
    fs::path expected;
  };
  const Case cases[] = {
      {"$HOME/Papers", true, home / "Papers" / "game-log.txt"},
      {"$HOME/Gone", false, home / "game-log.txt"},
  };
  for (const Case& c : cases) {
    std::ofstream(home / ".config" / "user-dirs.dirs")
        << "XDG_DOCUMENTS_DIR=\"" << c.documents << "\"\n";
    if (c.made) fs::create_directories(home / "Papers");
    EXPECT_EQ(GameLogWindow::suggestedSavePath().toStdString(), c.expected.string()) << c.documents;
  }
  qputenv("HOME", oldHome);
  if (!oldConfig.isNull()) qputenv("XDG_CONFIG_HOME", oldConfig);
  fs::remove_all(home);
}

}  // namespace
}  // namespace vnt
