#include "ui/qt/qt_window.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMoveEvent>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "shell/accessibility_rules.h"
#include "shell/focus_rules.h"
#include "shell/zoom.h"
#include "ui/qt/accessibility.h"
#include "ui/qt/caption_widgets.h"
#include "ui/qt/logo.h"
#include "ui/qt/text_fit.h"

namespace vnt {
namespace {

// The client area the model's layout was made for, in twips.
constexpr int kClientWidthTwips = 8436;
constexpr int kClientHeightTwips = 8724;
constexpr double kTwipsPerPixel = 15.0;
// The layout's captions were measured in a narrow 8-point dialog font; a desktop's larger
// or wider default would not fit the fixed places. Controls that name a size keep it.
constexpr int kDefaultPointSize = 8;

int pixels(int twips) {
  return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

QRect rectFor(const Twips& layout) {
  return {pixels(layout.left), pixels(layout.top), pixels(layout.width), pixels(layout.height)};
}

// At another scale each edge is rounded, not each size: controls that do not overlap in the
// layout then never overlap on screen, whatever the scale.
QRect rectFor(const Twips& layout, double scale) {
  if (scale == 1.0) return rectFor(layout);
  const auto edge = [scale](int twips) {
    return static_cast<int>(std::lround(twips * scale / kTwipsPerPixel));
  };
  const int left = edge(layout.left);
  const int top = edge(layout.top);
  return {left, top, edge(layout.left + layout.width) - left,
          edge(layout.top + layout.height) - top};
}

zoom::Size sizeOf(QSize size) {
  return {size.width(), size.height()};
}

QSize toQSize(zoom::Size size) {
  return {size.width, size.height};
}

QColor colorFor(std::uint32_t rgb) {
  return QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                static_cast<int>(rgb & 0xFF));
}

// Dark text on light colours, white on dark ones (the blue of the quick-dice buttons).
QColor readableTextOn(const QColor& background) {
  const double luminance =
      0.299 * background.red() + 0.587 * background.green() + 0.114 * background.blue();
  return luminance < 140.0 ? QColor(Qt::white) : QColor(0x10, 0x10, 0x10);
}

// A style sheet is the one way to colour a button that every widget style honours.
QString buttonStyleSheet(const QColor& background, const QColor& text) {
  return QStringLiteral(
             "QPushButton { background-color: %1; color: %2; border: 1px solid #404040;"
             " border-radius: 3px; }"
             "QPushButton:pressed { background-color: %3; }"
             "QPushButton:focus { border: 2px solid #F0A000; }"
             "QPushButton:disabled { color: #808080; }")
      .arg(background.name(), text.name(), background.darker(130).name());
}

QStringList itemTexts(const std::vector<std::string>& items) {
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(items.size()));
  for (const std::string& item : items) texts << captionText(item);
  return texts;
}

}  // namespace

// The style's own measures (indicators, margins, frames) grown or shrunk with the window, so
// that every part of a control keeps its proportion, not only its text.
class ZoomStyle final : public QProxyStyle {
 public:
  void setScale(double scale) { scale_ = scale; }

  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    const int value = QProxyStyle::pixelMetric(metric, option, widget);
    if (value <= 0 || scale_ == 1.0) return value;
    return std::max(1, static_cast<int>(std::lround(value * scale_)));
  }

 private:
  double scale_ = 1.0;
};

QSize QtWindow::clientSize() {
  return {pixels(kClientWidthTwips), pixels(kClientHeightTwips)};
}

