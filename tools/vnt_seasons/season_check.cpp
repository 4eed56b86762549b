#include "season_check.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "shell/form2.h"
#include "shell/season_files.h"

namespace vnt::seasons {
namespace {

constexpr std::array<std::string_view, 4> kSuffixes = {"Deep.vnt", "BPE.vnt", "Weather.vnt",
                                                       "CPlay.vnt"};

std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) out += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
  return out + "\"";
}

std::string located(const std::string& file, const SeasonFileProblem& problem) {
  return describeProblem(file, problem);
}

// Why a file the program asked for gave nothing.
std::string notRead(SeasonFolder& folder, const std::string& file) {
  const bool there = folder.fileFor(file) || !folder.namesLike(file).empty();
  return file + (there ? ": cannot be read" : ": file missing");
}

// The name of the file the program reads for `file`, from the program's own folder lookup.
std::string readName(SeasonFolder& folder, const std::string& file) {
  return folder.fileFor(file).value_or(file);
}

std::string ballpark(std::size_t index, const std::string& name) {
  return "ballpark " + std::to_string(index + 1) + " " + quoted(name);
}

// Two names that differ only in case: the program reads one of them, and the other is
// easily the one a person edited. Which one it is comes from the program's own reader.
void sameNameWarnings(SeasonFolder& folder, const std::string& file,
                      std::vector<std::string>& warnings) {
  const auto names = folder.namesLike(file);
  if (names.size() < 2) return;
  std::string list;
  for (const auto& name : names) list += (list.empty() ? "" : ", ") + name;
  const auto read = folder.read(file);
  std::vector<std::string> same;
  for (const auto& name : names) {
    if (read && folder.read(name) == read) same.push_back(name);
  }
  std::string which = "none of them can be read";
  if (same.size() == 1) which = "the program reads " + same.front();
  if (same.size() > 1) which = "they hold the same bytes";
  warnings.push_back(list + " differ only in letter case; " + which);
}

const std::array<const char*, 7> kMonths = {"April",  "May",       "June",   "July",
                                            "August", "September", "October"};

struct ThresholdGroup {
  const char* what;
  int first;  // index of the first class for April
  std::vector<const char*> classes;
};

// Each group's thresholds for one month, in the order a roll looks at them.
const std::vector<ThresholdGroup>& weatherGroups() {
  static const std::vector<ThresholdGroup> groups = {
      {"day temperature", 0, {"Hot", "Warm", "Cool", "Cold"}},
      {"night temperature", 28, {"Hot", "Warm", "Cool", "Cold"}},
      {"sky", 56, {"Clear", "P/C", "Overcast", "Wet Field", "Rain", "T-Storms", "Snow"}},
      {"wind", 105, {"Wind In", "No Wind", "Cross L-R", "Cross R-L", "Wind Out"}},
  };
  return groups;
}

void weatherWarnings(SeasonFolder& folder, const std::string& year,
                     const std::vector<std::string>& parks, std::vector<std::string>& warnings) {
  const std::string file = readName(folder, year + "Weather.vnt");
  const auto data = folder.read(file);
  if (!data) {
    warnings.push_back(notRead(folder, file));
    return;
  }
  for (std::size_t p = 0; p < parks.size(); ++p) {
    SeasonFileProblem why;
    const WeatherLookup found = lookupWeatherRecord(*data, parks[p], &why);
    if (found.status == LookupStatus::Unreadable) {
      warnings.push_back(located(file, why));
      return;
    }
    if (found.status == LookupStatus::NoRecord) {
      warnings.push_back(file + ": no record for " + ballpark(p, parks[p]));
      continue;
    }
    const int roof = found.values[0];
    if (roof < 0 || roof > 2) {
      warnings.push_back(file + ": " + quoted(parks[p]) + " roof type " + std::to_string(roof) +
                         " (0 open air, 1 retractable roof, 2 dome)");
    }
    // One warning a park is enough to send the maker to the record.
    bool told = false;
    for (const auto& group : weatherGroups()) {
      for (int m = 1; m <= 7 && !told; ++m) {
        for (std::size_t c = 1; c < group.classes.size() && !told; ++c) {
          const int before = found.values[static_cast<std::size_t>(group.first + 7 * (c - 1)) + m];
          const int value = found.values[static_cast<std::size_t>(group.first + 7 * c) + m];
          if (value >= before) continue;
          warnings.push_back(file + ": " + quoted(parks[p]) + " " + kMonths[m - 1] + " " +
                             group.what + " thresholds do not rise: " + group.classes[c] + " " +
                             std::to_string(value) + " after " + group.classes[c - 1] + " " +
                             std::to_string(before));
          told = true;
        }
      }
    }
  }
}

