#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "shell/control.h"
#include "shell/dialogs.h"
#include "shell/dice.h"
#include "shell/game_log.h"
#include "shell/odds.h"
#include "shell/season_records.h"

namespace vnt {

enum class ScreenState { SeasonSelection, ChartMenu, ChartSetup };

// Colours of the quick-dice buttons, 0xRRGGBB.
inline constexpr std::uint32_t kWhite = 0xFFFFFF;
inline constexpr std::uint32_t kBlue = 0x0000FF;

inline constexpr int kFirstSeason = 1972;
inline constexpr int kSeasonCount = 54;  // 1972..2025
inline constexpr int kMaxBallparks = 30;

// The one window: every control, the window-level state and the event handlers. It knows
// nothing of any toolkit; an adapter paints the controls and feeds clicks to click().
class Form2 {
 public:
  Form2(Dice& dice, Dialogs& dialogs);
  Form2(const Form2&) = delete;
  Form2& operator=(const Form2&) = delete;

  // --- Controls, by their inventory names -------------------------------------------
  Control Text1, Label1, List1, chkDiceRolls, imgLogo, cmdCancel, cmdExit;
  Control cmdYear, fraSeasons;
  ControlArray optYear;
  ControlArray cmdChart;
  Control cmdOne, cmdTwo, cmdThree, cmdTwenty;
  Control fraBallparks;
  ControlArray optBallpark;
  ControlArray OptBatting;
  Control fraSurface;
  ControlArray optSurface;
  Control fraBuntRating;
  ControlArray Option1;
  Control fraIFDefense;
  ControlArray chkIFDefense;
  Control lblDefense, cmdNormIFR;
  Control fraRange;
  ControlArray optRange;
  Control fraLocation;
  ControlArray optLocation;
  Control fraJump;
  ControlArray optJump;
  Control fraTime;
  ControlArray optTime;
  Control fraMonth;
  ControlArray optMonth;
  Control fraWind;
  ControlArray optWind;
  Control fraClutch;
  ControlArray optClutch;
  Control chkTired;
  Control fraKper9;
  ControlArray optK9;
  Control fraPB;
  ControlArray optPBRating;
  Control fraError;
  ControlArray chkError;
  Control fraCrazyPlay;
  ControlArray optError;
  Control lblCrazyPlay;
  Control fraAdjust, lblAdjust;
  Control chkOFin, chkHitRun, chkDPin, chkDeep;
  // Roll buttons: all at the place of "THREE" in the chart menu.
  Control cmdRollBPE, cmdRollBunt, cmdCrazyPlay, cmdDeep, cmdError, cmdIFR, cmdIFRResult,
      cmdNewInjury, cmdRecovered, cmdJump, cmdJumpError, cmdOFR, cmdOFRResult, cmdRunners,
      cmdRunError, cmdStealing, cmdStealError, cmdWeather, cmdWildPitch, cmdFoulBall, cmdBalk,
      cmdPickoff, cmdRundown, cmdCollision, cmdRobbed, cmdToughPlay, cmdBuntError, cmdBuntSpeed,
      cmdBuntStrikeout;

  // --- Window-level state -----------------------------------------------------------
  std::string title = kApplicationTitle;
  std::array<std::string, 11> RollHistory;  // slots 1..8 used, 1 oldest
  std::int16_t RollHistoryCount = 0;
  std::int16_t Season = -1;
  std::string SeasonText;
  std::int16_t BallparkCount = 0;
  std::array<std::int16_t, 141> BallparkTable{};
  // The fielder and location rolled by a chart's first click, read by its result click.
  std::int16_t FielderPosition = 0;
  std::string HitLocation;
  std::string LocationText;

  // --- Window ------------------------------------------------------------------------
  void Form_Load();
  void cmdCancel_Click();
  void cmdExit_Click();
  static std::string VersionLine();

