#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "shell/form2.h"
#include "shell/season_diagnosis.h"
#include "shell/season_files.h"

namespace vnt {

void Form2::checkSeasonAvailability() {
  // One listing of the folder serves every season, however many files share it;
  // `vnt-seasons check` gives the same verdict with its reason, so players can learn why.
  SeasonFolder folder;
  unofferedSeasons.clear();
  for (int i = 0; i < kSeasonCount; ++i) {
    const int year = kFirstSeason + i;
    const SeasonVerdict verdict = checkSeason(year, folder);
    optYear[i].enabled = verdict.offered;
    // A season kept back tells why where the player looks: on its own option.
    const std::string reason = seasonReason(verdict, folder);
    optYear[i].description = reason.empty() ? "" : "Not offered: " + reason;
    if (!verdict.offered && seasonHasFiles(year, folder)) {
      unofferedSeasons.push_back(std::to_string(year) + "  " + reason);
    }
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

namespace {

// The message a roll gives when its file fails it, or empty when the record was found.
std::string lookupMessage(LookupStatus status, const std::string& name,
                          const std::string& fileName) {
  switch (status) {
    case LookupStatus::Unreadable:
      return "Cannot read " + fileName;
    case LookupStatus::NoRecord:
      return "No record for " + name + " in " + fileName;
    case LookupStatus::Found:
      break;
  }
  return {};
}

template <typename T, typename Lookup>
Form2::Found<T> found(const Lookup& lookup, T Lookup::*value, const std::string& name,
                      const std::string& fileName) {
  if (lookup.status == LookupStatus::Found) return {lookup.*value, {}};
  return {std::nullopt, lookupMessage(lookup.status, name, fileName)};
}

}  // namespace

Form2::Found<std::array<std::int16_t, 16>> Form2::findDeepRecord(int ballpark) const {
  const std::string fileName = seasonFile("Deep.vnt");
  const std::string& name = optBallpark[ballpark].caption;
  const auto deep = readSeasonFile(fileName);
  const DeepLookup lookup = deep ? lookupDeepRecord(*deep, name) : DeepLookup{};
  return found(lookup, &DeepLookup::values, name, fileName);
}

Form2::Found<std::array<std::int16_t, kWeatherValues>> Form2::findWeatherRecord(
    int ballpark) const {
  const std::string fileName = seasonFile("Weather.vnt");
  const std::string& name = optBallpark[ballpark].caption;
  const auto weather = readSeasonFile(fileName);
  const WeatherLookup lookup = weather ? lookupWeatherRecord(*weather, name) : WeatherLookup{};
  return found(lookup, &WeatherLookup::values, name, fileName);
}

Form2::Found<std::array<std::int16_t, 8>> Form2::findBallparkEffects(int ballpark) const {
  // The chart asks for "bpe.vnt"; the lookup ignores letter case, the message names the
  // file as the season list does.
  const std::string fileName = seasonFile("BPE.vnt");
  const auto bpe = readSeasonFile(fileName);
  const BpeLookup lookup = bpe ? lookupBpeRecord(*bpe, ballpark, BallparkCount) : BpeLookup{};
  return found(lookup, &BpeLookup::thresholds, optBallpark[ballpark].caption, fileName);
}

Form2::Found<std::vector<CrazyPlay>> Form2::findCrazyPlays() const {
  const std::string fileName = seasonFile("CPlay.vnt");
  const auto data = readSeasonFile(fileName);
  auto plays = data ? readCrazyPlays(*data) : std::nullopt;
  if (!plays) return {std::nullopt, lookupMessage(LookupStatus::Unreadable, {}, fileName)};
  return {std::move(plays), {}};
}

bool Form2::lookUpBallpark(int ballpark) {
  const auto record = findDeepRecord(ballpark);
  if (!record.value) {
    dialogs_.ok(record.message, "");
    return false;
  }
  std::copy(record.value->begin(), record.value->end(), BallparkTable.begin());
  return true;
}

bool Form2::loadWeatherTable(int ballpark) {
  const auto record = findWeatherRecord(ballpark);
  if (!record.value) {
    dialogs_.ok(record.message, "");
    return false;
  }
  BallparkTable = *record.value;
  return true;
}

std::optional<std::array<std::int16_t, 8>> Form2::readBallparkEffects(int ballpark) {
  auto record = findBallparkEffects(ballpark);
  if (!record.value) dialogs_.ok(record.message, "");
  return record.value;
}

std::optional<std::vector<CrazyPlay>> Form2::readSeasonCrazyPlays() {
  auto plays = findCrazyPlays();
  if (!plays.value) dialogs_.ok(plays.message, "");
  return std::move(plays.value);
}

}  // namespace vnt
