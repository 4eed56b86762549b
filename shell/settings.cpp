#include "shell/settings.h"

#include <algorithm>
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

void formatPlace(std::string& out, const std::string& name, const WindowPlace& place) {
  out += name + ".open=" + onOffText(place.open) + "\n";
  if (place.geometry) {
    const WindowPlace::Rect& r = *place.geometry;
    out += name + ".geometry=" + std::to_string(r.x) + "," + std::to_string(r.y) + "," +
           std::to_string(r.width) + "," + std::to_string(r.height) + "\n";
  }
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
  std::string out = "# VNT Assistant settings: key=value, one a line\n";
  out += "own-dice=" + onOffText(settings.ownDice) + "\n";
  out += "zoom=" + std::to_string(zoom::clamp(settings.zoom)) + "\n";
  formatPlace(out, "odds-window", settings.odds);
  formatPlace(out, "game-log-window", settings.gameLog);
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

Settings load(const fs::path& path) {
  std::error_code error;
  if (path.empty() || !fs::is_regular_file(path, error)) return {};
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::string text(kMaxFileSize + 1, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  const auto got = static_cast<std::size_t>(std::max<std::streamsize>(0, in.gcount()));
  if (got > kMaxFileSize) return {};
  text.resize(got);
  return parse(text);
}

bool save(const fs::path& path, const Settings& settings) {
  if (path.empty()) return false;
  std::error_code error;
  fs::create_directories(path.parent_path(), error);
  if (error) return false;
  fs::path temporary = path;
  temporary += ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    const std::string text = format(settings);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out) {
      out.close();
      fs::remove(temporary, error);
      return false;
    }
  }
  fs::rename(temporary, path, error);
  if (error) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return false;
  }
  return true;
}

}  // namespace vnt::settings
