#pragma once

#include <cstdint>
#include <limits>

namespace vnt {

// The check value of a season file: the sum S of its number fields, kept in a signed
// 16-bit variable, must give S * 2 - 2345. Data files in circulation were made with
// exactly this arithmetic, so its edges (skipped additions, the fallback) are kept.
class CheckSum {
 public:
  // An addition that would leave the 16-bit range is not performed; false tells so.
  bool add(int value) {
    const int next = int{sum_} + value;
    if (next >= std::numeric_limits<std::int16_t>::min() && next <= std::numeric_limits<std::int16_t>::max()) {
      sum_ = static_cast<std::int16_t>(next);
      return true;
    }
    return false;
  }

  std::int16_t sum() const { return sum_; }

  // S * 2 - 2345, or S itself when that would leave the 16-bit range.
  std::int16_t expected() const {
    const int value = int{sum_} * 2 - 2345;
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max()) {
      return sum_;
    }
    return static_cast<std::int16_t>(value);
  }

  bool matches(int checkValue) const { return checkValue == expected(); }

  // True when S * 2 - 2345 leaves the 16-bit range, so S itself is the check value.
  bool fallsBack() const {
    const int value = int{sum_} * 2 - 2345;
    return value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max();
  }

 private:
  std::int16_t sum_ = 0;
};

}  // namespace vnt
