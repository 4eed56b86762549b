// vnt-seasons check and seal: the lines check prints for damaged seasons, the seal round
// trip, and the agreement of check's verdict with the window's start-up check.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "shell/form2.h"
#include "tests/unit/test_support.h"
#include "tools/vnt_seasons/file_replace.h"
#include "tools/vnt_seasons/season_check.h"
#include "tools/vnt_seasons/season_seal.h"

namespace vnt {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

// A season of two ballparks that passes every check, CR LF as the files in circulation.
// Deep: S = 122 + 242 = 364, check 364 * 2 - 2345 = -1617.
const std::string kDeep =
    "2\r\n"
    "\"Boston\",10,11,12,13,14,15,16,1,2,3,4,5,6,7,3,0\r\n"
    "\"Texas\",20,21,22,23,24,25,26,8,9,10,11,12,13,14,4,0\r\n"
    "-1617\r\n";
// BPE: the first threshold is not summed, the name is (as 0): S = 210 + 212, check -1501.
const std::string kBpe =
    "10,20,30,40,15,25,35,45,\"Boston\"\r\n"
    "12,22,32,42,14,24,34,44,\"Texas\"\r\n"
    "-1501\r\n";
const std::string kCPlay = "3\r\n0,\"A\"\r\n500,\"B, with a comma\"\r\n900,\"C\"\r\n";

// A weather record whose groups rise month by month, as a roll reads them.
std::vector<int> weatherValues() {
  std::vector<int> v(141, 0);
  const auto fill = [&](int first, std::initializer_list<int> thresholds) {
    int c = 0;
    for (int t : thresholds) {
      for (int m = 1; m <= 7; ++m) v[static_cast<std::size_t>(first + 7 * c + m)] = t;
      ++c;
    }
  };
  fill(0, {10, 40, 80, 99});
  fill(28, {5, 30, 70, 99});
  fill(56, {30, 50, 70, 85, 95, 98, 99});
  fill(105, {20, 40, 60, 80, 99});
  return v;
}

std::string weatherRecord(const std::string& name, const std::vector<int>& values) {
  std::string out = "\"" + name + "\"";
  for (int v : values) out += "," + std::to_string(v);
  return out + "\r\n";
}

std::string weatherFile(const std::vector<int>& boston, const std::vector<int>& texas) {
  return "2\r\n" + weatherRecord("Boston", boston) + weatherRecord("Texas", texas);
}

Files goodSeason() {
  return {{"1990Deep.vnt", kDeep},
          {"1990BPE.vnt", kBpe},
          {"1990Weather.vnt", weatherFile(weatherValues(), weatherValues())},
          {"1990CPlay.vnt", kCPlay}};
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

Files with(Files files, const std::string& name, const std::string& contents) {
  files[name] = contents;
  return files;
}

Files without(Files files, const std::string& name) {
  files.erase(name);
  return files;
}

// A fresh working directory for the season files, as the program and the tool see them.
class SeasonFolder : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder_.made()); }

  void use(const Files& files) {
    for (const auto& entry : fs::directory_iterator(folder_.path())) fs::remove_all(entry.path());
    for (const auto& [name, contents] : files) write(name, contents);
  }
  static void write(const std::string& name, const std::string& contents) {
    std::ofstream(name, std::ios::binary) << contents;
  }
  static std::string read(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  // Whether the file system tells "a" from "A" (the case tests need it to).
  bool caseSensitive() const {
    write("case_probe", "");
    const bool sensitive = !fs::exists("CASE_PROBE");
    fs::remove("case_probe");
    return sensitive;
  }

  static std::vector<std::string> checkLines() {
    std::vector<std::string> lines;
    for (const auto& report : seasons::checkSeasons()) {
      const auto more = seasons::reportLines(report);
      lines.insert(lines.end(), more.begin(), more.end());
    }
    return lines;
  }

  // What the window's start-up check offers.
  static std::vector<int> startUpOffers() {
    testing::QueuedDice dice;
    testing::FakeDialogs dialogs;
    Form2 form{dice, dialogs};
    form.Form_Load();
    std::vector<int> years;
    for (int i = 0; i < kSeasonCount; ++i) {
      if (form.optYear[i].enabled) years.push_back(kFirstSeason + i);
    }
    return years;
  }

  testing::WorkingFolder folder_{"vnt_season_tool_"};
};

using Lines = std::vector<std::string>;

struct CheckCase {
  const char* label;
  Files files;
  Lines lines;
};

