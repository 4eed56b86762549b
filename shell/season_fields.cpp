#include "shell/season_fields.h"

#include <algorithm>

#include "shell/season_text.h"

namespace vnt {
namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}
bool isLineBreak(char c) {
  return c == '\r' || c == '\n';
}
bool isSeparator(char c) {
  return c == ',' || isLineBreak(c);
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

}  // namespace

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool holdsNumber(std::string_view field) {
  std::string_view s = trimBlanks(field);
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

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
      // Columns count characters, as an editor shows the line: a UTF-8 sequence is one, and
      // so is a byte of no sequence (a Windows-1252 byte, decoded to one character), so the
      // decoded text and the bytes it came from give the same column.
      ++countedAt_.column;
      const std::size_t length = utf8SequenceLength(data_.substr(counted_));
      if (length > 1) counted_ += std::min(length, stop - counted_) - 1;
    }
  }
  return countedAt_;
}

std::optional<std::int16_t> numberField(std::string_view field) {
  return parseNumber(field);
}

}  // namespace vnt
