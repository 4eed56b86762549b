#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
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

// The walls of the locations (slots 0..6 of a Deep record, in distance steps) as the wind
// moves them (as GetWind reads it: 5 none, 4 in, 3 out, 2 across from left to right, 1 from
// right to left), then a clutch pitcher (+5), a clutch hitter (-5) and a tired pitcher (-5).
// A wall at the edge of 16 bits stays there rather than wrapping round to a short one.
void moveWalls(std::span<std::int16_t, kLocationCount> walls, int wind, bool clutchPitcher,
               bool clutchHitter, bool tired);

// A foul-line drive stays fair from this roll (0..99) on: "Fair Ball", else "Foul Ball!".
inline constexpr int kFairFrom = 26;
std::string_view lineWord(bool fair);

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

// What a drive does at the wall of its location: over it; just reaching a high wall (a home
// run too, with the height shown); just reaching a low one, where the fielder may leap; or
// short of it, caught, except that at Boston a drive up to 10 steps short comes off the wall.
enum class Carry { HomeRun, HomeRunAtAHighWall, Robbed, OffTheWall, Caught };
inline constexpr int kOffTheWallSteps = 10;
Carry carry(int drive, int wall, int height, bool boston);
// The carry's word: "Home Run!", "Robbed?", "Off the Wall!", or "Caught - " and the fielder.
// At Boston a ball caught is "Ball caught": there, as off the wall, the result label shows
// no word and the explanation opens with it.
std::string carryWord(Carry carry, std::string_view fielder, bool boston);

// The leap at a low wall: whether the roll (1..20) catches the ball for range 1 ("SP") to
// 7 ("WK") at a wall of `height` feet.
bool robbedCaught(int range, int height, int roll);
// "Caught!!" or "Home Run!".
std::string_view robbedWord(bool caught);

}  // namespace vnt::deep
