#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vnt {

// Reads the fields of a season file one after the other. Fields are separated by commas
// or line breaks (CR, LF, CR LF); a field may be double-quoted (the quotes removed, commas
// and line breaks inside kept); unquoted fields are trimmed of blanks and tabs. The reader
// never looks past the end of its input, whatever the bytes.
class FieldReader {
 public:
  explicit FieldReader(std::string_view data) : data_(data) {}

  // The next field as text, or none when the input is used up.
  std::optional<std::string> text();

  // The next field as a number: a field that holds no number reads as 0. None when the
  // input is used up or the number lies outside -32768..32767; either fails the file.
  // A number is the whole field, blanks and tabs trimmed: an optional + or - and one or
  // more decimal digits ("-07" is -7). Anything else ("", "Boston", "1.5", "12abc", "+")
  // holds no number. An out-of-range field is still used up, so reading goes on after it.
  std::optional<std::int16_t> number();

  // Where the field returned last lies, for messages that point at it: its bytes run from
  // fieldOffset() for fieldLength() bytes (blanks trimmed; quotes and any text after the
  // closing quote included). After the input is used up they describe the last field.
  std::size_t fieldOffset() const { return fieldStart_; }
  std::size_t fieldLength() const { return fieldEnd_ - fieldStart_; }
  bool fieldQuoted() const { return quoted_; }
  // Where a quote that is never closed opened, once the reader has met one; it took the
  // rest of the input as its field.
  std::optional<std::size_t> unclosedQuote() const { return unclosedQuote_; }

  // Line and column (both from 1; a column counts bytes) of a byte offset; CR, LF and CR LF
  // each end a line.
  struct Position {
    int line = 1;
    int column = 1;
  };
  Position positionOf(std::size_t offset) const;

 private:
  std::string_view data_;
  std::size_t pos_ = 0;
  bool fieldDue_ = false;  // a comma was just passed, so a field follows even if empty
  std::size_t fieldStart_ = 0;
  std::size_t fieldEnd_ = 0;
  bool quoted_ = false;
  std::optional<std::size_t> unclosedQuote_;
  mutable std::size_t counted_ = 0;  // positionOf() has counted lines up to here
  mutable Position countedAt_;
};

// A field read as a number, as FieldReader::number() reads it: 0 when it holds no number,
// none when the number lies outside -32768..32767.
std::optional<std::int16_t> numberField(std::string_view field);

// A season file's whole contents as text, looked up in the current working directory by
// name without regard to letter case ("1987bpe.vnt" finds "1987BPE.vnt"). None when there
// is no such file or it cannot be read (or is far larger than any season file). The text is
// decoded as decodeSeasonText() does.
std::optional<std::string> readSeasonFile(const std::string& name);

// The season folder (the working directory) listed at most once: a run of look-ups, such
// as the start-up check of every season, lists a crowded folder once instead of once for
// every name not found under its exact spelling. Files are opened anew for every read.
class SeasonFolder {
 public:
  // As readSeasonFile(name), through this folder's listing.
  std::optional<std::string> read(const std::string& name);

 private:
  bool listed_ = false;
  // The folder's entries by the length of their names: a name can only match one of its
  // own length, so a look-up passes over the thousands of others at once.
  std::vector<std::vector<std::string>> namesByLength_;
};

// The contents of a file already opened for reading, as text. None unless the handle is a
// regular file of at most the season-file size limit that reads to its end; anything else
// (a pipe, a device, a directory) is refused at once, without waiting for data.
std::optional<std::string> readOpenSeasonFile(int fd);

// Season files come from many editors: a UTF-8 byte-order mark at the start is dropped,
// and every byte that is not part of a valid UTF-8 sequence is taken as Windows-1252 (the
// Western encoding the files were first written in), so the result is always valid UTF-8.
// ASCII bytes, and with them every separator, quote and digit, are kept as they are.
std::string decodeSeasonText(std::string_view bytes);

// The Deep file's check: N in 1..30, N records of a name and 16 numbers, the check value.
// Gives N when the file passes.
std::optional<int> checkDeepFile(std::string_view data);

// The BPE file's check for a season of n ballparks. Each record is read as one text field
// and eight numbers, so its first threshold is taken for text and its ninth field is summed
// (files in circulation carry check values made that way).
bool checkBpeFile(std::string_view data, int n);

// Why a season file fails, precise enough to fix it by hand.
struct SeasonFileProblem {
  int line = 0;  // where, from 1 (the column counts bytes); 0 when no one place is to blame
  int column = 0;
  std::string reason;  // e.g. `record 12 "Texas" ends after 9 of 16 numbers`
};

// What the Deep or BPE check makes of a file, for the tools that explain or repair one.
// checkDeepFile() and checkBpeFile() are these same walks, so the verdicts cannot differ.
struct SeasonFileCheck {
  bool passes = false;
  int records = 0;                           // N: read from a Deep file, given for a BPE file
  std::optional<SeasonFileProblem> problem;  // why it fails
  // Every record was read, nothing looks out of place and nothing follows the check value,
  // so at most the check value is missing or wrong: `computed` is then the value to store.
  bool recordsRead = false;
  std::int16_t computed = 0;
  // The stored check value's bytes (offset, length), when the file has one.
  std::optional<std::pair<std::size_t, std::size_t>> checkField;
};
SeasonFileCheck examineDeepFile(std::string_view data);
SeasonFileCheck examineBpeFile(std::string_view data, int n);

// The start-up verdict on one season, from its files in the current working directory:
// offered when the Deep file passes and the BPE file passes for its ballpark count.
struct SeasonVerdict {
  bool offered = false;
  int ballparks = 0;  // N of the Deep file, when it passes
  // The file that keeps the season back, as the program names it ("1998BPE.vnt"), and why;
  // no problem means the file is missing or cannot be read.
  std::string file;
  std::optional<SeasonFileProblem> problem;
};
SeasonVerdict checkSeason(int year, SeasonFolder& folder);
SeasonVerdict checkSeason(int year);

// The ballpark names of a Deep file, in record order; none when the file is damaged.
std::optional<std::vector<std::string>> readBallparkNames(std::string_view data);

// What a chart finds when it looks up its ballpark in a season file at roll time.
enum class LookupStatus { Found, NoRecord, Unreadable };

// The 16 values of the Deep record named exactly `name` (letter case included); when two
// records carry the name, the later one counts.
struct DeepLookup {
  using Status = LookupStatus;
  Status status = Status::Unreadable;
  std::array<std::int16_t, 16> values{};
};
DeepLookup lookupDeepRecord(std::string_view data, const std::string& name);

// The Weather file: a count, then records of a name and 141 numbers. The 141 values of the
// record named exactly `name`, the later one when two carry it. Every record is read, so a
// file that runs out of fields anywhere is unreadable.
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

// The CPlay file: a count, then records of a threshold (0..999) and a description.
struct CrazyPlay {
  std::int16_t threshold = 0;
  std::string description;
};
// Every record in file order; none when the file runs out of fields or holds a number
// outside 16 bits. A count below 1 gives no records.
std::optional<std::vector<CrazyPlay>> readCrazyPlays(std::string_view data);
// The same, saying in `why` where and why an unreadable file fails.
std::optional<std::vector<CrazyPlay>> readCrazyPlays(std::string_view data, SeasonFileProblem* why);

}  // namespace vnt
