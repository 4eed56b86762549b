#include "tools/vnt_scenario/scenario.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <system_error>

#include "shell/form2.h"
#include "shell/own_dice.h"

namespace vnt::scenario {
namespace fs = std::filesystem;

namespace {

std::string bounds(std::int16_t upper, std::int16_t lower) {
  return "RandomNumber(" + std::to_string(upper) + ", " + std::to_string(lower) + ")";
}

}  // namespace

// --- Scripted dice and dialogs ------------------------------------------------------------

std::int16_t ScriptedDice::RandomNumber(std::int16_t upper, std::int16_t lower) {
  if (queue_.empty()) {
    throw Failure("expected a queued die for the draw " + bounds(upper, lower) + ", found none");
  }
  const Queued next = queue_.front();
  queue_.pop_front();
  if (next.bounds && *next.bounds != std::make_pair(upper, lower)) {
    throw Failure("expected the draw " + bounds(next.bounds->first, next.bounds->second) +
                  " (queued at line " + std::to_string(next.line) + "), found " +
                  bounds(upper, lower));
  }
  if (next.value < lower || next.value > upper) {
    throw Failure("expected a die within " + bounds(upper, lower) + ", found the queued " + std::to_string(next.value) + " (line " +
                  std::to_string(next.line) + ")");
  }
  return next.value;
}

void RecordingDialogs::ok(const std::string& prompt, const std::string& title) {
  unchecked_.push_back({prompt, title.empty() ? kApplicationTitle : title});
}

bool RecordingDialogs::yesNo(const std::string& prompt, const std::string& title) {
  if (answers_.empty()) {
    throw Failure("expected a queued answer for the Yes/No box " + quote(prompt) +
                  ", found none");
  }
  unchecked_.push_back({prompt, title.empty() ? kApplicationTitle : title});
  const bool yes = answers_.front().yes;
  answers_.pop_front();
  return yes;
}

// --- Tokens -------------------------------------------------------------------------------

std::vector<Token> tokenize(const std::string& line) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
      ++i;
      continue;
    }
    Token token;
    if (line[i] == '"') {
      token.quoted = true;
      ++i;
      bool closed = false;
      while (i < line.size()) {
        const char c = line[i++];
        if (c == '"') {
          closed = true;
          break;
        }
        if (c != '\\') {
          token.text += c;
          continue;
        }
        if (i >= line.size()) throw Failure("a backslash ends the line inside a string");
        switch (const char e = line[i++]) {
          case 'r': token.text += '\r'; break;
          case 'n': token.text += '\n'; break;
          case '"': token.text += '"'; break;
          case '\\': token.text += '\\'; break;
          default: throw Failure(std::string("unknown escape \\") + e + " in a string");
        }
      }
      if (!closed) throw Failure("a string is not closed");
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
        token.text += line[i++];
      }
    }
    tokens.push_back(std::move(token));
  }
  return tokens;
}

std::string quote(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      default: out += c;
    }
  }
  return out + "\"";
}

// --- The player -----------------------------------------------------------------------------

namespace {

// Runs in a fresh temporary directory and goes back where it came from afterwards.
class TemporaryWorkingDirectory {
 public:
  TemporaryWorkingDirectory() : previous_(fs::current_path()) {
    std::string pattern = (fs::temp_directory_path() / "vnt-scenario-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw Failure("cannot create a temporary directory");
    path_ = pattern;
    fs::current_path(path_);
  }
  ~TemporaryWorkingDirectory() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    fs::remove_all(path_, ignored);
  }
  TemporaryWorkingDirectory(const TemporaryWorkingDirectory&) = delete;
  TemporaryWorkingDirectory& operator=(const TemporaryWorkingDirectory&) = delete;

 private:
  fs::path previous_;
  fs::path path_;
};

// The player of "Roll my own dice", typing in the scripted values: each die the window asks
// for is the next queued value, under the same checks as scripted dice.
class ScriptedEntries final : public DieAsker {
 public:
  ScriptedEntries(ScriptedDice& dice, int* asked) : dice_(dice), asked_(asked) {}
  std::optional<int> askDie(const DieRequest& request) override {
    if (asked_ != nullptr) ++*asked_;
    return dice_.RandomNumber(request.upper, request.lower);
  }

 private:
  ScriptedDice& dice_;
  int* asked_;
};

class Player {
 public:
  Player(fs::path scenarioDir, ScreenCheck check, const PlayOptions& options)
      : scenarioDir_(std::move(scenarioDir)), check_(std::move(check)), options_(options),
        asker_(dice_, options.asked), ownDice_(dice_, asker_) {
    ownDice_.setOn(true);
  }

