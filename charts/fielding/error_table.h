#pragma once

// The error chart as printed: one table per kind of fielder, a row per adjusted error
// rating, a column per result code holding the range of percentile rolls that gives it.

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vnt::error {

enum class Code {
  E0,
  E1,
  E2,
  E2Plus,
  E3,
  SingleE1,  // "1B+E(1)"
  DoubleE1,  // "2B+E(1)"
  RGPlus,
  DP,
  SG,
  Popout,
  FoulOut,
  ShortFly,
  EF,
  WetField,
};

inline constexpr int kBestRating = 20;
inline constexpr int kWorstRating = 1;
inline constexpr int kLowestRoll = 0;
inline constexpr int kHighestRoll = 99;
inline constexpr std::size_t kMaxColumns = 8;

// Roll ranges both ends included. A cell of the chart reads "07", "08-22" or "-" (the code
// cannot occur for that rating); "-" gives an empty range.
struct Range {
  int low = 1;
  int high = 0;
  constexpr bool empty() const { return low > high; }
  constexpr bool holds(int roll) const { return low <= roll && roll <= high; }
};

struct Row {
  int rating;
  std::array<std::string_view, kMaxColumns> cells;  // one per column of the table
};

struct Table {
  std::span<const Code> columns;  // left to right
  std::span<const Row> rows;      // top to bottom, rating 20 first
};

// The cell's range, or nothing when the cell is not written as the chart writes ranges.
constexpr std::optional<Range> parseCell(std::string_view cell) {
  if (cell == "-") return Range{};
  const auto twoDigits = [](std::string_view s) -> int {
    if (s.size() != 2 || s[0] < '0' || s[0] > '9' || s[1] < '0' || s[1] > '9') return -1;
    return (s[0] - '0') * 10 + (s[1] - '0');
  };
  if (cell.size() == 2) {
    const int roll = twoDigits(cell);
    if (roll < 0) return std::nullopt;
    return Range{roll, roll};
  }
  if (cell.size() == 5 && cell[2] == '-') {
    const int low = twoDigits(cell.substr(0, 2));
    const int high = twoDigits(cell.substr(3, 2));
    if (low < 0 || high < low) return std::nullopt;
    return Range{low, high};
  }
  return std::nullopt;
}

// The table read for a fielder 1..9 (third base and shortstop share one, and so do the
// three outfielders), or nothing for any other number.
std::optional<Table> tableFor(int fielder);

// Drawn in, only an infielder (first, second, third, short) has less time to field the ball.
bool isInfielder(int fielder);

// The rating the roll is read against: "Cold" costs every fielder 6, "In" an infielder 6,
// and no rating goes below the worst one.
int adjustedRating(int rating, bool cold, bool infieldIn, int fielder);

// The result code for the fielder, the adjusted rating 1..20 and the roll 0..99; nothing
// when an input lies outside the chart.
std::optional<Code> lookUp(int fielder, int rating, int roll);

// "E(2)+", "RG+", "Foul Out", ...
std::string_view codeText(Code code);

// The detail text shown under the result. The "RG+" text ends with the penalty of the
// rules in force in the season (-1 when none is chosen).
std::string explanation(Code code, int season);

}  // namespace vnt::error
