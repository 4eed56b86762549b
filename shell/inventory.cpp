// The window's controls: kind, container, design caption and place. Positions are in
// twips; a control inside a frame is placed relative to that frame.

#include <string>
#include <utility>

#include "shell/form2.h"

namespace vnt {
namespace {

constexpr int kOptionHeight = 255;
constexpr int kFrameTopMargin = 270;  // room for the frame's caption
constexpr int kRollButtonLeft = 360;
constexpr int kRollButtonTop = 1320;
constexpr int kButtonWidth = 1695;
constexpr int kButtonHeight = 495;

const char* const kChartCaptions[] = {
    "BPE",   "Bunt", "Crazy Play!",      "Deep!",            "Error", "Range - Infield", "Injury",
    "Jump",  "Range - Outfield", "Sending Runners?", "Steal", "Weather", "WP / PB / Foul?", "Balk"};

const char* const kBallparkCaptions[] = {
    "Arizona",    "Atlanta",       "Chicago NL",     "Cincinnati",  "Colorado",    "Florida",
    "Houston",    "Los Angeles NL", "Milwaukee",     "Montreal",    "New York NL", "Philadelphia",
    "Pittsburgh", "San Diego",     "San Francisco",  "St. Louis",   "Baltimore",   "Boston",
    "Chicago AL", "Cleveland",     "Detroit",        "Kansas City", "Los Angeles AL", "Minnesota",
    "New York AL", "Oakland",      "Seattle",        "Tampa Bay",   "Texas",       "Toronto"};

const char* const kDefenseCaptions[] = {
    "Normal", "Infield In", "Corners In",    "3B In", "3B Guards Line", "3B Holds Run.", "1B In",
    "1B Guards Line", "1B Holds Run.", "SS Holds Run.", "SS In", "2B Holds Run.", "2B In"};

// Column-wise placement of the options of a frame: `rows` per column.
Twips cell(int i, int rows, int columnWidth, int left = 120, int rowHeight = kOptionHeight) {
  return {left + (i / rows) * columnWidth, kFrameTopMargin + (i % rows) * rowHeight,
          columnWidth - 60, rowHeight};
}

}  // namespace

Control& Form2::add(Control& control, std::string name, ControlKind kind,
                    const Control* container, Twips layout, std::string caption) {
  control.name = std::move(name);
  control.kind = kind;
  control.container = container;
  control.layout = layout;
  control.caption = std::move(caption);
  controls_.push_back(&control);
  return control;
}

void Form2::addArray(ControlArray& array, int count, std::string name, ControlKind kind,
                     const Control* container) {
  array = ControlArray(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    add(array[i], name, kind, container, {});
    array[i].index = i;
  }
}

void Form2::buildInventory() {
  using K = ControlKind;
  const Twips rollButton{kRollButtonLeft, kRollButtonTop, kButtonWidth, kButtonHeight};
  const Twips besideRollButton{2280, kRollButtonTop, kButtonWidth, kButtonHeight};

  add(Text1, "Text1", K::Label, nullptr, {360, 480, 3615, 615}).font = {15, false};
  add(Label1, "Label1", K::Label, nullptr, {360, 7800, 7815, 855}).font = {15, false};
  add(List1, "List1", K::ListBox, nullptr, {5040, 480, 3255, 3480}).font = {15, true};
  // Right under the history it governs, where its caption fits on one line.
  add(chkDiceRolls, "chkDiceRolls", K::CheckBox, nullptr, {5040, 4020, 1575, 300},
      "Show Dice Rolls");
  add(imgLogo, "imgLogo", K::Image, nullptr, {6720, 4080, 1500, 870});
  add(cmdCancel, "cmdCancel", K::Button, nullptr, {360, 7080, kButtonWidth, 615}, "&Cancel");
  add(cmdExit, "cmdExit", K::Button, nullptr, {2160, 7080, kButtonWidth, 615}, "E&xit");

  // Above the season frame, clear of its caption.
  add(cmdYear, "cmdYear", K::Button, nullptr, {360, 1200, kButtonWidth, kButtonHeight},
      "Select Season");
  add(fraSeasons, "fraSeasons", K::Frame, nullptr, {360, 1800, 4575, 4695}, "Seasons");
  addArray(optYear, kSeasonCount, "optYear", K::Option, &fraSeasons);
  for (auto& option : optYear) {
    option.caption = std::to_string(kFirstSeason + option.index);
    option.layout = cell(option.index, 18, 1470, 150, 240);
  }

  addArray(cmdChart, 14, "cmdChart", K::Button, nullptr);
  for (auto& button : cmdChart) {
    const int column = button.index / 7;
    button.caption = kChartCaptions[button.index];
    // 480 apart, one pixel of air between neighbours.
    button.layout = {360 + column * 1440, 2760 + (button.index % 7) * 480, 1335, 465};
  }

  const Font diceFont{13, true};
  add(cmdThree, "cmdThree", K::Button, nullptr, rollButton, "THREE").font = diceFont;
  add(cmdTwo, "cmdTwo", K::Button, nullptr, besideRollButton, "TWO").font = diceFont;
  add(cmdOne, "cmdOne", K::Button, nullptr, {360, 2040, kButtonWidth, kButtonHeight}, "ONE").font =
      diceFont;
  add(cmdTwenty, "cmdTwenty", K::Button, nullptr, {2280, 2040, kButtonWidth, kButtonHeight},
      "TWENTY")
      .font = diceFont;

  add(fraBallparks, "fraBallparks", K::Frame, nullptr, {360, 4200, 4575, 2775}, "Ballparks");
  addArray(optBallpark, kMaxBallparks, "optBallpark", K::Option, &fraBallparks);
  for (auto& option : optBallpark) {
    option.caption = kBallparkCaptions[option.index];
    option.layout = cell(option.index, 10, 1470, 120, 245);
  }

  const char* const battingCaptions[] = {"LSP", "LP", "RSP", "RP"};
  const Twips battingPlaces[] = {
      {5040, 6480, 1215, 495}, {5040, 7080, 1215, 495}, {6360, 6480, 1215, 495},
      {6360, 7080, 1215, 495}};
  addArray(OptBatting, 4, "OptBatting", K::Option, nullptr);
  for (auto& option : OptBatting) {
    option.caption = battingCaptions[option.index];
    option.layout = battingPlaces[option.index];
  }

  // The chart frames share the area below the roll button; each chart set-up shows the
  // ones it needs.
  add(fraSurface, "fraSurface", K::Frame, nullptr, {360, 4080, 1695, 855}, "Playing Field");
  addArray(optSurface, 2, "optSurface", K::Option, &fraSurface);
  optSurface[0].caption = "Grass";
  optSurface[1].caption = "Turf";
  for (auto& option : optSurface) option.layout = cell(option.index, 2, 1455);

  add(fraBuntRating, "fraBuntRating", K::Frame, nullptr, {360, 1800, 1335, 1635}, "Bunt Rating");
  addArray(Option1, 5, "Option1", K::Option, &fraBuntRating);
  for (auto& option : Option1) {
    option.caption = std::to_string(5 - option.index);
    option.layout = cell(option.index, 5, 1095, 240, 270);
  }

  add(fraIFDefense, "fraIFDefense", K::Frame, nullptr, {360, 1800, 4575, 2175}, "Infield Defense");
  addArray(chkIFDefense, 13, "chkIFDefense", K::CheckBox, &fraIFDefense);
  for (auto& box : chkIFDefense) {
    box.caption = kDefenseCaptions[box.index];
    box.layout = cell(box.index, 5, 1470, 120, 330);
  }
  add(lblDefense, "lblDefense", K::Label, &fraIFDefense, {120, 1920, 4335, 210},
      "Use SS or 2B Holds for Hit and Run");
  add(cmdNormIFR, "cmdNormIFR", K::Button, nullptr, {2280, 4200, 2655, kButtonHeight},
      "&Normal Defensive Alignment");

  add(fraRange, "fraRange", K::Frame, nullptr, {3240, 1800, 1695, 2145}, "Range Rating");
  addArray(optRange, 7, "optRange", K::Option, &fraRange);
  const char* const rangeCaptions[] = {"SP", "VG", "AV", "FR", "MD", "PR", "WK"};
  for (auto& option : optRange) {
    option.caption = rangeCaptions[option.index];
    option.layout = cell(option.index, 7, 1455, 240);
  }

  add(fraLocation, "fraLocation", K::Frame, nullptr, {1800, 1800, 1335, 1635}, "Location");
  addArray(optLocation, 5, "optLocation", K::Option, &fraLocation);
  const char* const locationCaptions[] = {"Pitcher", "First Base", "Second Base", "Third Base",
                                          "Shortstop"};
  for (auto& option : optLocation) {
    option.caption = locationCaptions[option.index];
    option.layout = cell(option.index, 5, 1215, 120, 270);
  }

  add(fraJump, "fraJump", K::Frame, nullptr, {1800, 1800, 1335, 3900}, "Jump Rating");
  addArray(optJump, 14, "optJump", K::Option, &fraJump);
  for (auto& option : optJump) {
    option.caption = std::to_string(10 - option.index);
    option.layout = cell(option.index, 14, 1095, 240);
  }

  add(fraTime, "fraTime", K::Frame, nullptr, {3240, 1800, 1695, 915}, "Time");
  addArray(optTime, 2, "optTime", K::Option, &fraTime);
  optTime[0].caption = "Day";
  optTime[1].caption = "Night";
  for (auto& option : optTime) option.layout = cell(option.index, 2, 1455, 120, 285);

  add(fraMonth, "fraMonth", K::Frame, nullptr, {360, 1800, 1695, 2175}, "Month");
  addArray(optMonth, 7, "optMonth", K::Option, &fraMonth);
  const char* const monthCaptions[] = {"April",  "May",       "June",   "July",
                                       "August", "September", "October"};
  for (auto& option : optMonth) {
    option.caption = monthCaptions[option.index];
    option.layout = cell(option.index, 7, 1455, 240, 270);
  }

  add(fraWind, "fraWind", K::Frame, nullptr, {5040, 4920, 1335, 1575}, "Wind");
  addArray(optWind, 5, "optWind", K::Option, &fraWind);
  const char* const windCaptions[] = {"No Wind", "Wind In", "Wind Out", "Cross L-R", "Cross R-L"};
  for (auto& option : optWind) {
    option.caption = windCaptions[option.index];
    option.layout = cell(option.index, 5, 1215);
  }

  add(fraClutch, "fraClutch", K::Frame, nullptr, {6480, 4920, 1335, 1575}, "Clutch");
  addArray(optClutch, 4, "optClutch", K::Option, &fraClutch);
  const char* const clutchCaptions[] = {"Pitcher", "Hitter", "Both", "Neither"};
  for (auto& option : optClutch) {
    option.caption = clutchCaptions[option.index];
    option.layout = cell(option.index, 5, 1215);
  }
  add(chkTired, "chkTired", K::CheckBox, &fraClutch, cell(4, 5, 1215), "Tired?");

  add(fraKper9, "fraKper9", K::Frame, nullptr, {5040, 4920, 1335, 1575}, "Pitcher's K/9");
  addArray(optK9, 5, "optK9", K::Option, &fraKper9);
  const char* const k9Captions[] = {"> 9.9", "8.0 - 9.9", "6.0 - 7.9", "4.0 - 5.9", "< 4.0"};
  for (auto& option : optK9) {
    option.caption = k9Captions[option.index];
    option.layout = cell(option.index, 5, 1215);
  }

  add(fraPB, "fraPB", K::Frame, nullptr, {1800, 1800, 1335, 1635}, "Passed Ball Rating");
  addArray(optPBRating, 5, "optPBRating", K::Option, &fraPB);
  for (auto& option : optPBRating) {
    option.caption = std::to_string(5 - option.index);
    option.layout = cell(option.index, 5, 1095, 240, 270);
  }

  add(fraError, "fraError", K::Frame, nullptr, {5040, 4320, 1575, 615}, "Adjustments");
  addArray(chkError, 2, "chkError", K::CheckBox, &fraError);
  chkError[0].caption = "Cold";
  chkError[1].caption = "In";
  for (auto& box : chkError) box.layout = {120 + box.index * 720, 270, 660, 255};

  add(fraCrazyPlay, "fraCrazyPlay", K::Frame, nullptr, {360, 1800, 4575, 3840},
      "Crazy Play Result");
  addArray(optError, 20, "optError", K::Option, &fraCrazyPlay);
  for (auto& option : optError) {
    option.caption = std::to_string(20 - option.index);
    option.layout = cell(option.index, 10, 720, 240, 300);
  }
  add(lblCrazyPlay, "lblCrazyPlay", K::Label, &fraCrazyPlay, {120, 270, 4335, 3450}).font = {13,
                                                                                            false};

  add(fraAdjust, "fraAdjust", K::Frame, nullptr, {3240, 2880, 1695, 1455},
      "Stealing Adjustments");
  add(lblAdjust, "lblAdjust", K::Label, &fraAdjust, {120, 270, 1455, 1095}).font = {13, false};

  add(chkOFin, "chkOFin", K::CheckBox, nullptr, besideRollButton, "Outfield In");
  add(chkHitRun, "chkHitRun", K::CheckBox, nullptr, besideRollButton, "Hit and Run");
  add(chkDPin, "chkDPin", K::CheckBox, nullptr, {3720, 1320, 1215, 375}, "DP - IF In");
  add(chkDeep, "chkDeep", K::CheckBox, nullptr, {3720, 1200, 1215, 615}, "Distance Pause");

  struct RollButton {
    Control* control;
    const char* name;
    const char* caption;
  };
  const RollButton rollButtons[] = {
      {&cmdRollBPE, "cmdRollBPE", "Roll Dice"},        {&cmdRollBunt, "cmdRollBunt", "Roll Dice"},
      {&cmdCrazyPlay, "cmdCrazyPlay", "Roll Dice"},    {&cmdDeep, "cmdDeep", "Roll Dice"},
      {&cmdError, "cmdError", "Roll Dice"},            {&cmdIFR, "cmdIFR", "Range - Infield"},
      {&cmdIFRResult, "cmdIFRResult", "Range Result"}, {&cmdNewInjury, "cmdNewInjury", "New Injury Roll"},
      {&cmdJump, "cmdJump", "Jump?"},                  {&cmdJumpError, "cmdJumpError", "E1?"},
      {&cmdOFR, "cmdOFR", "Roll Dice"},                {&cmdOFRResult, "cmdOFRResult", "Roll Dice"},
      {&cmdRunners, "cmdRunners", "Roll Dice"},        {&cmdRunError, "cmdRunError", "Error?"},
      {&cmdStealing, "cmdStealing", "Stealing"},       {&cmdStealError, "cmdStealError", "Error?"},
      {&cmdWeather, "cmdWeather", "Roll Dice"},        {&cmdWildPitch, "cmdWildPitch", "WP / PB"},
      {&cmdFoulBall, "cmdFoulBall", "Foul?"},          {&cmdBalk, "cmdBalk", "Balk?"},
      {&cmdPickoff, "cmdPickoff", "Pickoff?"},         {&cmdRundown, "cmdRundown", "Rundown"},
      {&cmdCollision, "cmdCollision", "Collision!"},   {&cmdRobbed, "cmdRobbed", "Robbed?"},
      {&cmdToughPlay, "cmdToughPlay", "Tough Play"},   {&cmdBuntError, "cmdBuntError", "Bunt Error?"},
      {&cmdBuntSpeed, "cmdBuntSpeed", "Roll Dice"},    {&cmdBuntStrikeout, "cmdBuntStrikeout", "Strikeout?"},
  };
  for (const auto& button : rollButtons) {
    add(*button.control, button.name, K::Button, nullptr, rollButton, button.caption);
  }
  // "Recovered?" pairs with "New Injury Roll", so it stands beside it.
  add(cmdRecovered, "cmdRecovered", K::Button, nullptr, besideRollButton, "Recovered?");
}

}  // namespace vnt
