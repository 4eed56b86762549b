// VNT Assistant: the one window. Season files are read from the working directory.

#include <QApplication>
#include <cstdlib>
#include <iostream>

#include "shell/dice.h"
#include "shell/form2.h"
#include "ui/qt/odds_window.h"
#include "ui/qt/qt_dialogs.h"
#include "ui/qt/qt_window.h"

#ifdef VNT_QUIT_WHEN_SHOWN
#include "bench/quit_when_shown.h"
#endif

namespace {

bool isSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

}  // namespace

int main(int argc, char** argv) {
  // Without a display Qt would abort with a long plugin report; say what is wrong instead.
  if (!isSet("QT_QPA_PLATFORM") && !isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY")) {
    std::cerr << "vnt-assistant: no display found (DISPLAY is not set); start it from a "
                 "desktop session or under Xvfb\n";
    return 1;
  }

  QApplication app(argc, argv);
  vnt::ClockDice dice;
  vnt::QtDialogs dialogs;
  vnt::Form2 form(dice, dialogs);
  form.Form_Load();
  vnt::QtWindow window(form);
  dialogs.attach(&window, [&window] { window.sync(); });
  // F2 or the right-click menu opens it beside the window.
  vnt::OddsWindow odds(window);
  vnt::attachOddsWindow(window, odds);
#ifdef VNT_QUIT_WHEN_SHOWN
  QuitWhenShown quit;
  window.installEventFilter(&quit);
#endif
  window.show();
  return QApplication::exec();
}
