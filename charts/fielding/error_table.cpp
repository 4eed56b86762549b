#include "charts/fielding/error_table.h"

#include <algorithm>

namespace vnt::error {
namespace {

using C = Code;

// clang-format off
// --- Pitcher (fielder 1) ---------------------------------------------------------------
constexpr Code kPitcherColumns[] = {C::E2, C::E1, C::DP};
constexpr Row kPitcherRows[] = {
    {20, {"00", "01-02", "03-99"}},
    {19, {"00-01", "02-04", "05-99"}},
    {18, {"00-03", "04-09", "10-99"}},
    {17, {"00-04", "05-13", "14-99"}},
    {16, {"00-06", "07-18", "19-99"}},
    {15, {"00-07", "08-22", "23-99"}},
    {14, {"00-09", "10-27", "28-99"}},
    {13, {"00-10", "11-31", "32-99"}},
    {12, {"00-12", "13-36", "37-99"}},
    {11, {"00-13", "14-40", "41-99"}},
    {10, {"00-15", "16-45", "46-99"}},
    {9, {"00-16", "17-49", "50-99"}},
    {8, {"00-18", "19-54", "55-99"}},
    {7, {"00-19", "20-58", "59-99"}},
    {6, {"00-21", "22-63", "64-99"}},
    {5, {"00-22", "23-67", "68-99"}},
    {4, {"00-24", "25-72", "73-99"}},
    {3, {"00-25", "26-76", "77-99"}},
    {2, {"00-27", "28-81", "82-99"}},
    {1, {"00-28", "29-85", "86-99"}},
};

// --- Catcher (fielder 2) ---------------------------------------------------------------
constexpr Code kCatcherColumns[] = {C::E2, C::E0, C::SG, C::Popout, C::FoulOut};
constexpr Row kCatcherRows[] = {
    {20, {"-", "-", "00-30", "31-50", "51-99"}},
    {19, {"-", "00", "01-31", "32-51", "52-99"}},
    {18, {"00", "01", "02-31", "32-51", "52-99"}},
    {17, {"00", "01", "02-31", "32-51", "52-99"}},
    {16, {"00", "01-02", "03-31", "32-51", "52-99"}},
    {15, {"00-01", "02-03", "04-32", "33-52", "53-99"}},
    {14, {"00-01", "02-03", "04-31", "32-51", "52-99"}},
    {13, {"00-01", "02-04", "05-32", "33-52", "53-99"}},
    {12, {"00-02", "03-05", "06-32", "33-52", "53-99"}},
    {11, {"00-02", "03-05", "06-32", "33-52", "53-99"}},
    {10, {"00-02", "03-06", "07-32", "33-52", "53-99"}},
    {9, {"00-03", "04-07", "08-33", "34-53", "54-99"}},
    {8, {"00-03", "04-07", "08-32", "33-52", "53-99"}},
    {7, {"00-03", "04-08", "09-33", "34-53", "54-99"}},
    {6, {"00-04", "05-09", "10-33", "34-53", "54-99"}},
    {5, {"00-04", "05-09", "10-33", "34-53", "54-99"}},
    {4, {"00-04", "05-10", "11-33", "34-53", "54-99"}},
    {3, {"00-05", "06-11", "12-34", "35-54", "55-99"}},
    {2, {"00-05", "06-11", "12-33", "34-53", "54-99"}},
    {1, {"00-05", "06-12", "13-34", "35-54", "55-99"}},
};

// --- First base (fielder 3) ------------------------------------------------------------
constexpr Code kFirstBaseColumns[] = {C::E2, C::E1, C::E2Plus, C::RGPlus, C::Popout};
constexpr Row kFirstBaseRows[] = {
    {20, {"00", "01-05", "-", "06-89", "90-99"}},
    {19, {"00-01", "02-08", "-", "09-89", "90-99"}},
    {18, {"00-02", "03-12", "-", "13-89", "90-99"}},
    {17, {"00-03", "04-15", "-", "16-89", "90-99"}},
    {16, {"00-04", "05-19", "-", "20-89", "90-99"}},
    {15, {"00-05", "06-22", "-", "23-89", "90-99"}},
    {14, {"00-06", "07-26", "27", "28-89", "90-99"}},
    {13, {"00-07", "08-30", "31-32", "33-89", "90-99"}},
    {12, {"00-08", "09-34", "35-36", "37-89", "90-99"}},
    {11, {"00-09", "10-38", "39-40", "41-89", "90-99"}},
    {10, {"00-10", "11-42", "43-44", "45-89", "90-99"}},
    {9, {"00-11", "12-46", "47-49", "50-89", "90-99"}},
    {8, {"00-12", "13-50", "51-53", "54-89", "90-99"}},
    {7, {"00-13", "14-54", "55-57", "58-89", "90-99"}},
    {6, {"00-14", "15-59", "60-62", "63-89", "90-99"}},
    {5, {"00-15", "16-63", "64-67", "68-89", "90-99"}},
    {4, {"00-16", "17-68", "69-72", "73-89", "90-99"}},
    {3, {"00-17", "18-72", "73-76", "77-89", "90-99"}},
    {2, {"00-18", "19-77", "78-81", "82-89", "90-99"}},
    {1, {"00-19", "20-81", "82-86", "87-89", "90-99"}},
};

// --- Second base (fielder 4) -----------------------------------------------------------
constexpr Code kSecondBaseColumns[] = {C::E2, C::E1, C::RGPlus, C::Popout};
constexpr Row kSecondBaseRows[] = {
    {20, {"00", "01-10", "11-89", "90-99"}},    {19, {"00-01", "02-14", "15-89", "90-99"}},
    {18, {"00-02", "03-18", "19-89", "90-99"}}, {17, {"00-03", "04-22", "23-89", "90-99"}},
    {16, {"00-04", "05-26", "27-89", "90-99"}}, {15, {"00-05", "06-30", "31-89", "90-99"}},
    {14, {"00-06", "07-34", "35-89", "90-99"}}, {13, {"00-07", "08-38", "39-89", "90-99"}},
    {12, {"00-08", "09-42", "43-89", "90-99"}}, {11, {"00-09", "10-46", "47-89", "90-99"}},
    {10, {"00-10", "11-50", "51-89", "90-99"}}, {9, {"00-11", "12-54", "55-89", "90-99"}},
    {8, {"00-12", "13-58", "59-89", "90-99"}},  {7, {"00-13", "14-62", "63-89", "90-99"}},
    {6, {"00-14", "15-66", "67-89", "90-99"}},  {5, {"00-15", "16-70", "71-89", "90-99"}},
    {4, {"00-16", "17-74", "75-89", "90-99"}},  {3, {"00-17", "18-78", "79-89", "90-99"}},
    {2, {"00-18", "19-82", "83-89", "90-99"}},  {1, {"00-19", "20-86", "87-89", "90-99"}},
};

// --- Third base and shortstop (fielders 5 and 6) ---------------------------------------
constexpr Code kLeftSideColumns[] = {C::E2, C::SingleE1, C::E1, C::RGPlus, C::Popout};
constexpr Row kLeftSideRows[] = {
    {20, {"00", "01", "02-23", "24-89", "90-99"}},
    {19, {"00", "01", "02-26", "27-89", "90-99"}},
    {18, {"00-01", "02-03", "04-31", "32-89", "90-99"}},
    {17, {"00-01", "02-03", "04-34", "35-89", "90-99"}},
    {16, {"00-02", "03-05", "06-39", "40-89", "90-99"}},
    {15, {"00-02", "03-05", "06-42", "43-89", "90-99"}},
    {14, {"00-03", "04-07", "08-47", "48-89", "90-99"}},
    {13, {"00-03", "04-07", "08-50", "51-89", "90-99"}},
    {12, {"00-04", "05-09", "10-55", "56-89", "90-99"}},
    {11, {"00-04", "05-09", "10-58", "59-89", "90-99"}},
    {10, {"00-05", "06-11", "12-63", "64-89", "90-99"}},
    {9, {"00-05", "06-11", "12-66", "67-89", "90-99"}},
    {8, {"00-06", "07-13", "14-71", "72-89", "90-99"}},
    {7, {"00-06", "07-13", "14-74", "75-89", "90-99"}},
    {6, {"00-07", "08-15", "16-79", "80-89", "90-99"}},
    {5, {"00-07", "08-15", "16-82", "83-89", "90-99"}},
    {4, {"00-08", "09-17", "18-87", "88-89", "90-99"}},
    {3, {"00-08", "09-17", "18-90", "-", "91-99"}},
    {2, {"00-09", "10-19", "20-95", "-", "96-99"}},
    {1, {"00-09", "10-19", "20-98", "-", "99"}},
};

// --- Outfielders (fielders 7, 8 and 9) -------------------------------------------------
constexpr Code kOutfieldColumns[] = {C::E3, C::DoubleE1, C::E2, C::SingleE1,
                                     C::E1, C::WetField, C::EF, C::ShortFly};
constexpr Row kOutfieldRows[] = {
    {20, {"-", "-", "-", "-", "-", "-", "00-14", "15-99"}},
    {19, {"-", "-", "00", "01", "02", "03", "04-17", "18-99"}},
    {18, {"-", "-", "00", "01-02", "03", "04", "05-18", "19-99"}},
    {17, {"-", "-", "00", "01-02", "03-04", "05", "06-19", "20-99"}},
    {16, {"-", "00", "01", "02-03", "04-05", "06", "07-20", "21-99"}},
    {15, {"00", "01", "02", "03-05", "06-07", "08", "09-22", "23-99"}},
    {14, {"00", "01", "02", "03-06", "07-08", "09", "10-23", "24-99"}},
    {13, {"00", "01", "02", "03-06", "07-09", "10", "11-24", "25-99"}},
    {12, {"00-01", "02-03", "04-05", "06-10", "11-13", "14", "15-28", "29-99"}},
    {11, {"00-01", "02-03", "04-05", "06-10", "11-14", "15", "16-29", "30-99"}},
    {10, {"00-01", "02-03", "04-05", "06-11", "12-15", "16", "17-30", "31-99"}},
    {9, {"00-02", "03-04", "05-06", "07-12", "13-16", "17-18", "19-31", "32-99"}},
    {8, {"00-02", "03-05", "06-07", "08-14", "15-18", "19-20", "21-33", "34-99"}},
    {7, {"00-02", "03-05", "06-08", "09-15", "16-20", "21-22", "23-35", "36-99"}},
    {6, {"00-03", "04-06", "07-09", "10-17", "18-22", "23-24", "25-37", "38-99"}},
    {5, {"00-03", "04-06", "07-09", "10-17", "18-23", "24-25", "26-38", "39-99"}},
    {4, {"00-03", "04-07", "08-10", "11-19", "20-25", "26-27", "28-40", "41-99"}},
    {3, {"00-04", "05-08", "09-12", "13-21", "22-27", "28-29", "30-42", "43-99"}},
    {2, {"00-04", "05-08", "09-12", "13-22", "23-28", "29-30", "31-43", "44-99"}},
    {1, {"00-04", "05-08", "09-12", "13-22", "23-29", "30-31", "32-44", "45-99"}},
};

// clang-format on

constexpr Table kTables[] = {
    {kPitcherColumns, kPitcherRows},     {kCatcherColumns, kCatcherRows},
    {kFirstBaseColumns, kFirstBaseRows}, {kSecondBaseColumns, kSecondBaseRows},
    {kLeftSideColumns, kLeftSideRows},   {kOutfieldColumns, kOutfieldRows},
};

// A typing slip in a cell (a stray letter, "5-09") would otherwise only show at the table.
constexpr bool allCellsReadable() {
  for (const Table& table : kTables) {
    for (const Row& row : table.rows) {
      for (std::size_t column = 0; column < kMaxColumns; ++column) {
        const bool used = column < table.columns.size();
        if (used && !parseCell(row.cells[column])) return false;
        if (!used && !row.cells[column].empty()) return false;
      }
    }
  }
  return true;
}
static_assert(allCellsReadable(),
              "every cell is \"NN\", \"NN-NN\" or \"-\", and no row is too wide");

// The penalty lines of the "RG+" text changed with the 2016 rules.
constexpr int kFirstInjurySeason = 2016;

}  // namespace

std::optional<Table> tableFor(int fielder) {
  switch (fielder) {
    case 1:
      return kTables[0];
    case 2:
      return kTables[1];
    case 3:
      return kTables[2];
    case 4:
      return kTables[3];
    case 5:
    case 6:
      return kTables[4];
    case 7:
    case 8:
    case 9:
      return kTables[5];
    default:
      return std::nullopt;
  }
}

bool isInfielder(int fielder) {
  return fielder >= 3 && fielder <= 6;
}

int adjustedRating(int rating, bool cold, bool infieldIn, int fielder) {
  constexpr int kColdPenalty = 6;
  constexpr int kInfieldInPenalty = 6;
  if (cold) rating -= kColdPenalty;
  if (infieldIn && isInfielder(fielder)) rating -= kInfieldInPenalty;
  return std::max(rating, kWorstRating);
}

std::optional<Code> lookUp(int fielder, int rating, int roll) {
  const auto table = tableFor(fielder);
  if (!table) return std::nullopt;
  const auto row = std::find_if(table->rows.begin(), table->rows.end(),
                                [rating](const Row& r) { return r.rating == rating; });
  if (row == table->rows.end()) return std::nullopt;
  for (std::size_t column = 0; column < table->columns.size(); ++column) {
    const auto range = parseCell(row->cells[column]);
    if (range && range->holds(roll)) return table->columns[column];
  }
  return std::nullopt;
}

std::string_view codeText(Code code) {
  switch (code) {
    case C::E0:
      return "E(0)";
    case C::E1:
      return "E(1)";
    case C::E2:
      return "E(2)";
    case C::E2Plus:
      return "E(2)+";
    case C::E3:
      return "E(3)";
    case C::SingleE1:
      return "1B+E(1)";
    case C::DoubleE1:
      return "2B+E(1)";
    case C::RGPlus:
      return "RG+";
    case C::DP:
      return "DP";
    case C::SG:
      return "SG";
    case C::Popout:
      return "Popout";
    case C::FoulOut:
      return "Foul Out";
    case C::ShortFly:
      return "Short Fly";
    case C::EF:
      return "EF";
    case C::WetField:
      return "Wet Field?";
  }
  return "";
}

namespace {

std::string_view sentence(Code code) {
  switch (code) {
    case C::E0:
      return " - Catcher hovers under foul pop, but drops it.  Runners hold.";
    case C::E1:
      return " - Batter reaches first on error.  Runners advance one base";
    case C::SingleE1:
      return " - Batter reaches first on single and advances to 2nd on error.  Runners advance "
             "two bases.";
    case C::DoubleE1:
      return " - Batter doubles and advances to 3rd on error.  All runners score.";
    case C::E2:
      return " - Batter reaches 2nd on two-base error.  Runners advance two bases.";
    case C::E2Plus:
      return " - Batter reaches 2nd on two-base error and can advance to third using Sending "
             "Runners? Chart.  RF throws.  All runners score.";
    case C::E3:
      return " - Batter reaches 3rd on three-base error.  All runners score.";
    case C::Popout:
      return " - Fielder catches easy pop, all runners hold.";
    case C::WetField:
      return " - Wet Field, outfielder slips going after fly E(2).  All other conditions, EF.";
    case C::FoulOut:
      return " - Catcher gets to foul pop and catches it for the out.  Runners hold.";
    case C::ShortFly:
      return " - Outfielder makes easy catch, runners hold.";
    case C::EF:
      return " - Batter out.  Runner on 3rd may attempt to score, other runners hold.";
    case C::RGPlus:
    case C::DP:
    case C::SG:
      return "";
  }
  return "";
}

}  // namespace

std::string explanation(Code code, int season) {
  if (code != C::RGPlus) {
    // Five line breaks put the text below the rating options of the frame.
    return std::string("\r\r\r\r\r") + std::string(codeText(code)) + std::string(sentence(code));
  }
  std::string text =
      "RG+"
      " - (No runner on first, use RG results) Runner on first out at second, with a chance of "
      "DP.  Roll one die (0=10)\r"
      "If # > batter's speed rating +/-5 pivot rating, DP, other runners advance one base.\r"
      "If # < batter's speed rating +/- pivot rating, safe at first, other runners advance one "
      "base.\r"
      "If # = batter's speed rating +/- pivot rating, roll again.. \r";
  if (season >= kFirstInjurySeason) {
    text +=
        "# 0-4 batter is out (DP) and injured today only\r"
        "# 5-9 batter is safe (FC) 1B injured today only";
  } else {
    text +=
        "# 0-4 batter is out (DP) and ejected\r"
        "# 5-9 batter is safe (FC) 1B ejected";
  }
  return text;
}

}  // namespace vnt::error