// Each kind of damage once, with the exact lines check prints.
std::vector<CheckCase> damagedSeasons() {
  const Files good = goodSeason();
  // The maker added 30000 + 10000 - 25000 = 15000 without the 16-bit limit: 15000 * 2 - 2345.
  const std::string skipped =
      "1\r\n\"Boston\",30000,10000,-25000,0,0,0,0,0,0,0,0,0,0,0,0,0\r\n27655\r\n";
  return {
      {"Good", good, {"1990  offered"}},
      {"RanOutOfFields",
       with(good, "1990Deep.vnt", replaced(kDeep, ",10,11,12,13,14,4,0\r\n", "\r\n")),
       {"1990  not offered  1990Deep.vnt line 3 column 33: record 2 \"Texas\" ends after 9 of "
        "16 numbers"}},
      {"RanOutBeforeCheckValue",
       with(good, "1990Deep.vnt", replaced(kDeep, "-1617\r\n", "")),
       {"1990  not offered  1990Deep.vnt line 3 column 52: ends before the check value"}},
      {"CountAboveThirty",
       with(good, "1990Deep.vnt", replaced(kDeep, "2\r\n", "31\r\n")),
       {"1990  not offered  1990Deep.vnt line 1 column 1: count 31 outside 1..30"}},
      {"CountZero",
       with(good, "1990Deep.vnt", replaced(kDeep, "2\r\n", "0\r\n")),
       {"1990  not offered  1990Deep.vnt line 1 column 1: count 0 outside 1..30"}},
      {"CountDoesNotMatchRecords",
       with(good, "1990Deep.vnt", replaced(kDeep, "2\r\n", "3\r\n")),
       {"1990  not offered  1990Deep.vnt line 1 column 1: count 3, but 2 records follow"}},
      {"NumberOutside16Bits",
       with(good, "1990Deep.vnt", replaced(kDeep, ",12,13,14,15,16,1,", ",40000,13,14,15,16,1,")),
       {"1990  not offered  1990Deep.vnt line 2 column 16: record 1 \"Boston\" number 3 is "
        "40000, outside -32768..32767"}},
      {"WrongCheckValue",
       with(good, "1990BPE.vnt", replaced(kBpe, "-1501", "-1500")),
       {"1990  not offered  1990BPE.vnt line 3 column 1: check value -1500 stored, -1501 "
        "computed"}},
      {"CheckValueNotANumber",
       with(good, "1990Deep.vnt", replaced(kDeep, "-1617", "x")),
       {"1990  not offered  1990Deep.vnt line 4 column 1: check value \"x\" (read as 0) stored, "
        "-1617 computed"}},
      {"UnterminatedQuote",
       with(good, "1990Deep.vnt", replaced(kDeep, "\"Texas\"", "\"Texas")),
       {"1990  not offered  1990Deep.vnt line 3 column 1: quote opened here is never closed"}},
      {"QuoteClosedOnALaterLine",
       with(good, "1990Deep.vnt", replaced(kDeep, "\"Boston\"", "\"Boston")),
       {"1990  not offered  1990Deep.vnt line 2 column 1: quote opened here closes only on line "
        "3"}},
      {"ValueNotANumber",
       with(good, "1990Deep.vnt", replaced(kDeep, ",13,14,15,", ",13,N/A,15,")),
       {"1990  not offered  1990Deep.vnt line 2 column 22: record 1 \"Boston\" number 5 \"N/A\" "
        "is not a number"}},
      {"RecordTooLong",
       with(good, "1990Deep.vnt", replaced(kDeep, ",3,0\r\n\"Texas\"", ",3,0,0\r\n\"Texas\"")),
       {"1990  not offered  1990Deep.vnt line 2 column 49: record 1 has more than 16 numbers"}},
      // Line breaks mean nothing: records wrapped over two lines read whole as fields, so
      // only the check value is to blame.
      {"WrappedRecordsWrongCheckValue",
       with(good, "1990Deep.vnt",
            replaced(replaced(kDeep, ",1,2,3,4,", ",1\r\n2,3,4,"), "-1617", "-1600")),
       {"1990  not offered  1990Deep.vnt line 5 column 1: check value -1600 stored, -1617 "
        "computed"}},
      {"WrappedBpeRecordsWrongCheckValue",
       with(good, "1990BPE.vnt", replaced(replaced(kBpe, ",40,15,", ",40\r\n15,"), "-1501", "-1500")),
       {"1990  not offered  1990BPE.vnt line 4 column 1: check value -1500 stored, -1501 "
        "computed"}},
      // A record broken over two lines holds what its fields hold, wherever the break is:
      // only one that truly ends at its line break "ends after" the numbers before it.
      {"RecordEndsAtItsLineBreak",
       with(good, "1990Deep.vnt",
            replaced(kDeep, ",2,3,4,5,6,7,3,0\r\n\"Texas\"", "\r\n\"Texas\"")),
       {"1990  not offered  1990Deep.vnt line 2 column 32: record 1 \"Boston\" ends after 8 of "
        "16 numbers"}},
      {"WrappedRecordOneNumberTooMany",
       with(good, "1990Deep.vnt",
            replaced(replaced(kDeep, ",1,2,3,", ",1\r\n2,3,"), ",3,0\r\n\"Texas\"",
                     ",3,0,9\r\n\"Texas\"")),
       {"1990  not offered  1990Deep.vnt line 3 column 17: record 1 has more than 16 numbers"}},
      {"WrappedRecordOneNumberShort",
       with(good, "1990Deep.vnt",
            replaced(replaced(kDeep, ",1,2,3,", ",1\r\n2,3,"), ",3,0\r\n\"Texas\"",
                     ",3\r\n\"Texas\"")),
       {"1990  not offered  1990Deep.vnt line 3 column 14: record 1 \"Boston\" ends after 15 of "
        "16 numbers"}},
      {"WrappedLastRecordOneNumberTooMany",
       with(good, "1990Deep.vnt",
            replaced(replaced(kDeep, ",8,9,", ",8\r\n9,"), ",4,0\r\n-1617", ",4,0,5\r\n-1617")),
       {"1990  not offered  1990Deep.vnt line 4 column 22: record 2 has more than 16 numbers"}},
      // The check value on the line after is taken for the last number, and then missed.
      {"WrappedLastRecordOneNumberShort",
       with(good, "1990Deep.vnt",
            replaced(replaced(kDeep, ",8,9,", ",8\r\n9,"), ",4,0\r\n-1617", ",4\r\n-1617")),
       {"1990  not offered  1990Deep.vnt line 4 column 19: record 2 \"Texas\" ends after 15 of "
        "16 numbers"}},
      // Columns count characters: the Windows-1252 byte is one column, and the name is shown
      // decoded.
      {"ColumnAfterAWindows1252Byte",
       with(good, "1990Deep.vnt",
            replaced(replaced(kDeep, ",10,11,12,13,14,4,0\r\n", "\r\n"), "\"Texas\"",
                     "\"Tex\xE1s\"")),
       {"1990  not offered  1990Deep.vnt line 3 column 33: record 2 \"Tex\xC3\xA1s\" ends after 9 of "
        "16 numbers"}},
      {"DeepMissing",
       without(good, "1990Deep.vnt"),
       {"1990  not offered  1990Deep.vnt: file missing"}},
      {"BpeMissing",
       without(good, "1990BPE.vnt"),
       {"1990  not offered  1990BPE.vnt: file missing"}},
      {"BpeRecordMissing",
       with(good, "1990BPE.vnt", replaced(kBpe, "12,22,32,42,14,24,34,44,\"Texas\"\r\n", "")),
       {"1990  not offered  1990BPE.vnt: 1 record, but the season's Deep file has 2",
        "1990  warning  1990BPE.vnt: no record for ballpark 2 \"Texas\" (it has 1 record, the "
        "Deep file 2)"}},
      {"AdditionSkippedAtTheEdge",
       with(without(without(good, "1990Weather.vnt"), "1990BPE.vnt"), "1990Deep.vnt", skipped),
       {"1990  not offered  1990Deep.vnt line 3 column 1: check value 27655 stored, 7655 "
        "computed; adding 10000 (record 1 \"Boston\" number 2) would leave 16 bits, so it is "
        "skipped",
        "1990  warning  1990Weather.vnt: file missing"}},
  };
}

