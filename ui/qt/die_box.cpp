#include "ui/qt/die_box.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>
#include <utility>

#include "ui/qt/qt_window.h"

namespace vnt {

DieBox::DieBox(const DieRequest& request, QWidget* parent) : QDialog(parent), request_(request) {
  setObjectName(QStringLiteral("dieBox"));
  setWindowTitle(QStringLiteral("Roll my own dice"));
  setModal(true);

  auto* chart = new QLabel(QString::fromStdString(dieChart(request)));
  chart->setObjectName(QStringLiteral("dieChart"));
  QFont bold = chart->font();
  bold.setBold(true);
  chart->setFont(bold);
  chart->setTextFormat(Qt::PlainText);

  const QString range = QString::fromStdString(dieRange(request));
  auto* what = new QLabel(QString::fromStdString(dieAsked(request)));
  what->setObjectName(QStringLiteral("diePurpose"));
  what->setTextFormat(Qt::PlainText);
  what->setWordWrap(true);

  // Typed digits or a value picked from the list: an editable box does both.
  entry_ = new QComboBox;
  entry_->setObjectName(QStringLiteral("dieEntry"));
  entry_->setEditable(true);
  entry_->setInsertPolicy(QComboBox::NoInsert);
  for (const std::string& choice : dieChoices(request)) {
    entry_->addItem(QString::fromStdString(choice));
  }
  entry_->setCurrentIndex(-1);
  entry_->setEditText(QString());
  entry_->lineEdit()->setPlaceholderText(range);
  entry_->setAccessibleName(QStringLiteral("Die rolled, %1").arg(range));

  refusal_ = new QLabel;
  refusal_->setObjectName(QStringLiteral("dieRefusal"));
  refusal_->setTextFormat(Qt::PlainText);
  refusal_->setWordWrap(true);
  refusal_->setStyleSheet(QStringLiteral("color: #b00020;"));
  refusal_->hide();

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  QPushButton* rollForMe =
      buttons->addButton(QStringLiteral("Roll for me"), QDialogButtonBox::RejectRole);
  rollForMe->setObjectName(QStringLiteral("rollForMe"));
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("dieOk"));
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &DieBox::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(chart);
  layout->addWidget(what);
  layout->addWidget(entry_);
  layout->addWidget(refusal_);
  layout->addWidget(buttons);
  entry_->setFocus();
  // Room for a chart's longest purpose on two or three lines.
  setMinimumWidth(360);
}

void DieBox::accept() {
  const DieEntry entry = readDieEntry(entry_->currentText().toStdString(), request_);
  if (!entry.value) {
    // The box stays up and says what it takes.
    refusal_->setText(QString::fromStdString(entry.refusal));
    refusal_->show();
    // The refusal needs room of its own; the lines above keep theirs.
    layout()->activate();
    adjustSize();
    entry_->lineEdit()->selectAll();
    entry_->setFocus();
    return;
  }
  value_ = entry.value;
  QDialog::accept();
}

void QtDieAsker::attach(QWidget* parent, std::function<void()> beforeShow) {
  parent_ = parent;
  beforeShow_ = std::move(beforeShow);
}

std::optional<int> QtDieAsker::askDie(const DieRequest& request) {
  if (beforeShow_) beforeShow_();
  DieBox box(request, parent_.data());
  box.exec();
  return box.value();
}

void attachOwnDice(QtWindow& main, OwnDice& dice, std::function<void(bool)> changed) {
  main.addMenuEntries([&main, &dice, changed = std::move(changed)](QMenu& menu) {
    QAction* action = menu.addAction(QStringLiteral("Roll my own dice"));
    action->setObjectName(QStringLiteral("ownDiceAction"));
    action->setCheckable(true);
    action->setChecked(dice.on());
    QObject::connect(action, &QAction::toggled, &main, [&dice, changed](bool on) {
      dice.setOn(on);
      if (changed) changed(on);
    });
  });
}

}  // namespace vnt
