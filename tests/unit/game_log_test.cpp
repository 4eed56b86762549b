#include "shell/game_log.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "shell/form2.h"
#include "shell/game_book.h"
#include "tests/unit/test_support.h"
#include "tools/vnt_scenario/scenario.h"

namespace vnt {
namespace {

namespace fs = std::filesystem;
using testing::FakeDialogs;
using testing::QueuedDice;
using testing::WorkingFolder;

const std::string kSourceDir = VNT_SOURCE_DIR;

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<LogStep::Kind> kinds(const LogEntry& entry) {
  std::vector<LogStep::Kind> out;
  for (const LogStep& step : entry.steps) out.push_back(step.kind);
  return out;
}

// A roll fed straight into the log's hooks, as the window would: one die, the text shown.
void logRoll(GameLog& log, int value, const std::string& shown) {
  log.beginClick();
  log.die(log.describeDie(99, 0), Die{static_cast<std::int16_t>(value), false});
  log.shown(shown);
  log.endClick({shown, false, {}, {}});
}

// The window with the 2015 sample season chosen, in a folder of its own.
class WindowGame : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.made());
    for (const auto& file : fs::directory_iterator(kSourceDir + "/tests/fixtures/season_2015")) {
      fs::copy(file.path(), folder.path() / file.path().filename());
    }
    form.Form_Load();
    form.click(form.optYear[43]);
    form.click(form.cmdYear);
    ASSERT_TRUE(form.cmdChart[10].visible);
  }

  // A steal of second read "Dropped?", then the error roll: two rolls of one play.
  void stealDropped(int errorRoll) {
    form.click(form.cmdChart[10]);
    form.click(form.optJump[0]);
    dice.values = {91};
    form.click(form.cmdStealing);
    form.click(form.optError[0]);
    dice.values = {static_cast<std::int16_t>(errorRoll)};
    form.click(form.cmdStealError);
    form.click(form.cmdCancel);
  }

  WorkingFolder folder;
  QueuedDice dice;
  FakeDialogs dialogs;
  Form2 form{dice, dialogs};
};

// --- The lines of the file --------------------------------------------------------------------

TEST(GameLogLines, TextsSurviveTheRoundTripWhateverTheyHold) {
  const std::vector<std::string> texts = {
      "",         "Dropped?",    "say \"hi\"", "back\\slash", "\r\r\rLow throw", "a\nb\tc",
      "\x01\x7F", "Caf\xC3\xA9", "trailing ",  " leading",    "\\x41",
  };
  for (const std::string& text : texts) {
    const std::string line = "shown " + quoteLogText(text);
    EXPECT_EQ(line.find('\n'), std::string::npos) << text;
    EXPECT_EQ(line.find('\r'), std::string::npos) << text;
    const auto words = splitLogLine(line);
    ASSERT_TRUE(words.has_value()) << line;
    ASSERT_EQ(words->size(), 2u) << line;
    EXPECT_EQ((*words)[1], text);
  }
}

TEST(GameLogLines, LinesCutShortAreRefused) {
  for (const std::string line :
       {"shown \"Drop", "shown \"a\\", "shown \"a\\x4\"", "shown \"\\q\""}) {
    EXPECT_FALSE(splitLogLine(line).has_value()) << line;
  }
}

TEST(GameLogReader, SkipsWhatItDoesNotKnowAndWhatWasNeverFinished) {
  const std::string text =
      "vnt-assistant game log 3\n"
      "game \"2026-12-11 20:00:00 +01:00\" extra\n"
      "weather-forecast \"sunny\"\n"
      "roll 1 colour blue\n"
      "time \"t1\"\n"
      "chart \"Stealing\"\n"
      "selected \"Cold\" \"2nd field\"\n"
      "die 91 from 0 to 99 rolled \"the steal\" dice-colour red\n"
      "sparkle 7\n"
      "outcome \"Dropped?\"\n"
      "done 1\n"
      "roll 2 follows 1\n"
      "die 5 from 1 to 20 rolled \"x\"\n"  // the program stopped here
      "roll 3\n"
      "outcome \"CS\"\n"
      "done 4\n"  // not this roll's closing line
      "roll 5\n"
      "outcome \"SB\"\n"
      "done 5";  // cut short: no line feed
  const ReadGame game = readGameLog(text);
  EXPECT_TRUE(game.recognised);
  EXPECT_EQ(game.format, 3);
  EXPECT_EQ(game.started, "2026-12-11 20:00:00 +01:00");
  ASSERT_EQ(game.entries.size(), 1u);
  const LogEntry& first = game.entries[0];
  EXPECT_EQ(first.number, 1);
  EXPECT_EQ(first.chart, "Stealing");
  EXPECT_EQ(first.selections, std::vector<std::string>{"Cold"});
  ASSERT_EQ(first.steps.size(), 1u);
  EXPECT_EQ(first.steps[0].value, 91);
  EXPECT_EQ(first.outcome, "Dropped?");
  EXPECT_EQ(game.unfinished, 3);
  EXPECT_EQ(game.highestNumber, 5);
}

