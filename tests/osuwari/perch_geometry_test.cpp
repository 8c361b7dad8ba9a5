// Where a perching player goes, as a plain function of the target's
// rectangle, the player's size, osuwariXPer and osuwariBaseLine.
#include "app/perch_geometry.h"

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
    POINT at = PerchPosition(c.target, c.player, c.xPer, c.baseLine);
    EXPECT_EQ(at.x, c.expected.x) << c.fault;
    EXPECT_EQ(at.y, c.expected.y) << c.fault;
  }
}

}  // namespace
