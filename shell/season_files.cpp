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

// An optional + or - and one or more decimal digits, blanks and tabs trimmed.
bool holdsNumber(std::string_view field) {
  std::string_view s = trimBlanks(field);
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Either a number or "not a number" (0); none only when the magnitude is out of range.
// Digits stop being accumulated once the magnitude passes 32768, so any length is safe.
std::optional<std::int16_t> parseNumber(std::string_view field) {
  if (!holdsNumber(field)) return std::int16_t{0};
  std::string_view s = trimBlanks(field);
  bool negative = false;
  if (s.front() == '+' || s.front() == '-') {
    negative = s.front() == '-';
    s.remove_prefix(1);
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

// A field's text as a message shows it: quoted, control bytes as '?', long ones cut.
std::string shown(std::string_view text) {
  constexpr std::size_t kShown = 40;
  std::size_t cut = text.size();
  if (cut > kShown) {
    cut = kShown;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;  // whole UTF-8
  }
  std::string out = "\"";
  for (std::size_t i = 0; i < cut; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    out += c < 0x20 || c == 0x7f ? '?' : static_cast<char>(c);
  }
  return out + (cut < text.size() ? "...\"" : "\"");
}

// A number field that is out of range, shown as written (it holds only sign and digits).
std::string outOfRange(std::string_view what, std::string_view field) {
  std::string digits(trimBlanks(field));
  if (digits.size() > 20) digits = digits.substr(0, 20) + "...";
  return std::string(what) + " is " + digits + ", outside -32768..32767";
}

// Reads a season file as the readers above do (one FieldReader, the same calls in the same
// order) and turns a failure into a message that points at the place to fix.
class Walk {
 public:
  explicit Walk(std::string_view data) : reader_(data) {}

  std::optional<std::string> next() {
    if (fields_ > 0) {
      previousEnd_ = reader_.fieldOffset() + reader_.fieldLength();
      previousLine_ = reader_.positionOf(previousEnd_).line;
    }
    auto field = reader_.text();
    if (field) ++fields_;
    // Names never hold a line break: a quote that closes on a later line most likely lost
    // its partner and took in the fields after it.
    if (field && reader_.fieldQuoted() && !reader_.unclosedQuote() && !strayQuote_ &&
        field->find_first_of("\r\n") != std::string::npos) {
      const std::size_t close = reader_.fieldOffset() + reader_.fieldLength() - 1;
      strayQuote_ = at(reader_.fieldOffset(), "quote opened here closes only on line " +
                                                  std::to_string(reader_.positionOf(close).line));
    }
    return field;
  }

  // Fields read so far, and the rest counted when the reading failed (for a count hint).
  int fields() const { return fields_; }
  int fieldsToEnd() {
    while (next()) {
    }
    return fields_;
  }

  int line() const { return reader_.positionOf(reader_.fieldOffset()).line; }
  // The field just read starts on a later line than the one before it ended.
  bool startsLine() const { return fields_ > 1 && line() > previousLine_; }

  SeasonFileProblem at(std::size_t offset, std::string reason) const {
    const auto where = reader_.positionOf(offset);
    return {where.line, where.column, std::move(reason)};
  }
  SeasonFileProblem atField(std::string reason) const {
    return at(reader_.fieldOffset(), std::move(reason));
  }
  // Just past the field read last: where a missing field would have gone.
  SeasonFileProblem afterField(std::string reason) const {
    return at(reader_.fieldOffset() + reader_.fieldLength(), std::move(reason));
  }
  SeasonFileProblem afterPrevious(std::string reason) const {
    return at(previousEnd_, std::move(reason));
  }

  // A quote that is never closed swallows the rest of the file, so it outranks every later
  // symptom.
  std::optional<SeasonFileProblem> unclosedQuote() const {
    if (const auto open = reader_.unclosedQuote()) {
      return at(*open, "quote opened here is never closed");
    }
    return strayQuote_;
  }

  std::size_t fieldOffset() const { return reader_.fieldOffset(); }
  std::size_t fieldLength() const { return reader_.fieldLength(); }
  bool fieldQuoted() const { return reader_.fieldQuoted(); }

 private:
  FieldReader reader_;
  int fields_ = 0;
  std::size_t previousEnd_ = 0;
  int previousLine_ = 1;
  std::optional<SeasonFileProblem> strayQuote_;
};

// The problem a failing check reports. A quote that is never closed outranks everything,
// and then no one can tell where the records end; otherwise, when asked, the first field
// that looked out of place, likelier the fault than where the reading finally broke down.
SeasonFileCheck failedCheck(SeasonFileCheck result, const Walk& walk, SeasonFileProblem problem,
                            const std::optional<SeasonFileProblem>& suspect, bool preferSuspect) {
  if (auto quote = walk.unclosedQuote()) {
    problem = std::move(*quote);
    result.recordsRead = false;
  } else if (preferSuspect && suspect) {
    problem = *suspect;
  }
  result.problem = std::move(problem);
  return result;
}

std::string recordLabel(int record, const std::string& name) {
  return "record " + std::to_string(record) + (name.empty() ? "" : " " + shown(name));
}

// What a wrong check value may come from, said after the two values.
std::string checkNotes(const CheckSum& sum, const std::string& skipped, int fieldsAfter) {
  std::string notes;
  if (!skipped.empty()) notes += "; " + skipped;
  if (sum.fallsBack()) notes += "; S * 2 - 2345 leaves 16 bits, so S itself is the check value";
  if (fieldsAfter > 0) notes += "; " + std::to_string(fieldsAfter) + " more fields follow it";
  return notes;
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
  fieldStart_ = pos_;
  quoted_ = pos_ < end && data_[pos_] == '"';
  if (quoted_) {
    const std::size_t open = pos_ + 1;
    const std::size_t close = data_.find('"', open);
    if (close == std::string_view::npos) {
      field.assign(data_.substr(open));  // unterminated: the rest of the input
      if (!unclosedQuote_) unclosedQuote_ = pos_;
      pos_ = end;
      fieldEnd_ = end;
    } else {
      field.assign(data_.substr(open, close - open));
      pos_ = close + 1;
      while (pos_ < end && !isSeparator(data_[pos_])) ++pos_;  // stray text after the quote
      fieldEnd_ = pos_;
      while (fieldEnd_ > close + 1 && isBlank(data_[fieldEnd_ - 1])) --fieldEnd_;
    }
  } else {
    const std::size_t start = pos_;
    while (pos_ < end && !isSeparator(data_[pos_])) ++pos_;
    const std::string_view trimmed = trimBlanks(data_.substr(start, pos_ - start));
    field.assign(trimmed);
    fieldEnd_ = start + trimmed.size();
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

FieldReader::Position FieldReader::positionOf(std::size_t offset) const {
  // Asked field after field, so counting on from the last answer keeps a whole walk linear.
  const std::size_t stop = std::min(offset, data_.size());
  if (stop < counted_) {
    counted_ = 0;
    countedAt_ = Position{};
  }
  for (; counted_ < stop; ++counted_) {
    const char c = data_[counted_];
    if (c == '\n' || (c == '\r' && !(counted_ + 1 < data_.size() && data_[counted_ + 1] == '\n'))) {
      ++countedAt_.line;
      countedAt_.column = 1;
    } else if (c != '\r') {
      ++countedAt_.column;
    }
  }
  return countedAt_;
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
  const SeasonFileCheck check = examineDeepFile(data);
  if (!check.passes) return std::nullopt;
  return check.records;
}

bool checkBpeFile(std::string_view data, int n) {
  return examineBpeFile(data, n).passes;
}

SeasonFileCheck examineDeepFile(std::string_view data) {
  SeasonFileCheck result;
  Walk walk(data);
  // The first field that looks out of place: when the file fails, it is likelier the fault
  // than where the reading finally broke down.
  std::optional<SeasonFileProblem> suspect;
  std::string skipped;
  const auto fail = [&](SeasonFileProblem problem, bool preferSuspect) {
    return failedCheck(result, walk, std::move(problem), suspect, preferSuspect);
  };

  const auto countField = walk.next();
  if (!countField) return fail(walk.afterField("ends before the count"), false);
  const auto count = numberField(*countField);
  if (!count) return fail(walk.atField(outOfRange("count", *countField)), false);
  if (!holdsNumber(*countField)) {
    return fail(walk.atField("count " + shown(*countField) + " is not a number"), false);
  }
  if (*count < 1 || *count > kMaxBallparks) {
    return fail(walk.atField("count " + std::to_string(*count) + " outside 1..30"), false);
  }
  const int n = *count;
  result.records = n;
  const SeasonFileProblem countAt = walk.atField("");
  // A count that does not match the records that follow shows as fields left over or missing
  // in whole records (of 17 fields), the check value last.
  const auto countHint = [&](int fieldsAfterCount) -> std::optional<SeasonFileProblem> {
    if (fieldsAfterCount % (kDeepValues + 1) != 1) return std::nullopt;
    const int records = fieldsAfterCount / (kDeepValues + 1);
    if (records == n || records < 1) return std::nullopt;
    return SeasonFileProblem{
        countAt.line, countAt.column,
        "count " + std::to_string(n) + ", but " + std::to_string(records) + " records follow"};
  };

  CheckSum sum;
  for (int record = 1; record <= n; ++record) {
    const auto nameField = walk.next();
    if (!nameField) {
      auto problem = walk.afterField("ends after " + std::to_string(record - 1) + " of " +
                                     std::to_string(n) + " records");
      if (auto hint = countHint(walk.fields() - 1); hint && !suspect) problem = *hint;
      return fail(std::move(problem), true);
    }
    const std::string& name = *nameField;
    const int nameLine = walk.line();
    if (!suspect && record > 1 && !walk.fieldQuoted() && holdsNumber(*nameField) &&
        !walk.startsLine()) {
      suspect = walk.atField("record " + std::to_string(record - 1) + " has more than 16 numbers");
    }
    bool oneLine = true;  // the name and the numbers so far share a line
    for (int i = 1; i <= kDeepValues; ++i) {
      const auto field = walk.next();
      if (!field) {
        auto problem = walk.afterField(recordLabel(record, name) + " ends after " +
                                       std::to_string(i - 1) + " of 16 numbers");
        if (auto hint = countHint(walk.fields() - 1); hint && !suspect) problem = *hint;
        return fail(std::move(problem), true);
      }
      const auto value = numberField(*field);
      if (!value) {
        return fail(walk.atField(outOfRange(
                        recordLabel(record, name) + " number " + std::to_string(i), *field)),
                    false);
      }
      if (!suspect && oneLine && i > 1 && walk.line() > nameLine) {
        // The layout the files use, one record a line, broken: the record is short.
        suspect = walk.afterPrevious(recordLabel(record, name) + " ends after " +
                                     std::to_string(i - 1) + " of 16 numbers");
      } else if (!suspect && !holdsNumber(*field)) {
        suspect = walk.atField(recordLabel(record, name) + " number " + std::to_string(i) + " " +
                               shown(*field) + " is not a number");
      }
      oneLine = oneLine && walk.line() == nameLine;
      if (!sum.add(*value) && skipped.empty()) {
        skipped = "adding " + std::to_string(*value) + " (" + recordLabel(record, name) +
                  " number " + std::to_string(i) + ") would leave 16 bits, so it is skipped";
      }
    }
  }

  result.recordsRead = !suspect;
  result.computed = sum.expected();
  const auto checkField = walk.next();
  if (!checkField) return fail(walk.afterField("ends before the check value"), true);
  result.checkField = {{walk.fieldOffset(), walk.fieldLength()}};
  const auto check = numberField(*checkField);
  const SeasonFileProblem at = walk.atField("");
  if (check && sum.matches(*check)) {
    result.passes = true;
    return result;
  }
  const int total = walk.fieldsToEnd();
  const int fieldsAfterCheck = total - 1 - n * (kDeepValues + 1) - 1;
  if (fieldsAfterCheck > 0) result.recordsRead = false;
  if (!check) return fail({at.line, at.column, outOfRange("check value", *checkField)}, false);
  const std::string stored =
      holdsNumber(*checkField) ? std::to_string(*check) : shown(*checkField) + " (read as 0)";
  if (auto hint = countHint(total - 1); hint && !suspect) return fail(*hint, true);
  return fail({at.line, at.column,
               "check value " + stored + " stored, " + std::to_string(result.computed) +
                   " computed" + checkNotes(sum, skipped, fieldsAfterCheck)},
              true);
}

SeasonFileCheck examineBpeFile(std::string_view data, int n) {
  SeasonFileCheck result;
  result.records = n;
  if (n < 1 || n > kMaxBallparks) {
    result.problem = SeasonFileProblem{
        0, 0, "the season's ballpark count " + std::to_string(n) + " is outside 1..30"};
    return result;
  }
  constexpr int kFields = kBpeValues + 1;
  Walk walk(data);
  std::optional<SeasonFileProblem> suspect;
  std::string skipped;
  const auto fail = [&](SeasonFileProblem problem, bool preferSuspect) {
    return failedCheck(result, walk, std::move(problem), suspect, preferSuspect);
  };
  // Whole records and a check value, but not as many records as the Deep file has.
  const auto countHint = [&](int fields) -> std::optional<SeasonFileProblem> {
    if (fields % kFields != 1 || suspect) return std::nullopt;
    const int records = fields / kFields;
    if (records == n || records < 1) return std::nullopt;
    return SeasonFileProblem{0, 0,
                             std::to_string(records) + (records == 1 ? " record" : " records") +
                                 ", but the season's Deep file has " + std::to_string(n)};
  };

  CheckSum sum;
  for (int record = 1; record <= n; ++record) {
    int recordLine = 0;
    bool oneLine = true;
    // The first threshold goes by as text; the park name after the eighth is summed (as 0).
    for (int i = 1; i <= kFields; ++i) {
      const auto field = walk.next();
      if (!field) {
        auto problem = i == 1
                           ? walk.afterField("ends after " + std::to_string(record - 1) + " of " +
                                             std::to_string(n) + " records")
                           : walk.afterField("record " + std::to_string(record) + " ends after " +
                                             std::to_string(i - 1) + " of 9 fields");
        if (auto hint = countHint(walk.fields())) problem = *hint;
        return fail(std::move(problem), true);
      }
      if (i == 1) recordLine = walk.line();
      std::optional<std::int16_t> value = 0;
      if (i > 1) {
        value = numberField(*field);
        if (!value) {
          const std::string what =
              i <= kBpeValues ? "threshold " + std::to_string(i) : std::string("field 9");
          return fail(
              walk.atField(outOfRange("record " + std::to_string(record) + " " + what, *field)),
              false);
        }
      }
      if (!suspect && oneLine && i > 1 && walk.line() > recordLine) {
        suspect = walk.afterPrevious("record " + std::to_string(record) + " ends after " +
                                     std::to_string(i - 1) + " of 9 fields");
      } else if (!suspect && i <= kBpeValues && !holdsNumber(*field)) {
        suspect = walk.atField("record " + std::to_string(record) + " threshold " +
                               std::to_string(i) + " " + shown(*field) + " is not a number");
      }
      oneLine = oneLine && walk.line() == recordLine;
      if (i > 1 && !sum.add(*value) && skipped.empty()) {
        skipped = "adding " + std::to_string(*value) + " (record " + std::to_string(record) +
                  (i <= kBpeValues ? " threshold " + std::to_string(i) : std::string(" field 9")) +
                  ") would leave 16 bits, so it is skipped";
      }
    }
  }

  result.recordsRead = !suspect;
  result.computed = sum.expected();
  const auto checkField = walk.next();
  if (!checkField) return fail(walk.afterField("ends before the check value"), true);
  result.checkField = {{walk.fieldOffset(), walk.fieldLength()}};
  const auto check = numberField(*checkField);
  const SeasonFileProblem at = walk.atField("");
  if (check && sum.matches(*check)) {
    result.passes = true;
    return result;
  }
  const int total = walk.fieldsToEnd();
  if (total > n * kFields + 1) result.recordsRead = false;
  if (!check) return fail({at.line, at.column, outOfRange("check value", *checkField)}, false);
  const std::string stored =
      holdsNumber(*checkField) ? std::to_string(*check) : shown(*checkField) + " (read as 0)";
  if (auto hint = countHint(total)) return fail(*hint, true);
  return fail({at.line, at.column,
               "check value " + stored + " stored, " + std::to_string(result.computed) +
                   " computed" + checkNotes(sum, skipped, total - n * kFields - 1)},
              true);
}

SeasonVerdict checkSeason(int year) {
  SeasonFolder folder;
  return checkSeason(year, folder);
}

SeasonVerdict checkSeason(int year, SeasonFolder& folder) {
  SeasonVerdict verdict;
  const std::string prefix = std::to_string(year);
  verdict.file = prefix + "Deep.vnt";
  const auto deep = folder.read(verdict.file);
  if (!deep) return verdict;
  const SeasonFileCheck deepCheck = examineDeepFile(*deep);
  if (!deepCheck.passes) {
    verdict.problem = deepCheck.problem;
    return verdict;
  }
  verdict.ballparks = deepCheck.records;
  verdict.file = prefix + "BPE.vnt";
  const auto bpe = folder.read(verdict.file);
  if (!bpe) return verdict;
  const SeasonFileCheck bpeCheck = examineBpeFile(*bpe, deepCheck.records);
  if (!bpeCheck.passes) {
    verdict.problem = bpeCheck.problem;
    return verdict;
  }
  verdict.offered = true;
  verdict.file.clear();
  return verdict;
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
  return lookupWeatherRecord(data, name, nullptr);
}

WeatherLookup lookupWeatherRecord(std::string_view data, const std::string& name,
                                  SeasonFileProblem* why) {
  Walk walk(data);
  const auto fail = [&](SeasonFileProblem problem) {
    if (why) *why = walk.unclosedQuote().value_or(std::move(problem));
    return WeatherLookup{};
  };
  const auto countField = walk.next();
  if (!countField) return fail(walk.afterField("ends before the count"));
  const auto n = numberField(*countField);
  if (!n) return fail(walk.atField(outOfRange("count", *countField)));
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
  return readCrazyPlays(data, nullptr);
}

std::optional<std::vector<CrazyPlay>> readCrazyPlays(std::string_view data,
                                                     SeasonFileProblem* why) {
  Walk walk(data);
  const auto fail = [&](SeasonFileProblem problem) -> std::optional<std::vector<CrazyPlay>> {
    if (why) *why = walk.unclosedQuote().value_or(std::move(problem));
    return std::nullopt;
  };
  const auto countField = walk.next();
  if (!countField) return fail(walk.afterField("ends before the count"));
  const auto n = numberField(*countField);
  if (!n) return fail(walk.atField(outOfRange("count", *countField)));
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