TEST(GameLogReader, SomethingElseIsNotAGame) {
  for (const std::string text : {"", "hello\n", "vnt-assistant game log\n", "roll 1\ndone 1\n"}) {
    const ReadGame game = readGameLog(text);
    EXPECT_FALSE(game.recognised) << text;
    EXPECT_TRUE(game.entries.empty()) << text;
  }
}

// --- What a game records ----------------------------------------------------------------------

// The scripted game of tests/scenarios/log: every roll in order, follow-ups grouped with the
// roll they follow, the question and its answer inside the bunt's roll.
TEST(GameLogOfAGame, ScriptedGameGivesTheExpectedEntries) {
  std::vector<LogEntry> entries;
  const auto outcome = scenario::play(kSourceDir + "/tests/scenarios/log/steal_bunt_quick.scn",
                                      [&](const Form2& form) {
                                        entries = form.gameLog().entries();
                                        return std::string();
                                      });
  ASSERT_TRUE(outcome.passed) << outcome.failure;
  ASSERT_EQ(entries.size(), 5u);

  std::vector<std::pair<int, int>> numbers;
  for (const LogEntry& entry : entries) numbers.emplace_back(entry.number, entry.follows);
  EXPECT_EQ(numbers, (std::vector<std::pair<int, int>>{{1, 0}, {2, 1}, {3, 0}, {4, 3}, {5, 0}}));

  for (const LogEntry& entry : entries) EXPECT_EQ(entry.season, "2015");
  EXPECT_EQ(entries[4].chart, "Quick dice");
  EXPECT_NE(entries[0].chart, "Quick dice");
  EXPECT_EQ(entries[0].chart, entries[1].chart);

  using K = LogStep::Kind;
  EXPECT_EQ(kinds(entries[0]), (std::vector<K>{K::Die, K::Shown}));
  EXPECT_EQ(entries[0].steps[0].text, "the steal, read against the base and the steal rating");
  EXPECT_EQ(entries[0].outcome, "Dropped?");
  EXPECT_EQ(entries[0].heading, "Dropped?");
  EXPECT_EQ(entries[0].explanation, "Catcher's Arm\rPitcher's Steal Rating");
  // The refused click between the two rolls rolled nothing and is no roll.
  EXPECT_EQ(kinds(entries[1]), (std::vector<K>{K::Die, K::Shown}));
  EXPECT_EQ(entries[1].outcome, "CS");
  EXPECT_EQ(entries[1].explanation, "\r\r\r\r\rLow throw is scooped out of dirt, CS.");

  const LogEntry& bunt = entries[2];
  const std::vector<K> buntKinds = kinds(bunt);
  ASSERT_EQ(std::count(buntKinds.begin(), buntKinds.end(), K::Question), 1);
  const auto question = std::find_if(bunt.steps.begin(), bunt.steps.end(),
                                     [](const LogStep& s) { return s.kind == K::Question; });
  EXPECT_EQ(question->text, "Are you bunting for a hit?");
  EXPECT_EQ(question->title, "Lead Out?");
  EXPECT_TRUE(question->yes);
  EXPECT_EQ(entries[3].outcome, "Infield Single");
  for (const LogEntry& entry : entries) {
    for (const LogStep& step : entry.steps) {
      if (step.kind == K::Die && !entry.chart.empty() && entry.chart != "Quick dice") {
        EXPECT_FALSE(step.text.empty()) << entry.chart << " die " << step.value;
      }
      EXPECT_FALSE(step.entered);
    }
  }
}

