// VNT Assistant: the one window. Season files are read from the working directory, or from
// the folder the command line names (see app/command_line.h).

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "app/command_line.h"
#include "app/display_check.h"
#include "app/quit_when_shown.h"
#include "app/season_offer.h"
#include "shell/dice.h"
#include "shell/form2.h"
#include "shell/game_book.h"
#include "shell/own_dice.h"
#include "shell/settings.h"
#include "ui/qt/die_box.h"
#include "ui/qt/game_log_window.h"
#include "ui/qt/odds_window.h"
#include "ui/qt/private_runtime.h"
#include "ui/qt/qt_dialogs.h"
#include "ui/qt/qt_window.h"

namespace {

namespace fs = std::filesystem;

bool isSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

std::optional<std::string> environment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

// The sample seasons installed with the program.
fs::path sampleSeasonFolder() {
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  return vnt::app::installedSeasonFolder(error ? fs::path() : executable, VNT_INSTALLED_SEASONS);
}

fs::path seasonFolder(const vnt::app::Options& options) {
  if (options.seasons) return *options.seasons;
  if (!options.userSeasons) return ".";
  return vnt::app::desktopSeasonFolder(vnt::app::userSeasonFolder(environment),
                                       sampleSeasonFolder());
}

std::vector<int> offeredSeasons(const vnt::Form2& form) {
  std::vector<int> seasons;
  for (const vnt::Control& option : form.optYear) {
    if (option.enabled) seasons.push_back(vnt::kFirstSeason + option.index);
  }
  return seasons;
}

}  // namespace

int main(int argc, char** argv) {
  const vnt::app::Options options =
      vnt::app::parseCommandLine(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
  switch (options.action) {
    case vnt::app::Options::Action::Help:
      std::cout << vnt::app::usage();
      return 0;
    case vnt::app::Options::Action::Version:
      std::cout << vnt::app::versionText() << "\n";
      return 0;
    case vnt::app::Options::Action::Usage:
      std::cerr << "vnt-assistant: " << options.error << "\n" << vnt::app::usage();
      return 2;
    case vnt::app::Options::Action::Run:
      break;
  }

  // The season check reads the working directory; the chosen folder becomes it.
  const fs::path folder = seasonFolder(options);
  std::error_code error;
  fs::current_path(folder, error);
  if (error) {
    std::cerr << "vnt-assistant: cannot open the season folder " << folder.string() << ": "
              << error.message() << "\n";
    return 1;
  }

  // Without a display Qt would abort with a long plugin report; say what is wrong instead.
  if (!isSet("QT_QPA_PLATFORM") && !isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY")) {
    std::cerr << "vnt-assistant: no display found (DISPLAY is not set); start it from a "
                 "desktop session or under Xvfb\n";
    return 1;
  }
  // Nor when the display named does not answer.
  if (const auto unreachable = vnt::app::unreachableDisplay(environment)) {
    std::cerr << *unreachable;
    return 1;
  }

  vnt::qt::usePrivateRuntimeFolder();
  // Qt's own options are not offered: the command line above is the whole of it.
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  QApplication::setApplicationName(QStringLiteral("vnt-assistant"));
  QApplication::setApplicationVersion(QString::fromStdString(vnt::app::versionText()));
  // Ties the window to the menu entry and its icon on desktops that ask (Wayland).
  QGuiApplication::setDesktopFileName(QStringLiteral("vnt-assistant"));

  // The player's own dice when "Roll my own dice" is on; the clock dice otherwise.
  vnt::ClockDice clockDice;
  vnt::QtDieAsker dieBox;
  vnt::OwnDice dice(clockDice, dieBox);
  vnt::QtDialogs dialogs;
  vnt::Form2 form(dice, dialogs);
  form.Form_Load();
  const std::vector<int> offered = offeredSeasons(form);
  if (offered.empty()) std::cerr << vnt::app::noSeasonLine(fs::current_path(error));

  vnt::QtWindow window(form);
  dialogs.attach(&window, [&window] { window.sync(); });
  dieBox.attach(&window, [&window] { window.sync(); });
#ifdef VNT_QUIT_WHEN_SHOWN
  const bool quitWhenShown = true;
#else
  const bool quitWhenShown = options.selfTest;
#endif
  // The game is written as it is played, into the last game's file again; made after the
  // window so that it goes first. A self-test keeps no game.
  std::optional<vnt::GameBook> book;
  if (!options.selfTest) {
    book.emplace(form.gameLog(), vnt::gamesFolder());
    book->openLast();
  }
  // A game file that cannot be written is said once; play goes on.
  if (book && !quitWhenShown) vnt::attachGameBook(window, *book, dialogs);
  // F2 or the right-click menu opens it beside the window.
  vnt::OddsWindow odds(window);
  vnt::attachOddsWindow(window, odds);
  // F3 or the right-click menu opens the game log.
  vnt::GameLogWindow gameLog(window, [&book, &form] {
    if (book) {
      book->newGame();
    } else {
      form.gameLog().clear();
    }
  });
  vnt::attachGameLogWindow(window, gameLog);
  gameLog.setBook(book ? &*book : nullptr, &dialogs);
  // The zoom and the tool windows as the last run left them; a self-test neither reads nor
  // writes them, so it always sees the same window.
  const fs::path settingsFile = options.selfTest ? fs::path() : vnt::settings::file(environment);
  vnt::settings::Settings settings = vnt::settings::load(settingsFile);
  // Restored from a copy: the window may save its settings (a zoom fitted to the screen as it
  // is placed) before the tool windows are back, and that would save them closed.
  const vnt::settings::Settings saved = settings;
  window.setZoom(settings.zoom);
  dice.setOn(settings.ownDice);
  const auto remember = [&] {
    settings.zoom = window.zoom();
    settings.odds = odds.place();
    settings.gameLog = gameLog.place();
    settings.ownDice = dice.on();
    if (!settingsFile.empty() && !vnt::settings::save(settingsFile, settings)) {
      std::cerr << "vnt-assistant: cannot save the settings to " << settingsFile.string() << "\n";
    }
  };
  window.onZoomed([&remember](int) { remember(); });
  vnt::attachOwnDice(window, dice, [&remember](bool) { remember(); });
  window.onClosing(remember);
  QuitWhenShown quit;
  if (quitWhenShown) window.installEventFilter(&quit);
  window.show();
  odds.restore(saved.odds);
  gameLog.restore(saved.gameLog);
  if (offered.empty() && !quitWhenShown) {
    // A menu launch shows no standard error: the player is told in the window, once.
    const fs::path checked = fs::current_path(error);
    QTimer::singleShot(0, &window, [&form, &dialogs, &window, checked] {
      if (vnt::app::offerSampleSeasons(form, dialogs, checked, sampleSeasonFolder())) window.sync();
    });
  }
  const int status = QApplication::exec();
  if (!options.selfTest) return status;

  std::cout << "vnt-assistant: seasons offered from " << fs::current_path(error).string() << ":";
  for (int season : offered) std::cout << " " << season;
  std::cout << (offered.empty() ? " none\n" : "\n");
  return status != 0 ? status : (offered.empty() ? 1 : 0);
}
