// The two size rules of a skin: the picture limits every reader refuses by,
// and whether a background makes a window one can use on the monitors there.
#include <gtest/gtest.h>

#include <cstdint>

#include "skin/picture_limits.h"
#include "window/background_fit.h"

namespace {

// Faults caught: an off-by-one at either limit, the byte budget judged at the
// stored depth rather than the held one (1 and 16 bits grow to 24, an unknown
// depth must refuse nothing), a w * h * bits product that wraps (16384 x 16384
// x 32 is 2^33) or a side that does, a missing size taken for a refusal.
TEST(PictureLimits, EachSizeAndDepthGetsItsVerdict) {
  const struct {
    int64_t width, height;
    int bits;
    PictureSizeVerdict verdict;
  } table[] = {
      {16384, 1, 24, PictureWithinLimits}, {16385, 1, 24, PictureSideTooLong},
      {1, 16385, 8, PictureSideTooLong},   {2147483647, 2147483647, 32, PictureSideTooLong},
      // 64 MB exactly is within; 24-bit rows are padded to 4 bytes.
      {4096, 4096, 32, PictureWithinLimits}, {4096, 4097, 32, PictureTooManyBytes},
      {16384, 4096, 8, PictureWithinLimits}, {16384, 4097, 8, PictureTooManyBytes},
      {4096, 5461, 24, PictureWithinLimits}, {4096, 5462, 24, PictureTooManyBytes},
      {16384, 16384, 32, PictureTooManyBytes}, {16384, 16384, 1, PictureTooManyBytes},
      {4096, 5462, 16, PictureTooManyBytes}, {4096, 4097, 64, PictureTooManyBytes},
      {8000, 8000, 0, PictureWithinLimits},  {0, 0, 24, PictureNoSize},
      {-1, 100, 24, PictureNoSize},          {100, -30000, 24, PictureNoSize},
  };
  for (const auto& row : table) {
    EXPECT_EQ(JudgePictureSize(row.width, row.height, row.bits), row.verdict)
        << row.width << " x " << row.height << " at " << row.bits;
  }
}

// Faults caught: an off-by-one at 8 px or at a work area's edge, only the
// primary monitor looked at, a skin wider than one monitor and taller than
// the other taken for fitting, the largest work area not the one named, no
// monitor known read as "beyond every screen".
TEST(BackgroundFit, EachBackgroundOnEachDeskGetsItsVerdict) {
  const SIZE laptop = {1600, 1160}, wide = {2560, 1400}, portrait = {1080, 1880};
  const SIZE one[] = {laptop}, two[] = {laptop, wide}, crossed[] = {wide, portrait};
  const struct {
    int width, height;
    const SIZE* areas;
    int count;
    BackgroundFit fit;
  } table[] = {
      {8, 8, one, 1, BackgroundFits},         {7, 124, one, 1, BackgroundTooSmall},
      {16384, 1, one, 1, BackgroundTooSmall}, {1600, 1160, one, 1, BackgroundFits},
      {1601, 100, one, 1, BackgroundBeyondScreens}, {100, 1161, one, 1, BackgroundBeyondScreens},
      {2000, 1200, two, 2, BackgroundFits},   {2561, 100, two, 2, BackgroundBeyondScreens},
      {1000, 1800, crossed, 2, BackgroundFits}, {2000, 1800, crossed, 2, BackgroundBeyondScreens},
      {20000, 20000, nullptr, 0, BackgroundFits},
  };
  for (const auto& row : table) {
    SIZE largest = {-1, -1};
    EXPECT_EQ(JudgeBackgroundFit(row.width, row.height, row.areas, row.count, &largest), row.fit)
        << row.width << " x " << row.height << " on " << row.count << " monitors";
    EXPECT_EQ(largest.cx, row.count == 2 ? wide.cx : row.count == 1 ? laptop.cx : 0);
  }
}

}  // namespace
