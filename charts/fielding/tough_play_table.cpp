// The tough-play chart as printed: one row per adjusted range, each band's last roll.

#include "charts/fielding/tough_play_table.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace vnt::tough_play {
namespace {

// "none" on the printed chart: the band holds no roll.
constexpr int X = -1;

// The last roll of "Infield Single", "SH" and "Lead Out"; a roll reads the first band whose
// last roll it does not pass.
// clang-format off
constexpr std::array<std::array<int, 3>, kWorstRange - kBestRange + 1> kChart = {{
    // Single  SH  Lead Out
    {{   1,    11,   99}},  // -1
    {{   5,    20,   99}},  // SP
    {{  10,    30,   99}},  // VG
    {{  20,    45,   99}},  // AV
    {{  30,    60,   99}},  // FR
    {{  40,    75,   99}},  // MD
    {{  50,    90,   99}},  // PR
    {{  60,    99,    X}},  // WK
}};
// clang-format on

}  // namespace

int adjustedRange(int range, bool fielderCloseIn, int surface) {
  if (fielderCloseIn) range -= 2 + surface;
  return std::max(kBestRange, range);
}

Outcome toughPlay(int adjustedRange, int roll) {
  adjustedRange = std::clamp(adjustedRange, kBestRange, kWorstRange);
  // Every row ends on 99, so a roll of 0..99 always finds its band.
  roll = std::clamp(roll, 0, 99);
  const auto& row = kChart[static_cast<std::size_t>(adjustedRange - kBestRange)];
  for (std::size_t band = 0; band < row.size(); ++band) {
    if (row[band] != X && roll <= row[band]) return static_cast<Outcome>(band);
  }
  return Outcome::SH;
}

std::string_view outcomeWord(Outcome outcome) {
  switch (outcome) {
    case Outcome::InfieldSingle:
      return "Infield Single";
    case Outcome::SH:
      return "SH";
    case Outcome::LeadOut:
      return "Lead Out";
  }
  return "SH";
}

std::string_view explanation(Outcome outcome) {
  switch (outcome) {
    case Outcome::InfieldSingle:
      return "Batter safe at first, other runners advance one base (1B).";
    case Outcome::SH:
      return "Batter out at first, other runners advance one base (SH).";
    case Outcome::LeadOut:
      return "Lead runner is thrown out.  Other runners advance one base (FC).";
  }
  return "";
}

}  // namespace vnt::tough_play
