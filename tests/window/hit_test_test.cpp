#include "window/hit_test.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "images/picture_test_util.h"
#include "support/test_support.h"

namespace {

// The parser cuts its text in place and wants one spare byte after it.
void Parse(SkinModel& model, std::string text) {
  size_t size = text.size();
  text.push_back('\0');
  ASSERT_TRUE(model.ParseText(&text[0], size));
}

const COLORREF kNotGrey = RGB(255, 0, 0);

// A 24-bit map whose pixel (x, y), y from the top, is colour(x, y).
template <typename Colour>
void MakeMap(ImageBuffer& map, int width, int height, Colour colour, bool topDown = false) {
  BmpRecipe recipe;
  recipe.width = width;
  recipe.topDown = topDown;
  for (int y = 0; y < height; ++y) {
    std::vector<COLORREF> row;
    for (int x = 0; x < width; ++x) row.push_back(colour(x, y));
    recipe.rows.push_back(Rgb24Row(row));
  }
  ASSERT_EQ(LoadBytes(&map, EncodeBmp(recipe)), ImageOk);
}

COLORREF Grey(int level) { return RGB(level, level, level); }

TEST(GreyMap, OnlyGreyPixelsInsideThePictureHaveALevel) {
  // Top row: grey 0, grey 255, almost grey, grey 77; bottom row: grey 128, then colours.
  auto colour = [](int x, int y) -> COLORREF {
    static const COLORREF rows[2][4] = {{Grey(0), Grey(255), RGB(10, 10, 11), Grey(77)},
                                        {Grey(128), kNotGrey, RGB(0, 0, 9), RGB(9, 0, 9)}};
    return rows[y][x];
  };
  for (bool topDown : {false, true}) {
    SCOPED_TRACE(topDown ? "top-down" : "bottom-up");
    ImageBuffer map;
    MakeMap(map, 4, 2, colour, topDown);
    EXPECT_EQ(GreyMapLevel(map, 0, 0), 0);
    EXPECT_EQ(GreyMapLevel(map, 1, 0), 255);
    EXPECT_EQ(GreyMapLevel(map, 2, 0), -1);
    EXPECT_EQ(GreyMapLevel(map, 3, 0), 77);
    EXPECT_EQ(GreyMapLevel(map, 0, 1), 128);
    for (int x = 1; x < 4; ++x) EXPECT_EQ(GreyMapLevel(map, x, 1), -1) << x;
    // Around the picture.
    EXPECT_EQ(GreyMapLevel(map, -1, 0), -1);
    EXPECT_EQ(GreyMapLevel(map, 0, -1), -1);
    EXPECT_EQ(GreyMapLevel(map, 4, 0), -1);
    EXPECT_EQ(GreyMapLevel(map, 0, 2), -1);
  }
  ImageBuffer none;
  EXPECT_EQ(GreyMapLevel(none, 0, 0), -1);
}

TEST(GreyMap, PaletteMapsAreReadThroughTheirPalette) {
  BmpRecipe recipe;
  recipe.width = 3;
  recipe.bitCount = 8;
  recipe.palette = {Grey(200), kNotGrey, Grey(3)};
  recipe.rows = {IndexRow({2, 0, 1})};
  ImageBuffer map;
  ASSERT_EQ(LoadBytes(&map, EncodeBmp(recipe)), ImageOk);
  EXPECT_EQ(GreyMapLevel(map, 0, 0), 3);
  EXPECT_EQ(GreyMapLevel(map, 1, 0), 200);
  EXPECT_EQ(GreyMapLevel(map, 2, 0), -1);
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
  SkinModel model;
  Parse(model, "VolumeControlType BMP\r\n");
  ImageBuffer none;
  EXPECT_EQ(VolumeMapLevel(model, none, 1, 0), -1);
}

// A 12 x 4 layout where every stage of the hit test overlaps the next one.
class HitTestLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    Parse(model,
          "VolumeControlType BMP\r\n"
          "VolumeControlButton 0 0 12 2\r\n"
          "SeekRegion 0 0 12 3\r\n"
          "MinimizeButton 0 0 2 2 min\r\n"
          "StopButton 6 0 10 4 stop\r\n"
          "PlayButton 8 0 12 4 play\r\n"
          "PlayButton 0 3 12 4 play2\r\n"
          "PauseButton 0 3 4 4 pause\r\n"
          "RepeatButton 10 3 12 4 repeat\r\n");
    // Volume: grey left of x = 6 (but not at (1, 1)), and on row 3, which
    // lies outside the control's rectangle.
    MakeMap(volumeMap, 12, 4, [](int x, int y) {
      if (x == 1 && y == 1) return kNotGrey;
      return (x < 6 || y == 3) ? Grey(x * 10) : kNotGrey;
    });
    // Seek: grey on rows 0..2 except the columns 1 and 9.
    MakeMap(seekMap, 12, 4, [](int x, int y) {
      return (y < 3 && x != 1 && x != 9) ? Grey(100 + x) : kNotGrey;
    });
  }

  // The hit code, with the entry (99 when the test left it alone).
  std::pair<int, int> Hit(int x, int y) {
    int entry = 99;
    int hit = HitTestSkin(model, volumeMap, seekMap, x, y, &entry);
    return {hit, entry};
  }

  SkinModel model;
  ImageBuffer volumeMap;
  ImageBuffer seekMap;
};

