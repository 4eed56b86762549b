#pragma once

// The game files: one file per game, written line by line as the rolls happen, so a crash
// or a power cut loses no finished roll. The format is described in docs/game-log.md.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "shell/game_log.h"

namespace vnt {

// The folder of game files: $XDG_DATA_HOME/vnt-assistant/games, or
// ~/.local/share/vnt-assistant/games when XDG_DATA_HOME is unset or not absolute. Empty
// when not even HOME is known. `env` reads an environment variable.
std::string gamesFolder(const std::function<std::optional<std::string>(const char*)>& env);
// The same from the process environment.
std::string gamesFolder();

// The game files of `folder`, oldest first (their names sort by when they were started).
std::vector<std::string> gameFiles(const std::string& folder);

// The whole of a game file, read back. Nothing recognised when it cannot be read.
ReadGame readGameFile(const std::string& path);

// Keeps a GameLog's rolls in the game files of one folder. A front end makes one after its
// window (so it goes before the window's log), calls openLast() at start and newGame() for
// "New Game", and after each of those and each click shows takeWriteError() when not empty.
// A file that cannot be written (a read-only folder, a full disk) stops the writing, never
// the game: the log goes on in memory and writeError() says what happened.
class GameBook final : public GameLogSink {
 public:
  // The log's sink is set to this book while it lives.
  GameBook(GameLog& log, std::string folder);
  ~GameBook() override;
  GameBook(const GameBook&) = delete;
  GameBook& operator=(const GameBook&) = delete;

  // At start: takes up the newest game of the folder again (its finished rolls come back
  // into the log, new rolls are added to its file); a new game when there is none, or it is
  // not a game file this version can add to. False when the game is not being written.
  bool openLast();
  // "New Game": an empty log and a file of its own. False when it is not being written.
  bool newGame();

  // The file being written, or the one that failed.
  const std::string& path() const { return path_; }
  bool writing() const { return fd_ >= 0; }
  // Why the game is not being written, in words for the player; empty while all is well.
  const std::string& writeError() const { return error_; }
  // writeError() the first time it is asked for after something failed, else empty: the
  // front end shows this once and play goes on.
  std::string takeWriteError();

  // GameLogSink
  void line(const std::string& text) override;
  void entryDone() override;

 private:
  void fail(const std::string& what, int errorNumber);
  void closeFile();
  bool writeAll(const std::string& bytes);

  GameLog& log_;
  std::string folder_;
  std::string path_;
  int fd_ = -1;
  std::string error_;
  bool errorTaken_ = true;
};

}  // namespace vnt
