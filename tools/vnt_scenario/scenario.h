#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "shell/dialogs.h"
#include "shell/dice.h"

namespace vnt {
class Form2;
}

namespace vnt::scenario {

// Thrown from anywhere inside a played scenario (also from within a click handler, through
// the scripted dice or dialogs) to stop it at the first failure.
struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Dice that hand out queued values and insist on the bounds of each draw.
class ScriptedDice final : public Dice {
 public:
  struct Queued {
    std::int16_t value;
    std::optional<std::pair<std::int16_t, std::int16_t>> bounds;  // required (upper, lower)
    int line;
  };
  std::int16_t RandomNumber(std::int16_t upper, std::int16_t lower) override;
  void queue(Queued value) { queue_.push_back(value); }
  const std::deque<Queued>& pending() const { return queue_; }

 private:
  std::deque<Queued> queue_;
};

// Message boxes that record what they showed and answer Yes/No from a queue.
class RecordingDialogs final : public Dialogs {
 public:
  struct Message {
    std::string prompt;
    std::string title;  // as shown: the application title when the box names none
  };
  void ok(const std::string& prompt, const std::string& title) override;
  bool yesNo(const std::string& prompt, const std::string& title) override;
  void queueAnswer(bool yes, int line) { answers_.push_back({yes, line}); }

  std::deque<Message>& unchecked() { return unchecked_; }
  struct Answer {
    bool yes;
    int line;
  };
  const std::deque<Answer>& pendingAnswers() const { return answers_; }

 private:
  std::deque<Message> unchecked_;
  std::deque<Answer> answers_;
};

struct Outcome {
  bool passed = true;
  std::string failure;  // "file:line: what was expected, what was found"
};

// A check of the whole window, run after `start` and after every click: it returns what it
// found wrong, or an empty text. Tests use it to look at every screen a scenario reaches.
using ScreenCheck = std::function<std::string(const Form2&)>;

// Plays one scenario file in a fresh temporary working directory.
Outcome play(const std::string& path, const ScreenCheck& check = {});

// How a scenario is played. With ownDice the window rolls through "Roll my own dice", the
// player typing in each queued value when asked (the quick dice still draw the queue
// directly); `asked`, when given, counts the dice asked for.
struct PlayOptions {
  bool ownDice = false;
  int* asked = nullptr;
};
Outcome play(const std::string& path, const ScreenCheck& check, const PlayOptions& options);

// Splits a scenario line into words and quoted strings (escapes resolved). Quoted strings
// keep a marker so "expect text Text1 \"\"" differs from a missing argument.
struct Token {
  std::string text;
  bool quoted = false;
};
std::vector<Token> tokenize(const std::string& line);
// A text as a quoted string of a scenario line, escaped so tokenize() reads it back whole.
std::string quote(const std::string& text);

}  // namespace vnt::scenario
