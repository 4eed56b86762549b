#include "ui/qt/tool_window.h"

#include <QAction>
#include <QGuiApplication>
#include <QLayout>
#include <QMenu>
#include <QScreen>
#include <QShortcut>
#include <algorithm>
#include <cmath>
#include <vector>

#include "shell/window_placement.h"
#include "ui/qt/qt_dialogs.h"
#include "ui/qt/qt_window.h"

namespace vnt {

namespace {

constexpr int kGap = 8;  // between the main window and a tool window

placement::Rect toRect(const QRect& r) {
  return {r.x(), r.y(), r.width(), r.height()};
}

QRect toQRect(const placement::Rect& r) {
  return {r.x, r.y, r.width, r.height};
}

QMargins marginsOf(const QWidget& window) {
  const QRect frame = window.frameGeometry();
  const QRect client = window.geometry();
  return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
          frame.bottom() - client.bottom()};
}

QSize scaled(QSize size, double scale) {
  return {static_cast<int>(std::lround(size.width() * scale)),
          static_cast<int>(std::lround(size.height() * scale))};
}

QFont scaledFont(QFont font, double scale) {
  if (font.pointSizeF() > 0) {
    font.setPointSizeF(font.pointSizeF() * scale);
  } else if (font.pixelSize() > 0) {
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * scale))));
  }
  return font;
}

}  // namespace

ToolWindow::ToolWindow(QtWindow& main, const QString& title, const QString& objectName, int width,
                       Side side)
    : QWidget(&main, Qt::Tool),
      main_(main),
      side_(side),
      designed_(width, QtWindow::clientSize().height()),
      baseFont_(font()),
      zoom_(main.zoom()) {
  setWindowTitle(title);
  setObjectName(objectName);
  resize(designed_);
  followZoom();
}

QMargins ToolWindow::frameMargins() const {
  const QMargins own = marginsOf(*this);
  return own.isNull() ? marginsOf(main_) : own;
}

QRect ToolWindow::availableArea() const {
  const QScreen* screen = main_.screen() ? main_.screen() : QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect();
}

void ToolWindow::setFrame(const QRect& frame) {
  // The client area goes where the frame leaves it: what place() saves and restore() sets.
  setGeometry(frame.marginsRemoved(frameMargins()));
}

QRect ToolWindow::defaultFrame() const {
  const QMargins margins = frameMargins();
  const QSize extra(margins.left() + margins.right(), margins.top() + margins.bottom());
  placement::Request request;
  request.main = toRect(main_.frameGeometry());
  request.available = toRect(availableArea());
  if (request.available.empty()) request.available = {-100000, -100000, 200000, 200000};
  for (const QWidget* sibling : main_.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (sibling != this && sibling->isVisible() && dynamic_cast<const ToolWindow*>(sibling)) {
      request.others.push_back(toRect(sibling->frameGeometry()));
    }
  }
  const QSize wanted = scaled(designed_, scale_) + extra;
  // Room for the buttons at least (the layout knows what that takes).
  const QSize least = (layout() ? layout()->minimumSize() : QSize(1, 1)) + extra;
  request.wanted = {wanted.width(), wanted.height()};
  request.minimum = {std::min(least.width(), wanted.width()),
                     std::min(least.height(), wanted.height())};
  request.side = side_ == Side::Right ? placement::Side::Right : placement::Side::Left;
  request.gap = kGap;
  return toQRect(placement::besideMain(request));
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
    const QRect client(place.geometry->x, place.geometry->y, place.geometry->width,
                       place.geometry->height);
    const QRect frame = client.marginsAdded(frameMargins());
    // The screen that shows most of it, when enough of it to take hold of; else the default
    // place.
    QRect room;
    int shown = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
      const QRect common = screen->availableGeometry().intersected(frame);
      if (common.width() >= 50 && common.height() >= 50 &&
          common.width() * common.height() > shown) {
        room = screen->availableGeometry();
        shown = common.width() * common.height();
      }
    }
    if (shown > 0) {
      setFrame(toQRect(placement::onScreen(toRect(frame), toRect(room))));
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
    // At start the main window may not be where the window manager puts it yet.
    waitUntilPlaced(&main_);
    setFrame(defaultFrame());
    placed_ = true;
  }
  show();
  raise();
}

void ToolWindow::followZoom() {
  const double scale = main_.scale();
  if (scale <= 0 || (scale == scale_ && main_.zoom() == zoom_)) return;
  // The player zoomed; else the main window was only fitted to the screen again (as it is
  // placed at start), which leaves a placed window's size alone: a restored window must
  // not shrink a little at every start.
  const bool zoomed = main_.zoom() != zoom_;
  zoom_ = main_.zoom();
  const double grown = scale / scale_;
  scale_ = scale;
  setFont(scaledFont(baseFont_, scale_));
  if (!placed_) {
    resize(scaled(designed_, scale_));
    return;
  }
  if (!zoomed) return;
  const QRect client(geometry().topLeft(), scaled(size(), grown));
  const QRect frame = client.marginsAdded(frameMargins());
  if (frame.intersects(main_.frameGeometry())) {
    // The main window grew over it: beside it again, at the new size.
    resize(client.size());
    setFrame(defaultFrame());
    return;
  }
  const QRect room = availableArea();
  setFrame(room.isNull() ? frame : toQRect(placement::onScreen(toRect(frame), toRect(room))));
}

void attachToolWindow(QtWindow& main, ToolWindow& tool, const QKeySequence& key,
                      const QString& menuText, const QString& actionName) {
  main.onSynced([&tool] {
    if (tool.isVisible()) tool.refresh();
  });
  main.onZoomed([&tool](int) { tool.followZoom(); });

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
