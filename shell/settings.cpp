#include "shell/settings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <system_error>
#include <utility>
#include <vector>

#include "shell/zoom.h"

namespace vnt::settings {
namespace {

namespace fs = std::filesystem;

// Far beyond any desktop, yet safe to add and scale without overflow.
constexpr int kMaxCoordinate = 100000;

std::string_view trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<int> number(std::string_view text) {
  text = trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
    return std::nullopt;
  }
  return value;
}

std::optional<bool> onOff(std::string_view text) {
  text = trim(text);
  if (text == "on" || text == "yes" || text == "true" || text == "1") return true;
  if (text == "off" || text == "no" || text == "false" || text == "0") return false;
  return std::nullopt;
}

// "X,Y,WIDTH,HEIGHT" with a size of at least one pixel, all within reach of a screen.
std::optional<WindowPlace::Rect> rect(std::string_view text) {
  std::vector<int> values;
  while (true) {
    const std::size_t comma = text.find(',');
    const auto value = number(text.substr(0, comma));
    if (!value || *value < -kMaxCoordinate || *value > kMaxCoordinate) return std::nullopt;
    values.push_back(*value);
    if (comma == std::string_view::npos) break;
    if (values.size() == 4) return std::nullopt;
    text.remove_prefix(comma + 1);
  }
  if (values.size() != 4 || values[2] <= 0 || values[3] <= 0) return std::nullopt;
  return WindowPlace::Rect{values[0], values[1], values[2], values[3]};
}

std::string onOffText(bool value) {
  return value ? "on" : "off";
}

std::string rectText(const WindowPlace::Rect& r) {
  return std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(r.width) + "," +
         std::to_string(r.height);
}

constexpr std::string_view kHeader = "# VNT Assistant settings: key=value, one a line\n";

// Each key of ours with the value `settings` gives it, in the order a new file lists them;
// no value for a place never saved.
std::vector<std::pair<std::string, std::optional<std::string>>> entries(const Settings& s) {
  std::vector<std::pair<std::string, std::optional<std::string>>> out;
  out.emplace_back("own-dice", onOffText(s.ownDice));
  out.emplace_back("zoom", std::to_string(zoom::clamp(s.zoom)));
  for (const auto& [name, place] :
       {std::pair{"odds-window", &s.odds}, std::pair{"game-log-window", &s.gameLog}}) {
    out.emplace_back(std::string(name) + ".open", onOffText(place->open));
    std::optional<std::string> geometry;
    if (place->geometry) geometry = rectText(*place->geometry);
    out.emplace_back(std::string(name) + ".geometry", geometry);
  }
  return out;
}

// Bytes no text editor leaves in a line: what a damaged file holds.
bool damaged(std::string_view line) {
  return std::any_of(line.begin(), line.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && c != '\t' && c != '\r') || byte == 0x7f;
  });
}

}  // namespace

Settings parse(std::string_view text) {
  Settings settings;
  while (!text.empty()) {
    const std::size_t newline = text.find('\n');
    const std::string_view line = trim(text.substr(0, newline));
    text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
    if (line.empty() || line.front() == '#') continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = trim(line.substr(0, equals));
    const std::string_view value = trim(line.substr(equals + 1));
    if (key == "own-dice") {
      if (const auto on = onOff(value)) settings.ownDice = *on;
    } else if (key == "zoom") {
      const auto percent = number(value);
      if (percent && *percent >= zoom::kMinPercent && *percent <= zoom::kMaxPercent) {
        settings.zoom = *percent;
      }
    } else {
      for (auto [name, place] :
           {std::pair{std::string_view("odds-window"), &settings.odds},
            std::pair{std::string_view("game-log-window"), &settings.gameLog}}) {
        if (!key.starts_with(name) || key.size() <= name.size() || key[name.size()] != '.') {
          continue;
        }
        const std::string_view field = key.substr(name.size() + 1);
        if (field == "open") {
          if (const auto on = onOff(value)) place->open = *on;
        } else if (field == "geometry") {
          if (const auto r = rect(value)) place->geometry = r;
        }
      }
    }
  }
  return settings;
}

std::string format(const Settings& settings) {
  return merge(kHeader, settings);
}

