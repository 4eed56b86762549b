#pragma once

#include <QKeySequence>
#include <QMargins>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

#include "shell/settings.h"

namespace vnt {

class QtWindow;

// A window beside the main window that shows something of the model (the odds, the game
// log): opened and closed by a key and the main window's right-click menu, placed beside
// the main window the first time (shell/window_placement.h), drawn at the main window's
// zoom, and remembered between runs.
class ToolWindow : public QWidget {
 public:
  // The side of the main window a tool window opens on the first time, when the screen has
  // room there; else the other side, else below.
  enum class Side { Right, Left };

  // Reads the model again (the main window calls this after every repaint while it shows).
  virtual void refresh() = 0;
  // The frame the window opens in the first time: beside the main window and clear of the
  // other tool windows where the screen has room, made smaller to fit that room.
  QRect defaultFrame() const;

  // Shows the window (at its default place the first time) or hides it.
  void toggle();

  // Where the window is (its client area) and whether it is open, to remember between runs;
  // and back again, as the same client area: a saved place no screen shows any more is
  // passed over for the default one, and one larger than its screen is made to fit it.
  settings::WindowPlace place() const;
  void restore(const settings::WindowPlace& place);

  // Draws the window at the main window's scale, as the main window's zoom changed: its
  // fonts and size grow or shrink alike, and it stays on the screen, clear of the main window.
  void followZoom();

 protected:
  // As tall as the main window's client area, `width` wide, at the main window's scale.
  ToolWindow(QtWindow& main, const QString& title, const QString& objectName, int width, Side side);

 private:
  // The window manager's border and title bar around the client area; before the window has
  // been shown, those of the main window.
  QMargins frameMargins() const;
  QRect availableArea() const;
  void setFrame(const QRect& frame);

  QtWindow& main_;
  Side side_;
  QSize designed_;  // the client area at 100 %
  QFont baseFont_;  // the font at 100 %
  double scale_ = 1.0;  // the main window's scale the window is drawn at
  int zoom_ = 100;      // the main window's zoom it was sized for
  bool placed_ = false;
};

// The key works from either window (a message box, being modal, keeps it away); the menu
// entry shows whether the window is open; the window follows the main window's zoom.
void attachToolWindow(QtWindow& main, ToolWindow& tool, const QKeySequence& key,
                      const QString& menuText, const QString& actionName);

}  // namespace vnt