TEST_F(SeasonFolder, CheckPrintsOneExactLinePerDamage) {
  for (const auto& c : damagedSeasons()) {
    use(c.files);
    EXPECT_EQ(checkLines(), c.lines) << c.label;
  }
}

// A season kept back says why on its own option, in check's words (place included), and the
// window lists it among the seasons not offered; an offered one says nothing.
TEST_F(SeasonFolder, TheWindowTellsWhyASeasonIsNotOfferedInCheckWords) {
  for (const auto& c : damagedSeasons()) {
    use(c.files);
    testing::QueuedDice dice;
    testing::FakeDialogs dialogs;
    Form2 form{dice, dialogs};
    form.Form_Load();
    std::vector<std::string> unoffered;
    for (const auto& report : seasons::checkSeasons()) {
      const Control& option = form.optYear[report.year - kFirstSeason];
      EXPECT_EQ(option.enabled, report.offered) << c.label;
      EXPECT_EQ(option.description, report.offered ? "" : "Not offered: " + report.reason)
          << c.label;
      if (!report.offered) unoffered.push_back(std::to_string(report.year) + "  " + report.reason);
    }
    EXPECT_EQ(form.unofferedSeasons, unoffered) << c.label;
    EXPECT_TRUE(dialogs.shown.empty()) << "no message box at start-up";
  }
  // One number changed in a Deep file: the check value no longer agrees, at its place.
  use(with(goodSeason(), "1990Deep.vnt", replaced(kDeep, "\"Boston\",10,11,", "\"Boston\",10,19,")));
  testing::QueuedDice dice;
  testing::FakeDialogs dialogs;
  Form2 form{dice, dialogs};
  form.Form_Load();
  EXPECT_TRUE(form.optYear[1990 - kFirstSeason].description.starts_with(
      "Not offered: 1990Deep.vnt line 4 column 1: check value -1617 stored, -1601 computed"))
      << form.optYear[1990 - kFirstSeason].description;
  // A year without any file is not listed, though its option says what is missing.
  EXPECT_EQ(form.optYear[1991 - kFirstSeason].description, "Not offered: 1991Deep.vnt: file missing");
  ASSERT_EQ(form.unofferedSeasons.size(), 1u);
}

// What the charts would trip over although the season is offered.
TEST_F(SeasonFolder, CheckWarnsAboutWhatTheChartsNeed) {
  const Files good = goodSeason();
  auto roof = weatherValues();
  roof[0] = 3;
  auto falling = weatherValues();
  falling[7 + 2] = 5;  // May warm below May hot
  const std::string cplayHeader = "3\r\n0,\"A\"\r\n";
  const CheckCase cases[] = {
      {"WeatherMissing",
       without(good, "1990Weather.vnt"),
       {"1990  offered", "1990  warning  1990Weather.vnt: file missing"}},
      {"CPlayMissing",
       without(good, "1990CPlay.vnt"),
       {"1990  offered", "1990  warning  1990CPlay.vnt: file missing"}},
      {"WeatherUnreadable",
       with(good, "1990Weather.vnt",
            replaced(weatherFile(weatherValues(), weatherValues()), "2\r\n", "3\r\n")),
       {"1990  offered",
        "1990  warning  1990Weather.vnt line 3 column 423: ends after 2 of 3 records"}},
      {"NoWeatherRecord",
       with(good, "1990Weather.vnt",
            replaced(weatherFile(weatherValues(), weatherValues()), "\"Texas\"", "\"Texsa\"")),
       {"1990  offered", "1990  warning  1990Weather.vnt: no record for ballpark 2 \"Texas\""}},
      {"RoofType",
       with(good, "1990Weather.vnt", weatherFile(roof, weatherValues())),
       {"1990  offered",
        "1990  warning  1990Weather.vnt: \"Boston\" roof type 3 (0 open air, 1 retractable roof, "
        "2 dome)"}},
      {"WeatherThresholdsFall",
       with(good, "1990Weather.vnt", weatherFile(weatherValues(), falling)),
       {"1990  offered",
        "1990  warning  1990Weather.vnt: \"Texas\" May day temperature thresholds do not rise: "
        "Warm 5 after Hot 10"}},
      {"BpeNameOutOfStep",
       with(good, "1990BPE.vnt", replaced(kBpe, "\"Texas\"", "\"Boston\"")),
       {"1990  offered",
        "1990  warning  1990BPE.vnt line 2 column 25: record 2 is \"Boston\", the Deep file's "
        "record 2 is \"Texas\""}},
      {"BpeThresholdsFall",
       with(good, "1990BPE.vnt",
            "10,20,30,40,45,25,35,15,\"Boston\"\r\n12,22,32,42,14,24,34,44,\"Texas\"\r\n-1501\r\n"),
       {"1990  offered",
        "1990  warning  1990BPE.vnt: record 1 left-handed thresholds do not rise: 25 after 45"}},
      {"CPlayFirstAboveZero",
       with(good, "1990CPlay.vnt", replaced(kCPlay, "0,\"A\"", "5,\"A\"")),
       {"1990  offered",
        "1990  warning  1990CPlay.vnt: record 1 threshold 5 is above 0, so a roll below it finds "
        "no play"}},
      {"CPlayOutOfOrderAndRange",
       with(good, "1990CPlay.vnt", cplayHeader + "700,\"B\"\r\n1000,\"C\"\r\n"),
       {"1990  offered", "1990  warning  1990CPlay.vnt: record 3 threshold 1000 outside 0..999"}},
      {"CPlayFalls",
       with(good, "1990CPlay.vnt", cplayHeader + "700,\"B\"\r\n600,\"C\"\r\n"),
       {"1990  offered",
        "1990  warning  1990CPlay.vnt: record 3 threshold 600 below record 2's 700"}},
      {"CPlayRunsOut",
       with(good, "1990CPlay.vnt", "4\r\n0,\"A\"\r\n"),
       {"1990  offered",
        "1990  warning  1990CPlay.vnt line 2 column 6: ends after 1 of 4 records"}},
  };
  for (const auto& c : cases) {
    use(c.files);
    EXPECT_EQ(checkLines(), c.lines) << c.label;
  }
}

