// vnt-game-take-up [ROLLS] [ROUNDS]: the start-up's take-up of the game last played, for a
// game of ROLLS rolls (20,000 unless told), against reading that game whole; then the list
// of games read once and again with nothing changed. Prints the medians of ROUNDS runs (21
// unless told). Works in a folder of its own under the temporary directory.

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench/median_ms.h"
#include "shell/game_book.h"
#include "shell/game_library.h"
#include "shell/game_log.h"

namespace {

namespace fs = std::filesystem;
using vnt::bench::medianMs;

}  // namespace

int main(int argc, char** argv) {
  const int rolls = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20000;
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 21;
  const fs::path dir = fs::temp_directory_path() / ("vnt_take_up_" + std::to_string(::getpid()));
  std::string path;
  {
    vnt::GameLog log;
    log.setContext([] { return vnt::LogContext{"Stealing", "2015", false}; });
    vnt::GameBook book(log, dir.string());
    book.newGame();
    for (int i = 0; i < rolls; ++i) {
      log.beginClick();
      log.die(log.describeDie(99, 0), vnt::Die{static_cast<std::int16_t>(i % 100), false});
      log.shown("SB + E2?");
      log.endClick({"SB + E2?", true, "Dropped?", "Catcher's Arm\rPitcher's Steal Rating"});
    }
    path = book.path();
  }
  const double takeUp = medianMs(rounds, [&] {
    vnt::GameLog log;
    vnt::GameBook book(log, dir.string());
    book.openLast();
  });
  const double whole = medianMs(rounds, [&] { (void)vnt::readGameFile(path); });
  vnt::GameLibrary library(dir.string());
  const double listFirst = medianMs(1, [&] { (void)library.list(); });
  const double listAgain = medianMs(rounds, [&] { (void)library.list(); });
  std::printf("game of %d rolls, %.1f MB\n", rolls, static_cast<double>(fs::file_size(path)) / 1e6);
  std::printf("take-up at start: %.3f ms; the game read whole: %.3f ms (%.0f x)\n", takeUp, whole,
              whole / std::max(takeUp, 1e-6));
  std::printf("list of games: %.3f ms the first time, %.3f ms again\n", listFirst, listAgain);
  std::error_code ec;
  fs::remove_all(dir, ec);
  return 0;
}
