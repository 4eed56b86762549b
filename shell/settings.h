#pragma once

// What the program remembers between runs: a small text file of "key=value" lines under
// $XDG_CONFIG_HOME/vnt-assistant/. Every front end reads and writes it through these
// functions. A file that is damaged, cut short, enormous or from a later version never
// stops the program: whatever cannot be read is left at its default.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vnt::settings {

// A tool window's place on the desktop and whether it was open.
struct WindowPlace {
  bool open = false;
  // Left, top, width and height of the client area; only when one was saved and sound.
  struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
  };
  std::optional<Rect> geometry;
  bool operator==(const WindowPlace&) const = default;
};

struct Settings {
  bool ownDice = false;  // "Roll my own dice"
  int zoom = 100;        // percent, within the zoom range
  WindowPlace odds;
  WindowPlace gameLog;
  bool operator==(const Settings&) const = default;
};

// Largest file read; anything longer is not a settings file of ours.
constexpr std::size_t kMaxFileSize = 64 * 1024;

// The settings a text holds. Unknown keys, lines without "=", values out of range or not of
// their kind are skipped; a later line for the same key wins.
Settings parse(std::string_view text);

// The text of `settings`, one "key=value" line each, as parse() reads it back.
std::string format(const Settings& settings);

// `existing` (a settings text, perhaps edited by the player) with `settings` written into it:
// each key of ours is updated on the line where it stands (later repeats of it dropped, so
// parse() reads what was written) and the keys it lacks are appended; comments, blank lines
// and keys of other versions stay where they were. A line holding control characters (a
// damaged file) is dropped, and so is the line of a place `settings` holds no geometry for.
std::string merge(std::string_view existing, const Settings& settings);

// $XDG_CONFIG_HOME/vnt-assistant/settings.conf, or ~/.config/... when XDG_CONFIG_HOME is unset
// or not absolute; empty when neither is known. `env` reads an environment variable.
std::filesystem::path file(const std::function<std::optional<std::string>(const char*)>& env);

// The settings in `path`: the defaults when it is missing, unreadable, not a regular file or
// larger than kMaxFileSize.
Settings load(const std::filesystem::path& path);

// Writes `settings` to `path` whole or not at all, making the folder when needed, merged into
// the text already there (see merge()). The new text goes to a file created afresh beside
// the old one (never through a link left there), is flushed to disk and renamed over it.
// When `path` is a symbolic link (a dotfiles folder), the file it points to is replaced and
// the link stays a link. False when it could not be written; the old file then stays as it
// was.
bool save(const std::filesystem::path& path, const Settings& settings);

}  // namespace vnt::settings
