// A game file is read back at every start: whatever it holds, the reader keeps within its
// limits and the log numbers the next roll without overflow.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "shell/game_log.h"

namespace vnt {
namespace {

const std::string kHeader = "vnt-assistant game log 1\ngame \"2026-12-11 20:15:03 +01:00\"\n";
const std::string kCut(kLogTextCut);

// A game file holding one finished roll with these lines.
std::string oneRoll(const std::string& lines) {
  return kHeader + "roll 1\nchart \"Stealing\"\n" + lines + "done 1\n";
}

std::string repeated(const std::string& piece, std::size_t bytes) {
  std::string out;
  out.reserve(bytes + piece.size());
  while (out.size() < bytes) out += piece;
  return out;
}

std::string lines(const std::string& line, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += line + "\n";
  return out;
}

// No UTF-8 sequence is left unfinished at the end.
bool endsOnWholeCharacter(const std::string& text) {
  std::size_t lead = text.size();
  while (lead > 0 && (static_cast<unsigned char>(text[lead - 1]) & 0xC0) == 0x80) --lead;
  if (lead == 0) return text.empty();
  const auto byte = static_cast<unsigned char>(text[lead - 1]);
  const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
  return lead - 1 + length == text.size();
}

constexpr std::size_t kOneMegabyte = 1024 * 1024;
constexpr std::size_t kTenMegabytes = 10 * kOneMegabyte;

struct HostileCase {
  const char* what;
  std::string file;
  std::function<void(const ReadGame&)> check;
};

// The first roll's outcome is the first `kept` bytes of `expected`, cut and marked, and
// reads back as it is.
std::function<void(const ReadGame&)> outcomeCut(std::string expected, std::size_t kept) {
  return [expected = std::move(expected), kept](const ReadGame& game) {
    ASSERT_EQ(game.entries.size(), 1u);
    const std::string& outcome = game.entries[0].outcome;
    EXPECT_EQ(outcome.size(), kept + kCut.size());
    EXPECT_LE(outcome.size(), kMaxLogText);
    EXPECT_EQ(splitLogLine("outcome " + quoteLogText(outcome))->at(1), outcome);
    EXPECT_TRUE(outcome.ends_with(kCut));
    EXPECT_EQ(outcome.substr(0, kept), expected.substr(0, kept));
    EXPECT_TRUE(endsOnWholeCharacter(outcome.substr(0, kept)));
    EXPECT_EQ(game.shortened, 1);
  };
}

TEST(GameLogHostileFile, EveryTextLineAndRollIsKeptWithinItsLimits) {
  const std::string words = repeated("word ", kTenMegabytes);
  const std::string solid(kTenMegabytes, 'W');
  const std::string solidMegabyte(kOneMegabyte, 'W');
  // Two-byte characters after a letter or two: the cut falls inside one.
  const std::size_t keptBytes = kMaxLogText - kCut.size();
  const std::string accented =
      std::string(keptBytes % 2 == 0 ? "a" : "ab") + repeated("\xC3\xA9", kMaxLogText);
  const std::string atLimit(kMaxLogText, 'x');
  const std::vector<HostileCase> cases = {
      {"a 10 MB outcome of words", oneRoll("outcome \"" + words + "\"\n"),
       outcomeCut(words, kMaxLogText - kCut.size())},
      {"a 10 MB outcome without blanks", oneRoll("outcome \"" + solid + "\"\n"),
       outcomeCut(solid, kMaxLogText - kCut.size())},
      {"a 4 MB outcome of escapes",
       oneRoll("outcome \"" + repeated("\\x01", 4 * kOneMegabyte) + "\"\n"),
       outcomeCut(std::string(kMaxLogText, '\x01'), kMaxLogText - kCut.size())},
      {"a cut inside a character", oneRoll("outcome \"" + accented + "\"\n"),
       outcomeCut(accented, keptBytes - 1)},
      {"a text exactly at the limit", oneRoll("outcome \"" + atLimit + "\"\n"),
       [&](const ReadGame& game) {
         ASSERT_EQ(game.entries.size(), 1u);
         EXPECT_EQ(game.entries[0].outcome, atLimit);
         EXPECT_EQ(game.shortened, 0);
       }},
      {"a 1 MB bare word", oneRoll("outcome \"CS\" " + solidMegabyte + "\n"),
       [](const ReadGame& game) {
         ASSERT_EQ(game.entries.size(), 1u);
         EXPECT_EQ(game.entries[0].outcome, "CS");
       }},
      {"a line of a million words", oneRoll("selected \"Cold\"" + repeated(" x", 2'000'000) + "\n"),
       [](const ReadGame& game) {
         ASSERT_EQ(game.entries.size(), 1u);
         EXPECT_EQ(game.entries[0].selections, std::vector<std::string>{"Cold"});
         EXPECT_EQ(game.shortened, 1);
       }},
      {"a roll of 100 000 steps", oneRoll(lines("shown \"CS\"", 100'000)),
       [](const ReadGame& game) {
         ASSERT_EQ(game.entries.size(), 1u);
         EXPECT_EQ(game.entries[0].steps.size(), kMaxLogSteps);
         EXPECT_EQ(game.shortened, 1);
       }},
      {"a roll of 100 000 second charts", oneRoll(lines("chart \"Error\"", 100'000)),
       [](const ReadGame& game) {
         ASSERT_EQ(game.entries.size(), 1u);
         EXPECT_EQ(game.entries[0].chart, "Stealing");
         EXPECT_EQ(game.entries[0].steps.size(), kMaxLogSteps);
       }},
      {"a roll of 100 000 selections", oneRoll(lines("selected \"Cold\"", 100'000)),
       [](const ReadGame& game) {
         ASSERT_EQ(game.entries.size(), 1u);
         EXPECT_EQ(game.entries[0].selections.size(), kMaxLogSelections);
         EXPECT_EQ(game.shortened, 1);
       }},
      {"a 1 MB line between rolls",
       kHeader + "note \"" + solidMegabyte + "\"\n" + oneRoll("").substr(kHeader.size()),
       [](const ReadGame& game) {
         EXPECT_EQ(game.entries.size(), 1u);
         EXPECT_EQ(game.shortened, 0);
       }},
      {"an explanation without a text", oneRoll("explanation \"Dropped?\" \"\"\n"),
       [](const ReadGame& game) {
         // The program never writes one: a heading alone would not survive being written again.
         ASSERT_EQ(game.entries.size(), 1u);
         EXPECT_EQ(game.entries[0].heading, "");
       }},
      {"a 1 MB roll never finished", kHeader + "roll 1\noutcome \"" + solidMegabyte + "\"\n",
       [](const ReadGame& game) {
         EXPECT_TRUE(game.entries.empty());
         EXPECT_EQ(game.unfinished, 1);
       }},
  };
  for (const HostileCase& c : cases) {
    SCOPED_TRACE(c.what);
    const ReadGame game = readGameLog(c.file);
    EXPECT_TRUE(game.recognised);
    c.check(game);
  }
}

TEST(GameLogHostileFile, SplittingALineKeepsItsFirstWordsAndCutsLongOnes) {
  const auto words = splitLogLine("die 5 from 1 to 20 rolled \"x\"" + repeated(" 7", 1000));
  ASSERT_TRUE(words.has_value());
  EXPECT_EQ(words->size(), kMaxLogLineWords);
  EXPECT_EQ((*words)[7], "x");
  // Words past the kept ones are still checked: a line cut short is refused.
  EXPECT_FALSE(splitLogLine("shown \"x\"" + repeated(" 7", 1000) + " \"unclosed").has_value());
  const auto longWord = splitLogLine("shown \"" + std::string(kMaxLogText + 1, 'x') + "\"");
  ASSERT_TRUE(longWord.has_value());
  EXPECT_EQ((*longWord)[1], std::string(kMaxLogText - kCut.size(), 'x') + kCut);
}

// So many rolls that keeping them all would swell the program: the latest are kept.
TEST(GameLogHostileFile, AGameTooLargeToKeepKeepsItsLatestRolls) {
  const int rolls = static_cast<int>(kMaxLogKept / sizeof(LogEntry)) + 1000;
  std::string file = kHeader;
  for (int n = 1; n <= rolls; ++n) {
    file += "roll " + std::to_string(n) + "\ndone " + std::to_string(n) + "\n";
  }
  const ReadGame game = readGameLog(file);
  ASSERT_FALSE(game.entries.empty());
  EXPECT_GE(game.leftOut, 1000);
  EXPECT_EQ(game.leftOut + static_cast<int>(game.entries.size()), rolls);
  EXPECT_EQ(game.entries.front().number, game.leftOut + 1);
  EXPECT_EQ(game.entries.back().number, rolls);
  EXPECT_EQ(game.highestNumber, rolls);
}

// --- Numbering after the file's highest roll ------------------------------------------------

int nextRollNumber(GameLog& log) {
  log.beginClick();
  log.shown("CS");
  log.endClick({"CS", false, {}, {}});
  return log.entries().back().number;
}

TEST(GameLogNumbering, TheNextRollNeverOverflowsWhateverTheFileSays) {
  struct Case {
    const char* what;
    std::string file;
    std::vector<int> next;  // the numbers of the next rolls
  };
  const std::vector<Case> cases = {
      {"an ordinary game", kHeader + "roll 7\ndone 7\n", {8, 9}},
      {"the last number", kHeader + "roll 2147483647\ndone 2147483647\n", {INT_MAX, INT_MAX}},
      {"one below it", kHeader + "roll 2147483646\ndone 2147483646\n", {INT_MAX, INT_MAX}},
      {"the last number, never finished", kHeader + "roll 2147483647\n", {INT_MAX}},
      {"a number past it", kHeader + "roll 2147483648\ndone 2147483648\n", {1}},
      {"negative numbers", kHeader + "roll -2147483648\ndone -2147483648\n", {1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ReadGame game = readGameLog(c.file);
    GameLog log;
    log.setClock([] { return std::string("t"); });
    log.restore(std::move(game.entries), game.highestNumber);
    for (const int expected : c.next) EXPECT_EQ(nextRollNumber(log), expected);
  }
}

// What a game that has run out of numbers writes still reads back, roll by roll.
TEST(GameLogNumbering, RollsAtTheLastNumberReadBack) {
  struct Lines final : GameLogSink {
    void line(const std::string& text) override { file += text + "\n"; }
    void entryDone() override {}
    std::string file = kHeader;
  } sink;
  GameLog log;
  log.setClock([] { return std::string("t"); });
  log.setSink(&sink);
  log.restore({}, INT_MAX);
  nextRollNumber(log);
  nextRollNumber(log);
  const ReadGame game = readGameLog(sink.file);
  ASSERT_EQ(game.entries.size(), 2u);
  EXPECT_EQ(game.entries, log.entries());
}

}  // namespace
}  // namespace vnt
