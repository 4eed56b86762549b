#include "shell/odds.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

#include "shell/control.h"

namespace vnt::odds {

Chance::Chance(std::uint64_t numerator, std::uint64_t denominator) {
  if (denominator == 0) throw std::invalid_argument("a chance out of nothing");
  const std::uint64_t divisor = std::gcd(numerator, denominator);
  num_ = numerator / divisor;
  den_ = denominator / divisor;
}

Chance Chance::operator+(const Chance& other) const {
  // Over the least common denominator, so the numbers stay as small as the dice allow.
  const std::uint64_t divisor = std::gcd(den_, other.den_);
  const std::uint64_t common = den_ / divisor * other.den_;
  return {num_ * (common / den_) + other.num_ * (common / other.den_), common};
}

Chance Chance::operator*(const Chance& other) const {
  // Cross-reduce first to keep the products small.
  const std::uint64_t a = std::gcd(num_, other.den_);
  const std::uint64_t b = std::gcd(other.num_, den_);
  const std::uint64_t aa = a == 0 ? 1 : a;
  const std::uint64_t bb = b == 0 ? 1 : b;
  return {(num_ / aa) * (other.num_ / bb), (den_ / bb) * (other.den_ / aa)};
}

Chance Chance::operator/(const Chance& other) const {
  return *this * Chance(other.den_, other.num_);
}

std::string percent(const Chance& chance) {
  // Tenths of a percent, rounded half up, in whole numbers so no float blurs an edge.
  const std::uint64_t tenths =
      (chance.numerator() * 2000 + chance.denominator()) / (chance.denominator() * 2);
  if (tenths == 0 && !chance.isZero()) return "<0.1%";
  std::string text = std::to_string(tenths / 10);
  if (tenths % 10 != 0) {
    // Appended in two steps: GCC 12 at -O3 warns falsely (-Wrestrict) on "." + string.
    text += '.';
    text += std::to_string(tenths % 10);
  }
  return text + "%";
}

Tally::Tally(const std::vector<std::string_view>& order) {
  for (const std::string_view word : order) add(word, Chance());
}

void Tally::add(std::string_view word, const Chance& chance) {
  if (denominator_ % chance.denominator() != 0) {
    const std::uint64_t common = std::lcm(denominator_, chance.denominator());
    for (Count& c : counts_) c.count *= common / denominator_;
    denominator_ = common;
  }
  const std::uint64_t count = chance.numerator() * (denominator_ / chance.denominator());
  for (Count& c : counts_) {
    if (c.word == word) {
      c.count += count;
      return;
    }
  }
  counts_.push_back({std::string(word), count});
}

Section Tally::section(std::string heading) const {
  Section section{std::move(heading), {}, {}};
  for (const Count& c : counts_) {
    if (c.count != 0) section.lines.push_back({c.word, Chance(c.count, denominator_)});
  }
  return section;
}

void Odds::say(const std::string& lines) {
  // Two buttons missing the same selection ask for it once.
  std::size_t start = 0;
  while (start <= lines.size()) {
    const std::size_t end = std::min(lines.find('\n', start), lines.size());
    const std::string line = lines.substr(start, end - start);
    const std::string padded = "\n" + message + "\n";
    if (!line.empty() && padded.find("\n" + line + "\n") == std::string::npos) {
      if (!message.empty()) message += "\n";
      message += line;
    }
    start = end + 1;
  }
}

const Line* firstLine(const Odds& odds, std::string_view word) {
  if (!odds.message.empty()) return nullptr;
  for (const Section& section : odds.sections) {
    for (const Line& line : section.lines) {
      if (line.word == word) return &line;
    }
  }
  return nullptr;
}

std::string text(const Odds& odds) {
  std::string out = odds.chart + "\n";
  for (const std::string& assumption : odds.assumptions) out += "  " + assumption + "\n";
  if (!odds.message.empty()) {
    out += odds.message + "\n";
  } else {
    for (const Section& section : odds.sections) {
      out += section.shownHeading() + "\n";
      for (const Line& line : section.lines)
        out += "  " + line.word + "  " + percent(line.chance) + "\n";
    }
  }
  if (!odds.next.empty()) out += odds.next + "\n";
  return out;
}

std::string plainCaption(std::string_view caption) {
  return withoutAccessKey(caption);
}

}  // namespace vnt::odds
