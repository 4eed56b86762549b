#pragma once

// "Roll my own dice": the player rolls the real dice at the table and types each one in.
// The charts do not know: they draw through Dice as always, and these dice ask the player
// for each value, in a small box that names the chart, what the die is for and its range.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/dice.h"

namespace vnt {

// The front end's die box.
class DieAsker {
 public:
  virtual ~DieAsker() = default;
  // The value the player entered, within the request's bounds (the box refuses anything
  // else: see readDieEntry), or nullopt for "Roll for me". A box closed without an answer
  // is "Roll for me" too: a chart half-way through its result cannot be left.
  virtual std::optional<int> askDie(const DieRequest& request) = 0;
};

class OwnDice final : public Dice {
 public:
  // `rolling` rolls when the setting is off, for the quick dice, and for "Roll for me".
  OwnDice(Dice& rolling, DieAsker& asker) : rolling_(rolling), asker_(asker) {}

  void setOn(bool on) { on_ = on; }
  bool on() const { return on_; }

  // A draw nobody described: asked for with its range alone.
  std::int16_t RandomNumber(std::int16_t upper, std::int16_t lower) override;
  // The chart's dice are asked for; an answer outside the bounds never reaches a chart
  // (it would read past the chart's tables), so that die is rolled instead.
  Die draw(const DieRequest& request) override;

 private:
  Dice& rolling_;
  DieAsker& asker_;
  bool on_ = false;
};

// "0 to 99", "1 to 20".
std::string dieRange(const DieRequest& request);

// What the die box says, the same in every front end: the chart the die is for ("Dice"
// when none is named) and what is asked ("Your die for the steal, ...: 0 to 99").
std::string dieChart(const DieRequest& request);
std::string dieAsked(const DieRequest& request);

// What the player typed into the box: the value, or why it is refused, with the range.
struct DieEntry {
  std::optional<int> value;
  std::string refusal;
};
DieEntry readDieEntry(std::string_view typed, const DieRequest& request);

// The values the box offers to pick from, lowest first, as they are typed.
std::vector<std::string> dieChoices(const DieRequest& request);

}  // namespace vnt
