#pragma once

#include <array>
#include <string_view>

// A ball hit deep: where it goes, how far it carries, and the catch at a low wall.
namespace vnt::deep {

// Field locations from the left-field line round to the right-field line.
inline constexpr int kLocationCount = 7;
inline constexpr int kLeftFieldLine = 0;
inline constexpr int kRightFieldLine = 6;

// Batting styles as the batting options give them: 0 "LSP", 1 "LP", 2 "RSP", 3 "RP".
inline constexpr int kStyleCount = 4;

// The location (0..6) of the location roll (0..9) for the batting style.
int deepLocation(int style, int roll);
// "LFL", "LF", "LCF", "CF", "RCF", "RF", "RFL".
std::string_view locationWord(int location);
// The outfielder who plays the location: "LF", "CF" or "RF".
std::string_view fielder(int location);

// A foul-line drive stays fair from this roll (0..99) on.
inline constexpr int kFairFrom = 26;

// The lowest roll of each distance step; step 31 (100) is never rolled.
// clang-format off
inline constexpr std::array<int, 32> DistanceScale = {
    0, 4, 8, 12, 16, 20, 24, 28, 32, 36, 40, 44, 48, 52, 56, 60,
    64, 68, 72, 76, 80, 84, 87, 90, 93, 94, 95, 96, 97, 98, 99, 100};
// clang-format on

// The distance step (0..30) of a distance roll (0..99).
int distanceStep(int roll);
// What the power rating (5 best .. 1) adds to the step.
int powerOffset(int power);
// How far the drive carries: step plus power offset, never below 1.
int driveDistance(int power, int roll);
// The smallest distance roll whose drive reaches a wall of `wall` (at least 1) steps for
// the power rating; 100 when no roll can.
int rollNeeded(int power, int wall);
inline constexpr int kNotPossible = 100;

// Walls this high or higher turn a drive that just reaches them into a home run.
inline constexpr int kRobbingHeight = 12;

// The leap at a low wall: whether the roll (1..20) catches the ball for range 1 ("SP") to
// 7 ("WK") at a wall of `height` feet.
bool robbedCaught(int range, int height, int roll);

}  // namespace vnt::deep
