// vnt-hostile-game-log [ROUNDS]: reads game files made to hurt the reader (a 10 MB outcome
// of words, one without blanks, one of escapes, a roll of a million steps, 64 MiB of empty
// rolls) and the same at a tenth of the size; prints the median milliseconds of ROUNDS
// reads (5 unless told), the ratio of the two sizes (about 10 when reading is linear) and
// how much of each file the reader kept.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench/median_ms.h"
#include "shell/game_log.h"

namespace {

const std::string kHeader = "vnt-assistant game log 1\ngame \"2026-12-11 20:15:03 +01:00\"\n";

std::string repeated(const std::string& piece, std::size_t bytes) {
  std::string out;
  out.reserve(bytes + piece.size());
  while (out.size() < bytes) out += piece;
  return out;
}

std::string oneRoll(const std::string& lines) {
  return kHeader + "roll 1\nchart \"Stealing\"\n" + lines + "done 1\n";
}

std::string emptyRolls(std::size_t bytes) {
  std::string out = kHeader;
  for (int n = 1; out.size() < bytes; ++n) {
    out += "roll " + std::to_string(n) + "\ndone " + std::to_string(n) + "\n";
  }
  return out;
}

struct Hostile {
  const char* what;
  std::function<std::string(std::size_t)> make;  // a file of about that many bytes
  std::size_t bytes;
};

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  constexpr std::size_t kMB = 1024 * 1024;
  const std::vector<Hostile> files = {
      {"outcome of words",
       [](std::size_t n) { return oneRoll("outcome \"" + repeated("word ", n) + "\"\n"); },
       10 * kMB},
      {"outcome without blanks",
       [](std::size_t n) { return oneRoll("outcome \"" + std::string(n, 'W') + "\"\n"); },
       10 * kMB},
      {"outcome of escapes",
       [](std::size_t n) { return oneRoll("outcome \"" + repeated("\\x01", n) + "\"\n"); },
       10 * kMB},
      {"line of words",
       [](std::size_t n) { return oneRoll("selected" + repeated(" x", n) + "\n"); }, 10 * kMB},
      {"roll of steps", [](std::size_t n) { return oneRoll(repeated("shown \"CS\"\n", n)); },
       10 * kMB},
      {"empty rolls", emptyRolls, 64 * kMB},
  };
  std::printf("%-24s %10s %10s %8s %8s %6s %10s %8s\n", "file", "MB", "ms", "ms/10", "ratio",
              "rolls", "left out", "cut");
  for (const Hostile& h : files) {
    vnt::ReadGame game;
    const std::string small = h.make(h.bytes / 10);
    const double smallMs = vnt::bench::medianMs(rounds, [&] { game = vnt::readGameLog(small); });
    const std::string large = h.make(h.bytes);
    const double largeMs = vnt::bench::medianMs(rounds, [&] { game = vnt::readGameLog(large); });
    std::printf("%-24s %10.1f %10.1f %8.1f %8.1f %6zu %10d %8d\n", h.what,
                static_cast<double>(large.size()) / kMB, largeMs, smallMs, largeMs / smallMs,
                game.entries.size(), game.leftOut, game.shortened);
  }
  return 0;
}
