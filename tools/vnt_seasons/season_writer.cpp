#include "season_writer.h"

#include <string_view>

#include "shell/check_sum.h"

namespace vnt::seasons {
namespace {

constexpr std::string_view kBreak = "\r\n";

// One record: fields joined by commas, laid out on a line of its own.
class Record {
 public:
  Record& number(int value) {
    separate();
    fields_ += std::to_string(value);
    return *this;
  }

  Record& text(const std::string& value) {
    separate();
    fields_ += '"';
    fields_ += value;
    fields_ += '"';
    return *this;
  }

  void appendTo(std::string& out) const {
    out += fields_;
    out += kBreak;
  }

 private:
  void separate() {
    if (!fields_.empty()) {
      fields_ += ',';
    }
  }

  std::string fields_;
};

void line(std::string& out, int value) {
  Record().number(value).appendTo(out);
}

// Percentages to the cumulative thresholds of a d100 roll 0..99: a roll falls in the first
// class whose threshold is at least the roll, so each threshold is the running total - 1.
template <std::size_t N>
std::array<int, N> thresholds(const std::array<int, N>& percents) {
  std::array<int, N> result{};
  int total = 0;
  for (std::size_t i = 0; i < N; ++i) {
    total += percents[i];
    result[i] = total - 1;
  }
  return result;
}

}  // namespace

std::string renderDeep(const std::vector<Park>& parks) {
  std::string out;
  line(out, static_cast<int>(parks.size()));
  CheckSum check;
  for (const Park& park : parks) {
    Record record;
    record.text(park.name);
    const auto add = [&](int value) {
      record.number(value);
      check.add(value);
    };
    for (int wall : park.walls) {
      add(wall);
    }
    for (int height : park.heights) {
      add(height);
    }
    add(park.foul);
    add(0);  // the sixteenth value has no use; it is still counted
    record.appendTo(out);
  }
  line(out, check.expected());
  return out;
}

std::string renderBpe(const std::vector<Park>& parks) {
  std::string out;
  CheckSum check;
  for (const Park& park : parks) {
    Record record;
    for (int threshold : park.bpe) {
      record.number(threshold);
    }
    record.text(park.name).appendTo(out);
    // Readers take each record as one text field and eight numbers: the first threshold
    // counts as text and the name, holding no number, counts as 0.
    for (std::size_t i = 1; i < park.bpe.size(); ++i) {
      check.add(park.bpe[i]);
    }
    check.add(0);
  }
  line(out, check.expected());
  return out;
}

std::string renderWeather(const std::vector<Park>& parks,
                          const std::map<std::string, Climate>& climates) {
  std::string out;
  line(out, static_cast<int>(parks.size()));
  for (const Park& park : parks) {
    const Climate& climate = climates.at(park.climate);
    // Values 1..140 run class by class, and within a class month by month.
    std::array<std::array<int, 4>, kMonths> day{};
    std::array<std::array<int, 4>, kMonths> night{};
    std::array<std::array<int, 7>, kMonths> sky{};
    std::array<std::array<int, 5>, kMonths> wind{};
    for (std::size_t m = 0; m < kMonths; ++m) {
      day[m] = thresholds(climate.months[m].day);
      night[m] = thresholds(climate.months[m].night);
      sky[m] = thresholds(climate.months[m].sky);
      wind[m] = thresholds(climate.months[m].wind);
    }
    Record record;
    record.text(park.name);
    record.number(static_cast<int>(park.roof));
    const auto put = [&](const auto& table) {
      for (std::size_t c = 0; c < table[0].size(); ++c) {
        for (std::size_t m = 0; m < kMonths; ++m) {
          record.number(table[m][c]);
        }
      }
    };
    put(day);
    put(night);
    put(sky);
    put(wind);
    record.appendTo(out);
  }
  return out;
}

std::string renderCrazyPlays(int year, const std::vector<CrazyPlay>& plays) {
  std::vector<const CrazyPlay*> chosen;
  int total = 0;
  for (const CrazyPlay& play : plays) {
    if (year >= play.firstYear && year <= play.lastYear) {
      chosen.push_back(&play);
      total += play.width;
    }
  }
  // Rolls run 0..999, so the widths must cover exactly that, or some play would be out
  // of reach or the last one would silently grow.
  if (total != 1000) {
    throw SourceError("crazy plays for " + std::to_string(year) + " have widths adding up to " +
                      std::to_string(total) + ", not 1000");
  }
  std::string out;
  line(out, static_cast<int>(chosen.size()));
  int threshold = 0;
  for (const CrazyPlay* play : chosen) {
    Record().number(threshold).text(play->text).appendTo(out);
    threshold += play->width;
  }
  return out;
}

std::map<std::string, std::string> renderSeason(const Season& season, const Sources& sources) {
  const std::string year = std::to_string(season.year);
  std::map<std::string, std::string> files;
  files[year + "Deep.vnt"] = renderDeep(season.parks);
  files[year + "BPE.vnt"] = renderBpe(season.parks);
  files[year + "Weather.vnt"] = renderWeather(season.parks, sources.climates);
  files[year + "CPlay.vnt"] = renderCrazyPlays(season.year, sources.plays);
  return files;
}

}  // namespace vnt::seasons
