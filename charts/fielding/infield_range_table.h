#pragma once

// The infield range chart as data: where a grounder or liner goes, how the alignment moves
// the fielder's range, and what a percentile roll against that range gives.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "charts/fielding/infield_defense.h"

namespace vnt::infield_range {

inline constexpr int kRollCount = 100;       // location and result rolls are 00..99
inline constexpr int kDoublePlayRolls = 10;  // the double-play location roll is one die
inline constexpr int kRatingCount = 7;       // SP (0, best) .. WK (6, worst)
inline constexpr int kBoxCount = infield::kBoxCount;

// Where the ball goes. The window keeps its words in HitLocation between the two clicks.
enum class Location : std::int16_t { DownTheLine, Ripped, OffTheEnd, InTheHole, UpTheMiddle };
inline constexpr int kLocationCount = 5;

// "Down the Line ", "Ripped! ", ... (each ends in a blank); empty for an unknown value.
std::string_view locationWords(Location location);
// The location whose words these are, if any.
std::optional<Location> locationNamed(std::string_view words);

// Fielders by their scorekeeping numbers; the catcher never plays a ball of this chart.
inline constexpr std::int16_t kPitcher = 1;
inline constexpr std::int16_t kFirstBase = 3;
inline constexpr std::int16_t kSecondBase = 4;
inline constexpr std::int16_t kThirdBase = 5;
inline constexpr std::int16_t kShortstop = 6;

// The fielder each option of the double-play location group names, by option index
// (0 "Pitcher" .. 4 "Shortstop"); -1 for any other index.
std::int16_t locationOptionFielder(int option);

// "P", "1B", "2B", "3B", "SS"; empty for any other number.
std::string_view fielderAbbreviation(int fielder);

// The location words followed by the fielder, e.g. "In the Hole SS".
std::string locationText(Location location, int fielder);

// The columns of the location table, in the chart's order.
enum class Column { LSP, LP, RSP, RP, HitAndRunL, HitAndRunR };
inline constexpr int kColumnCount = 6;

// The column for a batting style (0 LSP, 1 LP, 2 RSP, 3 RP): with the hit and run on, the
// hit-and-run column of the batter's side replaces the style's own.
Column locationColumn(int battingStyle, bool hitAndRun);

// Rolls lo..hi of one column; a row the column does not use has no band.
struct Band {
  int lo = -1;
  int hi = -1;
  bool used() const { return lo >= 0; }
  bool holds(int roll) const { return used() && lo <= roll && roll <= hi; }
};

struct LocationRow {
  Location location;
  std::int16_t fielder;
  std::array<Band, kColumnCount> bands;  // by Column
};

inline constexpr int kLocationRows = 19;

// The location table, rows in ascending roll order in every column.
const std::array<LocationRow, kLocationRows>& locationTable();

struct Spot {
  Location location;
  std::int16_t fielder;
};

// The location table: roll 00..99 in one column gives where the ball goes and who plays it.
Spot locate(Column column, int roll);

// With the infield in for a double play the player names the fielder; one die gives where
// the ball goes: 8-9 ripped, 4-7 in the hole, 0-3 down the line at a corner, else up the middle.
Location doublePlayLocation(int fielder, int roll);

// "SP", "VG", "AV", "FR", "MD", "PR", "WK".
std::string_view ratingName(int rating);

// Everything the range adjustment looks at.
struct Situation {
  bool doublePlayIn = false;
  std::array<bool, kBoxCount> boxes{};  // the infield-defence boxes, by index
  bool hitAndRun = false;
  int battingStyle = 0;  // 0, 1 are the L styles, 2, 3 the R styles
  int fielder = 0;
  Location location = Location::DownTheLine;
};

// The unadjusted rating index moved by the alignment, the hit and run or the double-play
// depth, and kept within SP..WK.
int adjustedRating(int rating, const Situation& situation);

enum class Result { DivingStop, CloseCall, Toss, KeptInInfield, GoesPast, Snagged };

// "Diving Stop", "Close Call", "Toss?", "Kept in Infield", "Goes Past", "Snagged".
std::string_view resultWord(Result result);

// The result roll (00..99) against the adjusted rating, surface 0 grass or 1 turf.
Result fieldResult(int surface, Location location, int rating, int roll);

// The boxes that bring this fielder in, for the diving stop's note on the runner at third.
bool fielderDrawnIn(const std::array<bool, kBoxCount>& boxes, int fielder);

// What happens to the batter and the runners: lines separated by carriage returns.
std::string explanation(Result result, Location location, int fielder, bool drawnIn);

}  // namespace vnt::infield_range
