// vnt-seasons: the season files' tool.
//
//   vnt-seasons check [--quiet] [DIR]   why each season is offered or not, and what to fix
//   vnt-seasons seal [--force] FILE...  recompute the check value of a Deep or BPE file
//   vnt-seasons build SOURCE_DIR OUT_DIR
//
// `build` turns every SOURCE_DIR/seasons/<year>.txt into OUT_DIR/<year>Deep.vnt,
// <year>BPE.vnt, <year>Weather.vnt and <year>CPlay.vnt. Nothing is written unless every
// table reads cleanly, and every file is written beside the one it replaces and renamed
// over it only once all are written, so a full disk leaves the old files whole.

#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "file_replace.h"
#include "season_check.h"
#include "season_seal.h"
#include "season_writer.h"
#include "source_tables.h"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUsage =
    "usage: vnt-seasons check [--quiet] [DIR]\n"
    "       vnt-seasons seal [--force] FILE...\n"
    "       vnt-seasons build SOURCE_DIR OUT_DIR\n";

constexpr std::string_view kHelp =
    "vnt-seasons: the season files of VNT Assistant.\n"
    "\n"
    "  check [--quiet] [DIR]   say for every season in DIR (default: here) whether the\n"
    "                          program offers it, and if not, which file, record and field\n"
    "                          keep it back; warn about what the charts would trip over\n"
    "  seal [--force] FILE...  write the right check value into Deep and BPE files\n"
    "  build SOURCE_DIR OUT_DIR  generate the bundled sample seasons from their tables\n"
    "\n"
    "'vnt-seasons VERB --help' tells more about a verb.\n";

constexpr std::string_view kCheckHelp =
    "usage: vnt-seasons check [--quiet] [DIR]\n"
    "\n"
    "For every year 1972..2025 with a season file in DIR (default: the current folder),\n"
    "prints one line: \"offered\" when VNT Assistant offers the season at start-up, else\n"
    "\"not offered\" and the first reason, with the file, line, column, record and field.\n"
    "Then one \"warning\" line for each thing the charts would trip over although the\n"
    "season is offered: a missing Weather or CPlay file, a ballpark without a Weather\n"
    "record, BPE records out of step with the Deep file, thresholds that do not rise, a\n"
    "roof type other than 0, 1 or 2, crazy-play thresholds outside 0..999.\n"
    "\n"
    "  --quiet   print only seasons that are not offered and warnings\n"
    "\n"
    "Exit status: 0 when every season found is offered without warnings, 1 otherwise\n"
    "(also when DIR holds no season file), 2 on bad usage.\n";

constexpr std::string_view kSealHelp =
    "usage: vnt-seasons seal [--force] FILE...\n"
    "\n"
    "Computes the check value of each Deep or BPE file (the kind comes from the name:\n"
    "<year>Deep.vnt, <year>BPE.vnt) and writes it in place of the stored one, keeping every\n"
    "other byte and the line breaks; a file without a check value gets one at its end.\n"
    "Prints the old and the new value. A BPE file is sealed for the number of records of\n"
    "the Deep file of the same year beside it. A file whose records cannot be read is left\n"
    "unchanged, and the reason is printed as 'check' gives it.\n"
    "\n"
    "The sealed copy is written beside the file and renamed over it, with the file's mode,\n"
    "owner and group, so the file is never left half written. A save that another program\n"
    "makes meanwhile is looked for and kept: where two names cannot be swapped at once (FUSE\n"
    "mounts such as bindfs or sshfs), the file is moved aside while the sealed copy takes\n"
    "its name, and a save made meanwhile gets the name back. Also left unchanged, with the\n"
    "reason:\n"
    "  - a file that another program saved while it was being sealed (seal it again);\n"
    "  - a file on a file system that can neither swap two names at once nor rename a file\n"
    "    only to a free name (seal a copy on a local disk and copy it back);\n"
    "  - a file whose folder is read-only (a read-only file system, or no permission to\n"
    "    write there), where --force cannot help;\n"
    "  - a file without a check value whose last record has no line break after it: it may\n"
    "    have been cut short inside its last number, which a check value would then bless;\n"
    "  - a file with more than one name (hard links): only this name would be sealed;\n"
    "  - a read-only file, unless --force is given (it stays read-only);\n"
    "  - a file whose owner and group cannot be kept (sealed by another user than root).\n"
    "\n"
    "  --force   seal read-only files too; nothing else is forced\n"
    "\n"
    "Exit status: 0 when every file is sealed (or was right), 1 otherwise, 2 on bad usage.\n";

constexpr std::string_view kBuildHelp =
    "usage: vnt-seasons build SOURCE_DIR OUT_DIR\n"
    "\n"
    "Turns every SOURCE_DIR/seasons/<year>.txt into OUT_DIR/<year>Deep.vnt, <year>BPE.vnt,\n"
    "<year>Weather.vnt and <year>CPlay.vnt. Nothing is written unless every table reads\n"
    "cleanly. Each file is written beside the one it replaces (keeping its mode) and renamed\n"
    "over it once all are written: when one cannot be written (a full disk), every old file\n"
    "stays as it was and no new one is left.\n";

