#include "ui/qt/qt_dialogs.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <utility>

#include "ui/qt/caption_widgets.h"
#include "ui/qt/text_fit.h"

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
  QMessageBox box(QMessageBox::NoIcon, shownTitle, QString(),
                  askYesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok,
                  parent_.data());
  // A prompt naming a huge ballpark must still fit the screen (and not take long to lay out).
  const QScreen* screen = parent_ ? parent_->screen() : QGuiApplication::primaryScreen();
  box.setText(messageText(prompt, box.font(),
                          screen ? screen->availableGeometry().size() : QSize(800, 600)));
  // Prompts are plain text: a '<' in a ballpark name must not start markup.
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(askYesNo ? QMessageBox::Yes : QMessageBox::Ok);
  box.exec();
  return askYesNo && box.clickedButton() == box.button(QMessageBox::Yes);
}

}  // namespace vnt
