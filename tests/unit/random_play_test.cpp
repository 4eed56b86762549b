// Random play over the whole window: clicks on whatever the player can reach, dice within
// the bounds each draw asks for, random answers to every Yes/No box, and after each click
// the rules every chart keeps. The clicks know nothing of any chart, so a new chart is
// played as soon as its buttons exist.
//
// VNT_SOAK_CLICKS sets the number of clicks (for long runs), VNT_SOAK_SEED the seed. A
// failure prints its seed and writes the shortest run found that still fails as a
// scenario file, which `vnt-scenario` replays.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "charts/fielding/infield_defense.h"
#include "shell/form2.h"
#include "tests/unit/every_screen.h"
#include "tests/unit/screen_checks.h"
#include "tests/unit/test_support.h"
#include "tools/vnt_scenario/scenario.h"

namespace vnt {
namespace {

namespace fs = std::filesystem;

struct Draw {
  std::int16_t upper;
  std::int16_t lower;
  std::int16_t value;
};

struct Message {
  std::string prompt;
  std::string title;
};

// One click with the dice it drew and the answers it gave, in order.
struct Action {
  std::string control;
  int index = -1;
  std::vector<Draw> draws;
  std::vector<bool> answers;
  std::vector<Message> messages;  // every box shown, OK or Yes/No
};

// Where a draw or a box came in the course of one click.
enum class Event { Draw, Message };

// Dice and message boxes that either invent values (random play) or hand out recorded
// ones (replay), keeping the order of draws and boxes within a click.
class Script final : public Dice, public Dialogs {
 public:
  explicit Script(std::mt19937* random) : random_(random) {}

  void begin(const Action* replay) {
    replay_ = replay;
    draws_.clear();
    answers_.clear();
    messages_.clear();
    events_.clear();
    mismatch_ = false;
  }

  std::int16_t RandomNumber(std::int16_t upper, std::int16_t lower) override {
    events_.push_back(Event::Draw);
    std::int16_t value = lower;
    if (replay_) {
      const std::size_t n = draws_.size();
      if (n < replay_->draws.size() && replay_->draws[n].upper == upper &&
          replay_->draws[n].lower == lower) {
        value = replay_->draws[n].value;
      } else {
        mismatch_ = true;
      }
    } else if (upper >= lower) {
      value = static_cast<std::int16_t>(std::uniform_int_distribution<int>(lower, upper)(*random_));
    }
    draws_.push_back({upper, lower, value});
    return value;
  }

  void ok(const std::string& prompt, const std::string& title) override {
    events_.push_back(Event::Message);
    messages_.push_back({prompt, title.empty() ? kApplicationTitle : title});
  }

  bool yesNo(const std::string& prompt, const std::string& title) override {
    ok(prompt, title);
    bool yes = false;
    if (replay_) {
      const std::size_t n = answers_.size();
      if (n < replay_->answers.size()) {
        yes = replay_->answers[n];
      } else {
        mismatch_ = true;
      }
    } else {
      yes = ((*random_)() & 1u) != 0;
    }
    answers_.push_back(yes);
    return yes;
  }

  // The click used exactly what was recorded for it.
  bool matched() const {
    return !mismatch_ && (!replay_ || (draws_.size() == replay_->draws.size() &&
                                       answers_.size() == replay_->answers.size()));
  }

  std::vector<Draw> draws_;
  std::vector<bool> answers_;
  std::vector<Message> messages_;
  std::vector<Event> events_;

