#include "ui/qt/tool_window.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QRect>
#include <QScreen>
#include <QShortcut>
#include <algorithm>

#include "ui/qt/qt_window.h"

namespace vnt {

namespace {
constexpr int kGap = 8;  // between the main window and a tool window
}  // namespace

ToolWindow::ToolWindow(QtWindow& main, const QString& title, const QString& objectName, int width,
                       Side side)
    : QWidget(&main, Qt::Tool), main_(main), side_(side) {
  setWindowTitle(title);
  setObjectName(objectName);
  resize(width, QtWindow::clientSize().height());
}

QPoint ToolWindow::defaultPosition() const {
  const QRect mainFrame = main_.frameGeometry();
  const QScreen* screen = main_.screen() ? main_.screen() : QGuiApplication::primaryScreen();
  const QRect room = screen ? screen->availableGeometry() : QRect();
  // The frame adds the title bar and borders of the window manager around our client area.
  const QSize frameExtra = frameGeometry().size() - geometry().size();
  const int width = this->width() + frameExtra.width();
  const int height = this->height() + frameExtra.height();
  const int top = mainFrame.top();

  const QPoint right(mainFrame.right() + 1 + kGap, top);
  const QPoint left(mainFrame.left() - kGap - width, top);
  const QPoint below(mainFrame.left(), mainFrame.bottom() + 1 + kGap);
  const bool onRight = side_ == Side::Right;
  for (const QPoint& at : {onRight ? right : left, onRight ? left : right, below}) {
    if (room.isNull() || room.contains(QRect(at, QSize(width, height)))) return at;
  }
  // A screen too small for any: keep to its own side, as far in as the screen allows.
  if (!onRight) return {room.left(), top};
  return {std::max(room.left(), room.right() + 1 - width), top};
}

settings::WindowPlace ToolWindow::place() const {
  settings::WindowPlace place;
  place.open = isVisible();
  if (placed_) {
    const QRect at = geometry();
    place.geometry = settings::WindowPlace::Rect{at.x(), at.y(), at.width(), at.height()};
  }
  return place;
}

void ToolWindow::restore(const settings::WindowPlace& place) {
  if (place.geometry) {
    const QRect at(place.geometry->x, place.geometry->y, place.geometry->width,
                   place.geometry->height);
    // Enough of it on a screen to take hold of; else the default place.
    bool seen = false;
    for (const QScreen* screen : QGuiApplication::screens()) {
      const QRect common = screen->availableGeometry().intersected(at);
      seen = seen || (common.width() >= 50 && common.height() >= 50);
    }
    if (seen) {
      resize(at.size().boundedTo(QSize(4000, 4000)));
      move(at.topLeft());
      placed_ = true;
    }
  }
  if (place.open != isVisible()) toggle();
}

void ToolWindow::toggle() {
  if (isVisible()) {
    hide();
    return;
  }
  refresh();
  if (!placed_) {
    move(defaultPosition());
    placed_ = true;
  }
  show();
  raise();
}

void attachToolWindow(QtWindow& main, ToolWindow& tool, const QKeySequence& key,
                      const QString& menuText, const QString& actionName) {
  main.onSynced([&tool] {
    if (tool.isVisible()) tool.refresh();
  });

  auto* shortcut = new QShortcut(key, &main);
  shortcut->setContext(Qt::ApplicationShortcut);
  QObject::connect(shortcut, &QShortcut::activated, &tool, [&tool] { tool.toggle(); });

  main.addMenuEntries([&tool, key, menuText, actionName](QMenu& menu) {
    QAction* action = menu.addAction(menuText);
    action->setObjectName(actionName);
    action->setCheckable(true);
    action->setChecked(tool.isVisible());
    action->setShortcut(key);
    QObject::connect(action, &QAction::triggered, &tool, [&tool] { tool.toggle(); });
  });
}

}  // namespace vnt
