#pragma once

#include <QString>
#include <QWidget>

#include "shell/settings.h"

class QLabel;
class QMenu;

namespace vnt {

class QtWindow;

// The "Odds" tool window: what each outcome of the roll to come is worth, for the chart on
// the main window and the selections as they stand. It only reads the model; nothing done
// in it changes the game. Not shown at start, and its contents are built the first time it
// is asked for, so start-up does not pay for a window nobody has opened.
class OddsWindow final : public QWidget {
 public:
  explicit OddsWindow(QtWindow& main);

  // Reads the model again (the main window calls this after every repaint).
  void refresh();
  // Shows the window (beside the main window the first time) or hides it.
  void toggle();
  // Where the window opens: beside the main window, on the side the screen has room for,
  // so that it covers none of the main window's controls.
  QPoint defaultPosition() const;
  // The text as shown, for tests and the picture tool.
  QString shownText() const;

  // Where the window is and whether it is open, to remember between runs; and back again:
  // a saved place no screen shows any more is passed over for the default one.
  settings::WindowPlace place() const;
  void restore(const settings::WindowPlace& place);

 private:
  void build();

  QtWindow& main_;
  QLabel* text_ = nullptr;
  bool placed_ = false;
};

// Hooks the odds window to the main window: F2 (from either window) and the main window's
// right-click menu open and close it, and every repaint of the main window updates it.
void attachOddsWindow(QtWindow& main, OddsWindow& odds);

}  // namespace vnt
