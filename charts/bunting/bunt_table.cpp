// The bunt chart as printed: one row per adjusted bunt rating, each band's last roll.

#include "charts/bunting/bunt_table.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace vnt::bunt {
namespace {

constexpr std::size_t kBands = 9;
// "none" on the printed chart: the band holds no roll.
constexpr int X = -1;

// The last roll of each band, in the order of Outcome; a roll reads the first band whose
// last roll it does not pass.
using Row = std::array<int, kBands>;

// clang-format off
constexpr std::array<Row, 5> kGrassChart = {{
    //  DP? Popout Lead Runner Error? Strikeout? SH  Lead Out? Beat Out? Tough Play
    {{   0,   1,      5,        10,     16,      66,    73,      89,       99}},  // 5
    {{   1,   3,     14,        19,     27,      68,    75,      89,       99}},  // 4
    {{   2,   5,     23,        28,     38,      70,    77,      89,       99}},  // 3
    {{   3,   7,     32,        37,     49,      72,    79,      89,       99}},  // 2
    {{  14,   X,     41,        46,     60,      74,    81,      89,       99}},  // 1
}};

constexpr std::array<Row, 5> kTurfChart = {{
    //  DP? Popout Lead Runner Error? Strikeout? SH  Lead Out? Beat Out? Tough Play
    {{   1,   2,     12,        17,     23,      68,    78,      89,       99}},  // 5
    {{   3,   5,     22,        27,     35,      70,    80,      89,       99}},  // 4
    {{   5,   8,     32,        37,     47,      72,    82,      89,       99}},  // 3
    {{   7,  11,     42,        47,     59,      74,    84,      89,       99}},  // 2
    {{   9,  14,     52,        57,     71,      76,    86,      89,       99}},  // 1
}};
// clang-format on

}  // namespace

int fielderFor(int roll) {
  if (roll <= 1) return kCatcher;
  if (roll <= 4) return kFirstBase;
  if (roll <= 7) return kThirdBase;
  return kPitcher;
}

std::string_view fielderWord(int fielder) {
  switch (fielder) {
    case kCatcher:
      return "Catcher";
    case kFirstBase:
      return "FirstBase";
    case kThirdBase:
      return "ThirdBase";
    default:
      return "Pitcher";
  }
}

bool fielderCloseIn(int fielder, const DrawnIn& defense) {
  switch (fielder) {
    case kPitcher:
    case kCatcher:
      return true;
    case kFirstBase:
      return defense.infieldIn || defense.cornersIn || defense.firstBaseIn;
    case kThirdBase:
      return defense.infieldIn || defense.cornersIn || defense.thirdBaseIn;
    default:
      return false;
  }
}

int lowerRating(int rating) {
  return std::max(kWorstRating, rating - 1);
}

Outcome buntOutcome(int surface, int rating, int roll) {
  rating = std::clamp(rating, kWorstRating, kBestRating);
  // Every row ends on 99, so a roll of 0..99 always finds its band.
  roll = std::clamp(roll, 0, 99);
  const auto& chart = surface == kTurf ? kTurfChart : kGrassChart;
  const Row& row = chart[static_cast<std::size_t>(kBestRating - rating)];
  for (std::size_t band = 0; band < kBands; ++band) {
    if (row[band] != X && roll <= row[band]) return static_cast<Outcome>(band);
  }
  return Outcome::ToughPlay;
}

std::string_view outcomeWord(Outcome outcome) {
  switch (outcome) {
    case Outcome::DP:
      return "DP?";
    case Outcome::Popout:
      return "Popout";
    case Outcome::LeadRunner:
      return "Lead Runner";
    case Outcome::Error:
      return "Error?";
    case Outcome::Strikeout:
      return "Strikeout?";
    case Outcome::SH:
      return "SH";
    case Outcome::LeadOut:
      return "Lead Out?";
    case Outcome::BeatOut:
      return "Beat Out?";
    case Outcome::ToughPlay:
      return "Tough Play";
  }
  return "Tough Play";
}

}  // namespace vnt::bunt