  // --- Dice and history --------------------------------------------------------------
  // Every die the window draws names what it is for: the game log writes the words beside
  // the die and the box that asks the player for their own die shows them.
  std::int16_t RandomNumber(std::int16_t upper, std::int16_t lower, std::string_view purpose);
  void IncrementDiceRolls();
  void cmdOne_Click();
  void cmdTwo_Click();
  void cmdThree_Click();
  void cmdTwenty_Click();
  // The first steps of every chart result: draw, show the roll in Text1, take it back
  // from there, and log it when "Show Dice Rolls" is checked.
  std::int16_t rollDice(std::int16_t upper, std::int16_t lower, std::string_view purpose);
  // The closing steps of a chart result: the roll button goes, "&Continue" and the
  // version line come back, and the outcome is shown and logged.
  void showOutcome(Control& rollButton, const std::string& outcome);

  // --- Seasons -----------------------------------------------------------------------
  void checkSeasonAvailability();
  // Each season with files in the folder that is not offered, as "1998  REASON" (the words
  // of its option's description), in year order.
  std::vector<std::string> unofferedSeasons;
  void cmdYear_Click();
  // The name of one of the chosen season's files, "1987" followed by the suffix.
  std::string seasonFile(std::string_view suffix) const;
  // Fills slots 0..15 of BallparkTable with the Deep values of the ballpark option given.
  // When the file cannot be read or holds no such ballpark it says so and gives false,
  // leaving the table as it was.
  bool lookUpBallpark(int ballpark);
  // The season files a chart reads when it rolls. Each is read and checked before anything
  // is rolled or changed; when the file cannot be read or holds no record for the ballpark,
  // an OK box says so ("Cannot read 1987Weather.vnt", "No record for Boston in
  // 1987BPE.vnt") and the caller rolls nothing.
  // All 141 slots of BallparkTable from the Weather record of the ballpark option given.
  bool loadWeatherTable(int ballpark);
  // The eight thresholds of the BPE record at the ballpark option's position.
  std::optional<std::array<std::int16_t, 8>> readBallparkEffects(int ballpark);
  // The season's crazy plays in file order.
  std::optional<std::vector<CrazyPlay>> readSeasonCrazyPlays();
  // The same look-ups without a message box: what the roll would find, or the message it
  // would show instead. The odds read the files through these.
  template <typename T>
  struct Found {
    std::optional<T> value;
    std::string message;  // set when there is no value
  };
  Found<std::array<std::int16_t, 16>> findDeepRecord(int ballpark) const;
  Found<std::array<std::int16_t, kWeatherValues>> findWeatherRecord(int ballpark) const;
  Found<std::array<std::int16_t, 8>> findBallparkEffects(int ballpark) const;
  Found<std::vector<CrazyPlay>> findCrazyPlays() const;

  // --- Chart selector and readers --------------------------------------------------
  void cmdChart_Click(int Index);
  // Each reader gives the value of its group's selected option, or -1 when none is.
  std::int16_t GetSurface() const;
  std::int16_t GetBattingStyle() const;
  std::int16_t GetMonth() const;
  std::int16_t GetTime() const;
  std::int16_t GetRating() const;
  std::int16_t GetWind() const;
  std::int16_t GetBallpark() const;
  std::int16_t GetIFDefense() const;  // 0 when any infield-defence box is checked
  // The -3..12 rating group: button i gives 10 - i; -99 when none is selected.
  std::int16_t GetJumpRating() const;
  // The error ratings "20" to "1": button i gives 20 - i; -1 when none is selected.
  std::int16_t errorRating() const;
  // The range ratings "SP" to "WK": button i gives i; -1 when none is selected.
  std::int16_t rangeRating() const;
  void OptBatting_Click(int Index);

  // Each chart below declares its handlers, result procedures and state in its own
  // block; the definitions live in the chart's file under charts/.

  // --- Infield defence panel (charts/fielding/infield_defense.cpp) ----------------
  void chkIFDefense_Click(int Index);
  void cmdNormIFR_Click();

  // --- Steal (charts/baserunning/steal.cpp) ------------------------------------------
  void cmdStealing_Click();
  void cmdStealError_Click();
  void StealResult(std::int16_t stealRating);
  void StealError(std::int16_t errorRating);
  // The steal roll's outcome word ("SB+E2" or "Dropped?"), read back by "Error?".
  std::string StealOutcome;

  // --- Jump, balk and pickoff (charts/baserunning/jump.cpp) --------------------------
  void cmdJump_Click();
  void cmdJumpError_Click();
  void cmdBalk_Click();
  void cmdPickoff_Click();
  void Jump(std::int16_t holdRating, std::int16_t jumpRating);
  void Balk(std::int16_t balkRating);
  void Pickoff(std::int16_t pickoffRating);
  void JumpResult(std::int16_t errorRating);

