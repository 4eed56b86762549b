// Feeds arbitrary bytes to the game-file reader, as the program does with the last game at
// every start. Besides the sanitizers, it aborts when the reader keeps more than its limits
// allow, when what it kept does not read back the same once written again, or when taking
// the game up again and rolling misnumbers the roll.
#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "shell/game_log.h"

namespace {

void checkText(const std::string& text) {
  if (text.size() > vnt::kMaxLogText) std::abort();
}

void checkLimits(const vnt::LogEntry& entry) {
  if (entry.steps.size() > vnt::kMaxLogSteps) std::abort();
  if (entry.selections.size() > vnt::kMaxLogSelections) std::abort();
  for (const std::string* text : {&entry.time, &entry.season, &entry.chart, &entry.button,
                                  &entry.outcome, &entry.heading, &entry.explanation}) {
    checkText(*text);
  }
  for (const vnt::LogStep& step : entry.steps) {
    checkText(step.text);
    checkText(step.title);
  }
  for (const std::string& selection : entry.selections) checkText(selection);
}

// Every line splits into words that, quoted again, split into the same words.
void checkSplit(std::string_view line) {
  const auto words = vnt::splitLogLine(line);
  if (!words) return;
  if (words->size() > vnt::kMaxLogLineWords) std::abort();
  std::string again;
  for (const std::string& word : *words) {
    checkText(word);
    again += (again.empty() ? "" : " ") + vnt::quoteLogText(word);
  }
  if (vnt::splitLogLine(again) != words) std::abort();
}

// What the reader kept, written as the program writes it, reads back the same and whole.
void checkWrittenAgain(const vnt::ReadGame& game) {
  std::string file = std::string(vnt::kGameLogHeader) + " 1\n";
  for (const vnt::LogEntry& entry : game.entries) {
    for (const std::string& line : vnt::entryLines(entry)) file += line + "\n";
  }
  const vnt::ReadGame again = vnt::readGameLog(file);
  if (!again.recognised || again.entries != game.entries) std::abort();
  if (again.shortened != 0 || again.unfinished != 0) std::abort();
}

// Taken up again, the next roll gets a number above every number the file used.
void checkNextRoll(vnt::ReadGame game) {
  int highest = std::max(game.highestNumber, 0);
  for (const vnt::LogEntry& entry : game.entries) highest = std::max(highest, entry.number);
  vnt::GameLog log;
  log.setClock([] { return std::string("t"); });
  log.restore(std::move(game.entries), game.highestNumber);
  log.beginClick();
  log.shown("CS");
  log.endClick({"CS", false, {}, {}});
  const int expected = highest == INT_MAX ? INT_MAX : highest + 1;
  if (log.entries().back().number != expected) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  for (std::size_t at = 0; at <= input.size();) {
    const std::size_t end = std::min(input.find('\n', at), input.size());
    checkSplit(input.substr(at, end - at));
    at = end + 1;
  }

  vnt::ReadGame game = vnt::readGameLog(input);
  if (!game.recognised && !game.entries.empty()) std::abort();
  if (game.shortened > static_cast<int>(game.entries.size())) std::abort();
  for (const vnt::LogEntry& entry : game.entries) {
    checkLimits(entry);
    if (entry.number > game.highestNumber) std::abort();
  }
  checkWrittenAgain(game);
  // What a front end makes of it.
  (void)vnt::logText(game.entries);
  (void)vnt::latestOutcome(game.entries);
  (void)vnt::findEntries(game.entries, "cs");
  checkNextRoll(std::move(game));
  return 0;
}
