// Weather before the game: sky, temperature and wind for a ballpark, month and time of day.
// The roll leaves the "Cold" box and the wind selection behind for the charts that follow.

#include <optional>
#include <string>
#include <string_view>

#include "charts/environment/weather_table.h"
#include "shell/form2.h"

namespace vnt {
namespace {

// What each die of this chart is for, as the game log and the own-dice box name it.
constexpr std::string_view kSkyDie = "the sky, read against the ballpark and the month";
constexpr std::string_view kStormDie = "the thunderstorm: rained out or held up";
constexpr std::string_view kSnowDie = "the snow: snowed out or played";
constexpr std::string_view kTemperatureDie =
    "the temperature, read against the ballpark, the month and the time of day";
constexpr std::string_view kWindDie = "the wind, read against the ballpark and the month";

constexpr const char* kWetField =
    "Wet Field - Light showers before the game.  Wet field if not in dome.";
constexpr const char* kRain =
    "Rain - Persistent rain during the game.  Roll two dice every half inning.  If # is 0-5, "
    "the game is called because of rain.  Ignore in dome.";
constexpr const char* kStorms = "T-Storms - Strong thunderstorms roll in.";
constexpr const char* kSnow = "Snow - Snow before the game.";
constexpr const char* kHot = "Hot - Reduce starter's stamina by 8";
constexpr const char* kCool = "Cool - Increase starter's stamina by 4";
constexpr const char* kCold =
    "Cold - Reduce starter's stamina by 4 and fielder's error ratings by 6";
constexpr const char* kDomeCool = "Dome Cool - Increase starter's stamina by 4.  No Wind.";

}  // namespace

void Form2::cmdWeather_Click() {
  const std::int16_t ballpark = GetBallpark();
  const std::int16_t month = GetMonth();
  const std::int16_t time = GetTime();
  if (ballpark == -1) dialogs_.ok("You must select a ballpark", "");
  if (month == -1) dialogs_.ok("You must select a month", "");
  if (time == -1) dialogs_.ok("You must select a time", "");
  if (ballpark == -1 || month == -1 || time == -1) return;
  WeatherResult(ballpark, month, time);
}

void Form2::selectWind(std::string_view caption) {
  for (auto& option : optWind) {
    if (option.caption == caption) select(option);
  }
}

void Form2::WeatherResult(int ballpark, int month, int time) {
  using weather::Roof;
  using weather::Sky;
  using weather::Temperature;
  // Nothing is rolled or changed unless the ballpark's record reads cleanly.
  if (!loadWeatherTable(ballpark)) return;

  cmdCancel.caption = "&Continue";
  Label1.caption = VersionLine();
  cmdWeather.visible = false;
  lblCrazyPlay.caption.clear();
  const auto append = [this](const std::string& piece) { lblCrazyPlay.caption += piece; };
  const auto show = [this](std::string_view word) {
    Text1.caption = std::string(word);
    IncrementDiceRolls();
  };
  bool& cold = chkError[0].value;

  const std::string_view noWind = weather::windWord(weather::Wind::NoWind);
  const Roof roof = weather::roofType(BallparkTable);
  if (roof == Roof::Dome) {
    show(weather::kDomeClosed);
    show(noWind);
    selectWind(noWind);
    // A cold outdoor game must not carry into the dome's error rolls.
    cold = false;
  } else {
    const bool open = roof == Roof::Open;
    bool roofClosed = false;
    bool snowedIn = false;

    const std::optional<Sky> sky =
        weather::weatherSky(BallparkTable, month, rollDice(99, 0, kSkyDie));
    if (sky) {
      show(weather::skyWord(*sky));
      if (!open && *sky >= Sky::Overcast) {
        roofClosed = true;
        cold = false;
      } else {
        switch (*sky) {
          case Sky::Clear:
          case Sky::PartlyCloudy:
            break;
          case Sky::Overcast:
            cold = false;
            break;
          case Sky::WetField:
            append(kWetField);
            break;
          case Sky::Rain:
            append(kRain);
            break;
          case Sky::TStorms: {
            const std::int16_t storm = rollDice(99, 0, kStormDie);
            append(std::string(kStorms) + "\r");
            append(std::string(weather::stormWord(weather::rainedOut(storm))));
            break;
          }
          case Sky::Snow: {
            cold = true;
            const std::int16_t snow = rollDice(99, 0, kSnowDie);
            append(std::string(kSnow) + "\r\r");
            append(std::string(weather::snowWord(weather::snowedOut(snow))) + "\r");
            snowedIn = true;
            break;
          }
        }
      }
    }
    if (!lblCrazyPlay.caption.empty()) append("\r");

    // After snow the thermometer is not rolled: the reading is the coldest there is.
    std::int16_t reading = weather::kSnowTemperatureRoll;
    if (snowedIn) {
      Text1.caption = std::to_string(reading);
      if (chkDiceRolls.value) IncrementDiceRolls();
    } else {
      reading = rollDice(99, 0, kTemperatureDie);
    }
    const std::optional<Temperature> temperature = weather::weatherTemperature(
        BallparkTable, time == 1 ? weather::Time::Night : weather::Time::Day, month, reading);
    if (temperature) {
      show(weather::temperatureWord(*temperature));
      switch (*temperature) {
        case Temperature::Hot:
          cold = false;
          if (open) {
            append(kHot);
          } else {
            roofClosed = true;
            append(kDomeCool);
          }
          break;
        case Temperature::Warm:
          cold = false;
          break;
        case Temperature::Cool:
          cold = false;
          append(kCool);
          break;
        case Temperature::Cold:
          cold = open;
          if (open) {
            append(kCold);
          } else {
            roofClosed = true;
            append(kDomeCool);
          }
          break;
      }
    }

    if (const auto wind = weather::weatherWind(BallparkTable, month, rollDice(99, 0, kWindDie))) {
      show(weather::windWord(*wind));
      selectWind(weather::windWord(*wind));
    }

    if (roofClosed) {
      show("Dome");
      show(weather::roofWord(true));
      selectWind(noWind);
    }
  }

  fraMonth.visible = false;
  fraTime.visible = false;
  fraBallparks.visible = false;
  fraCrazyPlay.caption = "Weather Result";
  fraCrazyPlay.visible = true;
  lblCrazyPlay.visible = true;
  for (auto& option : optMonth) option.value = false;
  for (auto& option : optTime) option.value = false;
}

}  // namespace vnt
