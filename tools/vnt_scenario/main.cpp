// vnt-scenario FILE...: plays each scenario file, prints one line per failing file and
// then "N passed, M failed"; exits 0 only when every file passed.

#include <cstdio>
#include <iostream>
#include <string>

#include "tools/vnt_scenario/scenario.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: vnt-scenario FILE...\n";
    return 2;
  }
  int passed = 0;
  int failed = 0;
  for (int i = 1; i < argc; ++i) {
    const vnt::scenario::Outcome outcome = vnt::scenario::play(argv[i]);
    if (outcome.passed) {
      ++passed;
    } else {
      ++failed;
      std::cout << outcome.failure << "\n";
    }
  }
  std::cout << passed << " passed, " << failed << " failed" << std::endl;
  return failed == 0 ? 0 : 1;
}
