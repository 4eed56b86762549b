#include "charts/chart_odds.h"

#include "shell/form2.h"

namespace vnt::odds {

std::string selectedCaption(const ControlArray& group) {
  for (const Control& option : group) {
    if (option.value) return plainCaption(option.caption);
  }
  return {};
}

void assume(Odds& odds, const std::string& what, const std::string& value) {
  odds.assumptions.push_back(plainCaption(what) + ": " + value);
}

void assumeCold(const Form2& form, Odds& odds) {
  // The box counts even where the screen does not show it: a cold day stays cold.
  if (form.chkError[0].value) assume(odds, "Cold", "-6");
}

}  // namespace vnt::odds
