// The bunt roll: the fielder, the rating as the fielder and a squeeze leave it, the chart.

#include <string>
#include <string_view>

#include "charts/bunting/bunt_table.h"
#include "shell/form2.h"

namespace vnt {

namespace {

// What each die of this chart is for, as the game log and the own-dice box name it.
constexpr std::string_view kFielderDie = "the fielder who plays the bunt";
constexpr std::string_view kBuntDie =
    "the bunt, read against the bunt rating and the playing field";

}  // namespace

void Form2::cmdRollBunt_Click() {
  // Every missing choice is reported, one message after the other.
  const std::int16_t rating = GetRating();
  if (rating == -1) dialogs_.ok("You must select a bunting rating", "");
  const std::int16_t surface = GetSurface();
  if (surface == -1) dialogs_.ok("You must select Grass or Turf", "");
  const std::int16_t defense = GetIFDefense();
  if (defense == -1) dialogs_.ok("You must select an IF Defense", "");
  if (rating == -1 || surface == -1 || defense == -1) return;
  BuntSurface = surface;
  BuntResult(rating);
}

bool Form2::buntFielderCloseIn() const {
  return buntFielderCloseIn(BuntFielder);
}

bool Form2::buntFielderCloseIn(int fielder) const {
  return bunt::fielderCloseIn(fielder, {.infieldIn = chkIFDefense[1].value,
                                        .cornersIn = chkIFDefense[2].value,
                                        .firstBaseIn = chkIFDefense[6].value,
                                        .thirdBaseIn = chkIFDefense[3].value});
}

void Form2::finishBunt() {
  cmdCancel.caption = "&Continue";
  Label1.caption = VersionLine();
}

void Form2::BuntResult(std::int16_t buntRating) {
  using bunt::Outcome;
  int rating = buntRating;
  if (chkOFin.value) rating = bunt::lowerRating(rating);

  BuntFielder = static_cast<std::int16_t>(bunt::fielderFor(rollDice(9, 0, kFielderDie)));
  Text1.caption = std::string(bunt::fielderWord(BuntFielder));
  IncrementDiceRolls();
  if (buntFielderCloseIn()) rating = bunt::lowerRating(rating);

  cmdRollBunt.visible = false;
  Outcome outcome = bunt::buntOutcome(BuntSurface, rating, rollDice(99, 0, kBuntDie));
  BuntOutcome = std::string(bunt::outcomeWord(outcome));
  Text1.caption = BuntOutcome;
  IncrementDiceRolls();

  fraIFDefense.visible = false;
  fraCrazyPlay.visible = true;
  lblCrazyPlay.caption.clear();
  lblCrazyPlay.visible = true;
  fraCrazyPlay.caption = BuntOutcome;

  const auto offerSpeed = [this](const char* frame, const char* prompt) {
    cmdBuntSpeed.visible = true;
    fraJump.caption = frame;
    fraJump.visible = true;
    Label1.caption = prompt;
    for (auto& option : optJump) {
      option.caption = std::to_string(10 - option.index);
      option.value = false;
      option.visible = option.index <= 10;
    }
  };

  // The outcomes are taken in this order so that a "Lead Out?" the managers turn into a
  // sacrifice or a try for a hit is settled as that outcome in the same click.
  if (outcome == Outcome::DP) {
    lblCrazyPlay.caption =
        "DP? - Batter bunts into DP with runner on 1st.\r"
        "Runner on 2nd advances only if forced.\r"
        "Runner on 3rd advances only if forced or DP.\r"
        "Home to 1st DP with bases loaded.\r"
        "Suicide Squeeze - Runner on 3rd out at plate.";
    finishBunt();
  }
  if (outcome == Outcome::Popout) {
    lblCrazyPlay.caption =
        "Popout - Batter pops out.  Runners hold.\r"
        "Suicide Squeeze - Runner on 3rd doubled up.";
    finishBunt();
  }
  if (outcome == Outcome::LeadRunner) {
    lblCrazyPlay.caption =
        "Lead Runner - Lead runner is out trying to advance.  Other runners advance one base.";
    finishBunt();
  }
  if (outcome == Outcome::Error) {
    for (auto& option : optError) {
      option.caption = std::to_string(20 - option.index);
      option.value = false;
      option.visible = true;
    }
    fraError.visible = true;
    chkError[0].visible = true;
    chkError[1].visible = true;
    Label1.caption = "Select Unadjusted Error Rating";
    cmdBuntError.visible = true;
  }
  if (outcome == Outcome::Strikeout) {
    fraKper9.visible = true;
    for (auto& option : optK9) {
      option.value = false;
      option.visible = true;
    }
    Label1.caption = "Select Pitcher's K/9 Rating";
    cmdBuntStrikeout.visible = true;
  }
  if (outcome == Outcome::LeadOut) {
    if (dialogs_.yesNo("Are you bunting for a hit?", "Lead Out?")) {
      outcome = Outcome::BeatOut;
    } else if (!dialogs_.yesNo("Do you want to try to get the lead runner? (Speed -4 if in)",
                               "Defensive Manager")) {
      outcome = Outcome::SH;
    }
    // The result label and the history keep "Lead Out?"; the box shows what it became.
    BuntOutcome = std::string(bunt::outcomeWord(outcome));
    fraCrazyPlay.caption = BuntOutcome;
    if (outcome == Outcome::LeadOut) {
      offerSpeed("Lead Runner's Speed", "Enter Lead Runner's Speed Rating");
    }
  }
  if (outcome == Outcome::SH) {
    lblCrazyPlay.caption =
        "SH - Sacrifice.  Batter out at first, other runners advance one base.\r"
        "Bunting for a hit - Batter out at first.";
    finishBunt();
  }
  if (outcome == Outcome::BeatOut) {
    offerSpeed("Batter's Speed Rating", "Enter Batter's Speed Rating");
  }
  if (outcome == Outcome::ToughPlay) {
    fraRange.caption = "Tough Play";
    fraRange.visible = true;
    for (auto& option : optRange) {
      option.value = false;
      option.visible = true;
    }
    Label1.caption = "Tough Play - Enter Fielder's Range";
    cmdToughPlay.visible = true;
  }
}

}  // namespace vnt
