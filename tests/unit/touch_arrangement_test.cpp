// The touch arrangement of every screen: every control on screen once, in the keyboard's
// order, in sections whose grids fit the width, with the result, the history and the roll
// buttons kept in view.

#include "shell/touch_arrangement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "shell/focus_rules.h"
#include "shell/form2.h"
#include "tests/unit/every_screen.h"
#include "tests/unit/test_support.h"
#include "tools/vnt_scenario/scenario.h"

namespace vnt {
namespace {

namespace fs = std::filesystem;

// Phones in portrait and landscape, tablets, a laptop.
constexpr int kWidths[] = {320, 390, 568, 768, 1024, 1366};

TouchMetrics metricsFor(int width) {
  TouchMetrics metrics;
  metrics.width = width;
  return metrics;
}

std::vector<std::string> names(const std::vector<const Control*>& controls) {
  std::vector<std::string> out;
  for (const Control* c : controls) out.push_back(c->displayName());
  return out;
}

bool isRollButton(const Form2& form, const Control& c) {
  for (const Form2::RollOdds& roll : Form2::rollOdds()) {
    if (&(form.*roll.button) == &c) return true;
  }
  return false;
}

// Where a control stands in the keyboard's order of the classic window, except that an option
// group or button array outside any frame stays together where its first element on screen
// stands, as a frame's contents do.
std::map<const Control*, std::pair<int, int>> expectedRanks(const Form2& form) {
  std::map<const Control*, std::pair<int, int>> rank;
  std::map<std::string, int> firstOfArray;
  int place = 0;
  for (const Control* c : tabOrder(form.controls())) {
    if (!testing::shown(*c)) continue;
    ++place;
    int at = place;
    if (c->container == nullptr && c->index >= 0) {
      at = firstOfArray.emplace(c->name, place).first->second;
    }
    rank[c] = {at, place};
  }
  return rank;
}

// A caption's longest word in characters, as the player reads it.
int longestWord(const Control& c) {
  const std::string text = c.literalCaption ? c.caption : withoutAccessKey(c.caption);
  int longest = 0;
  int run = 0;
  for (const char byte : text) {
    if (byte == ' ' || byte == '\r' || byte == '\n') {
      run = 0;
    } else if ((static_cast<unsigned char>(byte) & 0xC0) != 0x80) {
      longest = std::max(longest, ++run);
    }
  }
  return longest;
}

// Where each section's controls go whatever the width: what is wrong with them, or an empty
// text.
std::string sectionProblems(const Form2& form, const TouchArrangement& arrangement) {
  std::string problems;
  const auto add = [&](const std::string& problem) {
    problems += (problems.empty() ? "" : "; ") + problem;
  };
  const std::vector<TouchSection>& sections = arrangement.sections;
  if (sections.size() < 2 || sections[0].kind != SectionKind::Head ||
      sections[1].kind != SectionKind::Status) {
    add("the head and the status line do not open the screen");
    return problems;
  }

  // Every control on screen exactly once, nothing hidden.
  std::map<const Control*, int> seen;
  for (const TouchSection& s : sections) {
    if (s.frame) ++seen[s.frame];
    for (const Control* c : s.items) ++seen[c];
    for (const Control* c : s.notes) ++seen[c];
  }
  for (const Control* c : form.controls()) {
    const int times = seen.count(c) ? seen[c] : 0;
    if (testing::shown(*c) && times != 1) {
      add(c->displayName() + " shows " + std::to_string(times) + " times");
    }
    if (!testing::shown(*c) && times != 0) add(c->displayName() + " is hidden but arranged");
  }

  // The keyboard's order.
  const auto rank = expectedRanks(form);
  const std::vector<const Control*> order = touchTabOrder(arrangement);
  if (!std::is_sorted(order.begin(), order.end(), [&](const Control* a, const Control* b) {
        return rank.at(a) < rank.at(b);
      })) {
    std::string got;
    for (const std::string& name : names(order)) got += name + " ";
    add("out of the keyboard's order: " + got);
  }

  // What stays in view at the top stands above the frames, so it can stay there as they scroll.
  bool framesBegun = false;
  for (const TouchSection& s : sections) {
    framesBegun = framesBegun || s.kind == SectionKind::Frame;
    if (framesBegun && s.pin == Pin::Top) add("a pinned section below a frame");
  }

  for (const TouchSection& s : sections) {
    const std::string what(sectionKindName(s.kind));
    // Each kind holds what it says.
    for (const Control* c : s.items) {
      const bool belongs = [&] {
        switch (s.kind) {
          case SectionKind::Roll:
            return isRollButton(form, *c);
          case SectionKind::Charts:
            return c->name == "cmdChart";
          case SectionKind::Dice:
            return c == &form.cmdOne || c == &form.cmdTwo || c == &form.cmdThree ||
                   c == &form.cmdTwenty;
          case SectionKind::Window:
            return c == &form.cmdCancel || c == &form.cmdExit;
          case SectionKind::Frame:
            for (const Control* in = c->container; in; in = in->container) {
              if (in == s.frame) return true;
            }
            return false;
          default:
            return !isRollButton(form, *c);
        }
      }();
      if (!belongs) add(c->displayName() + " in a " + what + " section");
    }
    // What is pressed again after a roll, and what a roll shows, stay in view.
    const Pin pin = s.kind == SectionKind::Head || s.kind == SectionKind::Roll ? Pin::Top
                    : s.kind == SectionKind::Window                            ? Pin::Bottom
                                                                               : Pin::None;
    if (s.pin != pin) add(what + " section pinned " + std::string(pinName(s.pin)));
  }
  return problems;
}

// The grids at the width of `metrics`: what is wrong with them, or an empty text.
std::string gridProblems(const TouchArrangement& arrangement, const TouchMetrics& metrics) {
  std::string problems;
  const auto add = [&](const std::string& problem) {
    problems += (problems.empty() ? "" : "; ") + std::to_string(metrics.width) + " px: " + problem;
  };
  for (const TouchSection& s : arrangement.sections) {
    const std::string what(sectionKindName(s.kind));
    // The grid fits the width, its targets are big enough, and no word is cut.
    if (s.columns < 1 || s.columnWidth < kMinTarget ||
        s.columns * s.columnWidth + (s.columns - 1) * metrics.gap > metrics.width) {
      add(what + " section of " + std::to_string(s.columns) + " columns of " +
          std::to_string(s.columnWidth) + " px");
    }
    if (s.columns > std::max<int>(1, static_cast<int>(s.items.size()))) {
      add(what + " section has empty columns");
    }
    if (s.columns > 1 && s.kind != SectionKind::Head) {
      for (const Control* c : s.items) {
        const int mark = c->kind == ControlKind::Option || c->kind == ControlKind::CheckBox
                             ? metrics.markWidth
                             : 0;
        if (longestWord(*c) * metrics.charWidth + metrics.padding + mark > s.columnWidth) {
          add(c->displayName() + " does not fit its column");
        }
      }
    }
  }
  return problems;
}

// The screen as it stands: its sections, and at every width the same sections on grids that
// fit.
std::string problemsAtEveryWidth(const Form2& form) {
  const TouchArrangement narrowest = touchArrangement(form, metricsFor(kWidths[0]));
  std::string problems = sectionProblems(form, narrowest);
  for (const int width : kWidths) {
    const TouchMetrics metrics = metricsFor(width);
    const TouchArrangement arrangement = touchArrangement(form, metrics);
    std::string found = gridProblems(arrangement, metrics);
    for (std::size_t i = 0; i < arrangement.sections.size(); ++i) {
      const TouchSection& s = arrangement.sections[i];
      if (i >= narrowest.sections.size() || s.items != narrowest.sections[i].items ||
          s.notes != narrowest.sections[i].notes || s.frame != narrowest.sections[i].frame) {
        found += (found.empty() ? "" : "; ") + std::to_string(width) +
                 " px: other sections than at the narrowest";
        break;
      }
    }
    if (!found.empty()) problems += (problems.empty() ? "" : "; ") + found;
  }
  return problems;
}

TEST(ChooseArrangement, FingersOrANarrowAreaGetTouchUnlessThePlayerChose) {
  using C = ArrangementChoice;
  using A = Arrangement;
  const struct {
    C choice;
    bool coarse;
    int width;
    A expected;
  } cases[] = {
      {C::Auto, false, 1366, A::Classic},
      {C::Auto, false, kClassicWidthPx, A::Classic},  // exactly room enough
      {C::Auto, false, kClassicWidthPx - 1, A::Touch},
      {C::Auto, false, 320, A::Touch},
      {C::Auto, true, 1366, A::Touch},  // a touch screen however wide
      {C::Auto, true, 320, A::Touch},
      {C::Classic, true, 320, A::Classic},  // the player's choice wins either way
      {C::Classic, false, 1366, A::Classic},
      {C::Touch, false, 1366, A::Touch},
      {C::Touch, true, 320, A::Touch},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(chooseArrangement(c.choice, c.coarse, c.width), c.expected)
        << arrangementChoiceName(c.choice) << " coarse " << c.coarse << " width " << c.width;
  }
  EXPECT_EQ(kClassicWidthPx, 563);  // 8436 twips at 96 dpi, rounded up
}

TEST(ChooseArrangement, TheSettingReadsBackWhatItWrites) {
  for (const ArrangementChoice choice :
       {ArrangementChoice::Auto, ArrangementChoice::Classic, ArrangementChoice::Touch}) {
    EXPECT_EQ(parseArrangementChoice(arrangementChoiceName(choice)), choice);
  }
  for (const char* text : {"", "Touch", "touch ", "desktop", "1"}) {
    EXPECT_EQ(parseArrangementChoice(text), std::nullopt) << '"' << text << '"';
  }
}

class TouchArrangementTest : public ::testing::Test {
 protected:
  void SetUp() override { form.Form_Load(); }

