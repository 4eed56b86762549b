// Outfield range: where the ball goes and what the fielder makes of it.

#include <string>
#include <string_view>

#include "charts/fielding/outfield_range_table.h"
#include "shell/form2.h"

namespace vnt {

namespace {

// What each die of this chart is for, as the game log and the own-dice box name it.
constexpr std::string_view kWhereDie = "where the ball goes, read against the batting style";
constexpr std::string_view kPlayDie = "the play, read against the adjusted range rating";

}  // namespace

namespace of = outfield;

void Form2::cmdOFR_Click() {
  // Every missing choice is reported, one box after another, before anything is rolled.
  const std::int16_t battingStyle = GetBattingStyle();
  if (battingStyle == -1) dialogs_.ok("You must select a batting style", "");
  const std::int16_t surface = GetSurface();
  if (surface == -1) dialogs_.ok("You must select a surface", "");
  const std::int16_t ballpark = GetBallpark();
  if (ballpark == -1) dialogs_.ok("You must select a ballpark", "");
  if (battingStyle == -1 || surface == -1 || ballpark == -1) return;

  outfieldBattingStyle = battingStyle;
  outfieldSurface = surface;
  outfieldBallpark = ballpark;
  OFRLocation();
}

void Form2::OFRLocation() {
  cmdOFR.visible = false;
  cmdOFRResult.visible = true;
  Label1.caption = "Enter Unadjusted Range Rating - ";
  const std::int16_t roll = rollDice(99, 0, kWhereDie);

  fraRange.caption = "Range - ";
  fraRange.visible = true;
  for (auto& option : optRange) {
    option.value = false;
    option.visible = true;
  }

  // The choices stay on screen, fixed, as the ones this ball was rolled with.
  for (auto& option : OptBatting) option.enabled = false;
  select(OptBatting[outfieldBattingStyle]);
  for (auto& option : optBallpark) option.enabled = false;
  select(optBallpark[outfieldBallpark]);
  for (auto& option : optSurface) option.enabled = false;
  select(optSurface[outfieldSurface]);

  // Every column covers 00-99, so a row is always found.
  const int row = of::locationRow(outfieldBattingStyle, roll);
  const of::Location& location = of::kLocations.at(static_cast<std::size_t>(row));
  HitLocation = std::string(location.text);
  FielderPosition = static_cast<std::int16_t>(location.fielder);

  fraRange.caption += HitLocation;
  Label1.caption += of::fielderAbbreviation(location.fielder);
  Text1.caption = HitLocation;
  IncrementDiceRolls();
}

void Form2::cmdOFRResult_Click() {
  const int R = rangeRating();
  if (R == -1) return;  // no rating yet: the press is ignored
  OFRRoll(R);
}

void Form2::OFRRoll(int R) {
  // Without a rolled location there is nothing to settle; leave the screen as it is rather
  // than half-way to a result.
  const int row = of::locationRowOf(HitLocation);
  if (row == -1) return;
  const of::Location& location = of::kLocations.at(static_cast<std::size_t>(row));

  cmdCancel.caption = "&Continue";
  Label1.caption = VersionLine();
  cmdOFRResult.visible = false;
  chkOFin.enabled = false;

  const std::string& ballpark = optBallpark[outfieldBallpark].caption;
  const bool warmDay =
      ballpark == "Chicago NL" && dialogs_.yesNo("Is it a warm or hot day?", "Weather");
  R = of::adjustRating(R, ballpark, HitLocation, warmDay);
  Text1.caption = std::string(of::ratingCaption(R));
  IncrementDiceRolls();

  const std::int16_t roll = rollDice(99, 0, kPlayDie);
  cmdOFRResult.visible = false;

  const bool outfieldIn = chkOFin.value;
  of::Result result = of::playResult(location.group, outfieldSurface, R, roll);
  if (outfieldIn) result = of::withOutfieldIn(location.group, result);
  const std::string word(of::resultWord(result));

  fraBallparks.visible = false;
  fraRange.visible = false;
  fraSurface.visible = false;
  for (auto& option : OptBatting) option.visible = false;
  fraCrazyPlay.visible = true;
  lblCrazyPlay.visible = true;
  fraCrazyPlay.caption = HitLocation + " " + word;
  lblCrazyPlay.caption = word + "\r\r";
  Text1.caption = word;
  IncrementDiceRolls();

  lblCrazyPlay.caption += of::explanation(result, location, outfieldSurface, outfieldIn);
}

}  // namespace vnt
