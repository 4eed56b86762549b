// vnt-odds-recompute [CLICKS]: how long the odds take to work out again after a player's
// click, in the model alone (no window). For each chart a situation is set up from the
// season files of the working directory, then CLICKS clicks alternate between two ratings
// and only the odds that follow each click are timed. Prints p50 and p99 per chart, of the
// time on the clock and of the processor time of the thread (which leaves out the time
// the machine gave to other work).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "shell/dialogs.h"
#include "shell/dice.h"
#include "shell/form2.h"

namespace {

class SilentDialogs final : public vnt::Dialogs {
 public:
  void ok(const std::string&, const std::string&) override {}
  // Yes: "Possible Foul Ball?" opens the foul chart.
  bool yesNo(const std::string&, const std::string&) override { return true; }
};

// Dice that always give the same value, so a set-up reaches the same screen every time.
class FixedDice final : public vnt::Dice {
 public:
  std::int16_t value = 0;
  std::int16_t RandomNumber(std::int16_t upper, std::int16_t lower) override {
    return std::clamp(value, lower, upper);
  }
};

struct Chart {
  const char* name;
  std::function<void(vnt::Form2&, FixedDice&)> setUp;
  // The two controls the clicks alternate between.
  std::function<vnt::Control&(vnt::Form2&, int)> toggled;
};

double threadMicros() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

double percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  const auto at = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
  return values[at];
}

}  // namespace

int main(int argc, char** argv) {
  const int clicks = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
  const auto season = [](vnt::Form2& f) {
    f.Form_Load();
    f.click(f.optYear[2015 - vnt::kFirstSeason]);
    f.click(f.cmdYear);
  };
  const std::vector<Chart> charts = {
      {"steal",
       [&](vnt::Form2& f, FixedDice&) {
         season(f);
         f.click(f.cmdChart[10]);
       },
       [](vnt::Form2& f, int i) -> vnt::Control& { return f.optJump[i * 13]; }},
      {"bunt (fielder and result)",
       [&](vnt::Form2& f, FixedDice&) {
         season(f);
         f.click(f.cmdChart[1]);
         f.click(f.optSurface[1]);
         f.click(f.chkOFin);
       },
       [](vnt::Form2& f, int i) -> vnt::Control& { return f.Option1[i * 4]; }},
      {"foul ball (reads the Deep file)",
       [&](vnt::Form2& f, FixedDice&) {
         season(f);
         f.click(f.cmdChart[12]);
       },
       [](vnt::Form2& f, int i) -> vnt::Control& { return f.optBallpark[3 + i * 26]; }},
      {"infield range result",
       [&](vnt::Form2& f, FixedDice& dice) {
         season(f);
         f.click(f.cmdChart[5]);
         f.click(f.optSurface[0]);
         f.click(f.OptBatting[0]);
         dice.value = 85;
         f.click(f.cmdIFR);
       },
       [](vnt::Form2& f, int i) -> vnt::Control& { return f.optRange[i * 6]; }},
      {"deep drive (reads the Deep file)",
       [&](vnt::Form2& f, FixedDice&) {
         season(f);
         f.click(f.cmdChart[3]);
         f.click(f.OptBatting[0]);
         f.click(f.optBallpark[29]);
         f.click(f.optWind[1]);
       },
       [](vnt::Form2& f, int i) -> vnt::Control& { return f.Option1[i * 4]; }},
      {"crazy play (reads the CPlay file)",
       [&](vnt::Form2& f, FixedDice&) {
         season(f);
         f.click(f.cmdChart[2]);
       },
       [](vnt::Form2& f, int) -> vnt::Control& { return f.chkDiceRolls; }},
      {"weather (reads the Weather file)",
       [&](vnt::Form2& f, FixedDice&) {
         season(f);
         f.click(f.cmdChart[11]);
         f.click(f.optBallpark[29]);
         f.click(f.optMonth[0]);
       },
       [](vnt::Form2& f, int i) -> vnt::Control& { return f.optTime[i]; }},
      {"outfield range result",
       [&](vnt::Form2& f, FixedDice& dice) {
         season(f);
         f.click(f.cmdChart[8]);
         f.click(f.OptBatting[0]);
         f.click(f.optSurface[0]);
         f.click(f.optBallpark[5]);
         dice.value = 45;
         f.click(f.cmdOFR);
       },
       [](vnt::Form2& f, int i) -> vnt::Control& { return f.optRange[i * 6]; }},
  };

  std::printf("%-34s %9s %9s %9s %9s  (microseconds, %d clicks each)\n", "chart", "p50", "p99",
              "cpu p50", "cpu p99", clicks);
  for (const Chart& chart : charts) {
    FixedDice dice;
    SilentDialogs dialogs;
    vnt::Form2 form(dice, dialogs);
    chart.setUp(form, dice);
    std::vector<double> micros;
    std::vector<double> cpuMicros;
    micros.reserve(static_cast<std::size_t>(clicks));
    cpuMicros.reserve(static_cast<std::size_t>(clicks));
    std::size_t lines = 0;
    for (int click = 0; click < clicks; ++click) {
      form.click(chart.toggled(form, click % 2));
      const double cpuStart = threadMicros();
      const auto start = std::chrono::steady_clock::now();
      const vnt::odds::Odds odds = form.odds();
      const auto stop = std::chrono::steady_clock::now();
      cpuMicros.push_back(threadMicros() - cpuStart);
      micros.push_back(std::chrono::duration<double, std::micro>(stop - start).count());
      for (const auto& section : odds.sections) lines += section.lines.size();
      if (!odds.message.empty()) {
        std::fprintf(stderr, "%s: the odds show a message: %s\n", chart.name, odds.message.c_str());
        return 1;
      }
    }
    std::printf("%-34s %9.1f %9.1f %9.1f %9.1f  (%zu lines)\n", chart.name,
                percentile(micros, 0.50), percentile(micros, 0.99), percentile(cpuMicros, 0.50),
                percentile(cpuMicros, 0.99), lines / static_cast<std::size_t>(clicks));
  }
  return 0;
}
