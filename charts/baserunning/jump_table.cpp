// The Jump chart as printed, with the balk and pickoff scales.

#include "charts/baserunning/jump_table.h"

#include <algorithm>
#include <array>

namespace vnt::jump {
namespace {

// "-" on the printed chart: no roll is below it, so its line never applies.
constexpr int X = 0;

using Bounds = std::array<std::array<int, 10>, 5>;

// Below A(H, J) the runner attempts the steal. Rows by hold 5 down to 1, columns J = 1..10.
// clang-format off
constexpr Bounds kAttempts = {{
    // J: 1   2   3   4   5   6   7   8   9  10
    {X, 6, 11, 17, 23, 29, 35, 41, 47, 53},     // hold 5
    {10, 16, 21, 27, 32, 38, 43, 49, 54, 60},   // hold 4
    {19, 25, 30, 36, 41, 47, 52, 58, 63, 69},   // hold 3
    {28, 34, 39, 45, 50, 56, 61, 67, 72, 78},   // hold 2
    {36, 42, 47, 53, 58, 64, 69, 75, 80, 80},   // hold 1
}};
// clang-format on

// Below B(H, J), and not below A, the runner goes with a jump of -2. Chart data as printed:
// where B does not exceed A the line never applies.
// clang-format off
constexpr Bounds kJumpMinus2 = {{
    // J: 1   2   3   4   5   6   7   8   9  10
    {X, 8, 15, 22, 29, 36, 43, 50, 57, 64},     // hold 5
    {12, 20, 27, 34, 41, 48, 55, 62, 69, 76},   // hold 4
    {25, 32, 39, 46, 53, 60, 67, 74, 80, 80},   // hold 3
    {37, 43, 48, 54, 59, 65, 70, 76, 81, 80},   // hold 2
    {47, 54, 61, 68, 75, 82, 83, 82, 81, 80},   // hold 1
}};
// clang-format on

// The highest roll that balks (balk rating 5..1) or picks the runner off (pickoff 5..1).
// clang-format off
constexpr std::array<int, 5> kHighestBalk = {0, 2, 4, 6, 8};     // rating 5, 4, 3, 2, 1
constexpr std::array<int, 5> kHighestPickoff = {8, 6, 4, 2, 0};  // rating 5, 4, 3, 2, 1
// clang-format on

std::size_t ratingRow(int rating) {
  return static_cast<std::size_t>(5 - std::clamp(rating, 1, 5));
}

}  // namespace

int adjustedJump(int jumpRating, Target target) {
  if (target == Target::Third) jumpRating -= 2;
  if (target == Target::Home) jumpRating -= 4;
  return std::max(jumpRating, 1);
}

Outcome jumpOutcome(int hold, int adjustedJump, int roll) {
  const int j = std::clamp(adjustedJump, 1, 10);
  const std::size_t row = ratingRow(hold);
  const auto column = static_cast<std::size_t>(j - 1);
  if (roll < j) return Outcome::E1;
  if (roll < kAttempts[row][column]) return Outcome::Attempts;
  if (roll < kJumpMinus2[row][column]) return Outcome::JumpMinus2;
  if (roll < 90 - j) return Outcome::Holds;
  if (roll < 90) return Outcome::Balk;
  return Outcome::Pickoff;
}

std::string_view outcomeWord(Outcome outcome) {
  switch (outcome) {
    case Outcome::E1:
      return "E1?";
    case Outcome::Attempts:
      return "Attempts";
    case Outcome::JumpMinus2:
      return "Jump -2";
    case Outcome::Holds:
      return "Holds";
    case Outcome::Balk:
      return "Balk?";
    case Outcome::Pickoff:
      return "Pickoff?";
  }
  return "Holds";
}

bool balks(int balkRating, int roll) {
  return roll <= kHighestBalk[ratingRow(balkRating)];
}

bool picksOff(int pickoffRating, int roll) {
  return roll <= kHighestPickoff[ratingRow(pickoffRating)];
}

std::string_view balkWord(bool balks) {
  return balks ? "Balk" : "Holds";
}

std::string_view pickoffWord(bool picksOff) {
  return picksOff ? "Pickoff" : "Holds";
}

bool throwGetsAway(int errorRating, int roll) {
  return roll > errorRating;
}

std::string_view throwWord(bool getsAway) {
  return getsAway ? "E1 + Choice" : "Holds";
}

}  // namespace vnt::jump
