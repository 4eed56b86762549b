#include "shell/season_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>

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

// Eight bytes at a time: season files are megabytes at most, but read at every roll.
bool isAscii(std::string_view s) {
  std::size_t i = 0;
  for (; i + 8 <= s.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, s.data() + i, 8);
    if ((word & 0x8080808080808080ull) != 0) return false;
  }
  for (; i < s.size(); ++i) {
    if (static_cast<unsigned char>(s[i]) >= 0x80) return false;
  }
  return true;
}

// Closes a file handle when it goes out of scope.
class FileHandle {
 public:
  explicit FileHandle(int fd) : fd_(fd) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

// Opening without blocking: a FIFO or device put where a season file should be must not
// hold the window while it waits for a writer. What was opened is checked on the handle.
FileHandle openForReading(const std::string& name) {
  int fd;
  do {
    fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  return FileHandle(fd);
}

bool isRegularFile(int fd) {
  struct stat st {};
  return fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

// The code point a Windows-1252 byte stands for. The five bytes the code page leaves
// undefined map to the control characters of the same number, as Windows itself does.
char32_t windows1252(unsigned char byte) {
  // clang-format off
  static constexpr char16_t kHigh[32] = {  // bytes 80..9F, eight to a row
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  // clang-format on
  if (byte >= 0x80 && byte < 0xA0) return kHigh[byte - 0x80];
  return byte;
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {  // the code page reaches no further than U+FFFF
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The length of the well-formed UTF-8 sequence at the start of `s` (no overlong forms, no
// surrogates, nothing past U+10FFFF), or 0 when none starts there.
std::size_t utf8SequenceLength(std::string_view s) {
  const auto byte = [&s](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (s.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
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

std::optional<std::string> readOpenSeasonFile(int fd) {
  struct stat st {};
  if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0 ||
      static_cast<std::uintmax_t>(st.st_size) > kMaxSeasonFileBytes) {
    return std::nullopt;
  }
  try {
    // Read straight into a buffer of the size fstat() gave, then on to the end, so a file
    // that grew since is still refused once it passes the limit.
    std::string contents(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t used = 0;
    while (used < contents.size()) {
      const ssize_t got = ::read(fd, contents.data() + used, contents.size() - used);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) return std::nullopt;
      if (got == 0) break;
      used += static_cast<std::size_t>(got);
    }
    contents.resize(used);
    char piece[16384];
    for (;;) {
      const ssize_t got = ::read(fd, piece, sizeof piece);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) return std::nullopt;
      if (got == 0) break;
      contents.append(piece, static_cast<std::size_t>(got));
      if (contents.size() > kMaxSeasonFileBytes) return std::nullopt;
    }
    // Files that need no decoding (most of them) are handed over without a copy.
    if (!std::string_view(contents).starts_with("\xEF\xBB\xBF") && isAscii(contents)) {
      return contents;
    }
    return decodeSeasonText(contents);
  } catch (const std::exception&) {
    return std::nullopt;  // allocation failure: the caller only needs "cannot read"
  }
}

std::string decodeSeasonText(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  std::string text;
  text.reserve(bytes.size());
  // Runs of valid UTF-8 (ASCII included) are copied whole; only stray bytes are re-encoded.
  std::size_t run = 0;
  std::size_t i = 0;
  while (i < bytes.size()) {
    if (static_cast<unsigned char>(bytes[i]) < 0x80) {  // the common case, byte by byte
      ++i;
      continue;
    }
    const std::size_t length = utf8SequenceLength(bytes.substr(i));
    if (length > 0) {
      i += length;
      continue;
    }
    text.append(bytes.substr(run, i - run));
    appendUtf8(text, windows1252(static_cast<unsigned char>(bytes[i])));
    run = ++i;
  }
  text.append(bytes.substr(run));
  return text;
}

std::optional<std::string> SeasonFolder::read(const std::string& name) {
  // A name with a NUL or a slash in it would not name a file of this folder.
  if (name.empty() || name.find('\0') != std::string::npos || name.find('/') != std::string::npos) {
    return std::nullopt;
  }
  try {
    // The exact spelling first: the common case needs no listing at all.
    {
      const FileHandle file = openForReading(name);
      if (isRegularFile(file.get())) return readOpenSeasonFile(file.get());
    }

    // Season files travel between systems that disagree about letter case.
    if (!listed_) {
      listed_ = true;
      if (DIR* dir = ::opendir(".")) {
        while (const dirent* entry = ::readdir(dir)) {
          const std::string_view entryName(entry->d_name);
          if (namesByLength_.size() <= entryName.size())
            namesByLength_.resize(entryName.size() + 1);
          namesByLength_[entryName.size()].emplace_back(entryName);
        }
        ::closedir(dir);
      }
    }
    std::vector<const std::string*> matches;
    if (name.size() < namesByLength_.size()) {
      for (const std::string& candidate : namesByLength_[name.size()]) {
        if (equalsIgnoringAsciiCase(candidate, name)) matches.push_back(&candidate);
      }
    }
    std::sort(matches.begin(), matches.end(),
              [](const std::string* a, const std::string* b) { return *a < *b; });
    for (const std::string* candidate : matches) {
      const FileHandle file = openForReading(*candidate);
      if (isRegularFile(file.get())) return readOpenSeasonFile(file.get());
    }
    return std::nullopt;
  } catch (const std::exception&) {
    return std::nullopt;  // allocation failure: the caller only needs "no file"
  }
}

std::optional<std::string> readSeasonFile(const std::string& name) {
  return SeasonFolder().read(name);
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