  // --- Rundown and collision (charts/baserunning/rundown.cpp) -----------------------
  void cmdRundown_Click();
  void cmdCollision_Click();
  void RundownResult(std::int16_t speed);
  void CollisionResult(std::int16_t range);

  // --- Sending runners (charts/baserunning/sending_runners.cpp) ---------------------
  void cmdRunners_Click();
  void cmdRunError_Click();
  void SendingRunners(std::int16_t speed);
  void RunError(std::int16_t errorRating);

  // --- Wild pitch, passed ball and foul (charts/baserunning/wild_pitch.cpp) ---------
  void cmdWildPitch_Click();
  void cmdFoulBall_Click();
  void FoulResult(int ballpark);
  void WPResult(std::int16_t wildPitch, std::int16_t passedBall);

  // --- Infield range (charts/fielding/infield_range.cpp) ----------------------------
  void cmdIFR_Click();
  void cmdIFRResult_Click();
  void FindLocation();  // the fielder named for a double play into FielderPosition, or -1
  void IFRRoll();
  void IFRResult(int R);
  // What the location roll used, for the result roll: the batting style (0 in double-play
  // mode) and the surface as they were when "Range - Infield" was pressed.
  std::int16_t ifrBattingStyle = 0;
  std::int16_t ifrSurface = 0;

  // --- Outfield range (charts/fielding/outfield_range.cpp) --------------------------
  void cmdOFR_Click();
  void cmdOFRResult_Click();
  void OFRLocation();
  void OFRRoll(int R);
  // The choices the location roll was made with; the result roll reads them, not the
  // options. The location itself is HitLocation, its fielder FielderPosition.
  std::int16_t outfieldBattingStyle = -1;
  std::int16_t outfieldSurface = -1;
  std::int16_t outfieldBallpark = -1;

  // --- Error chart (charts/fielding/error_chart.cpp) --------------------------------
  void cmdError_Click();
  // Rolls against ErrorRating for FielderPosition and explains the result.
  void ErrorResult();
  // The error rating after "Cold" and "In", 1..20, set by cmdError_Click for ErrorResult.
  std::int16_t ErrorRating = 0;

  // --- Tough play (charts/fielding/tough_play.cpp) ----------------------------------
  void cmdToughPlay_Click();
  void ToughPlay(std::int16_t range);

  // --- Bunt and its follow-ups (charts/bunting/) -------------------------------------
  void cmdRollBunt_Click();
  void cmdBuntError_Click();
  void cmdBuntSpeed_Click();
  void cmdBuntStrikeout_Click();
  void BuntResult(std::int16_t buntRating);
  void BeatOut(std::int16_t speed);
  void LeadOut(std::int16_t speed);
  void BuntK(std::int16_t k9Group);
  void BuntE(std::int16_t errorRating);
  // The K/9 group: button i gives i; -1 when none is selected.
  std::int16_t BuntStrikeout() const;
  // Whether BuntFielder plays the bunt close in, by the defence boxes as they stand.
  bool buntFielderCloseIn() const;
  // The same for any fielder the bunt may go to.
  bool buntFielderCloseIn(int fielder) const;
  // Ends the bunt: "&Continue" and the version line come back.
  void finishBunt();
  // The last bunt roll, read by its follow-ups: the outcome word (after the "Lead Out?"
  // questions), the fielder's scoring position and the playing field (0 grass, 1 turf).
  std::string BuntOutcome;
  std::int16_t BuntFielder = 0;
  std::int16_t BuntSurface = 0;

  // --- Weather (charts/environment/weather.cpp) -------------------------------------
  void cmdWeather_Click();
  // Ballpark option, month 1..7 (April..October), time 0 day or 1 night.
  void WeatherResult(int ballpark, int month, int time);
  // Selects the wind option of that caption.
  void selectWind(std::string_view caption);

  // --- Injury (charts/environment/injury.cpp) ---------------------------------------
  void cmdNewInjury_Click();
  void cmdRecovered_Click();
  void NewInjury(std::int16_t injuryRating);
  void InjuryRecovery(std::int16_t injuryRating);

