#include "shell/game_book.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
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
// Enough of a game's end to hold its last roll's lines, nearly always.
constexpr off_t kTailBytes = 64 * 1024;

std::string reason(int errorNumber) {
  if (errorNumber == ENOSPC) return "the disk is full";
  if (errorNumber == EACCES || errorNumber == EPERM || errorNumber == EROFS) {
    return "the folder cannot be written to";
  }
  return std::strerror(errorNumber);
}

bool toInt(std::string_view text, int& out) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size();
}

// All of `bytes` in one write where the system allows; false with errno set.
bool writeFully(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) {
      if (wrote == 0) errno = ENOSPC;
      return false;
    }
    done += static_cast<std::size_t>(wrote);
  }
  return true;
}

std::string readAt(int fd, off_t from, off_t length) {
  std::string text(static_cast<std::size_t>(length), '\0');
  std::size_t got = 0;
  while (got < text.size()) {
    const ssize_t n =
        ::pread(fd, text.data() + got, text.size() - got, from + static_cast<off_t>(got));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  text.resize(got);
  return text;
}

// How a game is named to the player: when it was started, else its file name.
std::string gameLabel(const std::string& path) {
  std::string label = "the game in " + fs::path(path).filename().string();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
  if (fd < 0) return label;
  const std::string head = readAt(fd, 0, 4096);
  ::close(fd);
  const std::size_t second = head.find("\ngame ");
  if (second == std::string::npos) return label;
  const std::size_t end = head.find('\n', second + 1);
  if (end == std::string::npos) return label;
  const auto words = splitLogLine(std::string_view(head).substr(second + 1, end - second - 1));
  if (words && words->size() >= 2) label = "the game started " + (*words)[1].substr(0, 16);
  return label;
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
  return GameLibrary::read(path);
}

struct GameBook::TakenUp {
  int fd = -1;
  std::string path;
  int highestNumber = 0;
  off_t size = 0;  // the whole lines of the game as taken up
};

GameBook::GameBook(GameLog& log, std::string folder)
    : log_(log), library_(folder), folder_(std::move(folder)) {
  log_.setSink(this);
}

GameBook::~GameBook() {
  closeFile();
  if (log_.sink() == this) log_.setSink(nullptr);
}

std::optional<GameBook::TakenUp> GameBook::takeUp(const std::string& path, std::string& why) {
  const int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
  if (fd < 0) {
    const int e = errno;
    if (e == ELOOP) {
      why = "it is a link to another file, not a game file";
    } else if (e == ENOENT) {
      why = "it is no longer there";
    } else if (e == EACCES || e == EPERM || e == EROFS) {
      why = "the file cannot be written to";
    } else {
      why = std::strerror(e);
    }
    return std::nullopt;
  }
  const auto refuse = [fd, &why](std::string words) -> std::optional<TakenUp> {
    ::close(fd);
    why = std::move(words);
    return std::nullopt;
  };
  struct stat info {};
  if (::fstat(fd, &info) != 0) return refuse(std::strerror(errno));
  if (!S_ISREG(info.st_mode)) return refuse("it is not a regular file");
  if (info.st_size == 0) return refuse("it is empty");
  // Root may write anything: a game the player made read-only is kept as it is all the same.
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return refuse("the file is read-only");
  if (info.st_size > kLargestGameFile)
    return refuse("it is larger than any game file (over 64 MB)");
  // A game another copy of the program is still writing is its own; two writers would
  // interleave their rolls' lines.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    return refuse("it is open in another running copy of VNT Assistant");
  }
  // Only the head and the tail are read: the header says whether this version may add to
  // it, the last roll where the numbering goes on.
  const std::string head = readAt(fd, 0, std::min<off_t>(info.st_size, 4096));
  const std::size_t headEnd = head.find('\n');
  const auto header = splitLogLine(std::string_view(head).substr(0, headEnd));
  int format = 0;
  if (headEnd == std::string::npos || !head.starts_with(std::string(kGameLogHeader) + " ") ||
      !header || header->empty() || !toInt(header->back(), format)) {
    return refuse("it is not a game file");
  }
  if (format > kGameLogFormat) return refuse("it was written by a later version of VNT Assistant");

  const off_t tailFrom = std::max<off_t>(0, info.st_size - kTailBytes);
  const std::string tail = readAt(fd, tailFrom, info.st_size - tailFrom);
  const std::size_t lastFeed = tail.rfind('\n');
  const off_t whole =
      lastFeed == std::string::npos ? tailFrom : tailFrom + static_cast<off_t>(lastFeed) + 1;
  TakenUp game{fd, path, 0, whole};
  bool found = false;
  std::size_t at = tailFrom == 0 ? 0 : tail.find('\n') + 1;  // the first line may be cut
  while (at < tail.size()) {
    const std::size_t end = tail.find('\n', at);
    if (end == std::string::npos) break;
    const std::string_view text = std::string_view(tail).substr(at, end - at);
    at = end + 1;
    if (!text.starts_with("roll ")) continue;
    const auto words = splitLogLine(text);
    int n = 0;
    if (words && words->size() >= 2 && toInt((*words)[1], n)) {
      game.highestNumber = std::max(game.highestNumber, n);
      found = true;
    }
  }
  if (!found && tailFrom > 0) {
    // One roll longer than the tail: the numbering is worth a reading of the whole.
    game.highestNumber = GameLibrary::summarize(path).highestNumber;
  }
  // A last line cut short by a crash would run into the first line written now: cut it off.
  if (whole < info.st_size && ::ftruncate(fd, whole) != 0) return refuse(std::strerror(errno));
  return game;
}