// The ninth field of every BPE record, as far as the file can be read: the chart takes its
// record by position, so a name out of step means the wrong park's effects.
std::vector<std::pair<std::string, FieldReader::Position>> bpeNames(std::string_view data,
                                                                    std::size_t records) {
  std::vector<std::pair<std::string, FieldReader::Position>> names;
  FieldReader reader(data);
  while (names.size() < records) {
    for (int i = 0; i < 8; ++i) {
      if (!reader.text()) return names;
    }
    auto name = reader.text();
    if (!name) return names;
    names.emplace_back(std::move(*name), reader.positionOf(reader.fieldOffset()));
  }
  return names;
}

void bpeWarnings(SeasonFolder& folder, const std::string& year,
                 const std::vector<std::string>& parks, std::vector<std::string>& warnings) {
  const std::string file = readName(folder, year + "BPE.vnt");
  const auto data = folder.read(file);
  if (!data) return;  // the season is not offered, and the verdict says why
  for (std::size_t p = 0; p < parks.size(); ++p) {
    const BpeLookup found = lookupBpeRecord(*data, static_cast<int>(p));
    if (found.status == LookupStatus::NoRecord) {
      warnings.push_back(file + ": no record for " + ballpark(p, parks[p]) + " (it has " +
                         std::to_string(p) + (p == 1 ? " record" : " records") +
                         ", the Deep file " + std::to_string(parks.size()) + ")");
      break;
    }
    if (found.status == LookupStatus::Unreadable) break;
    for (std::size_t side = 0; side < 2; ++side) {
      for (std::size_t i = 1; i < 4; ++i) {
        const int before = found.thresholds[side * 4 + i - 1];
        const int value = found.thresholds[side * 4 + i];
        if (value >= before) continue;
        warnings.push_back(file + ": record " + std::to_string(p + 1) + " " +
                           (side == 0 ? "right" : "left") + "-handed thresholds do not rise: " +
                           std::to_string(value) + " after " + std::to_string(before));
        break;
      }
    }
  }
  const auto names = bpeNames(*data, parks.size());
  for (std::size_t p = 0; p < names.size(); ++p) {
    if (names[p].first == parks[p]) continue;
    warnings.push_back(file + " line " + std::to_string(names[p].second.line) + " column " +
                       std::to_string(names[p].second.column) + ": record " +
                       std::to_string(p + 1) + " is " + quoted(names[p].first) +
                       ", the Deep file's record " + std::to_string(p + 1) + " is " +
                       quoted(parks[p]));
  }
}

void crazyPlayWarnings(SeasonFolder& folder, const std::string& year,
                       std::vector<std::string>& warnings) {
  const std::string file = readName(folder, year + "CPlay.vnt");
  const auto data = folder.read(file);
  if (!data) {
    warnings.push_back(notRead(folder, file));
    return;
  }
  SeasonFileProblem why;
  const auto plays = readCrazyPlays(*data, &why);
  if (!plays) {
    warnings.push_back(located(file, why));
    return;
  }
  if (plays->empty()) {
    warnings.push_back(file + ": no plays");
    return;
  }
  if (plays->front().threshold > 0) {
    warnings.push_back(file + ": record 1 threshold " + std::to_string(plays->front().threshold) +
                       " is above 0, so a roll below it finds no play");
  }
  for (std::size_t r = 0; r < plays->size(); ++r) {
    const int threshold = (*plays)[r].threshold;
    if (threshold < 0 || threshold > 999) {
      warnings.push_back(file + ": record " + std::to_string(r + 1) + " threshold " +
                         std::to_string(threshold) + " outside 0..999");
    } else if (r > 0 && threshold < (*plays)[r - 1].threshold) {
      warnings.push_back(file + ": record " + std::to_string(r + 1) + " threshold " +
                         std::to_string(threshold) + " below record " + std::to_string(r) + "'s " +
                         std::to_string((*plays)[r - 1].threshold));
    }
  }
}

