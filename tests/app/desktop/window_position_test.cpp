// Where a restored window goes: within reach of today's monitors, in screen
// coordinates whatever the taskbar's side.
#include "app/desktop/window_position.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(WindowPosition, ARestoredWindowStaysWithinReach) {
  const RECT primary = {0, 0, 1280, 1000};
  const RECT right = {1280, 0, 2560, 1024};
  const RECT both[] = {primary, right};
  struct Case {
    const char* name;
    RECT window;
    POINT expected;
  } cases[] = {
      {"on screen", {100, 100, 180, 140}, {100, 100}},
      {"partly off the left edge", {-70, 10, 10, 50}, {-70, 10}},
      {"on the second monitor", {2000, 500, 2080, 540}, {2000, 500}},
      {"PositionX=99999", {99999, 100, 100079, 140}, {2480, 100}},
      {"PositionY missing", {100, INT_MIN, 180, INT_MIN + 40}, {100, 0}},
      {"a monitor since removed, above", {300, -900, 380, -860}, {300, 0}},
      {"below the bottom", {10, 5000, 90, 5040}, {10, 960}},
  };
  for (const Case& c : cases) {
    POINT p = ReachablePosition(c.window, both, 2);
    EXPECT_EQ(p.x, c.expected.x) << c.name;
    EXPECT_EQ(p.y, c.expected.y) << c.name;
  }
  // A window larger than the work area keeps its top-left corner visible.
  POINT big = ReachablePosition({5000, 5000, 7000, 7000}, &primary, 1);
  EXPECT_EQ(big.x, 0);
  EXPECT_EQ(big.y, 0);
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
