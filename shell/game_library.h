#pragma once

// The games library: every game file of the games folder, listed with a short summary,
// newest first; read, exported, imported and deleted (with one step of undo). The summary
// and its ordering work on a game's text as well, so a front end that keeps its games
// elsewhere (the page) lists them the same way.

#include <sys/types.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/game_log.h"

namespace vnt {

// A game of an evening is a few hundred kilobytes at most; anything far larger is not one.
inline constexpr off_t kLargestGameFile = 64 * 1024 * 1024;
// The file in the games folder naming the game last played (its file name, one line).
inline constexpr std::string_view kLastPlayedFile = "last-played";
// The folder within the games folder holding the game deleted last, until undone.
inline constexpr std::string_view kDeletedFolder = "deleted";

// What the list shows of one game.
struct GameSummary {
  std::string path;  // the file (or, for a game kept elsewhere, its key)
  bool readable = false;
  std::string whyNot;                // when not readable: why, in words for the player
  std::string started;               // the time of its `game` line
  std::string lastTime;              // the time of its last finished roll, else when it was started
  std::vector<std::string> seasons;  // in the order first played
  int rolls = 0;                     // finished rolls
  std::string lastRoll;              // "Roll 12 - Stealing: CS"; empty before any roll
  int highestNumber = 0;             // of every roll begun
  std::int64_t latest = 0;  // seconds since 1970 (UTC) of lastTime; the file's time when unknown

  bool operator==(const GameSummary&) const = default;
};

// Reads a game's text piece by piece, keeping only the summary: a game of any length costs
// the memory of its longest line.
class GameSummarizer {
 public:
  void feed(std::string_view chunk);
  // The summary of everything fed; a last line without its line feed is not counted.
  GameSummary finish();

 private:
  void line(std::string_view text);

  std::string partial_;
  GameSummary summary_;
  bool first_ = true;
  bool recognised_ = false;
  int format_ = 0;
  int open_ = 0;  // the roll begun and not yet done, or 0
  std::string openTime_, openSeason_, openChart_, openOutcome_, openButton_;
};
GameSummary summarizeGameText(std::string_view text);

// "2026-12-11 20:15:03 +01:00" as seconds since 1970 (UTC); nullopt when it is not a time.
std::optional<std::int64_t> logTimeSeconds(std::string_view time);
// The order of the list: the latest played first; unreadable games after the readable.
void sortNewestFirst(std::vector<GameSummary>& games);
// A line for the list: "2026-12-11 20:15 - 1987, 2015 - 24 rolls - last: Roll 24 - Steal: CS",
// or "<file name> - cannot be read: <why>".
std::string summaryLine(const GameSummary& game);

// The games of one folder.
class GameLibrary {
 public:
  explicit GameLibrary(std::string folder);

  const std::string& folder() const { return folder_; }
  // Every game file, newest first, unreadable ones with the reason. A file unchanged since
  // the last listing is not read again.
  std::vector<GameSummary> list();
  // The summary of one file (read once, streaming).
  static GameSummary summarize(const std::string& path);

  // The game last played, as recorded by play (never by how the names sort): the path of
  // the recorded file when it is still there; else the game file written last.
  std::optional<std::string> lastPlayed() const;
  // Records `path` as the game last played (atomically: the old record or the new one).
  bool setLastPlayed(const std::string& path) const;

  // The whole game. Nothing recognised when it cannot be read.
  static ReadGame read(const std::string& path);
  // Why a game file cannot be read or added to by this version, or empty: a link, not a
  // regular file, too large, not a game file, a later format.
  static std::string problemWith(const std::string& path);

  // A copy of the game file at `destination` (the exchange format); false with `error` set.
  static bool exportTo(const std::string& path, const std::string& destination, std::string& error);
  // A game file from anywhere copied into the library under a name of its own; the file
  // read is never changed. The new game's path, or nullopt with `error` set.
  std::optional<std::string> importFrom(const std::string& source, std::string& error);

  // Deletes a game: moved aside until the next deletion, so undoDelete() can bring it back.
  // A game being played (by this copy or another) is refused.
  bool remove(const std::string& path, std::string& error);
  // Brings the game deleted last back; its path, or nullopt when there is none.
  std::optional<std::string> undoDelete(std::string& error);
  bool canUndoDelete() const;

  // A fresh name for a new game file, not yet taken: game-YYYYMMDD-HHMMSS-NNN.vntlog.
  std::string freshPath() const;

 private:
  struct Cached {
    std::int64_t size = 0;
    std::int64_t changed = 0;  // nanoseconds
    GameSummary summary;
  };
  std::string folder_;
  std::map<std::string, Cached> cache_;
};

}  // namespace vnt
