#include "skin/skin_region.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "images/picture_test_util.h"
#include "window/reference_region.h"

namespace {

// A picture mask written as rows of text: '#' opaque, '.' transparent.
struct Mask {
  std::vector<std::string> rows;
  int width() const { return rows.empty() ? 0 : static_cast<int>(rows[0].size()); }
  int height() const { return static_cast<int>(rows.size()); }
  bool operator()(int x, int y) const { return rows[y][x] == '#'; }
};

struct PixelRun {
  int y, left, right;
  bool operator==(const PixelRun& o) const { return y == o.y && left == o.left && right == o.right; }
};

std::vector<PixelRun> RunsOf(const Mask& mask) {
  std::vector<PixelRun> runs;
  ForEachOpaqueRun(mask.width(), mask.height(), mask, [&runs](int y, int left, int right) {
    runs.push_back({y, left, right});
    return true;
  });
  return runs;
}

TEST(OpaqueRuns, OneRunPerHorizontalStretchRowsTopToBottom) {
  Mask mask{{"##..#",    // run at the start and one ending at the right edge
             ".....",    // empty row: no run
             "#####",    // whole row: one run
             ".#.#."}};  // single pixels
  std::vector<PixelRun> expected = {{0, 0, 2}, {0, 4, 5}, {2, 0, 5}, {3, 1, 2}, {3, 3, 4}};
  EXPECT_EQ(RunsOf(mask), expected);
}

// Builds the fast region of a mask into a fresh empty region.
unique_hrgn FastRegion(int width, int height, const std::function<bool(int, int)>& opaque) {
  unique_hrgn region(CreateRectRgn(0, 0, 0, 0));
  RegionMerger merger;
  bool ok = ForEachOpaqueRun(width, height, opaque, [&merger](int y, int left, int right) {
    return merger.AddRect(left, y, right, y + 1);
  });
  if (!ok || !merger.MergeInto(region.get())) return unique_hrgn();
  return region;
}

void ExpectSameRegion(int width, int height, const std::function<bool(int, int)>& opaque) {
  unique_hrgn fast = FastRegion(width, height, opaque);
  unique_hrgn reference = BuildRegionOneRunAtATime(width, height, opaque);
  ASSERT_TRUE(fast);
  ASSERT_TRUE(reference);
  EXPECT_TRUE(EqualRgn(fast.get(), reference.get()));
  // Spot-check against the mask itself, so equal-but-wrong cannot pass.
  for (int y = 0; y < height; y += 3) {
    for (int x = 0; x < width; x += 5) {
      ASSERT_EQ(PtInRegion(fast.get(), x, y) != FALSE, opaque(x, y)) << x << "," << y;
    }
  }
}

TEST(RegionMergerTest, AllTransparentGivesAnEmptyRegion) {
  unique_hrgn fast = FastRegion(40, 30, [](int, int) { return false; });
  ASSERT_TRUE(fast);
  RECT box;
  EXPECT_EQ(GetRgnBox(fast.get(), &box), NULLREGION);
  ExpectSameRegion(40, 30, [](int, int) { return false; });
}

TEST(RegionMergerTest, NoTransparencyGivesTheWholeRectangle) {
  unique_hrgn fast = FastRegion(37, 23, [](int, int) { return true; });
  ASSERT_TRUE(fast);
  unique_hrgn whole(CreateRectRgn(0, 0, 37, 23));
  EXPECT_TRUE(EqualRgn(fast.get(), whole.get()));
}

TEST(RegionMergerTest, MatchesTheOneRunAtATimeBuildOnVariedShapes) {
  // Single pixels: a one-pixel checkerboard, the most runs a picture can have.
  ExpectSameRegion(33, 17, [](int x, int y) { return (x + y) % 2 == 0; });
  // A ring: a hole in the middle of an opaque body.
  ExpectSameRegion(60, 40, [](int x, int y) {
    int dx = x - 30, dy = y - 20, d = dx * dx + dy * dy;
    return d < 400 && d >= 100;
  });
  // One opaque pixel in a transparent picture, and the reverse.
  ExpectSameRegion(20, 20, [](int x, int y) { return x == 7 && y == 11; });
  ExpectSameRegion(20, 20, [](int x, int y) { return !(x == 0 && y == 19); });
  // Random shapes of several densities.
  for (unsigned seed = 1; seed <= 6; ++seed) {
    std::mt19937 random(seed);
    int width = 20 + static_cast<int>(random() % 90), height = 10 + static_cast<int>(random() % 60);
    unsigned percent = 10 + 15 * (seed - 1);
    std::vector<char> opaque(static_cast<size_t>(width) * height);
    for (char& pixel : opaque) pixel = random() % 100 < percent;
    SCOPED_TRACE(seed);
    ExpectSameRegion(width, height, [&](int x, int y) { return opaque[y * width + x] != 0; });
  }
}

TEST(RegionMergerTest, OrsIntoWhatTheTargetHoldsAndIgnoresEmptyRectangles) {
  unique_hrgn target(CreateRectRgn(100, 100, 110, 110));
  RegionMerger merger;
  EXPECT_TRUE(merger.AddRect(5, 5, 5, 9));  // empty: no area, no failure
  EXPECT_TRUE(merger.AddRect(0, 0, 4, 1));
  EXPECT_TRUE(merger.MergeInto(target.get()));
  EXPECT_TRUE(PtInRegion(target.get(), 105, 105));
  EXPECT_TRUE(PtInRegion(target.get(), 3, 0));
  EXPECT_FALSE(PtInRegion(target.get(), 5, 6));
}

TEST(RegionMergerTest, RectanglesInAnyOrderAndOverlappingGiveTheirUnion) {
  // Out of row order, overlapping, and more than fit in one batch.
  unique_hrgn expected(CreateRectRgn(0, 0, 0, 0));
  unique_hrgn fast(CreateRectRgn(0, 0, 0, 0));
  RegionMerger merger;
  std::mt19937 random(99);
  for (int i = 0; i < 500; ++i) {
    int left = static_cast<int>(random() % 200), top = static_cast<int>(random() % 200);
    int right = left + 1 + static_cast<int>(random() % 30);
    int bottom = top + 1 + static_cast<int>(random() % 30);
    ASSERT_TRUE(merger.AddRect(left, top, right, bottom));
    unique_hrgn part(CreateRectRgn(left, top, right, bottom));
    CombineRgn(expected.get(), expected.get(), part.get(), RGN_OR);
  }
  ASSERT_TRUE(merger.MergeInto(fast.get()));
  EXPECT_TRUE(EqualRgn(fast.get(), expected.get()));
}

TEST(PictureShape, MagentaIsFoundThroughThePaletteAndInEitherRowOrder) {
  // Top row red, green, blue; bottom row magenta, grey, red.
  unique_hrgn expected(CreateRectRgn(0, 0, 3, 1));
  unique_hrgn bottom(CreateRectRgn(1, 1, 3, 2));
  CombineRgn(expected.get(), expected.get(), bottom.get(), RGN_OR);

  BmpRecipe palette = SampleRecipe();
  BmpRecipe topDown;
  topDown.width = 3;
  topDown.topDown = true;
  topDown.rows = {Rgb24Row({kRed, kGreen, kBlue}), Rgb24Row({kMagenta, kGrey, kRed})};
  for (const BmpRecipe& recipe : {palette, topDown}) {
    ImageBuffer picture;
    ASSERT_EQ(LoadBytes(&picture, EncodeBmp(recipe)), ImageOk);
    unique_hrgn shape(CreateRectRgn(0, 0, 0, 0));
    ASSERT_TRUE(AddPictureShape(picture, shape.get()));
    EXPECT_TRUE(EqualRgn(shape.get(), expected.get())) << recipe.bitCount;
  }
}

// Emptiness follows the shape's own rule: a picture is empty only when every
// pixel reads magenta, through the palette too; an index past the palette
// reads black, as GDI draws it, and so is part of the shape.
TEST(PictureShape, EmptyOnlyWhenEveryPixelReadsMagenta) {
  auto paletted = [](std::vector<COLORREF> palette, std::vector<BYTE> indices) {
    BmpRecipe recipe;
    recipe.width = static_cast<int>(indices.size());
    recipe.bitCount = 8;
    recipe.palette = palette;
    recipe.rows = {IndexRow(indices)};
    return recipe;
  };
  const struct {
    const char* name;
    BmpRecipe recipe;
    bool empty;
  } cases[] = {
      {"two palette entries, both magenta", paletted({kMagenta, kMagenta}, {0, 1, 1, 0}), true},
      {"an index past the palette", paletted({kMagenta}, {0, 0, 5}), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ImageBuffer picture;
    ASSERT_EQ(LoadBytes(&picture, EncodeBmp(c.recipe)), ImageOk);
    EXPECT_EQ(HasOpaquePixel(picture), !c.empty);
    unique_hrgn shape(CreateRectRgn(0, 0, 0, 0));
    ASSERT_TRUE(AddPictureShape(picture, shape.get()));
    RECT box;
    EXPECT_EQ(GetRgnBox(shape.get(), &box) == NULLREGION, c.empty);
  }
}

}  // namespace

// Rows that repeat the row above share its rectangles; a fault in how bands
// start, end or compare (an equal run count with other runs, a band reaching
// the last row, an empty row between equal ones) would show as a region
// unlike the one-run-at-a-time build, in each format the scanner reads.
TEST(PictureShape, BandsOfRepeatedRowsGiveTheReferenceRegionInEveryFormat) {
  const int width = 23, height = 31;
  std::mt19937 random(7);
  std::vector<char> magenta(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    // Runs of 1 to 4 equal rows; some rows move a cell, keeping the count.
    bool repeat = y > 0 && random() % 4 != 0;
    for (int x = 0; x < width; ++x) {
      char& cell = magenta[y * width + x];
      cell = repeat ? magenta[(y - 1) * width + x] : static_cast<char>(random() % 3 == 0);
    }
    if (y % 9 == 4) std::fill_n(&magenta[y * width], width, 1);  // an empty row
  }
  magenta[(height - 1) * width + width - 1] ^= 1;  // the last row differs at its end
  auto colour = [&](int x, int y) { return magenta[y * width + x] ? kMagenta : kGrey; };
  auto opaque = [&](int x, int y) { return !magenta[y * width + x]; };
  unique_hrgn reference = BuildRegionOneRunAtATime(width, height, opaque);
  ASSERT_TRUE(reference);

  for (int bitCount : {8, 24, 32}) {
    BmpRecipe recipe;
    recipe.width = width;
    recipe.bitCount = bitCount;
    recipe.topDown = bitCount == 32;
    recipe.palette = {kGrey, kMagenta};
    for (int y = 0; y < height; ++y) {
      std::vector<COLORREF> colours;
      std::vector<BYTE> indices;
      for (int x = 0; x < width; ++x) {
        colours.push_back(colour(x, y));
        indices.push_back(magenta[y * width + x] ? 1 : 0);
      }
      recipe.rows.push_back(bitCount == 8    ? IndexRow(indices)
                            : bitCount == 24 ? Rgb24Row(colours)
                                             : Rgb32Row(colours));
    }
    ImageBuffer picture;
    ASSERT_EQ(LoadBytes(&picture, EncodeBmp(recipe)), ImageOk) << bitCount;
    unique_hrgn shape(CreateRectRgn(0, 0, 0, 0));
    ASSERT_TRUE(AddPictureShape(picture, shape.get())) << bitCount;
    EXPECT_TRUE(EqualRgn(shape.get(), reference.get())) << bitCount;
  }
}
