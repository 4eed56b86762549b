#include "shell/game_library.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <utility>

namespace vnt {
namespace {

namespace fs = std::filesystem;

GameSummary unreadable(std::string why) {
  GameSummary summary;
  summary.whyNot = std::move(why);
  return summary;
}

constexpr std::string_view kFilePrefix = "game-";
constexpr std::string_view kFileSuffix = ".vntlog";

bool toInt(std::string_view text, int& out) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size();
}

bool isGameName(const std::string& name) {
  return name.starts_with(kFilePrefix) && name.ends_with(kFileSuffix);
}

std::int64_t nanoseconds(const struct stat& info) {
  return static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
}

// Days since 1970-01-01 of a date of the Gregorian calendar.
std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

std::string errorWords(int errorNumber) {
  if (errorNumber == ENOSPC) return "the disk is full";
  if (errorNumber == EACCES || errorNumber == EPERM || errorNumber == EROFS) {
    return "it cannot be written there";
  }
  return std::strerror(errorNumber);
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t wrote = ::write(fd, bytes.data(), bytes.size());
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) {
      if (wrote == 0) errno = ENOSPC;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(wrote));
  }
  return true;
}

// Why a game file's open or its handle rules it out, or empty.
std::string handleProblem(int fd) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return std::strerror(errno);
  if (!S_ISREG(info.st_mode)) return "it is not a regular file";
  if (info.st_size > kLargestGameFile) return "it is larger than any game file (over 64 MB)";
  return {};
}

std::string openProblem(int errorNumber) {
  if (errorNumber == ELOOP) return "it is a link to another file, not a game file";
  if (errorNumber == ENOENT) return "it is no longer there";
  if (errorNumber == EACCES || errorNumber == EPERM) return "it may not be read";
  return std::strerror(errorNumber);
}

// Streams the file at `fd` into `feed`; false on a read error.
template <typename Feed>
bool streamFile(int fd, Feed&& feed) {
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    if (!feed(std::string_view(buffer, static_cast<std::size_t>(got)))) return false;
  }
}

}  // namespace

// --- The summary -------------------------------------------------------------------------------

void GameSummarizer::feed(std::string_view chunk) {
  // What is no game this version reads is not read further.
  if (!first_ && (!recognised_ || format_ > kGameLogFormat)) return;
  if (first_ && partial_.size() + chunk.size() > 4096 &&
      chunk.substr(0, 4096).find('\n') == std::string_view::npos) {
    first_ = false;  // no header line is that long
    return;
  }
  while (!chunk.empty()) {
    const std::size_t end = chunk.find('\n');
    if (end == std::string_view::npos) {
      partial_.append(chunk);
      return;
    }
    if (partial_.empty()) {
      line(chunk.substr(0, end));
    } else {
      partial_.append(chunk.substr(0, end));
      line(partial_);
      partial_.clear();
    }
    chunk.remove_prefix(end + 1);
  }
}

void GameSummarizer::line(std::string_view text) {
  if (first_) {
    first_ = false;
    const std::string header = std::string(kGameLogHeader) + " ";
    const auto words = splitLogLine(text);
    recognised_ =
        text.starts_with(header) && words && !words->empty() && toInt(words->back(), format_);
    return;
  }
  if (!recognised_ || format_ > kGameLogFormat) return;
  // Only these lines make the summary; the others (dice, texts shown) are not taken apart.
  const std::string_view keyword = text.substr(0, text.find(' '));
  if (keyword != "game" && keyword != "roll" && keyword != "done" && keyword != "time" &&
      keyword != "season" && keyword != "chart" && keyword != "outcome" && keyword != "button") {
    return;
  }
  const auto words = splitLogLine(text);
  if (!words || words->size() < 2) return;
  const std::vector<std::string>& w = *words;
  int n = 0;
  if (w[0] == "game") {
    summary_.started = w[1];
  } else if (w[0] == "roll" && toInt(w[1], n)) {
    open_ = n;
    summary_.highestNumber = std::max(summary_.highestNumber, n);
    openTime_.clear();
    openSeason_.clear();
    openChart_.clear();
    openOutcome_.clear();
    openButton_.clear();
  } else if (open_ == 0) {
    return;
  } else if (w[0] == "done") {
    if (toInt(w[1], n) && n == open_) {
      ++summary_.rolls;
      summary_.lastTime = openTime_;
      if (!openSeason_.empty() && std::find(summary_.seasons.begin(), summary_.seasons.end(),
                                            openSeason_) == summary_.seasons.end()) {
        summary_.seasons.push_back(openSeason_);
      }
      summary_.lastRoll = "Roll " + std::to_string(n) + " - " + openChart_ + ": " +
                          (openOutcome_.empty() ? openButton_ : openOutcome_);
    }
    open_ = 0;
  } else if (w[0] == "time") {
    openTime_ = w[1];
  } else if (w[0] == "season") {
    openSeason_ = w[1];
  } else if (w[0] == "chart" && openChart_.empty()) {
    openChart_ = w[1];
  } else if (w[0] == "outcome") {
    openOutcome_ = w[1];
  } else if (w[0] == "button") {
    openButton_ = w[1];
  }
}

