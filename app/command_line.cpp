#include "app/command_line.h"

#include <array>
#include <string_view>
#include <system_error>

#include "shell/form2.h"
#include "shell/season_folder.h"

namespace vnt::app {
namespace {

namespace fs = std::filesystem;

constexpr std::array<std::string_view, 4> kSeasonSuffixes = {"Deep.vnt", "BPE.vnt", "Weather.vnt",
                                                             "CPlay.vnt"};

}  // namespace

Options parseCommandLine(const std::vector<std::string>& args) {
  Options options;
  const auto fail = [&options](std::string error) {
    options.action = Options::Action::Usage;
    options.error = std::move(error);
    return options;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      options.action = Options::Action::Help;
      return options;
    }
    if (arg == "--version") {
      options.action = Options::Action::Version;
      return options;
    }
    if (arg == "--user-seasons") {
      options.userSeasons = true;
    } else if (arg == "--self-test") {
      options.selfTest = true;
    } else if (arg == "--seasons" || arg.starts_with("--seasons=")) {
      std::string dir;
      if (arg == "--seasons") {
        if (i + 1 >= args.size()) return fail("--seasons needs a folder");
        dir = args[++i];
      } else {
        dir = arg.substr(std::string_view("--seasons=").size());
      }
      if (dir.empty()) return fail("--seasons needs a folder");
      if (options.seasons) return fail("--seasons given twice");
      options.seasons = fs::path(dir);
    } else if (arg.starts_with("-")) {
      return fail("unknown option " + arg);
    } else {
      return fail("unexpected argument " + arg);
    }
  }
  if (options.seasons && options.userSeasons) {
    return fail("--seasons and --user-seasons exclude each other");
  }
  return options;
}

std::string usage() {
  return "usage: vnt-assistant [--seasons DIR | --user-seasons] [--self-test]\n"
         "       vnt-assistant --help | --version\n"
         "\n"
         "  --seasons DIR    read the season files from DIR (default: the current folder)\n"
         "  --user-seasons   read them from $XDG_DATA_HOME/vnt-assistant/seasons when it\n"
         "                   holds any, else use the installed sample seasons\n"
         "  --self-test      show the window once, list the seasons offered and quit\n"
         "                   (status 1 when none is)\n"
         "  --help           show this text\n"
         "  --version        show the version number\n";
}

std::string versionText() {
  return "vnt-assistant " + std::to_string(VNT_VERSION_MAJOR) + "." +
         std::to_string(VNT_VERSION_MINOR) + "." + std::to_string(VNT_VERSION_PATCH);
}

bool holdsSeasonFile(const fs::path& folder) {
  // The program's own folder lookup, so "1980DEEP.VNT" counts here as it does when the
  // program reads the season from that folder.
  SeasonFolder files(folder.string());
  for (int year = kFirstSeason; year < kFirstSeason + kSeasonCount; ++year) {
    for (const std::string_view suffix : kSeasonSuffixes) {
      if (files.fileFor(std::to_string(year) + std::string(suffix))) return true;
    }
  }
  return false;
}

fs::path userSeasonFolder(const std::function<std::optional<std::string>(const char*)>& env) {
  fs::path data;
  if (const auto xdg = env("XDG_DATA_HOME"); xdg && fs::path(*xdg).is_absolute()) {
    data = *xdg;
  } else if (const auto home = env("HOME"); home && !home->empty()) {
    data = fs::path(*home) / ".local" / "share";
  } else {
    return {};
  }
  return data / "vnt-assistant" / "seasons";
}

fs::path installedSeasonFolder(const fs::path& executable, const fs::path& fallback) {
  if (!executable.empty()) {
    const fs::path beside =
        executable.parent_path().parent_path() / "share" / "vnt-assistant" / "seasons";
    std::error_code error;
    if (fs::is_directory(beside, error)) return beside;
  }
  return fallback;
}

fs::path desktopSeasonFolder(const fs::path& user, const fs::path& installed) {
  return !user.empty() && holdsSeasonFile(user) ? user : installed;
}

std::string noSeasonLine(const fs::path& folder) {
  return "vnt-assistant: no season to offer: no season files in " + folder.string() +
         " pass their check (run \"vnt-seasons check\" there to see why)\n";
}

}  // namespace vnt::app
