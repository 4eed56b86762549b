#include "ui/qt/game_list.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>
#include <filesystem>
#include <utility>
#include <vector>

#include "shell/dialogs.h"
#include "shell/game_book.h"
#include "shell/game_library.h"
#include "shell/game_log.h"
#include "ui/qt/game_log_window.h"
#include "ui/qt/qt_window.h"

namespace vnt {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kReadableRole = Qt::UserRole + 1;

QPushButton* button(const QString& text, const char* name) {
  auto* made = new QPushButton(text);
  made->setObjectName(QString::fromLatin1(name));
  made->setAutoDefault(false);
  return made;
}

}  // namespace

GameListPage::GameListPage(QtWindow& main, std::function<void()> back)
    : main_(main), back_(std::move(back)) {
  auto* heading = new QLabel(QStringLiteral("Games, the latest played first"));
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);

  list_ = new QListWidget;
  list_->setObjectName(QStringLiteral("gameLogGames"));
  list_->setAccessibleName(QStringLiteral("Games"));
  list_->setWordWrap(true);
  connect(list_, &QListWidget::currentRowChanged, this, [this] { showSelected(); });

  text_ = new QPlainTextEdit;
  text_->setObjectName(QStringLiteral("gameLogGameText"));
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  text_->setAccessibleName(QStringLiteral("Rolls of the game picked"));

  continue_ = button(QStringLiteral("C&ontinue this game"), "gameLogContinue");
  save_ = button(QStringLiteral("Save as &plain text…"), "gameLogSaveGame");
  export_ = button(QStringLiteral("E&xport…"), "gameLogExport");
  delete_ = button(QStringLiteral("&Delete…"), "gameLogDelete");
  undo_ = button(QStringLiteral("&Undo delete"), "gameLogUndoDelete");
  import_ = button(QStringLiteral("&Import…"), "gameLogImport");
  QPushButton* backButton = button(QStringLiteral("&Back to the game"), "gameLogBack");

  connect(continue_, &QPushButton::clicked, this, [this] { continueSelected(); });
  connect(save_, &QPushButton::clicked, this, [this] {
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save as plain text"),
                                                      GameLogWindow::suggestedSavePath(),
                                                      QStringLiteral("Text files (*.txt)"));
    if (!path.isEmpty() && !saveSelectedTo(path)) {
      tell("Cannot save the game log to " + path.toStdString());
    }
  });
  connect(export_, &QPushButton::clicked, this, [this] {
    const QString name =
        QString::fromStdString(std::filesystem::path(selectedPath()).filename().string());
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Export the game"),
                                                      GameLogWindow::suggestedSavePath(name),
                                                      QStringLiteral("Game files (*.vntlog)"));
    if (!path.isEmpty()) exportSelectedTo(path);
  });
  connect(delete_, &QPushButton::clicked, this, [this] { deleteSelected(); });
  connect(undo_, &QPushButton::clicked, this, [this] { undoDelete(); });
  connect(import_, &QPushButton::clicked, this, [this] {
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Import a game"), GameLogWindow::suggestedSavePath(QString()),
        QStringLiteral("Game files (*.vntlog);;All files (*)"));
    if (!path.isEmpty()) importFrom(path);
  });
  connect(backButton, &QPushButton::clicked, this, [this] { back_(); });

  auto* upper = new QHBoxLayout;
  upper->addWidget(continue_);
  upper->addWidget(save_);
  upper->addWidget(export_);
  upper->addStretch();
  auto* lower = new QHBoxLayout;
  lower->addWidget(delete_);
  lower->addWidget(undo_);
  lower->addWidget(import_);
  lower->addStretch();
  lower->addWidget(backButton);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(heading);
  layout->addWidget(list_, 2);
  layout->addWidget(text_, 3);
  layout->addLayout(upper);
  layout->addLayout(lower);
}

