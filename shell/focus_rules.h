#pragma once

// Where the keyboard focus goes: which controls take it, the Tab order, and the control that
// takes it over when a click hides or disables the one holding it. Every front end follows
// these rules, so the keyboard works the same in each.

#include <vector>

#include "shell/control.h"

namespace vnt {

class Form2;

// Buttons, check boxes and option buttons take the focus. Labels, frames and the logo have
// nothing to press, and nothing in the history can be chosen.
bool takesFocus(const Control& control);

// The controls that take the focus in Tab order: the window's own in rows from the top, left
// to right (ties in creation order), and a frame's contents, in their creation order, where
// the frame stands (the seasons by year, ratings high to low). Hidden and disabled controls
// are listed too: a front end passes over those the player cannot reach. `controls` is in
// creation order, frames before their contents, as Form2::controls() gives them.
std::vector<const Control*> tabOrder(const std::vector<Control*>& controls);

// Every control in the order a front end's tree of elements holds them, so that the tree's own
// order is the Tab order: the same walk as tabOrder, labels, frames, lists and the logo
// included. A front end whose order is the tree's (the web page) arranges each container's
// contents by it; positions stay where the layout puts them.
std::vector<const Control*> treeOrder(const std::vector<Control*>& controls);

// Option buttons in the same container are one group and one Tab stop, as radio groups are:
// the stop is the group's selected option when the player can reach it, else its first
// reachable option in Tab order. Null for a control that is no option, or a group with
// nothing reachable.
const Control* groupTabStop(const std::vector<Control*>& controls, const Control& option);

// The controls Tab stops at, in Tab order: every control that takes the focus, except the
// options of a group that are not its stop (so a group with nothing reachable has none).
// Other controls are listed reachable or not, as in tabOrder.
std::vector<const Control*> tabStops(const std::vector<Control*>& controls);

// Where an arrow key takes the focus from an option: the next reachable option of its group
// in Tab order (`step` 1 for Down and Right) or the one before (-1 for Up and Left), round
// from the last to the first. The front end selects it, as a click would. Null when `from` is
// no option or its group has no other reachable option.
const Control* arrowTarget(const std::vector<Control*>& controls, const Control& from, int step);

// Where the focus goes when a click has hidden or disabled `lost`, the control holding it:
// "&Continue" once a result is complete; else a button the click brought up in the same
// container over the lost control's place (a follow-up that took the roll button's place);
// else, on a new screen, its first button in Tab order, or failing that its first control.
// Null when the player can reach none. `shownBefore[i]` says whether form.controls()[i] was
// on screen before the click.
const Control* focusAfterLosing(const Form2& form, const Control& lost,
                                const std::vector<bool>& shownBefore);

}  // namespace vnt
