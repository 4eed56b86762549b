#include "shell/window_placement.h"

#include <algorithm>
#include <optional>

namespace vnt::placement {
namespace {

enum class Direction { Right, Left, Below, Above };

// `value` moved into [low, high - length], or to `low` when there is no such room.
int within(int value, int length, int low, int high) {
  return std::max(low, std::min(value, high - length));
}

// The largest frame up to the wanted size in the room on one side of `anchor`, lined up
// with the main window's top (or left) where the screen allows; nothing when that room is
// smaller than the minimum.
std::optional<Rect> roomBeside(const Request& r, const Rect& anchor, Direction direction) {
  const Rect& area = r.available;
  Rect frame;
  switch (direction) {
    case Direction::Right:
    case Direction::Left: {
      const int room = direction == Direction::Right ? area.right() - (anchor.right() + r.gap)
                                                     : anchor.x - r.gap - area.x;
      frame.width = std::min(r.wanted.width, room);
      frame.height = std::min(r.wanted.height, area.height);
      frame.x =
          direction == Direction::Right ? anchor.right() + r.gap : anchor.x - r.gap - frame.width;
      frame.y = within(r.main.y, frame.height, area.y, area.bottom());
      break;
    }
    case Direction::Below:
    case Direction::Above: {
      const int room = direction == Direction::Below ? area.bottom() - (anchor.bottom() + r.gap)
                                                     : anchor.y - r.gap - area.y;
      frame.width = std::min(r.wanted.width, area.width);
      frame.height = std::min(r.wanted.height, room);
      frame.x = within(r.main.x, frame.width, area.x, area.right());
      frame.y =
          direction == Direction::Below ? anchor.bottom() + r.gap : anchor.y - r.gap - frame.height;
      break;
    }
  }
  if (frame.width < std::max(1, r.minimum.width) || frame.height < std::max(1, r.minimum.height)) {
    return std::nullopt;
  }
  return frame;
}

long long overlapArea(const Rect& a, const Rect& b) {
  const long long width = std::min(a.right(), b.right()) - std::max(a.x, b.x);
  const long long height = std::min(a.bottom(), b.bottom()) - std::max(a.y, b.y);
  return width > 0 && height > 0 ? width * height : 0;
}

}  // namespace

bool Rect::intersects(const Rect& other) const {
  return !empty() && !other.empty() && x < other.right() && other.x < right() &&
         y < other.bottom() && other.y < bottom();
}

bool Rect::contains(const Rect& other) const {
  return other.x >= x && other.y >= y && other.right() <= right() && other.bottom() <= bottom();
}

Rect besideMain(const Request& r) {
  const Direction own = r.side == Side::Right ? Direction::Right : Direction::Left;
  const Direction other = r.side == Side::Right ? Direction::Left : Direction::Right;
  const Direction order[] = {own, other, Direction::Below, Direction::Above};
  std::vector<Rect> anchors = {r.main};
  anchors.insert(anchors.end(), r.others.begin(), r.others.end());
  // Clear of every window where there is room; else clear of the main window, over as
  // little of the other tool windows as can be.
  std::optional<Rect> best;
  long long bestOverlap = 0;
  for (const Rect& anchor : anchors) {
    for (const Direction direction : order) {
      const auto frame = roomBeside(r, anchor, direction);
      if (!frame || frame->intersects(r.main)) continue;
      long long overlap = 0;
      for (const Rect& o : r.others) overlap += overlapArea(*frame, o);
      if (overlap == 0) return *frame;
      if (!best || overlap < bestOverlap) {
        best = frame;
        bestOverlap = overlap;
      }
    }
  }
  if (best) return *best;
  // No room anywhere: over the main window, at the screen's edge on its own side.
  Rect frame{0, 0, std::min(r.wanted.width, r.available.width),
             std::min(r.wanted.height, r.available.height)};
  frame.x = r.side == Side::Right ? r.available.right() - frame.width : r.available.x;
  frame.y = within(r.main.y, frame.height, r.available.y, r.available.bottom());
  return frame;
}

Rect onScreen(Rect frame, const Rect& available) {
  frame.width = std::min(frame.width, available.width);
  frame.height = std::min(frame.height, available.height);
  frame.x = within(frame.x, frame.width, available.x, available.right());
  frame.y = within(frame.y, frame.height, available.y, available.bottom());
  return frame;
}

}  // namespace vnt::placement