TEST_F(SeasonFolder, NamesDifferingOnlyInCaseSayWhichIsRead) {
  if (!caseSensitive()) GTEST_SKIP() << "file system ignores letter case";
  const std::string damaged = replaced(kDeep, "-1617", "-1616");
  // The exact name is read when it is there; otherwise the first name in byte order.
  use(with(goodSeason(), "1990DEEP.vnt", damaged));
  EXPECT_EQ(checkLines(), (Lines{"1990  offered",
                                 "1990  warning  1990DEEP.vnt, 1990Deep.vnt differ only in letter "
                                 "case; the program reads 1990Deep.vnt"}));
  use(with(with(without(goodSeason(), "1990Deep.vnt"), "1990deep.vnt", kDeep), "1990DEEP.vnt",
           damaged));
  EXPECT_EQ(checkLines(),
            (Lines{"1990  not offered  1990DEEP.vnt line 4 column 1: check value -1616 stored, "
                   "-1617 computed",
                   "1990  warning  1990DEEP.vnt, 1990deep.vnt differ only in letter case; the "
                   "program reads 1990DEEP.vnt"}));
}

TEST_F(SeasonFolder, OnlyYearsWithFilesAreReported) {
  Files files = goodSeason();
  files["2025CPlay.vnt"] = kCPlay;  // a season with only its crazy plays
  files["1971Deep.vnt"] = kDeep;    // before the first season: not the program's
  use(files);
  EXPECT_EQ(checkLines(), (Lines{"1990  offered", "2025  not offered  2025Deep.vnt: file missing",
                                 "2025  warning  2025Weather.vnt: file missing"}));
}

// A field that holds no number reads as 0 in an otherwise whole file: the season is still
// offered, and check points at every such field, in all four kinds.
TEST_F(SeasonFolder, CheckWarnsAboutEveryFieldReadAsZero) {
  Files files = goodSeason();
  // Deep: "-" reads as 0 where 0 was, so the check value still holds.
  files["1990Deep.vnt"] = replaced(kDeep, ",3,0\r\n\"Texas\"", ",3,-\r\n\"Texas\"");
  // BPE: the first threshold is not summed, so the check value still holds.
  files["1990BPE.vnt"] = replaced(kBpe, "12,22,", "n/a,22,");
  std::vector<int> weather = weatherValues();
  files["1990Weather.vnt"] = replaced(weatherFile(weather, weather), "\"Texas\",0,", "\"Texas\",x,");
  files["1990CPlay.vnt"] = replaced(kCPlay, "900,", "nine hundred,");
  use(files);
  const Lines lines = checkLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "1990  offered");
  const Lines zero(lines.end() - 4, lines.end());
  EXPECT_EQ(zero, (Lines{
      "1990  warning  1990Deep.vnt line 2 column 47: record 1 \"Boston\" number 16 \"-\" is not a "
      "number, read as 0",
      "1990  warning  1990BPE.vnt line 2 column 1: record 2 threshold 1 \"n/a\" is not a number, "
      "read as 0",
      "1990  warning  1990Weather.vnt line 3 column 9: record 2 \"Texas\" number 1 \"x\" is not a "
      "number, read as 0",
      "1990  warning  1990CPlay.vnt line 4 column 1: record 3 threshold \"nine hundred\" is not a "
      "number, read as 0"}));
}

// A folder that can be entered but not listed: the program still reads the files under
// their exact names, so check reports them too, and says the folder cannot be listed.
TEST_F(SeasonFolder, AFolderThatCannotBeListedStillShowsItsSeasons) {
  use(goodSeason());
  fs::permissions(folder_.path(), fs::perms::owner_write | fs::perms::owner_exec |
                                      fs::perms::group_exec | fs::perms::others_exec);
  const bool listable = seasons::folderListable();
  const auto lines = checkLines();
  const auto offers = startUpOffers();
  fs::permissions(folder_.path(), fs::perms::owner_all);
  if (listable) GTEST_SKIP() << "this user lists any folder (root)";
  EXPECT_EQ(lines, (Lines{"1990  offered"}));
  EXPECT_EQ(offers, (std::vector<int>{1990}));
}

// ---------------------------------------------------------------------------------------
// seal

