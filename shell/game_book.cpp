#include "shell/game_book.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <utility>

namespace vnt {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kFilePrefix = "game-";
constexpr std::string_view kFileSuffix = ".vntlog";
// A game of an evening is a few hundred kilobytes at most; anything far larger is not one.
constexpr off_t kLargestGameFile = 64 * 1024 * 1024;

// "20261211-201503": UTC, so names sort by start time whatever the clocks did meanwhile.
std::string fileStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  char text[32] = "00000000-000000";
  if (gmtime_r(&now, &utc) != nullptr) std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &utc);
  return text;
}

std::string reason(int errorNumber) {
  if (errorNumber == ENOSPC) return "the disk is full";
  if (errorNumber == EACCES || errorNumber == EPERM || errorNumber == EROFS) {
    return "the folder cannot be written to";
  }
  return std::strerror(errorNumber);
}

// The file's text, or none when it cannot be read or is too large to be a game.
std::optional<std::string> readWhole(int fd) {
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kLargestGameFile) {
    return std::nullopt;
  }
  std::string text;
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    text.append(buffer, static_cast<std::size_t>(got));
    if (static_cast<off_t>(text.size()) > kLargestGameFile) return std::nullopt;
  }
  return text;
}

}  // namespace

std::string gamesFolder(const std::function<std::optional<std::string>(const char*)>& env) {
  if (const auto xdg = env("XDG_DATA_HOME"); xdg && fs::path(*xdg).is_absolute()) {
    return (fs::path(*xdg) / "vnt-assistant" / "games").string();
  }
  if (const auto home = env("HOME"); home && !home->empty()) {
    return (fs::path(*home) / ".local" / "share" / "vnt-assistant" / "games").string();
  }
  return {};
}

std::string gamesFolder() {
  return gamesFolder([](const char* name) -> std::optional<std::string> {
    const char* value = std::getenv(name);
    if (value == nullptr) return std::nullopt;
    return std::string(value);
  });
}

std::vector<std::string> gameFiles(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.starts_with(kFilePrefix) && name.ends_with(kFileSuffix)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  std::vector<std::string> paths;
  for (const std::string& name : names) paths.push_back((fs::path(folder) / name).string());
  return paths;
}

ReadGame readGameFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return {};
  const std::optional<std::string> text = readWhole(fd);
  ::close(fd);
  return text ? readGameLog(*text) : ReadGame{};
}

GameBook::GameBook(GameLog& log, std::string folder) : log_(log), folder_(std::move(folder)) {
  log_.setSink(this);
}

GameBook::~GameBook() {
  closeFile();
  if (log_.sink() == this) log_.setSink(nullptr);
}

bool GameBook::openLast() {
  const std::vector<std::string> files = gameFiles(folder_);
  if (files.empty()) return newGame();
  const std::string& last = files.back();
  closeFile();
  const int fd = ::open(last.c_str(), O_RDWR | O_APPEND | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
  if (fd < 0) {
    // A game that cannot be added to is left as it is; the evening goes on in a new one.
    return newGame();
  }
  // A game another copy of the program is still writing is its own; two writers would
  // interleave their rolls' lines.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return newGame();
  }
  const std::optional<std::string> text = readWhole(fd);
  ReadGame game = text ? readGameLog(*text) : ReadGame{};
  // A game of a later version is not added to with lines of this one.
  if (!game.recognised || game.format > kGameLogFormat) {
    ::close(fd);
    return newGame();
  }
  // A last line cut short by a crash would run into the first line written now: cut it off.
  const std::size_t whole = text->rfind('\n') == std::string::npos ? 0 : text->rfind('\n') + 1;
  if (whole < text->size() && ::ftruncate(fd, static_cast<off_t>(whole)) != 0) {
    ::close(fd);
    return newGame();
  }
  fd_ = fd;
  path_ = last;
  error_.clear();
  log_.restore(std::move(game.entries), game.highestNumber);
  return true;
}

bool GameBook::newGame() {
  closeFile();
  log_.clear();
  if (folder_.empty()) {
    path_.clear();
    fail("no folder for game files (HOME is not set)", 0);
    return false;
  }
  std::error_code ec;
  fs::create_directories(folder_, ec);
  if (ec) {
    path_ = folder_;
    fail(folder_, ec.value());
    return false;
  }
  const std::string stamp = fileStamp();
  for (int n = 1; n <= 999; ++n) {
    char suffix[8];
    std::snprintf(suffix, sizeof suffix, "-%03d", n);
    const std::string path =
        (fs::path(folder_) / (std::string(kFilePrefix) + stamp + suffix + std::string(kFileSuffix)))
            .string();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0 && errno == EEXIST) continue;
    path_ = path;
    if (fd < 0) {
      // Named by its folder: the same trouble at the next New Game is the same message.
      fail(folder_, errno);
      return false;
    }
    fd_ = fd;
    error_.clear();
    ::flock(fd_, LOCK_EX | LOCK_NB);  // new, so nobody else holds it
    const std::string header = std::string(kGameLogHeader) + " " + std::to_string(kGameLogFormat) +
                               "\n" + "game " + quoteLogText(log_.now()) + "\n";
    if (!writeAll(header)) return false;
    entryDone();
    return writing();
  }
  path_ = folder_;
  fail(folder_, EEXIST);
  return false;
}

std::string GameBook::takeWriteError() {
  if (errorTaken_) return {};
  errorTaken_ = true;
  return error_;
}

void GameBook::line(const std::string& text) {
  if (fd_ < 0) return;
  // One write per line: a process killed between two writes leaves whole lines behind.
  writeAll(text + "\n");
}

void GameBook::entryDone() {
  if (fd_ < 0) return;
  if (::fdatasync(fd_) != 0 && errno != EINVAL && errno != EROFS) fail(path_, errno);
}

bool GameBook::writeAll(const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t wrote = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) {
      fail(path_, wrote < 0 ? errno : ENOSPC);
      return false;
    }
    done += static_cast<std::size_t>(wrote);
  }
  return true;
}

void GameBook::fail(const std::string& what, int errorNumber) {
  closeFile();
  const std::string why = errorNumber != 0 ? what + ": " + reason(errorNumber) : what;
  const std::string message = "The game log cannot be saved (" + why +
                              "). Play goes on; the rolls from here on are kept only until "
                              "the program closes.";
  // The same trouble again (another New Game into the same read-only folder) is not news.
  if (message != error_) errorTaken_ = false;
  error_ = message;
}

void GameBook::closeFile() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

}  // namespace vnt
