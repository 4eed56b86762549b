#include "charts/fielding/infield_range_table.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "charts/fielding/infield_defense.h"

namespace vnt::infield_range {
namespace {

using L = Location;

constexpr Band n{};  // a row the column does not use
constexpr Band b(int lo, int hi) {
  return {lo, hi};
}
constexpr Band b(int roll) {
  return {roll, roll};
}

// clang-format off
const std::array<LocationRow, kLocationRows> kLocations = {{
    //                           LSP        LP         RSP        RP         H&R L      H&R R
    {L::DownTheLine, kFirstBase,  {b(0, 5),  b(0, 12),  b(0),      n,         b(0, 8),   b(0, 8)}},
    {L::Ripped,      kFirstBase,  {b(6, 7),  b(13, 21), b(1),      n,         b(9, 18),  n}},
    {L::OffTheEnd,   kFirstBase,  {b(8, 10), b(22, 32), b(2, 3),   b(0),      b(19, 23), b(9, 11)}},
    {L::InTheHole,   kFirstBase,  {b(11, 16), b(33, 40), b(4, 9),  b(1),      b(24, 30), b(12, 18)}},
    {L::InTheHole,   kSecondBase, {b(17, 25), b(41, 49), b(10, 17), b(2),     b(31, 35), b(19, 48)}},
    {L::OffTheEnd,   kSecondBase, {b(26, 36), b(50, 60), b(18, 21), b(3, 4),  b(36, 42), b(49, 53)}},
    {L::Ripped,      kSecondBase, {b(37, 43), b(61, 67), b(22, 28), b(5),     b(43, 49), b(54, 57)}},
    {L::UpTheMiddle, kSecondBase, {b(44, 52), b(68, 77), b(29, 36), b(6, 12), n,         n}},
    {L::Ripped,      kPitcher,    {b(53),     n,         b(37),     n,        b(50),     b(58)}},
    {L::UpTheMiddle, kPitcher,    {b(54, 60), b(78, 84), b(38, 44), b(13, 19), n,        n}},
    {L::OffTheEnd,   kPitcher,    {b(61, 62), b(85, 86), b(45, 46), b(20, 21), b(51, 52), b(59, 60)}},
    {L::UpTheMiddle, kShortstop,  {b(63, 70), b(87, 93), b(47, 55), b(22, 31), n,        n}},
    {L::Ripped,      kShortstop,  {b(71, 77), b(94),     b(56, 62), b(32, 38), b(53, 56), b(61, 67)}},
    {L::OffTheEnd,   kShortstop,  {b(78, 81), b(95, 96), b(63, 73), b(39, 49), b(57, 61), b(68, 74)}},
    {L::InTheHole,   kShortstop,  {b(82, 89), b(97),     b(74, 82), b(50, 58), b(62, 91), b(75, 79)}},
    {L::InTheHole,   kThirdBase,  {b(90, 95), b(98),     b(83, 88), b(59, 66), n,        b(80, 84)}},
    {L::OffTheEnd,   kThirdBase,  {b(96, 97), b(99),     b(89, 91), b(67, 77), b(92, 94), b(85, 89)}},
    {L::Ripped,      kThirdBase,  {b(98),     n,         b(92, 93), b(78, 86), b(95, 99), b(90, 99)}},
    {L::DownTheLine, kThirdBase,  {b(99),     n,         b(94, 99), b(87, 99), n,        n}},
}};
// clang-format on

// Range limits: a result applies when the roll is below its limit; kNo never applies.
constexpr int kNo = -1;
using LimitRow = std::array<int, kRatingCount>;  // SP VG AV FR MD PR WK

// clang-format off
//                                SP   VG  AV  FR  MD   PR   WK
constexpr LimitRow kGrassDiving  {70,  60, 50, 40, 30,  20,  5};
constexpr LimitRow kGrassClose   {90,  75, 60, 45, kNo, kNo, kNo};
constexpr LimitRow kGrassKept    {100, 84, 68, 52, 36,  25,  9};
constexpr LimitRow kTurfDiving   {59,  47, 35, 23, 15,  3,   kNo};
constexpr LimitRow kTurfClose    {79,  62, 45, 28, kNo, kNo, kNo};
constexpr LimitRow kTurfKept     {93,  75, 57, 39, 25,  12,  8};
constexpr LimitRow kSnagged      {95,  80, 65, 50, 35,  20,  5};  // either surface
// clang-format on

bool below(const LimitRow& limits, int rating, int roll) {
  const int limit = limits[static_cast<std::size_t>(rating)];
  return limit != kNo && roll < limit;
}

// Who an adjustment rule looks at.
enum class At { NotPitcher, Corners, First, Second, Third, Short };
enum class Side { Any, L, R };
constexpr int kHitAndRun = kBoxCount;  // the "Hit and Run" box, after the defence boxes

struct Rule {
  int box;
  At at;
  std::optional<Location> ball;  // none: wherever the ball goes
  Side side;
  int change;
};

constexpr std::optional<Location> kAnyBall;

namespace ib = vnt::infield;

// Every rule whose condition holds applies, in this order.
// clang-format off
constexpr Rule kRules[] = {
    {ib::kInfieldIn,      At::NotPitcher, kAnyBall,       Side::Any, +2},
    {ib::kCornersIn,      At::Corners,    kAnyBall,       Side::Any, +2},
    {ib::k3BIn,           At::Third,      kAnyBall,       Side::Any, +2},
    {ib::k3BGuardsLine,   At::Third,      L::InTheHole,   Side::Any, +2},
    {ib::k3BGuardsLine,   At::Third,      L::DownTheLine, Side::Any, -2},
    {ib::k3BHoldsRunner,  At::Third,      L::InTheHole,   Side::Any, +2},
    {ib::k3BHoldsRunner,  At::Third,      L::DownTheLine, Side::Any, -1},
    {ib::k1BIn,           At::First,      kAnyBall,       Side::Any, +2},
    {ib::k1BGuardsLine,   At::First,      L::InTheHole,   Side::Any, +2},
    {ib::k1BGuardsLine,   At::First,      L::DownTheLine, Side::Any, -2},
    {ib::k1BHoldsRunner,  At::First,      L::InTheHole,   Side::Any, +2},
    {ib::k1BHoldsRunner,  At::First,      L::DownTheLine, Side::Any, -1},
    {ib::kSSHoldsRunner,  At::Short,      L::UpTheMiddle, Side::Any, -2},
    {ib::kSSHoldsRunner,  At::Short,      L::InTheHole,   Side::Any, +2},
    {ib::kSSIn,           At::Short,      kAnyBall,       Side::Any, +2},
    {ib::k2BHoldsRunner,  At::Second,     L::UpTheMiddle, Side::Any, -2},
    {ib::k2BHoldsRunner,  At::Second,     L::InTheHole,   Side::Any, +2},
    {ib::k2BIn,           At::Second,     kAnyBall,       Side::Any, +2},
    {kHitAndRun,          At::Short,      L::InTheHole,   Side::L,   +2},
    {kHitAndRun,          At::Second,     L::InTheHole,   Side::R,   +2},
    {kHitAndRun,          At::Short,      L::UpTheMiddle, Side::L,   -2},
    {kHitAndRun,          At::Second,     L::UpTheMiddle, Side::R,   -2},
};
// clang-format on

bool fielderIs(At at, int fielder) {
  switch (at) {
    case At::NotPitcher:
      return fielder != kPitcher;
    case At::Corners:
      return fielder == kFirstBase || fielder == kThirdBase;
    case At::First:
      return fielder == kFirstBase;
    case At::Second:
      return fielder == kSecondBase;
    case At::Third:
      return fielder == kThirdBase;
    case At::Short:
      return fielder == kShortstop;
  }
  return false;
}

bool sideIs(Side side, int battingStyle) {
  switch (side) {
    case Side::Any:
      return true;
    case Side::L:
      return battingStyle == 0 || battingStyle == 1;
    case Side::R:
      return battingStyle == 2 || battingStyle == 3;
  }
  return false;
}

constexpr char CR = '\r';

}  // namespace

std::string_view locationWords(Location location) {
  switch (location) {
    case L::DownTheLine:
      return "Down the Line ";
    case L::Ripped:
      return "Ripped! ";
    case L::OffTheEnd:
      return "Off the End ";
    case L::InTheHole:
      return "In the Hole ";
    case L::UpTheMiddle:
      return "Up the Middle ";
  }
  return {};
}

std::optional<Location> locationNamed(std::string_view words) {
  for (int i = 0; i < kLocationCount; ++i) {
    const auto location = static_cast<Location>(i);
    if (locationWords(location) == words) return location;
  }
  return std::nullopt;
}

std::int16_t locationOptionFielder(int option) {
  static constexpr std::int16_t kFielders[] = {kPitcher, kFirstBase, kSecondBase, kThirdBase,
                                               kShortstop};
  if (option < 0 || option >= static_cast<int>(std::size(kFielders))) return -1;
  return kFielders[option];
}

std::string_view fielderAbbreviation(int fielder) {
  switch (fielder) {
    case kPitcher:
      return "P";
    case kFirstBase:
      return "1B";
    case kSecondBase:
      return "2B";
    case kThirdBase:
      return "3B";
    case kShortstop:
      return "SS";
    default:
      return {};
  }
}

std::string locationText(Location location, int fielder) {
  return std::string(locationWords(location)) + std::string(fielderAbbreviation(fielder));
}

Column locationColumn(int battingStyle, bool hitAndRun) {
  const bool leftSide = battingStyle == 0 || battingStyle == 1;
  if (hitAndRun) return leftSide ? Column::HitAndRunL : Column::HitAndRunR;
  switch (battingStyle) {
    case 0:
      return Column::LSP;
    case 1:
      return Column::LP;
    case 2:
      return Column::RSP;
    default:
      return Column::RP;
  }
}

const std::array<LocationRow, kLocationRows>& locationTable() {
  return kLocations;
}

Spot locate(Column column, int roll) {
  const auto c = static_cast<std::size_t>(column);
  const int r = std::clamp(roll, 0, kRollCount - 1);
  for (const LocationRow& row : kLocations) {
    if (row.bands[c].holds(r)) return {row.location, row.fielder};
  }
  // Every column covers 00..99; the last row is only a guard against a broken table.
  return {kLocations.back().location, kLocations.back().fielder};
}

Location doublePlayLocation(int fielder, int roll) {
  if (roll >= 8) return L::Ripped;
  if (roll >= 4) return L::InTheHole;
  return fielder == kFirstBase || fielder == kThirdBase ? L::DownTheLine : L::UpTheMiddle;
}

std::string_view ratingName(int rating) {
  static constexpr std::string_view kNames[kRatingCount] = {"SP", "VG", "AV", "FR",
                                                            "MD", "PR", "WK"};
  return kNames[std::clamp(rating, 0, kRatingCount - 1)];
}

int adjustedRating(int rating, const Situation& s) {
  int r = rating;
  if (s.doublePlayIn) {
    r += 2;
  } else {
    for (const Rule& rule : kRules) {
      const bool boxChecked =
          rule.box == kHitAndRun ? s.hitAndRun : s.boxes[static_cast<std::size_t>(rule.box)];
      if (boxChecked && fielderIs(rule.at, s.fielder) && (!rule.ball || *rule.ball == s.location) &&
          sideIs(rule.side, s.battingStyle)) {
        r += rule.change;
      }
    }
  }
  return std::clamp(r, 0, kRatingCount - 1);
}

std::string_view resultWord(Result result) {
  switch (result) {
    case Result::DivingStop:
      return "Diving Stop";
    case Result::CloseCall:
      return "Close Call";
    case Result::Toss:
      return "Toss?";
    case Result::KeptInInfield:
      return "Kept in Infield";
    case Result::GoesPast:
      return "Goes Past";
    case Result::Snagged:
      return "Snagged";
  }
  return {};
}

Result fieldResult(int surface, Location location, int rating, int roll) {
  const int r = std::clamp(rating, 0, kRatingCount - 1);
  if (location == L::Ripped) return below(kSnagged, r, roll) ? Result::Snagged : Result::GoesPast;
  const bool turf = surface == 1;
  if (below(turf ? kTurfDiving : kGrassDiving, r, roll)) return Result::DivingStop;
  if (below(turf ? kTurfClose : kGrassClose, r, roll)) {
    return location == L::UpTheMiddle ? Result::Toss : Result::CloseCall;
  }
  // Off the end the ball never gets through: whatever is left stays in the infield.
  if (location == L::OffTheEnd) return Result::KeptInInfield;
  if (below(turf ? kTurfKept : kGrassKept, r, roll)) return Result::KeptInInfield;
  return Result::GoesPast;
}

bool fielderDrawnIn(const std::array<bool, kBoxCount>& boxes, int fielder) {
  const auto box = [&boxes](int index) { return boxes[static_cast<std::size_t>(index)]; };
  const bool corner = fielder == kFirstBase || fielder == kThirdBase;
  return box(ib::kInfieldIn) || (box(ib::kCornersIn) && corner) ||
         (box(ib::k1BIn) && fielder == kFirstBase) || (box(ib::k3BIn) && fielder == kThirdBase);
}

std::string explanation(Result result, Location location, int fielder, bool drawnIn) {
  const std::string words(locationWords(location));
  const std::string word(resultWord(result));
  std::string text;
  switch (result) {
    case Result::DivingStop:
      text = word + " - Batter out at 1st, runners advance one base." + CR + CR;
      if (location == L::UpTheMiddle) {
        text += words +
                "- Runner on 1st forced at 2nd, batter out at 1st (DP) unless Hit and Run, then "
                "runners advance one base, batter out at first.";
      }
      if (location == L::DownTheLine && fielder == kThirdBase) {
        text += words + "- Runner on 2nd forced at 3rd unless H&R, batter safe at 1st (FC).";
      }
      if (drawnIn) {
        text +=
            "Infield In - Runner may attempt for home, defense has option to throw home using "
            "Sending Runners? Chart or take the out at first.";
      }
      break;
    case Result::CloseCall:
      text = word + " - Roll one number for play at first (or home with infielder in) 0 = 10" + CR +
             CR + "Batter out if # > player's speed, other runners advance one base." + CR +
             "Batter safe if # < player's speed, other runners advance one base." + CR +
             "If # = player's speed, then roll again..." + CR +
             "   If # is 0-4 player is out and ejected, other runners advance one base." + CR +
             "   If # is 5-9 player is safe, 1b or C ejected, other runners advance one base.";
      break;
    case Result::KeptInInfield:
      text = word + " - Ball goes off glove, infield single" + CR + CR;
      if (location == L::DownTheLine && fielder == kThirdBase) {
        text += words + " 3B - Runner on 2nd is forced if speed < 4";
      }
      if (location == L::DownTheLine && fielder == kFirstBase) {
        text += words + " 1B - Batter out at 1st if speed < 4";
      }
      if (location == L::UpTheMiddle) text += words + "- Runner on 1st is out at 2nd if speed < 4";
      break;
    case Result::GoesPast:
      if (location == L::DownTheLine) {
        text = words +
               "- Batter makes it to 2nd for a double, runners may try to score from first using "
               "the Sending Runners? Chart.";
      } else {
        text = word + " - Hot smash goes past fielder for a single.  Runners advance two bases.";
      }
      break;
    case Result::Toss:
      text = word +
             " - No runner on 1st, Hit and Run, or Infielder In then ignore force at 2nd and "
             "pivot ratings" +
             CR + "Force at 2nd and roll one die for result of throw to first" + CR +
             "   If # > batter's speed +/- pivot rating, DP, other runners advance one base." + CR +
             "   If # < batter's speed +/- pivot rating, batter safe, runners advance one base." +
             CR + "   If # = player's speed, then roll again..." + CR +
             "     One player will be ejected - consult charts";
      break;
    case Result::Snagged:
      text = word +
             " - Hot liner caught and closest runner is doubled up.  Runner only doubled off 3B "
             "if ball is hit to third.";
      break;
  }
  return text;
}

}  // namespace vnt::infield_range