// Records wrapped over two lines read whole as fields: seal mends their check value as it
// would for one record a line, and keeps the lines as they are.
TEST_F(SeasonFolder, SealMendsWrappedRecords) {
  const std::string deep =
      replaced(replaced(kDeep, ",1,2,3,4,", ",1\r\n2,3,4,"), "\"Boston\",10,", "\"Boston\",11,");
  use(with(goodSeason(), "1990Deep.vnt", deep));
  const auto sealed = seasons::sealFile("1990Deep.vnt");
  EXPECT_TRUE(sealed.ok);
  EXPECT_EQ(sealed.message, "1990Deep.vnt: check value -1617 replaced by -1615");
  EXPECT_EQ(read("1990Deep.vnt"), replaced(deep, "-1617", "-1615"));
  EXPECT_EQ(startUpOffers(), std::vector<int>{1990});
}

TEST_F(SeasonFolder, SealRoundTrip) {
  // Edited by hand: Boston's first distance 10 -> 11, and a Texas BPE threshold 22 -> 23.
  const std::string deep = replaced(kDeep, "\"Boston\",10,", "\"Boston\",11,");
  const std::string bpe = replaced(kBpe, "12,22,", "12,23,");
  use(with(with(goodSeason(), "1990Deep.vnt", deep), "1990BPE.vnt", bpe));
  EXPECT_EQ(startUpOffers(), std::vector<int>{});

  const auto sealedDeep = seasons::sealFile("1990Deep.vnt");
  EXPECT_TRUE(sealedDeep.ok);
  EXPECT_EQ(sealedDeep.message, "1990Deep.vnt: check value -1617 replaced by -1615");
  EXPECT_EQ(checkLines(), (Lines{"1990  not offered  1990BPE.vnt line 3 column 1: check value "
                                 "-1501 stored, -1499 computed"}));
  const auto sealedBpe = seasons::sealFile("1990BPE.vnt");
  EXPECT_TRUE(sealedBpe.ok);
  EXPECT_EQ(sealedBpe.message, "1990BPE.vnt: check value -1501 replaced by -1499");

  EXPECT_EQ(checkLines(), Lines{"1990  offered"});
  EXPECT_EQ(startUpOffers(), std::vector<int>{1990});
  // Only the check values changed; the CR LF breaks are all still there.
  EXPECT_EQ(read("1990Deep.vnt"), replaced(deep, "-1617", "-1615"));
  EXPECT_EQ(read("1990BPE.vnt"), replaced(bpe, "-1501", "-1499"));
  // Nothing is left beside them.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_.path()), fs::directory_iterator()), 4);

  const auto again = seasons::sealFile("1990Deep.vnt");
  EXPECT_TRUE(again.ok);
  EXPECT_EQ(again.message, "1990Deep.vnt: check value -1615 is right, unchanged");
}

