// The games library: every game kept and listed newest first, the game last played taken up
// at start by what play recorded, games that cannot be taken up named with the reason, and
// delete, undo, export and import over a temporary games folder.

#include "shell/game_library.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "shell/game_book.h"
#include "tests/unit/test_support.h"

namespace vnt {
namespace {

namespace fs = std::filesystem;
using testing::WorkingFolder;

std::string fileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void writeFile(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// A log whose clock and window are set by the test.
struct Table {
  GameLog log;
  std::string time = "2026-12-11 20:00:00 +01:00";
  std::string season = "1987";
  Table() {
    log.setClock([this] { return time; });
    log.setContext([this] { return LogContext{"Stealing", season, false}; });
  }
  // One roll, fed into the log's hooks as the window would.
  void roll(int value, const std::string& outcome, const std::string& at) {
    time = at;
    log.beginClick();
    log.die(log.describeDie(99, 0), Die{static_cast<std::int16_t>(value), false});
    log.shown(outcome);
    log.endClick({outcome, false, {}, {}});
  }
};

std::vector<std::string> paths(const std::vector<GameSummary>& games) {
  std::vector<std::string> out;
  for (const GameSummary& game : games) out.push_back(game.path);
  return out;
}

class GameLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder.made()); }
  WorkingFolder folder{"vnt_library_"};
  const std::string games = (folder.path() / "games").string();
};

TEST(GameTimes, TimesWithTheirOffsetsCompareAsOneClock) {
  EXPECT_EQ(logTimeSeconds("1970-01-01 00:00:00 +00:00"), 0);
  EXPECT_EQ(logTimeSeconds("2026-12-11 20:15:03 +01:00"),
            logTimeSeconds("2026-12-11 19:15:03 +00:00"));
  EXPECT_EQ(logTimeSeconds("2026-12-11 14:15:03 -05:00"),
            logTimeSeconds("2026-12-11 19:15:03 +00:00"));
  EXPECT_EQ(
      *logTimeSeconds("2024-03-01 00:00:00 +00:00") - *logTimeSeconds("2024-02-28 00:00:00 +00:00"),
      2 * 86400);  // a leap year
  for (const char* bad : {"", "2026-12-11 20:15:03", "2026-13-11 20:15:03 +01:00",
                          "2026-12-11T20:15:03 +01:00", "yyyy-12-11 20:15:03 +01:00"}) {
    EXPECT_EQ(logTimeSeconds(bad), std::nullopt) << bad;
  }
}

// New Game keeps the game before; the list shows both, newest first, with what was played.
TEST_F(GameLibraryTest, NewGameKeepsTheOldOneAndTheListSaysWhatEachHolds) {
  Table table;
  GameBook book(table.log, games);
  ASSERT_TRUE(book.openLast());
  table.roll(12, "SB", "2026-12-11 20:05:00 +01:00");
  table.season = "2015";
  table.roll(91, "CS", "2026-12-11 20:09:00 +01:00");
  const std::string first = book.path();
  ASSERT_TRUE(book.newGame());
  EXPECT_TRUE(table.log.entries().empty());
  table.roll(5, "Out", "2026-12-12 19:30:00 +01:00");
  const std::string second = book.path();

  const std::vector<GameSummary> list = book.library().list();
  ASSERT_EQ(paths(list), (std::vector<std::string>{second, first}));
  const GameSummary& older = list[1];
  EXPECT_TRUE(older.readable);
  EXPECT_EQ(older.rolls, 2);
  EXPECT_EQ(older.seasons, (std::vector<std::string>{"1987", "2015"}));
  EXPECT_EQ(older.lastTime, "2026-12-11 20:09:00 +01:00");
  EXPECT_EQ(older.lastRoll, "Roll 2 - Stealing: CS");
  EXPECT_EQ(summaryLine(older),
            "2026-12-11 20:09 - 1987, 2015 - 2 rolls - last: Roll 2 - Stealing: CS");
  EXPECT_EQ(list[0].rolls, 1);
  EXPECT_EQ(GameLibrary::read(first).entries.size(), 2u);
}

