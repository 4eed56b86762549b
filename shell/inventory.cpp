// The window's controls: kind, container, design caption and place. Positions are in
// twips; a control inside a frame is placed relative to that frame.

#include <string>
#include <utility>
#include <vector>

#include "shell/form2.h"

namespace vnt {
namespace {

constexpr int kOptionHeight = 255;
constexpr int kFrameTopMargin = 270;  // room for the frame's caption
constexpr int kRollButtonLeft = 360;
constexpr int kRollButtonTop = 1320;
constexpr int kButtonWidth = 1695;
constexpr int kButtonHeight = 495;

const std::vector<std::string> kChartCaptions = {
    "BPE",   "Bunt", "Crazy Play!",      "Deep!",            "Error", "Range - Infield", "Injury",
    "Jump",  "Range - Outfield", "Sending Runners?", "Steal", "Weather", "WP / PB / Foul?", "Balk"};

const std::vector<std::string> kBallparkCaptions = {
    "Arizona",    "Atlanta",       "Chicago NL",     "Cincinnati",  "Colorado",    "Florida",
    "Houston",    "Los Angeles NL", "Milwaukee",     "Montreal",    "New York NL", "Philadelphia",
    "Pittsburgh", "San Diego",     "San Francisco",  "St. Louis",   "Baltimore",   "Boston",
    "Chicago AL", "Cleveland",     "Detroit",        "Kansas City", "Los Angeles AL", "Minnesota",
    "New York AL", "Oakland",      "Seattle",        "Tampa Bay",   "Texas",       "Toronto"};

const std::vector<std::string> kDefenseCaptions = {
    "Normal", "Infield In", "Corners In",    "3B In", "3B Guards Line", "3B Holds Run.", "1B In",
    "1B Guards Line", "1B Holds Run.", "SS Holds Run.", "SS In", "2B Holds Run.", "2B In"};

// "5", "4", ... : the captions of rating groups that count down.
std::vector<std::string> countingDown(int from, int count) {
  std::vector<std::string> captions;
  for (int i = 0; i < count; ++i) captions.push_back(std::to_string(from - i));
  return captions;
}

}  // namespace

// Where the options of a frame go: column by column, `rows` to a column.
struct Form2::Grid {
  int rows;
  int columnWidth;
  int left = 120;
  int rowHeight = kOptionHeight;

