// The Steal chart as printed: one row per adjusted steal rating, four bounds per row.

#include "charts/baserunning/steal_table.h"

#include <algorithm>
#include <array>

namespace vnt::steal {
namespace {

// A roll below S is "SB", below E "SB+E2", below D "Dropped?", below B "Rundown".
struct Row {
  int rating;
  int s, e, d, b;
};

// "-" on the printed chart: no roll is below it, so its line never applies.
constexpr int X = 0;

// clang-format off
constexpr std::array<Row, 14> kSecondBase = {{
    // rating  S   E   D   B
    {10, 78, 91, 92, 94},
    {9, 74, 86, 87, 89},
    {8, 70, 81, 82, 84},
    {7, 65, 75, 76, 78},
    {6, 60, 69, 70, 72},
    {5, 54, 62, 63, 65},
    {4, 47, 54, 55, 57},
    {3, 40, 46, 47, 49},
    {2, 33, 38, 39, 41},
    {1, 25, 29, 30, 32},
    {0, 17, 20, 21, 23},
    {-1, 8, 10, 11, 13},
    {-2, 4, 5, 6, 8},
    {-3, X, 4, 5, 7},
}};
// clang-format on

// clang-format off
constexpr std::array<Row, 14> kThirdBase = {{
    // rating  S   E   D   B
    {10, 73, 87, 88, 90},
    {9, 68, 81, 82, 84},
    {8, 63, 75, 76, 78},
    {7, 57, 68, 69, 71},
    {6, 51, 61, 62, 64},
    {5, 44, 53, 54, 56},
    {4, 37, 44, 45, 47},
    {3, 30, 37, 38, 40},
    {2, 23, 29, 30, 32},
    {1, 16, 21, 22, 24},
    {0, 9, 13, 14, 16},
    {-1, 4, 7, 8, 10},
    {-2, X, 5, 6, 8},
    {-3, X, 4, 5, 7},
}};
// clang-format on

// No throw into the outfield when stealing home; ratings 2 down to -3 share the last row.
// clang-format off
constexpr std::array<Row, 9> kHome = {{
    // rating  S   E   D   B
    {10, 36, X, 39, 47},
    {9, 32, X, 35, 43},
    {8, 28, X, 31, 39},
    {7, 24, X, 27, 35},
    {6, 20, X, 23, 31},
    {5, 16, X, 19, 27},
    {4, 12, X, 15, 23},
    {3, 8, X, 11, 19},
    {2, X, X, 9, 17},
}};
// clang-format on

const Row& rowFor(Base base, int rating) {
  rating = std::clamp(rating, kLowestRating, kHighestRating);
  switch (base) {
    case Base::Third:
      return kThirdBase[static_cast<std::size_t>(kHighestRating - rating)];
    case Base::Home:
      return kHome[static_cast<std::size_t>(kHighestRating - std::max(rating, 2))];
    case Base::Second:
      break;
  }
  return kSecondBase[static_cast<std::size_t>(kHighestRating - rating)];
}

}  // namespace

Outcome stealOutcome(Base base, int rating, int roll, int season) {
  if (roll == 0) return season < kFirstHardSlideSeason ? Outcome::BlownCall : Outcome::HardSlide;
  // Stealing home, rolls 1 to 5 are collisions; elsewhere 1 and 2.
  if (roll < (base == Base::Home ? 6 : 3)) return Outcome::Collision;
  const Row& row = rowFor(base, rating);
  if (roll < row.s) return Outcome::SB;
  if (roll < row.e) return Outcome::SBE2;
  if (roll < row.d) return Outcome::Dropped;
  if (roll < row.b) return Outcome::Rundown;
  return Outcome::CS;
}

std::string_view outcomeWord(Outcome outcome) {
  switch (outcome) {
    case Outcome::BlownCall:
      return "Blown Call";
    case Outcome::HardSlide:
      return "Hard Slide";
    case Outcome::Collision:
      return "Collision";
    case Outcome::SB:
      return "SB";
    case Outcome::SBE2:
      return "SB+E2";
    case Outcome::Dropped:
      return "Dropped?";
    case Outcome::Rundown:
      return "Rundown";
    case Outcome::CS:
      return "CS";
  }
  return "CS";
}

std::string_view shownWord(Outcome outcome) {
  return outcome == Outcome::SBE2 ? "SB + E2?" : outcomeWord(outcome);
}

ThrowResult throwResult(bool catchersThrow, int errorRating, int roll) {
  if (catchersThrow) {
    return roll > errorRating ? ThrowResult::ThrowIntoOutfield : ThrowResult::ThrowBlocked;
  }
  return roll <= errorRating ? ThrowResult::Scooped : ThrowResult::Dropped;
}

std::string_view throwWord(ThrowResult result) {
  switch (result) {
    case ThrowResult::ThrowIntoOutfield:
      return "SB+E2";
    case ThrowResult::ThrowBlocked:
      return "SB";
    case ThrowResult::Scooped:
      return "CS";
    case ThrowResult::Dropped:
      return "Error";
  }
  return "Error";
}

}  // namespace vnt::steal