// The order is by when each game was last played, whatever the names say.
TEST_F(GameLibraryTest, TheListIsNewestFirstByLastRollNotByName) {
  fs::create_directories(games);
  const auto game = [](const std::string& time) {
    return "vnt-assistant game log 1\ngame \"" + time + "\"\nroll 1\ntime \"" + time +
           "\"\nchart \"Jump\"\noutcome \"Yes\"\ndone 1\n";
  };
  writeFile(fs::path(games) / "game-world-series-final.vntlog", game("2026-10-30 22:00:00 -04:00"));
  writeFile(fs::path(games) / "game-20261211-190000-001.vntlog",
            game("2026-12-11 20:00:00 +01:00"));
  writeFile(fs::path(games) / "game-20261212-010000-001.vntlog",
            game("2026-12-11 21:00:00 -05:00"));
  writeFile(fs::path(games) / "notes.txt", "not a game");
  GameLibrary library(games);
  EXPECT_EQ(paths(library.list()),
            (std::vector<std::string>{games + "/game-20261212-010000-001.vntlog",
                                      games + "/game-20261211-190000-001.vntlog",
                                      games + "/game-world-series-final.vntlog"}));
}

// A player continues an older game; the next start takes up the game last played, even
// though a newer one, by name and by start, is in the folder.
TEST_F(GameLibraryTest, AContinuedOlderGameIsTheOneTakenUpNextTime) {
  std::string older;
  std::string newer;
  {
    Table table;
    GameBook book(table.log, games);
    ASSERT_TRUE(book.openLast());
    table.roll(1, "first", "2026-12-11 20:00:00 +01:00");
    table.roll(2, "second", "2026-12-11 20:01:00 +01:00");
    older = book.path();
    ASSERT_TRUE(book.newGame());
    table.roll(3, "other", "2026-12-11 20:02:00 +01:00");
    newer = book.path();
    ASSERT_TRUE(book.continueGame(older));
    EXPECT_EQ(book.takeNotice(), "");
    ASSERT_EQ(table.log.entries().size(), 2u);
    table.roll(4, "third", "2026-12-11 20:03:00 +01:00");
    EXPECT_EQ(table.log.entries().back().number, 3);
  }
  // Renamed to sort last: still not the game last played.
  fs::rename(newer, fs::path(games) / "game-zz-world-series-final.vntlog");

  Table again;
  GameBook book(again.log, games);
  ASSERT_TRUE(book.openLast());
  EXPECT_EQ(book.path(), older);
  EXPECT_EQ(book.takeNotice(), "");
  const std::vector<LogEntry>& entries = again.log.entries();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries.back().outcome, "third");
  again.roll(5, "fourth", "2026-12-11 22:00:00 +01:00");
  EXPECT_EQ(again.log.entries().back().number, 4);
  EXPECT_EQ(GameLibrary::read(older).entries, again.log.entries());
}

// A game taken up at start is read when the log is first looked at: rolls played before that
// come after its own, a roll longer than the part read at start still numbers on, and a New
// Game before that shows none of them.
TEST_F(GameLibraryTest, AGameTakenUpIsReadWhenShownInOrder) {
  {
    Table table;
    GameBook book(table.log, games);
    ASSERT_TRUE(book.openLast());
    table.roll(1, "one", "2026-12-11 20:00:00 +01:00");
    table.roll(2, std::string(100 * 1024, 'x'), "2026-12-11 20:01:00 +01:00");  // > the tail
  }
  Table table;
  GameBook book(table.log, games);
  ASSERT_TRUE(book.openLast());
  table.roll(3, "three", "2026-12-11 21:00:00 +01:00");
  const std::vector<LogEntry>& entries = table.log.entries();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].outcome, "one");
  // The file keeps the whole text; what is read back is cut as every reader cuts it.
  EXPECT_EQ(entries[1].outcome.size(), kMaxLogText);
  EXPECT_TRUE(entries[1].outcome.ends_with(kLogTextCut));
  EXPECT_EQ(entries[2].outcome, "three");
  EXPECT_EQ(entries[2].number, 3);
  EXPECT_EQ(GameLibrary::read(book.path()).entries, entries);

  Table again;
  GameBook next(again.log, games);
  ASSERT_TRUE(next.openLast());
  ASSERT_TRUE(next.newGame());
  EXPECT_TRUE(again.log.entries().empty());
  again.roll(4, "new", "2026-12-11 22:00:00 +01:00");
  EXPECT_EQ(again.log.entries().front().number, 1);
}

