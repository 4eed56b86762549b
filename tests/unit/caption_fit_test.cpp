// Which caption shows at which size and where it is cut, measured with a font of fixed-width
// characters so every figure can be worked out by hand.

#include "shell/caption_fit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "shell/control.h"

namespace vnt {
namespace {

const std::string kEllipsis = "\u2026";

// Every character (UTF-16 unit) is `points` pixels wide and a line is twice that high;
// lines break at '\n' and, where they may, at blanks, and a word longer than a line sticks
// out of it, as the toolkits do.
class FixedWidthMeasurer final : public TextMeasurer {
 public:
  TextExtent extent(std::string_view text, double points, const CaptionPlace& place) override {
    ++extents;
    std::vector<std::size_t> lines{0};
    std::size_t word = 0;  // the units of the word being read
    const auto endWord = [&] {
      std::size_t& line = lines.back();
      const std::size_t joined = line == 0 ? word : line + 1 + word;
      if (line > 0 && !place.singleLine && pixels(joined, points) > place.width) {
        lines.push_back(word);
      } else {
        line = joined;
      }
      word = 0;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
      const char c = text[i];
      if (place.accessKeys && c == '&' && i + 1 < text.size()) {
        ++i;  // "&&" is one '&', and '&' before a letter marks it
        ++word;
      } else if (c == ' ' || (c == '\n' && place.singleLine)) {
        endWord();
      } else if (c == '\n') {
        endWord();
        lines.push_back(0);
      } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
        word += (static_cast<unsigned char>(c) >= 0xF0) ? 2 : 1;
      }
    }
    endWord();
    const std::size_t widest = *std::max_element(lines.begin(), lines.end());
    return {pixels(widest, points), static_cast<int>(lines.size()) * spacing(points)};
  }

  int lineSpacing(double points) override {
    ++lineSpacings;
    return spacing(points);
  }

  static int spacing(double points) { return static_cast<int>(std::ceil(2 * points)); }

  static int pixels(std::size_t units, double points) {
    return static_cast<int>(std::ceil(static_cast<double>(units) * points));
  }

