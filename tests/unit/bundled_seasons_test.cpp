// The sample seasons that come with the program give every chart something worth seeing:
// each kind of roof, snow in April, walls low and high, and crazy plays from the first roll
// to the last.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "charts/environment/weather_table.h"
#include "shell/season_files.h"

namespace vnt {
namespace {

namespace fs = std::filesystem;

struct SeasonFile {
  std::string name;
  std::string data;
};

// Every bundled file whose name ends in the suffix.
std::vector<SeasonFile> bundled(const std::string& suffix) {
  std::vector<SeasonFile> files;
  for (const auto& entry : fs::directory_iterator(fs::path(VNT_SOURCE_DIR) / "seasons")) {
    const std::string name = entry.path().filename().string();
    if (name.size() < suffix.size() ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
      continue;
    }
    std::ifstream in(entry.path(), std::ios::binary);
    files.push_back({name, std::string((std::istreambuf_iterator<char>(in)),
                                       std::istreambuf_iterator<char>())});
  }
  EXPECT_EQ(files.size(), 6u) << suffix;
  return files;
}

// The names of a file that starts with a count and has `values` numbers after each name.
std::vector<std::string> names(const std::string& data, int values) {
  std::vector<std::string> out;
  FieldReader reader(data);
  const auto count = reader.number();
  for (int r = 0; count && r < *count; ++r) {
    const auto name = reader.text();
    if (!name) break;
    out.push_back(*name);
    for (int i = 0; i < values; ++i) reader.number();
  }
  return out;
}

TEST(BundledSeasons, EveryKindOfParkForTheWeather) {
  bool dome = false, retractable = false, aprilSnow = false;
  for (const SeasonFile& file : bundled("Weather.vnt")) {
    for (const std::string& name : names(file.data, weather::kValues)) {
      const WeatherLookup found = lookupWeatherRecord(file.data, name);
      ASSERT_EQ(found.status, LookupStatus::Found) << file.name << " " << name;
      const weather::Roof roof = weather::roofType(found.values);
      dome = dome || roof == weather::Roof::Dome;
      retractable = retractable || roof == weather::Roof::Retractable;
      // April is month 1; a roll of 99 falls on snow when any roll can.
      aprilSnow = aprilSnow || (roof == weather::Roof::Open &&
                                weather::weatherSky(found.values, 1, 99) == weather::Sky::Snow);
    }
  }
  EXPECT_TRUE(dome);
  EXPECT_TRUE(retractable);
  EXPECT_TRUE(aprilSnow);
}

// Wall heights are values 7..13 of a Deep record: some below 12 ft (a tie on a short wall),
// 11 and 12 ft themselves, and a wall far above the rest.
TEST(BundledSeasons, LowAndHighWalls) {
  int lowest = 1000, highest = 0;
  bool eleven = false, twelve = false;
  for (const SeasonFile& file : bundled("Deep.vnt")) {
    for (const std::string& name : names(file.data, 16)) {
      const DeepLookup found = lookupDeepRecord(file.data, name);
      ASSERT_EQ(found.status, LookupStatus::Found) << file.name << " " << name;
      for (std::size_t i = 7; i <= 13; ++i) {
        lowest = std::min<int>(lowest, found.values[i]);
        highest = std::max<int>(highest, found.values[i]);
        eleven = eleven || found.values[i] == 11;
        twelve = twelve || found.values[i] == 12;
      }
    }
  }
  EXPECT_LT(lowest, 12);
  EXPECT_GE(highest, 30);
  EXPECT_TRUE(eleven);
  EXPECT_TRUE(twelve);
}

// Every season's crazy plays start at roll 0, rise, and end with a play of the last roll.
TEST(BundledSeasons, CrazyPlaysFromTheFirstRollToTheLast) {
  for (const SeasonFile& file : bundled("CPlay.vnt")) {
    const auto plays = readCrazyPlays(file.data);
    ASSERT_TRUE(plays.has_value()) << file.name;
    ASSERT_GE(plays->size(), 2u) << file.name;
    EXPECT_EQ(plays->front().threshold, 0) << file.name;
    EXPECT_EQ(plays->back().threshold, 999) << file.name;
    for (std::size_t i = 1; i < plays->size(); ++i) {
      EXPECT_LT((*plays)[i - 1].threshold, (*plays)[i].threshold) << file.name << " " << i;
    }
  }
}

}  // namespace
}  // namespace vnt
