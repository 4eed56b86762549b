#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>

#include "shell/dialogs.h"

namespace vnt {

// Waits (a second at most) until the window manager has put a window that is being shown
// where it goes: what is placed by it (a message box, a tool window) goes by its place.
void waitUntilPlaced(QWidget* window);

// Message boxes as modal QMessageBoxes without an icon, centred on the window that asked.
class QtDialogs final : public Dialogs {
 public:
  QtDialogs() = default;

  // The window the boxes belong to (may be null), and what to run before a box appears:
  // the window repaints itself so the player sees the state the handler has reached.
  void attach(QWidget* parent, std::function<void()> beforeShow);

  void ok(const std::string& prompt, const std::string& title) override;
  bool yesNo(const std::string& prompt, const std::string& title) override;

 private:
  bool show(const std::string& prompt, const std::string& title, bool askYesNo);
  // The window a box is centred on: the active one of ours, else the attached one.
  QWidget* asker() const;

  QPointer<QWidget> parent_;
  std::function<void()> beforeShow_;
};

}  // namespace vnt
