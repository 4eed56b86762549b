#include <algorithm>
#include <optional>
#include <string>

#include "shell/form2.h"
#include "shell/season_files.h"

namespace vnt {

void Form2::checkSeasonAvailability() {
  for (int i = 0; i < kSeasonCount; ++i) {
    const std::string year = std::to_string(kFirstSeason + i);
    const auto deep = readSeasonFile(year + "Deep.vnt");
    const std::optional<int> count = deep ? checkDeepFile(*deep) : std::nullopt;
    optYear[i].enabled = count.has_value();
    if (!count) continue;
    const auto bpe = readSeasonFile(year + "BPE.vnt");
    if (!bpe || !checkBpeFile(*bpe, *count)) optYear[i].enabled = false;
  }
}

void Form2::cmdYear_Click() {
  Season = -1;
  for (const auto& option : optYear) {
    if (option.value) Season = static_cast<std::int16_t>(kFirstSeason + option.index);
  }
  if (Season == -1) {
    dialogs_.ok("You must select a season for the charts", "Select Year");
    return;
  }

  // The files may have changed since start-up: read the names before touching anything,
  // so a damaged file leaves the season selection as it was.
  const std::string seasonText = std::to_string(Season);
  const std::string fileName = seasonText + "Deep.vnt";
  const auto deep = readSeasonFile(fileName);
  const auto names = deep ? readBallparkNames(*deep) : std::nullopt;
  if (!names) {
    Season = -1;
    dialogs_.ok("Cannot read " + fileName, "");
    return;
  }

  SeasonText = seasonText;
  BallparkCount = static_cast<std::int16_t>(names->size());
  for (int r = 0; r < BallparkCount; ++r) optBallpark[r].caption = (*names)[static_cast<std::size_t>(r)];
  cmdCancel_Click();
}

std::string Form2::seasonFile(std::string_view suffix) const {
  return SeasonText + std::string(suffix);
}

bool Form2::lookUpBallpark(int ballpark) {
  const std::string fileName = seasonFile("Deep.vnt");
  const std::string& name = optBallpark[ballpark].caption;
  const auto deep = readSeasonFile(fileName);
  const DeepLookup found = deep ? lookupDeepRecord(*deep, name) : DeepLookup{};
  switch (found.status) {
    case DeepLookup::Status::Unreadable:
      dialogs_.ok("Cannot read " + fileName, "");
      return false;
    case DeepLookup::Status::NoRecord:
      dialogs_.ok("No record for " + name + " in " + fileName, "");
      return false;
    case DeepLookup::Status::Found:
      break;
  }
  std::copy(found.values.begin(), found.values.end(), BallparkTable.begin());
  return true;
}

}  // namespace vnt
