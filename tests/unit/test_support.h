#pragma once

#include <deque>
#include <string>
#include <vector>

#include "shell/dice.h"
#include "ui/dialogs.h"

namespace vnt::testing {

// Dice that return the queued values in order (0 once the queue is empty).
class QueuedDice final : public Dice {
 public:
  std::deque<std::int16_t> values;
  std::vector<std::pair<std::int16_t, std::int16_t>> draws;  // (upper, lower) of each draw
  std::int16_t RandomNumber(std::int16_t upper, std::int16_t lower) override {
    draws.emplace_back(upper, lower);
    if (values.empty()) return 0;
    const std::int16_t v = values.front();
    values.pop_front();
    return v;
  }
};

// Message boxes that record their prompts and answer Yes/No from a queue (No when empty).
class FakeDialogs final : public Dialogs {
 public:
  std::vector<std::pair<std::string, std::string>> shown;
  std::deque<bool> answers;
  void ok(const std::string& prompt, const std::string& title) override {
    shown.emplace_back(prompt, title);
  }
  bool yesNo(const std::string& prompt, const std::string& title) override {
    shown.emplace_back(prompt, title);
    if (answers.empty()) return false;
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
  }
};

}  // namespace vnt::testing
