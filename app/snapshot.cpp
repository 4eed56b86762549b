// vnt-snapshot OUT.png [STEP...]: draws the window, as the player would see it after the
// given clicks, to a PNG file. Needs no display. Season files are read from the working
// directory, as the program does.
//
// A step is "click NAME" or "click NAME INDEX" ("click optYear 43" or "click optYear(43)"),
// "answer yes|no" for the next Yes/No box not yet answered (answers queue up, as one click
// may ask two questions), or "dice N" for the next draw (later draws come from the clock).
// Message boxes are printed and answered Yes (or OK) unless a step said otherwise.
// A step "odds" opens the odds window (as F2 does): the picture then shows it where it
// opens, beside the window. "zoom PERCENT" draws the window at that zoom (as Ctrl+Plus and
// Ctrl+Minus do), as far as the screen has room.
//
// OUT.png must end in .png, and an existing file there must be a PNG picture: the tool
// replaces pictures, never a file of another kind given by mistake.

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "shell/dialogs.h"
#include "shell/dice.h"
#include "shell/form2.h"
#include "ui/qt/odds_window.h"
#include "ui/qt/private_runtime.h"
#include "ui/qt/qt_window.h"

namespace {

class PrintingDialogs final : public vnt::Dialogs {
 public:
  // The answers to the next Yes/No boxes, in order (a click may ask two); Yes when none
  // is left.
  std::deque<bool> answers;

  void ok(const std::string& prompt, const std::string& title) override {
    print(prompt, title, "OK");
  }
  bool yesNo(const std::string& prompt, const std::string& title) override {
    const bool yes = answers.empty() || answers.front();
    if (!answers.empty()) answers.pop_front();
    print(prompt, title, yes ? "Yes" : "No");
    return yes;
  }

 private:
  static void print(const std::string& prompt, const std::string& title, const char* answer) {
    std::cout << "message box [" << (title.empty() ? vnt::kApplicationTitle : title)
              << "]: " << prompt << " -> " << answer << "\n";
  }
};

// Draws the values it was given, in order, then falls back on the clock.
class PresetDice final : public vnt::Dice {
 public:
  std::deque<std::int16_t> preset;
  std::int16_t RandomNumber(std::int16_t upper, std::int16_t lower) override {
    if (preset.empty()) return clock_.RandomNumber(upper, lower);
    const std::int16_t value = preset.front();
    preset.pop_front();
    return value;
  }

 private:
  vnt::ClockDice clock_;
};

constexpr const char* kUsage =
    "usage: vnt-snapshot OUT.png [STEP...]\n"
    "Draws the window, as it stands after the steps, to the PNG picture OUT.png (no display\n"
    "needed). Season files are read from the working directory.\n"
    "Steps:\n"
    "  click NAME [INDEX]   click a control (also NAME(INDEX)), e.g. click optYear 43\n"
    "  answer yes|no        the answer to the next Yes/No box (else Yes)\n"
    "  dice N               the value of the next draw (later draws are rolled)\n"
    "  odds                 open the odds window beside the window\n"
    "  zoom PERCENT         draw the window at that zoom\n"
    "OUT.png must end in .png; an existing file there must be a PNG picture.\n";

// Why `out` may not be written, or "" when it may: a name that does not end in .png, or an
// existing file that is not a PNG picture (a text given by mistake is never overwritten).
std::string refusedOutput(const std::string& out) {
  namespace fs = std::filesystem;
  const fs::path path(out);
  std::string extension = path.extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension != ".png" || path.stem().empty()) {
    return "the picture's name must end in .png: \"" + out + "\"";
  }
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (!fs::exists(status)) return {};
  if (!fs::is_regular_file(status)) return "\"" + out + "\" is not a file";
  static constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";
  char head[8] = {};
  std::ifstream file(path, std::ios::binary);
  file.read(head, sizeof head);
  if (fs::file_size(path, error) != 0 &&
      (file.gcount() != sizeof head || std::string(head, 8) != std::string(kSignature, 8))) {
    return "\"" + out + "\" exists and is not a PNG picture; it is left as it is";
  }
  return {};
}

struct Step {
  enum class Kind { Click, Answer, Dice, Odds, Zoom };
  Kind kind = Kind::Click;
  std::string name;
  int index = -1;  // the control's index, or the value of a die
  bool yes = true;
};

std::optional<int> parseIndex(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || text.empty() || value < 0) return std::nullopt;
  return value;
}

