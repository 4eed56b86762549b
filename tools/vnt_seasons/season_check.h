#pragma once

#include <string>
#include <vector>

namespace vnt::seasons {

// What `vnt-seasons check` finds for one season of the current working directory.
struct SeasonReport {
  int year = 0;
  bool offered = false;  // what the program's start-up check decides
  std::string reason;    // why not, e.g. `1998BPE.vnt line 31 column 1: check value ...`
  // What the charts will trip over although the season is offered (or besides the reason).
  std::vector<std::string> warnings;
};

// Every season 1972..2025 with at least one of its files in the current working directory.
std::vector<SeasonReport> checkSeasons();

// Whether the current working directory can be listed. One that can be entered but not
// listed (mode 711) still gives the program its files under their exact names, but none
// under another letter case.
bool folderListable();

// The lines `check` prints for a season: the verdict, then one line per warning.
std::vector<std::string> reportLines(const SeasonReport& report);

}  // namespace vnt::seasons
