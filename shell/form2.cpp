#include "shell/form2.h"

#include <string>

#include "shell/click_handlers.h"

namespace vnt {

std::string Control::displayName() const {
  return index < 0 ? name : name + "(" + std::to_string(index) + ")";
}

bool Control::reachable() const {
  for (const Control* c = this; c != nullptr; c = c->container) {
    if (!c->visible || !c->enabled) return false;
  }
  return true;
}

std::string withoutAccessKey(std::string_view caption) {
  std::string plain;
  plain.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    // "&&" is a literal ampersand; a single one marks the access key.
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    plain += caption[i];
  }
  return plain;
}

Form2::Form2(Dice& dice, Dialogs& dialogs)
    : loggingDialogs_(dialogs, gameLog_),
      dice_(dice),
      dialogs_(loggingDialogs_),
      unloggedDialogs_(dialogs) {
  buildInventory();
  gameLog_.setContext([this] { return logContext(); });
}

std::string Form2::VersionLine() {
  return "VNT Assistant Program " + std::to_string(VNT_VERSION_MAJOR) + "." +
         std::to_string(VNT_VERSION_MINOR) + "." + std::to_string(VNT_VERSION_PATCH) +
         "  -  sample edition, free to copy and share";
}

void Form2::hideAll() {
  for (Control* control : controls_) control->visible = false;
}

void Form2::Form_Load() {
  Label1.caption = VersionLine();
  cmdCancel.caption = "&Cancel";
  hideAll();
  for (Control* control : {&Label1, &fraSeasons, &cmdExit, &cmdYear}) control->visible = true;
  for (auto& option : optYear) {
    option.value = false;
    option.visible = true;
    option.enabled = false;
  }
  checkSeasonAvailability();
}

void Form2::cmdCancel_Click() {
  gameLog_.endPlay();
  title = std::string(kApplicationTitle) + " " + SeasonText;
  cmdCancel.caption = "&Cancel";
  hideAll();

  chkOFin.value = false;
  chkOFin.caption = "Outfield In";
  chkDeep.visible = false;
  chkDiceRolls.visible = true;

  for (auto& button : cmdChart) button.visible = true;
  for (auto& option : OptBatting) option.visible = false;
  for (Control* button : {&cmdOne, &cmdTwo, &cmdThree, &cmdTwenty}) button->visible = true;
  fraBallparks.visible = false;

  Label1.caption = VersionLine();
  for (Control* control : {&cmdExit, &cmdCancel, &Text1, &List1, &Label1}) {
    control->visible = true;
  }

  fraCrazyPlay.visible = false;
  fraCrazyPlay.caption = "Crazy Play Result";
  imgLogo.visible = true;

  for (int i = 0; i <= 10; ++i) chkIFDefense[i].enabled = true;
  for (auto& option : optSurface) option.enabled = true;
  for (auto& option : OptBatting) option.enabled = true;
  for (auto& option : optBallpark) option.enabled = true;

  for (auto& option : optClutch) option.value = false;
  chkHitRun.value = false;
  for (auto& option : Option1) option.value = false;

  for (auto& option : optTime) option.enabled = true;
  for (auto& option : optJump) option.enabled = true;
  for (auto& option : optTime) option.value = false;
}

void Form2::cmdExit_Click() {
  // Leaving the program is no roll of the game: its question stays out of the log.
  if (unloggedDialogs_.yesNo("Confirm Exit", "Exit Assistant")) ended_ = true;
}

std::int16_t Form2::RandomNumber(std::int16_t upper, std::int16_t lower, std::string_view purpose) {
  const DieRequest request = gameLog_.describeDie(upper, lower, purpose);
  const Die die = dice_.draw(request);
  gameLog_.die(request, die);
  return die.value;
}

void Form2::IncrementDiceRolls() {
  ++RollHistoryCount;
  if (RollHistoryCount > 8) {
    for (int slot = 1; slot <= 7; ++slot) RollHistory[slot] = RollHistory[slot + 1];
    RollHistory[8] = Text1.caption;
    RollHistoryCount = 8;
  } else {
    RollHistory[RollHistoryCount] = Text1.caption;
  }
  List1.items.assign(RollHistory.begin() + 1, RollHistory.begin() + 1 + RollHistoryCount);
  gameLog_.shown(Text1.caption);
}

void Form2::rollQuickDice(Control& pressed, std::int16_t upper, std::int16_t lower,
                          std::string_view purpose) {
  Text1.caption = std::to_string(RandomNumber(upper, lower, purpose));
  IncrementDiceRolls();
  for (Control* button : {&cmdTwo, &cmdOne, &cmdTwenty, &cmdThree}) {
    button->backColor = button == &pressed ? kWhite : kBlue;
  }
}

std::int16_t Form2::rollDice(std::int16_t upper, std::int16_t lower, std::string_view purpose) {
  Text1.caption = std::to_string(RandomNumber(upper, lower, purpose));
  const auto roll = static_cast<std::int16_t>(std::stoi(Text1.caption));
  if (chkDiceRolls.value) IncrementDiceRolls();
  return roll;
}

void Form2::showOutcome(Control& rollButton, const std::string& outcome) {
  rollButton.visible = false;
  cmdCancel.caption = "&Continue";
  Label1.caption = VersionLine();
  Text1.caption = outcome;
  IncrementDiceRolls();
}

void Form2::cmdOne_Click() {
  rollQuickDice(cmdOne, 9, 0, "one ten-sided die");
}
void Form2::cmdTwo_Click() {
  rollQuickDice(cmdTwo, 99, 0, "two dice read as 00 to 99");
}
void Form2::cmdThree_Click() {
  rollQuickDice(cmdThree, 999, 0, "three dice read as 000 to 999");
}
void Form2::cmdTwenty_Click() {
  rollQuickDice(cmdTwenty, 20, 1, "the twenty-sided die");
}

Control* Form2::find(std::string_view name, int index) {
  for (Control* control : controls_) {
    if (control->name == name && control->index == index) return control;
  }
  return nullptr;
}

void Form2::select(Control& option) {
  for (Control* other : controls_) {
    if (other->kind == ControlKind::Option && other->container == option.container) {
      other->value = false;
    }
  }
  option.value = true;
}

void Form2::click(Control& control) {
  if (control.kind == ControlKind::Option) select(control);
  if (control.kind == ControlKind::CheckBox) control.value = !control.value;
  beginLoggedClick(control);
  runClickHandler(*this, control);
  placeDetailFrame();
  endLoggedClick();
}

ScreenState Form2::screenState() const {
  if (fraSeasons.visible) return ScreenState::SeasonSelection;
  if (cmdChart[0].visible) return ScreenState::ChartMenu;
  return ScreenState::ChartSetup;
}

}  // namespace vnt
