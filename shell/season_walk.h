#pragma once

// How the diagnosis and the roll-time readers walk a season file and word what they find;
// shared by shell/season_diagnosis.cpp and shell/season_records.cpp only.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "shell/season_fields.h"
#include "shell/season_text.h"

namespace vnt::season_walk {

// A field's text as a message shows it: quoted, control bytes as '?', long ones cut.
inline std::string shown(std::string_view raw) {
  // A caller that walks the file's own bytes (to keep them, as sealing does) still shows
  // a Windows-1252 name as the program reads it.
  const std::string decoded = decodeSeasonText(raw);
  const std::string_view text = decoded;
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
inline std::string outOfRange(std::string_view what, std::string_view field) {
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

inline std::string recordLabel(int record, const std::string& name) {
  // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) on " " + string.
  std::string label = "record " + std::to_string(record);
  if (!name.empty()) {
    label += ' ';
    label += shown(name);
  }
  return label;
}

}  // namespace vnt::season_walk
