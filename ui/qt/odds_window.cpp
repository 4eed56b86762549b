#include "ui/qt/odds_window.h"

#include <QKeySequence>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "shell/form2.h"
#include "shell/odds.h"
#include "ui/qt/qt_window.h"

namespace vnt {
namespace {

constexpr int kWidth = 400;     // room for the longest outcome word, its percentage and bar
constexpr int kBarWidth = 100;  // a bar's length at 100 %, in pixels
const char* const kBarColor = "#2f6db5";

// A bar as long as the chance: a filled cell beside an empty one in a table of fixed width,
// at least a pixel for any chance above none, so an unlikely outcome still shows; as long
// as the window's zoom makes it.
QString bar(const odds::Chance& chance, double scale) {
  const int full = std::max(1, static_cast<int>(std::lround(kBarWidth * scale)));
  const double share = static_cast<double>(chance.numerator()) /
                       static_cast<double>(std::max<std::uint64_t>(1, chance.denominator()));
  const int length = std::clamp(static_cast<int>(std::lround(share * full)), 1, full);
  QString cells = QStringLiteral("<td width=\"%1\" bgcolor=\"%2\"></td>")
                      .arg(length)
                      .arg(QLatin1String(kBarColor));
  if (length < full) cells += QStringLiteral("<td width=\"%1\"></td>").arg(full - length);
  return QStringLiteral(
             "<td width=\"%1\"><table cellspacing=\"0\" cellpadding=\"0\" width=\"%2\" "
             "height=\"9\"><tr>%3</tr></table></td>")
      .arg(full + 6)
      .arg(full)
      .arg(cells);
}

QString html(const std::string& text) {
  return QString::fromStdString(text).toHtmlEscaped();
}

// The odds as rich text: the chart, the selections assumed, then each roll's outcomes
// with their percentages right-aligned.
QString oddsHtml(const odds::Odds& odds, double scale) {
  QString out;
  if (!odds.chart.empty()) out += "<p><b>" + html(odds.chart) + "</b></p>";
  if (!odds.assumptions.empty()) {
    out += "<p>";
    for (const std::string& assumption : odds.assumptions) out += html(assumption) + "<br>";
    out += "</p>";
  }
  const auto lines = [](const std::string& text) {
    QString shown = html(text);
    shown.replace("\n", "<br>");
    return shown;
  };
  if (!odds.message.empty()) {
    out += "<p><i>" + lines(odds.message) + "</i></p>";
    if (!odds.next.empty()) out += "<p>" + lines(odds.next) + "</p>";
    return out;
  }
  if (!odds.next.empty()) out += "<p>" + lines(odds.next) + "</p>";
  for (const odds::Section& section : odds.sections) {
    out += "<p><b>" + html(section.shownHeading()) +
           "</b></p><table width=\"100%\" cellspacing=\"0\" cellpadding=\"1\">";
    for (const odds::Line& line : section.lines) {
      out += "<tr><td>" + html(line.word) + "</td><td align=\"right\">" +
             html(odds::percent(line.chance)) + "</td>" + bar(line.chance, scale) + "</tr>";
    }
    out += "</table>";
  }
  return out;
}

}  // namespace

OddsWindow::OddsWindow(QtWindow& main)
    : ToolWindow(main, QStringLiteral("Odds"), QStringLiteral("oddsWindow"), kWidth, Side::Right),
      main_(main) {}

void OddsWindow::build() {
  text_ = new QLabel;
  text_->setObjectName(QStringLiteral("oddsText"));
  text_->setTextFormat(Qt::RichText);
  text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  text_->setWordWrap(true);
  text_->setMargin(6);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* scroll = new QScrollArea;
  scroll->setWidget(text_);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scroll);
}

void OddsWindow::refresh() {
  if (text_ == nullptr) build();
  const QString shown = oddsHtml(main_.form().odds(), main_.scale());
  if (text_->text() != shown) text_->setText(shown);
}

QString OddsWindow::shownText() const {
  return text_ != nullptr ? text_->text() : oddsHtml(main_.form().odds(), main_.scale());
}

void attachOddsWindow(QtWindow& main, OddsWindow& odds) {
  attachToolWindow(main, odds, QKeySequence(Qt::Key_F2), QStringLiteral("Odds"),
                   QStringLiteral("oddsAction"));
}

}  // namespace vnt
