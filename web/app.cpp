// The web edition's bridge: the page reads the window's state as JSON and sends clicks.
// Message boxes wait for the page's in-page dialog through Asyncify, so the model's
// synchronous questions (also the two in the middle of the bunt roll) stay as they are.

#include <emscripten.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "season_check.h"
#include "shell/accessibility_rules.h"
#include "shell/caption_fit.h"
#include "shell/click_handlers.h"
#include "shell/dialogs.h"
#include "shell/dice.h"
#include "shell/focus_rules.h"
#include "shell/form2.h"
#include "shell/game_log.h"
#include "shell/odds.h"
#include "shell/own_dice.h"
#include "shell/settings.h"
#include "shell/zoom.h"
#include "web/page_captions.h"

namespace {

using vnt::web::kindName;
using vnt::web::shownCaption;
using vnt::web::ShownCaption;

// Shows the page's dialog and suspends the click until the player answers (1 = Yes/OK).
// The body is JavaScript, which clang-format would take apart.
// clang-format off
EM_ASYNC_JS(int, vntShowDialog, (const char* prompt, const char* title, int yesNo), {
  return await Module.showDialog(UTF8ToString(prompt), UTF8ToString(title), yesNo !== 0);
});
// The page's die box: shows what is asked (and why the last entry was refused) and suspends
// the click until the player answers. Writes the typed text into `typed` (at most `size`
// bytes with its terminator) and gives 1, or 0 for "Roll for me" (also Escape).
EM_ASYNC_JS(int, vntAskDie, (const char* chart, const char* asked, const char* range,
                             const char* refusal, int lower, int upper, char* typed, int size), {
  const text = await Module.askDie(UTF8ToString(chart), UTF8ToString(asked), UTF8ToString(range),
                                   UTF8ToString(refusal), lower, upper);
  if (text === null) return 0;
  // A text too long for the buffer is not cut short into another number: a run of digits
  // stays a number (too large for any range), anything else stays no number.
  const plain = text.trim().replace("−", "-");
  const body = plain.startsWith("-") ? plain.slice(1) : plain;
  const digits = body.length > 0 && [...body].every((c) => c >= "0" && c <= "9");
  const kept = lengthBytesUTF8(text) < size ? text : digits ? "9".repeat(size - 1) : "?";
  stringToUTF8(kept, typed, size);
  return 1;
});
// clang-format on

class PageDialogs final : public vnt::Dialogs {
 public:
  void ok(const std::string& prompt, const std::string& title) override {
    vntShowDialog(prompt.c_str(), shown(title).c_str(), 0);
  }
  bool yesNo(const std::string& prompt, const std::string& title) override {
    return vntShowDialog(prompt.c_str(), shown(title).c_str(), 1) != 0;
  }

