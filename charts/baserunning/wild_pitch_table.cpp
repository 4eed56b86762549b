#include "charts/baserunning/wild_pitch_table.h"

#include <array>
#include <cstddef>

namespace vnt::wild_pitch {
namespace {

constexpr Band kNever{0, -1};

// --- Foul chart: one row per foul-territory rating, 1 (little foul ground) to 5 -----
// Columns: Foul, C, 1B, 3B, LF, RF.
// clang-format off
constexpr std::array<std::array<Band, kFoulColumns>, 5> kFoulChart{{
  /* 1 */ {{{0, 85}, {86, 91}, {92, 95}, {96, 99}, kNever,   kNever}},
  /* 2 */ {{{0, 67}, {68, 79}, {80, 87}, {88, 95}, {96, 97}, {98, 99}}},
  /* 3 */ {{{0, 49}, {50, 69}, {70, 81}, {82, 93}, {94, 96}, {97, 99}}},
  /* 4 */ {{{0, 31}, {32, 57}, {58, 74}, {75, 91}, {92, 95}, {96, 99}}},
  /* 5 */ {{{0, 13}, {14, 47}, {48, 68}, {69, 79}, {80, 89}, {90, 99}}},
}};
// clang-format on

bool ratedOneToFive(int rating) {
  return rating >= 1 && rating <= 5;
}

// --- Wild pitch / passed ball: one row per pair of ratings, W then P ---------------
// Columns: WP+, WP, PB, BLK, BLK+.
struct PitchRow {
  int wildPitch;
  int passedBall;
  std::array<Band, kPitchColumns> bands;
};

// clang-format off
constexpr std::array<PitchRow, 25> kPitchChart{{
  {1, 1, {{{0, 4}, {5, 87}, {88, 99}, kNever,   kNever}}},
  {1, 2, {{{0, 4}, {5, 84}, {85, 99}, kNever,   kNever}}},
  {1, 3, {{{0, 4}, {5, 81}, {82, 94}, {95, 99}, kNever}}},
  {1, 4, {{{0, 3}, {4, 77}, {78, 85}, {86, 98}, {99, 99}}}},
  {1, 5, {{{0, 3}, {4, 74}, {75, 77}, {78, 98}, {99, 99}}}},
  {2, 1, {{{0, 3}, {4, 83}, {84, 99}, kNever,   kNever}}},
  {2, 2, {{{0, 3}, {4, 79}, {80, 97}, {98, 98}, {99, 99}}}},
  {2, 3, {{{0, 3}, {4, 75}, {76, 88}, {89, 98}, {99, 99}}}},
  {2, 4, {{{0, 2}, {3, 70}, {71, 78}, {79, 97}, {98, 99}}}},
  {2, 5, {{{0, 2}, {3, 66}, {67, 69}, {70, 97}, {98, 99}}}},
  {3, 1, {{{0, 2}, {3, 73}, {74, 96}, {97, 99}, kNever}}},
  {3, 2, {{{0, 2}, {3, 69}, {70, 87}, {88, 97}, {98, 99}}}},
  {3, 3, {{{0, 2}, {3, 65}, {66, 78}, {79, 97}, {98, 99}}}},
  {3, 4, {{{0, 1}, {2, 60}, {61, 68}, {69, 96}, {97, 99}}}},
  {3, 5, {{{0, 1}, {2, 56}, {57, 59}, {60, 96}, {97, 99}}}},
  {4, 1, {{{0, 1}, {2, 54}, {55, 77}, {78, 96}, {97, 99}}}},
  {4, 2, {{{0, 1}, {2, 50}, {51, 69}, {70, 96}, {97, 99}}}},
  {4, 3, {{{0, 1}, {2, 46}, {47, 59}, {60, 96}, {97, 99}}}},
  {4, 4, {{{0, 0}, {1, 41}, {42, 49}, {50, 95}, {96, 99}}}},
  {4, 5, {{{0, 0}, {1, 37}, {38, 40}, {41, 95}, {96, 99}}}},
  {5, 1, {{{0, 0}, {1, 18}, {19, 41}, {42, 95}, {96, 99}}}},
  {5, 2, {{{0, 0}, {1, 15}, {16, 33}, {34, 95}, {96, 99}}}},
  {5, 3, {{{0, 0}, {1, 12}, {13, 25}, {26, 95}, {96, 99}}}},
  {5, 4, {{kNever, {0,  8}, { 9, 16}, {17, 94}, {95, 99}}}},
  {5, 5, {{kNever, {0,  5}, { 6,  8}, { 9, 94}, {95, 99}}}},
}};
// clang-format on

int clampRating(int rating) {
  return rating < 1 ? 1 : rating > 5 ? 5 : rating;
}

const PitchRow& pitchRow(int wildPitch, int passedBall) {
  // The readers give only 1..5; clamp so no other value can read outside the chart.
  const int w = clampRating(wildPitch);
  const int p = clampRating(passedBall);
  return kPitchChart[static_cast<std::size_t>((w - 1) * 5 + (p - 1))];
}

bool inBand(const Band& band, int roll) {
  return roll >= band.first && roll <= band.last;
}

}  // namespace

Band foulBand(int foulTerritory, Foul column) {
  if (!ratedOneToFive(foulTerritory)) return column == Foul::RF ? Band{0, 99} : kNever;
  return kFoulChart[static_cast<std::size_t>(foulTerritory - 1)][static_cast<std::size_t>(column)];
}

Foul foulBall(int foulTerritory, int roll) {
  for (int column = 0; column < kFoulColumns; ++column) {
    if (inBand(foulBand(foulTerritory, static_cast<Foul>(column)), roll)) {
      return static_cast<Foul>(column);
    }
  }
  return Foul::RF;
}

std::string foulWord(Foul outcome) {
  switch (outcome) {
    case Foul::Foul:
      return "Foul";
    case Foul::C:
      return "Out - C";
    case Foul::FirstBase:
      return "Out - 1B";
    case Foul::ThirdBase:
      return "Out - 3B";
    case Foul::LF:
      return "Out - LF";
    case Foul::RF:
      return "Out - RF";
  }
  return {};
}

Band pitchBand(int wildPitch, int passedBall, Pitch column) {
  return pitchRow(wildPitch, passedBall).bands[static_cast<std::size_t>(column)];
}

Pitch pitch(int wildPitch, int passedBall, int roll) {
  const PitchRow& row = pitchRow(wildPitch, passedBall);
  for (std::size_t i = 0; i < row.bands.size(); ++i) {
    if (inBand(row.bands[i], roll)) return static_cast<Pitch>(i);
  }
  return Pitch::BlockedPlus;  // only rolls beyond 0..99 get here
}

std::string_view pitchWord(Pitch outcome) {
  switch (outcome) {
    case Pitch::WildPitchPlus:
      return "WP+";
    case Pitch::WildPitch:
      return "WP";
    case Pitch::PassedBall:
      return "PB";
    case Pitch::Blocked:
      return "BLK";
    case Pitch::BlockedPlus:
      return "BLK+";
  }
  return {};
}

std::string pitchText(Pitch outcome, bool hitAndRun) {
  if (!hitAndRun) {
    switch (outcome) {
      case Pitch::WildPitchPlus:
        return "WP+ - Wild pitch.  Runners advance one base and may attempt an extra base if "
               "speed > 6.";
      case Pitch::WildPitch:
        return "WP - Wild pitch.  Runners advance one base.";
      case Pitch::PassedBall:
        return "PB - Passed ball.  Runners advance one base.";
      case Pitch::Blocked:
        return "BLK - Pitch in dirt blocked.";
      case Pitch::BlockedPlus:
        return "BLK+ - Pitch in dirt blocked.  Lead runner is picked off if catcher has a -1 "
               "arm or better.";
    }
    return {};
  }
  // The runners were going with the pitch, so the base is stolen whatever happens.
  const std::string stolen = "Automatic stolen base\r\r";
  switch (outcome) {
    case Pitch::WildPitchPlus:
      return stolen + "WP+ - Runners take an extra base.";
    case Pitch::WildPitch:
      return stolen + "WP - Runners may attempt an extra base if speed > 6.";
    case Pitch::PassedBall:
      return stolen + "PB - Runners may attempt an extra base if speed > 6.";
    case Pitch::Blocked:
      return stolen + "BK - No additional advancement.";
    case Pitch::BlockedPlus:
      return stolen +
             "BLK+ - Runners round stolen base, but lead runner is picked off trying to get back "
             "if catcher's arm is -1 or better.";
  }
  return stolen;
}

}  // namespace vnt::wild_pitch
