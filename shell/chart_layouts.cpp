// Where each chart puts the shared frames. The frames take turns in the chart area below
// the roll button, so every chart arranges the ones it can show together (its set-up and
// its follow-ups) side by side; frames it never shows keep their places.

#include <algorithm>
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
constexpr int kGap = 105;
// Two columns of frames; the first is wide enough for "Pitcher's Hold Rating".
constexpr int kColumnWidth = 1830;
constexpr int kSecondColumn = kLeft + kColumnWidth + kGap;
constexpr int kSecondWidth = kLeft + kWidth - kSecondColumn;
// Below the history list, right of the chart area (clear of the logo and batting styles).
constexpr int kRightLeft = 5040;
constexpr int kRightTop = 4980;

// The deep drive's power rating: two columns of buttons 600 apart, and the outcome box beside.
constexpr int kDeepPowerWidth = 1380;
constexpr int kDeepResultLeft = kLeft + kDeepPowerWidth + kGap;
constexpr int kDeepResultWidth = kLeft + kWidth - kDeepResultLeft;
// The ballparks sit as low as "&Cancel" allows, giving the outcome box above them more height.
constexpr int kDeepBallparksTop = 4215;

constexpr Twips kRating{kLeft, kTop, kColumnWidth, 1095};  // five options in two columns
constexpr Twips kSurface{kLeft, kTop, kColumnWidth, 870};
constexpr Twips kBallparksBelow{kLeft, 4140, kWidth, 2775};
constexpr Twips kBallparksTop{kLeft, kTop, kWidth, 2775};

struct Placement {
  const char* control;
  Twips at;
};

// The detail frame; its label is placed by the window as the frame's buttons come and go.
Placement detailFrame(const Twips& frame) {
  return {"fraCrazyPlay", frame};
}