// A start without a roll leaves no file, so it never hides the evening's game.
TEST_F(GameLibraryTest, AStartWithoutARollLeavesNoFile) {
  std::string played;
  {
    Table table;
    GameBook book(table.log, games);
    ASSERT_TRUE(book.openLast());
    table.roll(1, "one", "2026-12-11 20:00:00 +01:00");
    played = book.path();
  }
  for (int start = 0; start < 3; ++start) {
    Table table;
    GameBook book(table.log, games);
    ASSERT_TRUE(book.openLast());
    ASSERT_TRUE(book.newGame());  // and a New Game without a roll either
  }
  EXPECT_EQ(gameFiles(games), std::vector<std::string>{played});
}

// Two copies of the program on one folder: the second plays a game of its own, is told so
// once, and both games are listed; neither writes into the other's file.
TEST_F(GameLibraryTest, ASecondCopyPlaysItsOwnGameAndBothAreListed) {
  Table first;
  GameBook firstBook(first.log, games);
  ASSERT_TRUE(firstBook.openLast());
  first.roll(1, "first", "2026-12-11 20:00:00 +01:00");

  Table second;
  GameBook secondBook(second.log, games);
  ASSERT_TRUE(secondBook.openLast());
  const std::string notice = secondBook.takeNotice();
  EXPECT_NE(notice.find("open in another running copy of VNT Assistant"), std::string::npos)
      << notice;
  EXPECT_EQ(secondBook.takeNotice(), "");
  EXPECT_TRUE(second.log.entries().empty());
  second.roll(2, "second", "2026-12-11 20:01:00 +01:00");
  first.roll(3, "first again", "2026-12-11 20:02:00 +01:00");
  EXPECT_NE(firstBook.path(), secondBook.path());
  EXPECT_EQ(GameLibrary::read(firstBook.path()).entries, first.log.entries());
  EXPECT_EQ(GameLibrary::read(secondBook.path()).entries, second.log.entries());
  EXPECT_EQ(secondBook.library().list().size(), 2u);
  // Nor does the second continue the first's game from the list.
  EXPECT_FALSE(secondBook.continueGame(firstBook.path()));
  EXPECT_NE(secondBook.takeNotice().find("another running copy"), std::string::npos);
  EXPECT_EQ(second.log.entries().size(), 1u);
}

// A game the player made read-only (0444) is never added to, even by root; it stays in the
// list to be read, and the player is told why a new game began.
TEST_F(GameLibraryTest, AReadOnlyGameIsNotAddedToEvenByRoot) {
  std::string kept;
  {
    Table table;
    GameBook book(table.log, games);
    ASSERT_TRUE(book.openLast());
    table.roll(1, "one", "2026-12-11 20:00:00 +01:00");
    kept = book.path();
  }
  ASSERT_EQ(::chmod(kept.c_str(), 0444), 0);
  const std::string before = fileText(kept);

  Table table;
  GameBook book(table.log, games);
  ASSERT_TRUE(book.openLast());
  EXPECT_NE(book.path(), kept);
  const std::string notice = book.takeNotice();
  EXPECT_NE(notice.find("cannot be continued: the file is read-only"), std::string::npos) << notice;
  table.roll(2, "two", "2026-12-11 21:00:00 +01:00");
  EXPECT_EQ(fileText(kept), before);
  EXPECT_FALSE(book.continueGame(kept));
  EXPECT_EQ(fileText(kept), before);
  const std::vector<GameSummary> list = book.library().list();
  ASSERT_EQ(list.size(), 2u);
  EXPECT_TRUE(list[1].readable);
  EXPECT_EQ(list[1].path, kept);
}