GameSummary GameSummarizer::finish() {
  GameSummary out = std::move(summary_);
  if (first_) {
    out.whyNot = "it is empty";
  } else if (!recognised_) {
    out.whyNot = "it is not a game file";
  } else if (format_ > kGameLogFormat) {
    out.whyNot = "it was written by a later version of VNT Assistant";
  }
  out.readable = out.whyNot.empty();
  if (!out.readable) out = unreadable(out.whyNot);
  if (out.lastTime.empty()) out.lastTime = out.started;
  if (const auto seconds = logTimeSeconds(out.lastTime)) out.latest = *seconds;
  *this = GameSummarizer{};
  return out;
}

GameSummary summarizeGameText(std::string_view text) {
  GameSummarizer summarizer;
  summarizer.feed(text);
  return summarizer.finish();
}

std::optional<std::int64_t> logTimeSeconds(std::string_view time) {
  // "2026-12-11 20:15:03 +01:00"
  if (time.size() != 26 || time[4] != '-' || time[7] != '-' || time[10] != ' ' || time[13] != ':' ||
      time[16] != ':' || time[19] != ' ' || time[23] != ':' ||
      (time[20] != '+' && time[20] != '-')) {
    return std::nullopt;
  }
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, oh = 0, om = 0;
  if (!toInt(time.substr(0, 4), y) || !toInt(time.substr(5, 2), mo) ||
      !toInt(time.substr(8, 2), d) || !toInt(time.substr(11, 2), h) ||
      !toInt(time.substr(14, 2), mi) || !toInt(time.substr(17, 2), s) ||
      !toInt(time.substr(21, 2), oh) || !toInt(time.substr(24, 2), om)) {
    return std::nullopt;
  }
  if (mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 60) return std::nullopt;
  const std::int64_t offset = (oh * 3600 + om * 60) * (time[20] == '-' ? -1 : 1);
  return daysFromCivil(y, mo, d) * 86400 + h * 3600 + mi * 60 + s - offset;
}

void sortNewestFirst(std::vector<GameSummary>& games) {
  std::stable_sort(games.begin(), games.end(), [](const GameSummary& a, const GameSummary& b) {
    if (a.readable != b.readable) return a.readable;
    if (a.latest != b.latest) return a.latest > b.latest;
    return a.path > b.path;
  });
}

std::string summaryLine(const GameSummary& game) {
  if (!game.readable) {
    return fs::path(game.path).filename().string() + " - cannot be read: " + game.whyNot;
  }
  // "2026-12-11 20:15:03 +01:00" shows as "2026-12-11 20:15".
  std::string line = game.lastTime.size() >= 16 ? game.lastTime.substr(0, 16) : game.lastTime;
  if (line.empty()) line = fs::path(game.path).filename().string();
  if (!game.seasons.empty()) {
    line += " - ";
    for (std::size_t i = 0; i < game.seasons.size(); ++i) {
      line += (i > 0 ? ", " : "") + game.seasons[i];
    }
  }
  line += " - " + std::to_string(game.rolls) + (game.rolls == 1 ? " roll" : " rolls");
  if (!game.lastRoll.empty()) line += " - last: " + game.lastRoll;
  return line;
}

// --- The folder --------------------------------------------------------------------------------

GameLibrary::GameLibrary(std::string folder) : folder_(std::move(folder)) {}