std::string merge(std::string_view existing, const Settings& settings) {
  // Nothing to keep: a new file, with its header line.
  if (existing.find_first_not_of(" \t\r\n") == std::string_view::npos) return format(settings);
  auto wanted = entries(settings);
  std::vector<bool> written(wanted.size(), false);
  std::string out;
  while (!existing.empty()) {
    const std::size_t newline = existing.find('\n');
    const std::string_view line = existing.substr(0, newline);
    existing.remove_prefix(newline == std::string_view::npos ? existing.size() : newline + 1);
    if (damaged(line)) continue;
    const std::string_view trimmed = trim(line);
    const std::size_t equals = trimmed.find('=');
    if (!trimmed.empty() && trimmed.front() != '#' && equals != std::string_view::npos) {
      const std::string_view key = trim(trimmed.substr(0, equals));
      const auto it = std::find_if(wanted.begin(), wanted.end(),
                                   [key](const auto& entry) { return entry.first == key; });
      if (it != wanted.end()) {
        // A place never saved loses its old line, as a new file would not have it.
        const auto at = static_cast<std::size_t>(it - wanted.begin());
        if (!written[at] && it->second) out += it->first + "=" + *it->second + "\n";
        written[at] = true;
        continue;
      }
    }
    out += line;
    out += '\n';
  }
  for (std::size_t i = 0; i < wanted.size(); ++i) {
    if (!written[i] && wanted[i].second) out += wanted[i].first + "=" + *wanted[i].second + "\n";
  }
  return out;
}

fs::path file(const std::function<std::optional<std::string>(const char*)>& env) {
  fs::path config;
  if (const auto xdg = env("XDG_CONFIG_HOME"); xdg && fs::path(*xdg).is_absolute()) {
    config = *xdg;
  } else if (const auto home = env("HOME"); home && !home->empty()) {
    config = fs::path(*home) / ".config";
  } else {
    return {};
  }
  return config / "vnt-assistant" / "settings.conf";
}

namespace {

// The text of a regular file of at most kMaxFileSize bytes; nothing for any other.
std::optional<std::string> readSmall(const fs::path& path) {
  std::error_code error;
  if (path.empty() || !fs::is_regular_file(path, error)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text(kMaxFileSize + 1, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  const auto got = static_cast<std::size_t>(std::max<std::streamsize>(0, in.gcount()));
  if (got > kMaxFileSize) return std::nullopt;
  text.resize(got);
  return text;
}

// The file `path` stands for: itself, or the end of its chain of symbolic links (which need
// not exist yet); nothing for a chain that loops or cannot be read.
std::optional<fs::path> linkTarget(fs::path path) {
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    // Not there yet is no error: the file is made there.
    if (status.type() == fs::file_type::not_found) return path;
    if (error) return std::nullopt;
    if (!fs::is_symlink(status)) return path;
    const fs::path to = fs::read_symlink(path, error);
    if (error) return std::nullopt;
    path = to.is_absolute() ? to : path.parent_path() / to;
  }
  return std::nullopt;
}

bool sameFile(int fd, const fs::path& path) {
  struct stat opened {};
  struct stat named {};
  return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
         opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// A file of our own at `path`: created here and now, never reached through a link. A
// leftover of an earlier save (or anything else there that is not a folder) is taken away
// first; unlinking a symbolic link leaves the file it points to alone.
int createFresh(const fs::path& path, mode_t mode) {
  constexpr int kFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
  int fd = ::open(path.c_str(), kFlags, mode);
  if (fd < 0 && errno == EEXIST) {
    struct stat there {};
    if (::lstat(path.c_str(), &there) != 0 || S_ISDIR(there.st_mode)) return -1;
    if (::unlink(path.c_str()) != 0) return -1;
    fd = ::open(path.c_str(), kFlags, mode);
  }
  return fd;
}

bool writeAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t wrote = ::write(fd, text.data(), text.size());
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(wrote));
  }
  return true;
}

// Replaces `target` by a file holding `text`, whole or not at all: written to a new file
// beside it, flushed to disk, then renamed over it.
bool replace(const fs::path& target, std::string_view text) {
  fs::path fresh = target;
  fresh += ".new";
  // The old file's permissions carry over (a private file stays private).
  struct stat old {};
  const bool hadOld = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  const int fd = createFresh(fresh, hadOld ? (old.st_mode & 0777) : 0666);
  if (fd < 0) return false;
  bool ok = writeAll(fd, text) && ::fsync(fd) == 0;
  // Another save may have taken the name meanwhile: rename only a file that is still ours.
  const bool ours = sameFile(fd, fresh);
  ok = ok && ours && ::rename(fresh.c_str(), target.c_str()) == 0;
  if (!ok && ours) ::unlink(fresh.c_str());
  ::close(fd);
  if (ok) {
    // The rename itself reaches the disk with the folder.
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
      ::fsync(dir);
      ::close(dir);
    }
  }
  return ok;
}

}  // namespace

Settings load(const fs::path& path) {
  const auto text = readSmall(path);
  return text ? parse(*text) : Settings{};
}

bool save(const fs::path& path, const Settings& settings) {
  if (path.empty()) return false;
  std::error_code error;
  if (path.has_parent_path()) fs::create_directories(path.parent_path(), error);
  if (error) return false;
  const auto target = linkTarget(path);
  if (!target) return false;
  // A file we would not read (too large, not a file) is not merged into either.
  const auto existing = readSmall(*target);
  const bool usable = existing && !existing->empty();
  return replace(*target, merge(usable ? *existing : kHeader, settings));
}

}  // namespace vnt::settings
