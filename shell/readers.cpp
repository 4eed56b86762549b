// The readers turn an option group's selection into the number the charts use.

#include "shell/form2.h"

namespace vnt {
namespace {

// The value of the selected element (index -> value), or -1 when none is selected.
template <typename Value>
std::int16_t readGroup(const ControlArray& group, Value value, std::int16_t none = -1) {
  std::int16_t result = none;
  for (const Control& element : group) {
    if (element.value) result = static_cast<std::int16_t>(value(element.index));
  }
  return result;
}

int sameAsIndex(int i) {
  return i;
}

}  // namespace

std::int16_t Form2::GetSurface() const {
  return readGroup(optSurface, sameAsIndex);
}
std::int16_t Form2::GetBattingStyle() const {
  return readGroup(OptBatting, sameAsIndex);
}
std::int16_t Form2::GetMonth() const {
  return readGroup(optMonth, [](int i) { return i + 1; });
}
std::int16_t Form2::GetTime() const {
  return readGroup(optTime, sameAsIndex);
}
std::int16_t Form2::GetRating() const {
  return readGroup(Option1, [](int i) { return 5 - i; });
}
std::int16_t Form2::GetWind() const {
  return readGroup(optWind, [](int i) { return 5 - i; });
}
// All thirty options, whatever the season's ballpark count.
std::int16_t Form2::GetBallpark() const {
  return readGroup(optBallpark, sameAsIndex);
}
std::int16_t Form2::GetIFDefense() const {
  return readGroup(chkIFDefense, [](int) { return 0; });
}

// -1 is a rating here ("-1"), so "nothing selected" is -99.
std::int16_t Form2::GetJumpRating() const {
  return readGroup(
      optJump, [](int i) { return 10 - i; }, -99);
}

std::int16_t Form2::errorRating() const {
  return readGroup(optError, [](int i) { return 20 - i; });
}

std::int16_t Form2::rangeRating() const {
  return readGroup(optRange, sameAsIndex);
}

// Reads the style as soon as it is picked; the charts read it again when they roll.
void Form2::OptBatting_Click(int) {
  GetBattingStyle();
}

}  // namespace vnt