QtWindow::QtWindow(Form2& form, QWidget* parent) : QWidget(parent), form_(form) {
  installAccessibleButtons();
  resize(clientSize());
  // The logo, centred on a square, serves as the window's icon; drawn once, at the size of
  // the window's own logo, for both.
  logo_ = drawLogo(QSize(100, 58), qApp->devicePixelRatio());
  QPixmap icon(100, 100);
  icon.fill(Qt::transparent);
  QPainter(&icon).drawPixmap(0, 21, logo_);
  setWindowIcon(icon);
  QFont base = font();
  base.setFamilies({QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans"),
                    QStringLiteral("Arial"), base.family()});
  base.setPointSize(kDefaultPointSize);
  setFont(base);
  baseFont_ = base;
  for (Control* control : form_.controls()) {
    // Frames come before their contents, so a container's widget already exists.
    QWidget* container = control->container ? widget(*control->container) : nullptr;
    bindings_.emplace_back(control, build(*control, container ? container : this));
    widgetOf_.emplace(control, bindings_.back().widget);
  }
  const auto shortcut = [this](const QKeySequence& keys, std::function<int(int)> next) {
    auto* made = new QShortcut(keys, this);
    connect(made, &QShortcut::activated, this, [this, next] { setZoom(next(zoom_)); });
  };
  shortcut(QKeySequence::ZoomIn, zoom::larger);
  // Ctrl+= is Ctrl+Plus without Shift on most keyboards.
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), zoom::larger);
  shortcut(QKeySequence::ZoomOut, zoom::smaller);
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_0), [](int) { return zoom::kDefaultPercent; });
  sync();
  // A screen with less room than the window needs (high desktop scaling) gets it smaller.
  setZoom(zoom::kDefaultPercent);
}

void QtWindow::setZoom(int percent) {
  zoom_ = zoom::clamp(percent);
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  const QRect available = screen ? screen->availableGeometry() : QRect();
  // The window manager's border and title bar need room too (none before the first show).
  const QSize frame = isVisible() ? frameGeometry().size() - geometry().size() : QSize();
  fittedFrame_ = frame;
  const double scale =
      zoom::fittedScale(zoom_, sizeOf(clientSize()), sizeOf(available.size()), sizeOf(frame));
  const QSize size = toQSize(zoom::scaled(sizeOf(clientSize()), scale));
  setMinimumSize(
      toQSize(zoom::scaled(sizeOf(clientSize()), std::min(scale, zoom::kMinPercent / 100.0))));
  resizing_ = true;
  resize(size);
  resizing_ = false;
  if (scale != scale_) applyScale(scale);
  if (isVisible() && !available.isNull()) {
    // A larger window keeps its place where it can, but never hangs off the screen.
    QRect outer = frameGeometry();
    outer.moveRight(std::min(outer.right(), available.right()));
    outer.moveBottom(std::min(outer.bottom(), available.bottom()));
    outer.moveLeft(std::max(outer.left(), available.left()));
    outer.moveTop(std::max(outer.top(), available.top()));
    if (outer.topLeft() != frameGeometry().topLeft()) move(outer.topLeft());
  }
  for (const auto& listener : zoomListeners_) listener(zoom_);
}

void QtWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (!isVisible() || bindings_.empty()) return;
  const QSize frame = frameGeometry().size() - geometry().size();
  if (frame == fittedFrame_) return;
  fittedFrame_ = frame;
  const QScreen* screen = this->screen();
  if (screen == nullptr) return;
  const QRect room = screen->availableGeometry();
  if (frameGeometry().width() > room.width() || frameGeometry().height() > room.height()) {
    setZoom(zoom_);
  }
}

void QtWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (resizing_ || bindings_.empty()) return;
  // The player dragged an edge: the drawing follows, at the largest zoom that fits.
  if (event->size() == toQSize(zoom::scaled(sizeOf(clientSize()), scale_))) return;
  const int percent = zoom::percentForSize(sizeOf(event->size()), sizeOf(clientSize()));
  const double scale =
      std::min(percent / 100.0,
               std::min(static_cast<double>(event->size().width()) / clientSize().width(),
                        static_cast<double>(event->size().height()) / clientSize().height()));
  zoom_ = percent;
  if (scale > 0 && scale != scale_) applyScale(scale);
  for (const auto& listener : zoomListeners_) listener(zoom_);
}

