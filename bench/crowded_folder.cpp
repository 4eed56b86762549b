// vnt-crowded-folder [FILES] [ROUNDS]: the start-up season check (Form_Load) in a copy of
// the bundled seasons, then again once FILES other files (50,000 unless told) share the
// folder with them; prints the median of ROUNDS runs of each and their ratio. Run it
// anywhere: it works in a folder of its own under the temporary directory.

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "shell/dialogs.h"
#include "shell/dice.h"
#include "shell/form2.h"

namespace {

namespace fs = std::filesystem;

class SilentDialogs final : public vnt::Dialogs {
 public:
  void ok(const std::string&, const std::string&) override {}
  bool yesNo(const std::string&, const std::string&) override { return false; }
};

// Median milliseconds of a season check, and how many seasons it offered.
double medianCheck(int rounds, int& offered) {
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    vnt::ClockDice dice;
    SilentDialogs dialogs;
    vnt::Form2 form(dice, dialogs);
    const auto start = std::chrono::steady_clock::now();
    form.Form_Load();
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
    offered = static_cast<int>(std::count_if(form.optYear.begin(), form.optYear.end(),
                                             [](const vnt::Control& c) { return c.enabled; }));
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int files = argc > 1 ? std::max(0, std::atoi(argv[1])) : 50000;
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 21;
  const fs::path dir = fs::temp_directory_path() / ("vnt_crowded_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  for (const auto& entry : fs::directory_iterator(fs::path(VNT_SOURCE_DIR) / "seasons")) {
    if (entry.path().extension() == ".vnt")
      fs::copy_file(entry.path(), dir / entry.path().filename());
  }
  const fs::path previous = fs::current_path();
  fs::current_path(dir);

  int offered = 0;
  const double alone = medianCheck(rounds, offered);
  std::printf("bundled seasons alone:       %8.3f ms (%d seasons offered)\n", alone, offered);
  for (int i = 0; i < files; ++i) std::ofstream("other_" + std::to_string(i) + ".txt");
  const double crowded = medianCheck(rounds, offered);
  std::printf("with %6d other files:      %8.3f ms (%d seasons offered), %.2f times as long\n",
              files, crowded, offered, crowded / alone);

  fs::current_path(previous);
  std::error_code ignored;
  fs::remove_all(dir, ignored);
  return 0;
}