TEST_F(SeasonFolder, SealKeepsLineBreaksAndPermissions) {
  const std::string lf = "1\n\"Boston\",1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\n0\n";
  use({{"1990Deep.vnt", lf}});
  fs::permissions("1990Deep.vnt",
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(seasons::sealFile("1990Deep.vnt").message,
            "1990Deep.vnt: check value 0 replaced by -2313");
  EXPECT_EQ(read("1990Deep.vnt"), replaced(lf, "\n0\n", "\n-2313\n"));
  EXPECT_EQ(fs::status("1990Deep.vnt").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

  // A file without its check value gets one at its end, with its own line break.
  use({{"1990Deep.vnt", replaced(kDeep, "-1617\r\n", "")}});
  EXPECT_EQ(seasons::sealFile("1990Deep.vnt").message,
            "1990Deep.vnt: check value missing replaced by -1617");
  EXPECT_EQ(read("1990Deep.vnt"), kDeep);
  // (One whose last record has no line break after it is refused: see the cut-short cases.)
}

// A file saved by an editor that writes a byte-order mark: sealed as the program reads it,
// the mark kept.
TEST_F(SeasonFolder, SealKeepsAByteOrderMark) {
  const std::string marked = "\xEF\xBB\xBF" + replaced(kDeep, "-1617\r\n", "0\r\n");
  use({{"1990Deep.vnt", marked}});
  EXPECT_EQ(seasons::sealFile("1990Deep.vnt").message,
            "1990Deep.vnt: check value 0 replaced by -1617");
  EXPECT_EQ(read("1990Deep.vnt"), "\xEF\xBB\xBF" + kDeep);
}

TEST_F(SeasonFolder, SealRefusesWhatCannotBeReadAndLeavesItAlone) {
  struct Case {
    const char* label;
    Files files;
    std::string file;
    std::string message;
  };
  const std::string shortRecord = replaced(kDeep, ",10,11,12,13,14,4,0\r\n", "\r\n");
  const Case cases[] = {
      {"ShortRecord",
       {{"1990Deep.vnt", shortRecord}},
       "1990Deep.vnt",
       "vnt-seasons: 1990Deep.vnt line 3 column 33: record 2 \"Texas\" ends after 9 of 16 "
       "numbers; not sealed"},
      // Seal reads the bytes as they stand, yet counts and shows as check does: the
      // Windows-1252 byte is one column, and the name is shown decoded.
      {"ShortRecordAfterAWindows1252Byte",
       {{"1990Deep.vnt", replaced(shortRecord, "\"Texas\"", "\"Tex\xE1s\"")}},
       "1990Deep.vnt",
       "vnt-seasons: 1990Deep.vnt line 3 column 33: record 2 \"Tex\xC3\xA1s\" ends after 9 of 16 "
       "numbers; not sealed"},
      // A record that lost a number swallows the check value as its last one.
      {"SwallowedCheckValue",
       {{"1990Deep.vnt", replaced(kDeep, ",14,4,0\r\n", ",14,4\r\n")}},
       "1990Deep.vnt",
       "vnt-seasons: 1990Deep.vnt line 3 column 50: record 2 \"Texas\" ends after 15 of 16 "
       "numbers; not sealed"},
      {"CountOff",
       {{"1990Deep.vnt", replaced(kDeep, "2\r\n", "1\r\n")}},
       "1990Deep.vnt",
       "vnt-seasons: 1990Deep.vnt line 1 column 1: count 1, but 2 records follow; not sealed"},
      {"Unterminated",
       {{"1990Deep.vnt", replaced(kDeep, "\"Texas\"", "\"Texas")}},
       "1990Deep.vnt",
       "vnt-seasons: 1990Deep.vnt line 3 column 1: quote opened here is never closed; not sealed"},
      {"BpeWithoutDeep",
       {{"1990BPE.vnt", kBpe}},
       "1990BPE.vnt",
       "vnt-seasons: 1990BPE.vnt: not sealed: its number of records comes from 1990Deep.vnt, and "
       "there is no readable 1990Deep.vnt beside it"},
      {"BpeWithDamagedDeep",
       {{"1990BPE.vnt", kBpe}, {"1990Deep.vnt", shortRecord}},
       "1990BPE.vnt",
       "vnt-seasons: 1990BPE.vnt: not sealed: its number of records comes from 1990Deep.vnt line 3 "
       "column 33: record 2 \"Texas\" ends after 9 of 16 numbers"},
      {"BpeShort",
       {{"1990BPE.vnt", replaced(kBpe, ",\"Texas\"", "")}, {"1990Deep.vnt", kDeep}},
       "1990BPE.vnt",
       "vnt-seasons: 1990BPE.vnt line 2 column 24: record 2 ends after 8 of 9 fields; not sealed"},
      // No check value, and no line break after the last record: the file may have been cut
      // inside its last number (here 10 cut to 1), which a check value would then bless.
      {"LastNumberCutWithoutCheckValue",
       {{"1990Deep.vnt", replaced(kDeep, ",14,4,0\r\n-1617\r\n", ",14,4,1")}},
       "1990Deep.vnt",
       "vnt-seasons: 1990Deep.vnt line 3 column 52: ends before the check value, and no line "
       "break follows its last record, so the file may have been cut short inside that record; "
       "not sealed: compare the last record with a copy you trust, end it with a line break, "
       "then seal again"},
      {"NoCheckValueNorLineBreakAfterTheLastRecord",
       {{"1990Deep.vnt", replaced(kDeep, "\r\n-1617\r\n", "")}},
       "1990Deep.vnt",
       "vnt-seasons: 1990Deep.vnt line 3 column 52: ends before the check value, and no line "
       "break follows its last record, so the file may have been cut short inside that record; "
       "not sealed: compare the last record with a copy you trust, end it with a line break, "
       "then seal again"},
      {"BpeNoCheckValueNorLineBreakAfterTheLastRecord",
       {{"1990BPE.vnt", replaced(kBpe, "\r\n-1501\r\n", "")}, {"1990Deep.vnt", kDeep}},
       "1990BPE.vnt",
       "vnt-seasons: 1990BPE.vnt line 2 column 32: ends before the check value, and no line "
       "break follows its last record, so the file may have been cut short inside that record; "
       "not sealed: compare the last record with a copy you trust, end it with a line break, "
       "then seal again"},
      {"NotASeasonFile",
       {{"1990Weather.vnt", "x"}},
       "1990Weather.vnt",
       "vnt-seasons: 1990Weather.vnt: not a Deep or BPE file (the name must end in Deep.vnt or "
       "BPE.vnt)"},
      {"Missing", {}, "1990Deep.vnt", "vnt-seasons: 1990Deep.vnt: file missing"},
  };
  for (const auto& c : cases) {
    use(c.files);
    const auto result = seasons::sealFile(c.file);
    EXPECT_FALSE(result.ok) << c.label;
    EXPECT_EQ(result.message, c.message) << c.label;
    for (const auto& [name, contents] : c.files) EXPECT_EQ(read(name), contents) << c.label;
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_.path()), fs::directory_iterator()),
              static_cast<std::ptrdiff_t>(c.files.size()))
        << c.label;
  }
}

// Another program saves the file while seal works on it, between seal's read and the moment
// the sealed copy would take the file's name. Seal must see it and leave the save alone,
// whether the file system can swap two names at once or not.
TEST_F(SeasonFolder, SealRefusesAFileSavedWhileItWorks) {
  const std::string damaged = replaced(kDeep, "-1617", "0");
  const std::string grown = replaced(damaged, "\"Texas\",20,", "\"Arizona\",44,");
  const std::string sameSize = replaced(damaged, "\"Texas\",20,", "\"Texas\",21,");
  struct Save {
    const char* label;
    std::function<void()> save;
    std::optional<std::string> after;  // the file once seal is done; none: not there
  };
  const Save saves[] = {
      {"WrittenInPlace", [&] { write("1990Deep.vnt", grown); }, grown},
      {"SavedByRename",
       [&] {
         write("1990Deep.vnt.saving", grown);
         fs::rename("1990Deep.vnt.saving", "1990Deep.vnt");
       },
       grown},
      // Same size, and the modification time set back: only the bytes tell.
      {"SameSizeAndTime",
       [&] {
         struct stat before {};
         ASSERT_EQ(::stat("1990Deep.vnt", &before), 0);
         write("1990Deep.vnt", sameSize);
         const timespec times[2] = {before.st_atim, before.st_mtim};
         ASSERT_EQ(::utimensat(AT_FDCWD, "1990Deep.vnt", times, 0), 0);
       },
       sameSize},
      {"Removed", [] { fs::remove("1990Deep.vnt"); }, std::nullopt},
  };
  for (const bool swapNames : {true, false}) {
    for (const auto& s : saves) {
      SCOPED_TRACE(std::string(s.label) + (swapNames ? " swapping names" : " renaming"));
      use({{"1990Deep.vnt", damaged}});
      seasons::SealOptions options;
      options.hooks.swapNames = swapNames;
      options.hooks.beforeReplace = s.save;
      const auto result = seasons::sealFile("1990Deep.vnt", options);
      EXPECT_FALSE(result.ok);
      EXPECT_EQ(result.message,
                "vnt-seasons: 1990Deep.vnt: changed while it was being sealed (saved by another "
                "program?); not sealed, it is left as it was saved: seal it again once it is "
                "saved and closed");
      if (s.after) {
        EXPECT_EQ(read("1990Deep.vnt"), *s.after);
      } else {
        EXPECT_FALSE(fs::exists("1990Deep.vnt"));
      }
      // Nothing is left beside it.
      EXPECT_EQ(std::distance(fs::directory_iterator(folder_.path()), fs::directory_iterator()),
                s.after ? 1 : 0);
    }
    // Untouched meanwhile, it is sealed either way.
    use({{"1990Deep.vnt", damaged}});
    seasons::SealOptions options;
    options.hooks.swapNames = swapNames;
    EXPECT_TRUE(seasons::sealFile("1990Deep.vnt", options).ok);
    EXPECT_EQ(read("1990Deep.vnt"), kDeep);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_.path()), fs::directory_iterator()), 1);
  }
}