  static std::optional<TouchSection> firstOf(const TouchArrangement& arrangement,
                                             SectionKind kind) {
    for (const TouchSection& s : arrangement.sections) {
      if (s.kind == kind) return s;
    }
    return std::nullopt;
  }

  testing::InBundledSeasons seasons;
  testing::QueuedDice dice;
  testing::FakeDialogs dialogs;
  Form2 form{dice, dialogs};
  testing::ScreenFeed feed{[this](std::int16_t v) { dice.values.push_back(v); },
                           [this](bool yes) { dialogs.answers.push_back(yes); }};
};

TEST_F(TouchArrangementTest, EveryScreenIsArrangedWhole) {
  int screens = 0;
  testing::visitEveryScreen(form, feed, [&](const std::string& screen) {
    ++screens;
    EXPECT_EQ(problemsAtEveryWidth(form), "") << screen;
  });
  EXPECT_EQ(screens, 2 + 14 + 1);
}

// Which buttons of each screen are its roll buttons, kept in view at the top.
TEST_F(TouchArrangementTest, EachChartHasItsRollButtons) {
  const std::map<std::string, std::vector<std::string>> expected = {
      {"season selection", {}},
      {"chart menu", {}},
      {"BPE", {"cmdRollBPE"}},
      {"Bunt", {"cmdRollBunt"}},
      {"Crazy Play!", {"cmdCrazyPlay"}},
      {"Deep!", {"cmdDeep"}},
      {"Error", {"cmdError"}},
      {"Range - Infield", {"cmdIFR"}},
      {"Injury", {"cmdNewInjury", "cmdRecovered"}},
      {"Jump", {"cmdJump"}},
      {"Range - Outfield", {"cmdOFR"}},
      {"Sending Runners?", {"cmdRunners"}},
      {"Steal", {"cmdStealing"}},
      {"Weather", {"cmdWeather"}},
      {"WP / PB / Foul? (foul: yes)", {"cmdFoulBall"}},
      {"WP / PB / Foul? (foul: no)", {"cmdWildPitch"}},
      {"Balk", {"cmdBalk"}},
  };
  std::map<std::string, std::vector<std::string>> found;
  testing::visitEveryScreen(form, feed, [&](const std::string& screen) {
    std::vector<std::string>& buttons = found[screen];
    for (const TouchSection& s : touchArrangement(form, metricsFor(390)).sections) {
      if (s.kind != SectionKind::Roll) continue;
      EXPECT_EQ(s.pin, Pin::Top) << screen;
      for (const std::string& name : names(s.items)) buttons.push_back(name);
    }
  });
  EXPECT_EQ(found, expected);
}

TEST_F(TouchArrangementTest, TheChartMenuKeepsItsPairsOfChartButtons) {
  form.click(form.optYear[2015 - kFirstSeason]);
  form.click(form.cmdYear);
  ASSERT_EQ(form.screenState(), ScreenState::ChartMenu);
  for (const int width : {320, 1366}) {
    const TouchArrangement arrangement = touchArrangement(form, metricsFor(width));
    std::vector<std::string> kinds;
    for (const TouchSection& s : arrangement.sections) {
      kinds.emplace_back(sectionKindName(s.kind));
    }
    // "Show Dice Rolls" stands among the chart buttons in the classic window; here the chart
    // buttons stay together and it follows them.
    EXPECT_EQ(kinds, (std::vector<std::string>{"head", "status", "dice", "charts", "checks",
                                               "picture", "window"}))
        << width;
    const std::optional<TouchSection> charts = firstOf(arrangement, SectionKind::Charts);
    ASSERT_TRUE(charts.has_value());
    // Read across in pairs, as the keyboard takes them: a column per column of the classic menu.
    EXPECT_EQ(charts->columns, 2) << width;
    ASSERT_EQ(charts->items.size(), 14u);
    EXPECT_EQ(charts->items[0], &form.cmdChart[0]);
    EXPECT_EQ(charts->items[1], &form.cmdChart[7]);
    EXPECT_EQ(charts->items[13], &form.cmdChart[13]);
    const std::optional<TouchSection> dice = firstOf(arrangement, SectionKind::Dice);
    ASSERT_TRUE(dice.has_value());
    EXPECT_EQ(names(dice->items),
              (std::vector<std::string>{"cmdThree", "cmdTwo", "cmdOne", "cmdTwenty"}));
    EXPECT_EQ(dice->columns, 2);
  }
}

// The batting styles stand in two rows with "&Cancel" and "E&xit" between them in the
// classic window's keyboard order; here the group stays whole, ahead of the window's buttons.
TEST_F(TouchArrangementTest, AnOptionGroupOutsideAFrameStaysTogether) {
  form.click(form.optYear[2015 - kFirstSeason]);
  form.click(form.cmdYear);
  form.cmdChart_Click(0);  // Ballpark effects
  std::vector<std::string> classic;
  for (const Control* c : tabOrder(form.controls())) {
    if (testing::shown(*c) && (c->name == "OptBatting" || c->name == "cmdCancel")) {
      classic.push_back(c->displayName());
    }
  }
  ASSERT_EQ(classic, (std::vector<std::string>{"OptBatting(0)", "OptBatting(2)", "cmdCancel",
                                               "OptBatting(1)", "OptBatting(3)"}));
  std::vector<std::string> touch;
  for (const Control* c : touchTabOrder(touchArrangement(form, metricsFor(390)))) {
    if (c->name == "OptBatting" || c->name == "cmdCancel") touch.push_back(c->displayName());
  }
  EXPECT_EQ(touch, (std::vector<std::string>{"OptBatting(0)", "OptBatting(2)", "OptBatting(1)",
                                             "OptBatting(3)", "cmdCancel"}));
}

// Ballpark names come from files and may be of any length: the grid still fits the width,
// in one column, and leaves the name to the caption rules.
TEST_F(TouchArrangementTest, ALongBallparkNameTakesOneColumnNoWiderThanTheScreen) {
  form.click(form.optYear[2015 - kFirstSeason]);
  form.click(form.cmdYear);
  form.cmdChart_Click(0);
  for (const std::string& name :
       {std::string(300, 'W'), "New " + std::string(200, 'a') + " Park", std::string("A & B")}) {
    form.optBallpark[3].caption = name;
    for (const int width : kWidths) {
      const TouchMetrics metrics = metricsFor(width);
      const TouchArrangement arrangement = touchArrangement(form, metrics);
      EXPECT_EQ(gridProblems(arrangement, metrics), "") << name.size();
      for (const TouchSection& s : arrangement.sections) {
        if (s.frame != &form.fraBallparks || name.size() < 100) continue;
        EXPECT_EQ(s.columns, 1) << width;
        EXPECT_EQ(s.columnWidth, width);
      }
    }
  }
}

// A frame whose options read down columns in the classic window gets as many columns as fit
// with captions on one line (two where captions must break to give even that), rows evened
// out; one that reads across keeps its rows whole or takes a single column.
TEST_F(TouchArrangementTest, FrameGridsTakeTheColumnsThatFit) {
  const struct {
    int width;
    int seasons;  // 54 options "1972".."2025": 88 px each
    int defense;  // rows of three, "Corners" the longest word: 118 px a column
  } cases[] = {
      {320, 3, 1},                               // three defence columns take 370 px
      {390, 4, 3},   {768, 8, 3}, {1024, 9, 3},  // 10 fit, but 6 rows of 9 are even
      {1366, 14, 3},
  };
  const auto frame = [this](const Control& which, int width) -> std::optional<TouchSection> {
    for (const TouchSection& s : touchArrangement(form, metricsFor(width)).sections) {
      if (s.frame == &which) return s;
    }
    return std::nullopt;
  };
  for (const auto& c : cases) {
    const std::optional<TouchSection> seasons = frame(form.fraSeasons, c.width);
    ASSERT_TRUE(seasons.has_value());
    EXPECT_EQ(seasons->columns, c.seasons) << c.width;
  }
  form.click(form.optYear[2015 - kFirstSeason]);
  form.click(form.cmdYear);
  form.cmdChart_Click(1);  // Bunt
  for (const auto& c : cases) {
    const std::optional<TouchSection> defense = frame(form.fraIFDefense, c.width);
    ASSERT_TRUE(defense.has_value());
    EXPECT_EQ(defense->items.size(), 13u);
    EXPECT_EQ(defense->columns, c.defense) << c.width;
  }
}

TEST_F(TouchArrangementTest, AMeasureOfTheFrontEndsReplacesTheCharacterCount) {
  TouchMetrics metrics = metricsFor(320);
  int asked = 0;
  metrics.textWidth = [&asked](std::string_view text) {
    ++asked;
    return static_cast<int>(text.size()) * 4;  // a narrow font: "2015" takes 16 px
  };
  const std::optional<TouchSection> seasons =
      firstOf(touchArrangement(form, metrics), SectionKind::Frame);
  ASSERT_TRUE(seasons.has_value());
  EXPECT_GT(asked, 0);
  EXPECT_EQ(seasons->columns, 4);  // 64 px a season: 4 fit in 320 px, 5 would take 352
}

TEST_F(TouchArrangementTest, ThePageGetsTheSectionsByControlNumber) {
  const std::vector<Control*>& all = form.controls();
  const auto id = [&all](const Control& c) {
    return std::to_string(std::find(all.begin(), all.end(), &c) - all.begin());
  };
  form.click(form.optYear[2015 - kFirstSeason]);
  form.click(form.cmdYear);
  const std::string json = touchArrangementJson(touchArrangement(form, metricsFor(1024)), all);
  EXPECT_EQ(
      json.rfind("{\"sections\":[{\"kind\":\"head\",\"pin\":\"top\",\"frame\":-1,\"items\":[" +
                     id(form.Text1) + "," + id(form.List1) +
                     "],\"notes\":[],\"columns\":2,\"columnWidth\":508,"
                     "\"historyLines\":3},{\"kind\":\"status\",",
                 0),
      0u)
      << json;
  EXPECT_NE(json.find("{\"kind\":\"charts\",\"pin\":\"none\",\"frame\":-1,\"items\":[" +
                      id(form.cmdChart[0]) + "," + id(form.cmdChart[7]) + ","),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("{\"kind\":\"window\",\"pin\":\"bottom\",\"frame\":-1,\"items\":[" +
                      id(form.cmdCancel) + "," + id(form.cmdExit) + "]"),
            std::string::npos)
      << json;
  EXPECT_EQ(json.substr(json.size() - 3), "}]}");
}

// The scenarios between them reach every result and follow-up; each screen they pass through
// must be arranged as whole as the set-ups.
TEST(ScenarioScreens, EveryScreenOfEveryScenarioIsArrangedWhole) {
  const std::vector<fs::path> files = testing::scenarioFiles();
  ASSERT_FALSE(files.empty());
  for (const fs::path& file : files) {
    const scenario::Outcome outcome = scenario::play(file.string(), problemsAtEveryWidth);
    EXPECT_TRUE(outcome.passed) << outcome.failure;
  }
}

}  // namespace
}  // namespace vnt
