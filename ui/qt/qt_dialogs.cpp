#include "ui/qt/qt_dialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <utility>

#include "ui/qt/caption_widgets.h"
#include "ui/qt/text_fit.h"

namespace vnt {

void QtDialogs::attach(QWidget* parent, std::function<void()> beforeShow) {
  parent_ = parent;
  beforeShow_ = std::move(beforeShow);
}

void QtDialogs::ok(const std::string& prompt, const std::string& title) {
  show(prompt, title, false);
}

bool QtDialogs::yesNo(const std::string& prompt, const std::string& title) {
  return show(prompt, title, true);
}

QWidget* QtDialogs::asker() const {
  // The window of ours the player is in (a tool window beside the main one) asked. A tool
  // window counts as its main window for QApplication::activeWindow(): ask the focus.
  const QWindow* focus = QGuiApplication::focusWindow();
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (focus == nullptr || window->windowHandle() != focus || !window->isVisible()) continue;
    for (const QWidget* w = window; w != nullptr && parent_; w = w->parentWidget()) {
      if (w == parent_) return window;
    }
  }
  return parent_.data();
}

void waitUntilPlaced(QWidget* window) {
  QWindow* handle = window != nullptr && window->isVisible() ? window->windowHandle() : nullptr;
  if (handle == nullptr || handle->isExposed()) return;
  QElapsedTimer waited;
  waited.start();
  QEventLoop loop;
  QTimer check;
  QObject::connect(&check, &QTimer::timeout, &loop, [&] {
    if (handle->isExposed() || waited.hasExpired(1000)) loop.quit();
  });
  check.start(10);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

bool QtDialogs::show(const std::string& prompt, const std::string& title, bool askYesNo) {
  if (beforeShow_) beforeShow_();
  QWidget* parent = asker();
  // Centred on a window not yet placed, a box asked for at start came up at the corner.
  waitUntilPlaced(parent);

  const QString shownTitle = QString::fromStdString(title.empty() ? kApplicationTitle : title);
  QMessageBox box(QMessageBox::NoIcon, shownTitle, QString(),
                  askYesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok, parent);
  // A prompt naming a huge ballpark must still fit the screen (and not take long to lay out).
  const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
  box.setText(messageText(prompt, box.font(),
                          screen ? screen->availableGeometry().size() : QSize(800, 600)));
  // Prompts are plain text: a '<' in a ballpark name must not start markup.
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(askYesNo ? QMessageBox::Yes : QMessageBox::Ok);
  box.exec();
  return askYesNo && box.clickedButton() == box.button(QMessageBox::Yes);
}

}  // namespace vnt