// Files that are no game this version can read are listed with the reason, and one named as
// the game last played is not taken up: said once, a new game begins, the file untouched.
TEST_F(GameLibraryTest, FilesThatAreNoGameAreListedWithTheReason) {
  struct Case {
    const char* name;
    std::string text;
    const char* why;
  };
  const std::vector<Case> cases = {
      {"garbage",
       "\x7f"
       "ELF binary\n\x01\x02",
       "it is not a game file"},
      {"later", "vnt-assistant game log 2\ngame \"2026-12-11 20:00:00 +01:00\"\n",
       "it was written by a later version of VNT Assistant"},
      {"empty", "", "it is empty"},
      {"link", "", "it is a link to another file, not a game file"},
      {"huge", "", "it is larger than any game file (over 64 MB)"},
  };
  fs::create_directories(games);
  writeFile(folder.path() / "elsewhere.vntlog", "vnt-assistant game log 1\n");
  for (const Case& c : cases) {
    const fs::path path = fs::path(games) / ("game-" + std::string(c.name) + ".vntlog");
    if (std::string(c.name) == "link") {
      fs::create_symlink(folder.path() / "elsewhere.vntlog", path);
    } else {
      writeFile(path, c.text);
    }
    if (std::string(c.name) == "huge") fs::resize_file(path, kLargestGameFile + 1);  // sparse
    const bool small = !fs::is_symlink(path) && fs::file_size(path) < 4096;
    const std::string before = small ? fileText(path) : "";

    GameLibrary library(games);
    ASSERT_TRUE(library.setLastPlayed(path.string()));
    Table table;
    GameBook book(table.log, games);
    ASSERT_TRUE(book.openLast()) << c.name;
    const std::string notice = book.takeNotice();
    EXPECT_NE(notice.find(std::string("cannot be continued: ") + c.why), std::string::npos)
        << c.name << ": " << notice;
    EXPECT_EQ(book.takeNotice(), "");
    EXPECT_TRUE(table.log.entries().empty());
    if (small) {
      EXPECT_EQ(fileText(path), before) << c.name;
    }

    bool listed = false;
    for (const GameSummary& game : library.list()) {
      if (game.path != path.string()) continue;
      listed = true;
      EXPECT_FALSE(game.readable) << c.name;
      EXPECT_EQ(game.whyNot, c.why) << c.name;
      EXPECT_EQ(summaryLine(game), path.filename().string() + " - cannot be read: " + c.why);
    }
    EXPECT_TRUE(listed) << c.name;
  }
}

// Deleting moves the game aside until the next deletion; undo brings it back whole. A game
// being played is not deleted.
TEST_F(GameLibraryTest, DeleteCanBeUndoneAndSparesTheGameInPlay) {
  Table table;
  GameBook book(table.log, games);
  ASSERT_TRUE(book.openLast());
  table.roll(1, "a", "2026-12-11 20:00:00 +01:00");
  const std::string a = book.path();
  const std::string text = fileText(a);
  ASSERT_TRUE(book.newGame());
  table.roll(2, "b", "2026-12-11 20:01:00 +01:00");
  const std::string b = book.path();

  GameLibrary library(games);
  std::string error;
  EXPECT_FALSE(library.remove(b, error));
  EXPECT_NE(error.find("being played"), std::string::npos) << error;
  EXPECT_FALSE(library.canUndoDelete());

  ASSERT_TRUE(library.remove(a, error)) << error;
  EXPECT_EQ(paths(library.list()), std::vector<std::string>{b});
  EXPECT_TRUE(library.canUndoDelete());
  EXPECT_EQ(library.undoDelete(error), a);
  EXPECT_EQ(fileText(a), text);
  EXPECT_EQ(library.list().size(), 2u);
  EXPECT_FALSE(library.canUndoDelete());
  EXPECT_EQ(library.undoDelete(error), std::nullopt);

  // A second deletion makes the first final: only the last one can come back.
  ASSERT_TRUE(book.newGame());
  table.roll(3, "c", "2026-12-11 20:02:00 +01:00");
  ASSERT_TRUE(library.remove(a, error));
  ASSERT_TRUE(library.remove(b, error)) << "no longer in play after New Game: " << error;
  EXPECT_EQ(library.undoDelete(error), b);
  EXPECT_EQ(library.undoDelete(error), std::nullopt);
  EXPECT_FALSE(fs::exists(a));
  EXPECT_FALSE(library.remove(games + "/../elsewhere.vntlog", error));
}

