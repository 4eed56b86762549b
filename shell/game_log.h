#pragma once

// The game log: every roll of the evening as the model made it, in order. The window feeds
// it through a few hooks (a click begins and ends, a die is drawn, a text enters the
// history, a message box is shown or a question answered, the chart menu comes back); it
// keeps the finished rolls for a front end to show and hands each line to a sink (the game
// file) the moment it is known. The line format is described in docs/game-log.md.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/control.h"
#include "shell/dialogs.h"
#include "shell/dice.h"

namespace vnt {

// The version written in a log's first line. A reader skips lines and fields it does not
// know, so a later version only raises this when old readers would misread a file.
inline constexpr int kGameLogFormat = 1;
// The first line of every game file, followed by a blank and the format number.
inline constexpr std::string_view kGameLogHeader = "vnt-assistant game log";

// One thing that happened within a roll, in the order it happened.
struct LogStep {
  enum class Kind {
    Die,       // a die drawn: value, bounds, what it is for, typed in or rolled
    Shown,     // a text the result label put into the history
    Question,  // a Yes/No box and its answer
    Message,   // an OK box
    Chart,     // the roll went on in another chart (a hand-over within one click)
  };
  Kind kind = Kind::Shown;
  std::string text;   // die: what it is for; shown: the text; boxes: the prompt; chart: name
  std::string title;  // boxes: the title as shown
  int value = 0;      // die
  int lower = 0;
  int upper = 0;
  bool entered = false;  // die: typed in by the player
  bool yes = false;      // question: answered Yes

  bool operator==(const LogStep&) const = default;
};

// One roll: everything one click did, from the first die, question or history text on.
struct LogEntry {
  int number = 0;   // 1, 2, ... within the game
  int follows = 0;  // a follow-up: the number of the roll that began its play; else 0
  std::string time;
  std::string season;
  std::string chart;   // the chart's name as the window title shows it, or "Quick dice"
  std::string button;  // the button pressed, as its caption reads ('&' removed)
  std::vector<std::string> selections;  // in words: "Adjusted Steal Rating 7", "Cold"
  std::vector<LogStep> steps;
  std::string outcome;      // the result label after the click
  std::string heading;      // the detail box's caption, when the click wrote the box
  std::string explanation;  // its text exactly as shown (lines separated by "\r")

  bool operator==(const LogEntry&) const = default;
};

// The lines of the log file. Words are separated by one blank; texts are written in double
// quotes with \r, \n, \t, \", \\ and \xHH escapes, so every entry line is one line.
std::string quoteLogText(std::string_view text);
std::vector<std::string> entryHeaderLines(const LogEntry& entry);
std::string stepLine(const LogStep& step);
std::vector<std::string> entryClosingLines(const LogEntry& entry);
// All the lines of one entry, exactly as the file holds them.
std::vector<std::string> entryLines(const LogEntry& entry);
// The words and texts of one line (escapes resolved); nullopt for a line cut short or
// otherwise malformed.
std::optional<std::vector<std::string>> splitLogLine(std::string_view line);

// A roll as the Game Log window shows it in plain text, line by line (lines end in "\n"):
// what copying it and "save as plain text" give.
std::string entryText(const LogEntry& entry);
// Several rolls, one after another, a blank line between two.
std::string logText(const std::vector<LogEntry>& entries);
// The top of the Game Log, in large type: the latest roll's outcome (the button pressed when
// it had none) or, before any roll, kNoRollsYet; and the line that says which roll it was.
inline constexpr const char* kNoRollsYet = "No rolls yet";
std::string latestOutcome(const std::vector<LogEntry>& entries);
std::string latestRollLine(const std::vector<LogEntry>& entries);
// The rolls whose entryText() holds `query`, ignoring letter case (A-Z); their positions in
// `entries`, oldest first. An empty query finds every roll.
std::vector<std::size_t> findEntries(const std::vector<LogEntry>& entries, std::string_view query);

// What the reader keeps of a game file, whatever the file holds, so that a damaged or
// hostile file can neither freeze a front end laying it out nor swell the program. Each
// is well beyond anything the program writes (docs/game-log.md says why).
// A text (or word) longer than this many bytes is cut at a character boundary and ends
// in kLogTextCut.
inline constexpr std::size_t kMaxLogText = 8 * 1024;
inline constexpr std::string_view kLogTextCut = "\xE2\x80\xA6";  // U+2026, the ellipsis
// Words of one line beyond this are dropped (the longest line the program writes has 8).
inline constexpr std::size_t kMaxLogLineWords = 16;
// Steps and selections of one roll beyond these are dropped.
inline constexpr std::size_t kMaxLogSteps = 64;
inline constexpr std::size_t kMaxLogSelections = 32;
// About the memory the rolls kept of one game take; past it the oldest rolls are dropped.
inline constexpr std::size_t kMaxLogKept = 64 * 1024 * 1024;

// What a game file holds.
struct ReadGame {
  bool recognised = false;  // it starts with the game-log header line
  int format = 0;
  std::string started;            // the time of its `game` line
  std::vector<LogEntry> entries;  // the finished rolls, in file order
  int unfinished = 0;             // rolls begun but never finished (the program stopped mid-roll)
  int highestNumber = 0;          // of every roll begun, finished or not
  int shortened = 0;              // rolls kept with a text, step or selection cut (limits above)
  int leftOut = 0;                // the oldest finished rolls, dropped past kMaxLogKept
};
ReadGame readGameLog(std::string_view text);

// Where the lines go as they are made: the game file, in the program.
class GameLogSink {
 public:
  virtual ~GameLogSink() = default;
  // One line, without its line feed.
  virtual void line(const std::string& text) = 0;
  // A roll is finished: its lines must now survive a crash or a power cut.
  virtual void entryDone() = 0;
};

// What the window is showing when a step is recorded.
struct LogContext {
  std::string chart;   // the chart set up, or "Quick dice" in the chart menu
  std::string season;  // "1987"
  bool quick = false;  // a quick-dice roll: never part of a play
};

// The result label and the detail box, before and after a click.
struct ResultShown {
  std::string outcome;
  bool detailShown = false;
  std::string heading;
  std::string explanation;
};

// What the log needs to know when a click begins. The selections are kept as the controls
// themselves and put into words only when the click turns out to roll, so a click that
// logs nothing costs a few pointer copies.
struct ClickStart {
  const Control* control = nullptr;  // what the dice are for (its inventory name)
  std::vector<const Control*> selections;
  ResultShown before;
};

class GameLog {
 public:
  GameLog();