void QtWindow::applyScale(double scale) {
  scale_ = scale;
  // Widgets that draw their own frames read it (caption_widgets.cpp).
  setProperty("vntScale", scale_);
  if (scale_ != 1.0 && zoomStyle_ == nullptr) {
    zoomStyle_ = new ZoomStyle;
    zoomStyle_->setParent(this);
    for (const Binding& b : bindings_) b.widget->setStyle(zoomStyle_);
  }
  if (zoomStyle_ != nullptr) zoomStyle_->setScale(scale_);
  QFont base = baseFont_;
  if (scale_ != 1.0) base.setPointSizeF(kDefaultPointSize * scale_);
  setFont(base);
  // Every widget is placed again; its font is made again as the window's font changed.
  for (Binding& b : bindings_) b.placed = false;
  for (const Binding& b : bindings_) {
    if (b.control->kind == ControlKind::Image) {
      static_cast<QLabel*>(b.widget)->setPixmap(
          drawLogo(placed(*b.control).size(), qApp->devicePixelRatio()));
    }
  }
  sync();
  update();
}

QRect QtWindow::placed(const Control& control) const {
  return rectFor(control.layout, scale_);
}

QWidget* QtWindow::build(Control& control, QWidget* parent) {
  QAbstractButton* button = nullptr;
  QWidget* made = nullptr;
  switch (control.kind) {
    case ControlKind::Button:
      made = button = new WrapButton(parent);
      break;
    case ControlKind::CheckBox:
      made = button = new WrapCheckBox(parent);
      setAccessibleControl(button, control);
      break;
    case ControlKind::Option:
      button = new WrapRadioButton(parent);
      // Which option is selected is the model's business; "none selected" must be possible.
      button->setAutoExclusive(false);
      setAccessibleControl(button, control);
      made = button;
      break;
    case ControlKind::Frame:
      made = new FitGroupBox(parent);
      break;
    case ControlKind::Label: {
      auto* label = new FitLabel(parent);
      label->setWordWrap(true);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setTextFormat(Qt::PlainText);
      if (&control == &form_.Text1) {
        // The roll result stands in a white box, like an entry field.
        label->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, palette.color(QPalette::Base));
        palette.setColor(QPalette::WindowText, palette.color(QPalette::Text));
        label->setPalette(palette);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setMargin(2);
      }
      if (announcesCaptionChange(control)) {
        // The name carries the result, so a screen reader announces each new one.
        label->setAccessibleName(QString::fromStdString(vnt::accessibleName(control, {})));
      }
      made = label;
      break;
    }
    case ControlKind::ListBox: {
      auto* list = new QListWidget(parent);
      list->setSelectionMode(QAbstractItemView::NoSelection);
      list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      // Nothing in it can be chosen, so it takes no focus (and shows no current line).
      if (!takesFocus(control)) list->setFocusPolicy(Qt::NoFocus);
      list->setAccessibleName(QString::fromStdString(vnt::accessibleName(control, {})));
      made = list;
      break;
    }
    case ControlKind::Image: {
      auto* image = new QLabel(parent);
      image->setAlignment(Qt::AlignCenter);
      const QSize size = rectFor(control.layout).size();
      image->setPixmap(logo_.deviceIndependentSize().toSize() == size
                           ? logo_
                           : drawLogo(size, qApp->devicePixelRatio()));
      image->setAccessibleName(QString::fromStdString(vnt::accessibleName(control, {})));
      made = image;
      break;
    }
  }
  made->setObjectName(QString::fromStdString(control.displayName()));
  if (button) {
    Control* clicked = &control;
    connect(button, &QAbstractButton::clicked, this, [this, clicked] { click(*clicked); });
  }
  return made;
}

QWidget* QtWindow::widget(const Control& control) const {
  for (const Binding& binding : bindings_) {
    if (binding.control == &control) return binding.widget;
  }
  return nullptr;
}

void QtWindow::click(Control& control) {
  // Qt delivers clicks only to shown, enabled widgets, and those mirror the model; the
  // check keeps a stray event from reaching a control the player cannot see.
  if (control.reachable()) form_.click(control);
  sync();
  if (form_.ended()) {
    close();
    QCoreApplication::quit();
  }
}

