// Where each class's thresholds sit in a ballpark's weather record.

#include "charts/environment/weather_table.h"

#include <cstddef>

namespace vnt::weather {
namespace {

constexpr int kMonths = kLastMonth - kFirstMonth + 1;

// A group: the index of its first class's thresholds (month 0, so month m is first + m),
// the number of classes, seven months per class.
struct Group {
  int first;
  int classes;
};

// clang-format off
constexpr int kNightOffset = 28;         // night temperatures follow the day ones
constexpr Group kTemperature{0, 4};      // Hot 1..7, Warm 8..14, Cool 15..21, Cold 22..28
constexpr Group kSky{56, 7};             // Clear 57..63 .. Snow 99..105
constexpr Group kWind{105, 5};           // Wind In 106..112 .. Wind Out 134..140
// clang-format on

// The class of the first threshold that reaches the roll, counted from 0.
std::optional<int> firstReaching(const Table& table, Group group, int month, int roll) {
  if (month < kFirstMonth || month > kLastMonth) return std::nullopt;
  for (int c = 0; c < group.classes; ++c) {
    const auto index = static_cast<std::size_t>(group.first + c * kMonths + month);
    if (table[index] >= roll) return c;
  }
  return std::nullopt;
}

template <typename Class>
std::optional<Class> asClass(std::optional<int> found) {
  if (!found) return std::nullopt;
  return static_cast<Class>(*found);
}

}  // namespace

Roof roofType(const Table& table) {
  switch (table[0]) {
    case 0:
      return Roof::Open;
    case 1:
      return Roof::Retractable;
    default:
      return Roof::Dome;
  }
}

std::optional<Sky> weatherSky(const Table& table, int month, int roll) {
  return asClass<Sky>(firstReaching(table, kSky, month, roll));
}

std::optional<Temperature> weatherTemperature(const Table& table, Time time, int month, int roll) {
  const Group group{kTemperature.first + (time == Time::Night ? kNightOffset : 0),
                    kTemperature.classes};
  return asClass<Temperature>(firstReaching(table, group, month, roll));
}

std::optional<Wind> weatherWind(const Table& table, int month, int roll) {
  return asClass<Wind>(firstReaching(table, kWind, month, roll));
}

std::string_view skyWord(Sky sky) {
  switch (sky) {
    case Sky::Clear:
      return "Clear";
    case Sky::PartlyCloudy:
      return "P/C";
    case Sky::Overcast:
      return "Overcast";
    case Sky::WetField:
      return "Wet Field";
    case Sky::Rain:
      return "Rain";
    case Sky::TStorms:
      return "T-Storms";
    case Sky::Snow:
      return "Snow";
  }
  return "";
}

std::string_view temperatureWord(Temperature temperature) {
  switch (temperature) {
    case Temperature::Hot:
      return "Hot";
    case Temperature::Warm:
      return "Warm";
    case Temperature::Cool:
      return "Cool";
    case Temperature::Cold:
      return "Cold";
  }
  return "";
}

std::string_view windWord(Wind wind) {
  switch (wind) {
    case Wind::In:
      return "Wind In";
    case Wind::NoWind:
      return "No Wind";
    case Wind::CrossLR:
      return "Cross L-R";
    case Wind::CrossRL:
      return "Cross R-L";
    case Wind::Out:
      return "Wind Out";
  }
  return "";
}

bool rainedOut(int roll) {
  return roll < kRainOutBelow;
}

bool snowedOut(int roll) {
  return roll < kSnowOutBelow;
}

std::string_view stormWord(bool rainedOut) {
  return rainedOut ? "Game is rained out." : "Game held up by rain delay.  Wet field.";
}

std::string_view snowWord(bool snowedOut) {
  return snowedOut ? "Game is snowed out." : "Game is played in snow.  Wet field.";
}

std::string_view roofWord(bool closed) {
  return closed ? "Closed" : "Open";
}

}  // namespace vnt::weather