 private:
  static std::string shown(const std::string& title) {
    return title.empty() ? std::string(vnt::kApplicationTitle) : title;
  }
};

void appendJson(std::string& out, const std::string& text) {
  out += '"';
  for (const unsigned char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          static const char* hex = "0123456789abcdef";
          out += "\\u00";
          out += hex[c >> 4];
          out += hex[c & 15];
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  out += '"';
}

// The real dice, except that the browser tests can queue the next values to make a click
// land on a chosen outcome (each queued value is clamped to the draw's bounds).
class PageDice final : public vnt::Dice {
 public:
  std::int16_t RandomNumber(std::int16_t upper, std::int16_t lower) override {
    if (queued_.empty()) return clock_.RandomNumber(upper, lower);
    const int value = queued_.front();
    queued_.pop_front();
    return static_cast<std::int16_t>(value < lower ? lower : value > upper ? upper : value);
  }
  void queue(int value) { queued_.push_back(value); }

 private:
  vnt::ClockDice clock_;
  std::deque<int> queued_;
};

// "Roll my own dice" in the page: each die is asked for in the page's die box, with the
// same texts as the desktop's box; an entry the model refuses keeps the box up with the
// reason, so only a value within the die's range ever reaches a chart.
class PageDieAsker final : public vnt::DieAsker {
 public:
  std::optional<int> askDie(const vnt::DieRequest& request) override {
    const std::string chart = vnt::dieChart(request);
    const std::string range = vnt::dieRange(request);
    const std::string asked = vnt::dieAsked(request);
    std::string refusal;
    char typed[64];
    for (;;) {
      if (vntAskDie(chart.c_str(), asked.c_str(), range.c_str(), refusal.c_str(), request.lower,
                    request.upper, typed, static_cast<int>(sizeof typed)) == 0) {
        return std::nullopt;
      }
      const vnt::DieEntry entry = vnt::readDieEntry(typed, request);
      if (entry.value) return entry.value;
      refusal = entry.refusal;
    }
  }
};

// The page's setting, kept over a restart on other season files.
bool ownDiceOn = false;

struct App {
  PageDice dice;
  PageDieAsker asker;
  vnt::OwnDice ownDice{dice, asker};
  PageDialogs dialogs;
  vnt::Form2 form{ownDice, dialogs};
};
std::unique_ptr<App> app;
std::string stateText;
// What the page remembers, as the settings text holds it (a place the desktop's text gave a
// tool window is kept as it was, though the page has no use for it).
vnt::settings::Settings pageSettings;
// The text the page kept, as last read: what merge() keeps of it.
std::string keptSettingsText;
std::string settingsText;
std::string oddsText;
std::string logShown;
// The lines each list shows on the page, for the model's rule on what a change adds.
std::map<const vnt::Control*, std::vector<std::string>> listsShown;
// Each control's state as last sent to the page, so a state sends only what changed.
std::vector<std::string> sentState;

// On screen: the control and every frame around it visible.
bool shownOnScreen(const vnt::Control& control) {
  for (const vnt::Control* c = &control; c != nullptr; c = c->container) {
    if (!c->visible) return false;
  }
  return true;
}

// A control's number in the model's list, which stays as it is for a model's life.
std::unordered_map<const vnt::Control*, int> ids;
int idOf(const vnt::Control* control) {
  if (ids.empty()) {
    const auto& all = app->form.controls();
    for (std::size_t i = 0; i < all.size(); ++i) ids.emplace(all[i], static_cast<int>(i));
  }
  const auto found = ids.find(control);
  return found == ids.end() ? -1 : found->second;
}

void appendNumber(std::string& out, double value) {
  char number[32];
  std::snprintf(number, sizeof number, "%g", value);
  out += number;
}

// Where a control stands in the model's orders, for the page: its place in Tab order (0 for a
// control that takes no focus), in the tree of elements, and whether Tab stops at it.
struct Places {
  int tab = 0;
  int tree = 0;
  bool stop = false;
};

// One control's state as the page draws it, as a JSON object.
std::string controlJson(const vnt::Control& c, int id, const Places& places) {
  std::string out = "{\"id\":" + std::to_string(id);
  out += ",\"name\":";
  appendJson(out, c.name);
  out += ",\"index\":" + std::to_string(c.index);
  out += ",\"kind\":\"" + std::string(kindName(c.kind)) + "\"";
  out += ",\"container\":" + std::to_string(c.container ? idOf(c.container) : -1);
  out += ",\"left\":" + std::to_string(c.layout.left);
  out += ",\"top\":" + std::to_string(c.layout.top);
  out += ",\"width\":" + std::to_string(c.layout.width);
  out += ",\"height\":" + std::to_string(c.layout.height);
  out += ",\"pointSize\":" + std::to_string(c.font.pointSize);
  out += std::string(",\"bold\":") + (c.font.bold ? "true" : "false");
  out += std::string(",\"visible\":") + (c.visible ? "true" : "false");
  out += std::string(",\"enabled\":") + (c.enabled ? "true" : "false");
  out += std::string(",\"value\":") + (c.value ? "true" : "false");
  out += std::string(",\"literal\":") + (c.literalCaption ? "true" : "false");
  out += ",\"backColor\":" + (c.backColor ? std::to_string(*c.backColor) : std::string("null"));
  const ShownCaption& caption = shownCaption(c, static_cast<std::size_t>(id), shownOnScreen(c));
  out += ",\"caption\":";
  appendJson(out, caption.caption);
  out += ",\"shown\":";
  appendJson(out, caption.text);
  out += ",\"points\":";
  appendNumber(out, caption.points);
  out += ",\"tab\":" + std::to_string(places.tab);
  out += ",\"order\":" + std::to_string(places.tree);
  out += std::string(",\"stop\":") + (places.stop ? "true" : "false");
  out += std::string(",\"status\":") +
         (vnt::liveRegion(c) == vnt::LiveRegion::Status ? "true" : "false");
  out += ",\"accessibleName\":";
  appendJson(out, vnt::accessibleName(c, caption.caption));
  out += std::string(",\"announces\":") + (vnt::announcesCaptionChange(c) ? "true" : "false");
  if (c.kind == vnt::ControlKind::ListBox) {
    // Which lines go from the top and which are new, so only new lines are announced.
    std::vector<std::string>& shown = listsShown[&c];
    const vnt::ListUpdate update = vnt::listUpdate(shown, c.items);
    out += ",\"dropped\":" + std::to_string(update.dropped);
    out += ",\"firstNew\":" + std::to_string(update.firstNew);
    shown = c.items;
  }
  out += ",\"items\":[";
  for (std::size_t i = 0; i < c.items.size(); ++i) {
    if (i) out += ',';
    appendJson(out, c.items[i]);
  }
  out += "]}";
  return out;
}

}  // namespace

extern "C" {

// Starts the program on the season files of `folder` (the built-in samples, or the files the
// player opened): the same start-up check as the desktop program's, in that folder.
EMSCRIPTEN_KEEPALIVE int vnt_start(const char* folder) {
  if (::chdir(folder) != 0) return 0;
  listsShown.clear();
  sentState.clear();
  ids.clear();
  vnt::web::forgetShownCaptions();
  // Other season files in the middle of an evening: the game so far stays in the log.
  std::vector<vnt::LogEntry> played;
  if (app) played = app->form.gameLog().entries();
  app = std::make_unique<App>();
  app->ownDice.setOn(ownDiceOn);
  if (!played.empty()) app->form.gameLog().restore(std::move(played), 0);
  app->form.Form_Load();
  return 1;
}

// What `vnt-seasons check` says of the seasons in the folder the program started on, one line
// each: why a season is not offered, and what its files hold that a chart will trip over.
EMSCRIPTEN_KEEPALIVE const char* vnt_season_report() {
  stateText.clear();
  for (const auto& report : vnt::seasons::checkSeasons()) {
    for (const std::string& line : vnt::seasons::reportLines(report)) stateText += line + "\n";
  }
  return stateText.c_str();
}

// The controls that changed since the last call (every control, frames before their contents,
// after a start), each with its id, the number of its place in vnt_click's list. A click
// changes a few of the window's controls: sending the rest again was most of a click's cost.
EMSCRIPTEN_KEEPALIVE const char* vnt_state() {
  std::string& out = stateText;
  out.clear();
  out += "{\"title\":";
  appendJson(out, app->form.title);
  out += ",\"controls\":[";
  const auto& all = app->form.controls();
  // The model's orders: the page keeps its elements in tree order (so the document's order is
  // the Tab order) and makes the Tab stops its tabindex 0 elements.
  std::vector<Places> places(all.size());
  const auto placeOf = [&](const vnt::Control* c) -> Places* {
    const int id = idOf(c);
    return id >= 0 ? &places[static_cast<std::size_t>(id)] : nullptr;
  };
  int place = 0;
  for (const vnt::Control* c : vnt::tabOrder(all)) {
    if (Places* p = placeOf(c)) p->tab = ++place;
  }
  place = 0;
  for (const vnt::Control* c : vnt::treeOrder(all)) {
    if (Places* p = placeOf(c)) p->tree = ++place;
  }
  for (const vnt::Control* c : vnt::tabStops(all)) {
    if (Places* p = placeOf(c)) p->stop = true;
  }
  sentState.resize(all.size());
  bool first = true;
  for (std::size_t id = 0; id < all.size(); ++id) {
    std::string json = controlJson(*all[id], static_cast<int>(id), places[id]);
    if (json == sentState[id]) continue;
    if (!first) out += ',';
    first = false;
    out += json;
    sentState[id] = std::move(json);
  }
  out += "]}";
  return out.c_str();
}

// A player's click on control number `id` of vnt_state(); ignored when it cannot be reached.
// `focused` is the control holding the keyboard focus (-1 for none). Gives the control the
// focus goes to when the click hid or disabled that one, by the model's rule; else -1.
EMSCRIPTEN_KEEPALIVE int vnt_click(int id, int focused) {
  const auto& all = app->form.controls();
  const auto count = static_cast<int>(all.size());
  if (id < 0 || id >= count) return -1;
  vnt::Control& control = *all[static_cast<std::size_t>(id)];
  if (!control.reachable()) return -1;
  std::vector<bool> shownBefore;
  shownBefore.reserve(all.size());
  for (const vnt::Control* c : all) shownBefore.push_back(shownOnScreen(*c));
  app->form.click(control);
  if (focused < 0 || focused >= count) return -1;
  const vnt::Control& holder = *all[static_cast<std::size_t>(focused)];
  if (holder.reachable()) return -1;
  const vnt::Control* next = vnt::focusAfterLosing(app->form, holder, shownBefore);
  return next ? idOf(next) : -1;
}

// An arrow key on option `id`: the option of its group the focus goes to, which the page then
// clicks (`step` 1 for Down and Right, -1 for Up and Left), by the model's rule; else -1.
EMSCRIPTEN_KEEPALIVE int vnt_arrow(int id, int step) {
  const auto& all = app->form.controls();
  if (id < 0 || id >= static_cast<int>(all.size())) return -1;
  const vnt::Control* next = vnt::arrowTarget(all, *all[static_cast<std::size_t>(id)], step);
  return next ? idOf(next) : -1;
}

// The player confirmed Exit: the page leaves the program (1), else 0.
EMSCRIPTEN_KEEPALIVE int vnt_ended() {
  return app->form.ended() ? 1 : 0;
}

// The Odds panel's text for the screen as it stands: the chances of each outcome of the
// roll to come, as the desktop's Odds window gives them.
EMSCRIPTEN_KEEPALIVE const char* vnt_odds() {
  oddsText = vnt::odds::text(app->form.odds());
  return oddsText.c_str();
}

// The same odds as data, for the panel's rows with bars: {"chart", "assumptions": [...],
// "message", "next", "sections": [{"heading", "lines": [{"word", "percent", "share"}]}]},
// "share" the chance from 0 to 1 (the bar's length), "percent" as the player reads it.
EMSCRIPTEN_KEEPALIVE const char* vnt_odds_rows() {
  const vnt::odds::Odds odds = app->form.odds();
  std::string out = "{\"chart\":";
  appendJson(out, odds.chart);
  out += ",\"assumptions\":[";
  for (std::size_t i = 0; i < odds.assumptions.size(); ++i) {
    if (i > 0) out += ',';
    appendJson(out, odds.assumptions[i]);
  }
  out += "],\"message\":";
  appendJson(out, odds.message);
  out += ",\"next\":";
  appendJson(out, odds.next);
  out += ",\"sections\":[";
  for (std::size_t s = 0; s < odds.sections.size(); ++s) {
    const vnt::odds::Section& section = odds.sections[s];
    out += s > 0 ? ",{\"heading\":" : "{\"heading\":";
    appendJson(out, section.shownHeading());
    out += ",\"lines\":[";
    for (std::size_t l = 0; l < section.lines.size(); ++l) {
      const vnt::odds::Line& line = section.lines[l];
      const double share = static_cast<double>(line.chance.numerator()) /
                           static_cast<double>(std::max<std::uint64_t>(1, line.chance.denominator()));
      out += l > 0 ? ",{\"word\":" : "{\"word\":";
      appendJson(out, line.word);
      out += ",\"percent\":";
      appendJson(out, vnt::odds::percent(line.chance));
      out += ",\"share\":" + std::to_string(share) + '}';
    }
    out += "]}";
  }
  out += "]}";
  oddsText = std::move(out);
  return oddsText.c_str();
}

// "Roll my own dice" on (1) or off (0).
EMSCRIPTEN_KEEPALIVE void vnt_set_own_dice(int on) {
  ownDiceOn = on != 0;
  if (app) app->ownDice.setOn(ownDiceOn);
}

// The game log's revision: the page redraws the Game Log panel only when it changed.
EMSCRIPTEN_KEEPALIVE double vnt_log_revision() {
  return static_cast<double>(app->form.gameLog().revision());
}

// The whole game as plain text, newest roll at the bottom ("Save as plain text").
EMSCRIPTEN_KEEPALIVE const char* vnt_log_text() {
  logShown = vnt::logText(app->form.gameLog().entries());
  return logShown.c_str();
}

// The rolls whose text holds `query`, each roll's plain text, as JSON: {"total": the rolls
// found, "from": the first one given, "rolls": [...]}. With no query every roll is found and
// those from number `from` (counted from 0) are given: a roll once logged never changes, so
// after a roll the panel asks only for the new one (and the last it shows, to see that the
// game is still the one it shows).
EMSCRIPTEN_KEEPALIVE const char* vnt_log_entries(const char* query, int from) {
  const std::vector<vnt::LogEntry>& entries = app->form.gameLog().entries();
  std::vector<std::size_t> found;
  if (*query == '\0') {
    const std::size_t first =
        from < 0 ? 0 : std::min(static_cast<std::size_t>(from), entries.size());
    for (std::size_t at = first; at < entries.size(); ++at) found.push_back(at);
    logShown =
        "{\"total\":" + std::to_string(entries.size()) + ",\"from\":" + std::to_string(first);
  } else {
    found = vnt::findEntries(entries, query);
    logShown = "{\"total\":" + std::to_string(found.size()) + ",\"from\":0";
  }
  logShown += ",\"rolls\":[";
  for (std::size_t i = 0; i < found.size(); ++i) {
    if (i) logShown += ',';
    appendJson(logShown, vnt::entryText(entries[found[i]]));
  }
  logShown += "]}";
  return logShown.c_str();
}

// The top of the panel: the latest roll's outcome ("No rolls yet" before any), a line break,
// and its "Roll N - chart" line.
EMSCRIPTEN_KEEPALIVE const char* vnt_log_latest() {
  const std::vector<vnt::LogEntry>& entries = app->form.gameLog().entries();
  logShown = vnt::latestOutcome(entries) + "\n" + vnt::latestRollLine(entries);
  return logShown.c_str();
}

// The game as a game file holds it (the format the desktop writes), for the page to keep in
// the browser between visits.
EMSCRIPTEN_KEEPALIVE const char* vnt_log_file() {
  const vnt::GameLog& log = app->form.gameLog();
  logShown = std::string(vnt::kGameLogHeader) + " " + std::to_string(vnt::kGameLogFormat) + "\n";
  logShown += "game " + vnt::quoteLogText(log.now()) + "\n";
  for (const vnt::LogEntry& entry : log.entries()) {
    for (const std::string& line : vnt::entryLines(entry)) logShown += line + "\n";
  }
  return logShown.c_str();
}

// Takes up a game kept by vnt_log_file(); a text that is no game file is left alone (0).
EMSCRIPTEN_KEEPALIVE int vnt_log_restore(const char* text) {
  vnt::ReadGame game = vnt::readGameLog(text);
  if (!game.recognised) return 0;
  app->form.gameLog().restore(std::move(game.entries), game.highestNumber);
  return 1;
}

// "New Game": an empty log (the page keeps one game only).
EMSCRIPTEN_KEEPALIVE void vnt_new_game() {
  app->form.gameLog().clear();
}

// The page's web fonts have arrived (or the screen's pixel ratio changed): every caption is
// measured again at the next vnt_state().
EMSCRIPTEN_KEEPALIVE void vnt_refit() {
  vnt::web::forgetMeasurements();
}

// For the browser tests: the value the next draw returns.
EMSCRIPTEN_KEEPALIVE void vnt_queue_roll(int value) {
  app->dice.queue(value);
}

// The zoom steps and their range, as the desktop's Ctrl+Plus, Ctrl+Minus and Ctrl+0 have them.
EMSCRIPTEN_KEEPALIVE int vnt_zoom_larger(int percent) {
  return vnt::zoom::larger(percent);
}
EMSCRIPTEN_KEEPALIVE int vnt_zoom_smaller(int percent) {
  return vnt::zoom::smaller(percent);
}
EMSCRIPTEN_KEEPALIVE int vnt_zoom_clamp(int percent) {
  return vnt::zoom::clamp(percent);
}
EMSCRIPTEN_KEEPALIVE int vnt_zoom_default() {
  return vnt::zoom::kDefaultPercent;
}

// The scale the page draws itself at for a zoom of `percent`: at most as large as fits the
// browser's area, so nothing is ever cut off.
EMSCRIPTEN_KEEPALIVE double vnt_zoom_fitted_scale(int percent, int designWidth, int designHeight,
                                                  int areaWidth, int areaHeight) {
  return vnt::zoom::fittedScale(percent, {designWidth, designHeight}, {areaWidth, areaHeight});
}

// The settings the page kept (its text, "" for none) as JSON: {"ownDice", "zoom", "odds",
// "gameLog"}. Read as the desktop reads its file: what cannot be read is left at its default,
// and a text larger than a settings file is not read at all. The page's own default zoom is
// the largest, drawn as large as the browser's area allows: the page fills the area until
// the player picks a zoom.
EMSCRIPTEN_KEEPALIVE const char* vnt_settings_parse(const char* text) {
  const std::size_t size = text ? std::strlen(text) : 0;
  std::string read = "zoom=" + std::to_string(vnt::zoom::kMaxPercent) + "\n";
  // A later line for the same key wins: the text's own zoom, when it holds one.
  if (size <= vnt::settings::kMaxFileSize && text) read += text;
  pageSettings = vnt::settings::parse(read);
  keptSettingsText = size <= vnt::settings::kMaxFileSize && text ? text : "";
  const auto onOff = [](bool on) { return on ? std::string("true") : std::string("false"); };
  settingsText = "{\"ownDice\":" + onOff(pageSettings.ownDice) +
                 ",\"zoom\":" + std::to_string(pageSettings.zoom) +
                 ",\"odds\":" + onOff(pageSettings.odds.open) +
                 ",\"gameLog\":" + onOff(pageSettings.gameLog.open) + "}";
  return settingsText.c_str();
}

// The settings text for the page to keep: what the last vnt_settings_parse() read, with the
// page's present own dice, zoom and open panels; its comments and other keys are kept, as
// the desktop keeps them in its file.
EMSCRIPTEN_KEEPALIVE const char* vnt_settings_format(int ownDice, int zoom, int oddsOpen,
                                                     int gameLogOpen) {
  pageSettings.ownDice = ownDice != 0;
  pageSettings.zoom = vnt::zoom::clamp(zoom);
  pageSettings.odds.open = oddsOpen != 0;
  pageSettings.gameLog.open = gameLogOpen != 0;
  settingsText = vnt::settings::merge(keptSettingsText, pageSettings);
  return settingsText.c_str();
}

}  // extern "C"
