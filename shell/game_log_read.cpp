// Reading a game file back. The file may be damaged or hostile: every text, line and roll
// is read in one pass and kept within the limits in game_log.h, so reading costs time in
// proportion to the file and memory in proportion to what is kept.
#include <algorithm>
#include <charconv>
#include <deque>
#include <utility>

#include "shell/game_log.h"

namespace vnt {
namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// A word being read: bytes past kMaxLogText are noted, not kept.
class BoundedWord {
 public:
  void add(char c) {
    if (text_.size() < kMaxLogText) {
      text_ += c;
    } else {
      cut_ = true;
    }
  }
  bool cut() const { return cut_; }
  // The word; a cut one ends at a whole character, then kLogTextCut, within kMaxLogText in
  // all, so that it reads back as it is.
  std::string take() {
    if (cut_) {
      text_.resize(kMaxLogText - kLogTextCut.size());
      dropPartialCharacter();
      text_ += kLogTextCut;
    }
    return std::move(text_);
  }

 private:
  // A UTF-8 sequence begun but not finished before the cut is dropped.
  void dropPartialCharacter() {
    std::size_t lead = text_.size();
    for (int back = 0; back < 4 && lead > 0; ++back) {
      --lead;
      if ((static_cast<unsigned char>(text_[lead]) & 0xC0) != 0x80) break;
    }
    if (lead >= text_.size()) return;
    const auto byte = static_cast<unsigned char>(text_[lead]);
    const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    if (lead + length > text_.size()) text_.resize(lead);
  }

  std::string text_;
  bool cut_ = false;
};

// The words of one line into `words` (emptied first); false for a malformed line. Words past
// kMaxLogLineWords are checked but not kept. `cut` is set when anything was left out.
bool splitLine(std::string_view line, std::vector<std::string>& words, bool& cut) {
  words.clear();
  cut = false;
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\r') {
      ++i;
      continue;
    }
    BoundedWord word;
    if (line[i] != '"') {
      while (i < line.size() && line[i] != ' ' && line[i] != '\r') word.add(line[i++]);
    } else {
      ++i;
      bool closed = false;
      while (i < line.size()) {
        const char c = line[i++];
        if (c == '"') {
          closed = true;
          break;
        }
        if (c != '\\') {
          word.add(c);
          continue;
        }
        if (i >= line.size()) return false;
        switch (line[i++]) {
          case 'r':
            word.add('\r');
            break;
          case 'n':
            word.add('\n');
            break;
          case 't':
            word.add('\t');
            break;
          case '"':
            word.add('"');
            break;
          case '\\':
            word.add('\\');
            break;
          case 'x': {
            if (i + 2 > line.size()) return false;
            const int high = hexDigit(line[i]);
            const int low = hexDigit(line[i + 1]);
            if (high < 0 || low < 0) return false;
            word.add(static_cast<char>(high * 16 + low));
            i += 2;
            break;
          }
          default:
            return false;
        }
      }
      if (!closed) return false;
    }
    if (words.size() < kMaxLogLineWords) {
      cut = cut || word.cut();
      words.push_back(word.take());
    } else {
      cut = true;
    }
  }
  return true;
}

bool toInt(const std::string& text, int& out) {
  const char* begin = text.data();
  const char* end = begin + text.size();
  const auto [ptr, ec] = std::from_chars(begin, end, out);
  return ec == std::errc() && ptr == end && !text.empty();
}

LogStep makeStep(LogStep::Kind kind, std::string text, std::string title = {}) {
  LogStep step;
  step.kind = kind;
  step.text = std::move(text);
  step.title = std::move(title);
  return step;
}

// About the memory a kept roll takes.
std::size_t keptBytes(const LogEntry& entry) {
  std::size_t bytes = sizeof(LogEntry) + entry.steps.size() * sizeof(LogStep) +
                      entry.selections.size() * sizeof(std::string);
  for (const std::string* text : {&entry.time, &entry.season, &entry.chart, &entry.button,
                                  &entry.outcome, &entry.heading, &entry.explanation}) {
    bytes += text->size();
  }
  for (const LogStep& step : entry.steps) bytes += step.text.size() + step.title.size();
  for (const std::string& selection : entry.selections) bytes += selection.size();
  return bytes;
}

// The roll being read, with what was cut of it.
struct OpenRoll {
  LogEntry entry;
  bool chartSeen = false;  // its own `chart` line has been read
  bool cut = false;

  void addStep(LogStep step) {
    if (entry.steps.size() < kMaxLogSteps) {
      entry.steps.push_back(std::move(step));
    } else {
      cut = true;
    }
  }
  void addSelection(std::string selection) {
    if (entry.selections.size() < kMaxLogSelections) {
      entry.selections.push_back(std::move(selection));
    } else {
      cut = true;
    }
  }
};

