#include "shell/season_diagnosis.h"

#include "shell/check_sum.h"
#include "shell/season_walk.h"

namespace vnt {
namespace {

using season_walk::outOfRange;
using season_walk::recordLabel;
using season_walk::shown;
using season_walk::Walk;

constexpr int kMaxBallparks = 30;
constexpr int kDeepValues = 16;
constexpr int kBpeValues = 8;

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

// What a walk through the records found out of place before it failed, if it does.
struct Suspects {
  // The first field that looks out of place: when the file fails, it is likelier the fault
  // than where the reading finally broke down.
  std::optional<SeasonFileProblem> odd;
  // A record broken over two lines: likely the fault when the fields run out or overrun,
  // but line breaks mean nothing, so not when the records read whole as fields.
  std::optional<SeasonFileProblem> wrapped;
  bool wrappedFirst = false;

  const std::optional<SeasonFileProblem>& any() const {
    return wrapped && (!odd || wrappedFirst) ? wrapped : odd;
  }
  void wrap(SeasonFileProblem problem) {
    wrappedFirst = !odd;
    wrapped = std::move(problem);
  }
  // The record broken over two lines turned out to hold another count of numbers than its
  // first line suggests: say what it holds, or nothing when it holds what a record has.
  void rewrap(std::optional<SeasonFileProblem> problem) {
    if (!wrapped) return;
    wrapped.reset();
    wrappedFirst = false;
    if (problem && !odd) odd = std::move(problem);
  }
  // Nothing follows the check value: the records read whole, however their lines break.
  void readWhole(SeasonFileCheck& result) {
    if (!wrapped) return;
    wrapped.reset();
    result.recordsRead = !odd;
  }
};

// What a wrong check value may come from, said after the two values.
std::string checkNotes(const CheckSum& sum, const std::string& skipped, int fieldsAfter) {
  std::string notes;
  if (!skipped.empty()) notes += "; " + skipped;
  if (sum.fallsBack()) notes += "; S * 2 - 2345 leaves 16 bits, so S itself is the check value";
  if (fieldsAfter > 0) notes += "; " + std::to_string(fieldsAfter) + " more fields follow it";
  return notes;
}

}  // namespace

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
  Suspects suspects;
  std::string skipped;
  const auto fail = [&](SeasonFileProblem problem, bool preferSuspect) {
    return failedCheck(result, walk, std::move(problem), suspects.any(), preferSuspect);
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
  // The record broken over two lines whose numbers go on on the next line: how many it holds
  // shows only at its end.
  int goesOn = 0;
  // Where its numbers went on to yet another line: when the fields then run out before the
  // check value, that line was the check value's and the record ended before it.
  std::optional<SeasonFileProblem> endedBefore;
  const auto tooLong = [&](int record) {
    return walk.atField("record " + std::to_string(record) + " has more than 16 numbers");
  };
  for (int record = 1; record <= n; ++record) {
    const auto nameField = walk.next();
    if (!nameField) {
      auto problem = walk.afterField("ends after " + std::to_string(record - 1) + " of " +
                                     std::to_string(n) + " records");
      if (auto hint = countHint(walk.fields() - 1); hint && !suspects.any()) problem = *hint;
      return fail(std::move(problem), true);
    }
    const std::string& name = *nameField;
    const int nameLine = walk.line();
    const bool numberGoesOn =
        record > 1 && !walk.fieldQuoted() && holdsNumber(*nameField) && !walk.startsLine();
    if (goesOn == record - 1 && goesOn > 0) {
      suspects.rewrap(numberGoesOn ? std::optional(tooLong(record - 1)) : std::nullopt);
    } else if (!suspects.any() && numberGoesOn) {
      suspects.odd = tooLong(record - 1);
    }
    goesOn = 0;
    endedBefore.reset();
    bool oneLine = true;  // the name and the numbers so far share a line
    for (int i = 1; i <= kDeepValues; ++i) {
      const auto field = walk.next();
      if (!field) {
        auto problem = walk.afterField(recordLabel(record, name) + " ends after " +
                                       std::to_string(i - 1) + " of 16 numbers");
        if (auto hint = countHint(walk.fields() - 1); hint && !suspects.any()) problem = *hint;
        return fail(std::move(problem), true);
      }
      const auto value = numberField(*field);
      if (!value) {
        return fail(walk.atField(outOfRange(
                        recordLabel(record, name) + " number " + std::to_string(i), *field)),
                    false);
      }
      if (!suspects.any() && oneLine && i > 1 && walk.line() > nameLine) {
        // The layout the files use, one record a line, broken: the record may be short.
        suspects.wrap(walk.afterPrevious(recordLabel(record, name) + " ends after " +
                                         std::to_string(i - 1) + " of 16 numbers"));
        if (!walk.fieldQuoted()) goesOn = record;
      } else if (goesOn == record && walk.fieldQuoted()) {
        // A name where a number belongs: the numbers that went on stopped short.
        suspects.rewrap(walk.afterPrevious(recordLabel(record, name) + " ends after " +
                                           std::to_string(i - 1) + " of 16 numbers"));
        goesOn = 0;
      } else if (goesOn == record && walk.startsLine() && !endedBefore) {
        endedBefore = walk.afterPrevious(recordLabel(record, name) + " ends after " +
                                         std::to_string(i - 1) + " of 16 numbers");
      } else if (!suspects.odd && !holdsNumber(*field)) {
        suspects.odd = walk.atField(recordLabel(record, name) + " number " + std::to_string(i) +
                                    " " + shown(*field) + " is not a number");
      }
      oneLine = oneLine && walk.line() == nameLine;
      if (!sum.add(*value) && skipped.empty()) {
        skipped = "adding " + std::to_string(*value) + " (" + recordLabel(record, name) +
                  " number " + std::to_string(i) + ") would leave 16 bits, so it is skipped";
      }
    }
  }

  const auto checkField = walk.next();
  if (goesOn == n && checkField) {
    const bool numberGoesOn = !walk.fieldQuoted() && holdsNumber(*checkField) && !walk.startsLine();
    suspects.rewrap(numberGoesOn ? std::optional(tooLong(n)) : std::nullopt);
  } else if (goesOn == n && endedBefore) {
    suspects.rewrap(endedBefore);
  }
  result.recordsRead = !suspects.any();
  result.computed = sum.expected();
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
  if (auto hint = countHint(total - 1); hint && !suspects.any()) return fail(*hint, true);
  if (fieldsAfterCheck <= 0) suspects.readWhole(result);
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
  Suspects suspects;
  std::string skipped;
  const auto fail = [&](SeasonFileProblem problem, bool preferSuspect) {
    return failedCheck(result, walk, std::move(problem), suspects.any(), preferSuspect);
  };
  // Whole records and a check value, but not as many records as the Deep file has.
  const auto countHint = [&](int fields) -> std::optional<SeasonFileProblem> {
    if (fields % kFields != 1 || suspects.any()) return std::nullopt;
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
      if (!suspects.any() && oneLine && i > 1 && walk.line() > recordLine) {
        suspects.wrap(walk.afterPrevious("record " + std::to_string(record) + " ends after " +
                                         std::to_string(i - 1) + " of 9 fields"));
      } else if (!suspects.odd && i <= kBpeValues && !holdsNumber(*field)) {
        suspects.odd = walk.atField("record " + std::to_string(record) + " threshold " +
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

  result.recordsRead = !suspects.any();
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
  if (total <= n * kFields + 1) suspects.readWhole(result);
  return fail({at.line, at.column,
               "check value " + stored + " stored, " + std::to_string(result.computed) +
                   " computed" + checkNotes(sum, skipped, total - n * kFields - 1)},
              true);
}

std::string describeProblem(const std::string& file, const SeasonFileProblem& problem) {
  if (problem.line == 0) return file + ": " + problem.reason;
  return file + " line " + std::to_string(problem.line) + " column " +
         std::to_string(problem.column) + ": " + problem.reason;
}

std::string seasonReason(const SeasonVerdict& verdict, SeasonFolder& folder) {
  if (verdict.offered) return "";
  if (verdict.problem) {
    // The file as the folder spells it, which is the one a player would open.
    return describeProblem(folder.fileFor(verdict.file).value_or(verdict.file), *verdict.problem);
  }
  const bool there = folder.fileFor(verdict.file) || !folder.namesLike(verdict.file).empty();
  return verdict.file + (there ? ": cannot be read" : ": file missing");
}

bool seasonHasFiles(int year, SeasonFolder& folder) {
  for (const char* suffix : {"Deep.vnt", "BPE.vnt", "Weather.vnt", "CPlay.vnt"}) {
    const std::string name = std::to_string(year) + suffix;
    if (folder.fileFor(name) || !folder.namesLike(name).empty()) return true;
  }
  return false;
}

std::string noSeasonPrompt(const std::string& folder, const std::vector<std::string>& reasons,
                           bool offerSamples) {
  std::string prompt = "No season can be offered from the folder\r" + folder + "\r\r";
  if (reasons.empty()) {
    prompt += "It holds no season files.";
  } else {
    prompt += reasons.size() == 1 ? "The reason:" : "The first reasons:";
    for (std::size_t i = 0; i < reasons.size() && i < kPromptReasons; ++i) {
      prompt += "\r" + reasons[i];
    }
    if (reasons.size() > kPromptReasons) {
      prompt += "\r(and " + std::to_string(reasons.size() - kPromptReasons) + " more; " +
                "\"vnt-seasons check\" in that folder lists them all)";
    }
  }
  prompt += offerSamples ? "\r\rUse the sample seasons installed with the program instead?"
                         : "\r\rRun \"vnt-seasons check\" in that folder to see every reason.";
  return prompt;
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

std::vector<SeasonFileProblem> fieldsReadAsZero(SeasonFileKind kind, std::string_view data,
                                                int ballparks) {
  std::vector<SeasonFileProblem> found;
  FieldReader reader(data);
  // A number field as the readers take it; none once the fields run out. An out-of-range
  // number is the check's to report; the walk goes on past it.
  const auto number = [&](const std::string& what) -> std::optional<int> {
    const auto field = reader.text();
    if (!field) return std::nullopt;
    if (!holdsNumber(*field)) {
      const auto at = reader.positionOf(reader.fieldOffset());
      found.push_back(
          {at.line, at.column, what + " " + shown(*field) + " is not a number, read as 0"});
      return 0;
    }
    return int{numberField(*field).value_or(0)};
  };
  const auto label = [](int record, const std::optional<std::string>& name) {
    return recordLabel(record, name.value_or(""));
  };
  switch (kind) {
    case SeasonFileKind::Deep: {
      const auto n = number("count");
      if (!n || *n < 1 || *n > kMaxBallparks) break;
      for (int r = 1; r <= *n; ++r) {
        const auto name = reader.text();
        for (int i = 1; i <= kDeepValues; ++i) {
          if (!number(label(r, name) + " number " + std::to_string(i))) return found;
        }
      }
      number("check value");
      break;
    }
    case SeasonFileKind::Bpe: {
      for (int r = 1; r <= ballparks && r <= kMaxBallparks; ++r) {
        for (int i = 1; i <= kBpeValues; ++i) {
          if (!number("record " + std::to_string(r) + " threshold " + std::to_string(i))) {
            return found;
          }
        }
        if (!reader.text()) return found;
      }
      if (ballparks >= 1) number("check value");
      break;
    }
    case SeasonFileKind::Weather: {
      const auto n = number("count");
      for (int r = 1; n && r <= *n; ++r) {
        const auto name = reader.text();
        for (int i = 1; i <= 141; ++i) {
          if (!number(label(r, name) + " number " + std::to_string(i))) return found;
        }
      }
      break;
    }
    case SeasonFileKind::CrazyPlay: {
      const auto n = number("count");
      for (int r = 1; n && r <= *n; ++r) {
        if (!number("record " + std::to_string(r) + " threshold") || !reader.text()) break;
      }
      break;
    }
  }
  return found;
}

}  // namespace vnt
