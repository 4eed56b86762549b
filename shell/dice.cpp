#include "shell/dice.h"

#include <chrono>
#include <limits>
#include <random>

namespace vnt {
namespace {

// splitmix64: spreads nearby clock readings and counters over the whole seed space.
std::uint64_t mix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ULL;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
  return x ^ (x >> 31);
}

}  // namespace

ClockDice::ClockDice() : processSalt_(mix(std::random_device{}())) {}

std::int16_t ClockDice::RandomNumber(std::int16_t upper, std::int16_t lower) {
  const int span = int{upper} - int{lower} + 1;
  if (span > std::numeric_limits<std::int16_t>::max() || span < std::numeric_limits<std::int16_t>::min()) {
    return kOverflowRoll;
  }
  if (span <= 0) {
    return lower;  // an empty range: nothing to draw
  }

  const auto now = static_cast<std::uint64_t>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count());
  ++draws_;
  std::mt19937_64 engine(mix(now ^ processSalt_) ^ mix(draws_));
  // libstdc++'s distribution rejects out-of-range draws, so every value is equally likely.
  std::uniform_int_distribution<int> pick(lower, upper);
  return static_cast<std::int16_t>(pick(engine));
}

}  // namespace vnt