// Run as root, the sealed copy still belongs to the file's owner and group, with its mode:
// otherwise the player's 0640 file could no longer be read by the player.
TEST_F(SeasonFolder, SealKeepsOwnerGroupAndModeWhenRunAsRoot) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file to another user";
  use({{"1990Deep.vnt", replaced(kDeep, "-1617", "0")}});
  ASSERT_EQ(::chown("1990Deep.vnt", 4321, 8765), 0);
  ASSERT_EQ(::chmod("1990Deep.vnt", 0640), 0);
  EXPECT_TRUE(seasons::sealFile("1990Deep.vnt").ok);
  EXPECT_EQ(read("1990Deep.vnt"), kDeep);
  struct stat after {};
  ASSERT_EQ(::stat("1990Deep.vnt", &after), 0);
  EXPECT_EQ(after.st_uid, 4321u);
  EXPECT_EQ(after.st_gid, 8765u);
  EXPECT_EQ(after.st_mode & 07777, 0640u);
}

// A read-only file is sealed only when asked, and stays read-only.
TEST_F(SeasonFolder, SealLeavesAReadOnlyFileAloneUnlessForced) {
  const std::string damaged = replaced(kDeep, "-1617", "0");
  use({{"1990Deep.vnt", damaged}});
  ASSERT_EQ(::chmod("1990Deep.vnt", 0444), 0);
  const auto refused = seasons::sealFile("1990Deep.vnt");
  EXPECT_FALSE(refused.ok);
  EXPECT_EQ(refused.message,
            "vnt-seasons: 1990Deep.vnt: read-only; not sealed (seal --force seals it and keeps it "
            "read-only)");
  EXPECT_EQ(read("1990Deep.vnt"), damaged);

  seasons::SealOptions force;
  force.force = true;
  const auto sealed = seasons::sealFile("1990Deep.vnt", force);
  EXPECT_TRUE(sealed.ok) << sealed.message;
  EXPECT_EQ(read("1990Deep.vnt"), kDeep);
  struct stat after {};
  ASSERT_EQ(::stat("1990Deep.vnt", &after), 0);
  EXPECT_EQ(after.st_mode & 07777, 0444u);
}

// A file with two names would be sealed under one of them only, the other keeping the old
// value without a word: seal refuses and changes neither.
TEST_F(SeasonFolder, SealRefusesAHardLinkedFile) {
  const std::string damaged = replaced(kDeep, "-1617", "0");
  use({{"1990Deep.vnt", damaged}});
  fs::create_hard_link("1990Deep.vnt", "1990Deep.vnt.copy");
  const auto result = seasons::sealFile("1990Deep.vnt");
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.message,
            "vnt-seasons: 1990Deep.vnt: not sealed: the file has 2 names (hard links), and "
            "sealing would give only this one the sealed copy; to seal this name alone, make it "
            "a file of its own first (copy it and move the copy over it)");
  EXPECT_EQ(read("1990Deep.vnt"), damaged);
  EXPECT_EQ(fs::hard_link_count("1990Deep.vnt"), 2u);
  EXPECT_TRUE(fs::equivalent("1990Deep.vnt", "1990Deep.vnt.copy"));
  // A file already right needs no writing, so it is no reason to refuse.
  use({{"1990Deep.vnt", kDeep}});
  fs::create_hard_link("1990Deep.vnt", "1990Deep.vnt.copy");
  EXPECT_TRUE(seasons::sealFile("1990Deep.vnt").ok);
}

// ---------------------------------------------------------------------------------------
// seal and build on a full disk: the old files stay whole.

// A file system of 64 KiB mounted for the test, where the machine lets us (root, and a
// sandbox that allows mounts).
class SmallFileSystem {
 public:
  explicit SmallFileSystem(fs::path where) : where_(std::move(where)) {
    fs::create_directory(where_);
    mounted_ = ::mount("tmpfs", where_.c_str(), "tmpfs", 0, "size=64k,mode=0755") == 0;
  }
  ~SmallFileSystem() {
    if (mounted_) ::umount2(where_.c_str(), MNT_DETACH);
  }
  SmallFileSystem(const SmallFileSystem&) = delete;
  SmallFileSystem& operator=(const SmallFileSystem&) = delete;

  bool mounted() const { return mounted_; }

