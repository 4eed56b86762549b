#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// What a ball in play becomes in a particular park.
namespace vnt::bpe {

// A ballpark's eight thresholds as its record lists them: four for right-handed batters,
// then four for left-handed ones, each side rising.
using Thresholds = std::array<std::int16_t, 8>;

enum class Side { Right, Left };
// Batting styles 0 "LSP" and 1 "LP" bat left, 2 "RSP" and 3 "RP" right.
Side sideOf(int battingStyle);

// The outcomes from the top band down: "Deep!" above the side's fourth threshold, "1B gcf"
// above the third, "E?" above the second, "K" above the first, "EF cf" otherwise.
inline constexpr std::array<std::string_view, 5> kOutcomes = {"Deep!", "1B gcf", "E?", "K",
                                                              "EF cf"};

// The outcome of a roll (0..99) for the side. A roll equal to a threshold falls into the
// lower band.
std::string_view bpeOutcome(const Thresholds& thresholds, Side side, int roll);

}  // namespace vnt::bpe
