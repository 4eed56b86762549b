// The game log window and the player's own dice over the real main window: F3 and the
// menu open the log, it follows the rolls, searches and starts a new game; with "Roll my own
// dice" on, what is typed into the die box is what the chart reads.

#include "ui/qt/game_log_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shell/form2.h"
#include "shell/game_book.h"
#include "shell/own_dice.h"
#include "tests/qt/main_window_fixture.h"
#include "tests/unit/test_support.h"
#include "ui/qt/die_box.h"
#include "ui/qt/game_list.h"
#include "ui/qt/qt_window.h"

namespace vnt {
namespace {

namespace fs = std::filesystem;

// Pictures for the docs, when asked for: VNT_PICTURES=<folder>.
void picture(QWidget& widget, const char* name) {
  const char* folder = std::getenv("VNT_PICTURES");
  if (folder == nullptr || *folder == '\0') return;
  widget.grab().save(QString::fromUtf8(folder) + "/" + name);
}

class GameLogWindowTest : public testing::MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    char pattern[] = "/tmp/vnt_games_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    games_ = pattern;
    book_ = std::make_unique<GameBook>(form_->gameLog(), games_.string());
    ASSERT_TRUE(book_->openLast());
    log_ = std::make_unique<GameLogWindow>(*window_, [this] { book_->newGame(); });
    attachGameLogWindow(*window_, *log_);
    showMainWindow();
  }
  void TearDown() override {
    log_.reset();
    book_.reset();
    MainWindowFixture::TearDown();
    std::error_code error;
    fs::remove_all(games_, error);
  }

  // The stealing chart of 2015, jump rating "10".
  void openStealing() {
    click("optYear", 2015 - kFirstSeason);
    click("cmdYear");
    click("cmdChart", 10);
    click("optJump", 0);
  }

  void pressF3() { press(Qt::Key_F3); }

  std::unique_ptr<GameBook> book_;
  std::unique_ptr<GameLogWindow> log_;
  fs::path games_;
};

TEST_F(GameLogWindowTest, F3ShowsTheRollsSearchFindsAndNewGameEmpties) {
  EXPECT_FALSE(log_->isVisible()) << "not shown at start";
  pressF3();
  ASSERT_TRUE(log_->isVisible());
  EXPECT_EQ(log_->latestText(), "No rolls yet");
  EXPECT_TRUE(log_->shownText().isEmpty());

  openStealing();
  dice_.values.push_back(80);  // SB + E2?
  click("cmdStealing");
  ASSERT_EQ(form_->gameLog().entries().size(), 1U);
  const QString shown = log_->shownText();
  EXPECT_TRUE(shown.startsWith("Roll 1 - ")) << shown.toStdString();
  EXPECT_TRUE(shown.contains("Stealing")) << shown.toStdString();
  EXPECT_TRUE(shown.contains("Die: 80 (0 to 99, rolled)")) << shown.toStdString();
  EXPECT_EQ(log_->latestText().toStdString(), form_->gameLog().entries().back().outcome);
  EXPECT_EQ(shown.toStdString(), logText(form_->gameLog().entries()));

  // A search shows only the rolls that hold the text, and nothing when none does.
  log_->setSearch("Die: 80");
  EXPECT_TRUE(log_->shownText().contains("Die: 80"));
  log_->setSearch("no roll says this");
  EXPECT_TRUE(log_->shownText().isEmpty());
  log_->setSearch("");
  EXPECT_EQ(log_->shownText().toStdString(), logText(form_->gameLog().entries()));

  // Copy with nothing selected takes every roll shown.
  log_->copy();
  EXPECT_EQ(QApplication::clipboard()->text(), log_->shownText());

  // Saved as plain text, it is the whole log.
  const fs::path saved = games_ / "saved.txt";
  ASSERT_TRUE(log_->saveTo(QString::fromStdString(saved.string())));
  std::ifstream in(saved, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, logText(form_->gameLog().entries()));
  EXPECT_FALSE(log_->saveTo(QString::fromStdString((games_ / "no" / "such.txt").string())));

  picture(*log_, "game-log-window.png");
  auto* button = log_->findChild<QPushButton*>("gameLogNewGame");
  ASSERT_NE(button, nullptr);
  const std::string firstGame = book_->path();
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_TRUE(form_->gameLog().entries().empty());
  EXPECT_TRUE(log_->shownText().isEmpty());
  EXPECT_EQ(log_->latestText(), "No rolls yet");
  EXPECT_NE(book_->path(), firstGame) << "a new file";

  pressF3();
  EXPECT_FALSE(log_->isVisible());
}

