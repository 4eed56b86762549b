// Where each chart puts the shared frames. The frames take turns in the chart area below
// the roll button, so every chart arranges the ones it can show together (its set-up and
// its follow-ups) side by side; frames it never shows keep their places.

#include <iterator>
#include <vector>

#include "shell/form2.h"

namespace vnt {
namespace {

// The chart area: below the roll button, above "&Cancel".
constexpr int kLeft = 360;
constexpr int kTop = 1920;
constexpr int kWidth = 4575;
constexpr int kBottom = 6960;
constexpr int kHeight = kBottom - kTop;
// Two columns of frames, and a third beside them for narrow ones.
constexpr int kColumnWidth = 1695;
constexpr int kSecondColumn = 2160;
constexpr int kThirdColumn = 3240;
constexpr int kGap = 105;

constexpr Twips kRating{kLeft, kTop, kColumnWidth, 1605};            // five options
constexpr Twips kSecondRating{kSecondColumn, kTop, kColumnWidth, 1605};
constexpr Twips kSurface{kLeft, kTop, kColumnWidth, 870};
constexpr Twips kBallparksBelow{kLeft, 4140, kWidth, 2775};
constexpr Twips kBallparksTop{kLeft, kTop, kWidth, 2775};

// The detail label fills its frame, or sits below the frame's twenty rating buttons.
Twips labelFilling(const Twips& frame) { return {120, 270, frame.width - 240, frame.height - 330}; }
Twips labelBelowButtons(const Twips& frame) {
  return {120, 1590, frame.width - 240, frame.height - 1650};
}

struct Placement {
  const char* control;
  Twips at;
};

std::vector<Placement> detailFrame(const Twips& frame, bool withButtons) {
  return {{"fraCrazyPlay", frame},
          {"lblCrazyPlay", withButtons ? labelBelowButtons(frame) : labelFilling(frame)}};
}

std::vector<Placement> operator+(std::vector<Placement> a, const std::vector<Placement>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Indexed by chart button.
const std::vector<Placement>& chartLayout(int index) {
  static const std::vector<Placement> kLayouts[] = {
      // 0 Ball park effects
      {{"fraBallparks", kBallparksTop}},
      // 1 Bunt: rating and field side by side, the defence below
      std::vector<Placement>{{"fraBuntRating", kRating},
                             {"fraSurface", {kSecondColumn, kTop, kColumnWidth, 870}},
                             {"fraIFDefense", {kLeft, 3630, kWidth, 2175}}},
      // 2 Crazy play: the whole area for the play's text
      detailFrame({kLeft, kTop, kWidth, kHeight}, false),
      // 3 Deep: power, ballparks; wind and clutch stand at the right
      std::vector<Placement>{{"fraBuntRating", kRating},
                             {"fraBallparks", kBallparksBelow}} +
          detailFrame({kSecondColumn, kTop, kWidth - kColumnWidth - kGap, 2115}, false),
      // 4 Error: the rating buttons and the result below them
      detailFrame({kLeft, kTop, kWidth, kHeight}, true),
      // 5 Infield range
      std::vector<Placement>{{"fraSurface", kSurface},
                             {"cmdNormIFR", {kSecondColumn, 2100, 2775, 495}},
                             {"fraIFDefense", {kLeft, 2880, kWidth, 2175}}},
      // 6 Injury
      std::vector<Placement>{{"fraBuntRating", kRating}} +
          detailFrame({kSecondColumn, kTop, kWidth - kColumnWidth - kGap, kHeight}, false),
      // 7 Jump: hold rating and base at the left, jump rating beside; "E1?" below
      std::vector<Placement>{{"fraBuntRating", kRating},
                             {"fraTime", {kLeft, 3630, kColumnWidth, 840}},
                             {"fraJump", {kSecondColumn, kTop, kColumnWidth, 2115}}} +
          detailFrame({kLeft, 4560, kWidth, kBottom - 4560}, true),
      // 8 Outfield range
      {{"fraSurface", kSurface}, {"fraBallparks", kBallparksBelow}},
      // 9 Sending runners: the notes at the left, speed and range at the right
      std::vector<Placement>{{"fraJump", {kThirdColumn, kTop, kColumnWidth, 2115}},
                             {"fraRange", {kThirdColumn, 4140, kColumnWidth, 2115}}} +
          detailFrame({kLeft, kTop, kThirdColumn - kLeft - kGap, kHeight}, true),
      // 10 Steal: rating at the left, base and adjustments beside, the result below
      std::vector<Placement>{{"fraJump", {kLeft, kTop, kColumnWidth, 2115}},
                             {"fraTime", {kSecondColumn, kTop, 2775, 840}},
                             {"fraAdjust", {kSecondColumn, 2865, 2775, 1170}},
                             {"lblAdjust", {120, 270, 2535, 840}}} +
          detailFrame({kLeft, 4140, kWidth, kBottom - 4140}, true),
      // 11 Weather
      std::vector<Placement>{{"fraMonth", {kLeft, kTop, kColumnWidth, 2115}},
                             {"fraTime", {kSecondColumn, kTop, kColumnWidth, 840}},
                             {"fraBallparks", kBallparksBelow}},
      // 12 Wild pitch, passed ball and foul
      std::vector<Placement>{{"fraBallparks", kBallparksTop},
                             {"fraBuntRating", kRating},
                             {"fraPB", kSecondRating}} +
          detailFrame({kLeft, 3630, kWidth, kBottom - 3630}, false),
      // 13 Balk (and its pickoff)
      std::vector<Placement>{{"fraBuntRating", kRating}} +
          detailFrame({kSecondColumn, kTop, kWidth - kColumnWidth - kGap, kHeight}, false),
  };
  static const std::vector<Placement> kNone;
  return index >= 0 && index < static_cast<int>(std::size(kLayouts)) ? kLayouts[index] : kNone;
}

}  // namespace

void Form2::placeChartControls(int Index) {
  for (const Placement& placement : chartLayout(Index)) {
    if (Control* control = find(placement.control)) control->layout = placement.at;
  }
}

}  // namespace vnt