void GameListPage::reload() {
  const std::string keep = selectedPath();
  list_->clear();
  if (book_ != nullptr) {
    const std::string playing = book_->path();
    for (const GameSummary& game : book_->library().list()) {
      std::string line = summaryLine(game);
      if (game.path == playing) line += " (this game)";
      auto* item = new QListWidgetItem(QString::fromStdString(line), list_);
      item->setData(kPathRole, QString::fromStdString(game.path));
      item->setData(kReadableRole, game.readable);
      if (!game.readable) {
        item->setForeground(list_->palette().brush(QPalette::Disabled, QPalette::Text));
      }
      if (game.path == keep) list_->setCurrentItem(item);
    }
  }
  if (list_->currentRow() < 0 && list_->count() > 0) list_->setCurrentRow(0);
  showSelected();
}

std::string GameListPage::selectedPath() const {
  const QListWidgetItem* item = list_->currentItem();
  return item != nullptr ? item->data(kPathRole).toString().toStdString() : std::string();
}

void GameListPage::showSelected() {
  const QListWidgetItem* item = list_->currentItem();
  const bool readable = item != nullptr && item->data(kReadableRole).toBool();
  const bool playing = book_ != nullptr && item != nullptr && selectedPath() == book_->path();
  // The game picked is read now, whole: it is what the page shows.
  text_->setPlainText(
      readable ? QString::fromStdString(logText(GameLibrary::read(selectedPath()).entries))
               : QString());
  continue_->setEnabled(readable && !playing);
  save_->setEnabled(readable);
  export_->setEnabled(readable);
  delete_->setEnabled(item != nullptr && !playing);
  undo_->setEnabled(book_ != nullptr && book_->library().canUndoDelete());
  import_->setEnabled(book_ != nullptr);
}

QStringList GameListPage::shownGames() const {
  QStringList lines;
  for (int row = 0; row < list_->count(); ++row) lines << list_->item(row)->text();
  return lines;
}

void GameListPage::selectGame(int row) {
  list_->setCurrentRow(row);
}

QString GameListPage::selectedText() const {
  return text_->toPlainText();
}

void GameListPage::tell(const std::string& message) {
  if (dialogs_ != nullptr) dialogs_->ok(message, "");
}

bool GameListPage::continueSelected() {
  if (book_ == nullptr || selectedPath().empty()) return false;
  const bool continued = book_->continueGame(selectedPath());
  if (!continued) tell(book_->takeNotice());
  main_.sync();
  if (continued) back_();
  return continued;
}

bool GameListPage::saveSelectedTo(const QString& path) {
  const std::string text = logText(GameLibrary::read(selectedPath()).entries);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(text.data(), static_cast<qint64>(text.size()));
  return file.commit();
}

bool GameListPage::exportSelectedTo(const QString& path) {
  std::string error;
  if (GameLibrary::exportTo(selectedPath(), path.toStdString(), error)) return true;
  tell(error);
  return false;
}

bool GameListPage::deleteSelected() {
  const QListWidgetItem* item = list_->currentItem();
  if (book_ == nullptr || item == nullptr) return false;
  const std::string what = item->text().toStdString();
  if (dialogs_ == nullptr ||
      !dialogs_->yesNo("Delete this game?\r\r" + what +
                           "\r\r\"Undo delete\" brings it back until another game is deleted.",
                       "Delete Game")) {
    return false;
  }
  std::string error;
  const bool deleted = book_->library().remove(selectedPath(), error);
  if (!deleted) tell(error);
  reload();
  return deleted;
}

bool GameListPage::undoDelete() {
  if (book_ == nullptr) return false;
  std::string error;
  const std::optional<std::string> back = book_->library().undoDelete(error);
  if (!back) tell(error);
  reload();
  for (int row = 0; back && row < list_->count(); ++row) {
    if (list_->item(row)->data(kPathRole).toString().toStdString() == *back) selectGame(row);
  }
  return back.has_value();
}

bool GameListPage::importFrom(const QString& path) {
  if (book_ == nullptr) return false;
  std::string error;
  const std::optional<std::string> imported =
      book_->library().importFrom(path.toStdString(), error);
  if (!imported) tell(error);
  reload();
  for (int row = 0; imported && row < list_->count(); ++row) {
    if (list_->item(row)->data(kPathRole).toString().toStdString() == *imported) selectGame(row);
  }
  return imported.has_value();
}

}  // namespace vnt
