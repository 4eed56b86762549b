#include "charts/baserunning/sending_runners_table.h"

#include <array>
#include <cstddef>

namespace vnt::sending_runners {
namespace {

constexpr Band kNever{0, -1};

// One row per adjusted speed rating, 12 at the top; the columns are those of Outcome:
// Safe +, Safe (Adv?), Safe, Collision!, Error?, Unusual Play, Out +, Out.
struct Row {
  int speed;
  std::array<Band, kOutcomeCount> bands;
};

// clang-format off
constexpr std::array<Row, 14> kChart{{
  {12, {{{1, 2}, {3, 4}, {5, 17}, {18, 18}, {19, 19}, {20, 20}, kNever,   kNever}}},
  {11, {{{1, 2}, {3, 4}, {5, 16}, {17, 17}, {18, 18}, {19, 19}, kNever,   {20, 20}}}},
  {10, {{{1, 2}, {3, 4}, {5, 15}, {16, 16}, {17, 17}, {18, 18}, {19, 19}, {20, 20}}}},
  { 9, {{{1, 2}, {3, 4}, {5, 14}, {15, 15}, {16, 16}, {17, 17}, {18, 19}, {20, 20}}}},
  { 8, {{{1, 2}, {3, 4}, {5, 13}, {14, 14}, {15, 15}, {16, 16}, {17, 18}, {19, 20}}}},
  { 7, {{{1, 2}, {3, 4}, {5, 12}, {13, 13}, {14, 14}, {15, 15}, {16, 17}, {18, 20}}}},
  { 6, {{{1, 1}, {2, 3}, {4, 10}, {11, 11}, {12, 12}, {13, 13}, {14, 16}, {17, 20}}}},
  { 5, {{{1, 1}, {2, 3}, {4,  9}, {10, 10}, {11, 11}, {12, 12}, {13, 15}, {16, 20}}}},
  { 4, {{{1, 1}, {2, 3}, {4,  7}, { 8,  8}, { 9,  9}, {10, 10}, {11, 14}, {15, 20}}}},
  { 3, {{{1, 1}, {2, 3}, {4,  6}, { 7,  7}, { 8,  8}, { 9,  9}, {10, 13}, {14, 20}}}},
  { 2, {{{1, 1}, {2, 2}, {3,  4}, { 5,  5}, { 6,  6}, { 7,  7}, { 8, 12}, {13, 20}}}},
  { 1, {{{1, 1}, {2, 2}, {3,  3}, { 4,  4}, { 5,  5}, { 6,  6}, { 7, 11}, {12, 20}}}},
  { 0, {{kNever, kNever, {1,  1}, { 2,  2}, { 3,  3}, { 4,  4}, { 5, 10}, {11, 20}}}},
  {-1, {{kNever, kNever, kNever,  { 1,  1}, { 2,  2}, { 3,  3}, { 4,  9}, {10, 20}}}},
}};
// clang-format on

const Row& row(int speed) {
  // Out-of-range ratings cannot be chosen on screen; clamp rather than read past the chart.
  if (speed > kHighestSpeed) speed = kHighestSpeed;
  if (speed < kLowestSpeed) speed = kLowestSpeed;
  return kChart[static_cast<std::size_t>(kHighestSpeed - speed)];
}

}  // namespace

Band band(int speed, Outcome column) {
  return row(speed).bands[static_cast<std::size_t>(column)];
}

Outcome outcome(int speed, int roll) {
  const Row& r = row(speed);
  for (std::size_t i = 0; i < r.bands.size(); ++i) {
    if (roll >= r.bands[i].first && roll <= r.bands[i].last) return static_cast<Outcome>(i);
  }
  // Every roll of 1..20 lies in a band; anything beyond is treated as the worst case.
  return roll < kLowestRoll ? Outcome::SafePlus : Outcome::Out;
}

std::string_view word(Outcome outcome) {
  switch (outcome) {
    case Outcome::SafePlus:
      return "Safe +";
    case Outcome::SafeAdvance:
      return "Safe (Adv?)";
    case Outcome::Safe:
      return "Safe";
    case Outcome::Collision:
      return "Collision!";
    case Outcome::Error:
      return "Error?";
    case Outcome::UnusualPlay:
      return "Unusual Play";
    case Outcome::OutPlus:
      return "Out +";
    case Outcome::Out:
      return "Out";
  }
  return {};
}

std::string_view sentence(Outcome outcome) {
  switch (outcome) {
    case Outcome::SafePlus:
      return " - Runner slides in safe.  Other runners advance one base. Cannot advance past 3rd "
             "on throw home.";
    case Outcome::SafeAdvance:
      return " - Runner slides in safe.  Other runners may attempt to advance. Cannot advance "
             "past 3rd on throw home.";
    case Outcome::Safe:
      return " - Runner slides in safe.  Other runners hold.";
    case Outcome::OutPlus:
      return " - Runner is tagged out on a good throw.  Other runners advance one base.  Cannot "
             "advance past 3rd on throw home.";
    case Outcome::Out:
      return " - Runner nailed on great throw!  Other runners hold.";
    case Outcome::Collision:
    case Outcome::Error:
    case Outcome::UnusualPlay:
      return {};
  }
  return {};
}

UnusualPlay unusualPlay(int roll) {
  if (roll <= 2) return UnusualPlay::Rundown;
  if (roll <= 6) return UnusualPlay::BlownCall;
  return UnusualPlay::Collision;
}

std::string_view unusualPlayWord(UnusualPlay play, int season) {
  switch (play) {
    case UnusualPlay::Rundown:
      return "Rundown";
    case UnusualPlay::BlownCall:
      return season >= 2016 ? "Hard Slide" : "Blown Call";
    case UnusualPlay::Collision:
      return "Collision!";
  }
  return {};
}

CallResult blownCallOrHardSlide(int roll, int season) {
  const bool hardSlide = season >= 2016;
  if (roll >= 5) {
    return {"Out!", hardSlide ? " - Runner out and is injured for today from the hard slide!"
                              : " - Runner out and is ejected for arguing the call!"};
  }
  return {
      "Safe!",
      hardSlide
          ? " - Runner safe and fielder covering the bag is injured for today from the hard slide!"
          : " - Runner safe and fielder covering the bag is ejected for arguing the call!"};
}

bool throwIsLate(int errorRating, int roll) {
  return roll <= errorRating;
}

std::string_view throwWord(bool late) {
  return late ? "Throw Late" : "Wild Throw";
}

}  // namespace vnt::sending_runners
