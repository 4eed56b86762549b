#include "ui/qt/game_log_window.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QStackedLayout>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>
#include <string>
#include <utility>
#include <vector>

#include "shell/dialogs.h"
#include "shell/form2.h"
#include "shell/game_book.h"
#include "shell/game_log.h"
#include "ui/qt/game_list.h"
#include "ui/qt/qt_window.h"

namespace vnt {
namespace {

constexpr int kWidth = 480;
constexpr double kLatestScale = 2.0;  // the latest outcome, readable across the table

}  // namespace

GameLogWindow::GameLogWindow(QtWindow& main, std::function<void()> newGame)
    : ToolWindow(main, QStringLiteral("Game Log"), QStringLiteral("gameLogWindow"), kWidth,
                 Side::Left),
      main_(main),
      newGame_(std::move(newGame)) {}

void GameLogWindow::build() {
  latest_ = new QLabel;
  latest_->setObjectName(QStringLiteral("gameLogLatest"));
  latest_->setTextFormat(Qt::PlainText);
  latest_->setWordWrap(true);
  latest_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  fitLatestFont();

  search_ = new QLineEdit;
  search_->setObjectName(QStringLiteral("gameLogSearch"));
  search_->setPlaceholderText(QStringLiteral("Search"));
  search_->setAccessibleName(QStringLiteral("Search the game log"));
  search_->setClearButtonEnabled(true);
  connect(search_, &QLineEdit::textChanged, this, [this] { redraw(); });

  text_ = new QPlainTextEdit;
  text_->setObjectName(QStringLiteral("gameLogText"));
  text_->setReadOnly(true);
  // Long die lines wrap rather than hide behind a scroll bar.
  text_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  text_->setAccessibleName(QStringLiteral("Rolls of the game"));

  auto* copy = new QPushButton(QStringLiteral("&Copy"));
  copy->setObjectName(QStringLiteral("gameLogCopy"));
  connect(copy, &QPushButton::clicked, this, [this] { this->copy(); });
  auto* save = new QPushButton(QStringLiteral("&Save as plain text…"));
  save->setObjectName(QStringLiteral("gameLogSave"));
  connect(save, &QPushButton::clicked, this, [this] { saveAs(); });
  auto* newGame = new QPushButton(QStringLiteral("&New Game"));
  newGame->setObjectName(QStringLiteral("gameLogNewGame"));
  connect(newGame, &QPushButton::clicked, this, [this] { startNewGame(); });
  auto* games = new QPushButton(QStringLiteral("&Games…"));
  games->setObjectName(QStringLiteral("gameLogShowGames"));
  connect(games, &QPushButton::clicked, this, [this] { showGames(); });
  for (QPushButton* button : {copy, save, games, newGame}) button->setAutoDefault(false);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(copy);
  buttons->addWidget(save);
  buttons->addStretch();
  buttons->addWidget(games);
  buttons->addWidget(newGame);

  rolls_ = new QWidget;
  auto* layout = new QVBoxLayout(rolls_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(latest_);
  layout->addWidget(search_);
  layout->addWidget(text_, 1);
  layout->addLayout(buttons);

  games_ = new GameListPage(main_, [this] { showRolls(); });
  games_->setBook(book_, dialogs_);
  auto* outer = new QVBoxLayout(this);
  pages_ = new QStackedLayout;
  pages_->addWidget(rolls_);
  pages_->addWidget(games_);
  outer->addLayout(pages_);
}

void GameLogWindow::setBook(GameBook* book, Dialogs* dialogs) {
  book_ = book;
  dialogs_ = dialogs;
  if (games_ != nullptr) games_->setBook(book, dialogs);
}

GameListPage& GameLogWindow::games() {
  if (text_ == nullptr) build();
  return *games_;
}

void GameLogWindow::showGames() {
  games().reload();
  pages_->setCurrentWidget(games_);
}

void GameLogWindow::showRolls() {
  if (text_ == nullptr) build();
  pages_->setCurrentWidget(rolls_);
  redraw();
}

void GameLogWindow::refresh() {
  if (text_ == nullptr) build();
  const GameLog& log = main_.form().gameLog();
  if (shown_ && log.revision() == shownRevision_) return;
  redraw();
  // A roll changes this game's line of the list.
  if (pages_->currentWidget() == games_) games_->reload();
}

void GameLogWindow::redraw() {
  if (text_ == nullptr) build();
  const GameLog& log = main_.form().gameLog();
  shownRevision_ = log.revision();
  shown_ = true;
  const std::vector<LogEntry>& entries = log.entries();

  latest_->setText(QString::fromStdString(latestOutcome(entries)));
  latest_->setToolTip(QString::fromStdString(latestRollLine(entries)));

  std::vector<LogEntry> found;
  for (std::size_t at : findEntries(entries, search_->text().toStdString())) {
    found.push_back(entries[at]);
  }
  const QString text = QString::fromStdString(logText(found));
  if (text_->toPlainText() != text) {
    text_->setPlainText(text);
    // Newest at the bottom, and in view.
    text_->verticalScrollBar()->setValue(text_->verticalScrollBar()->maximum());
  }
}

void GameLogWindow::fitLatestFont() {
  QFont large = font();
  large.setPointSizeF(large.pointSizeF() * kLatestScale);
  large.setBold(true);
  latest_->setFont(large);
}

void GameLogWindow::changeEvent(QEvent* event) {
  ToolWindow::changeEvent(event);
  // The window's font follows the zoom; the latest outcome stays twice its size.
  if (event->type() == QEvent::FontChange && latest_ != nullptr) fitLatestFont();
}

QString GameLogWindow::shownText() const {
  return text_ != nullptr ? text_->toPlainText() : QString();
}

QString GameLogWindow::latestText() const {
  return latest_ != nullptr ? latest_->text() : QString();
}

void GameLogWindow::setSearch(const QString& query) {
  if (text_ == nullptr) build();
  search_->setText(query);
}

void GameLogWindow::copy() {
  if (text_ == nullptr) build();
  const QString selected = text_->textCursor().selectedText();
  // A selection across lines comes with Unicode paragraph separators.
  QString copied = selected.isEmpty() ? text_->toPlainText() : selected;
  copied.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  QApplication::clipboard()->setText(copied);
}

QString GameLogWindow::suggestedSavePath(const QString& name) {
  // The player's documents folder (XDG), not the folder the program was started in (the
  // season folder, read-only when installed); the home folder when there is none.
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
  return QDir(folder).filePath(name);
}

bool GameLogWindow::saveTo(const QString& path) {
  const std::string text = logText(main_.form().gameLog().entries());
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(text.data(), static_cast<qint64>(text.size()));
  return file.commit();
}

void GameLogWindow::saveAs() {
  const QString path =
      QFileDialog::getSaveFileName(this, QStringLiteral("Save as plain text"), suggestedSavePath(),
                                   QStringLiteral("Text files (*.txt)"));
  if (path.isEmpty()) return;
  if (!saveTo(path)) {
    main_.form().dialogs().ok("Cannot save the game log to " + path.toStdString(), "");
  }
}

void GameLogWindow::startNewGame() {
  // The game so far stays in the list of games; one started by mistake is left by
  // continuing the other, and leaves no file when it has no roll.
  if (newGame_) newGame_();
  main_.sync();
  refresh();
}

void attachGameLogWindow(QtWindow& main, GameLogWindow& log) {
  attachToolWindow(main, log, QKeySequence(Qt::Key_F3), QStringLiteral("Game Log"),
                   QStringLiteral("gameLogAction"));
}

void attachGameBook(QtWindow& main, GameBook& book, Dialogs& dialogs) {
  const auto tell = [&main, &book, &dialogs] {
    for (const std::string& said : {book.takeNotice(), book.takeWriteError()}) {
      if (said.empty()) continue;
      // Not inside the repaint: the box repaints the window before it shows.
      QTimer::singleShot(0, &main, [&dialogs, said] { dialogs.ok(said, ""); });
    }
  };
  main.onSynced(tell);
  tell();
}

}  // namespace vnt
