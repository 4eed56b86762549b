// Infield range: where the ball goes and what the fielder makes of it. The first click rolls
// the location and asks for the fielder's range; the second rolls the result.

#include <string>
#include <string_view>

#include "charts/fielding/infield_range_table.h"
#include "shell/form2.h"

namespace vnt {
namespace {

// What each die of this chart is for, as the game log and the own-dice box name it.
constexpr std::string_view kWhereDie = "where the ball goes, read against the batting style";
constexpr std::string_view kDoublePlayDie =
    "where the double-play ball goes, read against the fielder";
constexpr std::string_view kPlayDie = "the play, read against the adjusted range rating";

namespace ir = infield_range;

constexpr const char* kTitle = "Range - Infield";

}  // namespace

void Form2::cmdIFR_Click() {
  const std::int16_t surface = GetSurface();
  if (surface == -1) dialogs_.ok("You must select a playing surface", kTitle);

  std::int16_t battingStyle = 0;
  std::int16_t defense = 0;
  FielderPosition = 0;
  if (!chkDPin.value) {
    battingStyle = GetBattingStyle();
    if (battingStyle == -1) dialogs_.ok("You must select a batting style", kTitle);
    defense = GetIFDefense();
    if (defense == -1) dialogs_.ok("You must select a defense", kTitle);
  } else {
    // The player names the fielder; on the first click the frame has only just appeared.
    fraLocation.visible = true;
    chkDPin.enabled = false;
    for (auto& option : optLocation) {
      option.enabled = true;
      option.visible = true;
    }
    FindLocation();
    if (FielderPosition == -1) dialogs_.ok("Select Location of DP", "DP - Infielder In");
  }

  if (surface != -1 && battingStyle != -1 && defense != -1 && FielderPosition != -1) {
    ifrSurface = surface;
    ifrBattingStyle = battingStyle;
    cmdNormIFR.visible = false;
    IFRRoll();
  }
}

void Form2::FindLocation() {
  FielderPosition = -1;
  for (const Control& option : optLocation) {
    if (option.value) FielderPosition = ir::locationOptionFielder(option.index);
  }
}

void Form2::IFRRoll() {
  cmdIFR.visible = false;
  cmdIFRResult.visible = true;
  Label1.caption = "Enter Unadjusted Range Rating - ";
  fraRange.visible = true;
  fraRange.caption = "Range - ";
  for (auto& option : optRange) {
    option.value = false;
    option.visible = true;
  }

  ir::Location location;
  if (!chkDPin.value) {
    const std::int16_t roll = rollDice(99, 0, kWhereDie);
    const ir::Spot spot = ir::locate(ir::locationColumn(ifrBattingStyle, chkHitRun.value), roll);
    location = spot.location;
    FielderPosition = spot.fielder;
  } else {
    const std::int16_t roll = rollDice(9, 0, kDoublePlayDie);
    for (auto& option : optLocation) option.enabled = false;
    location = ir::doublePlayLocation(FielderPosition, roll);
  }
  HitLocation = std::string(ir::locationWords(location));
  LocationText = ir::locationText(location, FielderPosition);

  fraRange.caption += " " + LocationText;
  Label1.caption += LocationText;
  Text1.caption = LocationText;
  IncrementDiceRolls();

  // The situation is settled now; the result roll reads it as it stands.
  for (auto& box : chkIFDefense) box.enabled = false;
  for (auto& option : OptBatting) option.enabled = false;
  select(OptBatting[ifrBattingStyle]);
  chkHitRun.enabled = false;
}

void Form2::cmdIFRResult_Click() {
  // Without a range or a rolled location there is nothing to roll against.
  const int rating = rangeRating();
  if (rating == -1 || !ir::locationNamed(HitLocation)) return;
  IFRResult(rating);
}

void Form2::IFRResult(int R) {
  for (Control* control : {&fraLocation, &fraSurface, &chkHitRun, &fraIFDefense}) {
    control->visible = false;
  }
  for (auto& option : OptBatting) option.visible = false;
  fraRange.visible = false;
  cmdCancel.caption = "&Continue";
  fraCrazyPlay.visible = true;
  lblCrazyPlay.caption.clear();
  lblCrazyPlay.visible = true;
  Label1.caption = VersionLine();
  fraCrazyPlay.caption = LocationText;

  ir::Situation situation;
  situation.doublePlayIn = chkDPin.value;
  for (const Control& box : chkIFDefense) {
    situation.boxes[static_cast<std::size_t>(box.index)] = box.value;
  }
  situation.hitAndRun = chkHitRun.value;
  situation.battingStyle = ifrBattingStyle;
  situation.fielder = FielderPosition;
  // The result button shows only after a location roll, so the words name a location.
  situation.location = ir::locationNamed(HitLocation).value_or(ir::Location::DownTheLine);
  const int rating = ir::adjustedRating(R, situation);
  Text1.caption = std::string(ir::ratingName(rating));
  IncrementDiceRolls();

  const std::int16_t roll = rollDice(99, 0, kPlayDie);
  cmdIFRResult.visible = false;

  const ir::Result result = ir::fieldResult(ifrSurface, situation.location, rating, roll);
  const std::string word(ir::resultWord(result));
  fraCrazyPlay.caption = word;
  Text1.caption = word;
  IncrementDiceRolls();

  lblCrazyPlay.caption = ir::explanation(result, situation.location, FielderPosition,
                                         ir::fielderDrawnIn(situation.boxes, FielderPosition));
}

}  // namespace vnt
