#pragma once

// The program's command line and the choice of its season folder. No toolkit here, so the
// options are read (and --help or --version answered) before any display is opened.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vnt::app {

struct Options {
  enum class Action { Run, Help, Version, Usage };
  Action action = Action::Run;
  // --seasons DIR: read the season files from DIR instead of the working directory.
  std::optional<std::filesystem::path> seasons;
  // --user-seasons (the desktop menu's way in): the player's own folder, else the samples.
  bool userSeasons = false;
  // --self-test: show the window once, report the seasons offered, quit.
  bool selfTest = false;
  // For Action::Usage: what was wrong with the command line.
  std::string error;
};

Options parseCommandLine(const std::vector<std::string>& args);

// The usage text, ending in a newline.
std::string usage();

// "vnt-assistant 1.7.0".
std::string versionText();

// True when `folder` holds at least one file named like a season file ("1987Deep.vnt"), in
// any letter case: the program's own folder lookup decides.
bool holdsSeasonFile(const std::filesystem::path& folder);

// $XDG_DATA_HOME/vnt-assistant/seasons, or ~/.local/share/... when XDG_DATA_HOME is unset or
// not absolute (as the XDG base directory rules ask). `env` reads an environment variable.
std::filesystem::path userSeasonFolder(
    const std::function<std::optional<std::string>(const char*)>& env);

// The installed sample seasons: share/vnt-assistant/seasons beside the bin folder of the
// executable, so an unpacked or relocated install finds its own; else `fallback`.
std::filesystem::path installedSeasonFolder(const std::filesystem::path& executable,
                                            const std::filesystem::path& fallback);

// The folder the menu entry starts with: the player's own when it holds a season file.
std::filesystem::path desktopSeasonFolder(const std::filesystem::path& user,
                                          const std::filesystem::path& installed);

// The line for standard error when no season can be offered from `folder`.
std::string noSeasonLine(const std::filesystem::path& folder);

}  // namespace vnt::app
