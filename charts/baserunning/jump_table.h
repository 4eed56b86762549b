#pragma once

#include <string_view>

namespace vnt::jump {

// Where the runner is going; the farther the base, the smaller his jump.
enum class Target { Second, Third, Home };

// The outcomes in the order the chart reads them.
enum class Outcome { E1, Attempts, JumpMinus2, Holds, Balk, Pickoff };

// The jump rating (10..1) adjusted for the base: third -2, home -4, never below 1.
int adjustedJump(int jumpRating, Target target);

// Reads the percentile roll (0..99) against the pitcher's hold rating (5..1) and the
// adjusted jump J (1..10). Ratings outside those ranges are taken as the nearest one.
Outcome jumpOutcome(int hold, int adjustedJump, int roll);

// The outcome as the chart names it ("E1?", "Attempts", "Jump -2", ...).
std::string_view outcomeWord(Outcome outcome);

// The one-die rolls (0..9) of the balk and pickoff sub-charts, rating 5..1, and their
// words: "Balk" or "Holds", "Pickoff" or "Holds".
bool balks(int balkRating, int roll);
bool picksOff(int pickoffRating, int roll);
std::string_view balkWord(bool balks);
std::string_view pickoffWord(bool picksOff);

// The pitcher's throw (roll 0..20) against his error rating as adjusted for the cold:
// above the rating it gets away from the fielder.
bool throwGetsAway(int errorRating, int roll);
// "E1 + Choice" when the throw gets away, "Holds" when it is blocked.
std::string_view throwWord(bool getsAway);

}  // namespace vnt::jump
