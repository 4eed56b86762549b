#pragma once

#include <string_view>

// The Sending Runners? chart: a runner sent for an extra base against the throw.
namespace vnt::sending_runners {

// The chart's columns, left to right.
enum class Outcome { SafePlus, SafeAdvance, Safe, Collision, Error, UnusualPlay, OutPlus, Out };
inline constexpr int kOutcomeCount = 8;

inline constexpr int kHighestSpeed = 12;
inline constexpr int kLowestSpeed = -1;
inline constexpr int kLowestRoll = 1;
inline constexpr int kHighestRoll = 20;

// Rolls first..last give the column's outcome; a column with last < first never occurs.
struct Band {
  int first;
  int last;
};

// The band of one column in the row of speed rating `speed` (12..-1).
Band band(int speed, Outcome column);

// The outcome of a roll of 1..20 for an adjusted speed rating of 12..-1.
Outcome outcome(int speed, int roll);

// The word shown in the result label, "Safe +" ... "Out".
std::string_view word(Outcome outcome);
// The sentence that follows the word in the explanation; empty for the results that need
// another step ("Collision!", "Error?", "Unusual Play").
std::string_view sentence(Outcome outcome);

// What an unusual play turns into, by the second roll (0..9).
enum class UnusualPlay { Rundown, BlownCall, Collision };
UnusualPlay unusualPlay(int roll);
// Umpires' blown calls became hard slides at the bag with the 2016 season.
std::string_view unusualPlayWord(UnusualPlay play, int season);

// The blown call or hard slide, settled by a roll of 0..9.
struct CallResult {
  std::string_view word;      // "Out!" or "Safe!"
  std::string_view sentence;  // follows "Blown Call" or "Hard Slide" in the explanation
};
CallResult blownCallOrHardSlide(int roll, int season);

// The throw-error follow-up: the throw is late (not an error) when the roll (1..20) does
// not exceed the thrower's error rating, already lowered for a cold game.
bool throwIsLate(int errorRating, int roll);
// "Throw Late" or "Wild Throw".
std::string_view throwWord(bool late);

}  // namespace vnt::sending_runners