// Export gives the game file byte for byte; import makes a game of the list from it and
// leaves the file read as it was; what is no game is refused and nothing is added.
TEST_F(GameLibraryTest, ExportAndImportCarryTheGameFileBetweenLibraries) {
  Table table;
  GameBook book(table.log, games);
  ASSERT_TRUE(book.openLast());
  table.roll(1, "one", "2026-12-11 20:00:00 +01:00");
  table.roll(2, "two", "2026-12-11 20:01:00 +01:00");
  std::string error;
  const fs::path exported = folder.path() / "evening.vntlog";
  ASSERT_TRUE(GameLibrary::exportTo(book.path(), exported.string(), error)) << error;
  EXPECT_EQ(fileText(exported), fileText(book.path()));

  ASSERT_EQ(::chmod(exported.c_str(), 0444), 0);
  const auto changed = fs::last_write_time(exported);
  const std::string other = (folder.path() / "other-games").string();
  GameLibrary library(other);
  const std::optional<std::string> imported = library.importFrom(exported.string(), error);
  ASSERT_TRUE(imported) << error;
  EXPECT_EQ(fs::last_write_time(exported), changed);
  EXPECT_EQ(fileText(*imported), fileText(book.path()));
  const std::vector<GameSummary> list = library.list();
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].rolls, 2);

  // Continued in the other library: the copy grows, the file imported does not.
  Table there;
  GameBook otherBook(there.log, other);
  ASSERT_TRUE(otherBook.continueGame(*imported));
  there.roll(3, "three", "2026-12-12 20:00:00 +01:00");
  EXPECT_EQ(GameLibrary::read(*imported).entries.size(), 3u);
  EXPECT_EQ(GameLibrary::read(exported.string()).entries.size(), 2u);

  writeFile(folder.path() / "later.vntlog", "vnt-assistant game log 9\n");
  writeFile(folder.path() / "text.txt", "Roll 1 - Stealing\n");
  for (const char* name : {"later.vntlog", "text.txt", "missing.vntlog"}) {
    EXPECT_EQ(library.importFrom((folder.path() / name).string(), error), std::nullopt) << name;
    EXPECT_TRUE(error.starts_with("Cannot import ")) << error;
  }
  EXPECT_EQ(library.list().size(), 1u);
  for (const auto& entry : fs::directory_iterator(other)) {
    EXPECT_FALSE(entry.path().filename().string().starts_with(".import")) << entry.path();
  }
}

// A disk that is full when a game's file is made (here a file size limit below the header):
// no empty game file is left, the player is told once, and the game goes on.
TEST_F(GameLibraryTest, AFullDiskLeavesNoEmptyGameFile) {
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    Table table;
    GameBook book(table.log, games);
    if (!book.openLast()) _exit(2);
    const rlimit limit{16, 16};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(3);
    int messages = 0;
    for (int i = 0; i < 3; ++i) {
      table.roll(i, "roll", "2026-12-11 20:00:00 +01:00");
      const std::string message = book.takeWriteError();
      if (!message.empty()) ++messages;
      if (!message.empty() && message.find("cannot be saved") == std::string::npos) _exit(4);
    }
    if (!book.newGame()) _exit(5);
    table.roll(9, "again", "2026-12-11 20:00:00 +01:00");
    if (!book.takeWriteError().empty()) ++messages;  // the same trouble: not news
    if (messages != 1 || book.writing() || table.log.entries().size() != 1) _exit(6);
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_TRUE(gameFiles(games).empty());
}

}  // namespace
}  // namespace vnt