int usageError(const std::string& message) {
  std::cerr << "vnt-seasons: " << message << "\n" << kUsage;
  return 2;
}

bool wantsHelp(const std::vector<std::string>& args) {
  for (const auto& arg : args) {
    if (arg == "--help" || arg == "-h") return true;
  }
  return false;
}

int build(const fs::path& sourceDir, const fs::path& outDir) {
  std::map<std::string, std::string> files;
  try {
    const vnt::seasons::Sources sources = vnt::seasons::loadSources(sourceDir);
    for (const vnt::seasons::Season& season : sources.seasons) {
      files.merge(vnt::seasons::renderSeason(season, sources));
    }
  } catch (const vnt::seasons::SourceError& error) {
    std::cerr << "vnt-seasons: " << error.what() << "\n";
    return 1;
  }

  std::error_code error;
  fs::create_directories(outDir, error);
  if (error) {
    std::cerr << "vnt-seasons: " << outDir.string() << ": " << error.message() << "\n";
    return 1;
  }
  // Binary, so the CR LF breaks are written as they are on every system.
  if (const auto failure = vnt::seasons::writeFilesTogether(outDir, files)) {
    std::cerr << "vnt-seasons: " << *failure << "\n";
    return 1;
  }
  std::cout << "vnt-seasons: wrote " << files.size() << " files to " << outDir.string() << "\n";
  return 0;
}

int check(const std::vector<std::string>& args) {
  bool quiet = false;
  std::optional<std::string> dir;
  for (const auto& arg : args) {
    if (arg == "--quiet" || arg == "-q") {
      quiet = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return usageError("check: unknown option " + arg);
    } else if (dir) {
      return usageError("check: one folder at most");
    } else {
      dir = arg;
    }
  }
  if (dir) {
    // The program reads its seasons from its working directory; check looks where it would.
    std::error_code error;
    fs::current_path(*dir, error);
    if (error) {
      std::cerr << "vnt-seasons: " << *dir << ": " << error.message() << "\n";
      return 1;
    }
  }
  const std::string where = dir ? *dir : std::string(".");
  const auto reports = vnt::seasons::checkSeasons();
  const bool listable = vnt::seasons::folderListable();
  if (!listable) {
    std::cerr << "vnt-seasons: " << where
              << " cannot be listed: only files named exactly as the program asks for them"
                 " (1987Deep.vnt) are found, by the program as by check\n";
  }
  if (reports.empty()) {
    std::cerr << "vnt-seasons: no season files (1972..2025) "
              << (listable ? "in " : "under their exact names in ") << where << "\n";
    return 1;
  }
  int offered = 0;
  int warnings = 0;
  for (const auto& report : reports) {
    offered += report.offered ? 1 : 0;
    warnings += static_cast<int>(report.warnings.size());
    const auto lines = vnt::seasons::reportLines(report);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (quiet && i == 0 && report.offered) continue;
      std::cout << lines[i] << "\n";
    }
  }
  const int seasons = static_cast<int>(reports.size());
  if (!quiet) {
    std::cout << seasons << (seasons == 1 ? " season: " : " seasons: ") << offered << " offered, "
              << seasons - offered << " not offered, " << warnings
              << (warnings == 1 ? " warning" : " warnings") << "\n";
  }
  return offered == seasons && warnings == 0 ? 0 : 1;
}

int seal(const std::vector<std::string>& args) {
  vnt::seasons::SealOptions options;
  std::vector<std::string> files;
  bool optionsEnd = false;
  for (const auto& arg : args) {
    if (!optionsEnd && arg == "--") {
      optionsEnd = true;
    } else if (!optionsEnd && (arg == "--force" || arg == "-f")) {
      options.force = true;
    } else if (!optionsEnd && arg.size() > 1 && arg[0] == '-') {
      return usageError("seal: unknown option " + arg);
    } else {
      files.push_back(arg);
    }
  }
  if (files.empty()) return usageError("seal: no file given");
  bool allSealed = true;
  for (const auto& file : files) {
    const auto result = vnt::seasons::sealFile(file, options);
    (result.ok ? std::cout : std::cerr) << result.message << "\n";
    allSealed = allSealed && result.ok;
  }
  return allSealed ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> all(argv + 1, argv + argc);
  if (all.empty()) return usageError("no verb given");
  const std::string& verb = all.front();
  const std::vector<std::string> args(all.begin() + 1, all.end());

  if (verb == "--help" || verb == "-h" || verb == "help") {
    std::cout << kHelp;
    return 0;
  }
  if (verb == "check") {
    if (wantsHelp(args)) return std::cout << kCheckHelp, 0;
    return check(args);
  }
  if (verb == "seal") {
    if (wantsHelp(args)) return std::cout << kSealHelp, 0;
    return seal(args);
  }
  if (verb == "build") {
    if (wantsHelp(args)) return std::cout << kBuildHelp, 0;
    if (args.size() != 2) return usageError("build: needs SOURCE_DIR and OUT_DIR");
    return build(args[0], args[1]);
  }
  // The generator's first command line, SOURCE_DIR OUT_DIR, still works.
  if (all.size() == 2 && !verb.empty() && verb[0] != '-') return build(all[0], all[1]);
  return usageError("unknown verb " + verb);
}