// The steps from the words of the command line (a step may also come as one quoted word).
std::optional<std::vector<Step>> parseSteps(int argc, char** argv) {
  std::vector<std::string> words;
  for (int i = 2; i < argc; ++i) {
    for (const QString& word :
         QString::fromLocal8Bit(argv[i]).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
      words.push_back(word.toStdString());
    }
  }
  std::vector<Step> steps;
  for (std::size_t i = 0; i < words.size();) {
    if (words[i] == "answer" && i + 1 < words.size() &&
        (words[i + 1] == "yes" || words[i + 1] == "no")) {
      steps.push_back(Step{Step::Kind::Answer, {}, -1, words[i + 1] == "yes"});
      i += 2;
      continue;
    }
    if (words[i] == "dice" && i + 1 < words.size()) {
      int value = 0;
      const std::string& word = words[i + 1];
      const auto [ptr, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
      if (ec != std::errc() || ptr != word.data() + word.size() || value < -32768 ||
          value > 32767) {
        std::cerr << "vnt-snapshot: bad die value \"" << word << "\"\n";
        return std::nullopt;
      }
      steps.push_back(Step{Step::Kind::Dice, {}, value});
      i += 2;
      continue;
    }
    if (words[i] == "zoom" && i + 1 < words.size()) {
      const auto percent = parseIndex(words[i + 1]);
      if (!percent) {
        std::cerr << "vnt-snapshot: bad zoom \"" << words[i + 1] << "\"\n";
        return std::nullopt;
      }
      steps.push_back(Step{Step::Kind::Zoom, {}, *percent});
      i += 2;
      continue;
    }
    if (words[i] == "odds") {
      steps.push_back(Step{Step::Kind::Odds, {}});
      ++i;
      continue;
    }
    if (words[i] != "click" || i + 1 >= words.size()) {
      std::cerr << "vnt-snapshot: expected \"click NAME [INDEX]\", \"answer yes|no\", \"dice N\", "
                   "\"zoom PERCENT\" or \"odds\" at \""
                << words[i] << "\"\n";
      return std::nullopt;
    }
    Step step{Step::Kind::Click, words[i + 1]};
    i += 2;
    if (const auto open = step.name.find('('); open != std::string::npos) {
      const auto index = step.name.back() == ')'
                             ? parseIndex(step.name.substr(open + 1, step.name.size() - open - 2))
                             : std::nullopt;
      if (!index) {
        std::cerr << "vnt-snapshot: bad control name \"" << step.name << "\"\n";
        return std::nullopt;
      }
      step.name.erase(open);
      step.index = *index;
    } else if (i < words.size()) {
      if (const auto index = parseIndex(words[i])) {
        step.index = *index;
        ++i;
      }
    }
    steps.push_back(step);
  }
  return steps;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << kUsage;
    return 2;
  }
  const std::string first = argv[1];
  if (first == "--help" || first == "-h") {
    std::cout << kUsage;
    return 0;
  }
  if (first.size() > 1 && first.front() == '-') {
    std::cerr << "vnt-snapshot: unknown option \"" << first << "\"\n" << kUsage;
    return 2;
  }
  if (const std::string refusal = refusedOutput(first); !refusal.empty()) {
    std::cerr << "vnt-snapshot: " << refusal << "\n";
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  const auto steps = parseSteps(argc, argv);
  if (!steps) return 2;

  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  vnt::qt::usePrivateRuntimeFolder();
  QApplication app(argc, argv);

  PresetDice dice;
  PrintingDialogs dialogs;
  vnt::Form2 form(dice, dialogs);
  form.Form_Load();
  vnt::QtWindow window(form);
  window.show();
  vnt::OddsWindow odds(window);
  vnt::attachOddsWindow(window, odds);

  for (const Step& step : *steps) {
    if (step.kind == Step::Kind::Answer) {
      dialogs.answers.push_back(step.yes);
      continue;
    }
    if (step.kind == Step::Kind::Dice) {
      dice.preset.push_back(static_cast<std::int16_t>(step.index));
      continue;
    }
    if (step.kind == Step::Kind::Odds) {
      odds.toggle();
      continue;
    }
    if (step.kind == Step::Kind::Zoom) {
      window.setZoom(step.index);
      continue;
    }
    vnt::Control* control = form.find(step.name, step.index);
    const std::string shown =
        step.index < 0 ? step.name : step.name + "(" + std::to_string(step.index) + ")";
    if (control == nullptr) {
      std::cerr << "vnt-snapshot: no control named " << shown << "\n";
      return 1;
    }
    if (!control->reachable()) {
      std::cerr << "vnt-snapshot: " << shown << " cannot be clicked (hidden or disabled)\n";
      return 1;
    }
    window.click(*control);
    if (form.ended()) {
      std::cout << "the program ended at " << shown << "\n";
      break;
    }
  }

  window.sync();
  QApplication::processEvents();
  QPixmap picture = window.grab();
  if (odds.isVisible()) {
    // Both windows as they stand on the screen, on the background of the desktop.
    const QRect mainAt = window.frameGeometry();
    const QRect oddsAt = odds.frameGeometry();
    const QRect both = mainAt.united(oddsAt);
    QPixmap combined(both.size());
    combined.fill(QColor(0x70, 0x80, 0x90));
    QPainter painter(&combined);
    painter.drawPixmap(mainAt.topLeft() - both.topLeft(), picture);
    painter.drawPixmap(oddsAt.topLeft() - both.topLeft(), odds.grab());
    painter.end();
    picture = combined;
  }
  if (!picture.save(out, "PNG")) {
    std::cerr << "vnt-snapshot: cannot write " << out.toStdString() << "\n";
    return 1;
  }
  return 0;
}
