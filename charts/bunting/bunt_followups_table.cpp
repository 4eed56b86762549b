// The bunt's follow-up charts: the strikeout chart as printed and the three plain rolls.

#include "charts/bunting/bunt_followups_table.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace vnt::bunt {
namespace {

// "none" on the printed chart: the band holds no roll.
constexpr int X = -1;

// The last roll of "K", "Miss" and "SH" for each group; a roll reads the first band whose
// last roll it does not pass.
// clang-format off
constexpr std::array<std::array<int, 3>, kK9Groups> kStrikeoutChart = {{
    //  K  Miss  SH
    {{ 99,   X,   X}},  // > 9.9
    {{ 74,  99,   X}},  // 8.0 - 9.9
    {{ 49,  84,  99}},  // 6.0 - 7.9
    {{ 24,  69,  99}},  // 4.0 - 5.9
    {{  9,  59,  99}},  // < 4.0
}};
// clang-format on

}  // namespace

bool beatsItOut(int speed, int roll) {
  return roll <= speed;
}

std::string_view beatOutWord(bool beatsItOut) {
  return beatsItOut ? "Infield Single" : "Out at First";
}

int leadRunnerSpeed(int speed, bool fielderCloseIn) {
  return fielderCloseIn ? speed - kCloseInSpeedPenalty : speed;
}

bool leadRunnerSafe(int adjustedSpeed, int roll) {
  return roll <= adjustedSpeed;
}

std::string_view leadRunnerWord(bool safe) {
  return safe ? "All Safe!" : "Lead Out";
}

Strikeout strikeout(int k9Group, int roll) {
  k9Group = std::clamp(k9Group, 0, kK9Groups - 1);
  // Every row ends on 99, so a roll of 0..99 always finds its band.
  roll = std::clamp(roll, 0, 99);
  const auto& row = kStrikeoutChart[static_cast<std::size_t>(k9Group)];
  for (std::size_t band = 0; band < row.size(); ++band) {
    if (row[band] != X && roll <= row[band]) return static_cast<Strikeout>(band);
  }
  return Strikeout::SH;
}

std::string_view strikeoutWord(Strikeout outcome) {
  switch (outcome) {
    case Strikeout::K:
      return "K";
    case Strikeout::Miss:
      return "Miss";
    case Strikeout::SH:
      return "SH";
  }
  return "SH";
}

bool throwGetsLeadRunner(int adjustedErrorRating, int roll) {
  return roll < adjustedErrorRating;
}

std::string_view throwWord(bool getsLeadRunner) {
  return getsLeadRunner ? "Lead Runner" : "Error";
}

}  // namespace vnt::bunt
