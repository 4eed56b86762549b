#pragma once

#include <QString>
#include <QWidget>

#include "ui/qt/tool_window.h"

class QLabel;
class QMenu;

namespace vnt {

class QtWindow;

// The "Odds" tool window: what each outcome of the roll to come is worth, for the chart on
// the main window and the selections as they stand. It only reads the model; nothing done
// in it changes the game. Not shown at start, and its contents are built the first time it
// is asked for, so start-up does not pay for a window nobody has opened.
class OddsWindow final : public ToolWindow {
 public:
  explicit OddsWindow(QtWindow& main);

  void refresh() override;
  // The text as shown, for tests and the picture tool.
  QString shownText() const;

 private:
  void build();

  QtWindow& main_;
  QLabel* text_ = nullptr;
};

// Hooks the odds window to the main window: F2 (from either window) and the main window's
// right-click menu open and close it, and every repaint of the main window updates it.
void attachOddsWindow(QtWindow& main, OddsWindow& odds);

}  // namespace vnt
