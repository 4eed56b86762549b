#pragma once

#include <string_view>
#include <vector>

#include "shell/season_files.h"

// The season's list of crazy plays.
namespace vnt::crazy {

// The description of the play a roll (0..999) draws: the last record in file order whose
// threshold is not above the roll, so of equal thresholds the later one wins. Empty when
// every threshold is above the roll.
std::string_view crazyPlay(const std::vector<CrazyPlay>& records, int roll);

}  // namespace vnt::crazy