TEST_F(GameLogWindowTest, TheRightClickMenuOpensAndClosesIt) {
  for (const bool opened : {true, false}) {
    QTimer::singleShot(50, [] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(menu, nullptr);
      ASSERT_EQ(menu->actions().size(), 1);
      EXPECT_EQ(menu->actions().front()->text(), "Game Log");
      menu->setActiveAction(menu->actions().front());
      QTest::keyClick(menu, Qt::Key_Return);
    });
    QWidget* where = window_->widget(form_->Label1);
    ASSERT_NE(where, nullptr);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            where->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(where, &event);
    EXPECT_EQ(log_->isVisible(), opened);
  }
}

// A game file that cannot be written (its folder lies under a plain file) is told once,
// and play goes on: the rolls stay in the log.
TEST_F(GameLogWindowTest, AFileThatCannotBeWrittenIsToldOnceAndPlayGoesOn) {
  const fs::path blocker = games_ / "a-file";
  std::ofstream(blocker) << "not a folder\n";
  GameBook failing(form_->gameLog(), (blocker / "games").string());
  EXPECT_FALSE(failing.openLast());
  attachGameBook(*window_, failing, dialogs_);
  QTest::qWait(0);
  openStealing();
  for (int roll = 0; roll < 2; ++roll) {
    dice_.values.push_back(80);
    click("cmdStealing");
    QTest::qWait(0);
    click("cmdCancel");
    click("cmdChart", 10);
    click("optJump", 0);
  }
  QTest::qWait(0);
  ASSERT_EQ(dialogs_.shown.size(), 1U);
  EXPECT_EQ(dialogs_.shown.front().first.rfind("The game log cannot be saved (", 0), 0U)
      << dialogs_.shown.front().first;
  EXPECT_EQ(dialogs_.shown.front().second, "");
  EXPECT_EQ(form_->gameLog().entries().size(), 2U);
}

