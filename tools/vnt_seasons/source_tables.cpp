#include "source_tables.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <numeric>
#include <optional>
#include <set>
#include <sstream>
#include <string_view>

namespace vnt::seasons {
namespace {

namespace fs = std::filesystem;

constexpr std::array<std::string_view, kMonths> kMonthNames = {"Apr", "May", "Jun", "Jul",
                                                               "Aug", "Sep", "Oct"};
constexpr std::size_t kMaxNameLength = 15;
constexpr int kMaxParks = 30;
constexpr int kPlayRange = 1000;

struct Token {
  std::string text;
  bool quoted = false;
};

struct Line {
  int number = 0;
  std::vector<Token> tokens;
};

// Walks the tokens of one source line, turning mistakes into messages that point at it.
class LineCursor {
 public:
  LineCursor(const fs::path& file, const Line& line) : file_(file), line_(line) {}

  [[noreturn]] void fail(const std::string& message) const {
    std::ostringstream out;
    out << file_.string() << ":" << line_.number << ": " << message;
    throw SourceError(out.str());
  }

  bool atEnd() const { return next_ >= line_.tokens.size(); }

  const Token& take(const char* what) {
    if (atEnd()) {
      fail(std::string("missing ") + what);
    }
    return line_.tokens[next_++];
  }

  int number(const char* what, int low, int high) {
    const Token& token = take(what);
    int value = 0;
    const char* first = token.text.data();
    const char* last = first + token.text.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (token.quoted || error != std::errc() || end != last) {
      fail(std::string(what) + ": \"" + token.text + "\" is not a whole number");
    }
    if (value < low || value > high) {
      fail(std::string(what) + " " + token.text + " is outside " + std::to_string(low) + ".." +
           std::to_string(high));
    }
    return value;
  }

  std::string word(const char* what) {
    const Token& token = take(what);
    if (token.quoted) {
      fail(std::string(what) + " should not be quoted");
    }
    return token.text;
  }

  // Names and play texts end up quoted in the output, which has no way to escape a quote.
  std::string quoted(const char* what) {
    const Token& token = take(what);
    if (!token.quoted) {
      fail(std::string(what) + " must be in double quotes");
    }
    if (token.text.empty()) {
      fail(std::string(what) + " is empty");
    }
    return token.text;
  }

  void finish() const {
    if (!atEnd()) {
      fail("unexpected \"" + line_.tokens[next_].text + "\" at the end of the line");
    }
  }

 private:
  const fs::path& file_;
  const Line& line_;
  std::size_t next_ = 0;
};

// Splits a table file into lines of tokens. Tokens are separated by blanks; "|" on its own
// is only a visual column separator; '#' starts a comment outside quotes.
std::vector<Line> readTable(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    throw SourceError(file.string() + ": cannot be read");
  }
  std::vector<Line> lines;
  std::string text;
  int number = 0;
  while (std::getline(in, text)) {
    ++number;
    if (!text.empty() && text.back() == '\r') {
      text.pop_back();
    }
    Line line;
    line.number = number;
    std::size_t i = 0;
    while (i < text.size()) {
      const char c = text[i];
      if (c == ' ' || c == '\t') {
        ++i;
      } else if (c == '#') {
        break;
      } else if (c == '"') {
        const std::size_t close = text.find('"', i + 1);
        if (close == std::string::npos) {
          throw SourceError(file.string() + ":" + std::to_string(number) +
                            ": a quote is not closed");
        }
        line.tokens.push_back({text.substr(i + 1, close - i - 1), true});
        i = close + 1;
      } else {
        std::size_t end = i;
        while (end < text.size() && text[end] != ' ' && text[end] != '\t' && text[end] != '"' &&
               text[end] != '#') {
          ++end;
        }
        std::string word = text.substr(i, end - i);
        if (word != "|") {
          line.tokens.push_back({std::move(word), false});
        }
        i = end;
      }
    }
    if (!line.tokens.empty()) {
      lines.push_back(std::move(line));
    }
  }
  return lines;
}

// Percentages of one group: each 0..100, adding up to 100. The lowest roll always falls in
// the first class, so that one needs at least 1.
template <std::size_t N>
std::array<int, N> percentGroup(LineCursor& cursor, const char* what) {
  std::array<int, N> group{};
  for (int& value : group) {
    value = cursor.number(what, 0, 100);
  }
  const int total = std::accumulate(group.begin(), group.end(), 0);
  if (total != 100) {
    cursor.fail(std::string(what) + " percentages add up to " + std::to_string(total) +
                ", not 100");
  }
  if (group[0] < 1) {
    cursor.fail(std::string(what) + ": the first class needs at least 1 percent");
  }
  return group;
}

std::map<std::string, Climate> loadClimates(const fs::path& file) {
  std::map<std::string, Climate> climates;
  Climate* current = nullptr;
  int month = 0;
  const auto checkComplete = [&] {
    if (current != nullptr && month != kMonths) {
      throw SourceError(file.string() + ": climate \"" + current->name + "\" has " +
                        std::to_string(month) + " of 7 months");
    }
  };
  for (const Line& line : readTable(file)) {
    LineCursor cursor(file, line);
    const std::string first = cursor.word("climate or month");
    if (first == "climate") {
      checkComplete();
      const std::string name = cursor.word("climate name");
      cursor.finish();
      if (climates.count(name) != 0) {
        cursor.fail("climate \"" + name + "\" is defined twice");
      }
      current = &climates[name];
      current->name = name;
      month = 0;
      continue;
    }
    if (current == nullptr) {
      cursor.fail("a month row before the first \"climate\" line");
    }
    if (month >= kMonths || first != kMonthNames[static_cast<std::size_t>(month)]) {
      cursor.fail("expected the months Apr .. Oct in order, found \"" + first + "\"");
    }
    ClimateMonth& row = current->months[static_cast<std::size_t>(month)];
    row.day = percentGroup<4>(cursor, "day temperature");
    row.night = percentGroup<4>(cursor, "night temperature");
    row.sky = percentGroup<7>(cursor, "sky");
    row.wind = percentGroup<5>(cursor, "wind");
    cursor.finish();
    ++month;
  }
  checkComplete();
  if (climates.empty()) {
    throw SourceError(file.string() + ": no climate profiles");
  }
  return climates;
}

// "all", "1975-2013", "-2013" or "2014-".
void readYears(LineCursor& cursor, CrazyPlay& play) {
  const std::string years = cursor.word("seasons");
  play.firstYear = 0;
  play.lastYear = 9999;
  if (years == "all") {
    return;
  }
  const std::size_t dash = years.find('-');
  const auto year = [&](std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1800 || value > 9999) {
      cursor.fail("seasons \"" + years + "\" should read all, YEAR-YEAR, -YEAR or YEAR-");
    }
    return value;
  };
  if (dash == std::string::npos) {
    play.firstYear = play.lastYear = year(years);
    return;
  }
  const std::string_view text(years);
  if (dash > 0) {
    play.firstYear = year(text.substr(0, dash));
  }
  if (dash + 1 < text.size()) {
    play.lastYear = year(text.substr(dash + 1));
  }
  if (play.firstYear > play.lastYear) {
    cursor.fail("seasons \"" + years + "\" run backwards");
  }
}

