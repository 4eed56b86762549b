#pragma once

// The window's zoom: how much larger or smaller than its designed size the whole window is
// drawn. The arithmetic lives here so that every front end steps, clamps and fits alike;
// a front end only measures its screen and applies the scale it is given.

#include <vector>

namespace vnt::zoom {

constexpr int kMinPercent = 50;
constexpr int kMaxPercent = 300;
constexpr int kDefaultPercent = 100;

// The zoom steps Ctrl+Plus and Ctrl+Minus move between, smallest first.
const std::vector<int>& steps();

// `percent` within kMinPercent..kMaxPercent.
int clamp(int percent);

// The next step above or below `percent` (a zoom between steps moves to the neighbouring
// one); at the end of the range it stays where it is.
int larger(int percent);
int smaller(int percent);

struct Size {
  int width = 0;
  int height = 0;
};

// The scale the window is drawn at: the zoom asked for, made smaller where the window at
// that zoom (plus `frame`, the window manager's border and title bar) would not fit in
// `available`, the screen's free area. Width and height keep their proportion. A screen
// too small even for kMinPercent still gets the smallest scale that fits, so nothing of the
// window is ever off screen; an empty `available` (no screen known) leaves the zoom as is.
double fittedScale(int percent, Size design, Size available, Size frame = {});

// The zoom a window dragged to `client` shows: the largest whose drawing fits inside it,
// clamped to the range.
int percentForSize(Size client, Size design);

// The window's size at `scale`, rounded to whole pixels.
Size scaled(Size design, double scale);

}  // namespace vnt::zoom
