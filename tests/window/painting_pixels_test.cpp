// The pixel work of widget painting over plain pictures: blends, the grey-map
// fill and the choice of time glyphs.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "images/picture_test_util.h"
#include "skin/pixel_view.h"
#include "window/grey_map_fill.h"
#include "window/pixel_blend.h"
#include "window/time_glyphs.h"

namespace {

// A 24-bit picture whose pixel (x, y) is colour(x, y), through the BMP reader.
void MakePicture(ImageBuffer* picture, int width, int height, const PixelColour& colour) {
  ASSERT_EQ(LoadBytes(picture, BmpBytes(width, height, colour)), ImageOk);
}

void Fill(ImageBuffer* target, int width, int height, COLORREF colour) {
  ASSERT_TRUE(target->CreateBlank(width, height));
  PixelView view(*target);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      BYTE* p = view.Address(x, y);
      p[0] = GetBValue(colour);
      p[1] = GetGValue(colour);
      p[2] = GetRValue(colour);
    }
  }
}

TEST(BlendRectTest, PalettePixelsAreLookedUpInTheSourcePalette) {
  ImageBuffer source;
  ASSERT_EQ(LoadBytes(&source, EncodeBmp(SampleRecipe())), ImageOk);  // red green blue / magenta grey red
  ImageBuffer target;
  Fill(&target, 3, 2, RGB(0, 0, 0));
  BlendRect(source, RECT{0, 0, 3, 2}, target, 0, 0, BlendMode::Halve);
  EXPECT_EQ(target.GetPixel(0, 0), RGB(127, 0, 0));
  EXPECT_EQ(target.GetPixel(2, 0), RGB(0, 0, 127));
  EXPECT_EQ(target.GetPixel(1, 1), RGB(45, 50, 55));
  Fill(&target, 3, 2, RGB(100, 100, 100));
  BlendRect(source, RECT{0, 0, 3, 2}, target, 0, 0, BlendMode::Lighten);
  EXPECT_EQ(target.GetPixel(0, 1), RGB(255, 100, 255));
  EXPECT_EQ(target.GetPixel(1, 1), RGB(100, 100, 110));
}

TEST(BlendRectTest, RectanglesOutsideEitherPictureTouchOnlyTheOverlap) {
  ImageBuffer source;
  MakePicture(&source, 5, 4, [](int x, int y) { return RGB(10 * x, 10 * y, 200); });
  struct Case {
    RECT from;
    int dstX, dstY;
  } cases[] = {
      {{-3, -2, 8, 7}, -3, -2},         // larger than both, same place
      {{2, 1, 5, 4}, 4, 3},             // runs off the target's corner
      {{-10, 0, -1, 4}, 0, 0},          // wholly left of the source
      {{0, 0, 5, 4}, 6, 0},             // wholly right of the target
      {{0, 0, 5, 4}, INT_MAX, INT_MIN},  // extreme placement
      {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, 0, 0},
      {{3, 3, 1, 1}, 0, 0},  // inverted
  };
  for (const Case& c : cases) {
    ImageBuffer copy;
    Fill(&copy, 6, 5, RGB(1, 2, 3));
    {
      GuardedPicture guardSource(source);
      GuardedPicture guardTarget(copy);
      BlendRect(source, c.from, copy, c.dstX, c.dstY, BlendMode::Halve);
      for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 6; ++x) {
          long long sx = static_cast<long long>(x) - c.dstX + c.from.left;
          long long sy = static_cast<long long>(y) - c.dstY + c.from.top;
          bool inside = sx >= c.from.left && sx < c.from.right && sy >= c.from.top &&
                        sy < c.from.bottom && sx >= 0 && sx < 5 && sy >= 0 && sy < 4;
          COLORREF expected = inside ? RGB(5 * sx, 5 * sy, 100) : RGB(1, 2, 3);
          ASSERT_EQ(copy.GetPixel(x, y), expected)
              << "case " << &c - cases << " at " << x << "," << y;
        }
      }
    }
  }
}

// 4 x 2 map (8-bit): levels 0, 100, 200 and a non-grey pixel in the top row,
// levels 50, 150, 250 and grey 255 in the bottom row.
BmpRecipe GreyMapRecipe() {
  BmpRecipe recipe;
  recipe.width = 4;
  recipe.bitCount = 8;
  recipe.palette = {RGB(0, 0, 0),       RGB(100, 100, 100), RGB(200, 200, 200),
                    RGB(200, 200, 201), RGB(50, 50, 50),    RGB(150, 150, 150),
                    RGB(250, 250, 250), RGB(255, 255, 255)};
  recipe.rows = {IndexRow({0, 1, 2, 3}), IndexRow({4, 5, 6, 7})};
  return recipe;
}

