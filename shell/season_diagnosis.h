#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "shell/season_fields.h"
#include "shell/season_folder.h"

namespace vnt {

// The Deep file's check: N in 1..30, N records of a name and 16 numbers, the check value.
// Gives N when the file passes.
std::optional<int> checkDeepFile(std::string_view data);

// The BPE file's check for a season of n ballparks. Each record is read as one text field
// and eight numbers, so its first threshold is taken for text and its ninth field is summed
// (files in circulation carry check values made that way).
bool checkBpeFile(std::string_view data, int n);

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

// The four kinds of season file, for what holds for all of them.
enum class SeasonFileKind { Deep, Bpe, Weather, CrazyPlay };

// Every field that the readers of `kind` take as a number but that holds none, so reads as
// 0 (the files' syntax allows it, and files from other makers may rely on it), in file
// order with its place, as far as the file reads. `ballparks` is the season's count, for
// the BPE file, which has none of its own.
std::vector<SeasonFileProblem> fieldsReadAsZero(SeasonFileKind kind, std::string_view data,
                                                int ballparks = 0);

}  // namespace vnt