GameSummary GameLibrary::summarize(const std::string& path) {
  GameSummary summary;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
  if (fd < 0) {
    summary.whyNot = openProblem(errno);
  } else if (std::string problem = handleProblem(fd); !problem.empty()) {
    summary.whyNot = std::move(problem);
  } else {
    GameSummarizer summarizer;
    const bool read = streamFile(fd, [&summarizer](std::string_view chunk) {
      summarizer.feed(chunk);
      return true;
    });
    summary = summarizer.finish();
    if (!read) summary = unreadable(std::strerror(errno));
  }
  struct stat info {};
  if (summary.latest == 0 && (fd >= 0 ? ::fstat(fd, &info) : ::lstat(path.c_str(), &info)) == 0) {
    summary.latest = info.st_mtim.tv_sec;
  }
  if (fd >= 0) ::close(fd);
  summary.path = path;
  return summary;
}

std::vector<GameSummary> GameLibrary::list() {
  std::vector<GameSummary> games;
  std::map<std::string, Cached> seen;
  std::error_code ec;
  for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!isGameName(name)) continue;
    const std::string path = it->path().string();
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) continue;
    Cached entry{static_cast<std::int64_t>(info.st_size), nanoseconds(info), {}};
    const auto cached = cache_.find(path);
    if (cached != cache_.end() && cached->second.size == entry.size &&
        cached->second.changed == entry.changed) {
      entry.summary = cached->second.summary;
    } else {
      entry.summary = summarize(path);
    }
    games.push_back(entry.summary);
    seen.emplace(path, std::move(entry));
  }
  cache_ = std::move(seen);
  sortNewestFirst(games);
  return games;
}

std::optional<std::string> GameLibrary::lastPlayed() const {
  const fs::path folder(folder_);
  const int fd =
      ::open((folder / kLastPlayedFile).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
  if (fd >= 0) {
    char text[512];
    const ssize_t got = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    std::string name(text, got > 0 ? static_cast<std::size_t>(got) : 0);
    if (const std::size_t end = name.find('\n'); end != std::string::npos) name.resize(end);
    struct stat info {};
    if (isGameName(name) && name.find('/') == std::string::npos &&
        ::lstat((folder / name).c_str(), &info) == 0) {
      return (folder / name).string();
    }
  }
  // No record (a folder from before it was kept, or the game was deleted): the game file
  // written last, by the time the system kept, whatever its name.
  std::optional<std::string> newest;
  std::int64_t newestTime = 0;
  std::error_code ec;
  for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
    if (!isGameName(it->path().filename().string())) continue;
    struct stat info {};
    if (::lstat(it->path().c_str(), &info) != 0) continue;
    if (!newest || nanoseconds(info) > newestTime) {
      newest = it->path().string();
      newestTime = nanoseconds(info);
    }
  }
  return newest;
}

bool GameLibrary::setLastPlayed(const std::string& path) const {
  const fs::path folder(folder_);
  const std::string record = (folder / kLastPlayedFile).string();
  const std::string temporary = record + ".new-" + std::to_string(::getpid());
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool written = writeAll(fd, fs::path(path).filename().string() + "\n") && ::fsync(fd) == 0;
  ::close(fd);
  if (!written || ::rename(temporary.c_str(), record.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

ReadGame GameLibrary::read(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
  if (fd < 0) return {};
  std::string text;
  const bool read = handleProblem(fd).empty() && streamFile(fd, [&text](std::string_view chunk) {
                      text.append(chunk);
                      return static_cast<off_t>(text.size()) <= kLargestGameFile;
                    });
  ::close(fd);
  return read ? readGameLog(text) : ReadGame{};
}

std::string GameLibrary::problemWith(const std::string& path) {
  return summarize(path).whyNot;
}

bool GameLibrary::exportTo(const std::string& path, const std::string& destination,
                           std::string& error) {
  const int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
  if (in < 0 || !handleProblem(in).empty()) {
    error = "The game cannot be read (" + (in < 0 ? openProblem(errno) : handleProblem(in)) + ").";
    if (in >= 0) ::close(in);
    return false;
  }
  // Written beside the destination and renamed over it: a file there is replaced whole or
  // not at all.
  const std::string temporary = destination + ".part";
  const int out = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  bool done = out >= 0 &&
              streamFile(in, [out](std::string_view chunk) { return writeAll(out, chunk); }) &&
              ::fsync(out) == 0;
  const int why = errno;
  if (out >= 0) done = ::close(out) == 0 && done;
  ::close(in);
  if (done && ::rename(temporary.c_str(), destination.c_str()) == 0) return true;
  error = "Cannot save the game to " + destination + " (" + errorWords(done ? errno : why) + ").";
  ::unlink(temporary.c_str());
  return false;
}

std::string GameLibrary::freshPath() const {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  char stamp[32] = "00000000-000000";
  if (gmtime_r(&now, &utc) != nullptr) std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &utc);
  for (int n = 1;; ++n) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "-%03d", n);
    const std::string path =
        (fs::path(folder_) / (std::string(kFilePrefix) + stamp + suffix + std::string(kFileSuffix)))
            .string();
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || n >= 9999) return path;
  }
}