  // The time written with each roll; by default the local time, "2026-12-11 20:15:03 +01:00".
  void setClock(std::function<std::string()> clock) { clock_ = std::move(clock); }
  std::string now() const { return clock_(); }
  void setContext(std::function<LogContext()> context) { context_ = std::move(context); }
  void setSink(GameLogSink* sink) { sink_ = sink; }
  GameLogSink* sink() const { return sink_; }

  // The finished rolls, oldest first. Those of a game taken up are read the first time.
  const std::vector<LogEntry>& entries() const;
  // Changes whenever entries() does, so a view knows when to redraw.
  std::uint64_t revision() const { return revision_; }
  // A game taken up again: its finished rolls, and the highest number it ever used, so the
  // next roll gets a number of its own. Numbers stop at INT_MAX: a game that has used it
  // numbers every later roll INT_MAX too rather than overflow.
  void restore(std::vector<LogEntry> entries, int highestNumber);
  // A new game: no rolls, numbering from 1.
  void clear();
  // A game taken up without reading its rolls yet: `earlier` gives them the first time
  // entries() is asked for (start-up reads no more than it shows); the next roll is
  // numbered after highestNumber.
  void takeUp(int highestNumber, std::function<std::vector<LogEntry>()> earlier);

  // --- Hooks of the window -------------------------------------------------------------
  // A click begins: the caller fills in what the log needs to know about it. The same
  // object serves every click, so filling it reuses its memory.
  ClickStart& beginClick();
  // Whether the click under way has become a roll (the result is then worth handing over).
  bool rolling() const { return entry_.has_value(); }
  // The click is over; `after` is read only when it rolled.
  void endClick(const ResultShown& after);
  // The chart menu is back: the next roll begins a new play.
  void endPlay();
  // The request for the next draw: the chart, the bounds and the words the chart gives for
  // what the die is for.
  DieRequest describeDie(std::int16_t upper, std::int16_t lower,
                         std::string_view purpose = {}) const;
  void die(const DieRequest& request, const Die& die);
  void shown(const std::string& text);
  void question(const std::string& prompt, const std::string& title, bool yes);
  void message(const std::string& prompt, const std::string& title);

 private:
  LogContext context() const;
  void openEntry();
  void record(LogStep step, bool opens);
  void finishEntry(const ResultShown& after);
  void write(const std::string& line);

  std::function<std::string()> clock_;
  std::function<LogContext()> context_;
  GameLogSink* sink_ = nullptr;
  void loadEarlier() const;

  mutable std::vector<LogEntry> entries_;
  std::uint64_t revision_ = 0;
  // The rolls of a game taken up, not read yet; valid while only new rolls were added since.
  mutable std::function<std::vector<LogEntry>()> earlier_;
  std::uint64_t earlierRevision_ = 0;
  std::uint64_t finishedSince_ = 0;

  ClickStart click_;  // the click under way, when clicking_
  bool clicking_ = false;
  std::optional<LogEntry> entry_;  // its roll, once something worth logging happened
  std::vector<LogStep> pending_;   // boxes shown before that
  std::string entryChart_;         // the chart the roll is in at the moment
  int nextNumber_ = 1;
  int playStart_ = 0;  // the first roll of the play under way, or 0
};

// Message boxes that also tell the log what they asked and what the answer was.
class LoggingDialogs final : public Dialogs {
 public:
  LoggingDialogs(Dialogs& shown, GameLog& log) : shown_(shown), log_(log) {}
  void ok(const std::string& prompt, const std::string& title) override;
  bool yesNo(const std::string& prompt, const std::string& title) override;

 private:
  Dialogs& shown_;
  GameLog& log_;
};

// A caption as the player reads it: "&Continue" is "Continue", "&&" an ampersand. A caption
// that is data (a ballpark name) is taken as written.
std::string plainCaption(const Control& control);

// The chosen options and ticked boxes on screen, in window order, into `selected`. The
// control `ignore` (a window setting, not a selection) is left out.
void selectedOnScreen(const std::vector<Control*>& controls, const Control* ignore,
                      std::vector<const Control*>& selected);
// Them in words. An option that is only a rating or a code ("7", "SP", "> 9.9") is named
// with its frame's caption ("Adjusted Steal Rating 7"); one that says what it is ("Third
// Base", "Boston") and a box ("Cold") stand alone.
std::vector<std::string> selectionsInWords(const std::vector<const Control*>& selected);

}  // namespace vnt