  // --- Deep drive (charts/environment/deep_drive.cpp) -------------------------------
  void cmdDeep_Click();
  void cmdRobbed_Click();
  void DeepResult();
  void Robbed();
  void DeepRobbed();
  // The location (0 "LFL" .. 6 "RFL") of the last drive, read by "Robbed?" with the wall
  // heights the drive left in BallparkTable.
  std::int16_t DeepLocation = 0;

  // --- Ballpark effects (charts/environment/ballpark_effects.cpp) -------------------
  void cmdRollBPE_Click();
  void BPEResult();

  // --- Crazy play (charts/environment/crazy_play.cpp) -------------------------------
  void cmdCrazyPlay_Click();

  // --- Odds --------------------------------------------------------------------------
  // The chances of each outcome of the roll that the roll buttons on screen would make,
  // for the selections as they stand. Draws no dice, shows no message box.
  odds::Odds odds() const;
  // A roll button and the chart's function that works out its odds.
  struct RollOdds {
    Control Form2::*button;
    void (*oddsOf)(const Form2& form, odds::Odds& odds);
    const char* roll;  // the roll in the player's words ("Steal roll")
  };
  // Every roll button with odds, in the order the window lists them when several show.
  // The charts give the list (charts/chart_odds.cpp), so the model names none of them.
  static std::span<const RollOdds> rollOdds();
  // The buttons the player can press when nothing is left to roll, in words: "Next:
  // Continue or Exit".
  std::string nextSteps() const;

  // --- For adapters and the scenario runner ------------------------------------------
  // Every control in creation order (frames before the controls inside them).
  const std::vector<Control*>& controls() const { return controls_; }
  Control* find(std::string_view name, int index = -1);
  // A player's click: an option becomes selected, a check box toggles, then the
  // control's click handler (if any) runs. Reachability is the caller's concern.
  void click(Control& control);
  // Option buttons exclude each other within their container.
  void select(Control& option);
  ScreenState screenState() const;
  bool ended() const { return ended_; }

  Dialogs& dialogs() { return dialogs_; }

  // --- Game log ----------------------------------------------------------------------
  // Every roll as it happens (shell/game_log.h); the front ends show it and save it.
  GameLog& gameLog() { return gameLog_; }
  const GameLog& gameLog() const { return gameLog_; }

 private:
  // What the game log is told (shell/form2_log.cpp).
  LogContext logContext() const;
  void beginLoggedClick(const Control& control);
  void endLoggedClick();
  void fillResultShown(ResultShown& shown) const;

  void buildInventory();
  Control& add(Control& control, std::string name, ControlKind kind, const Control* container,
               Twips layout, std::string caption = {});
  struct Grid;  // where the elements of a control array go
  // A control array: one element per caption, placed on the grid.
  void addGroup(ControlArray& array, const std::string& name, ControlKind kind,
                const Control* container, const std::vector<std::string>& captions,
                const Grid& grid);
  void rollQuickDice(Control& pressed, std::int16_t upper, std::int16_t lower,
                     std::string_view purpose);
  void hideAll();
  // Chart set-ups: one per chart button.
  void setUpBallparkEffects();
  void setUpBunt();
  void setUpCrazyPlay();
  void setUpDeepDrive();
  void setUpError();
  void setUpInfieldRange();
  void setUpInjury();
  void setUpJump();
  void setUpOutfieldRange();
  void setUpSendingRunners();
  void setUpSteal();
  void setUpWeather();
  void setUpWildPitch();
  void setUpBalk();
  void showSeasonBallparks();
  // Places the frames the chart shows so that none covers another.
  void placeChartControls(int Index);
  void placeDetailFrame();
  // The infield-defence boxes as a chart starts: all clear, then "1B Holds Run.".
  void resetInfieldDefense();
  // Sets a box and runs its change handler when its state really changes.
  void setDefenseBox(int index, bool checked);

  GameLog gameLog_;
  LoggingDialogs loggingDialogs_;  // the front end's boxes, telling the log what they asked
  Dice& dice_;
  Dialogs& dialogs_;
  Dialogs& unloggedDialogs_;
  std::vector<Control*> controls_;
  bool ended_ = false;
};

}  // namespace vnt