// Indexed by chart button.
const std::vector<Placement>& chartLayout(int index) {
  static const std::vector<Placement> kLayouts[] = {
      // 0 Ball park effects
      {{"fraBallparks", kBallparksTop}},
      // 1 Bunt: rating and field side by side, the defence below. The roll hides the defence;
      // a speed or range follow-up takes its place above the result, the K/9 group and the
      // error adjustments stand at the right.
      {{"fraBuntRating", kRating},
       {"fraSurface", {kSecondColumn, kTop, kColumnWidth, 870}},
       {"fraIFDefense", {kLeft, 3120, kWidth, 2040}},
       {"fraJump", {kLeft, 3120, 2400, 2115}},
       {"fraRange", {kLeft, 3120, kColumnWidth, 1350}},
       {"fraKper9", {kRightLeft, 4920, 1335, 1515}},
       {"fraError", {kRightLeft, 4320, 1575, 615}},
       detailFrame({kLeft, 5265, kWidth, kBottom - 5265})},
      // 2 Crazy play: the whole area for the play's text
      {detailFrame({kLeft, kTop, kWidth, kHeight})},
      // 3 Deep: power, ballparks; wind and clutch stand at the right. The power frame is
      // only as wide as its two columns of buttons, so the outcome box beside it gets all the
      // room there is (only Boston's catch is drawn a little smaller); the leap at the wall,
      // which never shows with the outcome box, takes its place.
      {{"fraBuntRating", {kLeft, kTop, kDeepPowerWidth, 1095}},
       {"fraBallparks", {kLeft, kDeepBallparksTop, kWidth, 2775}},
       {"fraRange", {kDeepResultLeft, kTop, kDeepResultWidth, 1350}},
       detailFrame({kDeepResultLeft, kTop, kDeepResultWidth, kDeepBallparksTop - kGap - kTop})},
      // 4 Error: the rating buttons, the result below them
      {detailFrame({kLeft, kTop, kWidth, kHeight})},
      // 5 Infield range: range and location appear below the defence; the result replaces all
      {{"fraSurface", kSurface},
       {"cmdNormIFR", {kSecondColumn, 2100, kSecondWidth, 495}},
       {"fraIFDefense", {kLeft, 2880, kWidth, 2175}},
       {"fraRange", {kLeft, 5160, 2400, 1350}},
       {"fraLocation", {2865, 5160, 2070, 1605}},
       detailFrame({kLeft, kTop, kWidth, kHeight})},
      // 6 Injury
      {{"fraBuntRating", kRating}, detailFrame({kSecondColumn, kTop, kSecondWidth, kHeight})},
      // 7 Jump: hold rating and base at the left, jump rating beside; "E1?" takes their place
      {{"fraBuntRating", kRating},
       {"fraTime", {kLeft, 3120, kColumnWidth, 840}},
       {"fraJump", {kSecondColumn, kTop, 1695, 2115}},
       detailFrame({kLeft, kTop, kWidth, kHeight})},
      // 8 Outfield range: the range beside the field; the result replaces them all
      {{"fraSurface", kSurface},
       {"fraBallparks", kBallparksBelow},
       {"fraRange", {kSecondColumn, kTop, kSecondWidth, 1350}},
       detailFrame({kLeft, kTop, kWidth, kHeight})},
      // 9 Sending runners: the notes at the left, speed and range at the right
      {{"fraJump", {2910, kTop, 2025, 2115}},
       {"fraRange", {2910, 4140, 2025, 1350}},
       // the hold rating, when a jump led to a steal and its rundown to this chart
       {"fraBuntRating", {kRightLeft, kRightTop, kColumnWidth, 1095}},
       detailFrame({kLeft, kTop, 2910 - kGap - kLeft, kHeight})},
      // 10 Steal: rating at the left, base and (after a jump) hold rating beside, the
      // adjustments at the right, the result below
      {{"fraJump", {kLeft, kTop, 1935, 2115}},
       {"fraTime", {2400, kTop, 2535, 840}},
       {"fraBuntRating", {2400, 2865, 2535, 1095}},
       {"fraAdjust", {kRightLeft, kRightTop, 3255, 1230}},
       {"lblAdjust", {120, 270, 3015, 900}},
       detailFrame({kLeft, 4140, kWidth, kBottom - 4140})},
      // 11 Weather: the result takes the place of all three
      {{"fraMonth", {kLeft, kTop, kColumnWidth, 2115}},
       {"fraTime", {kSecondColumn, kTop, kColumnWidth, 840}},
       {"fraBallparks", kBallparksBelow},
       detailFrame({kLeft, kTop, kWidth, kHeight})},
      // 12 Wild pitch, passed ball and foul
      {{"fraBallparks", kBallparksTop},
       {"fraBuntRating", kRating},
       {"fraPB", {kSecondColumn, kTop, kColumnWidth, 1095}},
       detailFrame({kLeft, 3120, kWidth, kBottom - 3120})},
      // 13 Balk (and its pickoff)
      {{"fraBuntRating", kRating}, detailFrame({kSecondColumn, kTop, kSecondWidth, kHeight})},
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

// The detail frame keeps its bottom and rises to just below the frames above it that still
// show, so a result takes the room the set-up's inputs leave behind. Its text starts below
// the frame's rating buttons while they show, at the top of the frame otherwise.
void Form2::placeDetailFrame() {
  Twips& frame = fraCrazyPlay.layout;
  const int bottom = frame.top + frame.height;
  int top = kTop;
  for (const Control* control : controls_) {
    const Twips& r = control->layout;
    const bool above = control->container == nullptr && control != &fraCrazyPlay &&
                       control->visible && r.top >= kTop && r.top + r.height <= bottom &&
                       r.left < frame.left + frame.width && frame.left < r.left + r.width;
    if (above) top = std::max(top, r.top + r.height + kGap);
  }
  frame.top = top;
  frame.height = std::max(0, bottom - top);

  int textTop = 270;
  for (const Control& option : optError) {
    if (option.visible) textTop = std::max(textTop, option.layout.top + option.layout.height + 30);
  }
  lblCrazyPlay.layout = {120, textTop, frame.width - 240, std::max(0, frame.height - textTop - 60)};
}

}  // namespace vnt
