#include "shell/touch_arrangement.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <utility>

#include "shell/caption_fit.h"
#include "shell/focus_rules.h"
#include "shell/form2.h"

namespace vnt {
namespace {

// On screen: the control and every frame around it are visible.
bool onScreen(const Control& control) {
  for (const Control* c = &control; c != nullptr; c = c->container) {
    if (!c->visible) return false;
  }
  return true;
}

bool isRollButton(const Form2& form, const Control& control) {
  for (const Form2::RollOdds& roll : Form2::rollOdds()) {
    if (&(form.*roll.button) == &control) return true;
  }
  return false;
}

bool inArray(const ControlArray& array, const Control& control) {
  return array.size() > 0 && &control >= &array[0] && &control <= &array[array.size() - 1];
}

// The kind of section a loose control (one outside any frame and any control array) goes in.
SectionKind looseKind(const Form2& form, const Control& c) {
  if (&c == &form.cmdCancel || &c == &form.cmdExit) return SectionKind::Window;
  if (&c == &form.cmdOne || &c == &form.cmdTwo || &c == &form.cmdThree || &c == &form.cmdTwenty) {
    return SectionKind::Dice;
  }
  if (isRollButton(form, c)) return SectionKind::Roll;
  switch (c.kind) {
    case ControlKind::Button:
      return SectionKind::Buttons;
    case ControlKind::CheckBox:
      return SectionKind::Checks;
    case ControlKind::Option:
      return SectionKind::Choices;
    case ControlKind::Image:
      return SectionKind::Picture;
    default:
      return SectionKind::Text;
  }
}

Pin pinOf(SectionKind kind) {
  switch (kind) {
    case SectionKind::Head:
    case SectionKind::Roll:
      return Pin::Top;
    case SectionKind::Window:
      return Pin::Bottom;
    default:
      return Pin::None;
  }
}

// --- Caption widths ------------------------------------------------------------------------

// The caption as the player reads it, its lines separated by '\n'.
std::string shownText(const Control& c) {
  const std::string lines = captionLines(c.caption);
  const bool accessKeys = !c.literalCaption && c.kind != ControlKind::Label;
  return accessKeys ? withoutAccessKey(lines) : lines;
}

std::size_t characters(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
  }));
}

// The widest piece of `text` when cut at every character in `cuts`.
int widestPiece(std::string_view text, std::string_view cuts, const TouchMetrics& metrics) {
  int widest = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find_first_of(cuts, start), text.size());
    const std::string_view piece = text.substr(start, end - start);
    const int width = metrics.textWidth ? metrics.textWidth(piece)
                                        : static_cast<int>(characters(piece)) * metrics.charWidth;
    widest = std::max(widest, width);
    start = end + 1;
  }
  return widest;
}

// The room a target needs around its caption.
int targetWidth(const Control& c, int text, const TouchMetrics& metrics) {
  const bool marked = c.kind == ControlKind::Option || c.kind == ControlKind::CheckBox;
  return std::max(kMinTarget, text + metrics.padding + (marked ? metrics.markWidth : 0));
}

// --- Columns -------------------------------------------------------------------------------

bool fits(int columns, int cell, const TouchMetrics& metrics) {
  return columns * cell + (columns - 1) * metrics.gap <= metrics.width;
}

// The most columns of `cell` that fit, from 1 to `most`.
int mostColumns(int cell, int most, const TouchMetrics& metrics) {
  int columns = 1;
  while (columns < most && fits(columns + 1, cell, metrics)) ++columns;
  return columns;
}

// How many items the classic window shows in its first row, when it reads across rows (its
// Tab order goes along a row before the next): the touch grid keeps those rows whole, or goes
// down to one column. 0 when the classic window reads down columns: the grid is then free.
int classicRowLength(const std::vector<const Control*>& items) {
  if (items.size() < 2 || items[1]->layout.top != items[0]->layout.top) return 0;
  int length = 1;
  while (length < static_cast<int>(items.size()) &&
         items[static_cast<std::size_t>(length)]->layout.top == items[0]->layout.top) {
    ++length;
  }
  return length;
}

// Columns for a grid of targets: as many as fit with every caption on one line; where that
// is a single column, two when the captions fit broken at blanks. A grid that reads across
// in the classic window keeps its rows (or takes one column). Rows are then evened out.
void chooseColumns(TouchSection& section, const TouchMetrics& metrics) {
  const std::vector<const Control*>& items = section.items;
  const int count = static_cast<int>(items.size());
  int oneLine = kMinTarget;
  int byWords = kMinTarget;
  for (const Control* c : items) {
    const std::string text = shownText(*c);
    oneLine = std::max(oneLine, targetWidth(*c, widestPiece(text, "\n", metrics), metrics));
    byWords = std::max(byWords, targetWidth(*c, widestPiece(text, "\n ", metrics), metrics));
  }
  int columns = 1;
  if (const int across = classicRowLength(items); across >= 2) {
    columns = fits(across, byWords, metrics) ? across : 1;
  } else if (count > 1) {
    columns = mostColumns(oneLine, count, metrics);
    if (columns == 1) columns = mostColumns(byWords, 2, metrics);
    const int rows = (count + columns - 1) / columns;
    columns = (count + rows - 1) / rows;
  }
  section.columns = columns;
  section.columnWidth = (metrics.width - (columns - 1) * metrics.gap) / columns;
}

