#pragma once

// The touch arrangement: the same controls as the classic window (same captions, same frames,
// same enabled state, the same order) flowed in sections for fingers and narrow screens. What
// goes in which section, in which order and in how many columns is decided here, from the
// controls as they stand; a front end only flows the sections, one below the other, and draws
// each control as it draws it in the classic window, as a target of at least kMinTarget px.
//
// Sizes are CSS pixels. Captions are measured in characters of an assumed width unless the
// front end gives a measure of its own (TouchMetrics::textWidth).

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/control.h"

namespace vnt {

class Form2;

// --- Which arrangement --------------------------------------------------------------------

enum class Arrangement { Classic, Touch };

// The player's choice, kept in the settings: "auto" (the default), "classic" or "touch".
enum class ArrangementChoice { Auto, Classic, Touch };

// The width the classic window needs at 100 %: its client area of 8436 twips, whole pixels.
inline constexpr int kClassicWidthPx = (8436 + 14) / 15;

// The player's choice wins; left to the program, fingers (a coarse pointer) or an area
// narrower than the classic window at 100 % get the touch arrangement, a fine pointer with
// room the classic window.
Arrangement chooseArrangement(ArrangementChoice choice, bool coarsePointer, int availableWidth);

// "auto", "classic", "touch", as the settings file writes them; parsing takes no other text.
std::string_view arrangementChoiceName(ArrangementChoice choice);
std::optional<ArrangementChoice> parseArrangementChoice(std::string_view text);

// --- The sections -------------------------------------------------------------------------

// Every control, dialog button and page button is at least this tall and wide.
inline constexpr int kMinTarget = 44;
// The newest history lines the head keeps in view (the list scrolls to its end).
inline constexpr int kHeadHistoryLines = 3;
// The head puts the result beside the history when each of the two gets this much room.
inline constexpr int kHeadColumnWidth = 300;

enum class SectionKind {
  Head,     // the result (Text1) and the history (List1): first, and always in view
  Status,   // the instruction or version line (Label1)
  Roll,     // the chart's roll buttons and their follow-ups
  Dice,     // the quick dice of the chart menu
  Charts,   // the chart menu's fourteen chart buttons
  Frame,    // a frame: its options, check boxes and buttons as a grid, its texts below
  Choices,  // option buttons outside any frame (the batting styles)
  Checks,   // check boxes outside any frame
  Buttons,  // other buttons outside any frame ("Select Season", the normal defence)
  Picture,  // the logo
  Text,     // any other label or list outside a frame
  Window,   // "&Cancel" / "&Continue" and "E&xit"
};

// Where a section stays while the rest scrolls: in view at the top (the head and the roll
// buttons, so a roll's result and the next roll need no scrolling) or at the bottom (the
// window's buttons, the way on after a result). A front end too short to hold them pinned
// may instead bring them into view at once after each roll.
enum class Pin { None, Top, Bottom };

struct TouchSection {
  SectionKind kind = SectionKind::Text;
  Pin pin = Pin::None;
  const Control* frame = nullptr;  // the frame of a Frame section, whose caption heads it
  // Laid on the grid row by row, in this order, which is also the order of the keyboard.
  std::vector<const Control*> items;
  // A frame's texts (and anything else without a target), full width below the grid.
  std::vector<const Control*> notes;
  int columns = 1;
  int columnWidth = 0;   // every column; a caption wider than its column breaks at blanks
  int historyLines = 0;  // the head: how many of the newest history lines stay in view
};

struct TouchMetrics {
  int width = 320;     // the room a section has, its margins already taken off
  int charWidth = 10;  // one caption character at the touch font (DejaVu Sans at 16 px)
  int gap = 8;         // between columns
  int padding = 16;    // inside a target, both sides together
  int markWidth = 32;  // an option's or check box's mark and the blank after it
  // The width of one line of caption at the touch font; empty: characters x charWidth.
  std::function<int(std::string_view)> textWidth;
};

struct TouchArrangement {
  std::vector<TouchSection> sections;
};

// The screen as it stands, arranged for touch. Every control on screen appears exactly once
// (a frame as its section's frame, the rest as items or notes); hidden controls never. The
// head comes first and the status line second; then the window's controls in Tab order, each
// frame with its contents where the frame stands and each option group or button array
// outside a frame together where its first element stands. Neighbouring loose controls of
// one kind share a section; the logo, with nothing to press, goes above the window's buttons.
TouchArrangement touchArrangement(const Form2& form, const TouchMetrics& metrics);

// The order of the keyboard in the touch arrangement: every item that takes the focus, section
// by section.
std::vector<const Control*> touchTabOrder(const TouchArrangement& arrangement);

std::string_view sectionKindName(SectionKind kind);
std::string_view pinName(Pin pin);

// The arrangement for the page: controls as their numbers in `controls` (Form2::controls(),
// the ids the page already knows), e.g.
// {"sections":[{"kind":"head","pin":"top","frame":-1,"items":[0,2],"notes":[],
//   "columns":2,"columnWidth":346,"historyLines":3},...]}
std::string touchArrangementJson(const TouchArrangement& arrangement,
                                 const std::vector<Control*>& controls);

}  // namespace vnt
