#include "charts/baserunning/rundown_table.h"

#include <array>
#include <cstddef>

namespace vnt::rundown {
namespace {

// The runner is safe when the roll is below the bound of the fielder's range.
//                                        SP VG AV  FR  MD  PR  WK
constexpr std::array<int, kRangeCount> kSafeBelow{3, 6, 9, 12, 14, 16, 19};

}  // namespace

bool outOnFirstRoll(int speed, int roll) {
  return roll > speed;
}

std::string_view firstRollWord(bool out) {
  return out ? "Runner is out" : "Runner stays in rundown";
}

bool safeOnSecondRoll(int speed, int roll) {
  return roll <= speed;
}

std::string_view secondRollWord(bool safe) {
  return safe ? "Runner is safe" : "Runner is out";
}

int collisionSafeBelow(int range) {
  // Only the seven range buttons exist; anything else reads as the nearest end.
  if (range < 0) range = 0;
  if (range >= kRangeCount) range = kRangeCount - 1;
  return kSafeBelow[static_cast<std::size_t>(range)];
}

std::string_view collision(int range, int roll) {
  return collisionWord(roll < collisionSafeBelow(range));
}

std::string_view collisionWord(bool safe) {
  return safe ? "Safe" : "Out";
}

}  // namespace vnt::rundown
