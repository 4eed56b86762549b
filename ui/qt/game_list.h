#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <string>

class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace vnt {

class Dialogs;
class GameBook;
class QtWindow;

// The Game Log window's list of games: every game of the library, newest first, with its
// date, seasons, number of rolls and last roll. The game picked shows below to be read; it
// can be continued, saved as plain text, exported as a game file or deleted (asked first,
// and "Undo delete" brings it back); a game file from elsewhere is imported.
class GameListPage final : public QWidget {
 public:
  // `back` returns to the rolls of the game under way.
  GameListPage(QtWindow& main, std::function<void()> back);

  // Without a book (a self-test keeps no games) the list is empty and its buttons off. The
  // boxes are asked of `dialogs` directly: a question about the list is no part of a roll.
  void setBook(GameBook* book, Dialogs* dialogs) {
    book_ = book;
    dialogs_ = dialogs;
  }
  // Lists the games again (a game unchanged since the last listing is not read again).
  void reload();

  // The lines of the list, as shown.
  QStringList shownGames() const;
  void selectGame(int row);
  // The game picked, as plain text.
  QString selectedText() const;
  // The actions of the buttons, on the game picked.
  bool continueSelected();
  bool saveSelectedTo(const QString& path);
  bool exportSelectedTo(const QString& path);
  bool deleteSelected();
  bool undoDelete();
  bool importFrom(const QString& path);

 private:
  std::string selectedPath() const;
  void showSelected();
  void tell(const std::string& message);

  QtWindow& main_;
  std::function<void()> back_;
  GameBook* book_ = nullptr;
  Dialogs* dialogs_ = nullptr;
  QListWidget* list_ = nullptr;
  QPlainTextEdit* text_ = nullptr;
  QPushButton* continue_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* export_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* undo_ = nullptr;
  QPushButton* import_ = nullptr;
};

}  // namespace vnt