void GameBook::startWriting(TakenUp&& game) {
  closeFile();
  fd_ = game.fd;
  path_ = std::move(game.path);
  fresh_ = false;
  recorded_ = false;
  error_.clear();
  // The rolls are read when the log is first looked at, up to where the game stood.
  log_.takeUp(game.highestNumber, [path = path_, size = game.size] {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
    if (fd < 0) return std::vector<LogEntry>{};
    const std::string text = readAt(fd, 0, size);
    ::close(fd);
    return readGameLog(text).entries;
  });
}

bool GameBook::openLast() {
  notice_.clear();
  if (const std::optional<std::string> last = library_.lastPlayed()) {
    std::string why;
    if (std::optional<TakenUp> game = takeUp(*last, why)) {
      startWriting(std::move(*game));
      return true;
    }
    const std::string label = gameLabel(*last);
    if (why.find("another running copy") != std::string::npos) {
      notice_ = "The game last played (" + label +
                ") is open in another running copy of VNT Assistant, so this window plays a "
                "game of its own. Both games are in the Game Log's list of games.";
    } else {
      notice_ = "The game last played (" + label + ") cannot be continued: " + why +
                ". A new game is started; the Game Log's list of games still holds every game "
                "that can be read.";
    }
  }
  return newGame();
}

bool GameBook::continueGame(const std::string& path) {
  if (path == path_ && fd_ >= 0) return true;
  std::string why;
  std::optional<TakenUp> game = takeUp(path, why);
  if (!game) {
    notice_ = "This game (" + gameLabel(path) + ") cannot be continued: " + why +
              ". The game under way goes on.";
    return false;
  }
  startWriting(std::move(*game));
  // Chosen by the player: the next start takes it up even before a roll is added.
  recordLastPlayed();
  return true;
}

bool GameBook::newGame() {
  closeFile();
  log_.clear();
  path_.clear();
  if (folder_.empty()) {
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
  if (::access(folder_.c_str(), W_OK) != 0) {
    path_ = folder_;
    fail(folder_, errno);
    return false;
  }
  // The file is made at the first roll: a start, or a New Game, without a roll leaves none.
  fresh_ = true;
  return true;
}

bool GameBook::createFile() {
  fresh_ = false;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const std::string path = library_.freshPath();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) {
      // Named by its folder: the same trouble at the next New Game is the same message.
      path_ = folder_;
      fail(folder_, errno);
      return false;
    }
    ::flock(fd, LOCK_EX | LOCK_NB);  // new, so nobody else holds it
    const std::string header = std::string(kGameLogHeader) + " " + std::to_string(kGameLogFormat) +
                               "\n" + "game " + quoteLogText(log_.now()) + "\n";
    if (!writeFully(fd, header) || ::fdatasync(fd) != 0) {
      // A game file without its header (a full disk) is no game: it is not left behind.
      const int e = errno;
      ::close(fd);
      ::unlink(path.c_str());
      path_ = folder_;
      fail(folder_, e);
      return false;
    }
    fd_ = fd;
    path_ = path;
    error_.clear();
    recorded_ = false;
    return true;
  }
  path_ = folder_;
  fail(folder_, EEXIST);
  return false;
}

void GameBook::recordLastPlayed() {
  if (recorded_ && library_.lastPlayed() == path_) return;
  recorded_ = library_.setLastPlayed(path_);
}

std::string GameBook::takeWriteError() {
  if (errorTaken_) return {};
  errorTaken_ = true;
  return error_;
}

std::string GameBook::takeNotice() {
  return std::exchange(notice_, std::string());
}

void GameBook::line(const std::string& text) {
  if (fd_ < 0 && fresh_ && !createFile()) return;
  if (fd_ < 0) return;
  // One write per line: a process killed between two writes leaves whole lines behind.
  writeAll(text + "\n");
}

void GameBook::entryDone() {
  if (fd_ < 0) return;
  if (::fdatasync(fd_) != 0 && errno != EINVAL && errno != EROFS) {
    fail(path_, errno);
    return;
  }
  recordLastPlayed();
}

bool GameBook::writeAll(const std::string& bytes) {
  if (writeFully(fd_, bytes)) return true;
  fail(path_, errno);
  return false;
}

void GameBook::fail(const std::string& what, int errorNumber) {
  closeFile();
  fresh_ = false;
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
