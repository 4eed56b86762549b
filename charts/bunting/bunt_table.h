#pragma once

#include <string_view>

// The bunt roll: who fields the bunt, how much harder that makes it, and the chart.
namespace vnt::bunt {

// The outcomes in the order the chart's columns read them, left to right.
enum class Outcome { DP, Popout, LeadRunner, Error, Strikeout, SH, LeadOut, BeatOut, ToughPlay };

inline constexpr int kBestRating = 5;
inline constexpr int kWorstRating = 1;
inline constexpr int kGrass = 0;
inline constexpr int kTurf = 1;

// Scoring position numbers of the fielders a bunt can go to.
inline constexpr int kPitcher = 1;
inline constexpr int kCatcher = 2;
inline constexpr int kFirstBase = 3;
inline constexpr int kThirdBase = 5;

// The fielder for the fielder roll (0..9).
int fielderFor(int roll);
// "Catcher", "FirstBase", "ThirdBase" or "Pitcher".
std::string_view fielderWord(int fielder);

// The infield-defence boxes that bring a fielder closer to the plate.
struct DrawnIn {
  bool infieldIn = false;
  bool cornersIn = false;
  bool firstBaseIn = false;
  bool thirdBaseIn = false;
};
// The pitcher and catcher always field the bunt close in; a corner infielder only when the
// defence has him in. Such a fielder makes the bunt, the lead runner and the tough play
// harder.
bool fielderCloseIn(int fielder, const DrawnIn& defense);

// One step down the chart, never below its last row.
int lowerRating(int rating);

// Reads the result roll (0..99) for the playing field (0 grass, 1 turf) and the adjusted
// bunt rating (1..5; anything outside is taken as the nearest rating).
Outcome buntOutcome(int surface, int rating, int roll);

// The outcome as the chart names it ("DP?", "Lead Out?", "Tough Play", ...).
std::string_view outcomeWord(Outcome outcome);

}  // namespace vnt::bunt
