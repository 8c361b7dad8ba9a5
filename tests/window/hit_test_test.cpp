#include "window/hit_test.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "images/picture_test_util.h"

namespace {

// The parser cuts its text in place and wants one spare byte after it.
void Parse(SkinModel& model, std::string text) {
  size_t size = text.size();
  text.push_back('\0');
  ASSERT_TRUE(model.ParseText(&text[0], size));
}

COLORREF Grey(int level) { return RGB(level, level, level); }

// A 24-bit map whose pixel (x, y), y from the top, is colour(x, y).
void MakeMap(ImageBuffer& map, int width, int height, const PixelColour& colour, bool topDown = false) {
  ASSERT_EQ(LoadBytes(&map, BmpBytes(width, height, colour, topDown)), ImageOk);
}

TEST(GreyMap, OnlyGreyPixelsInsideThePictureHaveALevel) {
  const COLORREF pixels[2][3] = {{Grey(0), Grey(255), RGB(10, 10, 11)},
                                 {Grey(77), kRed, RGB(9, 0, 9)}};
  const int levels[2][3] = {{0, 255, -1}, {77, -1, -1}};
  for (bool topDown : {false, true}) {
    ImageBuffer map;
    MakeMap(map, 3, 2, [&](int x, int y) { return pixels[y][x]; }, topDown);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 3; ++x) EXPECT_EQ(GreyMapLevel(map, x, y), levels[y][x]) << x << y;
    }
    for (POINT p : {POINT{-1, 0}, POINT{0, -1}, POINT{3, 0}, POINT{0, 2}})
      EXPECT_EQ(GreyMapLevel(map, p.x, p.y), -1) << p.x << "," << p.y;
  }
  BmpRecipe palette;
  palette.width = 3;
  palette.bitCount = 8;
  palette.palette = {Grey(200), kRed, Grey(3)};
  palette.rows = {IndexRow({2, 0, 1})};
  ImageBuffer map;
  ASSERT_EQ(LoadBytes(&map, EncodeBmp(palette)), ImageOk);
  EXPECT_EQ(GreyMapLevel(map, 0, 0), 3);
  EXPECT_EQ(GreyMapLevel(map, 1, 0), 200);
  EXPECT_EQ(GreyMapLevel(map, 2, 0), -1);
  ImageBuffer none;
  EXPECT_EQ(GreyMapLevel(none, 0, 0), -1);
}

TEST(GreyMap, OnlyABmpVolumeControlHasAMap) {
  ImageBuffer map;
  MakeMap(map, 2, 1, [](int x, int) { return Grey(40 + x); });
  const char* const types[] = {"", "VolumeControlType BAR\r\n", "VolumeControlType BMP\r\n"};
  const int expected[] = {-1, -1, 41};
  for (int i = 0; i < 3; ++i) {
    SkinModel model;
    Parse(model, types[i]);
    EXPECT_EQ(VolumeMapLevel(model, map, 1, 0), expected[i]) << types[i];
  }
}

TEST(HitTest, FirstMatchWins) {
  // Every stage overlaps the next one on this 12 x 4 layout.
  SkinModel model;
  Parse(model,
        "VolumeControlType BMP\r\nVolumeControlButton 0 0 12 2\r\nSeekRegion 0 0 12 3\r\n"
        "MinimizeButton 0 0 2 2 min\r\n"
        "StopButton 6 0 10 4 stop\r\n"
        "PlayButton 8 0 12 4 play\r\n"
        "PlayButton 0 3 12 4 play2\r\n"
        "PauseButton 0 3 4 4 pause\r\n"
        "RepeatButton 10 3 12 4 repeat\r\n");
  // Volume: grey left of x = 6 (but not at (1, 1)), and on row 3, outside
  // the control's rectangle. Seek: grey on rows 0..2 but for columns 1 and 9.
  ImageBuffer volumeMap, seekMap;
  MakeMap(volumeMap, 12, 4, [](int x, int y) {
    return ((x < 6 || y == 3) && !(x == 1 && y == 1)) ? Grey(x * 10) : kRed;
  });
  MakeMap(seekMap, 12, 4,
          [](int x, int y) { return (y < 3 && x != 1 && x != 9) ? Grey(x) : kRed; });
  auto hit = [&](int x, int y) {
    int entry = 99;  // stays unless a button is hit
    int code = HitTestSkin(model, volumeMap, seekMap, x, y, &entry);
    return std::make_pair(code, entry);
  };
  using Code = std::pair<int, int>;
  EXPECT_EQ(hit(0, 0), Code(kHitVolume, 99));  // over the seek bar too
  EXPECT_EQ(hit(7, 0), Code(kHitSeek, 99));    // not grey in the volume map
  EXPECT_EQ(hit(2, 2), Code(kHitSeek, 99));    // grey volume outside its rectangle
  EXPECT_EQ(hit(1, 1), Code(MinimizeButton, 0));  // the hole in the volume map
  EXPECT_EQ(hit(9, 1), Code(StopButton, 0));      // lower index of two buttons
  EXPECT_EQ(hit(2, 3), Code(PlayButton, 1));      // over Pause, a higher index
  EXPECT_EQ(hit(10, 3), Code(PlayButton, 0));     // the earlier placement
  EXPECT_EQ(hit(1, 2), Code(kHitBody, 99));
  EXPECT_EQ(hit(12, 0), Code(kHitBody, 99));  // right and bottom edges are outside
  EXPECT_EQ(hit(0, 4), Code(kHitBody, 99));
  EXPECT_EQ(hit(-1, -1), Code(kHitBody, 99));

  // Without maps the two areas are body or buttons like any other place.
  ImageBuffer none;
  EXPECT_EQ(HitTestSkin(model, none, none, 0, 0, nullptr), MinimizeButton);
  EXPECT_EQ(HitTestSkin(model, none, none, 4, 1, nullptr), kHitBody);
}

}  // namespace