// "Games": every game kept, newest first; one picked is read, continued, deleted (asked first)
// and brought back, exported and imported.
TEST_F(GameLogWindowTest, TheListOfGamesKeepsEveryGame) {
  log_->setBook(book_.get(), &dialogs_);
  pressF3();
  openStealing();
  dice_.values.push_back(80);
  click("cmdStealing");
  const std::string firstGame = book_->path();
  const std::vector<LogEntry> firstRolls = form_->gameLog().entries();
  QTest::mouseClick(log_->findChild<QPushButton*>("gameLogNewGame"), Qt::LeftButton);
  click("cmdCancel");
  click("cmdChart", 10);
  click("optJump", 0);
  dice_.values.push_back(5);
  click("cmdStealing");
  ASSERT_EQ(form_->gameLog().entries().size(), 1U);

  QTest::mouseClick(log_->findChild<QPushButton*>("gameLogShowGames"), Qt::LeftButton);
  GameListPage& games = log_->games();
  ASSERT_TRUE(games.isVisible());
  QStringList lines = games.shownGames();
  ASSERT_EQ(lines.size(), 2);
  EXPECT_TRUE(lines[0].endsWith("(this game)")) << lines[0].toStdString();
  EXPECT_TRUE(lines[1].contains("2015 - 1 roll - last: Roll 1 - Stealing"))
      << lines[1].toStdString();
  games.selectGame(1);
  EXPECT_EQ(games.selectedText().toStdString(), logText(firstRolls));
  picture(*log_, "game-log-games.png");

  // Exported and imported again: a third game, the same rolls.
  const QString exported = QString::fromStdString((games_ / "evening.vntlog").string());
  ASSERT_TRUE(games.exportSelectedTo(exported));
  ASSERT_TRUE(games.importFrom(exported));
  ASSERT_EQ(games.shownGames().size(), 3);
  EXPECT_EQ(games.selectedText().toStdString(), logText(firstRolls));

  // Deleted only when the player says Yes; then brought back.
  dialogs_.answers = {false};
  EXPECT_FALSE(games.deleteSelected());
  EXPECT_EQ(games.shownGames().size(), 3);
  dialogs_.answers = {true};
  ASSERT_TRUE(games.deleteSelected());
  EXPECT_EQ(games.shownGames().size(), 2);
  EXPECT_EQ(dialogs_.shown.back().second, "Delete Game");
  ASSERT_TRUE(games.undoDelete());
  EXPECT_EQ(games.shownGames().size(), 3);

  // The imported game (picked again by the undo) continued: its rolls are the log again, and
  // the next roll goes to its file, not to the file it was exported from.
  EXPECT_EQ(games.selectedText().toStdString(), logText(firstRolls));
  const std::size_t shownBefore = dialogs_.shown.size();
  ASSERT_TRUE(games.continueSelected());
  EXPECT_EQ(dialogs_.shown.size(), shownBefore);
  EXPECT_FALSE(games.isVisible()) << "back to the rolls";
  EXPECT_EQ(form_->gameLog().entries(), firstRolls);
  EXPECT_EQ(log_->shownText().toStdString(), logText(firstRolls));
  click("cmdCancel");
  click("cmdChart", 10);
  click("optJump", 0);
  dice_.values.push_back(80);
  click("cmdStealing");
  EXPECT_EQ(form_->gameLog().entries().back().number, 2);
  EXPECT_EQ(readGameFile(book_->path()).entries, form_->gameLog().entries());
  EXPECT_EQ(readGameFile(firstGame).entries, firstRolls);
}

// The game last played that cannot be continued (read-only here) is told once at start, and
// a new game begins.
TEST_F(GameLogWindowTest, AGameNotTakenUpIsToldOnce) {
  openStealing();
  dice_.values.push_back(80);
  click("cmdStealing");
  const std::string kept = book_->path();
  book_.reset();
  fs::permissions(kept, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  GameBook again(form_->gameLog(), games_.string());
  ASSERT_TRUE(again.openLast());
  attachGameBook(*window_, again, dialogs_);
  QTest::qWait(0);
  click("cmdCancel");
  QTest::qWait(0);
  ASSERT_EQ(dialogs_.shown.size(), 1U);
  EXPECT_NE(dialogs_.shown.front().first.find("cannot be continued: the file is read-only"),
            std::string::npos)
      << dialogs_.shown.front().first;
  EXPECT_TRUE(form_->gameLog().entries().empty());
}

// The same window with the player's own dice in front of the queued ones.
class OwnDiceTest : public testing::MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    asker_.attach(window_.get(), [this] { window_->sync(); });
    attachOwnDice(*window_, ownDice_, [this](bool on) { changes_.push_back(on); });
    showMainWindow();
    for (const auto& [name, index] : std::vector<std::pair<std::string, int>>{
             {"optYear", 2015 - kFirstSeason}, {"cmdYear", -1}, {"cmdChart", 10}, {"optJump", 0}}) {
      Control* control = form_->find(name, index);
      ASSERT_NE(control, nullptr);
      window_->click(*control);
    }
  }
  Dice& formDice() override { return ownDice_; }

  // What the die box does once it is up: each answer is typed and OK pressed, in turn
  // (nullopt presses "Roll for me"); what the box said is kept.
  struct Seen {
    QString chart;
    QString purpose;
    std::vector<QString> refusals;
    int boxes = 0;
  };
  void answerDieBox(std::vector<std::optional<QString>> answers, Seen& seen) {
    QTimer::singleShot(0, [this, answers, &seen] {
      auto* box = dynamic_cast<DieBox*>(QApplication::activeModalWidget());
      if (box == nullptr) {
        answerDieBox(answers, seen);  // not up yet
        return;
      }
      ++seen.boxes;
      seen.chart = box->findChild<QLabel*>("dieChart")->text();
      seen.purpose = box->findChild<QLabel*>("diePurpose")->text();
      picture(*box, "die-box.png");
      auto* entry = box->findChild<QComboBox*>("dieEntry");
      for (const std::optional<QString>& answer : answers) {
        if (!answer) {
          QTest::mouseClick(box->findChild<QPushButton*>("rollForMe"), Qt::LeftButton);
          return;
        }
        entry->setEditText(*answer);
        QTest::mouseClick(box->findChild<QPushButton*>("dieOk"), Qt::LeftButton);
        if (!box->isVisible()) return;
        seen.refusals.push_back(box->findChild<QLabel*>("dieRefusal")->text());
        if (seen.refusals.size() == 1) picture(*box, "die-box-refused.png");
        if (answer == answers.back()) box->reject();
      }
    });
  }

  QtDieAsker asker_;
  OwnDice ownDice_{dice_, asker_};
  std::vector<bool> changes_;
};