std::vector<CrazyPlay> loadPlays(const fs::path& file) {
  std::vector<CrazyPlay> plays;
  for (const Line& line : readTable(file)) {
    LineCursor cursor(file, line);
    CrazyPlay play;
    play.width = cursor.number("width", 1, kPlayRange);
    readYears(cursor, play);
    play.text = cursor.quoted("play");
    cursor.finish();
    plays.push_back(std::move(play));
  }
  if (plays.empty()) {
    throw SourceError(file.string() + ": no plays");
  }
  return plays;
}

Roof roofFromWord(LineCursor& cursor) {
  const std::string word = cursor.word("roof");
  if (word == "open") {
    return Roof::Open;
  }
  if (word == "retractable") {
    return Roof::Retractable;
  }
  if (word == "dome") {
    return Roof::Dome;
  }
  cursor.fail("roof \"" + word + "\" should be open, retractable or dome");
}

// Each batting side's four thresholds must rise (equal is allowed: an empty result).
void readBpeSide(LineCursor& cursor, Park& park, std::size_t first) {
  for (std::size_t i = first; i < first + 4; ++i) {
    park.bpe[i] = cursor.number("BPE threshold", 0, 99);
    if (i > first && park.bpe[i] < park.bpe[i - 1]) {
      cursor.fail("BPE thresholds must not fall from left to right");
    }
  }
}

Season loadSeason(const fs::path& file, int year, const std::map<std::string, Climate>& climates) {
  Season season;
  season.year = year;
  std::set<std::string> names;
  for (const Line& line : readTable(file)) {
    LineCursor cursor(file, line);
    Park park;
    park.name = cursor.quoted("park name");
    if (park.name.size() > kMaxNameLength) {
      cursor.fail("park name \"" + park.name + "\" is longer than 15 characters");
    }
    if (!names.insert(park.name).second) {
      cursor.fail("park \"" + park.name + "\" is listed twice");
    }
    for (int& wall : park.walls) {
      wall = cursor.number("wall distance", 1, 43);
    }
    for (int& height : park.heights) {
      height = cursor.number("wall height", 1, 99);
    }
    park.foul = cursor.number("foul territory", 1, 5);
    readBpeSide(cursor, park, 0);
    readBpeSide(cursor, park, 4);
    park.climate = cursor.word("climate");
    if (climates.count(park.climate) == 0) {
      cursor.fail("no climate profile named \"" + park.climate + "\"");
    }
    park.roof = roofFromWord(cursor);
    cursor.finish();
    season.parks.push_back(std::move(park));
  }
  const int count = static_cast<int>(season.parks.size());
  if (count < 1 || count > kMaxParks) {
    throw SourceError(file.string() + ": " + std::to_string(count) +
                      " ballparks; a season holds 1 to 30");
  }
  return season;
}

std::optional<int> yearFromStem(const std::string& stem) {
  if (stem.size() != 4 ||
      !std::all_of(stem.begin(), stem.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  return std::stoi(stem);
}

}  // namespace

Sources loadSources(const fs::path& sourceDir) {
  Sources sources;
  sources.climates = loadClimates(sourceDir / "climates.txt");
  sources.plays = loadPlays(sourceDir / "crazy_plays.txt");

  const fs::path seasonDir = sourceDir / "seasons";
  std::error_code error;
  std::vector<std::pair<int, fs::path>> files;
  for (const auto& entry : fs::directory_iterator(seasonDir, error)) {
    const fs::path& path = entry.path();
    if (!entry.is_regular_file() || path.extension() != ".txt") {
      continue;
    }
    if (const auto year = yearFromStem(path.stem().string())) {
      files.emplace_back(*year, path);
    }
  }
  if (error) {
    throw SourceError(seasonDir.string() + ": " + error.message());
  }
  if (files.empty()) {
    throw SourceError(seasonDir.string() + ": no season tables named <year>.txt");
  }
  // Directory order differs between systems; the output must not.
  std::sort(files.begin(), files.end());
  for (const auto& [year, path] : files) {
    sources.seasons.push_back(loadSeason(path, year, sources.climates));
  }
  return sources;
}

}  // namespace vnt::seasons