TEST_F(WindowGame, SelectionsAreInWordsAndLeaveTheWindowSettingsOut) {
  form.click(form.chkDiceRolls);
  stealDropped(20);
  const auto& entries = form.gameLog().entries();
  ASSERT_EQ(entries.size(), 2u);
  const auto& words = entries[0].selections;
  for (const std::string& word : words) {
    EXPECT_EQ(word.find("Show Dice Rolls"), std::string::npos);
    EXPECT_EQ(word.find('&'), std::string::npos) << word;
  }
  EXPECT_FALSE(words.empty());
  EXPECT_EQ(entries[0].button, withoutAccessKey(form.cmdStealing.caption));
}

TEST(GameLogText, ReadsAsTheWindowShowsIt) {
  LogEntry entry;
  entry.number = 7;
  entry.follows = 6;
  entry.time = "2026-12-11 20:15:03 +01:00";
  entry.season = "1987";
  entry.chart = "Stealing";
  entry.button = "Roll Dice";
  entry.selections = {"Adjusted Steal Rating 7", "Third Base", "Cold"};
  LogStep die;
  die.kind = LogStep::Kind::Die;
  die.value = 57;
  die.lower = 0;
  die.upper = 99;
  die.entered = true;
  die.text = "the steal";
  LogStep asked;
  asked.kind = LogStep::Kind::Question;
  asked.text = "Are you bunting for a hit?";
  asked.title = "Lead Out?";
  entry.steps = {die, asked};
  entry.outcome = "CS";
  entry.heading = "Crazy Play Result";
  entry.explanation = "\r\rLow throw\r\rscooped\r";
  EXPECT_EQ(entryText(entry),
            "Roll 7 - 2026-12-11 20:15:03 +01:00 - 1987 - Stealing\n"
            "  Follows roll 6\n"
            "  Pressed: Roll Dice\n"
            "  Selections: Adjusted Steal Rating 7, Third Base, Cold\n"
            "  Die: 57 (0 to 99, entered) - the steal\n"
            "  Asked: Are you bunting for a hit? (Lead Out?) - No\n"
            "  Outcome: CS\n"
            "  Crazy Play Result:\n"
            "    Low throw\n"
            "\n"
            "    scooped\n");
  LogEntry other;
  other.number = 8;
  other.outcome = "SB";
  EXPECT_EQ(logText({entry, other}), entryText(entry) + "\n" + entryText(other));

  EXPECT_EQ(findEntries({entry, other}, "low THROW"), std::vector<std::size_t>{0});
  EXPECT_EQ(findEntries({entry, other}, "Outcome: SB"), std::vector<std::size_t>{1});
  EXPECT_EQ(findEntries({entry, other}, ""), (std::vector<std::size_t>{0, 1}));
  EXPECT_TRUE(findEntries({entry, other}, "Home").empty());

  // The top of the Game Log: the latest outcome, the button when a roll had none.
  EXPECT_EQ(latestOutcome({}), "No rolls yet");
  EXPECT_EQ(latestRollLine({}), "");
  EXPECT_EQ(latestOutcome({entry}), "CS");
  EXPECT_EQ(latestRollLine({entry}), "Roll 7 - Stealing");
  entry.outcome.clear();
  EXPECT_EQ(latestOutcome({other, entry}), "Roll Dice");
}

// --- The game file ------------------------------------------------------------------------------

TEST_F(WindowGame, TheFileWrittenMatchesTheLogAndReadsBackEqual) {
  GameBook book(form.gameLog(), (folder.path() / "games").string());
  ASSERT_TRUE(book.newGame()) << book.writeError();
  stealDropped(20);
  stealDropped(7);
  const auto& entries = form.gameLog().entries();
  ASSERT_EQ(entries.size(), 4u);

  const std::string text = fileText(book.path());
  std::string expected;
  for (const LogEntry& entry : entries) {
    for (const std::string& line : entryLines(entry)) expected += line + "\n";
  }
  ASSERT_GE(text.size(), expected.size());
  EXPECT_EQ(text.substr(text.size() - expected.size()), expected);
  EXPECT_TRUE(text.starts_with("vnt-assistant game log 1\ngame \""));

  const ReadGame game = readGameFile(book.path());
  EXPECT_TRUE(game.recognised);
  EXPECT_EQ(game.unfinished, 0);
  EXPECT_EQ(game.entries, entries);
}

