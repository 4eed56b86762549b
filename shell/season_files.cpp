#include "shell/season_files.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "shell/check_sum.h"

namespace vnt {
namespace {

constexpr int kMaxBallparks = 30;
constexpr int kDeepValues = 16;
constexpr int kBpeValues = 8;
// The largest season file is a few kilobytes; anything this big is not one.
constexpr std::uintmax_t kMaxSeasonFileBytes = 4 * 1024 * 1024;

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}
bool isLineBreak(char c) {
  return c == '\r' || c == '\n';
}
bool isSeparator(char c) {
  return c == ',' || isLineBreak(c);
}

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Either a number or "not a number" (0); none only when the magnitude is out of range.
// Digits stop being accumulated once the magnitude passes 32768, so any length is safe.
std::optional<std::int16_t> parseNumber(std::string_view field) {
  std::string_view s = trimBlanks(field);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  if (s.empty() || !std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::int16_t{0};
  }
  constexpr int kLimit = 32768;
  int magnitude = 0;
  for (char c : s) {
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > kLimit) return std::nullopt;
  }
  if (!negative && magnitude == kLimit) return std::nullopt;
  return static_cast<std::int16_t>(negative ? -magnitude : magnitude);
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

bool isRegularFile(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec) && !ec;
}

std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec || size > kMaxSeasonFileBytes) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  // Read in pieces rather than into a buffer of the limit's size (season files are a few
  // kilobytes), and keep counting so a file that grew since file_size() is still refused.
  std::string contents;
  contents.reserve(static_cast<std::size_t>(size));
  char piece[16384];
  while (in.read(piece, sizeof piece) || in.gcount() > 0) {
    contents.append(piece, static_cast<std::size_t>(in.gcount()));
    if (contents.size() > kMaxSeasonFileBytes) return std::nullopt;
  }
  if (in.bad()) return std::nullopt;
  return contents;
}

// The count at the head of a Deep file; none unless it is 1..30.
std::optional<int> readBallparkCount(FieldReader& reader) {
  const auto n = reader.number();
  if (!n || *n < 1 || *n > kMaxBallparks) return std::nullopt;
  return int{*n};
}

}  // namespace

std::optional<std::string> FieldReader::text() {
  const std::size_t end = data_.size();
  if (!fieldDue_) {
    // Blank and whitespace-only lines join the line break before them into one separator;
    // when only they are left, there is no further field.
    for (;;) {
      std::size_t q = pos_;
      while (q < end && isBlank(data_[q])) ++q;
      if (q == end) {
        pos_ = end;
        return std::nullopt;
      }
      if (!isLineBreak(data_[q])) break;
      pos_ = q + 1;
    }
  }
  fieldDue_ = false;

  while (pos_ < end && isBlank(data_[pos_])) ++pos_;
  std::string field;
  if (pos_ < end && data_[pos_] == '"') {
    const std::size_t open = pos_ + 1;
    const std::size_t close = data_.find('"', open);
    if (close == std::string_view::npos) {
      field.assign(data_.substr(open));  // unterminated: the rest of the input
      pos_ = end;
    } else {
      field.assign(data_.substr(open, close - open));
      pos_ = close + 1;
      while (pos_ < end && !isSeparator(data_[pos_])) ++pos_;  // stray text after the quote
    }
  } else {
    const std::size_t start = pos_;
    while (pos_ < end && !isSeparator(data_[pos_])) ++pos_;
    field.assign(trimBlanks(data_.substr(start, pos_ - start)));
  }

  if (pos_ < end) {
    fieldDue_ = data_[pos_] == ',';
    ++pos_;  // a line break's partners (LF of CR LF, blank lines) go at the next call
  }
  return field;
}

std::optional<std::int16_t> FieldReader::number() {
  const auto field = text();
  if (!field) return std::nullopt;
  return numberField(*field);
}

std::optional<std::int16_t> numberField(std::string_view field) {
  return parseNumber(field);
}

std::optional<std::string> readSeasonFile(const std::string& name) {
  // A name with a NUL in it would be cut short by the operating system.
  if (name.empty() || name.find('\0') != std::string::npos) return std::nullopt;
  try {
    if (isRegularFile(name)) return readWholeFile(name);

    // Season files travel between systems that disagree about letter case.
    std::error_code ec;
    std::filesystem::directory_iterator it(".", ec);
    std::optional<std::string> best;
    for (const std::filesystem::directory_iterator done; !ec && it != done; it.increment(ec)) {
      const std::string candidate = it->path().filename().string();
      if (!equalsIgnoringAsciiCase(candidate, name)) continue;
      if (best && *best <= candidate) continue;
      if (isRegularFile(candidate)) best = candidate;
    }
    if (!best) return std::nullopt;
    return readWholeFile(*best);
  } catch (const std::exception&) {
    return std::nullopt;  // allocation failure: the caller only needs "no file"
  }
}

std::optional<int> checkDeepFile(std::string_view data) {
  FieldReader reader(data);
  const auto n = readBallparkCount(reader);
  if (!n) return std::nullopt;
  CheckSum sum;
  for (int record = 0; record < *n; ++record) {
    if (!reader.text()) return std::nullopt;  // the ballpark name is not summed
    for (int i = 0; i < kDeepValues; ++i) {
      const auto value = reader.number();
      if (!value) return std::nullopt;
      sum.add(*value);
    }
  }
  const auto check = reader.number();
  if (!check || !sum.matches(*check)) return std::nullopt;
  return n;
}

bool checkBpeFile(std::string_view data, int n) {
  if (n < 1 || n > kMaxBallparks) return false;
  FieldReader reader(data);
  CheckSum sum;
  for (int record = 0; record < n; ++record) {
    // The first threshold goes by as text; the park name after the eighth is summed (as 0).
    if (!reader.text()) return false;
    for (int i = 0; i < kBpeValues; ++i) {
      const auto value = reader.number();
      if (!value) return false;
      sum.add(*value);
    }
  }
  const auto check = reader.number();
  return check && sum.matches(*check);
}

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
  FieldReader reader(data);
  const auto n = reader.number();
  if (!n) return {};
  WeatherLookup result;
  result.status = LookupStatus::NoRecord;
  std::array<std::int16_t, kWeatherValues> values{};
  for (int record = 0; record < *n; ++record) {
    const auto recordName = reader.text();
    if (!recordName) return {};
    for (auto& value : values) {
      const auto read = reader.number();
      if (!read) return {};
      value = *read;
    }
    if (*recordName == name) {
      result.status = LookupStatus::Found;
      result.values = values;
    }
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

std::optional<std::vector<CrazyPlay>> readCrazyPlays(std::string_view data) {
  FieldReader reader(data);
  const auto n = reader.number();
  if (!n) return std::nullopt;
  std::vector<CrazyPlay> plays;
  for (int record = 0; record < *n; ++record) {
    const auto threshold = reader.number();
    if (!threshold) return std::nullopt;
    auto description = reader.text();
    if (!description) return std::nullopt;
    plays.push_back({*threshold, std::move(*description)});
  }
  return plays;
}

}  // namespace vnt
