#pragma once

// What a screen reader sees of the window's check boxes and option buttons, by the model's
// rules (shell/accessibility_rules.h). The option buttons are not auto-exclusive (the model
// decides what is selected), which would make Qt report them as check boxes; and Qt's own
// Toggle action flips the widget without a click, so the model would never hear of it.
// These interfaces report the model's role and name and turn Toggle and Press into the same
// click a mouse or the space bar gives.

#include <QString>
#include <functional>

class QAccessibleEvent;
class QWidget;

namespace vnt {

struct Control;

// Makes the interfaces above the ones Qt hands out; safe to call more than once.
void installAccessibleButtons();

// The control a check box or option button widget shows, for the name it is read with. The
// control must outlive the widget.
void setAccessibleControl(QWidget* widget, const Control& control);

// Qt passes accessibility events on only while an assistive technology listens; tests,
// where none does, see the window's events through a watcher.
using AccessibleEventWatcher = std::function<void(QAccessibleEvent*)>;
void setAccessibleEventWatcher(AccessibleEventWatcher watcher);

// True when an event would reach anyone: building one costs a little, so ask first.
bool accessibleEventsWanted();

// Sends `event` to the assistive technology, if one listens, and shows it to the watcher.
void sendAccessibleEvent(QAccessibleEvent* event);

// Renames `widget` for assistive technology; Qt announces the new name (NameChanged).
void setAccessibleNameAnnounced(QWidget* widget, const QString& name);

}  // namespace vnt
