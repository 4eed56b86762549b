#include "shell/own_dice.h"

#include <charconv>

namespace vnt {
namespace {

bool validBounds(const DieRequest& request) {
  return request.lower <= request.upper;
}

}  // namespace

std::int16_t OwnDice::RandomNumber(std::int16_t upper, std::int16_t lower) {
  DieRequest request;
  request.upper = upper;
  request.lower = lower;
  return draw(request).value;
}

Die OwnDice::draw(const DieRequest& request) {
  if (!on_ || request.quick || !validBounds(request)) return rolling_.draw(request);
  const std::optional<int> answer = asker_.askDie(request);
  if (answer && *answer >= request.lower && *answer <= request.upper) {
    return {static_cast<std::int16_t>(*answer), true};
  }
  return rolling_.draw(request);
}

std::string dieRange(const DieRequest& request) {
  return std::to_string(request.lower) + " to " + std::to_string(request.upper);
}

std::string dieChart(const DieRequest& request) {
  return request.chart.empty() ? std::string("Dice") : request.chart;
}

std::string dieAsked(const DieRequest& request) {
  if (request.purpose.empty()) return "Your die: " + dieRange(request);
  return "Your die for " + request.purpose + ": " + dieRange(request);
}

DieEntry readDieEntry(std::string_view typed, const DieRequest& request) {
  const std::string wanted = "a number from " + dieRange(request) + ".";
  const std::size_t first = typed.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {std::nullopt, "Enter " + wanted};
  const std::size_t last = typed.find_last_not_of(" \t");
  const std::string_view text = typed.substr(first, last - first + 1);

  // Plain digits after an optional minus sign ("-", or U+2212 as typeset text has it). A
  // number of either sign outside the range is a number all the same, and is told so.
  constexpr std::string_view kMinusSign = "\xE2\x88\x92";
  const bool negative = text.front() == '-' || text.starts_with(kMinusSign);
  const std::string_view digits =
      negative ? text.substr(text.front() == '-' ? 1 : kMinusSign.size()) : text;
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) {
    return {std::nullopt, "Not a number: enter " + wanted};
  }
  const std::string outside = "Outside the range: enter " + wanted;
  long long value = 0;
  const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec != std::errc() || ptr != digits.data() + digits.size()) return {std::nullopt, outside};
  if (negative) value = -value;
  if (value < request.lower || value > request.upper) return {std::nullopt, outside};
  return {static_cast<int>(value), {}};
}

std::vector<std::string> dieChoices(const DieRequest& request) {
  std::vector<std::string> choices;
  for (int value = request.lower; value <= request.upper; ++value) {
    choices.push_back(std::to_string(value));
  }
  return choices;
}

}  // namespace vnt
