#pragma once

// Checks of a whole screen that several tests run on every screen they reach.

#include <string>
#include <vector>

#include "shell/form2.h"
#include "tests/unit/every_screen.h"

namespace vnt::testing {

inline constexpr int kClientWidth = 8436;
inline constexpr int kClientHeight = 8724;

inline bool overlap(const Twips& a, const Twips& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

// What is wrong with the layout of the screen as it stands, or an empty text.
inline std::string layoutProblems(const Form2& form) {
  std::string problems;
  const auto add = [&problems](const std::string& problem) {
    problems += (problems.empty() ? "" : "; ") + problem;
  };
  std::vector<const Control*> visible;
  for (const Control* c : form.controls()) {
    if (testing::shown(*c)) visible.push_back(c);
  }
  for (const Control* c : visible) {
    const int width = c->container ? c->container->layout.width : kClientWidth;
    const int height = c->container ? c->container->layout.height : kClientHeight;
    const Twips& r = c->layout;
    if (r.left < 0 || r.top < 0 || r.width <= 0 || r.height <= 0 || r.left + r.width > width ||
        r.top + r.height > height) {
      add(c->displayName() + " sticks out of its container");
    }
  }
  for (std::size_t i = 0; i < visible.size(); ++i) {
    for (std::size_t j = i + 1; j < visible.size(); ++j) {
      if (visible[i]->container == visible[j]->container &&
          overlap(visible[i]->layout, visible[j]->layout)) {
        add(visible[i]->displayName() + " overlaps " + visible[j]->displayName());
      }
    }
  }
  return problems;
}

}  // namespace vnt::testing