  // Takes the room that is left with a file of its own.
  void fill() const {
    const int fd = ::open((where_ / "filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    const std::string block(4096, 'x');
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    const std::string byte(1, 'x');
    while (::write(fd, byte.data(), 1) > 0) {
    }
    EXPECT_EQ(errno, ENOSPC);
    ::close(fd);
  }

 private:
  fs::path where_;
  bool mounted_ = false;
};

class FullDisk : public SeasonFolder {
 protected:
  // The old season in `dir`, its Deep file with a wrong check value; the disk then fills.
  void oldSeasonIn(const fs::path& dir) {
    old_ = with(goodSeason(), "1990Deep.vnt", replaced(kDeep, "-1617", "0"));
    for (const auto& [name, contents] : old_) write((dir / name).string(), contents);
  }

  // Seal and build both fail, and leave every old file whole and nothing beside them.
  void expectOldFilesKept(const fs::path& dir, const seasons::WriteHooks& hooks,
                          std::size_t others) {
    seasons::SealOptions options;
    options.hooks = hooks;
    const std::string deep = (dir / "1990Deep.vnt").string();
    const auto sealed = seasons::sealFile(deep, options);
    EXPECT_FALSE(sealed.ok);
    EXPECT_EQ(sealed.message, "vnt-seasons: " + deep +
                                  ": cannot write: No space left on device; not sealed, the "
                                  "file is unchanged");
    expectOld(dir, others);

    // The new season is larger than the old one in every file.
    Files season;
    for (const auto& [name, contents] : old_) season[name] = contents + std::string(8192, ' ');
    const auto built = seasons::writeFilesTogether(dir, season, hooks);
    ASSERT_TRUE(built.has_value());
    EXPECT_EQ(*built, "cannot write " + (dir / failing_).string() +
                          ": cannot write: No space left on device; no file in " + dir.string() +
                          " was changed");
    expectOld(dir, others);
  }

  void expectOld(const fs::path& dir, std::size_t others) {
    for (const auto& [name, contents] : old_) {
      EXPECT_EQ(read((dir / name).string()), contents) << name;
    }
    EXPECT_EQ(static_cast<std::size_t>(
                  std::distance(fs::directory_iterator(dir), fs::directory_iterator())),
              old_.size() + others);
  }

  Files old_;
  std::string failing_ = "1990BPE.vnt";  // the first file of the season in name order
};

TEST_F(FullDisk, SealAndBuildOnAFullFileSystemLeaveTheOldFilesWhole) {
  const fs::path dir = folder_.path() / "small";
  SmallFileSystem small(dir);
  if (!small.mounted()) GTEST_SKIP() << "no file system can be mounted here";
  oldSeasonIn(dir);
  small.fill();
  expectOldFilesKept(dir, {}, 1);
}

// Where no file system can be mounted, the write fails as on a full disk, half way through
// the third file a build writes: the two written before it are not put in place either.
TEST_F(FullDisk, SealAndBuildLeaveTheOldFilesWholeWhenAWriteFails) {
  const fs::path dir = folder_.path();
  oldSeasonIn(dir);
  int writes = 0;
  seasons::WriteHooks hooks;
  hooks.write = [&writes](int fd, const void* data, std::size_t size) -> ssize_t {
    if (++writes % 3 != 0) return ::write(fd, data, size);
    if (::write(fd, data, size / 2) < 0) return -1;
    errno = ENOSPC;
    return -1;
  };
  writes = 2;  // seal's one write fails
  failing_ = "1990Deep.vnt";  // 1990BPE.vnt, 1990CPlay.vnt, then 1990Deep.vnt
  expectOldFilesKept(dir, hooks, 0);
}

// ---------------------------------------------------------------------------------------
// One truth: check's verdict is the window's start-up verdict, whatever the files hold.

std::vector<std::string> corpusInputs() {
  std::vector<std::string> inputs;
  const fs::path corpus = fs::path(VNT_SOURCE_DIR) / "fuzz" / "corpus" / "season_files";
  std::vector<fs::path> paths{fs::directory_iterator(corpus), fs::directory_iterator()};
  std::sort(paths.begin(), paths.end());
  for (const auto& path : paths) {
    std::ifstream in(path, std::ios::binary);
    inputs.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return inputs;
}

// The web edition shows no check of the sample seasons it is built with (checking them in the
// browser held up the window's first paint by a second): they must need none.
TEST(BundledSeasons, AreAllOfferedWithoutAWarning) {
  const testing::InBundledSeasons inSamples;
  std::vector<std::string> lines;
  for (const auto& report : seasons::checkSeasons()) {
    for (const std::string& line : seasons::reportLines(report)) lines.push_back(line);
  }
  EXPECT_EQ(lines, (std::vector<std::string>{"1975  offered", "1987  offered", "1998  offered",
                                             "2015  offered", "2016  offered", "2025  offered"}));
}

TEST_F(SeasonFolder, CheckAgreesWithTheStartUpCheck) {
  const auto inputs = corpusInputs();
  ASSERT_GE(inputs.size(), 20u);
  // Every corpus input as a Deep file, as a BPE file and as both, in seasons of their own.
  Files files;
  int year = kFirstSeason;
  const auto verify = [&] {
    use(files);
    std::vector<int> offered;
    for (const auto& report : seasons::checkSeasons()) {
      if (report.offered) offered.push_back(report.year);
      EXPECT_EQ(report.reason.empty(), report.offered) << report.year;
    }
    EXPECT_EQ(offered, startUpOffers());
    files.clear();
    year = kFirstSeason;
  };
  for (const auto& input : inputs) {
    files[std::to_string(year) + "Deep.vnt"] = input;
    files[std::to_string(year++) + "BPE.vnt"] = kBpe;
    files[std::to_string(year) + "Deep.vnt"] = kDeep;
    files[std::to_string(year++) + "BPE.vnt"] = input;
    files[std::to_string(year) + "Deep.vnt"] = input;
    files[std::to_string(year++) + "BPE.vnt"] = input;
    if (year + 3 > kFirstSeason + kSeasonCount) verify();
  }
  if (!files.empty()) verify();
  // And every damaged season of the table above.
  for (const auto& c : damagedSeasons()) {
    use(c.files);
    std::vector<int> offered;
    for (const auto& report : seasons::checkSeasons()) {
      if (report.offered) offered.push_back(report.year);
    }
    EXPECT_EQ(offered, startUpOffers()) << c.label;
  }
}

}  // namespace
}  // namespace vnt
