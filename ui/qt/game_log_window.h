#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "ui/qt/tool_window.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QStackedLayout;

namespace vnt {

class Dialogs;
class GameBook;
class GameListPage;
class QtWindow;

// The "Game Log" tool window: every roll of the game, newest at the bottom, the latest
// outcome on top in large type; searched, copied and saved as plain text. It only reads
// the log, except "New Game". "Games" turns it to the list of every game kept (see
// GameListPage). Built the first time it is asked for.
class GameLogWindow final : public ToolWindow {
 public:
  // `newGame` starts a new game ("New Game"); the window then repaints with the rest.
  GameLogWindow(QtWindow& main, std::function<void()> newGame);

  // Reads the log again when it has changed since the last time, or the search has.
  void refresh() override;

  // The rolls as shown (those the search finds), as plain text.
  QString shownText() const;
  QString latestText() const;
  void setSearch(const QString& query);
  // Copies the selection, or every roll shown when nothing is selected.
  void copy();
  // Writes every roll of the game as plain text; false when the file cannot be written.
  bool saveTo(const QString& path);
  void startNewGame();
  // Where a file of the player's is offered to be saved or looked for: `name` in the
  // player's documents folder. "Save as plain text…" offers game-log.txt.
  static QString suggestedSavePath(const QString& name = QStringLiteral("game-log.txt"));

  // The games of `book` for the list ("Games"); none without a book.
  void setBook(GameBook* book, Dialogs* dialogs);
  // Turns the window to the list of games, or back to the rolls of the game under way.
  void showGames();
  void showRolls();
  GameListPage& games();

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void build();
  void redraw();
  void saveAs();
  void fitLatestFont();

  QtWindow& main_;
  std::function<void()> newGame_;
  QLabel* latest_ = nullptr;
  QLineEdit* search_ = nullptr;
  QPlainTextEdit* text_ = nullptr;
  QStackedLayout* pages_ = nullptr;
  QWidget* rolls_ = nullptr;
  GameListPage* games_ = nullptr;
  GameBook* book_ = nullptr;
  Dialogs* dialogs_ = nullptr;
  std::uint64_t shownRevision_ = 0;
  bool shown_ = false;  // something was drawn from the log at all
};

// Hooks the log window to the main window: F3 (from either window) and the right-click
// menu open and close it; it follows the log as the window repaints.
void attachGameLogWindow(QtWindow& main, GameLogWindow& log);

// A game file that cannot be written, and a game that was not taken up or continued, are
// told once, in a message box shown just after the repaint that found it (now, when the
// book has already said so); play goes on.
void attachGameBook(QtWindow& main, GameBook& book, Dialogs& dialogs);

}  // namespace vnt
