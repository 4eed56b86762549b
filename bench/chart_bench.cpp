// How fast the charts read their tables, and what reading a season file at roll time costs.
//
//   vnt-chart-bench [google benchmark flags]
//
// Chart cases: each iteration reads every input and roll of one chart function once and
// counts one resolution per reading ("items_per_second"). File cases: one roll-time read of
// the last ballpark's record (or the crazy-play list) from the bundled 2015 season, through
// the window's reader, beside a plain read of the same file's bytes; the ratio of the two
// is printed at the end. To measure another chart or file, add a row to a table below.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "charts/baserunning/jump_table.h"
#include "charts/baserunning/rundown_table.h"
#include "charts/baserunning/sending_runners_table.h"
#include "charts/baserunning/steal_table.h"
#include "charts/baserunning/wild_pitch_table.h"
#include "charts/environment/ballpark_effects_table.h"
#include "charts/environment/crazy_play_table.h"
#include "charts/environment/deep_drive_table.h"
#include "charts/fielding/error_table.h"
#include "charts/fielding/infield_range_table.h"
#include "charts/fielding/outfield_range_table.h"
#include "shell/form2.h"
#include "shell/season_files.h"

namespace {

using namespace vnt;

// Something for the readings to land in, so the compiler cannot drop them.
struct Sink {
  std::uintptr_t value = 0;
  template <typename T>
  void take(const T& result) {
    value += static_cast<std::uintptr_t>(result);
  }
  void take(std::string_view text) { value += text.size(); }
};

// One chart function read over all of its inputs; gives the number of readings made.
struct ChartCase {
  const char* name;
  std::function<int(Sink&)> readAll;
};

std::vector<CrazyPlay> g_crazyPlays;  // the bundled season's list, read once

const std::vector<ChartCase>& chartCases() {
  static const std::vector<ChartCase> kCases = {
      {"steal",
       [](Sink& sink) {
         int n = 0;
         for (auto base : {steal::Base::Second, steal::Base::Third, steal::Base::Home})
           for (int rating = steal::kLowestRating; rating <= steal::kHighestRating; ++rating)
             for (int roll = 0; roll <= 99; ++roll, ++n)
               sink.take(steal::stealOutcome(base, rating, roll, 2015));
         return n;
       }},
      {"steal throw",
       [](Sink& sink) {
         int n = 0;
         for (bool catcher : {true, false})
           for (int rating = 1; rating <= 20; ++rating)
             for (int roll = 1; roll <= 20; ++roll, ++n)
               sink.take(steal::throwResult(catcher, rating, roll));
         return n;
       }},
      {"jump",
       [](Sink& sink) {
         int n = 0;
         for (int hold = 1; hold <= 5; ++hold)
           for (int jump = 1; jump <= 10; ++jump)
             for (int roll = 0; roll <= 99; ++roll, ++n)
               sink.take(jump::jumpOutcome(hold, jump, roll));
         return n;
       }},
      {"rundown collision",
       [](Sink& sink) {
         int n = 0;
         for (int range = 0; range < rundown::kRangeCount; ++range)
           for (int roll = 1; roll <= 20; ++roll, ++n) sink.take(rundown::collision(range, roll));
         return n;
       }},
      {"sending runners",
       [](Sink& sink) {
         int n = 0;
         for (int speed = sending_runners::kLowestSpeed; speed <= sending_runners::kHighestSpeed;
              ++speed)
           for (int roll = 1; roll <= 20; ++roll, ++n)
             sink.take(sending_runners::outcome(speed, roll));
         return n;
       }},
      {"wild pitch",
       [](Sink& sink) {
         int n = 0;
         for (int wp = 1; wp <= 5; ++wp)
           for (int pb = 1; pb <= 5; ++pb)
             for (int roll = 0; roll <= 99; ++roll, ++n) sink.take(wild_pitch::pitch(wp, pb, roll));
         return n;
       }},
      {"foul ball",
       [](Sink& sink) {
         int n = 0;
         for (int foul = 1; foul <= 5; ++foul)
           for (int roll = 0; roll <= 99; ++roll, ++n) sink.take(wild_pitch::foulBall(foul, roll));
         return n;
       }},
      {"error",
       [](Sink& sink) {
         int n = 0;
         for (int fielder = 1; fielder <= 9; ++fielder)
           for (int rating = error::kWorstRating; rating <= error::kBestRating; ++rating)
             for (int roll = error::kLowestRoll; roll <= error::kHighestRoll; ++roll, ++n)
               sink.take(error::lookUp(fielder, rating, roll).value_or(error::Code{}));
         return n;
       }},
      {"infield range location",
       [](Sink& sink) {
         int n = 0;
         for (int column = 0; column < infield_range::kColumnCount; ++column)
           for (int roll = 0; roll < infield_range::kRollCount; ++roll, ++n)
             sink.take(
                 infield_range::locate(static_cast<infield_range::Column>(column), roll).fielder);
         return n;
       }},
      {"infield range result",
       [](Sink& sink) {
         int n = 0;
         for (int surface = 0; surface <= 1; ++surface)
           for (int location = 0; location < infield_range::kLocationCount; ++location)
             for (int rating = 0; rating < infield_range::kRatingCount; ++rating)
               for (int roll = 0; roll < infield_range::kRollCount; ++roll, ++n)
                 sink.take(infield_range::fieldResult(
                     surface, static_cast<infield_range::Location>(location), rating, roll));
         return n;
       }},
      {"outfield range location",
       [](Sink& sink) {
         int n = 0;
         for (int style = 0; style < outfield::kBattingStyles; ++style)
           for (int roll = outfield::kLowestRoll; roll <= outfield::kHighestRoll; ++roll, ++n)
             sink.take(outfield::locationRow(style, roll));
         return n;
       }},
      {"outfield range result",
       [](Sink& sink) {
         int n = 0;
         for (int group = 0; group < 5; ++group)
           for (int surface = outfield::kGrass; surface <= outfield::kTurf; ++surface)
             for (int rating = 0; rating < outfield::kRatings; ++rating)
               for (int roll = outfield::kLowestRoll; roll <= outfield::kHighestRoll; ++roll, ++n)
                 sink.take(outfield::playResult(static_cast<outfield::Group>(group), surface,
                                                rating, roll));
         return n;
       }},
      {"deep location",
       [](Sink& sink) {
         int n = 0;
         for (int style = 0; style < deep::kStyleCount; ++style)
           for (int roll = 0; roll <= 9; ++roll, ++n) sink.take(deep::deepLocation(style, roll));
         return n;
       }},
      {"deep distance",
       [](Sink& sink) {
         int n = 0;
         for (int power = 1; power <= 5; ++power)
           for (int roll = 0; roll <= 99; ++roll, ++n) sink.take(deep::driveDistance(power, roll));
         return n;
       }},
      {"deep roll needed",
       [](Sink& sink) {
         int n = 0;
         for (int power = 1; power <= 5; ++power)
           for (int wall = 1; wall <= 50; ++wall, ++n) sink.take(deep::rollNeeded(power, wall));
         return n;
       }},
      {"deep robbed",
       [](Sink& sink) {
         int n = 0;
         for (int range = 1; range <= 7; ++range)
           for (int height = 0; height <= 11; ++height)
             for (int roll = 1; roll <= 20; ++roll, ++n)
               sink.take(deep::robbedCaught(range, height, roll));
         return n;
       }},
      {"ballpark effects",
       [](Sink& sink) {
         const bpe::Thresholds thresholds = {10, 40, 60, 90, 20, 30, 50, 70};
         int n = 0;
         for (auto side : {bpe::Side::Right, bpe::Side::Left})
           for (int roll = 0; roll <= 99; ++roll, ++n)
             sink.take(bpe::bpeOutcome(thresholds, side, roll));
         return n;
       }},
      {"crazy play",
       [](Sink& sink) {
         int n = 0;
         for (int roll = 0; roll <= 999; ++roll, ++n)
           sink.take(crazy::crazyPlay(g_crazyPlays, roll));
         return n;
       }},
  };
  return kCases;
}

void readChart(benchmark::State& state, const ChartCase& chart) {
  Sink sink;
  std::int64_t readings = 0;
  for (auto _ : state) {
    readings += chart.readAll(sink);
    benchmark::DoNotOptimize(sink.value);
  }
  state.SetItemsProcessed(readings);
}

// --- Season files at roll time ---------------------------------------------------------

class NoDice final : public Dice {
 public:
  std::int16_t RandomNumber(std::int16_t, std::int16_t lower) override { return lower; }
};

// A failed read would show a box; the benchmark stops instead.
class FailingDialogs final : public Dialogs {
 public:
  std::string failure;
  void ok(const std::string& prompt, const std::string&) override { failure = prompt; }
  bool yesNo(const std::string&, const std::string&) override { return false; }
};

constexpr int kSeason = 2015;

struct Window {
  NoDice dice;
  FailingDialogs dialogs;
  Form2 form{dice, dialogs};
  int lastBallpark = 0;
  Window() {
    form.Form_Load();
    form.select(form.optYear[kSeason - kFirstSeason]);
    form.cmdYear_Click();
    lastBallpark = form.BallparkCount - 1;
  }
};

// One reader: the file it reads and the read a roll makes (true when it found its record).
struct FileCase {
  const char* name;
  const char* suffix;
  std::function<bool(Window&)> read;
};

const std::vector<FileCase>& fileCases() {
  static const std::vector<FileCase> kCases = {
      {"Deep", "Deep.vnt", [](Window& w) { return w.form.lookUpBallpark(w.lastBallpark); }},
      {"BPE", "BPE.vnt",
       [](Window& w) { return w.form.readBallparkEffects(w.lastBallpark).has_value(); }},
      {"CPlay", "CPlay.vnt", [](Window& w) { return w.form.readSeasonCrazyPlays().has_value(); }},
      {"Weather", "Weather.vnt", [](Window& w) { return w.form.loadWeatherTable(w.lastBallpark); }},
  };
  return kCases;
}

void readAtRollTime(benchmark::State& state, const FileCase& file) {
  Window window;
  for (auto _ : state) {
    const bool found = file.read(window);
    benchmark::DoNotOptimize(found);
    if (!found) {
      state.SkipWithError(window.dialogs.failure.c_str());
      break;
    }
  }
}

void readPlainBytes(benchmark::State& state, const FileCase& file) {
  const std::string name = std::to_string(kSeason) + file.suffix;
  for (auto _ : state) {
    std::ifstream in(name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::string contents = bytes.str();
    benchmark::DoNotOptimize(contents.data());
    if (contents.empty()) {
      state.SkipWithError(("cannot read " + name).c_str());
      break;
    }
  }
}

constexpr const char* kRollTime = "file/roll-time/";
constexpr const char* kPlain = "file/plain-read/";

// The console table, then each reader's roll-time read against the plain read. CPU time,
// like the readings per second: on a busy machine the wall clock mostly measures waiting.
class RatioReporter final : public benchmark::ConsoleReporter {
 public:
  // Colours only on a terminal, so the figures can be piped into a file.
  RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) != 0 ? OO_Color : OO_None) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
        times_[run.benchmark_name()] = run.GetAdjustedCPUTime();
      }
    }
  }
  void Finalize() override {
    std::printf("\n%-10s %14s %14s %8s\n", "reader", "roll-time us", "plain us", "ratio");
    std::printf("(CPU time per read)\n");
    for (const FileCase& file : fileCases()) {
      const auto rollTime = times_.find(std::string(kRollTime) + file.name);
      const auto plain = times_.find(std::string(kPlain) + file.name);
      if (rollTime == times_.end() || plain == times_.end()) continue;
      std::printf("%-10s %14.2f %14.2f %8.2f\n", file.name, rollTime->second, plain->second,
                  rollTime->second / plain->second);
    }
    ConsoleReporter::Finalize();
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  // The readers look for season files in the working directory, as the program does.
  std::filesystem::current_path(VNT_SEASONS_DIR);
  const auto plays = readSeasonFile(std::to_string(kSeason) + "CPlay.vnt");
  if (plays) g_crazyPlays = readCrazyPlays(*plays).value_or(std::vector<CrazyPlay>{});

  for (const ChartCase& chart : chartCases()) {
    benchmark::RegisterBenchmark((std::string("chart/") + chart.name).c_str(), readChart, chart);
  }
  for (const FileCase& file : fileCases()) {
    benchmark::RegisterBenchmark((std::string(kRollTime) + file.name).c_str(), readAtRollTime, file)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((std::string(kPlain) + file.name).c_str(), readPlainBytes, file)
        ->Unit(benchmark::kMicrosecond);
  }

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
