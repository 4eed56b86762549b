#pragma once

#include <cstdint>
#include <string>

namespace vnt {

// One draw as the window asks for it: its bounds and, in words, what it is for.
struct DieRequest {
  std::int16_t upper = 0;
  std::int16_t lower = 0;
  std::string chart;    // the chart's name as the window's title shows it
  std::string purpose;  // what the die decides ("the steal, read against ...")
  bool quick = false;   // a quick-dice button of the chart menu, not a chart's die
};

// A die as drawn: its value and whether the player typed it in rather than the program
// rolling it.
struct Die {
  std::int16_t value = 0;
  bool entered = false;
};

// Every roll of the program goes through this one operation.
class Dice {
 public:
  virtual ~Dice() = default;
  // A whole number drawn uniformly from lower..upper, both ends included. Note the order:
  // the upper bound comes first, as the charts name their draws.
  virtual std::int16_t RandomNumber(std::int16_t upper, std::int16_t lower) = 0;
  // The window draws through this, so dice that need to know what a die is for (the
  // player's own) can tell; plain dice just roll its bounds.
  virtual Die draw(const DieRequest& request) {
    return {RandomNumber(request.upper, request.lower), false};
  }
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