TEST_F(WindowGame, StartingAgainTakesUpTheLastGameAndNewGameStartsAnother) {
  const std::string games = (folder.path() / "games").string();
  std::string first;
  {
    GameBook book(form.gameLog(), games);
    ASSERT_TRUE(book.openLast());  // none yet: a new game
    stealDropped(20);
    first = book.path();
  }
  const std::vector<LogEntry> played = form.gameLog().entries();
  ASSERT_EQ(played.size(), 2u);

  GameBook book(form.gameLog(), games);
  form.gameLog().clear();
  ASSERT_TRUE(book.openLast());
  EXPECT_EQ(book.path(), first);
  EXPECT_EQ(form.gameLog().entries(), played);
  stealDropped(7);
  EXPECT_EQ(form.gameLog().entries().back().number, 4);
  EXPECT_EQ(readGameFile(first).entries, form.gameLog().entries());

  ASSERT_TRUE(book.newGame());
  EXPECT_NE(book.path(), first);
  EXPECT_TRUE(form.gameLog().entries().empty());
  stealDropped(20);
  EXPECT_EQ(form.gameLog().entries().front().number, 1);
  EXPECT_EQ(gameFiles(games), (std::vector<std::string>{first, book.path()}));
  EXPECT_EQ(readGameFile(first).entries.size(), 4u);
  EXPECT_EQ(readGameFile(book.path()).entries.size(), 2u);
}

// A second copy of the program started while the first still plays does not write into
// the first one's game.
TEST(GameBookFolder, AGameStillOpenElsewhereIsLeftToIt) {
  WorkingFolder folder("vnt_two_");
  ASSERT_TRUE(folder.made());
  const std::string games = (folder.path() / "games").string();
  GameLog first;
  GameBook firstBook(first, games);
  ASSERT_TRUE(firstBook.openLast());
  logRoll(first, 1, "first");

  GameLog second;
  GameBook secondBook(second, games);
  ASSERT_TRUE(secondBook.openLast());
  EXPECT_NE(secondBook.path(), firstBook.path());
  EXPECT_TRUE(second.entries().empty());
  logRoll(second, 2, "second");
  logRoll(first, 3, "first again");
  EXPECT_EQ(readGameFile(firstBook.path()).entries, first.entries());
  EXPECT_EQ(readGameFile(secondBook.path()).entries, second.entries());
}

TEST(GameBookFolder, FollowsTheDataHome) {
  using Env = std::map<std::string, std::string>;
  const std::vector<std::pair<Env, std::string>> cases = {
      {{{"XDG_DATA_HOME", "/data"}, {"HOME", "/home/p"}}, "/data/vnt-assistant/games"},
      {{{"XDG_DATA_HOME", "relative"}, {"HOME", "/home/p"}},
       "/home/p/.local/share/vnt-assistant/games"},
      {{{"HOME", "/home/p"}}, "/home/p/.local/share/vnt-assistant/games"},
      {{}, ""},
  };
  for (const auto& [variables, folder] : cases) {
    const Env& env = variables;
    EXPECT_EQ(gamesFolder([&](const char* name) -> std::optional<std::string> {
                const auto it = env.find(name);
                if (it == env.end()) return std::nullopt;
                return it->second;
              }),
              folder);
  }
}

