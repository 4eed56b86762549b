#pragma once

// The outfield range chart as data: where a ball goes by batting style, and what a fielder
// of a given range makes of it.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vnt::outfield {

inline constexpr int kBattingStyles = 4;  // LSP, LP, RSP, RP
inline constexpr int kRatings = 7;        // SP (best) .. WK (worst)
inline constexpr int kLowestRoll = 0;
inline constexpr int kHighestRoll = 99;

// Fielder codes, as FielderPosition holds them.
enum Fielder : int {
  k1B = 3,
  k2B = 4,
  k3B = 5,
  kSS = 6,
  kLF = 7,
  kCF = 8,
  kRF = 9,
};

enum class Group { DownTheLine, OverTheHead, IntoTheGap, TexasLeaguer, ShallowBlooper };

struct Location {
  std::string_view text;  // names the fielder itself: "Over the Head CF"
  int fielder;
  Group group;
};

inline constexpr int kLocationCount = 19;

// The chart's rows, top to bottom.
extern const std::array<Location, kLocationCount> kLocations;

// The first and last roll of a location in one batting style's column.
struct Band {
  int low;
  int high;
};

// The band of row `row` in the column of `battingStyle`; none where the column skips it.
std::optional<Band> locationBand(int row, int battingStyle);

// The row the roll lands in for the batting style, or -1 when the inputs are out of range.
int locationRow(int battingStyle, int roll);

// The row holding this location text, or -1.
int locationRowOf(std::string_view text);

// "1B", "2B", "3B", "SS", "LF", "CF", "RF"; empty for any other code.
std::string_view fielderAbbreviation(int fielder);

// "SP" .. "WK" by rating index.
std::string_view ratingCaption(int rating);

// The rating after the ballpark has had its say, held to SP..WK. Only the ballpark's exact
// name counts; `warmDay` matters only at "Chicago NL".
int adjustRating(int rating, std::string_view ballpark, std::string_view location, bool warmDay);

enum class Result {
  IntoTheCorner,
  CutOff,
  RunningCatch,
  OffTheWall,
  ToTheWall,
  FallsIn,
  BouncesPast,
  GameWinningSingle,
  CaughtRunnersHold,
};

std::string_view resultWord(Result result);

inline constexpr int kGrass = 0;
inline constexpr int kTurf = 1;

// The chart's reading for a ball of `group` against a fielder of `rating` (0..6) on the
// surface (0 grass, 1 turf), before "Outfield In" is considered.
Result playResult(Group group, int surface, int rating, int roll);

// With the outfield drawn in, deep balls drop for the winning hit and short ones are caught;
// balls down the line play as usual.
Result withOutfieldIn(Group group, Result result);

// What the batter and runners do: the text that follows the result word in the detail box.
std::string explanation(Result result, const Location& location, int surface, bool outfieldIn);

}  // namespace vnt::outfield
