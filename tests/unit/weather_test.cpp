#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "charts/environment/weather_table.h"
#include "shell/season_files.h"

namespace vnt::weather {
namespace {

namespace fs = std::filesystem;

constexpr Time kTimes[] = {Time::Day, Time::Night};

Table filled(std::int16_t value) {
  Table table{};
  table.fill(value);
  return table;
}

// What every query of a table reads for one roll: the sky and wind per month, the
// temperature per time and month. Classes as numbers, -1 for none.
std::vector<int> readings(const Table& table, int roll) {
  std::vector<int> out;
  const auto put = [&out](auto found) { out.push_back(found ? static_cast<int>(*found) : -1); };
  for (int m = kFirstMonth; m <= kLastMonth; ++m) {
    put(weatherSky(table, m, roll));
    put(weatherWind(table, m, roll));
    for (Time t : kTimes) put(weatherTemperature(table, t, m, roll));
  }
  return out;
}

// Each value of the record after the roof belongs to exactly one threshold: in a record
// where no class reaches any roll, raising any one value makes exactly one query read a
// class (sky and wind alike by day and by night, the temperature for one time only), and
// every query is reached by as many values as its group has classes.
TEST(WeatherTable, EveryValueIsReadByExactlyOneMonthOfOneGroup) {
  const Table none = filled(-1);
  const std::vector<int> base = readings(none, 50);
  std::vector<int> reachedBy(base.size(), 0);
  for (std::size_t i = 1; i < none.size(); ++i) {
    Table table = none;
    table[i] = 99;
    const std::vector<int> now = readings(table, 50);
    int changed = 0;
    for (std::size_t q = 0; q < now.size(); ++q) {
      if (now[q] != base[q]) {
        ++changed;
        ++reachedBy[q];
      }
    }
    EXPECT_EQ(changed, 1) << "value " << i;
  }
  for (int m = 0; m < kLastMonth; ++m) {
    const std::size_t q = static_cast<std::size_t>(m) * 4;
    EXPECT_EQ(reachedBy[q], 7) << "sky, month " << m + 1;
    EXPECT_EQ(reachedBy[q + 1], 5) << "wind, month " << m + 1;
    EXPECT_EQ(reachedBy[q + 2], 4) << "day temperature, month " << m + 1;
    EXPECT_EQ(reachedBy[q + 3], 4) << "night temperature, month " << m + 1;
  }
}

// A few places of the file layout, pinned: April's first values and October's last. In a
// record where nothing else reaches a roll, the value at the index alone gives its class.
TEST(WeatherTable, KnownPlacesOfTheRecord) {
  enum class Group { DayTemperature, NightTemperature, Sky, Wind };
  struct Case {
    std::size_t index;
    Group group;
    int month;
    int expected;  // the class, counted from 0 in the group's order
  };
  const Case cases[] = {
      {1, Group::DayTemperature, 1, 0},     // April day "Hot"
      {21, Group::DayTemperature, 7, 2},    // October day "Cool"
      {29, Group::NightTemperature, 1, 0},  // April night "Hot"
      {56, Group::NightTemperature, 7, 3},  // October night "Cold"
      {57, Group::Sky, 1, 0},               // April "Clear"
      {98, Group::Sky, 7, 5},               // October "T-Storms"
      {105, Group::Sky, 7, 6},              // October "Snow"
      {106, Group::Wind, 1, 0},             // April "Wind In"
      {133, Group::Wind, 7, 3},             // October "Cross R-L"
      {140, Group::Wind, 7, 4},             // October "Wind Out"
  };
  for (const Case& c : cases) {
    Table table = filled(-1);
    table[c.index] = 99;
    std::optional<int> found;
    const auto take = [&found](auto reading) {
      if (reading) found = static_cast<int>(*reading);
    };
    switch (c.group) {
      case Group::DayTemperature:
        take(weatherTemperature(table, Time::Day, c.month, 50));
        break;
      case Group::NightTemperature:
        take(weatherTemperature(table, Time::Night, c.month, 50));
        break;
      case Group::Sky:
        take(weatherSky(table, c.month, 50));
        break;
      case Group::Wind:
        take(weatherWind(table, c.month, 50));
        break;
    }
    EXPECT_EQ(found, c.expected) << "value " << c.index;
  }
}

TEST(WeatherTable, TheRoofType) {
  struct Case {
    std::int16_t value;
    Roof roof;
  };
  for (const Case& c : {Case{0, Roof::Open}, Case{1, Roof::Retractable}, Case{2, Roof::Dome},
                        Case{-1, Roof::Dome}, Case{99, Roof::Dome}}) {
    Table table{};
    table[0] = c.value;
    EXPECT_EQ(roofType(table), c.roof) << c.value;
  }
}

// A roll equal to a threshold belongs to that class, one more to the next; equal thresholds
// leave the later class no roll; a roll above every threshold reads nothing.
TEST(WeatherTable, ThresholdsAreInclusiveAndCumulative) {
  Table table = filled(99);
  // May's sky: Clear 9, P/C 9, Overcast 30, Wet Field 30, Rain 60, T-Storms 80, Snow 90.
  const int sky[] = {9, 9, 30, 30, 60, 80, 90};
  for (int c = 0; c < 7; ++c) table[static_cast<std::size_t>(56 + 7 * c + 2)] = sky[c];
  struct Case {
    int roll;
    std::optional<Sky> sky;
  };
  const Case cases[] = {
      {-1, Sky::Clear},    {0, Sky::Clear}, {9, Sky::Clear}, {10, Sky::Overcast},
      {30, Sky::Overcast}, {31, Sky::Rain}, {60, Sky::Rain}, {61, Sky::TStorms},
      {80, Sky::TStorms},  {81, Sky::Snow}, {90, Sky::Snow}, {91, std::nullopt},
      {99, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(weatherSky(table, 2, c.roll), c.sky) << c.roll;
  // April keeps its own thresholds.
  EXPECT_EQ(weatherSky(table, 1, 91), Sky::Clear);
}

TEST(WeatherTable, MonthsOutsideAprilToOctoberReadNothing) {
  const Table table = filled(99);
  for (int month : {0, 8, -1}) {
    EXPECT_EQ(weatherSky(table, month, 0), std::nullopt) << month;
    EXPECT_EQ(weatherWind(table, month, 0), std::nullopt) << month;
    EXPECT_EQ(weatherTemperature(table, Time::Night, month, 0), std::nullopt) << month;
  }
}

TEST(WeatherTable, FollowUpRollEdges) {
  EXPECT_TRUE(rainedOut(0));
  EXPECT_TRUE(rainedOut(39));
  EXPECT_FALSE(rainedOut(40));
  EXPECT_FALSE(rainedOut(99));
  EXPECT_TRUE(snowedOut(0));
  EXPECT_TRUE(snowedOut(59));
  EXPECT_FALSE(snowedOut(60));
  EXPECT_FALSE(snowedOut(99));
}

// The wind words are the captions of the wind options the deep drive reads.
TEST(WeatherTable, Words) {
  EXPECT_EQ(skyWord(Sky::Clear), "Clear");
  EXPECT_EQ(skyWord(Sky::PartlyCloudy), "P/C");
  EXPECT_EQ(skyWord(Sky::Overcast), "Overcast");
  EXPECT_EQ(skyWord(Sky::WetField), "Wet Field");
  EXPECT_EQ(skyWord(Sky::Rain), "Rain");
  EXPECT_EQ(skyWord(Sky::TStorms), "T-Storms");
  EXPECT_EQ(skyWord(Sky::Snow), "Snow");
  EXPECT_EQ(temperatureWord(Temperature::Hot), "Hot");
  EXPECT_EQ(temperatureWord(Temperature::Warm), "Warm");
  EXPECT_EQ(temperatureWord(Temperature::Cool), "Cool");
  EXPECT_EQ(temperatureWord(Temperature::Cold), "Cold");
  EXPECT_EQ(windWord(Wind::In), "Wind In");
  EXPECT_EQ(windWord(Wind::NoWind), "No Wind");
  EXPECT_EQ(windWord(Wind::CrossLR), "Cross L-R");
  EXPECT_EQ(windWord(Wind::CrossRL), "Cross R-L");
  EXPECT_EQ(windWord(Wind::Out), "Wind Out");
}

// Every weather record of the bundled seasons, read as the game reads it.
struct Record {
  std::string file, name;
  Table table;
};

std::vector<Record> bundledRecords() {
  std::vector<Record> records;
  for (const auto& entry : fs::directory_iterator(fs::path(VNT_SOURCE_DIR) / "seasons")) {
    const std::string file = entry.path().filename().string();
    if (file.find("Weather.vnt") == std::string::npos) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    FieldReader reader(data);
    const auto count = reader.number();
    if (!count) continue;
    for (int r = 0; r < *count; ++r) {
      const auto name = reader.text();
      if (!name) break;
      const WeatherLookup found = lookupWeatherRecord(data, *name);
      if (found.status == LookupStatus::Found) records.push_back({file, *name, found.values});
      for (int i = 0; i < kValues; ++i) reader.number();
    }
  }
  return records;
}

// In the bundled data the thresholds rise to 99, so every roll reads exactly one class and a
// higher roll never reads an earlier class.
TEST(WeatherTable, BundledRecordsGiveEveryRollOneClassInOrder) {
  const std::vector<Record> records = bundledRecords();
  ASSERT_GT(records.size(), 100u);
  for (const Record& record : records) {
    for (int m = kFirstMonth; m <= kLastMonth; ++m) {
      std::vector<int> previous(3, 0);
      for (int roll = 0; roll <= 99; ++roll) {
        const auto sky = weatherSky(record.table, m, roll);
        const auto wind = weatherWind(record.table, m, roll);
        ASSERT_TRUE(sky && wind) << record.file << " " << record.name << " month " << m;
        EXPECT_GE(static_cast<int>(*sky), previous[0]);
        EXPECT_GE(static_cast<int>(*wind), previous[1]);
        previous[0] = static_cast<int>(*sky);
        previous[1] = static_cast<int>(*wind);
        for (Time t : kTimes) {
          const auto temperature = weatherTemperature(record.table, t, m, roll);
          ASSERT_TRUE(temperature) << record.file << " " << record.name << " month " << m;
        }
      }
    }
  }
}

}  // namespace
}  // namespace vnt::weather