TEST_F(HitTestLayout, FirstMatchWins) {
  using Code = std::pair<int, int>;
  // The volume control before the seek bar and the buttons.
  EXPECT_EQ(Hit(0, 0), Code(kHitVolume, 99));
  EXPECT_EQ(Hit(2, 1), Code(kHitVolume, 99));
  // A non-grey volume pixel lets the seek bar have it...
  EXPECT_EQ(Hit(7, 0), Code(kHitSeek, 99));
  // ...and a grey volume pixel outside the control's rectangle does not count.
  EXPECT_EQ(Hit(2, 2), Code(kHitSeek, 99));
  // The button under the volume control is reachable through its non-grey pixel.
  EXPECT_EQ(Hit(1, 1), Code(MinimizeButton, 0));
  // Non-grey in both maps: Stop and Play overlap, the lower index wins.
  EXPECT_EQ(Hit(9, 1), Code(StopButton, 0));
  // Grey in both maps but outside both rectangles: Play's second placement
  // beats Pause (higher index); where both placements lie, the first wins
  // over Repeat and the second.
  EXPECT_EQ(Hit(2, 3), Code(PlayButton, 1));
  EXPECT_EQ(Hit(10, 3), Code(PlayButton, 0));
  // Nothing else: the body.
  EXPECT_EQ(Hit(1, 2), Code(kHitBody, 99));
  EXPECT_EQ(Hit(12, 0), Code(kHitBody, 99));
  EXPECT_EQ(Hit(-1, -1), Code(kHitBody, 99));
}

TEST(HitTestEdges, RectanglesExcludeTheirRightAndBottomEdges) {
  SkinModel edges;
  Parse(edges, "CloseButton 2 2 4 4 x\r\nAboutButton 5 5 5 9 empty\r\n");
  ImageBuffer none;
  int entry = 0;
  EXPECT_EQ(HitTestSkin(edges, none, none, 2, 2, &entry), CloseButton);
  EXPECT_EQ(HitTestSkin(edges, none, none, 3, 3, &entry), CloseButton);
  EXPECT_EQ(HitTestSkin(edges, none, none, 4, 3, &entry), kHitBody);
  EXPECT_EQ(HitTestSkin(edges, none, none, 3, 4, &entry), kHitBody);
  EXPECT_EQ(HitTestSkin(edges, none, none, 5, 6, &entry), kHitBody);
  // Without pictures the volume and seek areas are plain body.
  Parse(edges, "VolumeControlType BMP\r\nVolumeControlButton 0 0 9 9\r\nSeekRegion 0 0 9 9\r\n");
  EXPECT_EQ(HitTestSkin(edges, none, none, 1, 1, &entry), kHitBody);
}

TEST(HitTestDefaultSkin, TheDefaultSkinsAreasAreWhereItsLayoutPutsThem) {
  SkinModel model;
  ASSERT_TRUE(model.LoadResourceFile(SourcePath("skins/default/ZantoPlay1.rc").c_str()));
  ImageBuffer volumeMap;
  ImageBuffer seekMap;
  ASSERT_EQ(volumeMap.LoadBmp(SourcePath("skins/default/volume_map.bmp").c_str()), ImageOk);
  ASSERT_EQ(seekMap.LoadBmp(SourcePath("skins/default/seek_map.bmp").c_str()), ImageOk);
  int entry = -1;
  EXPECT_EQ(HitTestSkin(model, volumeMap, seekMap, 62, 62, &entry), PlayButton);
  EXPECT_EQ(entry, 0);
  EXPECT_EQ(HitTestSkin(model, volumeMap, seekMap, 192, 105, &entry), RepeatButton);
  EXPECT_EQ(HitTestSkin(model, volumeMap, seekMap, 300, 66, &entry), kHitVolume);
  // The volume rises from left to right across the control.
  EXPECT_LT(VolumeMapLevel(model, volumeMap, 262, 66), VolumeMapLevel(model, volumeMap, 355, 66));
  EXPECT_EQ(HitTestSkin(model, volumeMap, seekMap, 250, 89, &entry), kHitSeek);
  EXPECT_EQ(HitTestSkin(model, volumeMap, seekMap, 100, 20, &entry), kHitBody);
}

}  // namespace