  void playLine(std::istream& in, const std::string& raw, int& lineNumber) {
    const std::size_t first = raw.find_first_not_of(" \t\r");
    if (first == std::string::npos || raw[first] == '#') return;
    const std::vector<Token> t = tokenize(raw);
    const std::string& command = t[0].text;
    if (t[0].quoted) wrong("a line starts with a string instead of a command");

    if (command == "file") return fileCommand(in, t, lineNumber);
    if (command == "copy") return copyCommand(t);
    if (command == "remove") return removeCommand(t);
    if (command == "start") return startCommand(t);
    if (command == "click") return clickCommand(t);
    if (command == "dice") return diceCommand(t, lineNumber);
    if (command == "roll") return rollCommand(t, lineNumber);
    if (command == "answer") return answerCommand(t, lineNumber);
    if (command == "expect") return expectCommand(t);
    wrong("unknown command " + quote(command));
  }

  void finish() {
    if (!dice_.pending().empty()) {
      fail("every queued die used, found " + std::to_string(dice_.pending().size()) +
           " left (the first queued at line " + std::to_string(dice_.pending().front().line) + ")");
    }
    if (!dialogs_.pendingAnswers().empty()) {
      fail("every queued answer used, found " + std::to_string(dialogs_.pendingAnswers().size()) +
           " left (the first queued at line " +
           std::to_string(dialogs_.pendingAnswers().front().line) + ")");
    }
    if (!dialogs_.unchecked().empty()) {
      const auto& m = dialogs_.unchecked().front();
      fail("every message checked, found the message " + quote(m.prompt) + " " + quote(m.title) +
           " unchecked");
    }
  }

 private:
  // Failures read "expected X, found Y".
  [[noreturn]] static void fail(const std::string& what) { throw Failure("expected " + what); }
  [[noreturn]] static void wrong(const std::string& what) { throw Failure(what); }

  static void arity(const std::vector<Token>& t, std::size_t least, std::size_t most) {
    if (t.size() < least || t.size() > most) {
      wrong("wrong number of arguments for " + quote(t[0].text));
    }
  }

  static std::int16_t number(const Token& token) {
    int value = 0;
    const char* begin = token.text.data();
    const char* end = begin + token.text.size();
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (token.quoted || ec != std::errc() || ptr != end || value < INT16_MIN || value > INT16_MAX) {
      fail("a whole number from -32768 to 32767 where " + quote(token.text) + " stands");
    }
    return static_cast<std::int16_t>(value);
  }

  // Scenario files name plain files of their working directory, nothing outside it.
  static std::string plainName(const Token& token) {
    const std::string& name = token.text;
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos ||
        name.find('\0') != std::string::npos) {
      fail("a plain file name where " + quote(name) + " stands");
    }
    return name;
  }

  Form2& form() {
    if (!form_) fail("the program started (a `start` line) before this line");
    return *form_;
  }

  Form2& running() {
    Form2& f = form();
    if (f.ended()) fail("a running program, found it ended");
    return f;
  }

  Control& control(const std::vector<Token>& t, std::size_t at, std::size_t& next) {
    if (at >= t.size() || t[at].quoted) fail("a control name");
    int index = -1;
    next = at + 1;
    if (next < t.size() && !t[next].quoted && !t[next].text.empty() &&
        (std::isdigit(static_cast<unsigned char>(t[next].text[0])) != 0)) {
      index = number(t[next]);
      ++next;
    }
    Control* c = form().find(t[at].text, index);
    if (c == nullptr) {
      fail("a control " + t[at].text + (index < 0 ? "" : " " + std::to_string(index)) +
           ", found no such control");
    }
    return *c;
  }

