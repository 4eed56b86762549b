#include "shell/game_log.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <ctime>
#include <utility>

namespace vnt {
namespace {

std::string localTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) return {};
  char text[64];
  const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S %z", &local);
  if (length == 0) return {};
  std::string out(text, length);
  // "+0100" reads better as "+01:00". Built by appending: GCC 12 at -O3 takes an insert
  // here for an overlapping copy (-Wrestrict).
  if (length >= 5 && (text[length - 5] == '+' || text[length - 5] == '-')) {
    out.resize(length - 2);
    out += ':';
    out.append(text + length - 2, 2);
  }
  return out;
}

std::string number(int n) {
  return std::to_string(n);
}

bool blank(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return c == '\r' || c == '\n' || c == ' ' || c == '\t'; });
}

LogStep makeStep(LogStep::Kind kind, std::string text, std::string title = {}) {
  LogStep step;
  step.kind = kind;
  step.text = std::move(text);
  step.title = std::move(title);
  return step;
}

}  // namespace

// --- Lines ----------------------------------------------------------------------------------

std::string quoteLogText(std::string_view text) {
  static const char* const kHex = "0123456789ABCDEF";
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      default: {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
          out += "\\x";
          out += kHex[byte >> 4];
          out += kHex[byte & 0xF];
        } else {
          out += c;
        }
      }
    }
  }
  return out + "\"";
}

std::vector<std::string> entryHeaderLines(const LogEntry& entry) {
  std::vector<std::string> lines;
  lines.push_back("roll " + number(entry.number) +
                  (entry.follows != 0 ? " follows " + number(entry.follows) : ""));
  lines.push_back("time " + quoteLogText(entry.time));
  lines.push_back("season " + quoteLogText(entry.season));
  lines.push_back("chart " + quoteLogText(entry.chart));
  lines.push_back("button " + quoteLogText(entry.button));
  for (const std::string& selection : entry.selections) {
    lines.push_back("selected " + quoteLogText(selection));
  }
  return lines;
}

std::string stepLine(const LogStep& step) {
  switch (step.kind) {
    case LogStep::Kind::Die:
      return "die " + number(step.value) + " from " + number(step.lower) + " to " +
             number(step.upper) + (step.entered ? " entered " : " rolled ") +
             quoteLogText(step.text);
    case LogStep::Kind::Shown:
      return "shown " + quoteLogText(step.text);
    case LogStep::Kind::Question:
      return "asked " + quoteLogText(step.text) + " " + quoteLogText(step.title) +
             (step.yes ? " yes" : " no");
    case LogStep::Kind::Message:
      return "message " + quoteLogText(step.text) + " " + quoteLogText(step.title);
    case LogStep::Kind::Chart:
      return "chart " + quoteLogText(step.text);
  }
  return {};
}

std::vector<std::string> entryClosingLines(const LogEntry& entry) {
  std::vector<std::string> lines;
  if (!entry.outcome.empty()) lines.push_back("outcome " + quoteLogText(entry.outcome));
  if (!entry.explanation.empty()) {
    lines.push_back("explanation " + quoteLogText(entry.heading) + " " +
                    quoteLogText(entry.explanation));
  }
  lines.push_back("done " + number(entry.number));
  return lines;
}

std::vector<std::string> entryLines(const LogEntry& entry) {
  std::vector<std::string> lines = entryHeaderLines(entry);
  for (const LogStep& step : entry.steps) lines.push_back(stepLine(step));
  for (std::string& line : entryClosingLines(entry)) lines.push_back(std::move(line));
  return lines;
}

// --- Plain text -----------------------------------------------------------------------------

namespace {

// A text the window shows over several lines ("\r", "\n" or "\r\n" between them), each
// line indented.
void appendLines(std::string& out, std::string_view text, std::string_view indent) {
  // The box places its text with blank lines above and below; on paper they are noise.
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.remove_suffix(1);
  while (!text.empty() && (text.front() == '\r' || text.front() == '\n')) text.remove_prefix(1);
  std::size_t at = 0;
  while (at <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", at);
    if (end == std::string_view::npos) end = text.size();
    if (end > at) out += indent;
    out += text.substr(at, end - at);
    out += '\n';
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') {
      ++end;
    }
    at = end + 1;
  }
}