TEST(GreyMapFillTest, LevelsUpToThePositionComeFromTheFilledPicture) {
  ImageBuffer map;
  ASSERT_EQ(LoadBytes(&map, EncodeBmp(GreyMapRecipe())), ImageOk);
  ImageBuffer empty, filled;
  // The empty-look picture lacks the last column.
  Fill(&empty, 3, 2, RGB(0, 0, 90));
  Fill(&filled, 4, 2, RGB(240, 0, 0));
  const COLORREF E = RGB(0, 0, 90), F = RGB(240, 0, 0), U = RGB(7, 7, 7);
  struct Case {
    int position;
    RECT area;
    COLORREF expected[2][4];
  } cases[] = {
      {-1, {-2, -2, 9, 9}, {{E, E, E, U}, {E, E, E, U}}},
      {0, {-2, -2, 9, 9}, {{F, E, E, U}, {E, E, E, U}}},
      {254, {-2, -2, 9, 9}, {{F, F, F, U}, {F, F, F, U}}},
      {255, {-2, -2, 9, 9}, {{F, F, F, U}, {F, F, F, F}}},
      {255, {1, 1, 3, 2}, {{U, U, U, U}, {U, F, F, U}}},  // only the area
  };
  for (const Case& c : cases) {
    ImageBuffer target;
    Fill(&target, 4, 2, U);
    GuardedPicture guardMap(map), guardEmpty(empty), guardFilled(filled), guardTarget(target);
    FillFromGreyMap(map, c.area, c.position, empty, filled, target);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(target.GetPixel(x, y), c.expected[y][x])
            << "position " << c.position << " at " << x << "," << y;
      }
    }
  }

  // Pixels of a format the pixel operations do not read (loading converts
  // every such picture, but one can still be made by hand) read as black;
  // black is grey, yet such a map is no map.
  ImageBuffer unreadable, target;
  ASSERT_TRUE(unreadable.CreateBlank(2, 2));
  unreadable.info->bmiHeader.biBitCount = 16;
  ASSERT_EQ(PixelView(unreadable).BytesPerPixel(), 0);
  Fill(&target, 4, 2, U);
  FillFromGreyMap(unreadable, RECT{0, 0, 4, 2}, 255, empty, filled, target);
  EXPECT_EQ(target.GetPixel(0, 0), U);
}

std::vector<int> Cells(int first, int second, bool separatorOn, int cellCount) {
  std::vector<int> cells(kTimeGlyphPositions);
  TimeGlyphCells(first, second, separatorOn, cellCount, cells.data());
  return cells;
}

TEST(TimeGlyphsTest, TwoDigitsEachAndTheSeparatorForTheFont) {
  const int none = kNoGlyph;
  EXPECT_EQ(Cells(5, 7, true, 12), (std::vector<int>{0, 5, 10, 0, 7}));
  EXPECT_EQ(Cells(5, 7, false, 12), (std::vector<int>{0, 5, 11, 0, 7}));
  EXPECT_EQ(Cells(5, 7, false, 11), (std::vector<int>{0, 5, none, 0, 7}));
  EXPECT_EQ(Cells(5, 7, true, 11), (std::vector<int>{0, 5, 10, 0, 7}));
  EXPECT_EQ(Cells(5, 7, true, 10), (std::vector<int>{0, 5, none, 0, 7}));
  // Only the last two digits show; the sign never does.
  EXPECT_EQ(Cells(123, 4059, true, 12), (std::vector<int>{2, 3, 10, 5, 9}));
  EXPECT_EQ(Cells(0, -7, true, 12), (std::vector<int>{0, 0, 10, 0, 7}));
  EXPECT_EQ(Cells(99, -123, true, 12), (std::vector<int>{9, 9, 10, 2, 3}));
  EXPECT_EQ(Cells(INT_MAX, INT_MIN, true, 12), (std::vector<int>{4, 7, 10, 4, 8}));
  // A font of fewer than ten cells lacks some digits.
  EXPECT_EQ(Cells(38, 0, true, 5), (std::vector<int>{3, none, none, 0, 0}));
}

}  // namespace
