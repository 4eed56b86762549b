#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vnt::weather {

// One ballpark's weather record: the roof type at index 0, then cumulative d100 thresholds
// by class and month (April = 1 .. October = 7).
inline constexpr int kValues = 141;
using Table = std::array<std::int16_t, kValues>;

inline constexpr int kFirstMonth = 1;  // April
inline constexpr int kLastMonth = 7;   // October

enum class Roof { Open, Retractable, Dome };
// 0 is an open-air park, 1 a retractable roof, anything else a closed dome.
Roof roofType(const Table& table);

// The classes of each group in the order they are read.
enum class Sky { Clear, PartlyCloudy, Overcast, WetField, Rain, TStorms, Snow };
enum class Temperature { Hot, Warm, Cool, Cold };
enum class Wind { In, NoWind, CrossLR, CrossRL, Out };

enum class Time { Day = 0, Night = 1 };

// The first class whose threshold for the month (and time) is at least the roll; none when
// the roll lies above every threshold of the group. Months outside 1..7 read no class.
std::optional<Sky> weatherSky(const Table& table, int month, int roll);
std::optional<Temperature> weatherTemperature(const Table& table, Time time, int month, int roll);
std::optional<Wind> weatherWind(const Table& table, int month, int roll);

// The words shown for each class; the wind words are the captions of the wind options.
std::string_view skyWord(Sky sky);
std::string_view temperatureWord(Temperature temperature);
std::string_view windWord(Wind wind);

// The follow-up rolls of a thunderstorm and of snow in an open-air park, and the sentences
// they add to the explanation.
inline constexpr int kRainOutBelow = 40;
inline constexpr int kSnowOutBelow = 60;
bool rainedOut(int roll);
bool snowedOut(int roll);
std::string_view stormWord(bool rainedOut);
std::string_view snowWord(bool snowedOut);

// A closed dome shows "Dome Closed", and "No Wind" for its wind.
inline constexpr std::string_view kDomeClosed = "Dome Closed";
// A retractable roof after the roll: "Closed" (shown after "Dome") when the sky or the
// temperature closes it, "Open" (nothing shown) when not.
std::string_view roofWord(bool closed);
// After snow in an open-air park the temperature is read as this roll, not rolled.
inline constexpr int kSnowTemperatureRoll = 99;

}  // namespace vnt::weather