 private:
  std::mt19937* random_;
  const Action* replay_ = nullptr;
  bool mismatch_ = false;
};

bool isQuickDice(const Form2& form, const Control& c) {
  return &c == &form.cmdOne || &c == &form.cmdTwo || &c == &form.cmdThree || &c == &form.cmdTwenty;
}

bool clickable(const Control& c) {
  return (c.kind == ControlKind::Button || c.kind == ControlKind::Option ||
          c.kind == ControlKind::CheckBox) &&
         c.reachable();
}

// What the season choice fixed once and for all. The season frame is out of reach from
// then on, so nothing a later click does may change it either.
struct SeasonState {
  std::int16_t season;
  std::string text;
  std::int16_t count;
  std::vector<std::string> ballparks;
  std::vector<std::pair<bool, bool>> years;  // each season option: enabled, selected
  bool operator==(const SeasonState&) const = default;
};

SeasonState seasonState(const Form2& form) {
  SeasonState s{form.Season, form.SeasonText, form.BallparkCount, {}, {}};
  for (const auto& option : form.optBallpark) s.ballparks.push_back(option.caption);
  for (const auto& option : form.optYear) s.years.emplace_back(option.enabled, option.value);
  return s;
}

// The rules every screen keeps after every click, given what the click did; an empty text
// when all hold.
std::string brokenRule(const Form2& form, const Control& clicked, const Script& script,
                       const std::optional<SeasonState>& chosen) {
  std::ostringstream out;
  const auto rule = [&out](const std::string& text) {
    if (out.tellp() > 0) out << "; ";
    out << text;
  };

  // The history: at most eight entries, shown as they are kept.
  if (form.RollHistoryCount < 0 || form.RollHistoryCount > 8) {
    rule("history count " + std::to_string(form.RollHistoryCount));
  } else {
    const std::vector<std::string> kept(form.RollHistory.begin() + 1,
                                        form.RollHistory.begin() + 1 + form.RollHistoryCount);
    if (form.List1.items != kept) rule("history list differs from the history kept");
  }

  // At most one option selected in each group of each container.
  std::map<std::pair<const Control*, std::string>, int> selected;
  for (const Control* c : form.controls()) {
    if (c->kind == ControlKind::Option && c->value && ++selected[{c->container, c->name}] == 2) {
      rule("two options of " + c->name + " selected");
    }
  }

  // Screen state and title agree; the season, once chosen, stays as chosen.
  const std::string menuTitle = std::string(kApplicationTitle) + " " + form.SeasonText;
  switch (form.screenState()) {
    case ScreenState::SeasonSelection:
      if (form.title != kApplicationTitle || form.Season != -1) rule("season selection state");
      if (chosen) rule("season selection shown again");
      break;
    case ScreenState::ChartMenu:
      if (form.title != menuTitle) rule("chart menu titled " + form.title);
      break;
    case ScreenState::ChartSetup:
      // A set-up carries its chart's own title.
      if (form.title.empty() || form.title.starts_with(kApplicationTitle)) {
        rule("chart set-up titled " + form.title);
      }
      break;
  }
  if (form.screenState() != ScreenState::SeasonSelection) {
    if (form.Season == -1 || form.fraSeasons.visible || form.cmdYear.visible) {
      rule("season choice shown after the chart menu");
    }
    if (chosen && seasonState(form) != *chosen)
      rule("season or its frame changed after the choice");
  }

  // A click that asks for a missing choice rolls nothing after asking.
  bool asked = false;
  std::size_t message = 0;
  for (const Event e : script.events_) {
    if (e == Event::Message) {
      asked = asked || script.messages_[message++].prompt.starts_with("You must select");
    } else if (asked) {
      rule("a roll after \"You must select\"");
      break;
    }
  }

  // A roll button that has rolled is gone (the quick dice stay).
  if (clicked.kind == ControlKind::Button && !script.draws_.empty() &&
      !isQuickDice(form, clicked) && clicked.visible) {
    rule(clicked.displayName() + " rolled and is still shown");
  }

  // Checked infield-defence boxes never contradict each other; while the panel is on
  // screen and open to changes (a roll locks all of it), a box is usable exactly when no
  // checked box contradicts it.
  const bool panelShown = testing::shown(form.fraIFDefense) &&
                          std::any_of(form.chkIFDefense.begin(), form.chkIFDefense.end(),
                                      [](const Control& box) { return box.enabled; });
  for (const auto& box : form.chkIFDefense) {
    bool blocked = false;
    for (const auto& other : form.chkIFDefense) {
      if (other.value && infield::conflicts(other.index, box.index)) blocked = true;
    }
    if (box.value && blocked) rule(box.displayName() + " checked against another box");
    if (panelShown && box.enabled == blocked) rule(box.displayName() + " enabled wrongly");
  }

  const std::string layout = testing::layoutProblems(form);
  if (!layout.empty()) rule(layout);
  return out.str();
}

// One window from start-up: clicks it, checks it, and keeps what each click used.
class Play {
 public:
  explicit Play(std::mt19937* random) : script_(random) { form_.Form_Load(); }

  Form2& form() { return form_; }

  // Clicks `control` (found by name) with the recorded values of `replay`, or random ones.
  // The text of the rule broken, empty when none is; none when a replay went astray.
  std::optional<std::string> click(Control& control, const Action* replay) {
    script_.begin(replay);
    // Clicks go only where a player can click, as in the window and the scenario runner.
    if (!control.reachable()) return std::nullopt;
    form_.click(control);
    if (!script_.matched()) return std::nullopt;
    actions_.push_back(
        {control.name, control.index, script_.draws_, script_.answers_, script_.messages_});
    std::string broken = brokenRule(form_, control, script_, chosen_);
    if (!chosen_ && form_.Season != -1) chosen_ = seasonState(form_);
    return broken;
  }

  const std::vector<Action>& actions() const { return actions_; }