  int extents = 0;
  int lineSpacings = 0;
};

CaptionPlace wrapped(int width, int height) {
  return {width, height, false, false};
}

TEST(CaptionFit, FloorIsSevenTenthsButNotBelowFivePoints) {
  const struct {
    double points;
    double floor;
  } cases[] = {{8, 5.6}, {10, 7}, {12, 8.4}, {7, 5}, {5, 5}, {0, 0}, {-1, -1}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(floorSize(c.points), c.floor) << c.points;
}

TEST(CaptionFit, TheLargestSizeThatFitsIsChosenStepByStep) {
  // "Stealing" is 8 units: 64 px at 8 points, 60 at 7.5, 56 at 7, 48 at 6.
  const struct {
    int width;
    double points;
  } cases[] = {
      {64, 8},   {100, 8},   // fits at its own size
      {63, 7.5}, {60, 7.5},  // half a point smaller
      {56, 7},               // a point smaller
      {48, 6},               // the last step above the floor of 5.6
      {47, 6},               // nothing fits: the last size tried
  };
  for (const auto& c : cases) {
    FixedWidthMeasurer measurer;
    EXPECT_DOUBLE_EQ(fittingSize("Stealing", 8, wrapped(c.width, 16), measurer), c.points)
        << c.width;
  }
}

TEST(CaptionFit, NothingToFitKeepsTheSize) {
  FixedWidthMeasurer measurer;
  EXPECT_EQ(fittingSize("", 8, wrapped(10, 10), measurer), 8);
  EXPECT_EQ(fittingSize("Stealing", 8, wrapped(0, 16), measurer), 8);
  EXPECT_EQ(fittingSize("Stealing", 8, wrapped(10, 0), measurer), 8);
  EXPECT_EQ(fittingSize("Stealing", 0, wrapped(10, 16), measurer), 0);  // not sized in points
  EXPECT_EQ(measurer.extents, 0);
}

TEST(CaptionFit, ACaptionThatFitsIsShownWholeAtItsOwnSize) {
  FixedWidthMeasurer measurer;
  const FittedCaption fitted = fitCaption("Boston", 8, wrapped(120, 16), measurer);
  EXPECT_EQ(fitted.text, "Boston");
  EXPECT_EQ(fitted.points, 8);
  // No longer than one line of its place: no limit is measured for it.
  EXPECT_EQ(measurer.lineSpacings, 0);
  EXPECT_EQ(measurer.extents, 1);
}

TEST(CaptionFit, ACaptionTooLongEvenAtTheFloorIsCutWithAnEllipsis) {
  const struct {
    std::string text;
    CaptionPlace place;
    std::string shown;
  } cases[] = {
      // At 6 points (the last step) 10 units fit in 60 px: 9 letters and "…".
      {"Candlestick Park", wrapped(60, 16), "Candlesti" + kEllipsis},
      // Two lines of 12 px at 6 points; the words wrap and the end is cut.
      {"Veterans Stadium Philadelphia", wrapped(60, 24), "Veterans Stadium P" + kEllipsis},
      // A frame's title stays on one line.
      {"Veterans Stadium", {60, 100, true, false}, "Veterans " + kEllipsis},
      // Too narrow for a single character: only the ellipsis.
      {"Shea", wrapped(5, 16), kEllipsis},
  };
  for (const auto& c : cases) {
    FixedWidthMeasurer measurer;
    const FittedCaption fitted = fitCaption(c.text, 8, c.place, measurer);
    EXPECT_EQ(fitted.text, c.shown) << c.text;
    EXPECT_EQ(fitted.points, 6) << c.text;
  }
}

TEST(CaptionFit, TheCutNeverSplitsACharacter) {
  // "é" is one unit in two bytes, "𝄞" two units in four bytes.
  const struct {
    std::string text;
    std::string shown;
  } cases[] = {
      {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", "\xC3\xA9\xC3\xA9\xC3\xA9" + kEllipsis},
      // three units of room before the ellipsis: one whole "𝄞" and not half of the next
      {"a\xF0\x9D\x84\x9E\xF0\x9D\x84\x9E", "a\xF0\x9D\x84\x9E" + kEllipsis},
  };
  for (const auto& c : cases) {
    FixedWidthMeasurer measurer;
    // 4 units at 6 points fit in 24 px, or 3 units and the ellipsis.
    const FittedCaption fitted = fitCaption(c.text, 8, wrapped(24, 12), measurer);
    EXPECT_EQ(fitted.text, c.shown) << c.text;
  }
}

TEST(CaptionFit, MultiLineLabelsShrinkBeforeTheyAreCut) {
  EXPECT_EQ(labelLines("\r\r\r\r\rHolds\r\rRunner"), "Holds\n\nRunner");
  EXPECT_EQ(labelLines("Catcher's Arm\r\nPitcher's Steal Rating"),
            "Catcher's Arm\nPitcher's Steal Rating");
  EXPECT_EQ(labelLines("\r\r"), "");
  EXPECT_EQ(labelLines(""), "");

  const std::string label = labelLines("\r\rSafe\rOut at 2nd");  // 2 lines, 10 units wide
  const struct {
    int width;
    int height;
    double points;
    std::string shown;
  } cases[] = {
      {80, 32, 8, label},               // two lines of 16 px
      {80, 30, 7.5, label},             // 15 px lines at 7.5 points
      {60, 24, 6, label},               // the last step
      {60, 12, 6, "Safe" + kEllipsis},  // one line left at the floor
      {40, 36, 6, label},               // words wrap onto a third line
  };
  for (const auto& c : cases) {
    FixedWidthMeasurer measurer;
    const FittedCaption fitted = fitCaption(label, 8, wrapped(c.width, c.height), measurer);
    EXPECT_EQ(fitted.points, c.points) << c.width << "x" << c.height;
    EXPECT_EQ(fitted.text, c.shown) << c.width << "x" << c.height;
  }
}

TEST(CaptionFit, AccessKeyMarksTakeNoRoomWhereTheyAreAccessKeys) {
  // "&Continue" reads "Continue": 8 units, 64 px at 8 points, when '&' marks the key.
  FixedWidthMeasurer measurer;
  EXPECT_EQ(fittingSize("&Continue", 8, {64, 16, false, true}, measurer), 8);
  EXPECT_EQ(fittingSize("&Continue", 8, {64, 16, false, false}, measurer), 7);
  EXPECT_EQ(fittingSize("A&&M", 8, {24, 16, false, true}, measurer), 8);  // "A&M"
}

TEST(CaptionFit, ACutNeverEndsInAnAccessKeyMark) {
  // 4 units at 6 points fit in 24 px: 3 and the ellipsis. Where '&' marks keys, a cut after
  // the first '&' of "&&" (a name's '&') or after a mark would make "…" the access key.
  const struct {
    std::string text;
    bool accessKeys;
    std::string shown;
  } cases[] = {
      {"ABC&&DEFG", true, "ABC" + kEllipsis},      // "ABC&" would split the pair
      {"AB&&CDEFG", true, "AB&&" + kEllipsis},     // the pair is one '&': kept whole
      {"ABC&DEFGH", true, "ABC" + kEllipsis},      // "ABC&" would mark the ellipsis
      {"AB&&&CDEF", true, "AB&&" + kEllipsis},     // a pair, then a mark
      {"&&&&&&&&&&", true, "&&&&&&" + kEllipsis},  // pairs only
      {"AB&CDEFGH", false, "AB&" + kEllipsis},     // a result text shows every '&'
  };
  for (const auto& c : cases) {
    FixedWidthMeasurer measurer;
    const FittedCaption fitted = fitCaption(c.text, 8, {24, 12, false, c.accessKeys}, measurer);
    EXPECT_EQ(fitted.text, c.shown) << c.text;
  }
}

TEST(CaptionFit, CaptionLinesEndInLineFeeds) {
  EXPECT_EQ(captionLines("a\rb\r\nc"), "a\nb\nc");
  EXPECT_EQ(captionLines("a\n\rb\r"), "a\n\nb\n");
  EXPECT_EQ(captionLines("forced at 3rd unless H&R"), "forced at 3rd unless H&R");
}

Control captioned(std::string caption, bool literal) {
  Control control;
  control.kind = ControlKind::Option;
  control.caption = std::move(caption);
  control.literalCaption = literal;
  return control;
}

TEST(CaptionFit, AWidgetsCaptionIsCutToWhatItsPlaceCouldEverShow) {
  // 50 px wide: 51 one-pixel characters a line; 20 px high at 8 points, whose floor of 5.6
  // has 12 px lines: 2 lines, 102 units in all.
  const CaptionPlace place = wrapped(50, 20);
  const struct {
    std::string caption;
    bool literal;
    std::string shown;
    int lineSpacings;  // 0: short enough to need no measuring
  } cases[] = {
      {"Boston", false, "Boston", 0},
      {"&Cancel", false, "&Cancel", 0},  // the program's own access key stays
      {"A&M", true, "A&&M", 0},          // a name's '&' is a character
      {"Cleveland & Co", true, "Cleveland && Co", 0},
      {"line\r\nnext", false, "line\nnext", 0},
      {std::string(102, 'W'), false, std::string(102, 'W'), 1},
      {std::string(103, 'W'), false, std::string(102, 'W') + kEllipsis, 1},
      {std::string(1024 * 1024, 'W'), false, std::string(102, 'W') + kEllipsis, 1},
      {std::string(200, '&'), true, std::string(204, '&') + kEllipsis, 1},
  };
  for (const auto& c : cases) {
    FixedWidthMeasurer measurer;
    EXPECT_EQ(widgetCaption(captioned(c.caption, c.literal), place, 8, measurer), c.shown)
        << c.caption.substr(0, 20);
    EXPECT_EQ(measurer.lineSpacings, c.lineSpacings) << c.caption.substr(0, 20);
    EXPECT_EQ(measurer.extents, 0);  // a widget's caption is never laid out to cut it
  }
  // Three lines of 51: 153 units, which a cut of two-unit characters cannot split.
  std::string clefs;
  for (int i = 0; i < 100; ++i) clefs += "\xF0\x9D\x84\x9E";
  FixedWidthMeasurer measurer;
  EXPECT_EQ(widgetCaption(captioned(clefs, false), wrapped(50, 24), 8, measurer),
            clefs.substr(0, 76 * 4) + kEllipsis);
}

TEST(CaptionFit, ACutWidgetCaptionIsCutAgainWhenDrawn) {
  FixedWidthMeasurer measurer;
  const CaptionPlace place = wrapped(50, 20);
  const std::string caption =
      widgetCaption(captioned(std::string(5000, 'W'), false), place, 8, measurer);
  const FittedCaption fitted = fitCaption(caption, 8, place, measurer);
  EXPECT_EQ(fitted.points, 6);
  // 8 units of 6 px a line, one line of 12 px in 20: 7 letters and "…".
  EXPECT_EQ(fitted.text, std::string(7, 'W') + kEllipsis);
}

}  // namespace
}  // namespace vnt
