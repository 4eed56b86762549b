#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

  // Line and column (both from 1) of a byte offset; CR, LF and CR LF each end a line. A
  // column counts characters of the (decoded, UTF-8) text, not bytes.
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

// Whether a field holds a number: an optional + or - and one or more decimal digits, blanks
// and tabs trimmed.
bool holdsNumber(std::string_view field);
// The field without the blanks and tabs around it.
std::string_view trimBlanks(std::string_view s);

// Why a season file fails, precise enough to fix it by hand.
struct SeasonFileProblem {
  int line = 0;  // where, from 1 (the column counts characters); 0 when no one place is to blame
  int column = 0;
  std::string reason;  // e.g. `record 12 "Texas" ends after 9 of 16 numbers`
};

}  // namespace vnt