// A prompt or a title on one line of the plain text.
std::string oneLine(std::string_view text) {
  std::string out;
  for (const char c : text) out += c == '\r' || c == '\n' ? ' ' : c;
  return out;
}

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string entryText(const LogEntry& entry) {
  std::string out = "Roll " + number(entry.number);
  for (const std::string* part : {&entry.time, &entry.season, &entry.chart}) {
    if (!part->empty()) out += " - " + *part;
  }
  out += '\n';
  if (entry.follows != 0) out += "  Follows roll " + number(entry.follows) + "\n";
  if (!entry.button.empty()) out += "  Pressed: " + entry.button + "\n";
  if (!entry.selections.empty()) {
    out += "  Selections: ";
    for (std::size_t i = 0; i < entry.selections.size(); ++i) {
      if (i > 0) out += ", ";
      out += entry.selections[i];
    }
    out += '\n';
  }
  for (const LogStep& step : entry.steps) {
    switch (step.kind) {
      case LogStep::Kind::Die:
        out += "  Die: " + number(step.value) + " (" + number(step.lower) + " to " +
               number(step.upper) + (step.entered ? ", entered" : ", rolled") + ")";
        if (!step.text.empty()) out += " - " + step.text;
        out += '\n';
        break;
      case LogStep::Kind::Shown:
        out += "  Shown: " + oneLine(step.text) + "\n";
        break;
      case LogStep::Kind::Question:
        out += "  Asked: " + oneLine(step.text) + " (" + oneLine(step.title) + ") - " +
               (step.yes ? "Yes" : "No") + "\n";
        break;
      case LogStep::Kind::Message:
        out += "  Message: " + oneLine(step.text) + " (" + oneLine(step.title) + ")\n";
        break;
      case LogStep::Kind::Chart:
        out += "  Went on in: " + step.text + "\n";
        break;
    }
  }
  out += "  Outcome: " + oneLine(entry.outcome) + "\n";
  if (!entry.explanation.empty()) {
    out += "  " + oneLine(entry.heading) + ":\n";
    appendLines(out, entry.explanation, "    ");
  }
  return out;
}

std::string logText(const std::vector<LogEntry>& entries) {
  std::string out;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i > 0) out += '\n';
    out += entryText(entries[i]);
  }
  return out;
}

std::string latestOutcome(const std::vector<LogEntry>& entries) {
  if (entries.empty()) return kNoRollsYet;
  const LogEntry& last = entries.back();
  return last.outcome.empty() ? last.button : last.outcome;
}

std::string latestRollLine(const std::vector<LogEntry>& entries) {
  if (entries.empty()) return "";
  return "Roll " + number(entries.back().number) + " - " + entries.back().chart;
}

std::vector<std::size_t> findEntries(const std::vector<LogEntry>& entries, std::string_view query) {
  std::string wanted(query);
  for (char& c : wanted) c = lower(c);
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    std::string text = entryText(entries[i]);
    for (char& c : text) c = lower(c);
    if (text.find(wanted) != std::string::npos) found.push_back(i);
  }
  return found;
}

// --- The log --------------------------------------------------------------------------------

GameLog::GameLog() : clock_(localTime), context_([] { return LogContext{}; }) {}

void GameLog::restore(std::vector<LogEntry> entries, int highestNumber) {
  entries_ = std::move(entries);
  int highest = std::max(highestNumber, 0);
  for (const LogEntry& entry : entries_) highest = std::max(highest, entry.number);
  nextNumber_ = highest == INT_MAX ? INT_MAX : highest + 1;
  playStart_ = 0;
  ++revision_;
}

void GameLog::clear() {
  earlier_ = nullptr;
  restore({}, 0);
}

void GameLog::takeUp(int highestNumber, std::function<std::vector<LogEntry>()> earlier) {
  restore({}, highestNumber);
  earlier_ = std::move(earlier);
  earlierRevision_ = revision_;
  finishedSince_ = 0;
}

const std::vector<LogEntry>& GameLog::entries() const {
  if (earlier_) loadEarlier();
  return entries_;
}

void GameLog::loadEarlier() const {
  const auto load = std::move(earlier_);
  earlier_ = nullptr;
  // Restored to another game since: these rolls are not its own.
  if (revision_ != earlierRevision_ + finishedSince_) return;
  std::vector<LogEntry> all = load();
  all.insert(all.end(), std::make_move_iterator(entries_.begin()),
             std::make_move_iterator(entries_.end()));
  entries_ = std::move(all);
}

LogContext GameLog::context() const {
  return context_();
}

ClickStart& GameLog::beginClick() {
  // Clicks do not nest; one left open (a handler that threw) is closed as it stands.
  if (clicking_) endClick(click_.before);
  clicking_ = true;
  click_.control = nullptr;
  click_.selections.clear();
  pending_.clear();
  return click_;
}

void GameLog::endClick(const ResultShown& after) {
  if (entry_) finishEntry(after);
  clicking_ = false;
  pending_.clear();
}

void GameLog::endPlay() {
  playStart_ = 0;
}

DieRequest GameLog::describeDie(std::int16_t upper, std::int16_t lower,
                                std::string_view purpose) const {
  const LogContext now = context();
  DieRequest request;
  request.upper = upper;
  request.lower = lower;
  request.chart = now.chart;
  request.purpose = std::string(purpose);
  request.quick = now.quick;
  return request;
}

void GameLog::die(const DieRequest& request, const Die& die) {
  LogStep step = makeStep(LogStep::Kind::Die, request.purpose);
  step.value = die.value;
  step.lower = request.lower;
  step.upper = request.upper;
  step.entered = die.entered;
  record(std::move(step), true);
}

void GameLog::shown(const std::string& text) {
  record(makeStep(LogStep::Kind::Shown, text), true);
}

