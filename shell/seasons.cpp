#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "shell/form2.h"
#include "shell/season_files.h"

namespace vnt {

void Form2::checkSeasonAvailability() {
  // One listing of the folder serves every season, however many files share it;
  // `vnt-seasons check` gives the same verdict with its reason, so players can learn why.
  SeasonFolder folder;
  for (int i = 0; i < kSeasonCount; ++i) {
    optYear[i].enabled = checkSeason(kFirstSeason + i, folder).offered;
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
  for (int r = 0; r < BallparkCount; ++r)
    optBallpark[r].caption = std::move((*names)[static_cast<std::size_t>(r)]);
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
    case LookupStatus::Unreadable:
      dialogs_.ok("Cannot read " + fileName, "");
      return false;
    case LookupStatus::NoRecord:
      dialogs_.ok("No record for " + name + " in " + fileName, "");
      return false;
    case LookupStatus::Found:
      break;
  }
  std::copy(found.values.begin(), found.values.end(), BallparkTable.begin());
  return true;
}

bool Form2::loadWeatherTable(int ballpark) {
  const std::string fileName = seasonFile("Weather.vnt");
  const std::string& name = optBallpark[ballpark].caption;
  const auto weather = readSeasonFile(fileName);
  const WeatherLookup found = weather ? lookupWeatherRecord(*weather, name) : WeatherLookup{};
  switch (found.status) {
    case LookupStatus::Unreadable:
      dialogs_.ok("Cannot read " + fileName, "");
      return false;
    case LookupStatus::NoRecord:
      dialogs_.ok("No record for " + name + " in " + fileName, "");
      return false;
    case LookupStatus::Found:
      break;
  }
  BallparkTable = found.values;
  return true;
}

std::optional<std::array<std::int16_t, 8>> Form2::readBallparkEffects(int ballpark) {
  // The chart asks for "bpe.vnt"; the lookup ignores letter case, the message names the
  // file as the season list does.
  const std::string fileName = seasonFile("BPE.vnt");
  const auto bpe = readSeasonFile(fileName);
  const BpeLookup found = bpe ? lookupBpeRecord(*bpe, ballpark) : BpeLookup{};
  switch (found.status) {
    case LookupStatus::Unreadable:
      dialogs_.ok("Cannot read " + fileName, "");
      return std::nullopt;
    case LookupStatus::NoRecord:
      dialogs_.ok("No record for " + optBallpark[ballpark].caption + " in " + fileName, "");
      return std::nullopt;
    case LookupStatus::Found:
      break;
  }
  return found.thresholds;
}

std::optional<std::vector<CrazyPlay>> Form2::readSeasonCrazyPlays() {
  const std::string fileName = seasonFile("CPlay.vnt");
  const auto data = readSeasonFile(fileName);
  auto plays = data ? readCrazyPlays(*data) : std::nullopt;
  if (!plays) dialogs_.ok("Cannot read " + fileName, "");
  return plays;
}

}  // namespace vnt
