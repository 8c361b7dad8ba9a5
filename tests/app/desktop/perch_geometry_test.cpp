// Where a perching player goes, as a plain function of the target's
// rectangle, the player's size, osuwariXPer, osuwariBaseLine and the work
// area of the target's monitor.
#include "app/desktop/perch_geometry.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(PerchGeometry, CentreGoesAcrossTheTargetAndTheBaseLineOnItsTopEdge) {
  const RECT kTarget{100, 200, 500, 500};
  const SIZE kPlayer{80, 60};
  struct Case {
    const char* fault;  // what a wrong result would mean
    RECT target;
    SIZE player;
    int xPer;
    int baseLine;
    POINT expected;
  } cases[] = {
      {"lowest ten rows not on the title bar", kTarget, kPlayer, 90, -1, {420, 150}},
      {"skin's base line ignored", kTarget, kPlayer, 90, 30, {420, 170}},
      {"a base line of 0 taken for none", kTarget, kPlayer, 90, 0, {420, 200}},
      {"0 % not centred on the left edge", kTarget, kPlayer, 0, -1, {60, 150}},
      {"100 % not centred on the right edge", kTarget, kPlayer, 100, -1, {460, 150}},
      {"3 x 50 / 100 not rounded toward zero", {10, 50, 13, 80}, kPlayer, 50, -1, {10 + 1 - 40, 0}},
      {"negative percent rounded down instead of toward zero", {10, 50, 13, 80}, kPlayer, -50, -1,
       {10 - 1 - 40, 0}},
      {"odd player width not halved toward zero", kTarget, {81, 61}, 90, -1, {420, 149}},
      {"7 x 10 / 100 rounded to the nearest", {0, 0, 7, 30}, {10, 20}, 10, -1, {0 - 5, -10}},
      {"a target left of and above the main screen", {-500, -300, -100, 0}, kPlayer, 90, -1, {-180, -350}},
      {"extreme settings overflowed", {0, 0, 3000, 10}, kPlayer, INT_MAX, INT_MIN, {INT_MAX, INT_MAX}},
  };
  for (const Case& c : cases) {
    POINT at = PerchPosition(c.target, c.player, c.xPer, c.baseLine, RECT{});
    EXPECT_EQ(at.x, c.expected.x) << c.fault;
    EXPECT_EQ(at.y, c.expected.y) << c.fault;
  }
}

// Catches: a player perched wholly above the screen on a target taller than
// it, cut off on a maximised target, carried off the screen with a target
// far outside it, kept on the wrong monitor, or no longer perching at all.
TEST(PerchGeometry, ThePlayerStaysOnTheWorkAreaOfTheTargetsMonitor) {
  const RECT kScreen{0, 0, 1280, 1024};
  const SIZE kPlayer{80, 124};  // no base line: it sinks 10 rows, 114 above the target
  struct Case {
    const char* fault;
    RECT target;
    RECT workArea;
    POINT expected;
  } cases[] = {
      {"moved although it fits", {100, 200, 500, 500}, kScreen, {100 + 360 - 40, 200 - 114}},
      {"above the screen on a target taller than it", {410, -300, 910, 1300}, kScreen, {410 + 450 - 40, 0}},
      {"cut off on a maximised target", {-8, -8, 1288, 1032}, kScreen, {-8 + 1166 - 40, 0}},
      {"off the left with a target far outside", {-2000, 300, -1600, 600}, kScreen, {0, 300 - 114}},
      {"off the right at 90 %", {1200, 300, 1600, 600}, kScreen, {1280 - 80, 300 - 114}},
      {"off the bottom with a target below the screen", {100, 1500, 500, 1800}, kScreen, {420, 1024 - 124}},
      {"under a taskbar along the top", {100, 20, 500, 300}, {0, 40, 1280, 1024}, {420, 40}},
      {"kept to the main monitor, not the target's second one", {1380, -50, 1780, 400}, {1280, 0, 2560, 1024},
       {1380 + 360 - 40, 0}},
      {"a work area smaller than the player hides its top-left", {100, 200, 500, 500}, {430, 100, 470, 150},
       {430, 100}},
  };
  for (const Case& c : cases) {
    POINT at = PerchPosition(c.target, kPlayer, 90, -1, c.workArea);
    EXPECT_EQ(at.x, c.expected.x) << c.fault;
    EXPECT_EQ(at.y, c.expected.y) << c.fault;
  }
}

}  // namespace
