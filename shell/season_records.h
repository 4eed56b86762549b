#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/season_fields.h"

namespace vnt {

// The ballpark names of a Deep file, in record order; none when the file is damaged.
std::optional<std::vector<std::string>> readBallparkNames(std::string_view data);

// What a chart finds when it looks up its ballpark in a season file at roll time.
enum class LookupStatus { Found, NoRecord, Unreadable };

// The 16 values of the Deep record named exactly `name` (letter case included); when two
// records carry the name, the later one counts. A file that fails the start-up check
// (checkDeepFile) is unreadable.
struct DeepLookup {
  using Status = LookupStatus;
  Status status = Status::Unreadable;
  std::array<std::int16_t, 16> values{};
};
DeepLookup lookupDeepRecord(std::string_view data, const std::string& name);

// The Weather file: a count, then records of a name and 141 numbers. The 141 values of the
// record named exactly `name`, the later one when two carry it. The file has no check
// value, so its shape is: unreadable when the count is not a number of at least 1, the
// file runs out of fields anywhere or goes on after the last record (a record without its
// 141 numbers), a number lies outside 16 bits, or it holds a NUL byte (binary, UTF-16).
// A number field that holds no number reads as 0, as in every season file.
inline constexpr int kWeatherValues = 141;
struct WeatherLookup {
  using Status = LookupStatus;
  Status status = Status::Unreadable;
  std::array<std::int16_t, kWeatherValues> values{};
};
WeatherLookup lookupWeatherRecord(std::string_view data, const std::string& name);
// The same, saying in `why` where and why an unreadable file fails.
WeatherLookup lookupWeatherRecord(std::string_view data, const std::string& name,
                                  SeasonFileProblem* why);

// The BPE file's eight thresholds of the record at `index` (from 0): the records before it
// are skipped as nine fields each, and nothing after it is read. The record is taken by
// position, not by name; a file with too few records has no record for the index.
struct BpeLookup {
  using Status = LookupStatus;
  Status status = Status::Unreadable;
  std::array<std::int16_t, 8> thresholds{};
};
BpeLookup lookupBpeRecord(std::string_view data, int index);
// The same at roll time, for a season of `ballparks` parks: only from a file that passes
// the start-up check (examineBpeFile) for them, or for fewer records, whose later parks
// then have no record. Anything else is unreadable.
BpeLookup lookupBpeRecord(std::string_view data, int index, int ballparks);

// The CPlay file: a count, then records of a threshold (0..999) and a description.
struct CrazyPlay {
  std::int16_t threshold = 0;
  std::string description;
};
// Every record in file order; none when the count is not a number of at least 1, the file
// runs out of fields, holds a number outside 16 bits or holds a NUL byte (binary, UTF-16).
// Fields after the last record are not read.
std::optional<std::vector<CrazyPlay>> readCrazyPlays(std::string_view data);
// The same, saying in `why` where and why an unreadable file fails.
std::optional<std::vector<CrazyPlay>> readCrazyPlays(std::string_view data, SeasonFileProblem* why);

}  // namespace vnt
