#pragma once

#include <string>
#include <string_view>

namespace vnt::injury {

inline constexpr int kSturdiest = 5;
inline constexpr int kMostFragile = 1;

// What a new injury roll (0..99) reads: a number of days, the rest of the season, or (for
// the most fragile players) a second roll whose number is the days missed.
struct Missed {
  enum class Kind { Days, Season, RollAgain };
  Kind kind = Kind::Days;
  int days = 0;  // for Kind::Days
  bool operator==(const Missed&) const = default;
};

// Reads the injury rating (1..5; anything outside is taken as the nearest) and the roll.
Missed injuryDays(int rating, int roll);

// "1 Day", "2 Days", "0 Days".
std::string dayCount(int days);
// What the result label shows: the day count, "Out" for the rest of the season, and
// "# Missed" for the second roll that gives the days.
std::string missedWord(const Missed& missed);

// Whether an injured player may play today, from a roll of 1..20.
enum class Status { Play, Sore, Out };
Status recoveryStatus(int rating, int roll);

// "Play", "Sore" or "Out".
std::string_view statusWord(Status status);

}  // namespace vnt::injury