void QtWindow::sync() {
  const QString title = QString::fromStdString(form_.title);
  if (windowTitle() != title) setWindowTitle(title);

  QWidget* focused = QApplication::focusWidget();
  const Binding* holder = focused ? binding(focused) : nullptr;
  std::vector<bool> wasShown;
  wasShown.reserve(bindings_.size());
  for (const Binding& b : bindings_) wasShown.push_back(b.widget->isVisibleTo(this));

  if (font() != fontsBase_) {
    // A new desktop font: every widget's font and caption is made again.
    for (Binding& b : bindings_) {
      b.fonts = nullptr;
      b.shown.valid = false;
    }
    fonts_.clear();
    fontsBase_ = font();
  }
  for (Binding& b : bindings_) syncOne(b);
  updateTabOrder();

  // Hiding the focused widget would hand the focus to whatever follows it in the tab chain
  // ("Show Dice Rolls" after a roll); choose the next control first, then take away.
  if (holder != nullptr && !holder->control->reachable()) {
    if (const Control* next = focusAfterLosing(form_, *holder->control, wasShown)) {
      widgetOf_.at(next)->setFocus(Qt::OtherFocusReason);
    }
  }
  for (const Binding& b : bindings_) {
    const QSignalBlocker blocker(b.widget);
    if (!b.control->enabled) b.widget->setEnabled(false);
    if (!b.control->visible) b.widget->setVisible(false);
  }
  for (const auto& listener : syncListeners_) listener();
}

const QtWindow::Binding* QtWindow::binding(const QWidget* widget) const {
  for (const Binding& b : bindings_) {
    if (b.widget == widget) return &b;
  }
  return nullptr;
}

void QtWindow::updateTabOrder() {
  if (!moved_) return;
  moved_ = false;
  std::vector<QWidget*> order;
  for (const Control* control : tabOrder(form_.controls())) order.push_back(widgetOf_.at(control));
  if (order == tabOrder_) return;
  tabOrder_ = std::move(order);
  for (std::size_t i = 1; i < tabOrder_.size(); ++i) {
    QWidget::setTabOrder(tabOrder_[i - 1], tabOrder_[i]);
  }
}

QtWindow::Fonts& QtWindow::fontsFor(const Font& font) {
  const std::pair<int, bool> key{font.pointSize, font.bold};
  auto found = fonts_.find(key);
  if (found == fonts_.end()) {
    QFont made = this->font();
    if (font.pointSize > 0) {
      if (scale_ == 1.0) {
        made.setPointSize(font.pointSize);
      } else {
        made.setPointSizeF(font.pointSize * scale_);
      }
    }
    made.setBold(font.bold);
    found = fonts_.try_emplace(key, made, this).first;
  }
  return found->second;
}

const QString& QtWindow::shownCaption(Binding& binding) {
  const Control& control = *binding.control;
  QWidget* w = binding.widget;
  ShownCaption& shown = binding.shown;
  if (!shown.valid || shown.source != control.caption || shown.literal != control.literalCaption ||
      shown.size != w->size() || shown.fonts != binding.fonts) {
    shown.text = widgetCaption(control, w, binding.fonts->measurer);
    shown.source = control.caption;
    shown.literal = control.literalCaption;
    shown.size = w->size();
    shown.fonts = binding.fonts;
    shown.valid = true;
  }
  return shown.text;
}