// A process killed after N finished rolls, in the middle of the next one and even in the
// middle of a line, leaves N readable rolls; the next start adds to that game cleanly.
TEST(GameBookCrash, AKilledProcessLeavesEveryFinishedRoll) {
  for (const int finished : {0, 1, 5}) {
    WorkingFolder folder("vnt_crash_");
    ASSERT_TRUE(folder.made());
    const std::string games = (folder.path() / "games").string();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      GameLog log;
      GameBook book(log, games);
      if (!book.newGame()) _exit(2);
      for (int i = 0; i < finished; ++i) logRoll(log, i, "roll " + std::to_string(i));
      log.beginClick();
      log.die(log.describeDie(99, 0), Die{42, false});
      const int fd = ::open(book.path().c_str(), O_WRONLY | O_APPEND);
      if (fd < 0 || ::write(fd, "shown \"half a li", 16) != 16) _exit(3);
      ::kill(::getpid(), SIGKILL);
      _exit(4);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "exit " << WEXITSTATUS(status);

    const std::vector<std::string> files = gameFiles(games);
    ASSERT_EQ(files.size(), 1u);
    const ReadGame game = readGameFile(files[0]);
    ASSERT_TRUE(game.recognised);
    ASSERT_EQ(game.entries.size(), static_cast<std::size_t>(finished));
    for (int i = 0; i < finished; ++i) {
      EXPECT_EQ(game.entries[i].outcome, "roll " + std::to_string(i));
    }
    EXPECT_EQ(game.unfinished, 1);

    GameLog log;
    GameBook book(log, games);
    ASSERT_TRUE(book.openLast());
    EXPECT_EQ(book.path(), files[0]);
    EXPECT_EQ(log.entries().size(), static_cast<std::size_t>(finished));
    logRoll(log, 9, "after");
    const ReadGame again = readGameFile(files[0]);
    ASSERT_EQ(again.entries.size(), static_cast<std::size_t>(finished + 1));
    EXPECT_EQ(again.entries.back().outcome, "after");
    EXPECT_EQ(again.entries.back().number, finished + 2);  // the killed roll keeps its number
  }
}

// A folder that cannot be made or written: one message, and the game goes on in memory.
TEST_F(WindowGame, AnUnwritableFolderGivesOneMessageAndPlayGoesOn) {
  testing::WorkingFolder::write("not-a-folder", "x");
  const std::vector<std::string> folders = {(folder.path() / "not-a-folder" / "games").string(),
                                            (folder.path() / "read-only").string()};
  fs::create_directory(folder.path() / "read-only");
  fs::permissions(folder.path() / "read-only", fs::perms::owner_read | fs::perms::owner_exec);
  const bool root = ::geteuid() == 0;  // root writes into a read-only folder anyway
  for (const std::string& games : folders) {
    if (root && games.ends_with("read-only")) continue;
    form.gameLog().clear();
    GameBook book(form.gameLog(), games);
    EXPECT_FALSE(book.openLast()) << games;
    EXPECT_FALSE(book.writing());
    const std::string message = book.takeWriteError();
    EXPECT_TRUE(message.starts_with("The game log cannot be saved (")) << message;
    EXPECT_NE(message.find("Play goes on"), std::string::npos) << message;
    EXPECT_EQ(book.takeWriteError(), "");
    EXPECT_EQ(book.writeError(), message);

    stealDropped(20);
    EXPECT_EQ(form.Text1.caption, "CS");
    EXPECT_EQ(form.gameLog().entries().size(), 2u);
    // Trying again into the same folder is the same trouble, not a new message.
    EXPECT_FALSE(book.newGame());
    EXPECT_EQ(book.takeWriteError(), "");
  }
}

// A disk that fills up in the middle of a game (here a file size limit): the rolls written
// so far stay readable, one message, and the game goes on.
TEST(GameBookFull, ADiskFillingUpStopsTheFileNotTheGame) {
  WorkingFolder folder("vnt_full_");
  ASSERT_TRUE(folder.made());
  const std::string games = (folder.path() / "games").string();
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    GameLog log;
    GameBook book(log, games);
    if (!book.newGame()) _exit(2);
    const rlimit limit{600, 600};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(3);
    int messages = 0;
    for (int i = 0; i < 20; ++i) {
      logRoll(log, i, "roll " + std::to_string(i));
      if (!book.takeWriteError().empty()) ++messages;
    }
    if (book.writing() || messages != 1 || log.entries().size() != 20) _exit(4);
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 0);
  const ReadGame game = readGameFile(gameFiles(games).at(0));
  EXPECT_TRUE(game.recognised);
  EXPECT_GE(game.entries.size(), 1u);
  EXPECT_LT(game.entries.size(), 20u);
  for (std::size_t i = 0; i < game.entries.size(); ++i) {
    EXPECT_EQ(game.entries[i].outcome, "roll " + std::to_string(i));
  }
}

}  // namespace
}  // namespace vnt
