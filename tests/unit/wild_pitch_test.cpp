#include <gtest/gtest.h>

#include <string>

#include "charts/baserunning/wild_pitch_table.h"

namespace vnt::wild_pitch {
namespace {

constexpr Foul kFoulColumnsInOrder[] = {Foul::Foul,      Foul::C,  Foul::FirstBase,
                                        Foul::ThirdBase, Foul::LF, Foul::RF};
constexpr Pitch kPitchColumnsInOrder[] = {Pitch::WildPitchPlus, Pitch::WildPitch, Pitch::PassedBall,
                                          Pitch::Blocked, Pitch::BlockedPlus};

bool occurs(const Band& b) {
  return b.last >= b.first;
}

TEST(FoulChart, EveryRatingCoversTheRollsInColumnOrder) {
  for (int f = 1; f <= 5; ++f) {
    SCOPED_TRACE("foul territory " + std::to_string(f));
    int next = 0;
    for (Foul column : kFoulColumnsInOrder) {
      const Band b = foulBand(f, column);
      if (!occurs(b)) continue;
      EXPECT_EQ(b.first, next);
      for (int roll = b.first; roll <= b.last; ++roll) EXPECT_EQ(foulBall(f, roll), column);
      next = b.last + 1;
    }
    EXPECT_EQ(next, 100);
  }
}

// More foul ground, fewer balls landing in the stands.
TEST(FoulChart, FoulBandShrinksWithMoreFoulTerritory) {
  for (int f = 2; f <= 5; ++f) {
    EXPECT_LT(foulBand(f, Foul::Foul).last, foulBand(f - 1, Foul::Foul).last) << f;
  }
}

TEST(FoulChart, EdgeCases) {
  EXPECT_EQ(foulBall(5, 13), Foul::Foul);
  EXPECT_EQ(foulBall(5, 14), Foul::C);
  EXPECT_EQ(foulBall(5, 99), Foul::RF);
  for (int roll = 0; roll <= 99; ++roll) {
    EXPECT_NE(foulBall(1, roll), Foul::LF);
    EXPECT_NE(foulBall(1, roll), Foul::RF);
  }
  // A rating the chart does not know: the right fielder catches everything.
  for (int f : {0, 6, -1, 32767}) {
    for (int roll = 0; roll <= 99; ++roll) EXPECT_EQ(foulBall(f, roll), Foul::RF) << f;
  }
}

TEST(FoulChart, Words) {
  EXPECT_EQ(foulWord(Foul::Foul), "Foul");
  EXPECT_EQ(foulWord(Foul::C), "Out - C");
  EXPECT_EQ(foulWord(Foul::FirstBase), "Out - 1B");
  EXPECT_EQ(foulWord(Foul::ThirdBase), "Out - 3B");
  EXPECT_EQ(foulWord(Foul::LF), "Out - LF");
  EXPECT_EQ(foulWord(Foul::RF), "Out - RF");
}

TEST(PitchChart, EveryPairCoversTheRollsInColumnOrder) {
  for (int w = 1; w <= 5; ++w) {
    for (int p = 1; p <= 5; ++p) {
      SCOPED_TRACE("W " + std::to_string(w) + " P " + std::to_string(p));
      int next = 0;
      for (Pitch column : kPitchColumnsInOrder) {
        const Band b = pitchBand(w, p, column);
        if (!occurs(b)) continue;
        EXPECT_EQ(b.first, next);
        for (int roll = b.first; roll <= b.last; ++roll) EXPECT_EQ(pitch(w, p, roll), column);
        next = b.last + 1;
      }
      EXPECT_EQ(next, 100);
    }
  }
}

// A better rating on either side means fewer balls getting away: catches rows out of place.
TEST(PitchChart, WildPitchBandEndsEarlierAsEitherRatingRises) {
  for (int w = 1; w <= 5; ++w) {
    for (int p = 1; p <= 5; ++p) {
      const int end = pitchBand(w, p, Pitch::WildPitch).last;
      if (w > 1) {
        EXPECT_LT(end, pitchBand(w - 1, p, Pitch::WildPitch).last) << w << p;
      }
      if (p > 1) {
        EXPECT_LT(end, pitchBand(w, p - 1, Pitch::WildPitch).last) << w << p;
      }
    }
  }
}

TEST(PitchChart, OutcomesThatNeverOccur) {
  for (int roll = 0; roll <= 99; ++roll) {
    EXPECT_NE(pitch(5, 5, roll), Pitch::WildPitchPlus);
    EXPECT_NE(pitch(1, 1, roll), Pitch::Blocked);
    EXPECT_NE(pitch(1, 1, roll), Pitch::BlockedPlus);
  }
}

TEST(PitchChart, ExplanationsLeadWithTheirWord) {
  for (Pitch outcome : kPitchColumnsInOrder) {
    const std::string word(pitchWord(outcome));
    EXPECT_EQ(pitchText(outcome, false).rfind(word + " - ", 0), 0u) << word;
    const std::string hitAndRun = pitchText(outcome, true);
    EXPECT_EQ(hitAndRun.rfind("Automatic stolen base\r\r", 0), 0u) << word;
  }
  // The blocked pitch on a hit and run reads "BK", as printed on the chart.
  EXPECT_EQ(pitchText(Pitch::Blocked, true),
            "Automatic stolen base\r\rBK - No additional advancement.");
}

}  // namespace
}  // namespace vnt::wild_pitch
