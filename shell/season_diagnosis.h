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

// A file's problem in words, with its place when it has one:
// `1998BPE.vnt line 31 column 1: check value 12 stored, 7 computed`.
std::string describeProblem(const std::string& file, const SeasonFileProblem& problem);

// Why a season is not offered, in the words `vnt-seasons check` prints and the window shows
// on the year's option; empty for a season that is offered.
std::string seasonReason(const SeasonVerdict& verdict, SeasonFolder& folder);

// Whether any of the season's four files is in the folder, in any letter case (or under its
// exact name in a folder that cannot be listed).
bool seasonHasFiles(int year, SeasonFolder& folder);

// The message when no season at all can be offered from `folder`: the folder, the first
// few of `reasons` (one line each, as "1998  REASON"), and either the question whether to
// use the installed sample seasons instead or, without `offerSamples`, where to learn more.
std::string noSeasonPrompt(const std::string& folder, const std::vector<std::string>& reasons,
                           bool offerSamples);
// How many reasons the message gives.
constexpr std::size_t kPromptReasons = 3;

// The four kinds of season file, for what holds for all of them.
enum class SeasonFileKind { Deep, Bpe, Weather, CrazyPlay };

// Every field that the readers of `kind` take as a number but that holds none, so reads as
// 0 (the files' syntax allows it, and files from other makers may rely on it), in file
// order with its place, as far as the file reads. `ballparks` is the season's count, for
// the BPE file, which has none of its own.
std::vector<SeasonFileProblem> fieldsReadAsZero(SeasonFileKind kind, std::string_view data,
                                                int ballparks = 0);

}  // namespace vnt
