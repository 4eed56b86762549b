#pragma once

#include <string_view>

// The tough play: a bunt hard to field, settled by the fielder's range.
namespace vnt::tough_play {

// The outcomes in the order the chart's columns read them.
enum class Outcome { InfieldSingle, SH, LeadOut };

// Range by option index, 0 "SP" (best) to 6 "WK"; a fielder close in can reach -1.
inline constexpr int kBestRange = -1;
inline constexpr int kWorstRange = 6;

// The range the chart is read with: a fielder close in plays 2 better on grass, 3 on turf
// (surface 0 grass, 1 turf), never better than -1.
int adjustedRange(int range, bool fielderCloseIn, int surface);

// Reads the roll (0..99) for the adjusted range (anything outside is taken as the nearest).
Outcome toughPlay(int adjustedRange, int roll);

// "Infield Single", "SH" or "Lead Out".
std::string_view outcomeWord(Outcome outcome);
// What the play means for the batter and the runners.
std::string_view explanation(Outcome outcome);

}  // namespace vnt::tough_play
