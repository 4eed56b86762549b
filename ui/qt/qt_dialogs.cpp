#include "ui/qt/qt_dialogs.h"

#include <QMessageBox>
#include <utility>

#include "ui/qt/caption_widgets.h"

namespace vnt {

void QtDialogs::attach(QWidget* parent, std::function<void()> beforeShow) {
  parent_ = parent;
  beforeShow_ = std::move(beforeShow);
}

void QtDialogs::ok(const std::string& prompt, const std::string& title) {
  show(prompt, title, false);
}

bool QtDialogs::yesNo(const std::string& prompt, const std::string& title) {
  return show(prompt, title, true);
}

bool QtDialogs::show(const std::string& prompt, const std::string& title, bool askYesNo) {
  if (beforeShow_) beforeShow_();

  const QString shownTitle = QString::fromStdString(title.empty() ? kApplicationTitle : title);
  QMessageBox box(QMessageBox::NoIcon, shownTitle, captionText(prompt),
                  askYesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok,
                  parent_.data());
  // Prompts are plain text: a '<' in a ballpark name must not start markup.
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(askYesNo ? QMessageBox::Yes : QMessageBox::Ok);
  box.exec();
  return askYesNo && box.clickedButton() == box.button(QMessageBox::Yes);
}

}  // namespace vnt