// The finished rolls, the oldest dropped once they take more than kMaxLogKept.
class KeptRolls {
 public:
  void add(LogEntry entry, ReadGame& game) {
    bytes_ += keptBytes(entry);
    rolls_.push_back(std::move(entry));
    while (bytes_ > kMaxLogKept) {
      bytes_ -= keptBytes(rolls_.front());
      rolls_.pop_front();
      ++game.leftOut;
    }
  }
  std::vector<LogEntry> take() {
    return {std::make_move_iterator(rolls_.begin()), std::make_move_iterator(rolls_.end())};
  }

 private:
  std::deque<LogEntry> rolls_;
  std::size_t bytes_ = 0;
};

// One line of a roll (anything but `roll` and `done`) into it.
void readRollLine(const std::vector<std::string>& w, OpenRoll& roll) {
  const std::string& kind = w[0];
  LogEntry& entry = roll.entry;
  if (kind == "time" && w.size() >= 2) {
    entry.time = w[1];
  } else if (kind == "season" && w.size() >= 2) {
    entry.season = w[1];
  } else if (kind == "chart" && w.size() >= 2) {
    // The first names the roll's chart; a later one is a hand-over within the roll.
    if (!roll.chartSeen) {
      roll.chartSeen = true;
      entry.chart = w[1];
    } else {
      roll.addStep(makeStep(LogStep::Kind::Chart, w[1]));
    }
  } else if (kind == "button" && w.size() >= 2) {
    entry.button = w[1];
  } else if (kind == "selected" && w.size() >= 2) {
    roll.addSelection(w[1]);
  } else if (kind == "die" && w.size() >= 8) {
    LogStep step = makeStep(LogStep::Kind::Die, w[7]);
    if (toInt(w[1], step.value) && toInt(w[3], step.lower) && toInt(w[5], step.upper)) {
      step.entered = w[6] == "entered";
      roll.addStep(std::move(step));
    }
  } else if (kind == "shown" && w.size() >= 2) {
    roll.addStep(makeStep(LogStep::Kind::Shown, w[1]));
  } else if (kind == "asked" && w.size() >= 4) {
    LogStep step = makeStep(LogStep::Kind::Question, w[1], w[2]);
    step.yes = w[3] == "yes";
    roll.addStep(std::move(step));
  } else if (kind == "message" && w.size() >= 3) {
    roll.addStep(makeStep(LogStep::Kind::Message, w[1], w[2]));
  } else if (kind == "outcome" && w.size() >= 2) {
    entry.outcome = w[1];
  } else if (kind == "explanation" && w.size() >= 3 && !w[2].empty()) {
    // The program writes no explanation without a text.
    entry.heading = w[1];
    entry.explanation = w[2];
  }
}

}  // namespace

std::optional<std::vector<std::string>> splitLogLine(std::string_view line) {
  std::vector<std::string> words;
  bool cut = false;
  if (!splitLine(line, words, cut)) return std::nullopt;
  return words;
}

ReadGame readGameLog(std::string_view text) {
  ReadGame game;
  KeptRolls kept;
  std::optional<OpenRoll> open;
  bool first = true;
  std::vector<std::string> w;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    // A last line without its line feed was cut short by a crash: not to be trusted.
    if (end == std::string_view::npos) break;
    const std::string_view raw = text.substr(at, end - at);
    at = end + 1;

    bool cut = false;
    if (!splitLine(raw, w, cut) || w.empty()) continue;
    if (first) {
      first = false;
      // "vnt-assistant game log 1"
      if (!raw.starts_with(kGameLogHeader) || raw.substr(kGameLogHeader.size(), 1) != " ") {
        break;
      }
      if (!toInt(w.back(), game.format)) break;
      game.recognised = true;
      continue;
    }
    const std::string& kind = w[0];
    int n = 0;
    if (kind == "game" && w.size() >= 2) {
      game.started = w[1];
    } else if (kind == "roll" && w.size() >= 2 && toInt(w[1], n)) {
      if (open) ++game.unfinished;
      open.emplace();
      open->entry.number = n;
      game.highestNumber = std::max(game.highestNumber, n);
      if (w.size() >= 4 && w[2] == "follows") toInt(w[3], open->entry.follows);
    } else if (!open) {
      continue;  // between rolls only the lines above are known
    } else if (kind == "done") {
      if (w.size() >= 2 && toInt(w[1], n) && n == open->entry.number) {
        if (open->cut) ++game.shortened;
        kept.add(std::move(open->entry), game);
      } else {
        ++game.unfinished;
      }
      open.reset();
    } else {
      open->cut = open->cut || cut;
      readRollLine(w, *open);
    }
  }
  if (open) ++game.unfinished;
  game.entries = kept.take();
  return game;
}

}  // namespace vnt
