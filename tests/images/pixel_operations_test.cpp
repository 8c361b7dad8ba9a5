// GetPixel, CopyRect, Blit and CreateBlank.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "common/handles.h"
#include "picture_test_util.h"
#include "skin/image_buffer.h"

namespace {

void Load(ImageBuffer* image, const BmpRecipe& recipe) {
  ASSERT_EQ(LoadBytes(image, EncodeBmp(recipe)), ImageOk);
}

// A memory DC with a top-down 32-bit picture whose pixels can be read back.
class Canvas {
 public:
  Canvas(int w, int h) : w_(w), dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS,
                                   reinterpret_cast<void**>(&pixels_), nullptr, 0));
    selected_ = SelectObject(dc_.get(), bitmap_.get());
    std::memset(pixels_, 0xCC, static_cast<size_t>(w) * h * 4);
  }
  ~Canvas() { SelectObject(dc_.get(), selected_); }
  HDC dc() const { return dc_.get(); }
  COLORREF At(int x, int y) const {
    GdiFlush();
    DWORD v = pixels_[y * w_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }

 private:
  int w_;
  unique_hdc dc_;
  unique_hbitmap bitmap_;
  DWORD* pixels_ = nullptr;
  HGDIOBJ selected_ = nullptr;
};

}  // namespace

TEST(PixelOperations, CopyRectWritesBlueGreenRedIntoABlankBottomUpPicture) {
  ImageBuffer target;
  ASSERT_TRUE(target.CreateBlank(5, 4));
  EXPECT_EQ(target.info->bmiHeader.biBitCount, 24);
  EXPECT_EQ(target.info->bmiHeader.biHeight, 4);
  ASSERT_EQ(target.bitsSize, 64u);  // rows of 15 bytes padded to 16
  EXPECT_EQ(std::string(reinterpret_cast<char*>(target.bits), 64), std::string(64, '\0'));

  ImageBuffer source;
  Load(&source, SampleRecipe());
  target.CopyRect(source, 0, 0, 3, 2, 1, 1);
  // Row 1 from the top of the 4-row picture is memory row 2.
  EXPECT_EQ(std::string(reinterpret_cast<char*>(target.bits) + 2 * 16 + 3, 9),
            std::string("\x00\x00\xFF\x00\xFF\x00\xFF\x00\x00", 9));
  EXPECT_EQ(target.GetPixel(1, 2), kMagenta);
  EXPECT_EQ(target.GetPixel(2, 2), kGrey);

  // A 32-bit top-down source copies the same colours.
  BmpRecipe wide;
  wide.width = 3;
  wide.bitCount = 32;
  wide.topDown = true;
  wide.rows = {Rgb32Row({kRed, kGreen, kBlue}), Rgb32Row({kMagenta, kGrey, kRed})};
  ImageBuffer thirtyTwo, second;
  Load(&thirtyTwo, wide);
  ASSERT_TRUE(second.CreateBlank(5, 4));
  second.CopyRect(thirtyTwo, 0, 0, 3, 2, 1, 1);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(second.bits), 64),
            std::string(reinterpret_cast<char*>(target.bits), 64));
  EXPECT_FALSE(second.CreateBlank(-1, 3));
  EXPECT_TRUE(second.IsEmpty());
}

