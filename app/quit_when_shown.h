#pragma once

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

// For start-up benchmarks and --self-test: ends the event loop once the window has painted for the
// first time, so a run measures process start until the window is on screen.
class QuitWhenShown final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !quitting_) {
      quitting_ = true;
      QTimer::singleShot(0, qApp, &QApplication::quit);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool quitting_ = false;
};