void GameLog::question(const std::string& prompt, const std::string& title, bool yes) {
  LogStep step = makeStep(LogStep::Kind::Question, prompt,
                          title.empty() ? std::string(kApplicationTitle) : title);
  step.yes = yes;
  record(std::move(step), true);
}

void GameLog::message(const std::string& prompt, const std::string& title) {
  // A message alone (a choice missing) is no roll; it is kept in case the click rolls.
  record(makeStep(LogStep::Kind::Message, prompt,
                  title.empty() ? std::string(kApplicationTitle) : title),
         false);
}

void GameLog::record(LogStep step, bool opens) {
  // A draw outside any click (a handler run directly) is logged as a click of its own.
  if (!clicking_) beginClick().before = {};
  if (!entry_ && !opens) {
    pending_.push_back(std::move(step));
    return;
  }
  if (!entry_) {
    openEntry();
  } else if (const std::string chart = context().chart;
             step.kind != LogStep::Kind::Message && chart != entryChart_) {
    entryChart_ = chart;
    LogStep hand = makeStep(LogStep::Kind::Chart, chart);
    write(stepLine(hand));
    entry_->steps.push_back(std::move(hand));
  }
  write(stepLine(step));
  entry_->steps.push_back(std::move(step));
}

void GameLog::openEntry() {
  const LogContext now = context();
  LogEntry entry;
  // Saturates: a game that has used the last number goes on with it rather than overflow.
  entry.number = nextNumber_;
  if (nextNumber_ < INT_MAX) ++nextNumber_;
  if (!now.quick) {
    if (playStart_ == 0) {
      playStart_ = entry.number;
    } else {
      entry.follows = playStart_;
    }
  }
  entry.time = clock_();
  entry.season = now.season;
  entry.chart = now.chart;
  if (click_.control != nullptr) entry.button = plainCaption(*click_.control);
  entry.selections = selectionsInWords(click_.selections);
  entryChart_ = now.chart;
  for (const std::string& line : entryHeaderLines(entry)) write(line);
  for (LogStep& step : pending_) {
    write(stepLine(step));
    entry.steps.push_back(std::move(step));
  }
  pending_.clear();
  entry_ = std::move(entry);
}

void GameLog::finishEntry(const ResultShown& after) {
  LogEntry& entry = *entry_;
  entry.outcome = after.outcome;
  // The detail box counts when this click wrote into it; a box left as the set-up filled
  // it (the steal's adjustment notes) is not part of the outcome.
  const ResultShown& before = click_.before;
  const bool wrote = !before.detailShown || before.heading != after.heading ||
                     before.explanation != after.explanation;
  if (after.detailShown && wrote && !blank(after.explanation)) {
    entry.heading = after.heading;
    entry.explanation = after.explanation;
  }
  for (const std::string& line : entryClosingLines(entry)) write(line);
  if (sink_ != nullptr) sink_->entryDone();
  entries_.push_back(std::move(entry));
  entry_.reset();
  ++revision_;
  ++finishedSince_;
}

void GameLog::write(const std::string& line) {
  if (sink_ != nullptr) sink_->line(line);
}

// --- Boxes ----------------------------------------------------------------------------------

void LoggingDialogs::ok(const std::string& prompt, const std::string& title) {
  shown_.ok(prompt, title);
  log_.message(prompt, title);
}

bool LoggingDialogs::yesNo(const std::string& prompt, const std::string& title) {
  const bool yes = shown_.yesNo(prompt, title);
  log_.question(prompt, title, yes);
  return yes;
}

// --- Selections -----------------------------------------------------------------------------

std::string plainCaption(const Control& control) {
  return control.literalCaption ? control.caption : withoutAccessKey(control.caption);
}

void selectedOnScreen(const std::vector<Control*>& controls, const Control* ignore,
                      std::vector<const Control*>& selected) {
  selected.clear();
  const auto onScreen = [](const Control& control) {
    for (const Control* c = &control; c != nullptr; c = c->container) {
      if (!c->visible) return false;
    }
    return true;
  };
  for (const Control* control : controls) {
    if (!control->value || control == ignore) continue;
    if (control->kind != ControlKind::Option && control->kind != ControlKind::CheckBox) continue;
    if (onScreen(*control)) selected.push_back(control);
  }
}

std::vector<std::string> selectionsInWords(const std::vector<const Control*>& selected) {
  const auto saysWhatItIs = [](const std::string& caption) {
    return std::any_of(caption.begin(), caption.end(),
                       [](char c) { return std::islower(static_cast<unsigned char>(c)) != 0; });
  };
  std::vector<std::string> words;
  for (const Control* control : selected) {
    const std::string caption = plainCaption(*control);
    if (control->kind == ControlKind::Option && !saysWhatItIs(caption) &&
        control->container != nullptr && !control->container->caption.empty()) {
      words.push_back(plainCaption(*control->container) + " " + caption);
    } else {
      words.push_back(caption);
    }
  }
  return words;
}

}  // namespace vnt
