#pragma once

// The odds of a roll before it is made: exact chances of each outcome word, worked out by
// reading the chart for every die value. Nothing here draws a die or touches the window.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vnt::odds {

// An exact chance, kept as a reduced fraction.
class Chance {
 public:
  constexpr Chance() = default;  // no chance at all
  Chance(std::uint64_t numerator, std::uint64_t denominator);

  std::uint64_t numerator() const { return num_; }
  std::uint64_t denominator() const { return den_; }
  bool isZero() const { return num_ == 0; }

  Chance operator+(const Chance& other) const;
  Chance operator*(const Chance& other) const;
  // Of a chance that is not 0: the chance of this one given that one.
  Chance operator/(const Chance& other) const;
  Chance& operator+=(const Chance& other) { return *this = *this + other; }
  bool operator==(const Chance& other) const = default;

 private:
  std::uint64_t num_ = 0;
  std::uint64_t den_ = 1;
};

// One die value out of `sides`.
inline Chance oneIn(int sides) {
  return Chance(1, static_cast<std::uint64_t>(sides));
}

// The chance that it does not happen.
inline Chance complement(const Chance& chance) {
  return Chance(chance.denominator() - chance.numerator(), chance.denominator());
}

// As the player reads it: rounded to one decimal, a trailing ".0" dropped ("75%", "46.4%");
// a chance above 0 that would round to 0 shows "<0.1%".
std::string percent(const Chance& chance);

struct Line {
  std::string word;  // the outcome as the result label shows it
  Chance chance;
};

// The distribution of one roll: a roll button's, or one of several rolls of one click.
struct Section {
  std::string heading;      // the roll button's caption, and what part of its roll
  std::vector<Line> lines;  // the chart's order; outcomes without a chance are left out
  // The roll in the player's words ("Steal roll", "Bunt: fielder"), which front ends show
  // as the heading; empty where none is known, and `heading` serves.
  std::string title;

  const std::string& shownHeading() const { return title.empty() ? heading : title; }
};

// Adds up the chances of each outcome word while the die values are enumerated. Words
// named up front keep that order; others follow in the order they first come up.
class Tally {
 public:
  Tally() = default;
  explicit Tally(const std::vector<std::string_view>& order);

  void add(std::string_view word, const Chance& chance);
  Section section(std::string heading) const;

 private:
  // Counts over one common denominator: adding is then a plain sum, and the fractions are
  // reduced once, when the section is made.
  struct Count {
    std::string word;
    std::uint64_t count;
  };
  std::vector<Count> counts_;
  std::uint64_t denominator_ = 1;
};

// What the odds window shows for the screen as it stands.
struct Odds {
  std::string chart;                     // the chart's title, as the window shows it
  std::vector<std::string> assumptions;  // the selections the numbers are for
  std::string message;                   // shown instead of numbers, line by line
  std::vector<Section> sections;
  // What the player can do next when there is nothing to roll, or which follow-up the
  // sections are for after a roll; shown below the rest.
  std::string next;

  // Lines of the message (a missing selection, an unreadable file); a line already there
  // is not repeated.
  void say(const std::string& lines);
  bool hasNumbers() const { return message.empty() && !sections.empty(); }
};

// The first line naming `word`, in section order; null when no line does.
const Line* firstLine(const Odds& odds, std::string_view word);

// The whole odds as plain text, one line each: chart, assumptions, then each section's
// heading and its "WORD  PERCENT" lines (or the message).
std::string text(const Odds& odds);

// A roll button's caption without its access-key ampersand.
std::string plainCaption(std::string_view caption);

}  // namespace vnt::odds
