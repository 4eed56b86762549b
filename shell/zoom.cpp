#include "shell/zoom.h"

#include <algorithm>
#include <cmath>

namespace vnt::zoom {

const std::vector<int>& steps() {
  static const std::vector<int> kSteps = {50,  67,  75,  80,  90,  100, 110,
                                          125, 150, 175, 200, 250, 300};
  return kSteps;
}

int clamp(int percent) {
  return std::clamp(percent, kMinPercent, kMaxPercent);
}

int larger(int percent) {
  percent = clamp(percent);
  for (int step : steps()) {
    if (step > percent) return step;
  }
  return kMaxPercent;
}

int smaller(int percent) {
  percent = clamp(percent);
  const std::vector<int>& all = steps();
  for (auto it = all.rbegin(); it != all.rend(); ++it) {
    if (*it < percent) return *it;
  }
  return kMinPercent;
}

double fittedScale(int percent, Size design, Size available, Size frame) {
  double scale = clamp(percent) / 100.0;
  if (design.width <= 0 || design.height <= 0 || available.width <= 0 || available.height <= 0) {
    return scale;
  }
  const double roomWidth = std::max(1, available.width - std::max(0, frame.width));
  const double roomHeight = std::max(1, available.height - std::max(0, frame.height));
  // Rounding the window's size up must not carry it a pixel past the room.
  const double fits =
      std::min(std::floor(roomWidth) / design.width, std::floor(roomHeight) / design.height);
  if (scale > fits) scale = std::floor(fits * 1000.0) / 1000.0;
  return std::max(scale, 0.01);
}

int percentForSize(Size client, Size design) {
  if (design.width <= 0 || design.height <= 0) return kDefaultPercent;
  const double byWidth = 100.0 * std::max(0, client.width) / design.width;
  const double byHeight = 100.0 * std::max(0, client.height) / design.height;
  // A hair of slack so a window sized exactly to a zoom reads back as that zoom.
  return clamp(static_cast<int>(std::floor(std::min(byWidth, byHeight) + 1e-6)));
}

Size scaled(Size design, double scale) {
  return {static_cast<int>(std::lround(design.width * scale)),
          static_cast<int>(std::lround(design.height * scale))};
}

}  // namespace vnt::zoom