TEST(PixelOperations, CopyRectSkipsPixelsOutsideEitherPicture) {
  ImageBuffer source;
  Load(&source, SampleRecipe());
  const int rects[][6] = {{-2, -1, 5, 4, -1, 0},  {0, 0, 3, 2, 3, 2},   {1, 0, 3, 2, -1, -1},
                          {0, 0, 3, 2, -3, 0},    {0, 0, 3, 2, 4, 0},   {2, 1, 2, 5, 0, 0},
                          {2, 0, 1, 2, 0, 0},     {INT_MIN, INT_MIN, INT_MAX, INT_MAX, 1, 1},
                          {0, 0, 3, 2, INT_MAX, INT_MAX}, {-1, -1, 1, 1, INT_MIN, INT_MIN}};
  for (const auto& r : rects) {
    SCOPED_TRACE(testing::Message() << r[0] << "," << r[1] << "," << r[2] << "," << r[3] << " to "
                                    << r[4] << "," << r[5]);
    ImageBuffer target;
    ASSERT_TRUE(target.CreateBlank(4, 3));
    std::memset(target.bits, 0xEE, target.bitsSize);
    GuardedPicture guarded(target);
    target.CopyRect(source, r[0], r[1], r[2], r[3], r[4], r[5]);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 4; ++x) {
        int64_t sx = int64_t(x) - r[4] + r[0], sy = int64_t(y) - r[5] + r[1];
        bool copied = sx >= std::max(r[0], 0) && sx < std::min(r[2], 3) &&
                      sy >= std::max(r[1], 0) && sy < std::min(r[3], 2);
        EXPECT_EQ(target.GetPixel(x, y), copied ? source.GetPixel(int(sx), int(sy))
                                                : RGB(0xEE, 0xEE, 0xEE))
            << x << "," << y;
      }
    }
  }
  // Palette pictures are not written into.
  ImageBuffer palette;
  Load(&palette, SampleRecipe());
  palette.CopyRect(source, 0, 0, 1, 1, 0, 1);
  EXPECT_EQ(palette.GetPixel(0, 1), kMagenta);
}

TEST(PixelOperations, BlitCountsSourceRowsFromTheTopInEitherRowOrder) {
  const int w = 4, h = 32;
  BmpRecipe striped;
  striped.width = w;
  for (int y = 0; y < h; ++y) {
    striped.rows.push_back(Rgb24Row(std::vector<COLORREF>(w, RGB(y * 7, 255 - y * 7, 40))));
  }
  for (bool topDown : {false, true}) {
    SCOPED_TRACE(topDown);
    striped.topDown = topDown;
    ImageBuffer image;
    Load(&image, striped);
    Canvas whole(w, h);
    EXPECT_EQ(image.Blit(whole.dc(), 0, 0, w, h, 0, 0, w, h, SRCCOPY), h);
    for (int y = 0; y < h; ++y) EXPECT_EQ(whole.At(1, y), image.GetPixel(1, y)) << y;

    // Rows 10 to 14 (for the bottom-up picture, source row h - 15 to the call).
    Canvas band(w, 5);
    image.Blit(band.dc(), 0, 0, w, 5, 0, 10, w, 5, SRCCOPY);
    for (int y = 0; y < 5; ++y) EXPECT_EQ(band.At(2, y), image.GetPixel(2, 10 + y)) << y;
  }
}

TEST(PixelOperations, UnreadablePixelsAreBlackAndShortBlocksAreNotDrawn) {
  ImageBuffer image;
  EXPECT_EQ(image.GetPixel(0, 0), kBlack);
  Canvas canvas(2, 2);
  EXPECT_EQ(image.Blit(canvas.dc(), 0, 0, 2, 2, 0, 0, 2, 2, SRCCOPY), 0);
  Load(&image, SampleRecipe());
  for (auto xy : {std::make_pair(-1, 0), {3, 0}, {0, -1}, {0, 2}, {INT_MIN, INT_MAX}}) {
    EXPECT_EQ(image.GetPixel(xy.first, xy.second), kBlack);
  }
  // A 4-bit picture is read pixel by pixel like its 24-bit equivalent.
  BmpRecipe nibbles;
  nibbles.width = 2;
  nibbles.bitCount = 4;
  nibbles.palette = {kRed, kGreen};
  nibbles.rows = {std::string("\x01", 1), std::string("\x10", 1)};
  Load(&image, nibbles);
  EXPECT_EQ(image.GetPixel(1, 0), kGreen);
  EXPECT_EQ(image.Blit(canvas.dc(), 0, 0, 2, 2, 0, 0, 2, 2, SRCCOPY), 2);
  EXPECT_EQ(canvas.At(1, 0), kGreen);
  EXPECT_EQ(canvas.At(0, 1), kGreen);

  // A pixel block one byte short of the rows (as a broken plug-in's might be).
  Canvas second(2, 2);
  image.bitsSize -= 1;
  EXPECT_EQ(image.Blit(second.dc(), 0, 0, 2, 2, 0, 0, 2, 2, SRCCOPY), 0);
  EXPECT_EQ(second.At(0, 0), RGB(0xCC, 0xCC, 0xCC));
  image.bitsSize += 1;
}
