// Feeds arbitrary bytes to every season file reader and to the decoding in front of them.
// Besides the sanitizers, it aborts when the readers disagree with each other, the field
// reader stops making progress, or the decoding gives anything but valid UTF-8.
//
// The first byte steers: its top bit says whether the readers get the rest as decoded or
// raw, the next two which file kind reads it (Deep, BPE, Weather, CPlay), the low five a
// ballpark count for the BPE readers. Each input is read a few times at most, whatever it
// holds: an input with thirty ballparks costs no more than one with one.
//
// The seeds in corpus/season_files begin with that byte: deep_*, fields_* and found_* (the
// field reader's finds) with 0x00, bpe_* with 0x20 + count - 1, weather_* with 0x40,
// cplay_* with 0x60, decoded_* with the top bit set.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "shell/season_files.h"

namespace {

bool isValidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b = [&s](std::size_t at) { return static_cast<unsigned char>(s[at]); };
    const unsigned char lead = b(i);
    std::size_t length = 1;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      low = lead == 0xE0 ? 0xA0 : 0x80;
      high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      low = lead == 0xF0 ? 0x90 : 0x80;
      high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
      return false;
    }
    if (i + length > s.size() || b(i + 1) < low || b(i + 1) > high) return false;
    for (std::size_t k = 2; k < length; ++k) {
      if (b(i + k) < 0x80 || b(i + k) > 0xBF) return false;
    }
    i += length;
  }
  return true;
}

std::size_t asciiBytes(std::string_view s) {
  std::size_t n = 0;
  for (const char c : s) n += static_cast<unsigned char>(c) < 0x80 ? 1 : 0;
  return n;
}

void checkDecoding(std::string_view input, const std::string& text) {
  if (!isValidUtf8(text)) std::abort();
  // Separators, quotes and digits are ASCII: decoding must neither add nor drop one.
  const std::string_view body = input.starts_with("\xEF\xBB\xBF") ? input.substr(3) : input;
  if (asciiBytes(body) != asciiBytes(text)) std::abort();
  // Valid UTF-8 goes through unchanged.
  if (isValidUtf8(body) && text != body) std::abort();
}

void readAllFields(std::string_view input) {
  vnt::FieldReader reader(input);
  std::size_t calls = 0;
  for (bool asText = true;; asText = !asText) {
    if (asText) {
      const auto field = reader.text();
      if (!field) break;
      if (field->size() > input.size()) std::abort();
    } else {
      (void)reader.number();  // none here is either the end or an out-of-range number
    }
    // Every field but the last ends at a separator it uses up, so fields <= bytes + 1.
    if (++calls > input.size() + 2) std::abort();
  }
  if (reader.text() || reader.number()) std::abort();  // used up stays used up
}

void checkDeep(std::string_view input) {
  const auto n = vnt::checkDeepFile(input);
  const auto names = vnt::readBallparkNames(input);
  if (n) {
    // A file that passes its check is readable by the other two.
    if (*n < 1 || *n > 30 || !names || names->size() != static_cast<std::size_t>(*n)) std::abort();
  }
  if (names && (names->empty() || names->size() > 30)) std::abort();
  if (n) {
    // The first and the last record stand for all: the look-up reads every record anyway.
    for (const auto* name : {&names->front(), &names->back()}) {
      if (vnt::lookupDeepRecord(input, *name).status != vnt::LookupStatus::Found) std::abort();
    }
  } else if (vnt::lookupDeepRecord(input, "Boston").status != vnt::LookupStatus::Unreadable) {
    // The roll-time look-up uses only a file that passes the start-up check.
    std::abort();
  }
}

// What a failing check says must hold up: a reason, and for a file whose records read
// cleanly, writing the computed check value in place of the stored one makes it pass (what
// `vnt-seasons seal` relies on).
void checkDiagnosis(const vnt::SeasonFileCheck& check, std::string_view input, int n) {
  if (check.passes != !check.problem) std::abort();
  if (check.passes && !check.checkField) std::abort();
  if (check.problem && (check.problem->reason.empty() || check.problem->line < 0)) std::abort();
  if (check.passes || !check.recordsRead) return;
  std::string sealed(input);
  const std::string value = std::to_string(check.computed);
  if (check.checkField) {
    const auto [offset, length] = *check.checkField;
    if (offset + length > input.size()) std::abort();
    sealed.replace(offset, length, value);
  } else {
    sealed += "\r\n" + value + "\r\n";
  }
  const bool passes =
      n == 0 ? vnt::checkDeepFile(sealed).has_value() : vnt::checkBpeFile(sealed, n);
  if (!passes) std::abort();
}

void checkBpe(std::string_view input, int count) {
  const bool passes = vnt::checkBpeFile(input, count);
  const vnt::BpeLookup last = vnt::lookupBpeRecord(input, count - 1);
  // A file that passes for `count` parks holds a record for each, the last one included
  // (a first threshold outside 16 bits passes the check, read as text, but is unreadable).
  if (passes && last.status == vnt::LookupStatus::NoRecord) std::abort();
  // At roll time: a passing file reads as by position; a failing one is never Found unless
  // it passes for fewer records.
  const vnt::BpeLookup atRoll = vnt::lookupBpeRecord(input, count - 1, count);
  if (passes && atRoll.status != last.status) std::abort();
  if (!passes && atRoll.status == vnt::LookupStatus::Found) std::abort();  // index count-1
}

void checkWeather(std::string_view input) {
  // Whether the file can be read does not depend on the name looked for.
  vnt::FieldReader reader(input);
  (void)reader.number();
  const std::string name = reader.text().value_or("Boston");
  const auto named = vnt::lookupWeatherRecord(input, name).status;
  const auto other = vnt::lookupWeatherRecord(input, "\x01").status;
  if ((named == vnt::LookupStatus::Unreadable) != (other == vnt::LookupStatus::Unreadable)) {
    std::abort();
  }
}

void checkCrazyPlays(std::string_view input) {
  const auto plays = vnt::readCrazyPlays(input);
  if (!plays) return;
  vnt::FieldReader reader(input);
  const auto count = reader.number();
  if (!count || *count < 1 || plays->size() != static_cast<std::size_t>(*count)) std::abort();
  if (input.find('\0') != std::string_view::npos) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const unsigned char steer = data[0];
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string text = vnt::decodeSeasonText(input);
  checkDecoding(input, text);

  const std::string_view file = (steer & 0x80) != 0 ? std::string_view(text) : input;
  const int count = (steer & 0x1F) % 30 + 1;
  switch ((steer >> 5) & 3) {
    case 0:
      readAllFields(file);
      checkDeep(file);
      checkDiagnosis(vnt::examineDeepFile(file), file, 0);
      break;
    case 1:
      checkBpe(file, count);
      checkDiagnosis(vnt::examineBpeFile(file, count), file, count);
      break;
    case 2: {
      checkWeather(file);
      vnt::SeasonFileProblem why;
      if (vnt::lookupWeatherRecord(file, "Boston", &why).status == vnt::LookupStatus::Unreadable &&
          why.reason.empty()) {
        std::abort();
      }
      break;
    }
    default: {
      checkCrazyPlays(file);
      vnt::SeasonFileProblem why;
      if (!vnt::readCrazyPlays(file, &why) && why.reason.empty()) std::abort();
      break;
    }
  }
  return 0;
}
