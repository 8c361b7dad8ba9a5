#include "cd/play_end_watch.h"

#include <gtest/gtest.h>

#include <vector>

// Catches the end of a play that today's driver never notifies missed: at
// its end, or standing still just short of it; a slow or seeking drive
// taken for an ended one; a late notice of an older play not told apart;
// and a wrong due time.
TEST(PlayEndWatch, APlayEndsAtItsEndOrStandingStillJustShortOfIt) {
  constexpr int kNone = -1;  // a reading without a position
  const struct { const char* name; int end; std::vector<int> readings; int endsAt; } cases[] = {
      {"reaches its end", 1000, {400, 700, 1000}, 2},
      {"held past its end", 1000, {1010}, 0},
      {"stands still a frame short", 1000, {990, 999, 999}, 2},
      {"stands still a second short", 1000, {925, 925}, 1},
      {"slow, far from the end", 1000, {500, 500, 500}, kNone},
      {"seeking between two readings", 1000, {960, kNone, 960}, kNone},
      {"no end known", kUnknownPlayEnd, {5000, 5000, 99999}, kNone},
  };
  for (const auto& c : cases) {
    PlayEndWatch watch;
    watch.Started(c.end);
    int endedAt = kNone;
    for (int i = 0; i < static_cast<int>(c.readings.size()) && endedAt == kNone; ++i) {
      if (c.readings[i] == kNone) watch.NoPosition();
      else if (watch.Playing(c.readings[i], 500 * static_cast<DWORD>(i + 1))) endedAt = i;
    }
    EXPECT_EQ(endedAt, c.endsAt) << c.name;
  }
  PlayEndWatch watch;
  watch.Started(1000);
  EXPECT_EQ(watch.MsUntilEnd(), INFINITE) << "no pace yet";
  EXPECT_FALSE(watch.Playing(100, 10500));
  EXPECT_FALSE(watch.Playing(137, 11000));
  EXPECT_EQ(watch.MsUntilEnd(), 11662u) << "863 frames at 37 a half second";
  EXPECT_TRUE(watch.WellBeforeEnd(924));
  EXPECT_FALSE(watch.WellBeforeEnd(925));
}
