#pragma once

#include <QKeySequence>
#include <QPoint>
#include <QString>
#include <QWidget>

#include "shell/settings.h"

namespace vnt {

class QtWindow;

// A window beside the main window that shows something of the model (the odds, the game
// log): opened and closed by a key and the main window's right-click menu, placed beside
// the main window the first time, and remembered between runs.
class ToolWindow : public QWidget {
 public:
  // The side of the main window a tool window opens on the first time, when the screen has
  // room there; else the other side, else below.
  enum class Side { Right, Left };

  // Reads the model again (the main window calls this after every repaint while it shows).
  virtual void refresh() = 0;
  // Where the window opens the first time: beside the main window, covering none of its
  // controls, on its own side when the screen has room for it there.
  QPoint defaultPosition() const;

  // Shows the window (at its default place the first time) or hides it.
  void toggle();

  // Where the window is and whether it is open, to remember between runs; and back again:
  // a saved place no screen shows any more is passed over for the default one.
  settings::WindowPlace place() const;
  void restore(const settings::WindowPlace& place);

 protected:
  // As tall as the main window's client area.
  ToolWindow(QtWindow& main, const QString& title, const QString& objectName, int width,
             Side side);

 private:
  QtWindow& main_;
  Side side_;
  bool placed_ = false;
};

// The key works from either window (a message box, being modal, keeps it away); the menu
// entry shows whether the window is open.
void attachToolWindow(QtWindow& main, ToolWindow& tool, const QKeySequence& key,
                      const QString& menuText, const QString& actionName);

}  // namespace vnt