TEST_F(OwnDiceTest, TheMenuTurnsItOnAndTheBoxDrivesTheChart) {
  // Rolled by the program: what the queued dice give.
  dice_.values.push_back(80);
  window_->click(form_->cmdStealing);
  ASSERT_EQ(form_->gameLog().entries().size(), 1U);
  const LogEntry rolled = form_->gameLog().entries().back();
  window_->click(form_->cmdCancel);
  window_->click(form_->cmdChart[10]);
  window_->click(form_->optJump[0]);

  // "Roll my own dice" from the menu.
  QTimer::singleShot(50, [] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QAction* own = menu->findChild<QAction*>("ownDiceAction");
    ASSERT_NE(own, nullptr);
    EXPECT_TRUE(own->isCheckable());
    EXPECT_FALSE(own->isChecked());
    menu->setActiveAction(own);
    QTest::keyClick(menu, Qt::Key_Return);
  });
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                          window_->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(window_.get(), &event);
  ASSERT_TRUE(ownDice_.on());
  EXPECT_EQ(changes_, std::vector<bool>{true});

  // Refused twice, with the range shown, then the same 80 typed in.
  Seen seen;
  answerDieBox({QString("150"), QString("eight"), QString("80")}, seen);
  window_->click(form_->cmdStealing);
  EXPECT_EQ(seen.boxes, 1);
  EXPECT_EQ(seen.chart.toStdString(), rolled.chart);
  EXPECT_TRUE(seen.purpose.contains("0 to 99")) << seen.purpose.toStdString();
  ASSERT_EQ(seen.refusals.size(), 2U);
  for (const QString& refusal : seen.refusals) {
    EXPECT_TRUE(refusal.contains("0 to 99")) << refusal.toStdString();
  }
  EXPECT_TRUE(dice_.draws.size() == 1U) << "the program rolled nothing this time";
  ASSERT_EQ(form_->gameLog().entries().size(), 2U);
  const LogEntry entered = form_->gameLog().entries().back();
  EXPECT_EQ(entered.outcome, rolled.outcome);
  EXPECT_EQ(entered.explanation, rolled.explanation);
  ASSERT_FALSE(entered.steps.empty());
  EXPECT_EQ(entered.steps.front().value, 80);
  EXPECT_TRUE(entered.steps.front().entered);

  // "Roll for me": the program rolls that die.
  window_->click(form_->cmdCancel);
  window_->click(form_->cmdChart[10]);
  window_->click(form_->optJump[0]);
  dice_.values.push_back(80);
  Seen rolledForMe;
  answerDieBox({std::nullopt}, rolledForMe);
  window_->click(form_->cmdStealing);
  EXPECT_EQ(rolledForMe.boxes, 1);
  EXPECT_EQ(dice_.draws.size(), 2U);
  const LogEntry forMe = form_->gameLog().entries().back();
  EXPECT_EQ(forMe.outcome, rolled.outcome);
  ASSERT_FALSE(forMe.steps.empty());
  EXPECT_FALSE(forMe.steps.front().entered);
}

}  // namespace
}  // namespace vnt
