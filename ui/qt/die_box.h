#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>
#include <optional>

#include "shell/own_dice.h"

class QComboBox;
class QLabel;

namespace vnt {

class QtWindow;

// The box that asks for one die the player rolled at the table: it names the chart, what
// the die is for and its range; the value is typed or picked, anything else is refused in
// the box itself with the range, and "Roll for me" lets the program roll this one die.
class DieBox final : public QDialog {
 public:
  DieBox(const DieRequest& request, QWidget* parent);

  // The value entered, or nullopt for "Roll for me" (also when the box was closed).
  std::optional<int> value() const { return value_; }

 private:
  void accept() override;

  DieRequest request_;
  QComboBox* entry_ = nullptr;
  QLabel* refusal_ = nullptr;
  std::optional<int> value_;
};

// The die box as the own dice ask for it, over the main window.
class QtDieAsker final : public DieAsker {
 public:
  // The window the box belongs to, and what to run first (the window repaints itself, so
  // the player sees where the chart has got to).
  void attach(QWidget* parent, std::function<void()> beforeShow);
  std::optional<int> askDie(const DieRequest& request) override;

 private:
  QPointer<QWidget> parent_;
  std::function<void()> beforeShow_;
};

// The main window's right-click menu gets a checkable "Roll my own dice"; `changed` runs
// with the new setting (to remember it).
void attachOwnDice(QtWindow& main, OwnDice& dice, std::function<void(bool)> changed);

}  // namespace vnt
