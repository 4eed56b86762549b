// Where the odds and game log windows open beside the main window, and where a saved place
// comes back, on screens with room and on crowded ones.

#include "shell/window_placement.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vnt::placement {
namespace {

std::string text(const Rect& r) {
  return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) + "x" +
         std::to_string(r.height);
}

// A 1920 x 1080 screen with a 40-pixel panel at the bottom.
constexpr Rect kFullHd{0, 0, 1920, 1040};
// The same screen at 200 % desktop scaling, in logical pixels.
constexpr Rect kFullHd200{0, 0, 960, 540};

TEST(WindowPlacement, BesideTheMainWindowOnTheScreenNeverOverIt) {
  struct Case {
    const char* name;
    Request request;
    Rect expected;
  };
  const Case cases[] = {
      {"room on its own side, the right",
       {{100, 100, 562, 610}, kFullHd, {}, {400, 610}, {200, 200}},
       {670, 100, 400, 610}},
      {"room on its own side, the left",
       {{700, 100, 562, 610}, kFullHd, {}, {480, 610}, {320, 200}, Side::Left},
       {212, 100, 480, 610}},
      {"no room on the left: the right",
       {{100, 100, 562, 610}, kFullHd, {}, {480, 610}, {320, 200}, Side::Left},
       {670, 100, 480, 610}},
      {"a narrow room is filled, down to the minimum",
       {{0, 100, 1600, 610}, kFullHd, {}, {400, 610}, {200, 200}},
       {1608, 100, 312, 610}},
      {"no room on either side: below, as tall as the room there",
       {{200, 0, 1520, 500}, kFullHd, {}, {400, 610}, {200, 200}},
       {200, 508, 400, 532}},
      {"nor below: above",
       {{200, 600, 1520, 440}, kFullHd, {}, {400, 610}, {200, 200}},
       {200, 0, 400, 592}},
      {"taller than the screen: as tall as its free area",
       {{100, 100, 562, 610}, {0, 0, 1280, 700}, {}, {400, 1164}, {200, 200}},
       {670, 0, 400, 700}},
      {"a main window low on the screen: kept on it",
       {{100, 700, 562, 610}, kFullHd, {}, {400, 610}, {200, 200}},
       {670, 430, 400, 610}},
      {"a screen left of the primary one",
       {{-1500, 50, 562, 610}, {-1920, 0, 1920, 1080}, {}, {480, 610}, {320, 200}, Side::Left},
       {-1920, 50, 412, 610}},
      {"the other tool window on the right, no room below: beside it",
       {{100, 100, 562, 900}, kFullHd, {{670, 100, 400, 610}}, {480, 610}, {320, 200}},
       {1078, 100, 480, 610}},
      {"the other tool window where the game log would go: the other side",
       {{700, 100, 562, 610}, kFullHd, {{212, 100, 480, 610}}, {400, 610}, {200, 200}, Side::Left},
       {1270, 100, 400, 610}},
      {"at 200 %, the main window at the left: the odds fill the room on the right",
       {{0, 0, 519, 540}, kFullHd200, {}, {400, 540}, {200, 200}},
       {527, 0, 400, 540}},
      {"at 200 %, the room taken by the odds: over them rather than over the main window",
       {{0, 0, 519, 540}, kFullHd200, {{527, 0, 400, 540}}, {480, 540}, {320, 200}, Side::Left},
       {527, 0, 433, 540}},
      {"no room anywhere: over the main window at the screen's edge",
       {{0, 0, 960, 540}, kFullHd200, {}, {480, 600}, {320, 200}, Side::Left},
       {0, 0, 480, 540}},
  };
  for (const Case& c : cases) {
    const Rect got = besideMain(c.request);
    EXPECT_EQ(got, c.expected) << c.name << ": got " << text(got);
    EXPECT_TRUE(c.request.available.contains(got)) << c.name << ": got " << text(got);
  }
}

TEST(WindowPlacement, ASavedPlaceComesBackWhole) {
  struct Case {
    const char* name;
    Rect saved;
    Rect expected;
  };
  const Case cases[] = {
      {"on the screen: as it was", {500, 100, 400, 300}, {500, 100, 400, 300}},
      {"larger than the screen: capped at it", {-50, 20, 4000, 4000}, {0, 0, 960, 540}},
      {"hanging off the right and bottom: moved in", {800, 400, 400, 300}, {560, 240, 400, 300}},
      {"off the left and top: moved in", {-30, -10, 400, 300}, {0, 0, 400, 300}},
  };
  for (const Case& c : cases) {
    const Rect got = onScreen(c.saved, kFullHd200);
    EXPECT_EQ(got, c.expected) << c.name << ": got " << text(got);
  }
}

}  // namespace
}  // namespace vnt::placement
