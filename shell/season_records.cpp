#include "shell/season_records.h"

#include "shell/season_diagnosis.h"
#include "shell/season_walk.h"

namespace vnt {
namespace {

using season_walk::outOfRange;
using season_walk::recordLabel;
using season_walk::shown;
using season_walk::Walk;

constexpr int kMaxBallparks = 30;
constexpr int kDeepValues = 16;

// The count at the head of a Deep file; none unless it is 1..30.
std::optional<int> readBallparkCount(FieldReader& reader) {
  const auto n = reader.number();
  if (!n || *n < 1 || *n > kMaxBallparks) return std::nullopt;
  return int{*n};
}

// Files with no check value of their own: a NUL byte says the file is binary or UTF-16,
// not text, whatever its fields would read as.
std::optional<SeasonFileProblem> nulByte(const Walk& walk, std::string_view data) {
  const std::size_t nul = data.find('\0');
  if (nul == std::string_view::npos) return std::nullopt;
  return walk.at(nul, "holds a NUL byte, so it is not a text file");
}

// The count at the head of a Weather or CPlay file: a number of at least 1. A word, an
// empty field, 0 or a negative count leaves the file with nothing to read: damaged.
std::optional<std::int16_t> recordCount(Walk& walk, const std::optional<std::string>& field,
                                        SeasonFileProblem& problem) {
  if (!field) {
    problem = walk.afterField("ends before the count");
    return std::nullopt;
  }
  const auto n = numberField(*field);
  if (!n) {
    problem = walk.atField(outOfRange("count", *field));
  } else if (!holdsNumber(*field)) {
    problem = walk.atField("count " + shown(*field) + " is not a number");
  } else if (*n < 1) {
    problem = walk.atField("count " + std::to_string(*n) + " is below 1");
  } else {
    return n;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::vector<std::string>> readBallparkNames(std::string_view data) {
  FieldReader reader(data);
  const auto n = readBallparkCount(reader);
  if (!n) return std::nullopt;
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(*n));
  for (int record = 0; record < *n; ++record) {
    auto name = reader.text();
    if (!name) return std::nullopt;
    for (int i = 0; i < kDeepValues; ++i) {
      if (!reader.number()) return std::nullopt;
    }
    names.push_back(std::move(*name));
  }
  return names;
}

DeepLookup lookupDeepRecord(std::string_view data, const std::string& name) {
  // Only a file that passes the start-up check is used: one damaged since (a number cut,
  // one too many) would shift every value after the damage.
  if (!checkDeepFile(data)) return {};
  FieldReader reader(data);
  const auto n = readBallparkCount(reader);
  if (!n) return {};
  DeepLookup result;
  result.status = DeepLookup::Status::NoRecord;
  for (int record = 0; record < *n; ++record) {
    const auto recordName = reader.text();
    if (!recordName) return {};
    std::array<std::int16_t, kDeepValues> values{};
    for (auto& value : values) {
      const auto read = reader.number();
      if (!read) return {};
      value = *read;
    }
    if (*recordName == name) {
      result.status = DeepLookup::Status::Found;
      result.values = values;
    }
  }
  return result;
}

WeatherLookup lookupWeatherRecord(std::string_view data, const std::string& name) {
  return lookupWeatherRecord(data, name, nullptr);
}

WeatherLookup lookupWeatherRecord(std::string_view data, const std::string& name,
                                  SeasonFileProblem* why) {
  Walk walk(data);
  const auto fail = [&](SeasonFileProblem problem) {
    if (why) *why = walk.unclosedQuote().value_or(std::move(problem));
    return WeatherLookup{};
  };
  if (auto nul = nulByte(walk, data)) return fail(std::move(*nul));
  SeasonFileProblem countProblem;
  const auto n = recordCount(walk, walk.next(), countProblem);
  if (!n) return fail(std::move(countProblem));
  WeatherLookup result;
  result.status = LookupStatus::NoRecord;
  std::array<std::int16_t, kWeatherValues> values{};
  for (int record = 1; record <= *n; ++record) {
    const auto recordName = walk.next();
    if (!recordName) {
      return fail(walk.afterField("ends after " + std::to_string(record - 1) + " of " +
                                  std::to_string(*n) + " records"));
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
      const auto field = walk.next();
      if (!field) {
        return fail(walk.afterField(recordLabel(record, *recordName) + " ends after " +
                                    std::to_string(i) + " of 141 numbers"));
      }
      const auto read = numberField(*field);
      if (!read) {
        return fail(walk.atField(outOfRange(
            recordLabel(record, *recordName) + " number " + std::to_string(i + 1), *field)));
      }
      values[i] = *read;
    }
    if (*recordName == name) {
      result.status = LookupStatus::Found;
      result.values = values;
    }
  }
  // Fields past the last record: a record holds more than its 141 numbers (or the count is
  // short), so the records read are out of step.
  if (walk.next()) {
    return fail(walk.atField("more fields follow the " + std::to_string(*n) +
                             (*n == 1 ? " record" : " records") + " of the count"));
  }
  return result;
}

BpeLookup lookupBpeRecord(std::string_view data, int index) {
  if (index < 0) return {};
  FieldReader reader(data);
  BpeLookup result;
  for (int record = 0; record <= index; ++record) {
    for (auto& threshold : result.thresholds) {
      // Running out of fields before the record is complete: the file holds too few records.
      const auto field = reader.text();
      if (!field) return {LookupStatus::NoRecord, {}};
      const auto value = numberField(*field);
      if (!value) return {};
      threshold = *value;
    }
    // The ninth field (the name, as the files carry it) is not interpreted.
    if (record < index && !reader.text()) return {LookupStatus::NoRecord, {}};
  }
  result.status = LookupStatus::Found;
  return result;
}

BpeLookup lookupBpeRecord(std::string_view data, int index, int ballparks) {
  if (index < 0) return {};
  if (examineBpeFile(data, ballparks).passes) return lookupBpeRecord(data, index);
  // Whole, with its check value, but with fewer records than the Deep file: the parks
  // past its end have no record.
  for (int records = ballparks - 1; records >= 1; --records) {
    if (!examineBpeFile(data, records).passes) continue;
    if (index < records) return lookupBpeRecord(data, index);
    return {LookupStatus::NoRecord, {}};
  }
  return {};
}

std::optional<std::vector<CrazyPlay>> readCrazyPlays(std::string_view data) {
  return readCrazyPlays(data, nullptr);
}

std::optional<std::vector<CrazyPlay>> readCrazyPlays(std::string_view data,
                                                     SeasonFileProblem* why) {
  Walk walk(data);
  const auto fail = [&](SeasonFileProblem problem) -> std::optional<std::vector<CrazyPlay>> {
    if (why) *why = walk.unclosedQuote().value_or(std::move(problem));
    return std::nullopt;
  };
  if (auto nul = nulByte(walk, data)) return fail(std::move(*nul));
  SeasonFileProblem countProblem;
  const auto n = recordCount(walk, walk.next(), countProblem);
  if (!n) return fail(std::move(countProblem));
  std::vector<CrazyPlay> plays;
  for (int record = 1; record <= *n; ++record) {
    const auto field = walk.next();
    if (!field) {
      return fail(walk.afterField("ends after " + std::to_string(record - 1) + " of " +
                                  std::to_string(*n) + " records"));
    }
    const auto threshold = numberField(*field);
    if (!threshold) {
      return fail(
          walk.atField(outOfRange("record " + std::to_string(record) + " threshold", *field)));
    }
    auto description = walk.next();
    if (!description) {
      return fail(walk.afterField("record " + std::to_string(record) + " ends before its play"));
    }
    plays.push_back({*threshold, std::move(*description)});
  }
  return plays;
}

}  // namespace vnt