void QtWindow::syncOne(Binding& binding) {
  const Control& control = *binding.control;
  QWidget* w = binding.widget;
  // Qt's own toggling of a check box or option before "clicked" must not echo back.
  const QSignalBlocker blocker(w);

  const Twips& at = control.layout;
  const Twips& was = binding.placedAt;
  if (!binding.placed || at.left != was.left || at.top != was.top || at.width != was.width ||
      at.height != was.height) {
    w->setGeometry(placed(control));
    binding.placedAt = at;
    binding.placed = true;
    moved_ = true;
  }
  Fonts& fonts = fontsFor(control.font);
  if (binding.fonts != &fonts) {
    if (w->font() != fonts.font) w->setFont(fonts.font);
    binding.fonts = &fonts;
  }
  // Enabling an enabled widget changes nothing.
  if (control.enabled && !w->isEnabled()) w->setEnabled(true);
  if (binding.description != control.description) {
    const QString description = QString::fromStdString(control.description);
    w->setToolTip(description);
    w->setAccessibleDescription(description);
    binding.description = control.description;
  }

  switch (control.kind) {
    case ControlKind::Button: {
      auto* button = static_cast<WrapButton*>(w);
      button->setText(shownCaption(binding));
      QString sheet;
      std::optional<QColor> textColor;
      if (control.backColor) {
        const QColor background = colorFor(*control.backColor);
        textColor = readableTextOn(background);
        sheet = buttonStyleSheet(background, *textColor);
      }
      if (button->styleSheet() != sheet) button->setStyleSheet(sheet);
      button->setTextColor(textColor);
      break;
    }
    case ControlKind::CheckBox:
    case ControlKind::Option: {
      auto* button = static_cast<QAbstractButton*>(w);
      button->setText(shownCaption(binding));
      button->setChecked(control.value);
      break;
    }
    case ControlKind::Frame:
      static_cast<QGroupBox*>(w)->setTitle(shownCaption(binding));
      break;
    case ControlKind::Label: {
      auto* label = static_cast<QLabel*>(w);
      const QString text = labelText(control.caption);
      if (label->text() != text) {
        label->setText(text);
        if (announcesCaptionChange(control)) {
          setAccessibleNameAnnounced(
              label, QString::fromStdString(vnt::accessibleName(control, text.toStdString())));
        }
      }
      break;
    }
    case ControlKind::ListBox:
      syncList(static_cast<QListWidget*>(w), control);
      break;
    case ControlKind::Image:
      break;
  }

  if (control.visible) w->setVisible(true);
}

void QtWindow::syncList(QListWidget* list, const Control& control) {
  const QStringList wanted = itemTexts(control.items);
  QStringList shown;
  for (int row = 0; row < list->count(); ++row) shown << list->item(row)->text();
  if (shown == wanted) return;
  // Only the new lines are added (and announced); the lines that stay are kept.
  std::vector<std::string> shownLines;
  std::vector<std::string> wantedLines;
  for (const QString& line : shown) shownLines.push_back(line.toStdString());
  for (const QString& line : wanted) wantedLines.push_back(line.toStdString());
  const ListUpdate update = listUpdate(shownLines, wantedLines);
  for (std::size_t i = 0; i < update.dropped; ++i) delete list->takeItem(0);
  const int kept = list->count();
  for (qsizetype i = static_cast<qsizetype>(update.firstNew); i < wanted.size(); ++i) {
    list->addItem(wanted[i]);
  }
  if (!accessibleEventsWanted()) return;
  QAccessibleInterface* history = QAccessible::queryAccessibleInterface(list);
  if (history == nullptr) return;
  for (int row = kept; row < list->count(); ++row) {
    // A client learns of the new line through children-changed on the list.
    if (QAccessibleInterface* line = history->child(row)) {
      QAccessibleEvent added(line, QAccessible::ObjectCreated);
      sendAccessibleEvent(&added);
    }
  }
}

void QtWindow::addMenuEntries(std::function<void(QMenu&)> add) {
  if (menuEntries_.empty()) {
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
      QMenu menu(this);
      for (const auto& entries : menuEntries_) entries(menu);
      menu.exec(mapToGlobal(at));
    });
  }
  menuEntries_.push_back(std::move(add));
}

void QtWindow::closeEvent(QCloseEvent* event) {
  // Closing through the window frame ends the program without asking.
  for (const auto& listener : closeListeners_) listener();
  event->accept();
  QCoreApplication::quit();
}

}  // namespace vnt
