// Feeds arbitrary bytes to every season file reader. Besides the sanitizers, it aborts when
// the readers disagree with each other or the field reader stops making progress.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "shell/season_files.h"

namespace {

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
  if (names) {
    if (names->empty() || names->size() > 30) std::abort();
    for (const auto& name : *names) {
      if (vnt::lookupDeepRecord(input, name).status != vnt::DeepLookup::Status::Found) std::abort();
    }
  } else if (vnt::lookupDeepRecord(input, "Boston").status != vnt::DeepLookup::Status::Unreadable) {
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  readAllFields(input);
  checkDeep(input);
  // The first byte picks the season's ballpark count (1..30) for the BPE check of the rest.
  if (size > 0) vnt::checkBpeFile(input.substr(1), data[0] % 30 + 1);
  checkDiagnosis(vnt::examineDeepFile(input), input, 0);
  if (size > 0) {
    const int n = data[0] % 30 + 1;
    checkDiagnosis(vnt::examineBpeFile(input.substr(1), n), input.substr(1), n);
  }
  vnt::SeasonFileProblem why;
  if (vnt::lookupWeatherRecord(input, "Boston", &why).status == vnt::LookupStatus::Unreadable &&
      why.reason.empty()) {
    std::abort();
  }
  why = {};
  if (!vnt::readCrazyPlays(input, &why) && why.reason.empty()) std::abort();
  return 0;
}