  Twips cell(int i) const {
    return {left + (i / rows) * columnWidth, kFrameTopMargin + (i % rows) * rowHeight,
            columnWidth - 30, rowHeight};
  }
};

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

void Form2::addGroup(ControlArray& array, const std::string& name, ControlKind kind,
                     const Control* container, const std::vector<std::string>& captions,
                     const Grid& grid) {
  const int count = static_cast<int>(captions.size());
  array = ControlArray(captions.size());
  for (int i = 0; i < count; ++i) {
    add(array[i], name, kind, container, grid.cell(i), captions[static_cast<std::size_t>(i)]);
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
  // A little higher than the twips place so it clears the frames below it.
  add(imgLogo, "imgLogo", K::Image, nullptr, {6720, 4020, 1500, 870});
  add(cmdCancel, "cmdCancel", K::Button, nullptr, {360, 7080, kButtonWidth, 615}, "&Cancel");
  add(cmdExit, "cmdExit", K::Button, nullptr, {2160, 7080, kButtonWidth, 615}, "E&xit");

  // Above the season frame, clear of its caption.
  add(cmdYear, "cmdYear", K::Button, nullptr, {360, 1200, kButtonWidth, kButtonHeight},
      "Select Season");
  add(fraSeasons, "fraSeasons", K::Frame, nullptr, {360, 1800, 4575, 4695}, "Seasons");
  std::vector<std::string> years;
  for (int i = 0; i < kSeasonCount; ++i) years.push_back(std::to_string(kFirstSeason + i));
  addGroup(optYear, "optYear", K::Option, &fraSeasons, years, {18, 1470, 150, 240});

  addGroup(cmdChart, "cmdChart", K::Button, nullptr, kChartCaptions, {7, 1440});
  for (auto& button : cmdChart) {
    // Two columns of seven, 480 apart with one pixel of air between neighbours.
    button.layout = {360 + (button.index / 7) * 1440, 2760 + (button.index % 7) * 480, 1335, 465};
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
  addGroup(optBallpark, "optBallpark", K::Option, &fraBallparks, kBallparkCaptions,
           {10, 1470, 120, 245});
  for (auto& option : optBallpark) option.literalCaption = true;  // names from the Deep file

  addGroup(OptBatting, "OptBatting", K::Option, nullptr, {"LSP", "LP", "RSP", "RP"}, {2, 1320});
  const Twips battingPlaces[] = {
      {5040, 6480, 1215, 495}, {5040, 7080, 1215, 495}, {6360, 6480, 1215, 495},
      {6360, 7080, 1215, 495}};
  for (auto& option : OptBatting) option.layout = battingPlaces[option.index];

  // The chart frames share the area below the roll button; each chart set-up shows the
  // ones it needs.
  add(fraSurface, "fraSurface", K::Frame, nullptr, {360, 4080, 1695, 855}, "Playing Field");
  addGroup(optSurface, "optSurface", K::Option, &fraSurface, {"Grass", "Turf"}, {2, 1455});

  add(fraBuntRating, "fraBuntRating", K::Frame, nullptr, {360, 1920, 1830, 1095}, "Bunt Rating");
  // "5" to "3" over "2" and "1": two columns, so the frame leaves room beside and below.
  addGroup(Option1, "Option1", K::Option, &fraBuntRating, countingDown(5, 5), {3, 600});

  add(fraIFDefense, "fraIFDefense", K::Frame, nullptr, {360, 1800, 4575, 2175}, "Infield Defense");
  addGroup(chkIFDefense, "chkIFDefense", K::CheckBox, &fraIFDefense, kDefenseCaptions,
           {5, 1470, 120, 330});
  // Five rows of three, read across: the whole infield, then third base, first base, the
  // middle infielders.
  for (auto& box : chkIFDefense) {
    box.layout = {120 + (box.index % 3) * 1470, 270 + (box.index / 3) * 330, 1440, 330};
  }
  add(lblDefense, "lblDefense", K::Label, &fraIFDefense, {1590, 1590, 2865, 330},
      "Use SS or 2B Holds for Hit and Run");
  add(cmdNormIFR, "cmdNormIFR", K::Button, nullptr, {2280, 4200, 2655, kButtonHeight},
      "&Normal Defensive Alignment");

  add(fraRange, "fraRange", K::Frame, nullptr, {360, 5160, 2160, 1350}, "Range Rating");
  addGroup(optRange, "optRange", K::Option, &fraRange, {"SP", "VG", "AV", "FR", "MD", "PR", "WK"},
           {4, 780});

  add(fraLocation, "fraLocation", K::Frame, nullptr, {2625, 5160, 2310, 1605}, "Location");
  addGroup(optLocation, "optLocation", K::Option, &fraLocation,
           {"Pitcher", "First Base", "Second Base", "Third Base", "Shortstop"},
           {5, 1920});

  add(fraJump, "fraJump", K::Frame, nullptr, {2160, 1920, 1695, 2115}, "Jump Rating");
  // Two columns of seven: "10".."4" and "3".."-3".
  addGroup(optJump, "optJump", K::Option, &fraJump, countingDown(10, 14), {7, 780});

  add(fraTime, "fraTime", K::Frame, nullptr, {3240, 1800, 1695, 915}, "Time");
  addGroup(optTime, "optTime", K::Option, &fraTime, {"Day", "Night"}, {2, 1455, 120, 285});

  add(fraMonth, "fraMonth", K::Frame, nullptr, {360, 1800, 1695, 2175}, "Month");
  addGroup(optMonth, "optMonth", K::Option, &fraMonth,
           {"April", "May", "June", "July", "August", "September", "October"}, {7, 1455, 240});

  add(fraWind, "fraWind", K::Frame, nullptr, {5040, 4920, 1335, 1515}, "Wind");
  addGroup(optWind, "optWind", K::Option, &fraWind,
           {"No Wind", "Wind In", "Wind Out", "Cross L-R", "Cross R-L"}, {5, 1215, 120, 240});

  add(fraClutch, "fraClutch", K::Frame, nullptr, {6480, 4920, 1335, 1515}, "Clutch");
  const Grid clutchGrid{5, 1215, 120, 240};
  addGroup(optClutch, "optClutch", K::Option, &fraClutch, {"Pitcher", "Hitter", "Both", "Neither"},
           clutchGrid);
  add(chkTired, "chkTired", K::CheckBox, &fraClutch, clutchGrid.cell(4), "Tired?");

  add(fraKper9, "fraKper9", K::Frame, nullptr, {5040, 4920, 1335, 1515}, "Pitcher's K/9");
  addGroup(optK9, "optK9", K::Option, &fraKper9,
           {"> 9.9", "8.0 - 9.9", "6.0 - 7.9", "4.0 - 5.9", "< 4.0"}, {5, 1215, 120, 240});

  add(fraPB, "fraPB", K::Frame, nullptr, {2295, 1920, 1830, 1095}, "Passed Ball Rating");
  addGroup(optPBRating, "optPBRating", K::Option, &fraPB, countingDown(5, 5), {3, 600});

  add(fraError, "fraError", K::Frame, nullptr, {5040, 4320, 1575, 615}, "Adjustments");
  // Side by side: one row of two.
  addGroup(chkError, "chkError", K::CheckBox, &fraError, {"Cold", "In"}, {1, 720});

  add(fraCrazyPlay, "fraCrazyPlay", K::Frame, nullptr, {360, 1920, 4575, 5040},
      "Crazy Play Result");
  addGroup(optError, "optError", K::Option, &fraCrazyPlay, countingDown(20, 20), {5, 555});
  add(lblCrazyPlay, "lblCrazyPlay", K::Label, &fraCrazyPlay, {120, 270, 4335, 4710}).font = {13,
                                                                                            false};

  add(fraAdjust, "fraAdjust", K::Frame, nullptr, {5040, 4980, 3255, 1230},
      "Stealing Adjustments");
  add(lblAdjust, "lblAdjust", K::Label, &fraAdjust, {120, 270, 3015, 900}).font = {13, false};

  // Narrower than the button beside the roll button, so "DP - IF In" fits beside them.
  const Twips besideRollButtonBox{2280, kRollButtonTop, 1335, kButtonHeight};
  add(chkOFin, "chkOFin", K::CheckBox, nullptr, besideRollButtonBox, "Outfield In");
  add(chkHitRun, "chkHitRun", K::CheckBox, nullptr, besideRollButtonBox, "Hit and Run");
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
