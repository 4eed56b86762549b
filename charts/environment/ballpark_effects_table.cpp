#include "charts/environment/ballpark_effects_table.h"

#include <cstddef>

namespace vnt::bpe {
namespace {

// From the top band down; each is taken when the roll is above the threshold named.
constexpr std::array<std::string_view, 4> kAbove = {"Deep!", "1B gcf", "E?", "K"};
constexpr std::string_view kOtherwise = "EF cf";

}  // namespace

Side sideOf(int battingStyle) {
  return battingStyle >= 2 ? Side::Right : Side::Left;
}

std::string_view bpeOutcome(const Thresholds& thresholds, Side side, int roll) {
  // The fourth threshold of the side first: right-handed 3..0, left-handed 7..4.
  const std::size_t top = side == Side::Right ? 3 : 7;
  for (std::size_t band = 0; band < kAbove.size(); ++band) {
    if (roll > thresholds[top - band]) return kAbove[band];
  }
  return kOtherwise;
}

}  // namespace vnt::bpe
