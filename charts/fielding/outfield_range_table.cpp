#include "charts/fielding/outfield_range_table.h"

namespace vnt::outfield {

namespace {

using G = Group;

// A cell of the location chart: the rolls low..high, or a row the column skips.
struct Cell {
  int low;
  int high;
};
constexpr Cell kSkip{-1, -1};
constexpr Cell r(int low, int high) {
  return {low, high};
}
constexpr Cell r(int only) {
  return {only, only};
}

}  // namespace

// The tables keep the chart's columns.
// clang-format off
const std::array<Location, kLocationCount> kLocations = {{
    {"Down the Line RF", kRF, G::DownTheLine},
    {"Shallow Blooper RF", kRF, G::ShallowBlooper},
    {"Over the Head RF", kRF, G::OverTheHead},
    {"Texas Leaguer RF", kRF, G::TexasLeaguer},
    {"Into the Gap RF", kRF, G::IntoTheGap},
    {"Into the Gap RCF", kCF, G::IntoTheGap},
    {"Shallow Blooper CF", kCF, G::ShallowBlooper},
    {"Over the Head CF", kCF, G::OverTheHead},
    {"Texas Leaguer CF", kCF, G::TexasLeaguer},
    {"Into the Gap LCF", kCF, G::IntoTheGap},
    {"Into the Gap LF", kLF, G::IntoTheGap},
    {"Texas Leaguer LF", kLF, G::TexasLeaguer},
    {"Over the Head LF", kLF, G::OverTheHead},
    {"Shallow Blooper LF", kLF, G::ShallowBlooper},
    {"Down the Line LF", kLF, G::DownTheLine},
    {"Shallow Blooper 1B", k1B, G::ShallowBlooper},
    {"Shallow Blooper 2B", k2B, G::ShallowBlooper},
    {"Shallow Blooper SS", kSS, G::ShallowBlooper},
    {"Shallow Blooper 3B", k3B, G::ShallowBlooper},
}};

namespace {

// Rows as in kLocations; columns LSP, LP, RSP, RP.
constexpr std::array<std::array<Cell, kBattingStyles>, kLocationCount> kLocationChart = {{
    {r(0, 10), r(0, 18), r(0, 3), r(0)},          // Down the Line RF
    {r(11), r(19, 20), r(4), kSkip},              // Shallow Blooper RF
    {r(12, 19), r(21, 30), r(5, 12), r(1)},       // Over the Head RF
    {r(20, 22), r(31, 40), r(13, 15), r(2)},      // Texas Leaguer RF
    {r(23, 31), r(41, 51), r(16, 24), r(3, 4)},   // Into the Gap RF
    {r(32, 38), r(52, 58), r(25, 31), r(5, 11)},  // Into the Gap RCF
    {r(39, 40), r(59, 60), r(32, 33), r(12, 13)}, // Shallow Blooper CF
    {r(41, 49), r(61, 69), r(34, 42), r(14, 22)}, // Over the Head CF
    {r(50, 58), r(70, 78), r(43, 51), r(23, 31)}, // Texas Leaguer CF
    {r(59, 65), r(79, 85), r(52, 58), r(32, 38)}, // Into the Gap LCF
    {r(66, 74), r(86, 87), r(59, 67), r(39, 49)}, // Into the Gap LF
    {r(75, 77), r(88), r(68, 70), r(50, 59)},     // Texas Leaguer LF
    {r(78, 85), r(89), r(71, 78), r(60, 69)},     // Over the Head LF
    {r(86), kSkip, r(79), r(70, 71)},             // Shallow Blooper LF
    {r(87, 90), r(90), r(80, 90), r(72, 90)},     // Down the Line LF
    {r(91), r(91, 96), r(91), r(91)},             // Shallow Blooper 1B
    {r(92, 97), r(97), r(92), r(92)},             // Shallow Blooper 2B
    {r(98), r(98), r(93, 98), r(93)},             // Shallow Blooper SS
    {r(99), r(99), r(99), r(94, 99)},             // Shallow Blooper 3B
}};

// Result limits: a roll below the limit gives the row's result. kNone: the limit never applies.
constexpr int kNone = -1;
using Limits = std::array<int, kRatings>;
//                                      SP   VG  AV  FR     MD     PR     WK
constexpr Limits kRunningCatchDeep   = {83,  68, 53, 38,    23,    8,     3};   // line, head, gap
constexpr Limits kRunningCatchShort  = {93,  80, 68, 55,    43,    21,    11};  // leaguer, blooper
constexpr Limits kCutOffGrass        = {100, 83, 67, 51,    35,    19,    13};
constexpr Limits kCutOffTurf         = {97,  76, 57, 39,    kNone, kNone, kNone};
constexpr Limits kBouncesPast        = {96,  84, 72, 60,    50,    28,    21};  // leaguer only

// clang-format on

bool below(const Limits& limits, int rating, int roll) {
  const int limit = limits[static_cast<std::size_t>(rating)];
  return limit != kNone && roll < limit;
}

bool validRating(int rating) {
  return rating >= 0 && rating < kRatings;
}

}  // namespace

std::optional<Band> locationBand(int row, int battingStyle) {
  if (row < 0 || row >= kLocationCount || battingStyle < 0 || battingStyle >= kBattingStyles) {
    return std::nullopt;
  }
  const Cell cell =
      kLocationChart[static_cast<std::size_t>(row)][static_cast<std::size_t>(battingStyle)];
  if (cell.low == kSkip.low) return std::nullopt;
  return Band{cell.low, cell.high};
}

int locationRow(int battingStyle, int roll) {
  for (int row = 0; row < kLocationCount; ++row) {
    const auto band = locationBand(row, battingStyle);
    if (band && roll >= band->low && roll <= band->high) return row;
  }
  return -1;
}

int locationRowOf(std::string_view text) {
  for (int row = 0; row < kLocationCount; ++row) {
    if (kLocations[static_cast<std::size_t>(row)].text == text) return row;
  }
  return -1;
}

std::string_view fielderAbbreviation(int fielder) {
  switch (fielder) {
    case k1B:
      return "1B";
    case k2B:
      return "2B";
    case k3B:
      return "3B";
    case kSS:
      return "SS";
    case kLF:
      return "LF";
    case kCF:
      return "CF";
    case kRF:
      return "RF";
    default:
      return {};
  }
}

std::string_view ratingCaption(int rating) {
  static constexpr std::array<std::string_view, kRatings> kCaptions = {"SP", "VG", "AV", "FR",
                                                                       "MD", "PR", "WK"};
  return validRating(rating) ? kCaptions[static_cast<std::size_t>(rating)] : std::string_view{};
}

int adjustRating(int rating, std::string_view ballpark, std::string_view location, bool warmDay) {
  if (ballpark == "Colorado") {
    rating += 3;
  } else if (ballpark == "Chicago NL") {
    if (warmDay) rating += 2;
  } else if (ballpark == "Boston") {
    // The wall in left and the deep corner in centre hurt; the short left field helps.
    if (location == "Over the Head CF" || location == "Over the Head LF") rating += 2;
    if (location == "Shallow Blooper LF") rating -= 1;
  }
  if (rating < 0) return 0;
  if (rating > kRatings - 1) return kRatings - 1;
  return rating;
}

std::string_view resultWord(Result result) {
  switch (result) {
    case Result::IntoTheCorner:
      return "Into the Corner";
    case Result::CutOff:
      return "Cut Off";
    case Result::RunningCatch:
      return "Running Catch";
    case Result::OffTheWall:
      return "Off the Wall";
    case Result::ToTheWall:
      return "To the Wall";
    case Result::FallsIn:
      return "Falls In";
    case Result::BouncesPast:
      return "Bounces Past";
    case Result::GameWinningSingle:
      return "Game winning single";
    case Result::CaughtRunnersHold:
      return "Caught - Runners hold.";
  }
  return {};
}

Result playResult(Group group, int surface, int rating, int roll) {
  if (!validRating(rating)) rating = rating < 0 ? 0 : kRatings - 1;
  const bool shortBall = group == G::TexasLeaguer || group == G::ShallowBlooper;
  if (below(shortBall ? kRunningCatchShort : kRunningCatchDeep, rating, roll)) {
    return Result::RunningCatch;
  }
  if (group == G::DownTheLine || group == G::IntoTheGap) {
    if (below(surface == kTurf ? kCutOffTurf : kCutOffGrass, rating, roll)) return Result::CutOff;
  }
  if (group == G::TexasLeaguer && below(kBouncesPast, rating, roll)) return Result::BouncesPast;
  switch (group) {
    case G::DownTheLine:
      return Result::IntoTheCorner;
    case G::OverTheHead:
      return Result::OffTheWall;
    case G::IntoTheGap:
      return Result::ToTheWall;
    case G::TexasLeaguer:
    case G::ShallowBlooper:
      return Result::FallsIn;
  }
  return Result::FallsIn;
}

Result withOutfieldIn(Group group, Result result) {
  switch (group) {
    case G::OverTheHead:
    case G::IntoTheGap:
      return Result::GameWinningSingle;
    case G::TexasLeaguer:
    case G::ShallowBlooper:
      return Result::CaughtRunnersHold;
    case G::DownTheLine:
      return result;
  }
  return result;
}

std::string explanation(Result result, const Location& location, int surface, bool outfieldIn) {
  const std::string_view where = location.text;
  const bool turf = surface == kTurf;
  switch (result) {
    case Result::IntoTheCorner:
      if (location.fielder == kRF) {
        return "Batter doubles and can stretch if Speed > 4.  Runner on first may attempt to "
               "score.";
      }
      if (location.fielder == kLF) {
        return "Batter doubles and can stretch if Speed > 7.  Runner on first may attempt to "
               "score.";
      }
      return {};
    case Result::CutOff:
      return "Batter held to single, may stretch into double; runners advance 2 bases";
    case Result::RunningCatch:
      switch (location.group) {
        case G::DownTheLine:
          if (outfieldIn) return "Runner on third can attempt to score";
          return location.fielder == kLF
                     ? "Runner on third scores"
                     : "Runner on third scores, runner on 2nd may try for third if Speed > 7";
        case G::IntoTheGap:
          if (where == "Into the Gap LF" || where == "Into the Gap LCF") {
            return "Runner on third scores";
          }
          return "Runner on third scores, runner on 2nd may try for third if Speed > 7";
        case G::OverTheHead:
          return "Runner on third scores, runner on 2nd may try for third";
        case G::TexasLeaguer:
        case G::ShallowBlooper:
          return "Runners hold, unless Hit and Run, where runners are doubled or tripled off "
                 "base as they can not get back in time";
      }
      return {};
    case Result::OffTheWall:
      if (location.fielder == kCF) {
        return "Batter triples and can stretch if Speed > 7.  All runners score.";
      }
      return "Batter doubles and can stretch.  All runners score.";
    case Result::ToTheWall:
      return "Batter doubles, all runners score.";
    case Result::BouncesPast:
      return turf ? "Ball gets by fielder!\rBatter credited with a triple and can stretch.  All "
                    "runners score."
                  : "Ball gets by fielder!\rBatter credited with a double and can stretch.  All "
                    "runners score.";
    case Result::FallsIn:
      return turf ? "Ball takes a high bounce on the turf, batter singles and may attempt to "
                    "stretch into a double.  Runners advance two bases."
                  : "Fielder can't get to the ball and it falls in for a single.  Runners may "
                    "attempt to take an extra base.";
    case Result::GameWinningSingle:
    case Result::CaughtRunnersHold:
      return {};
  }
  return {};
}

}  // namespace vnt::outfield