void fullWidth(TouchSection& section, const TouchMetrics& metrics) {
  section.columns = 1;
  section.columnWidth = metrics.width;
}

// --- Building ------------------------------------------------------------------------------

// The contents of a frame in Tab order: where each inner control stands in creation order,
// an inner frame's own contents right after it.
void frameContents(const Form2& form, const Control& frame, TouchSection& section) {
  for (const Control* c : form.controls()) {
    if (c->container != &frame || !onScreen(*c)) continue;
    (takesFocus(*c) ? section.items : section.notes).push_back(c);
    if (c->kind == ControlKind::Frame) frameContents(form, *c, section);
  }
}

class Builder {
 public:
  Builder(const Form2& form, const TouchMetrics& metrics) : form_(form), metrics_(metrics) {}

  TouchArrangement build() {
    TouchSection head = section(SectionKind::Head);
    for (const Control* c : {&form_.Text1, &form_.List1}) {
      if (onScreen(*c)) head.items.push_back(c);
    }
    head.historyLines = kHeadHistoryLines;
    const bool besides = head.items.size() == 2 && fits(2, kHeadColumnWidth, metrics_);
    head.columns = besides ? 2 : 1;
    head.columnWidth = (metrics_.width - (head.columns - 1) * metrics_.gap) / head.columns;
    out_.sections.push_back(head);

    TouchSection status = section(SectionKind::Status);
    if (onScreen(form_.Label1)) status.items.push_back(&form_.Label1);
    out_.sections.push_back(status);

    const std::vector<const Control*> placed = windowOrder();
    std::vector<const Control*> done;
    bool looseOpen = false;  // the last section takes loose controls of its kind
    // The logo and any other loose text have nothing to press: they go below the controls,
    // above the window's buttons, rather than between the frames where the classic window
    // has room for them.
    std::vector<TouchSection> aside;
    for (const Control* c : placed) {
      if (c == &form_.Text1 || c == &form_.List1 || c == &form_.Label1) continue;
      if (std::find(done.begin(), done.end(), c) != done.end()) continue;
      if (c->kind == ControlKind::Frame) {
        TouchSection frame = section(SectionKind::Frame);
        frame.frame = c;
        frameContents(form_, *c, frame);
        out_.sections.push_back(frame);
        looseOpen = false;
      } else if (c->index >= 0) {
        // A control array outside any frame: all of it, where its first element stands.
        TouchSection group =
            section(inArray(form_.cmdChart, *c) ? SectionKind::Charts : looseKind(form_, *c));
        for (const Control* element : placed) {
          if (element->name == c->name && element->index >= 0) {
            group.items.push_back(element);
            done.push_back(element);
          }
        }
        out_.sections.push_back(group);
        looseOpen = false;
      } else {
        const SectionKind kind = looseKind(form_, *c);
        if (kind == SectionKind::Picture || kind == SectionKind::Text) {
          if (aside.empty() || aside.back().kind != kind) aside.push_back(section(kind));
          aside.back().items.push_back(c);
          continue;
        }
        if (!looseOpen || out_.sections.back().kind != kind) {
          out_.sections.push_back(section(kind));
          looseOpen = true;
        }
        out_.sections.back().items.push_back(c);
      }
    }
    const auto window =
        std::find_if(out_.sections.begin(), out_.sections.end(),
                     [](const TouchSection& s) { return s.kind == SectionKind::Window; });
    out_.sections.insert(window, aside.begin(), aside.end());

    for (TouchSection& s : out_.sections) {
      if (s.kind == SectionKind::Head) continue;
      if (s.kind == SectionKind::Status || s.kind == SectionKind::Picture ||
          s.kind == SectionKind::Text) {
        fullWidth(s, metrics_);
      } else {
        chooseColumns(s, metrics_);
      }
    }
    return std::move(out_);
  }

 private:
  static TouchSection section(SectionKind kind) {
    TouchSection s;
    s.kind = kind;
    s.pin = pinOf(kind);
    return s;
  }

  // The window's own controls on screen as the Tab order takes them: in rows from the top,
  // left to right, ties in creation order.
  std::vector<const Control*> windowOrder() const {
    std::vector<const Control*> top;
    for (const Control* c : form_.controls()) {
      if (c->container == nullptr && onScreen(*c)) top.push_back(c);
    }
    std::stable_sort(top.begin(), top.end(), [](const Control* a, const Control* b) {
      const Twips& p = a->layout;
      const Twips& q = b->layout;
      return p.top != q.top ? p.top < q.top : p.left < q.left;
    });
    return top;
  }