// Whether the file's records read in step, so that its fields are what they seem: the Deep
// and BPE files whole as fields (their check value aside), the others readable.
bool readsInStep(SeasonFileKind kind, std::string_view data, int ballparks) {
  switch (kind) {
    case SeasonFileKind::Deep: {
      const SeasonFileCheck check = examineDeepFile(data);
      return check.passes || check.recordsRead;
    }
    case SeasonFileKind::Bpe: {
      const SeasonFileCheck check = examineBpeFile(data, ballparks);
      return check.passes || check.recordsRead;
    }
    case SeasonFileKind::Weather:
      return lookupWeatherRecord(data, "").status != LookupStatus::Unreadable;
    case SeasonFileKind::CrazyPlay:
      return readCrazyPlays(data).has_value();
  }
  return false;
}

// Every field taken as a number that holds none: it reads as 0, which the maker may not
// mean. Only in a file whose records read in step: elsewhere such fields are the symptom
// of the damage the verdict or another warning reports, not a maker's choice.
void zeroFieldWarnings(SeasonFolder& folder, const std::string& file, SeasonFileKind kind,
                       int ballparks, const SeasonVerdict& verdict,
                       std::vector<std::string>& warnings) {
  const auto data = folder.read(file);
  if (!data || !readsInStep(kind, *data, ballparks)) return;
  for (const auto& problem : fieldsReadAsZero(kind, *data, ballparks)) {
    // The verdict already points there.
    if (verdict.problem && verdict.file == file && verdict.problem->line == problem.line &&
        verdict.problem->column == problem.column) {
      continue;
    }
    warnings.push_back(located(readName(folder, file), problem));
  }
}

SeasonReport checkYear(SeasonFolder& folder, int year) {
  const std::string prefix = std::to_string(year);
  SeasonReport report;
  report.year = year;
  const SeasonVerdict verdict = checkSeason(year, folder);
  report.offered = verdict.offered;
  // The same words the window shows on the season's option.
  report.reason = seasonReason(verdict, folder);

  auto& warnings = report.warnings;
  for (const auto suffix : kSuffixes)
    sameNameWarnings(folder, prefix + std::string(suffix), warnings);
  // The other files are held against the Deep file's names only when its records read
  // cleanly: names read out of step would make every comparison wrong.
  const auto deep = folder.read(prefix + "Deep.vnt");
  const SeasonFileCheck deepCheck = deep ? examineDeepFile(*deep) : SeasonFileCheck{};
  const auto parks =
      deepCheck.passes || deepCheck.recordsRead ? readBallparkNames(*deep) : std::nullopt;
  if (parks) {
    bpeWarnings(folder, prefix, *parks, warnings);
    weatherWarnings(folder, prefix, *parks, warnings);
  } else {
    const std::string weather = prefix + "Weather.vnt";
    if (!folder.read(weather)) warnings.push_back(notRead(folder, weather));
  }
  crazyPlayWarnings(folder, prefix, warnings);
  const int ballparks = parks ? static_cast<int>(parks->size()) : 0;
  zeroFieldWarnings(folder, prefix + "Deep.vnt", SeasonFileKind::Deep, 0, verdict, warnings);
  zeroFieldWarnings(folder, prefix + "BPE.vnt", SeasonFileKind::Bpe, ballparks, verdict, warnings);
  zeroFieldWarnings(folder, prefix + "Weather.vnt", SeasonFileKind::Weather, 0, verdict, warnings);
  zeroFieldWarnings(folder, prefix + "CPlay.vnt", SeasonFileKind::CrazyPlay, 0, verdict, warnings);
  return report;
}

}  // namespace

std::vector<SeasonReport> checkSeasons() {
  SeasonFolder folder;
  std::vector<SeasonReport> reports;
  for (int year = kFirstSeason; year < kFirstSeason + kSeasonCount; ++year) {
    if (seasonHasFiles(year, folder)) reports.push_back(checkYear(folder, year));
  }
  return reports;
}

bool folderListable() {
  return SeasonFolder().listable();
}

std::vector<std::string> reportLines(const SeasonReport& report) {
  const std::string year = std::to_string(report.year);
  std::vector<std::string> lines;
  lines.push_back(year + (report.offered ? "  offered" : "  not offered  " + report.reason));
  for (const auto& warning : report.warnings) lines.push_back(year + "  warning  " + warning);
  return lines;
}

}  // namespace vnt::seasons
