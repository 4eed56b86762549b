// The injury charts as printed: days missed by rating and roll, and the recovery roll.

#include "charts/environment/injury_table.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

namespace vnt::injury {
namespace {

// A band of the days chart: the last roll it covers and what it reads.
constexpr int kSeason = -1;     // out for the season
constexpr int kRollAgain = -2;  // the days missed are a second roll
struct Band {
  int lastRoll;
  int days;
};

// clang-format off
const std::array<std::vector<Band>, 5> kDays = {{
    // rating 5
    {{79, 0}, {92, 1}, {97, 2}, {99, 3}},
    // rating 4
    {{29, 0}, {49, 1}, {64, 2}, {74, 3}, {80, 4}, {85, 5}, {89, 6}, {92, 7}, {95, 8}, {97, 9},
     {99, 10}},
    // rating 3
    {{19, 0}, {31, 1}, {41, 2}, {46, 3}, {51, 4}, {56, 5}, {60, 6}, {63, 7}, {66, 8}, {69, 9},
     {72, 10}, {87, 15}, {99, 21}},
    // rating 2
    {{9, 0}, {16, 1}, {21, 2}, {25, 3}, {29, 4}, {33, 5}, {37, 6}, {40, 7}, {43, 8}, {46, 9},
     {49, 10}, {79, 15}, {99, 21}},
    // rating 1
    {{4, 0}, {9, 1}, {14, 2}, {18, 3}, {22, 4}, {25, 5}, {28, 6}, {30, 7}, {32, 8}, {34, 9},
     {36, 10}, {48, 15}, {59, 21}, {79, 30}, {89, kSeason}, {99, kRollAgain}},
}};
// clang-format on

// The recovery chart: the last roll that plays and the last one that is sore; above both
// the player is out.
struct Recovery {
  int lastPlay;
  int lastSore;
};

// clang-format off
constexpr std::array<Recovery, 5> kRecovery = {{
    // rating  Play  Sore
    /* 5 */ {20, 20},
    /* 4 */ {16, 17},
    /* 3 */ {13, 14},
    /* 2 */ {10, 11},
    /* 1 */ {7, 8},
}};
// clang-format on

std::size_t row(int rating) {
  return static_cast<std::size_t>(kSturdiest - std::clamp(rating, kMostFragile, kSturdiest));
}

}  // namespace

Missed injuryDays(int rating, int roll) {
  const std::vector<Band>& bands = kDays[row(rating)];
  const Band* band = &bands.back();
  for (const Band& b : bands) {
    if (roll <= b.lastRoll) {
      band = &b;
      break;
    }
  }
  switch (band->days) {
    case kSeason:
      return {Missed::Kind::Season, 0};
    case kRollAgain:
      return {Missed::Kind::RollAgain, 0};
    default:
      return {Missed::Kind::Days, band->days};
  }
}

std::string dayCount(int days) {
  return std::to_string(days) + (days == 1 ? " Day" : " Days");
}

std::string missedWord(const Missed& missed) {
  switch (missed.kind) {
    case Missed::Kind::Season:
      return "Out";
    case Missed::Kind::RollAgain:
      return "# Missed";
    case Missed::Kind::Days:
      break;
  }
  return dayCount(missed.days);
}

Status recoveryStatus(int rating, int roll) {
  const Recovery& r = kRecovery[row(rating)];
  if (roll <= r.lastPlay) return Status::Play;
  if (roll <= r.lastSore) return Status::Sore;
  return Status::Out;
}

std::string_view statusWord(Status status) {
  switch (status) {
    case Status::Play:
      return "Play";
    case Status::Sore:
      return "Sore";
    case Status::Out:
      return "Out";
  }
  return "";
}

}  // namespace vnt::injury
