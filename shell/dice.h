#pragma once

#include <cstdint>

namespace vnt {

// Every roll of the program goes through this one operation.
class Dice {
 public:
  virtual ~Dice() = default;
  // A whole number drawn uniformly from lower..upper, both ends included. Note the order:
  // the upper bound comes first, as the charts name their draws.
  virtual std::int16_t RandomNumber(std::int16_t upper, std::int16_t lower) = 0;
};

// The real dice. Each draw is seeded afresh from a high-resolution clock mixed with a
// draw counter, so two draws within one click are independent rather than equal, and the
// value is drawn without modulo or rounding bias.
class ClockDice final : public Dice {
 public:
  ClockDice();
  std::int16_t RandomNumber(std::int16_t upper, std::int16_t lower) override;

 private:
  std::uint64_t processSalt_;
  std::uint64_t draws_ = 0;
};

// What a draw returns when its range cannot be held in 16 bits (never the case for the
// program's own draws).
inline constexpr std::int16_t kOverflowRoll = 1;

}  // namespace vnt
