#pragma once

// Where a tool window (the odds, the game log) stands beside the main window: rectangles in
// the desktop's logical pixels, frames included. The arithmetic lives here so that it can be
// tested without a screen; a front end measures its windows and screen and moves a window
// where it is told.

#include <vector>

namespace vnt::placement {

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  int right() const { return x + width; }  // one past the last column
  int bottom() const { return y + height; }
  bool empty() const { return width <= 0 || height <= 0; }
  bool intersects(const Rect& other) const;
  bool contains(const Rect& other) const;
  bool operator==(const Rect&) const = default;
};

struct Size {
  int width = 0;
  int height = 0;
};

enum class Side { Right, Left };

struct Request {
  Rect main;       // the main window's frame
  Rect available;  // the free area of the main window's screen (no panels, no dock)
  // The other tool windows on the screen: kept clear of while there is room elsewhere.
  std::vector<Rect> others;
  Size wanted;   // the frame's size at the zoom shown
  Size minimum;  // the smallest frame that still shows the window's buttons
  Side side = Side::Right;
  int gap = 8;  // between neighbouring windows
};

// The frame a tool window opens in: beside the main window on its own side, else on the
// other side, else below, else above; beside another tool window when the main window's
// sides are taken. It is made smaller to fit the room there, down to `minimum`, and always
// lies inside `available`. Only a screen with no room anywhere (the main window filling it)
// puts it over the main window, at the screen's edge on its own side.
Rect besideMain(const Request& request);

// A saved frame brought back: no larger than `available` (capped at the screen) and moved
// just enough to lie wholly inside it, so its title bar and buttons can be reached.
Rect onScreen(Rect frame, const Rect& available);

}  // namespace vnt::placement
