#pragma once

#include <string>
#include <string_view>

// The foul-ball chart and the wild pitch / passed ball chart.
namespace vnt::wild_pitch {

// Rolls first..last give the column's outcome; a column with last < first never occurs.
struct Band {
  int first;
  int last;
};

// --- Possible foul ball -------------------------------------------------------------
// The columns of the foul chart: the pop-up falls foul, or is caught by one of these.
enum class Foul { Foul, C, FirstBase, ThirdBase, LF, RF };
inline constexpr int kFoulColumns = 6;

// The band of a column for foul-territory rating 1..5.
Band foulBand(int foulTerritory, Foul column);
// The outcome of a roll of 0..99; a rating outside 1..5 gives "RF" on every roll.
Foul foulBall(int foulTerritory, int roll);
// "Foul", or "Out - " and the fielder who makes the catch.
std::string foulWord(Foul outcome);

// --- Wild pitch / passed ball -------------------------------------------------------
enum class Pitch { WildPitchPlus, WildPitch, PassedBall, Blocked, BlockedPlus };
inline constexpr int kPitchColumns = 5;

// The band of a column for wild-pitch rating W (1..5) and passed-ball rating P (1..5).
Band pitchBand(int wildPitch, int passedBall, Pitch column);
// The outcome of a roll of 0..99.
Pitch pitch(int wildPitch, int passedBall, int roll);
// "WP+", "WP", "PB", "BLK", "BLK+".
std::string_view pitchWord(Pitch outcome);
// The explanation of the outcome, with or without the hit and run on.
std::string pitchText(Pitch outcome, bool hitAndRun);

}  // namespace vnt::wild_pitch
