#pragma once

// The game files: one file per game, written line by line as the rolls happen, so a crash
// or a power cut loses no finished roll. The format is described in docs/game-log.md.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "shell/game_library.h"
#include "shell/game_log.h"

namespace vnt {

// The folder of game files: $XDG_DATA_HOME/vnt-assistant/games, or
// ~/.local/share/vnt-assistant/games when XDG_DATA_HOME is unset or not absolute. Empty
// when not even HOME is known. `env` reads an environment variable.
std::string gamesFolder(const std::function<std::optional<std::string>(const char*)>& env);
// The same from the process environment.
std::string gamesFolder();

// The game files of `folder`, by name (their names sort by when they were started; which
// game is taken up at start is recorded, see GameLibrary::lastPlayed).
std::vector<std::string> gameFiles(const std::string& folder);

// The whole of a game file, read back. Nothing recognised when it cannot be read.
ReadGame readGameFile(const std::string& path);

// Keeps a GameLog's rolls in the game files of one folder. A front end makes one after its
// window (so it goes before the window's log), calls openLast() at start, newGame() for
// "New Game" and continueGame() for a game of the list, and after each of those and each
// click shows takeNotice() and takeWriteError() when not empty.
// A file that cannot be written (a read-only folder, a full disk) stops the writing, never
// the game: the log goes on in memory and writeError() says what happened. A game's file is
// made at its first roll, so a start without a roll leaves no file behind.
// Each game file is held with flock while it is written: a second running copy of the
// program never writes into it, and continues a game of its own instead (both are listed).
class GameBook final : public GameLogSink {
 public:
  // The log's sink is set to this book while it lives.
  GameBook(GameLog& log, std::string folder);
  ~GameBook() override;
  GameBook(const GameBook&) = delete;
  GameBook& operator=(const GameBook&) = delete;

  // At start: takes up the game last played again (its rolls are read only when shown; new
  // rolls are added to its file). A new game when there is none, or when it cannot be
  // taken up: then takeNotice() says why. False when the game is not being written.
  bool openLast();
  // "New Game": an empty log and, from its first roll, a file of its own. The game played so
  // far stays in the library. False when it is not being written.
  bool newGame();
  // Continues a game of the library: its rolls come back into the log and new rolls are
  // added to its file. False, with takeNotice() saying why, when it cannot be continued;
  // the game under way then goes on as it was.
  bool continueGame(const std::string& path);

  // The file being written, or the one that failed; empty before a new game's first roll.
  const std::string& path() const { return path_; }
  // The game is being written (or will be from its first roll).
  bool writing() const { return fd_ >= 0 || fresh_; }
  // Why the game is not being written, in words for the player; empty while all is well.
  const std::string& writeError() const { return error_; }
  // writeError() the first time it is asked for after something failed, else empty: the
  // front end shows this once and play goes on.
  std::string takeWriteError();
  // Why a game was not taken up or continued, once, in words for the player; else empty.
  std::string takeNotice();

  GameLibrary& library() { return library_; }

  // GameLogSink
  void line(const std::string& text) override;
  void entryDone() override;

 private:
  struct TakenUp;
  std::optional<TakenUp> takeUp(const std::string& path, std::string& why);
  void startWriting(TakenUp&& game);
  bool createFile();
  void recordLastPlayed();
  void fail(const std::string& what, int errorNumber);
  void closeFile();
  bool writeAll(const std::string& bytes);

  GameLog& log_;
  GameLibrary library_;
  std::string folder_;
  std::string path_;
  int fd_ = -1;
  bool fresh_ = false;     // a new game whose file is made at its first line
  bool recorded_ = false;  // this game is named as the one last played
  std::string error_;
  bool errorTaken_ = true;
  std::string notice_;
};

}  // namespace vnt
