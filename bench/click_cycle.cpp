// vnt-click-cycle [CYCLES]: how long a player's click takes in the real window, from the
// click to the last widget brought up to date. Plays CYCLES steal situations (chart button,
// rating, "Stealing", "&Continue") in the offscreen window and prints the time per click,
// with and without painting the window after each click. bench/instructions.sh counts the
// instructions of the same clicks.
//
// vnt-click-cycle --memory: 10,000 such clicks, each followed by the events it leaves, as in
// the program; prints the resident memory after 1,000 and after 10,000.

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <string>

#include "shell/dialogs.h"
#include "shell/dice.h"
#include "shell/form2.h"
#include "ui/qt/qt_window.h"

namespace {

class SilentDialogs final : public vnt::Dialogs {
 public:
  void ok(const std::string&, const std::string&) override {}
  bool yesNo(const std::string&, const std::string&) override { return false; }
};

// The process's resident memory in KiB, or -1 when the system does not say.
long residentKiB() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmRSS:") {
      long kib = -1;
      status >> kib;
      return kib;
    }
    status.ignore(1 << 16, '\n');
  }
  return -1;
}

// The next control of the steal cycle that the player can click.
class StealCycle {
 public:
  explicit StealCycle(vnt::Form2& form) : form_(form) {}
  vnt::Control& next() {
    for (;;) {
      vnt::Control* controls[] = {&form_.cmdChart[10], &form_.optJump[(step_ / 4) % 14],
                                  &form_.cmdStealing, &form_.cmdCancel};
      vnt::Control* control = controls[step_ % 4];
      ++step_;
      if (control->reachable()) return *control;  // a follow-up left "Stealing" hidden
    }
  }

 private:
  vnt::Form2& form_;
  long step_ = 0;
};

int memory(vnt::QtWindow& window, vnt::Form2& form) {
  StealCycle cycle(form);
  long after1000 = 0;
  for (long click = 1; click <= 10000; ++click) {
    window.click(cycle.next());
    QApplication::processEvents();
    if (click == 1000) after1000 = residentKiB();
  }
  const long after10000 = residentKiB();
  std::printf("resident after 1,000 clicks: %ld KiB\n", after1000);
  std::printf("resident after 10,000 clicks: %ld KiB\n", after10000);
  std::printf("growth: %.2f MiB (goal: within 2 MiB)\n",
              static_cast<double>(after10000 - after1000) / 1024.0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const bool memoryOnly = argc > 1 && std::string(argv[1]) == "--memory";
  const int cycles = argc > 1 && !memoryOnly ? std::max(1, std::atoi(argv[1])) : 2000;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  vnt::ClockDice dice;
  SilentDialogs dialogs;
  vnt::Form2 form(dice, dialogs);
  form.Form_Load();
  form.select(form.optYear[0]);
  form.cmdCancel_Click();  // the chart menu, no season files needed for the steal chart
  vnt::QtWindow window(form);
  window.show();
  QApplication::processEvents();
  if (memoryOnly) return memory(window, form);

  for (const bool paint : {false, true}) {
    long clicks = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < cycles; ++i) {
      for (vnt::Control* control :
           {&form.cmdChart[10], &form.optJump[i % 14], &form.cmdStealing, &form.cmdCancel}) {
        if (!control->reachable()) continue;  // a follow-up left "Stealing" hidden
        window.click(*control);
        if (paint) window.repaint();
        ++clicks;
      }
    }
    const std::chrono::duration<double, std::micro> spent =
        std::chrono::steady_clock::now() - start;
    std::printf("%s: %.1f us per click (%ld clicks)\n",
                paint ? "click, model, widgets and painting" : "click, model and widgets",
                spent.count() / static_cast<double>(clicks), clicks);
  }
  return 0;
}
