#pragma once

// What each die of each chart is for, in words: the box that asks the player for a die
// names it, and the game log writes it beside the die.

#include <string>
#include <string_view>
#include <vector>

#include "shell/game_log.h"

namespace vnt {

// The purpose of a draw made by a click on `control` (its inventory name): the `ordinal`-th
// draw of that click (from 0), after the steps the click has recorded so far, with the
// draw's bounds. Empty when the click is not one the program knows to roll.
std::string diePurpose(std::string_view control, int ordinal, const std::vector<LogStep>& earlier,
                       int upper, int lower);

}  // namespace vnt
