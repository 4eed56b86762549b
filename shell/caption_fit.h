#pragma once

// Which caption shows at which size, and where it is cut. A caption that does not fit its
// place at its font's size is drawn a little smaller, down to a floor; one that does not fit
// even there is cut, and "…" ends it. Ballpark names come from files and have no length
// limit, so nothing lays out more text than a place could ever show.
//
// The front end measures text (TextMeasurer) and these rules decide. Lengths count UTF-16
// code units, as the strings of both front ends do: a character beyond the Basic
// Multilingual Plane counts two, and a cut never splits one.

#include <cstddef>
#include <string>
#include <string_view>

namespace vnt {

struct Control;

// How a caption is laid out in its place, in pixels.
struct CaptionPlace {
  int width = 0;
  int height = 0;
  // One line only (a frame's title); otherwise lines break at blanks and at '\n'.
  bool singleLine = false;
  // '&' marks the access key after it and "&&" stands for one '&', as on buttons; otherwise
  // every '&' is shown, as in result labels.
  bool accessKeys = false;
};

struct TextExtent {
  int width = 0;
  int height = 0;
};

// A caption's font as the front end draws it, at any point size.
class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  // The room `text` needs laid out as `place` says, its lines no wider than place.width
  // where they may break, at `points` (0 or less: the font's own size, which is not given
  // in points).
  virtual TextExtent extent(std::string_view text, double points, const CaptionPlace& place) = 0;
  // The distance from one line to the next at `points`.
  virtual int lineSpacing(double points) = 0;
};

// The smallest size a caption drawn at `points` is shrunk to: seven tenths, never below 5
// points. A font not sized in points is never shrunk.
double floorSize(double points);

// The size captions are shrunk by, a step at a time, from their own size to the floor.
inline constexpr double kCaptionSizeStep = 0.5;

// More UTF-16 units than `place` could show at the floor of `points`, even were each one
// pixel wide: anything past this is never seen, so it need never be laid out. A caption of
// at most `length` units needs no measuring for it when it is no longer than one line of
// one-pixel characters; the limit is then that line.
std::size_t visibleLimit(std::size_t length, const CaptionPlace& place, double points,
                         TextMeasurer& measurer);

// '\r' alone or before '\n' separates a caption's lines; both become '\n'.
std::string captionLines(std::string_view caption);

// A label's lines as drawn: result texts may open with blank lines meant to carry them below
// the rating buttons of their frame, and the front end places the label below those already.
std::string labelLines(std::string_view caption);

// The caption a control's widget is given: its lines (see captionLines) cut to what `place`
// could show at the floor of `points`, ended with "…" when cut, and with every '&' doubled
// when the caption is data rather than one of the program's own texts.
std::string widgetCaption(const Control& control, const CaptionPlace& place, double points,
                          TextMeasurer& measurer);

// The largest size from `points` down to its floor, a step at a time, at which `text` fits
// `place`; the last size tried when none does. `points` itself for an empty text or place.
double fittingSize(std::string_view text, double points, const CaptionPlace& place,
                   TextMeasurer& measurer);

// A caption as drawn in `place`: at the size fittingSize chooses, and when even the floor
// does not fit, the longest beginning that does, ended with "…".
struct FittedCaption {
  double points = 0;
  std::string text;
};
FittedCaption fitCaption(std::string_view text, double points, const CaptionPlace& place,
                         TextMeasurer& measurer);

}  // namespace vnt
