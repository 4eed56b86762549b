#include "charts/environment/ballpark_effects_table.h"

#include <cstddef>

namespace vnt::bpe {

Side sideOf(int battingStyle) {
  return battingStyle >= 2 ? Side::Right : Side::Left;
}

std::string_view bpeOutcome(const Thresholds& thresholds, Side side, int roll) {
  // The fourth threshold of the side first: right-handed 3..0, left-handed 7..4.
  // Each band but the last is taken when the roll is above the threshold named.
  const std::size_t top = side == Side::Right ? 3 : 7;
  for (std::size_t band = 0; band + 1 < kOutcomes.size(); ++band) {
    if (roll > thresholds[top - band]) return kOutcomes[band];
  }
  return kOutcomes.back();
}

}  // namespace vnt::bpe
