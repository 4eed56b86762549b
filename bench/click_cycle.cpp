// vnt-click-cycle [CYCLES]: how long a player's click takes in the real window, from the
// click to the last widget brought up to date. Plays CYCLES steal situations (chart button,
// rating, "Stealing", "&Continue") in the offscreen window and prints the time per click,
// with and without painting the window after each click.

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
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

}  // namespace

int main(int argc, char** argv) {
  const int cycles = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
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