  void fileCommand(std::istream& in, const std::vector<Token>& t, int& lineNumber) {
    arity(t, 2, 3);
    const std::string name = plainName(t[1]);
    if (t.size() == 3 && t[2].text != "crlf") fail("`crlf` or nothing after the file name");
    const std::string separator = t.size() == 3 ? "\r\n" : "\n";
    std::string contents;
    std::string line;
    bool first = true;
    bool ended = false;
    while (std::getline(in, line)) {
      ++lineNumber;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line == "end") {
        ended = true;
        break;
      }
      if (!first) contents += separator;
      contents += line;
      first = false;
    }
    if (!ended) fail("a line `end` closing the file " + quote(name) + ", found the end of the scenario");
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out << contents;
    if (!out) fail("the file " + quote(name) + " written, found an error");
  }

  void copyCommand(const std::vector<Token>& t) {
    arity(t, 2, 2);
    const fs::path dir = scenarioDir_ / t[1].text;
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    if (ec) fail("a folder " + quote(dir.string()) + " to copy, found none");
    for (const auto& entry : it) {
      if (!entry.is_regular_file()) continue;
      fs::copy_file(entry.path(), entry.path().filename(), fs::copy_options::overwrite_existing, ec);
      if (ec) fail("a copy of " + quote(entry.path().string()) + ", found an error");
    }
  }

  void removeCommand(const std::vector<Token>& t) {
    arity(t, 2, 2);
    std::error_code ec;
    if (!fs::remove(plainName(t[1]), ec)) fail("a file " + quote(t[1].text) + " to remove, found none");
  }

  void startCommand(const std::vector<Token>& t) {
    arity(t, 1, 1);
    if (form_) fail("one `start` only");
    if (options_.ownDice) {
      form_ = std::make_unique<Form2>(ownDice_, dialogs_);
    } else {
      form_ = std::make_unique<Form2>(dice_, dialogs_);
    }
    form_->Form_Load();
    checkScreen();
  }

  void clickCommand(const std::vector<Token>& t) {
    Form2& f = running();
    std::size_t next = 0;
    Control& c = control(t, 1, next);
    if (next != t.size()) fail("nothing after the control");
    for (const Control* at = &c; at != nullptr; at = at->container) {
      const std::string which = at == &c ? "it" : "the frame " + at->displayName() + " around it";
      if (!at->visible) fail(c.displayName() + " clickable, found " + which + " hidden");
      if (!at->enabled) fail(c.displayName() + " clickable, found " + which + " disabled");
    }
    f.click(c);
    checkScreen();
  }

  void checkScreen() const {
    if (!check_) return;
    if (const std::string wrong = check_(*form_); !wrong.empty()) {
      fail("a tidy screen, found " + wrong);
    }
  }

  void diceCommand(const std::vector<Token>& t, int line) {
    if (t.size() < 2) fail("at least one value after `dice`");
    for (std::size_t i = 1; i < t.size(); ++i) dice_.queue({number(t[i]), std::nullopt, line});
  }

  void rollCommand(const std::vector<Token>& t, int line) {
    arity(t, 4, 4);
    dice_.queue({number(t[3]), std::make_pair(number(t[1]), number(t[2])), line});
  }

  void answerCommand(const std::vector<Token>& t, int line) {
    arity(t, 2, 2);
    if (t[1].text != "yes" && t[1].text != "no") fail("`yes` or `no` after `answer`");
    dialogs_.queueAnswer(t[1].text == "yes", line);
  }

  void expectCommand(const std::vector<Token>& t) {
    if (t.size() < 2) fail("what to expect");
    const std::string& what = t[1].text;
    Form2& f = form();

    if (what == "title") {
      arity(t, 3, 3);
      if (f.title != t[2].text) fail("title " + quote(t[2].text) + ", found " + quote(f.title));
      return;
    }
    if (what == "ended") {
      arity(t, 2, 2);
      if (!f.ended()) fail("the program ended, found it running");
      return;
    }
    if (what == "history") {
      std::vector<std::string> expected;
      for (std::size_t i = 2; i < t.size(); ++i) expected.push_back(t[i].text);
      if (f.List1.items != expected) fail("history " + list(expected) + ", found " + list(f.List1.items));
      return;
    }
    if (what == "message") {
      arity(t, 4, 4);
      auto& unchecked = dialogs_.unchecked();
      if (unchecked.empty()) {
        fail("the message " + quote(t[2].text) + " " + quote(t[3].text) + ", found no message");
      }
      const auto m = unchecked.front();
      unchecked.pop_front();
      if (m.prompt != t[2].text || m.title != t[3].text) {
        fail("the message " + quote(t[2].text) + " " + quote(t[3].text) + ", found " +
             quote(m.prompt) + " " + quote(m.title));
      }
      return;
    }
    if (what == "log") {
      // The newest roll of the game log, as its plain text reads, holds every string given;
      // with none, nothing has been logged.
      const std::vector<LogEntry>& entries = f.gameLog().entries();
      if (t.size() == 2) {
        if (!entries.empty()) fail("an empty game log, found " + quote(entryText(entries.back())));
        return;
      }
      if (entries.empty()) fail("a roll in the game log holding " + quote(t[2].text) + ", found none");
      const std::string text = entryText(entries.back());
      for (std::size_t i = 2; i < t.size(); ++i) {
        if (!t[i].quoted) fail("strings after `expect log`");
        if (text.find(t[i].text) == std::string::npos) {
          fail("the latest roll in the game log holding " + quote(t[i].text) + ", found " +
               quote(text));
        }
      }
      return;
    }
    if (what == "odds") {
      arity(t, 4, 4);
      if (!t[2].quoted || !t[3].quoted) fail("two strings after `expect odds`");
      const odds::Odds o = f.odds();
      const odds::Line* line = odds::firstLine(o, t[2].text);
      if (line == nullptr) {
        fail("odds naming " + quote(t[2].text) + ", found " + oddsShown(o));
      }
      if (odds::percent(line->chance) != t[3].text) {
        fail("odds of " + quote(t[2].text) + " reading " + quote(t[3].text) + ", found " +
             quote(odds::percent(line->chance)));
      }
      return;
    }
    if (what == "odds-message") {
      arity(t, 3, 3);
      if (!t[2].quoted) fail("a string after `expect odds-message`");
      const odds::Odds o = f.odds();
      if (o.message != t[2].text) {
        fail("the odds message " + quote(t[2].text) + ", found " + oddsShown(o));
      }
      return;
    }

    std::size_t next = 0;
    Control& c = control(t, 2, next);
    const std::string name = c.displayName();
    if (what == "text" || what == "prefix") {
      if (next + 1 != t.size() || !t[next].quoted) fail("one string after the control");
      const std::string& s = t[next].text;
      const bool ok = what == "text" ? c.caption == s : c.caption.starts_with(s);
      if (!ok) fail(name + (what == "text" ? " reading " : " starting with ") + quote(s) + ", found " + quote(c.caption));
      return;
    }
    if (next != t.size()) fail("nothing after the control");
    struct Flag {
      const char* word;
      const char* opposite;
      bool Control::*member;
      bool wanted;
    };
    static const Flag flags[] = {
        {"visible", "hidden", &Control::visible, true},     {"hidden", "visible", &Control::visible, false},
        {"enabled", "disabled", &Control::enabled, true},   {"disabled", "enabled", &Control::enabled, false},
        {"selected", "unselected", &Control::value, true},  {"unselected", "selected", &Control::value, false},
        {"checked", "unchecked", &Control::value, true},    {"unchecked", "checked", &Control::value, false},
    };
    for (const Flag& flag : flags) {
      if (what != flag.word) continue;
      const bool isOptionCheck = what == "selected" || what == "unselected";
      const bool isBoxCheck = what == "checked" || what == "unchecked";
      if (isOptionCheck && c.kind != ControlKind::Option) fail(name + " to be an option button");
      if (isBoxCheck && c.kind != ControlKind::CheckBox) fail(name + " to be a check box");
      if (c.*flag.member != flag.wanted) fail(name + " " + flag.word + ", found it " + flag.opposite);
      return;
    }
    wrong("unknown expectation " + quote(what));
  }

  // What the odds window shows, in a failure's words.
  static std::string oddsShown(const odds::Odds& o) {
    if (!o.message.empty()) return "the message " + quote(o.message);
    std::string out;
    for (const odds::Section& section : o.sections) {
      for (const odds::Line& line : section.lines) {
        out += (out.empty() ? "" : " ") + quote(line.word) + " " + odds::percent(line.chance);
      }
    }
    return out.empty() ? "no odds" : out;
  }

  static std::string list(const std::vector<std::string>& items) {
    if (items.empty()) return "(empty)";
    std::string out;
    for (const auto& item : items) out += (out.empty() ? "" : " ") + quote(item);
    return out;
  }

  fs::path scenarioDir_;
  ScreenCheck check_;
  ScriptedDice dice_;
  PlayOptions options_;
  ScriptedEntries asker_;
  OwnDice ownDice_;
  RecordingDialogs dialogs_;
  std::unique_ptr<Form2> form_;
};

}  // namespace

Outcome play(const std::string& path, const ScreenCheck& check) {
  return play(path, check, PlayOptions{});
}

Outcome play(const std::string& path, const ScreenCheck& check, const PlayOptions& options) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {false, path + ": cannot open the scenario file"};
  if (!path.ends_with(".scn")) return {false, path + ": a scenario file ends in .scn"};

  int lineNumber = 0;
  try {
    const fs::path dir = fs::absolute(fs::path(path)).parent_path();
    TemporaryWorkingDirectory workingDirectory;
    Player player(dir, check, options);
    std::string line;
    while (std::getline(in, line)) {
      ++lineNumber;
      player.playLine(in, line, lineNumber);
    }
    lineNumber = std::max(lineNumber, 1);
    player.finish();
  } catch (const Failure& failure) {
    return {false, path + ":" + std::to_string(lineNumber) + ": " + failure.what()};
  } catch (const std::exception& error) {
    return {false, path + ":" + std::to_string(lineNumber) + ": " + error.what()};
  }
  return {};
}

}  // namespace vnt::scenario
