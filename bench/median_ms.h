#pragma once

// The median of `rounds` runs of `run`, in milliseconds: what the game-log benchmarks print.

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace vnt::bench {

inline double medianMs(int rounds, const std::function<void()>& run) {
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run();
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace vnt::bench
