// vnt-long-name-paint [NAME_BYTES] [ROUNDS]: how long the offscreen window takes to show a
// season's ballparks when one ballpark name is huge (2 MiB unless told), against the same
// season with ordinary names: from "Select Season" to the first painted ballpark list, and
// one further paint; medians of ROUNDS windows. Also the "No record for <name>" box.

#include <unistd.h>

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "shell/dialogs.h"
#include "shell/dice.h"
#include "shell/form2.h"
#include "ui/qt/qt_window.h"
#include "ui/qt/text_fit.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

class SilentDialogs final : public vnt::Dialogs {
 public:
  void ok(const std::string&, const std::string&) override {}
  bool yesNo(const std::string&, const std::string&) override { return false; }
};

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A season of thirty ballparks whose first name is `first`; every check value is right.
void writeSeason(const fs::path& dir, const std::string& first) {
  fs::create_directories(dir);
  std::ofstream deep(dir / "1972Deep.vnt", std::ios::binary);
  std::ofstream bpe(dir / "1972BPE.vnt", std::ios::binary);
  deep << "30\r\n";
  for (int r = 0; r < 30; ++r) {
    const std::string name = r == 0 ? first : "Ballpark " + std::to_string(r + 1);
    deep << '"' << name << '"';
    for (int i = 0; i < 16; ++i) deep << ",1";
    deep << "\r\n";
    bpe << "1,1,1,1,1,1,1,1,\"" << name << "\"\r\n";
  }
  deep << 30 * 16 * 2 - 2345 << "\r\n";
  bpe << 30 * 7 * 2 - 2345 << "\r\n";
}

struct Timing {
  double show;   // "Select Season", the chart, and the first paint
  double paint;  // one more paint
};

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

Timing measure(const fs::path& dir, int rounds) {
  const fs::path previous = fs::current_path();
  fs::current_path(dir);
  std::vector<double> shows;
  std::vector<double> paints;
  for (int round = 0; round < rounds; ++round) {
    vnt::ClockDice dice;
    SilentDialogs dialogs;
    vnt::Form2 form(dice, dialogs);
    form.Form_Load();
    vnt::QtWindow window(form);
    window.show();
    QApplication::processEvents();

    const auto start = Clock::now();
    window.click(form.optYear[0]);
    window.click(form.cmdYear);
    window.click(form.cmdChart[0]);  // ballpark effects: the ballpark list
    (void)window.grab();
    shows.push_back(millisecondsSince(start));

    const auto paintStart = Clock::now();
    (void)window.grab();
    paints.push_back(millisecondsSince(paintStart));
  }
  fs::current_path(previous);
  return {median(shows), median(paints)};
}

}  // namespace

int main(int argc, char** argv) {
  const long nameBytes = argc > 1 ? std::max(1L, std::atol(argv[1])) : 2L * 1024 * 1024;
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  const fs::path root = fs::temp_directory_path() / ("vnt_long_name_" + std::to_string(::getpid()));
  const std::string longName(static_cast<std::size_t>(nameBytes), 'M');
  writeSeason(root / "normal", "Ballpark 1");
  writeSeason(root / "long", longName);

  const Timing normal = measure(root / "normal", rounds);
  const Timing huge = measure(root / "long", rounds);
  std::printf("ordinary names:     %8.1f ms to show the ballparks, %6.2f ms per paint\n",
              normal.show, normal.paint);
  std::printf("%7ld-byte name:   %8.1f ms to show the ballparks, %6.2f ms per paint\n", nameBytes,
              huge.show, huge.paint);
  std::printf("ratio:              %8.2f                        %6.2f\n", huge.show / normal.show,
              huge.paint / normal.paint);

  // The message a chart shows when the file lost the record, laid out at its size.
  const auto boxStart = Clock::now();
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("VNT Assistant"), QString(), QMessageBox::Ok);
  box.setTextFormat(Qt::PlainText);
  const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
  box.setText(
      vnt::messageText("No record for " + longName + " in 1972Deep.vnt", box.font(), screen));
  const QSize boxSize = box.sizeHint();
  std::printf("\"No record for\" box: %.1f ms, %d x %d pixels on a %d x %d screen\n",
              millisecondsSince(boxStart), boxSize.width(), boxSize.height(), screen.width(),
              screen.height());

  std::error_code ignored;
  fs::remove_all(root, ignored);
  return 0;
}
