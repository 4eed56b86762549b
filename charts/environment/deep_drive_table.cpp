// The deep-drive chart as printed: locations by batting style, the distance scale with the
// power offsets, the roll needed by power, and the leaps at the wall.

#include "charts/environment/deep_drive_table.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace vnt::deep {
namespace {

enum Location { LFL, LF, LCF, CF, RCF, RF, RFL };

// clang-format off
constexpr std::array<std::array<Location, 10>, kStyleCount> kLocations = {{
    //          0   1    2    3    4    5    6    7    8    9
    /* LSP */ {LF, RFL, RF,  RF,  RCF, RCF, CF,  CF,  LCF, LCF},
    /* LP  */ {CF, RFL, RFL, RF,  RF,  RF,  RCF, RCF, RCF, CF},
    /* RSP */ {RF, LFL, LF,  LF,  LCF, LCF, CF,  CF,  RCF, RCF},
    /* RP  */ {CF, LFL, LFL, LF,  LF,  LF,  LCF, LCF, LCF, CF},
}};
// clang-format on

constexpr std::array<std::string_view, kLocationCount> kWords = {"LFL", "LF", "LCF", "CF",
                                                                 "RCF", "RF", "RFL"};
constexpr std::array<std::string_view, kLocationCount> kFielders = {"LF", "LF", "CF", "CF",
                                                                    "CF", "RF", "RF"};

// Power 5 .. 1: what the rating adds to the distance step.
constexpr std::array<int, 5> kPowerOffset = {13, 8, 3, -2, -7};

// The roll needed, as the chart prints it for each power: 0 up to a wall of `zeroBelow`
// (a drive of 1 reaches a wall of 1 at any power), then the scale at wall + `index`
// until the wall is farther than `possibleUpTo`.
struct NeededRow {
  int power;
  int zeroBelow;  // walls below this need a roll of 0
  int index;      // added to the wall to find the scale entry
  int possibleUpTo;
};
// clang-format off
constexpr std::array<NeededRow, 5> kNeeded = {{
    // power  0 when W <   index W +   100 when W >
    {5,       13,          -13,        44},
    {4,       8,           -8,         39},
    {3,       3,           -3,         34},
    {2,       2,           2,          29},
    {1,       2,           7,          24},
}};
// clang-format on

// The lowest catching roll by range 1..7 and wall height; kNone: the ball is never caught.
constexpr int kNone = 21;
// clang-format off
constexpr std::array<std::array<int, 4>, 7> kCatchFrom = {{
    //         10-11  8-9    6-7    5 or less
    /* SP */ {20,    19,    18,    17},
    /* VG */ {20,    20,    19,    18},
    /* AV */ {kNone, 20,    20,    19},
    /* FR */ {kNone, kNone, kNone, 20},
    /* MD */ {kNone, kNone, kNone, kNone},
    /* PR */ {kNone, kNone, kNone, kNone},
    /* WK */ {kNone, kNone, kNone, kNone},
}};
// clang-format on

std::size_t clampIndex(int value, int count) {
  return static_cast<std::size_t>(std::clamp(value, 0, count - 1));
}

}  // namespace

int deepLocation(int style, int roll) {
  return kLocations[clampIndex(style, kStyleCount)][clampIndex(roll, 10)];
}

std::string_view locationWord(int location) {
  return kWords[clampIndex(location, kLocationCount)];
}

std::string_view fielder(int location) {
  return kFielders[clampIndex(location, kLocationCount)];
}

int distanceStep(int roll) {
  // The last threshold not above the roll; step 31 stays out of reach.
  const auto above = std::upper_bound(DistanceScale.begin(), DistanceScale.end() - 1, roll);
  return std::max(0, static_cast<int>(above - DistanceScale.begin()) - 1);
}

int powerOffset(int power) {
  return kPowerOffset[clampIndex(5 - power, 5)];
}

int driveDistance(int power, int roll) {
  return std::max(1, distanceStep(roll) + powerOffset(power));
}

int rollNeeded(int power, int wall) {
  const NeededRow& row = kNeeded[clampIndex(5 - power, 5)];
  if (wall < row.zeroBelow) return 0;
  if (wall > row.possibleUpTo) return kNotPossible;
  return DistanceScale[clampIndex(wall + row.index, static_cast<int>(DistanceScale.size()))];
}

void moveWalls(std::span<std::int16_t, kLocationCount> walls, int wind, bool clutchPitcher,
               bool clutchHitter, bool tired) {
  constexpr int kWindSteps = 5;
  constexpr int kClutchSteps = 5;
  constexpr int kTiredSteps = 5;
  const auto move = [&walls](int first, int last, int steps) {
    for (int slot = first; slot <= last; ++slot) {
      auto& wall = walls[static_cast<std::size_t>(slot)];
      wall = static_cast<std::int16_t>(std::clamp(wall + steps, -32768, 32767));
    }
  };
  switch (wind) {
    case 4:  // wind in
      move(0, 6, kWindSteps);
      break;
    case 3:  // wind out
      move(0, 6, -kWindSteps);
      break;
    case 2:  // across from left to right: the left side plays deeper, the right shorter
      move(0, 2, kWindSteps);
      move(4, 6, -kWindSteps);
      break;
    case 1:  // across from right to left
      move(0, 2, -kWindSteps);
      move(4, 6, kWindSteps);
      break;
    default:
      break;
  }
  if (clutchPitcher) move(0, 6, kClutchSteps);
  if (clutchHitter) move(0, 6, -kClutchSteps);
  if (tired) move(0, 6, -kTiredSteps);
}

std::string_view lineWord(bool fair) {
  return fair ? "Fair Ball" : "Foul Ball!";
}

Carry carry(int drive, int wall, int height, bool boston) {
  if (drive > wall) return Carry::HomeRun;
  if (drive == wall) return height >= kRobbingHeight ? Carry::HomeRunAtAHighWall : Carry::Robbed;
  return boston && drive + kOffTheWallSteps >= wall ? Carry::OffTheWall : Carry::Caught;
}

std::string carryWord(Carry carry, std::string_view fielder, bool boston) {
  switch (carry) {
    case Carry::HomeRun:
    case Carry::HomeRunAtAHighWall:
      return "Home Run!";
    case Carry::Robbed:
      return "Robbed?";
    case Carry::OffTheWall:
      return "Off the Wall!";
    case Carry::Caught:
      break;
  }
  return boston ? "Ball caught" : "Caught - " + std::string(fielder);
}

bool robbedCaught(int range, int height, int roll) {
  if (height >= kRobbingHeight) return false;
  const std::size_t column = height >= 10 ? 0 : height >= 8 ? 1 : height >= 6 ? 2 : 3;
  return roll >= kCatchFrom[clampIndex(range - 1, 7)][column];
}

std::string_view robbedWord(bool caught) {
  return caught ? "Caught!!" : "Home Run!";
}

}  // namespace vnt::deep