std::optional<std::string> GameLibrary::importFrom(const std::string& source, std::string& error) {
  // Read only: the file imported is never changed, whatever it holds.
  const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (in < 0 || !handleProblem(in).empty()) {
    error =
        "Cannot import " + source + " (" + (in < 0 ? openProblem(errno) : handleProblem(in)) + ").";
    if (in >= 0) ::close(in);
    return std::nullopt;
  }
  std::error_code ec;
  fs::create_directories(folder_, ec);
  const std::string temporary =
      (fs::path(folder_) / (".import-" + std::to_string(::getpid()))).string();
  const int out = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  GameSummarizer summarizer;
  bool copied = out >= 0 &&
                streamFile(in,
                           [&](std::string_view chunk) {
                             summarizer.feed(chunk);
                             return writeAll(out, chunk);
                           }) &&
                ::fsync(out) == 0;
  const int why = errno;
  if (out >= 0) copied = ::close(out) == 0 && copied;
  ::close(in);
  const GameSummary summary = summarizer.finish();
  if (!copied || !summary.readable) {
    ::unlink(temporary.c_str());
    error = "Cannot import " + source + " (" +
            (copied ? summary.whyNot : "the games folder: " + errorWords(why)) + ").";
    return std::nullopt;
  }
  // A name of its own; link() never replaces a game another copy made meanwhile.
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path = freshPath();
    if (::link(temporary.c_str(), path.c_str()) == 0) {
      ::unlink(temporary.c_str());
      return path;
    }
    if (errno != EEXIST) break;
  }
  error = "Cannot import " + source + " (the games folder: " + errorWords(errno) + ").";
  ::unlink(temporary.c_str());
  return std::nullopt;
}

bool GameLibrary::remove(const std::string& path, std::string& error) {
  const fs::path file(path);
  if ((fs::path(folder_) / file.filename()).lexically_normal() != file.lexically_normal() ||
      !isGameName(file.filename().string())) {
    error = "That is not a game of the list.";
    return false;
  }
  // The lock a playing copy holds: taken here, nobody can take the game up while it moves.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
  if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    error =
        "This game is being played (in this window or another running copy of VNT "
        "Assistant); it cannot be deleted now.";
    return false;
  }
  const fs::path deleted = fs::path(folder_) / kDeletedFolder;
  std::error_code ec;
  // Only the game deleted last can come back: the one before goes for good now.
  fs::remove_all(deleted, ec);
  fs::create_directory(deleted, ec);
  const bool moved = !ec && ::rename(path.c_str(), (deleted / file.filename()).c_str()) == 0;
  if (!moved) error = "The game cannot be deleted (" + errorWords(ec ? ec.value() : errno) + ").";
  if (fd >= 0) ::close(fd);
  return moved;
}

bool GameLibrary::canUndoDelete() const {
  std::error_code ec;
  for (fs::directory_iterator it(fs::path(folder_) / kDeletedFolder, ec), end; !ec && it != end;
       it.increment(ec)) {
    if (isGameName(it->path().filename().string())) return true;
  }
  return false;
}

std::optional<std::string> GameLibrary::undoDelete(std::string& error) {
  std::error_code ec;
  for (fs::directory_iterator it(fs::path(folder_) / kDeletedFolder, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!isGameName(name)) continue;
    // Back under its own name, unless a game took that name meanwhile.
    std::string back = (fs::path(folder_) / name).string();
    for (int attempt = 0; attempt < 100; ++attempt) {
      if (::link(it->path().c_str(), back.c_str()) == 0) {
        ::unlink(it->path().c_str());
        return back;
      }
      if (errno != EEXIST) break;
      back = freshPath();
    }
    error = "The game cannot be brought back (" + errorWords(errno) + ").";
    return std::nullopt;
  }
  error = "No deleted game to bring back.";
  return std::nullopt;
}

}  // namespace vnt
