#pragma once

// What a screen reader is told about the window: each control's role and name, and which
// changes are announced. Every front end follows these rules, so the desktop window and the
// web page say the same thing.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "shell/control.h"

namespace vnt {

enum class AccessibleRole { Button, CheckBox, RadioButton, Group, Text, List, Image };

// Option buttons are radio buttons, though it is the model and not the toolkit that keeps
// one of a group selected; frames are groups and labels text.
AccessibleRole accessibleRole(ControlKind kind);

// The name read out for a control whose caption the front end shows as `shown`: cut to fit
// where it had to be, in the access-key notation of buttons, check boxes, option buttons and
// frames (a caption that is data has its '&' doubled), plain for labels. The result box
// carries its result in its name ("Result: 7"); the history and the logo have names of their
// own; an empty label in a frame goes by the frame's caption; every other control is read as
// shown, without access-key marks.
std::string accessibleName(const Control& control, std::string_view shown);

// Whether a change of the control's caption is announced: only the result box's, so that
// each new result is heard wherever the focus is.
bool announcesCaptionChange(const Control& control);

// What kind of live region a control is for a screen reader: the result box is a status,
// its changes read out politely (once what is being read is done, not cutting it off); no
// other control is one. A front end whose toolkit names such regions (a page's role="status")
// gives the control that role; the announcement itself follows announcesCaptionChange.
enum class LiveRegion { None, Status };
LiveRegion liveRegion(const Control& control);

// How a list shown as `shown` becomes `wanted`. The history grows at the bottom and, once
// full, loses its top lines: `dropped` lines go from the top, the lines that stay are kept,
// and the lines of `wanted` from `firstNew` on are added below them. Only the added lines are
// announced, so each roll is heard once.
struct ListUpdate {
  std::size_t dropped = 0;
  std::size_t firstNew = 0;
  bool operator==(const ListUpdate&) const = default;
};
ListUpdate listUpdate(const std::vector<std::string>& shown,
                      const std::vector<std::string>& wanted);

}  // namespace vnt
