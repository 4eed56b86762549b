#pragma once

#include <string_view>

namespace vnt::steal {

enum class Base { Second, Third, Home };

// The outcomes in the order the chart reads them.
enum class Outcome { BlownCall, HardSlide, Collision, SB, SBE2, Dropped, Rundown, CS };

inline constexpr int kHighestRating = 10;
inline constexpr int kLowestRating = -3;
// From this season on a roll of 0 is a hard slide instead of a blown call.
inline constexpr int kFirstHardSlideSeason = 2016;

// Reads the percentile roll (0..99) against the base and the adjusted steal rating
// (10..-3; anything outside is taken as the nearest rating).
Outcome stealOutcome(Base base, int rating, int roll, int season);

// The outcome as the chart names it ("SB", "SB+E2", "Dropped?", ...).
std::string_view outcomeWord(Outcome outcome);
// What the result label shows for the roll: the chart's word, except that "SB+E2" shows as
// "SB + E2?" while its throw is still to come.
std::string_view shownWord(Outcome outcome);

// The throw-error roll (1..20) after "SB+E2" (the catcher's throw) or "Dropped?" (the
// fielder's catch), against the error rating as adjusted for the cold.
enum class ThrowResult { ThrowIntoOutfield, ThrowBlocked, Scooped, Dropped };
ThrowResult throwResult(bool catchersThrow, int errorRating, int roll);

// The word the throw-error roll shows: "SB+E2", "SB", "CS" or "Error".
std::string_view throwWord(ThrowResult result);

}  // namespace vnt::steal
