#include "shell/caption_fit.h"

#include <algorithm>

#include "shell/control.h"

namespace vnt {
namespace {

constexpr std::string_view kEllipsis = "\u2026";

bool isContinuation(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The bytes of the UTF-8 sequence starting at text[at], and the UTF-16 units it makes.
// A byte that starts no whole sequence stands alone, as one unit.
struct Sequence {
  std::size_t bytes;
  std::size_t units;
};
Sequence sequenceAt(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const std::size_t bytes = lead < 0x80           ? 1
                            : (lead >> 5) == 0x6  ? 2
                            : (lead >> 4) == 0xE  ? 3
                            : (lead >> 3) == 0x1E ? 4
                                                  : 1;
  if (bytes == 1 || at + bytes > text.size()) return {1, 1};
  for (std::size_t i = 1; i < bytes; ++i) {
    if (!isContinuation(text[at + i])) return {1, 1};
  }
  return {bytes, bytes == 4 ? 2u : 1u};
}

std::size_t unitLength(std::string_view text) {
  std::size_t units = 0;
  for (std::size_t at = 0; at < text.size();) {
    const Sequence s = sequenceAt(text, at);
    at += s.bytes;
    units += s.units;
  }
  return units;
}

// The longest beginning of at most `units` UTF-16 units that splits no character.
std::string_view beginning(std::string_view text, std::size_t units) {
  std::size_t at = 0;
  std::size_t taken = 0;
  while (at < text.size()) {
    const Sequence s = sequenceAt(text, at);
    if (taken + s.units > units) break;
    at += s.bytes;
    taken += s.units;
  }
  return text.substr(0, at);
}

// The beginning of at most `units` UTF-16 units as cut before an ellipsis. Where '&' marks
// access keys, an odd run of '&' at its end would end in a mark and make "…" the access key (or
// split "&&", a name's '&'): the last '&' goes with the cut.
std::string_view cutBeginning(std::string_view text, std::size_t units, const CaptionPlace& place) {
  std::string_view begun = beginning(text, units);
  if (!place.accessKeys) return begun;
  std::size_t marks = 0;
  while (marks < begun.size() && begun[begun.size() - 1 - marks] == '&') ++marks;
  if (marks % 2 == 1) begun.remove_suffix(1);
  return begun;
}

bool fits(std::string_view text, double points, const CaptionPlace& place, TextMeasurer& measurer) {
  const TextExtent need = measurer.extent(text, points, place);
  return need.width <= place.width && need.height <= place.height;
}

std::string withEllipsis(std::string_view text) {
  std::string out;
  out.reserve(text.size() + kEllipsis.size());
  out.append(text);
  out.append(kEllipsis);
  return out;
}

}  // namespace

double floorSize(double points) {
  return points > 0 ? std::max(5.0, points * 0.7) : points;
}

std::size_t visibleLimit(std::size_t length, const CaptionPlace& place, double points,
                         TextMeasurer& measurer) {
  // One line of one-pixel characters is the least the limit can be, whatever the font.
  const auto perLine = static_cast<std::size_t>(std::max(0, place.width)) + 1;
  if (length <= perLine || place.singleLine) return perLine;
  const int lineSpacing = std::max(1, measurer.lineSpacing(floorSize(points)));
  const int lines = std::max(1, place.height / lineSpacing + 1);
  return perLine * static_cast<std::size_t>(lines);
}

std::string captionLines(std::string_view caption) {
  std::string lines;
  lines.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '\r') {
      lines += caption[i];
    } else {
      lines += '\n';
      if (i + 1 < caption.size() && caption[i + 1] == '\n') ++i;
    }
  }
  return lines;
}

std::string labelLines(std::string_view caption) {
  std::string lines = captionLines(caption);
  lines.erase(0, std::min(lines.size(), lines.find_first_not_of('\n')));
  return lines;
}

std::string widgetCaption(const Control& control, const CaptionPlace& place, double points,
                          TextMeasurer& measurer) {
  // Each byte is at most one unit, so the byte count will do to see that a caption is short.
  const std::size_t limit = visibleLimit(control.caption.size(), place, points, measurer);
  // Each unit takes at most four bytes: converting more would be wasted work.
  std::string_view caption = control.caption;
  bool cut = false;
  if (caption.size() > limit * 4) {
    std::size_t end = limit * 4;
    while (end > 0 && isContinuation(caption[end])) --end;
    caption = caption.substr(0, end);
    cut = true;
  }
  std::string text = captionLines(caption);
  if (unitLength(text) > limit) {
    text.resize(beginning(text, limit).size());
    cut = true;
  }
  if (cut) text += kEllipsis;
  if (!control.literalCaption) return text;
  std::string doubled;
  doubled.reserve(text.size() + 8);
  for (const char c : text) {
    doubled += c;
    if (c == '&') doubled += '&';
  }
  return doubled;
}

double fittingSize(std::string_view text, double points, const CaptionPlace& place,
                   TextMeasurer& measurer) {
  if (points <= 0 || text.empty() || place.width <= 0 || place.height <= 0) return points;
  const double floor = floorSize(points);
  double size = points;
  for (double s = points; s >= floor; s -= kCaptionSizeStep) {
    size = s;
    if (fits(text, s, place, measurer)) return s;
  }
  return size;
}

FittedCaption fitCaption(std::string_view text, double points, const CaptionPlace& place,
                         TextMeasurer& measurer) {
  const std::size_t length = unitLength(text);
  const std::size_t limit = visibleLimit(length, place, points, measurer);
  const std::string shown =
      length > limit ? withEllipsis(cutBeginning(text, limit, place)) : std::string(text);
  const double fitted = fittingSize(shown, points, place, measurer);
  // The size is kept when the text fits; at a smaller size it may still not.
  if (fitted >= points || shown.empty() || fits(shown, fitted, place, measurer)) {
    return {fitted, shown};
  }
  // The longest beginning that fits with the ellipsis after it.
  std::size_t low = 0;
  std::size_t high = unitLength(shown);
  while (low < high) {
    const std::size_t mid = (low + high + 1) / 2;
    if (fits(withEllipsis(cutBeginning(shown, mid, place)), fitted, place, measurer)) {
      low = mid;
    } else {
      high = mid - 1;
    }
  }
  return {fitted, withEllipsis(cutBeginning(shown, low, place))};
}

}  // namespace vnt
