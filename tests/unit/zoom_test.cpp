// The window's zoom arithmetic: steps, clamping, fitting the screen, and the zoom an edge
// drag gives.

#include "shell/zoom.h"

#include <gtest/gtest.h>

#include <climits>

namespace vnt::zoom {
namespace {

// The main window's designed client area at 96 dpi.
constexpr Size kDesign{562, 582};

TEST(Zoom, StepsRunFromTheSmallestToTheLargestInOrder) {
  ASSERT_FALSE(steps().empty());
  EXPECT_EQ(steps().front(), kMinPercent);
  EXPECT_EQ(steps().back(), kMaxPercent);
  for (std::size_t i = 1; i < steps().size(); ++i) EXPECT_LT(steps()[i - 1], steps()[i]);
  bool hasDefault = false;
  for (int step : steps()) hasDefault = hasDefault || step == kDefaultPercent;
  EXPECT_TRUE(hasDefault);
}

TEST(Zoom, LargerAndSmallerStepAndStopAtTheEnds) {
  struct Case {
    int from;
    int larger;
    int smaller;
  };
  const Case cases[] = {
      {100, 110, 90},   {50, 67, 50},      {300, 300, 250},     {125, 150, 110},
      {101, 110, 100},  {99, 100, 90},     {0, 67, 50},         {-40, 67, 50},
      {1000, 300, 250}, {INT_MIN, 67, 50}, {INT_MAX, 300, 250},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(larger(c.from), c.larger) << c.from;
    EXPECT_EQ(smaller(c.from), c.smaller) << c.from;
  }
  // From the default, Ctrl+Minus goes all the way down and Ctrl+Plus all the way up.
  int percent = kDefaultPercent;
  for (int i = 0; i < 50; ++i) percent = smaller(percent);
  EXPECT_EQ(percent, kMinPercent);
  for (int i = 0; i < 50; ++i) percent = larger(percent);
  EXPECT_EQ(percent, kMaxPercent);
}

TEST(Zoom, ClampKeepsTheRange) {
  const int cases[][2] = {{49, 50},   {50, 50}, {175, 175},     {300, 300},
                          {301, 300}, {-5, 50}, {INT_MAX, 300}, {INT_MIN, 50}};
  for (const auto& c : cases) EXPECT_EQ(clamp(c[0]), c[1]) << c[0];
}

TEST(Zoom, FittedScaleShrinksToTheAvailableAreaInProportion) {
  struct Case {
    int percent;
    Size available;
    Size frame;
    double expected;  // 0: any scale that just fits
  };
  const Case cases[] = {
      // Room enough: the zoom as asked.
      {100, {1920, 1040}, {0, 30}, 1.0},
      {150, {1920, 1040}, {0, 30}, 1.5},
      {50, {800, 600}, {}, 0.5},
      // 200 % desktop scaling on a 1920 x 1080 screen is 960 x 540 logical pixels less a
      // panel: the window must shrink below its designed size.
      {100, {960, 510}, {4, 28}, 0},
      {300, {1920, 1040}, {8, 30}, 0},
      {200, {1600, 1000}, {}, 0},
      // Too small even for the smallest zoom: smaller still, never off screen.
      {50, {200, 200}, {}, 0},
      // No screen known.
      {150, {0, 0}, {}, 1.5},
      {-20, {0, 0}, {}, 0.5},
      {5000, {0, 0}, {}, 3.0},
  };
  for (const Case& c : cases) {
    const double scale = fittedScale(c.percent, kDesign, c.available, c.frame);
    if (c.expected > 0) {
      EXPECT_DOUBLE_EQ(scale, c.expected) << c.percent;
      continue;
    }
    const Size size = scaled(kDesign, scale);
    EXPECT_LE(size.width + c.frame.width, c.available.width) << c.percent;
    EXPECT_LE(size.height + c.frame.height, c.available.height) << c.percent;
    EXPECT_LT(scale, clamp(c.percent) / 100.0) << c.percent;
    // Not needlessly small: one step of rounding from filling one side.
    const Size room{c.available.width - c.frame.width, c.available.height - c.frame.height};
    EXPECT_TRUE(room.width - size.width <= 2 || room.height - size.height <= 2)
        << c.percent << ": " << size.width << "x" << size.height;
  }
}

TEST(Zoom, ADraggedEdgeGivesTheLargestZoomThatFits) {
  struct Case {
    Size client;
    int percent;
  };
  const Case cases[] = {
      {kDesign, 100},    {{1124, 1164}, 200}, {{1686, 1746}, 300}, {{281, 291}, 50},
      {{843, 873}, 150}, {{1124, 700}, 120},  {{5000, 5000}, 300}, {{100, 100}, 50},
      {{0, 0}, 50},      {{-10, 900}, 50},    {{600, 582}, 100},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(percentForSize(c.client, kDesign), c.percent)
        << c.client.width << "x" << c.client.height;
  }
  EXPECT_EQ(percentForSize({100, 100}, {0, 0}), kDefaultPercent);
}

TEST(Zoom, ScaledSizesRoundToWholePixels) {
  const struct {
    double scale;
    Size size;
  } cases[] = {{1.0, {562, 582}}, {0.5, {281, 291}}, {2.0, {1124, 1164}}, {1.5, {843, 873}}};
  for (const auto& c : cases) {
    const Size size = scaled(kDesign, c.scale);
    EXPECT_EQ(size.width, c.size.width);
    EXPECT_EQ(size.height, c.size.height);
  }
}

}  // namespace
}  // namespace vnt::zoom
