// Where a restored window goes: within reach of today's monitors, in screen
// coordinates whatever the taskbar's side.
#include "app/desktop/window_position.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// One rule for every place the window is put: each row names the fault a
// wrong result would mean.
TEST(WindowPosition, EveryPlaceLeavesAGripOnAWorkArea) {
  const RECT kScreen[] = {{0, 0, 1600, 1200}};
  // A shorter, lower monitor left of the primary one; a taskbar along the primary's bottom.
  const RECT kDesk[] = {{-1280, 176, 0, 1200}, {0, 0, 1600, 1160}};
  const SIZE kPlayer{380, 124};
  const SIZE kHuge{2000, 1500};
  struct Case {
    const char* fault;
    const RECT* areas;
    int count;
    POINT wanted;
    SIZE size;
    POINT expected;
  } cases[] = {
      {"moved although wholly on the screen", kScreen, 1, {100, 100}, kPlayer, {100, 100}},
      {"moved with exactly a grip at the right", kScreen, 1, {1568, 100}, kPlayer, {1568, 100}},
      {"31 px at the right kept", kScreen, 1, {1569, 100}, kPlayer, {1568, 100}},
      {"31 px at the left kept", kScreen, 1, {-349, 100}, kPlayer, {-348, 100}},
      {"PositionX=1600, at the right edge, kept", kScreen, 1, {1600, 100}, kPlayer, {1220, 100}},
      {"PositionX=-380, at the left edge, kept", kScreen, 1, {-380, 100}, kPlayer, {0, 100}},
      {"PositionY=1200, at the bottom edge, kept", kScreen, 1, {100, 1200}, kPlayer, {100, 1076}},
      {"PositionY=-124, at the top edge, kept", kScreen, 1, {100, -124}, kPlayer, {100, 0}},
      {"1600,1200, at the corner, kept", kScreen, 1, {1600, 1200}, kPlayer, {1220, 1076}},
      {"INT_MAX overflowed", kScreen, 1, {INT_MAX, INT_MAX}, kPlayer, {1220, 1076}},
      {"2147483520 overflowed with the width", kScreen, 1, {2147483520, 2147483520}, kPlayer, {1220, 1076}},
      {"INT_MIN overflowed", kScreen, 1, {INT_MIN, INT_MIN}, kPlayer, {0, 0}},
      {"a larger window at a sliver not pulled back", kScreen, 1, {-1990, 0}, kHuge, {-1968, 0}},
      {"a larger window far off without its top-left on the screen", kScreen, 1, {5000, 5000}, kHuge, {0, 0}},
      {"a one-row skin at the bottom edge kept", kScreen, 1, {0, 1200}, {16384, 1}, {0, 1199}},
      {"moved on the monitor left of the primary", kDesk, 2, {-1000, 500}, kPlayer, {-1000, 500}},
      {"left of the left monitor not brought onto it", kDesk, 2, {-1700, 500}, kPlayer, {-1280, 500}},
      {"above the left monitor's top taken to the primary", kDesk, 2, {-1000, 0}, kPlayer, {-1000, 176}},
      {"under the taskbar (the work area's edge) kept", kDesk, 2, {100, 1160}, kPlayer, {100, 1036}},
      {"moved without work areas", kDesk, 0, {5000, 5000}, kPlayer, {5000, 5000}},
  };
  for (const Case& c : cases) {
    POINT p = ReachablePosition(c.wanted, c.size, c.areas, c.count);
    EXPECT_EQ(p.x, c.expected.x) << c.fault;
    EXPECT_EQ(p.y, c.expected.y) << c.fault;
  }
}

TEST(WindowPosition, WorkspaceCoordinatesBecomeScreenCoordinates) {
  const RECT monitor = {0, 0, 1280, 1024};
  RECT normal = {100, 50, 180, 90};
  RECT topTaskbar = WorkspaceToScreen(normal, {0, 40, 1280, 1024}, monitor);
  EXPECT_EQ(topTaskbar.top, 90) << "a taskbar at the top must not creep the window up";
  RECT leftTaskbar = WorkspaceToScreen(normal, {60, 0, 1280, 1024}, monitor);
  EXPECT_EQ(leftTaskbar.left, 160);
  RECT bottomTaskbar = WorkspaceToScreen(normal, {0, 0, 1280, 984}, monitor);
  EXPECT_EQ(bottomTaskbar.left, 100);
  EXPECT_EQ(bottomTaskbar.top, 50);
}

}  // namespace
