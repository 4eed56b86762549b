// The odds of the weather roll: the sky, the temperature and the wind, each under its own
// heading, with the roof of a park that has one.

#include <optional>
#include <string>

#include "charts/chart_odds.h"
#include "charts/environment/weather_table.h"
#include "shell/form2.h"

namespace vnt::odds {
namespace {

// A roll above every threshold of its group shows no word at all.
constexpr std::string_view kNothing = "(nothing shown)";

template <typename Class, typename Word>
std::string_view wordOf(const std::optional<Class>& found, Word word) {
  return found ? word(*found) : kNothing;
}

}  // namespace

void weatherRoll(const Form2& form, Odds& odds) {
  using weather::Sky;
  using weather::Temperature;
  const std::int16_t ballpark = form.GetBallpark();
  const std::int16_t month = form.GetMonth();
  const std::int16_t time = form.GetTime();
  if (ballpark == -1) odds.say("Select a ballpark");
  if (month == -1) odds.say("Select a month");
  if (time == -1) odds.say("Select a time");
  if (!odds.message.empty()) return;
  assume(odds, "Ballpark", form.optBallpark[ballpark].caption);
  assume(odds, form.fraMonth.caption, selectedCaption(form.optMonth));
  assume(odds, form.fraTime.caption, selectedCaption(form.optTime));
  const auto record = form.findWeatherRecord(ballpark);
  if (!record.value) {
    odds.say(record.message);
    return;
  }
  const weather::Table& table = *record.value;
  const std::string caption = plainCaption(form.cmdWeather.caption);

  const weather::Roof roof = weather::roofType(table);
  if (roof == weather::Roof::Dome) {
    assume(odds, "Roof", "closed dome");
    Tally dome;
    dome.add(weather::kDomeClosed, Chance(1, 1));
    odds.sections.push_back(dome.section(caption + ": roof"));
    Tally wind;
    wind.add(weather::windWord(weather::Wind::NoWind), Chance(1, 1));
    odds.sections.push_back(wind.section(caption + ": wind"));
    return;
  }
  const bool open = roof == weather::Roof::Open;
  assume(odds, "Roof", open ? "open air" : "retractable");
  const weather::Time when = time == 1 ? weather::Time::Night : weather::Time::Day;

  // Sky first; in an open park snow fixes the thermometer at its coldest reading, and
  // under a retractable roof the sky and the temperature decide whether the roof closes.
  Tally sky;
  for (int s = 0; s <= static_cast<int>(Sky::Snow); ++s) {
    sky.add(weather::skyWord(static_cast<Sky>(s)), Chance());
  }
  Tally storm({weather::stormWord(true), weather::stormWord(false)});
  Tally snow({weather::snowWord(true), weather::snowWord(false)});
  Chance snowedIn;
  Chance roofOpenBySky;
  bool storms = false;
  bool snows = false;
  for (int roll = 0; roll <= 99; ++roll) {
    const std::optional<Sky> found = weather::weatherSky(table, month, roll);
    sky.add(wordOf(found, weather::skyWord), oneIn(100));
    if (open && found == Sky::Snow) snowedIn += oneIn(100);
    if (!found || *found < Sky::Overcast) roofOpenBySky += oneIn(100);
    storms |= open && found == Sky::TStorms;
    snows |= open && found == Sky::Snow;
  }
  odds.sections.push_back(sky.section(caption + ": sky"));
  for (int roll = 0; roll <= 99; ++roll) {
    storm.add(weather::stormWord(weather::rainedOut(roll)), oneIn(100));
    snow.add(weather::snowWord(weather::snowedOut(roll)), oneIn(100));
  }
  if (storms) odds.sections.push_back(storm.section(caption + ": after T-Storms"));
  if (snows) odds.sections.push_back(snow.section(caption + ": after Snow"));

  Tally temperature;
  for (int t = 0; t <= static_cast<int>(Temperature::Cold); ++t) {
    temperature.add(weather::temperatureWord(static_cast<Temperature>(t)), Chance());
  }
  Chance roofOpenByTemperature;
  const Chance notSnowedIn = complement(snowedIn);
  for (int roll = 0; roll <= 99; ++roll) {
    const auto found = weather::weatherTemperature(table, when, month, roll);
    temperature.add(wordOf(found, weather::temperatureWord), notSnowedIn * oneIn(100));
    if (!found || *found == Temperature::Warm || *found == Temperature::Cool) {
      roofOpenByTemperature += oneIn(100);
    }
  }
  if (!snowedIn.isZero()) {
    const auto found =
        weather::weatherTemperature(table, when, month, weather::kSnowTemperatureRoll);
    temperature.add(wordOf(found, weather::temperatureWord), snowedIn);
  }
  odds.sections.push_back(temperature.section(caption + ": temperature"));

  Tally wind;
  for (int w = 0; w <= static_cast<int>(weather::Wind::Out); ++w) {
    wind.add(weather::windWord(static_cast<weather::Wind>(w)), Chance());
  }
  for (int roll = 0; roll <= 99; ++roll) {
    wind.add(wordOf(weather::weatherWind(table, month, roll), weather::windWord), oneIn(100));
  }
  odds.sections.push_back(wind.section(caption + ": wind"));

  if (!open) {
    // The roof closes on a wet sky or a day too hot or too cold; then the wind is "No Wind".
    const Chance stays = roofOpenBySky * roofOpenByTemperature;
    Tally closes({weather::roofWord(true), weather::roofWord(false)});
    closes.add(weather::roofWord(true), complement(stays));
    closes.add(weather::roofWord(false), stays);
    odds.sections.push_back(closes.section(caption + ": roof"));
  }
}

}  // namespace vnt::odds