 private:
  Script script_;
  Form2 form_{script_, script_};
  std::vector<Action> actions_;
  std::optional<SeasonState> chosen_;
};

struct Replayed {
  bool valid = false;  // every click was reachable and used what was recorded
  std::string broken;  // the first rule broken, if any
  std::vector<Action> actions;
};

Replayed replay(const std::vector<Action>& actions) {
  Play play(nullptr);
  Replayed result;
  for (const Action& action : actions) {
    Control* control = play.form().find(action.control, action.index);
    if (control == nullptr) return result;
    const auto broken = play.click(*control, &action);
    if (!broken) return result;
    if (!broken->empty()) {
      result.broken = *broken;
      break;
    }
  }
  result.valid = true;
  result.actions = play.actions();
  return result;
}

// The failing run made shorter: drops stretches of clicks, halving their length, as long
// as the rest still breaks a rule.
std::vector<Action> reduce(std::vector<Action> actions) {
  int budget = 4000;  // replays; reduction is a courtesy, not a search for the minimum
  for (std::size_t chunk = actions.size() / 2; chunk >= 1 && budget > 0; chunk /= 2) {
    for (std::size_t at = 0; at < actions.size() && budget > 0;) {
      std::vector<Action> candidate(actions.begin(), actions.begin() + static_cast<long>(at));
      candidate.insert(candidate.end(),
                       actions.begin() + static_cast<long>(std::min(at + chunk, actions.size())),
                       actions.end());
      --budget;
      const Replayed r = replay(candidate);
      if (r.valid && !r.broken.empty()) {
        actions = r.actions;
      } else {
        at += chunk;
      }
    }
  }
  return actions;
}

// The run as a scenario: the bundled seasons, then each click with its dice and answers
// queued before it and its message boxes checked after it.
std::string scenarioText(const std::vector<Action>& actions, unsigned seed,
                         const std::string& broken) {
  std::ostringstream out;
  out << "# Random play, seed " << seed << ", reduced. After the last click: " << broken << "\n";
  out << "copy " << (fs::path(VNT_SOURCE_DIR) / "seasons").string() << "\nstart\n";
  for (const Action& a : actions) {
    for (const Draw& d : a.draws)
      out << "roll " << d.upper << " " << d.lower << " " << d.value << "\n";
    for (const bool yes : a.answers) out << "answer " << (yes ? "yes" : "no") << "\n";
    out << "click " << a.control << (a.index >= 0 ? " " + std::to_string(a.index) : "") << "\n";
    for (const Message& m : a.messages) {
      out << "expect message " << scenario::quote(m.prompt) << " " << scenario::quote(m.title)
          << "\n";
    }
  }
  return out.str();
}

long settingOr(const char* name, long fallback) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return fallback;
  return std::strtol(value, nullptr, 10);
}

class RandomPlay : public ::testing::Test {
 protected:
  testing::InBundledSeasons seasons;  // previous(): a failing run's scenario goes there
};

TEST_F(RandomPlay, EveryClickKeepsTheRulesOfEveryScreen) {
  const long clicks = settingOr("VNT_SOAK_CLICKS", 50000);
  const auto seed = static_cast<unsigned>(settingOr("VNT_SOAK_SEED", std::random_device()()));
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> restart(0, 1999);

  auto play = std::make_unique<Play>(&random);
  long windows = 1;
  for (long step = 0; step < clicks; ++step) {
    // A run ends with "Confirm Exit" answered Yes, and now and then the program is simply
    // started again, so every season gets its turn.
    if (play->form().ended() || restart(random) == 0) {
      play = std::make_unique<Play>(&random);
      ++windows;
    }
    std::vector<Control*> targets;
    for (Control* c : play->form().controls()) {
      if (clickable(*c)) targets.push_back(c);
    }
    ASSERT_FALSE(targets.empty()) << "nothing to click; seed " << seed;
    // Leaving is one click among many; taken as often as the others, it would end most
    // runs before they reach a chart's follow-ups.
    Control* pick = nullptr;
    do {
      pick = targets[std::uniform_int_distribution<std::size_t>(0, targets.size() - 1)(random)];
    } while (pick == &play->form().cmdExit && targets.size() > 1 && random() % 8 != 0);
    Control& target = *pick;
    const std::string broken = play->click(target, nullptr).value_or("click went astray");
    if (broken.empty()) continue;

    const std::vector<Action> shortest = reduce(play->actions());
    const std::string file = "random_play_seed_" + std::to_string(seed) + ".scn";
    const fs::path written = seasons.previous() / file;
    std::ofstream(written) << scenarioText(shortest, seed, replay(shortest).broken);
    FAIL() << "seed " << seed << " (VNT_SOAK_SEED=" << seed << "), click " << step << " on "
           << target.displayName() << ": " << broken << "\nreduced to " << shortest.size()
           << " clicks in " << written.string();
  }
  std::printf("%ld clicks in %ld windows, seed %u\n", clicks, windows, seed);
}

}  // namespace
}  // namespace vnt