  const Form2& form_;
  const TouchMetrics& metrics_;
  TouchArrangement out_;
};

}  // namespace

Arrangement chooseArrangement(ArrangementChoice choice, bool coarsePointer, int availableWidth) {
  switch (choice) {
    case ArrangementChoice::Classic:
      return Arrangement::Classic;
    case ArrangementChoice::Touch:
      return Arrangement::Touch;
    case ArrangementChoice::Auto:
      break;
  }
  return coarsePointer || availableWidth < kClassicWidthPx ? Arrangement::Touch
                                                           : Arrangement::Classic;
}

std::string_view arrangementChoiceName(ArrangementChoice choice) {
  switch (choice) {
    case ArrangementChoice::Classic:
      return "classic";
    case ArrangementChoice::Touch:
      return "touch";
    case ArrangementChoice::Auto:
      break;
  }
  return "auto";
}

std::optional<ArrangementChoice> parseArrangementChoice(std::string_view text) {
  for (ArrangementChoice choice :
       {ArrangementChoice::Auto, ArrangementChoice::Classic, ArrangementChoice::Touch}) {
    if (text == arrangementChoiceName(choice)) return choice;
  }
  return std::nullopt;
}

TouchArrangement touchArrangement(const Form2& form, const TouchMetrics& metrics) {
  return Builder(form, metrics).build();
}

std::vector<const Control*> touchTabOrder(const TouchArrangement& arrangement) {
  std::vector<const Control*> order;
  for (const TouchSection& s : arrangement.sections) {
    for (const Control* c : s.items) {
      if (takesFocus(*c)) order.push_back(c);
    }
  }
  return order;
}

std::string_view sectionKindName(SectionKind kind) {
  switch (kind) {
    case SectionKind::Head:
      return "head";
    case SectionKind::Status:
      return "status";
    case SectionKind::Roll:
      return "roll";
    case SectionKind::Dice:
      return "dice";
    case SectionKind::Charts:
      return "charts";
    case SectionKind::Frame:
      return "frame";
    case SectionKind::Choices:
      return "choices";
    case SectionKind::Checks:
      return "checks";
    case SectionKind::Buttons:
      return "buttons";
    case SectionKind::Picture:
      return "picture";
    case SectionKind::Text:
      return "text";
    case SectionKind::Window:
      return "window";
  }
  return "text";
}

std::string_view pinName(Pin pin) {
  switch (pin) {
    case Pin::Top:
      return "top";
    case Pin::Bottom:
      return "bottom";
    case Pin::None:
      break;
  }
  return "none";
}

std::string touchArrangementJson(const TouchArrangement& arrangement,
                                 const std::vector<Control*>& controls) {
  // Each control's number, found by its address.
  std::vector<std::pair<const Control*, int>> number;
  number.reserve(controls.size());
  for (std::size_t i = 0; i < controls.size(); ++i) {
    number.emplace_back(controls[i], static_cast<int>(i));
  }
  const auto byAddress = [](const std::pair<const Control*, int>& a, const Control* b) {
    return std::less<const Control*>()(a.first, b);
  };
  std::sort(number.begin(), number.end(),
            [&byAddress](const auto& a, const auto& b) { return byAddress(a, b.first); });
  const auto idOf = [&](const Control* c) {
    const auto at = std::lower_bound(number.begin(), number.end(), c, byAddress);
    return at != number.end() && at->first == c ? at->second : -1;
  };
  const auto ids = [&idOf](const std::vector<const Control*>& list) {
    std::string out = "[";
    for (std::size_t i = 0; i < list.size(); ++i) {
      out += (i ? "," : "") + std::to_string(idOf(list[i]));
    }
    return out + "]";
  };
  std::string out = "{\"sections\":[";
  for (std::size_t i = 0; i < arrangement.sections.size(); ++i) {
    const TouchSection& s = arrangement.sections[i];
    out += i ? ",{" : "{";
    out += "\"kind\":\"" + std::string(sectionKindName(s.kind)) + "\"";
    out += ",\"pin\":\"" + std::string(pinName(s.pin)) + "\"";
    out += ",\"frame\":" + std::to_string(s.frame ? idOf(s.frame) : -1);
    out += ",\"items\":" + ids(s.items);
    out += ",\"notes\":" + ids(s.notes);
    out += ",\"columns\":" + std::to_string(s.columns);
    out += ",\"columnWidth\":" + std::to_string(s.columnWidth);
    out += ",\"historyLines\":" + std::to_string(s.historyLines) + "}";
  }
  return out + "]}";
}

}  // namespace vnt
