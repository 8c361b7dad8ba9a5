// GetPixel, CopyRect, Blit and CreateBlank.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "common/handles.h"
#include "picture_test_util.h"
#include "skin/image_buffer.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255),
               kMagenta = RGB(255, 0, 255), kGrey = RGB(90, 100, 110);

void Load(ImageBuffer* image, const BmpSpec& spec) {
  std::string bytes = EncodeBmp(spec);
  ASSERT_EQ(image->LoadBmpFromMemory(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size()),
            ImageOk);
}

BmpSpec PaletteSpec() {
  BmpSpec spec;
  spec.width = 3;
  spec.bitCount = 8;
  spec.palette = {kRed, kGreen, kBlue, kMagenta, kGrey};
  spec.rows = {IndexRow({0, 1, 2}), IndexRow({3, 4, 0})};
  return spec;
}

// Row y of a w-wide picture has its own colour.
BmpSpec StripedSpec(int w, int h, bool topDown) {
  BmpSpec spec;
  spec.width = w;
  spec.topDown = topDown;
  for (int y = 0; y < h; ++y) {
    spec.rows.push_back(Rgb24Row(std::vector<COLORREF>(w, RGB(y * 7, 255 - y * 7, 40))));
  }
  return spec;
}

// A memory DC with a top-down 32-bit picture whose pixels can be read back.
class Canvas {
 public:
  Canvas(int w, int h) : w_(w), dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
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

TEST(PixelOperations, CreateBlankMakesABlackBottomUp24BitPicture) {
  ImageBuffer image;
  ASSERT_TRUE(image.CreateBlank(5, 3));
  const BITMAPINFOHEADER& h = image.info->bmiHeader;
  EXPECT_EQ(h.biSize, 40u);
  EXPECT_EQ(h.biWidth, 5);
  EXPECT_EQ(h.biHeight, 3);
  EXPECT_EQ(h.biBitCount, 24);
  EXPECT_EQ(h.biCompression, static_cast<DWORD>(BI_RGB));
  EXPECT_EQ(image.bitsSize, 48u);  // rows of 15 bytes padded to 16
  EXPECT_EQ(std::string(reinterpret_cast<char*>(image.bits), 48), std::string(48, '\0'));
  EXPECT_FALSE(image.CreateBlank(-1, 3));
  EXPECT_TRUE(image.IsEmpty());
  EXPECT_EQ(image.GetPixel(0, 0), RGB(0, 0, 0));
}

TEST(PixelOperations, CopyRectConvertsPalettePixelsIntoBlueGreenRedRows) {
  ImageBuffer source;
  Load(&source, PaletteSpec());
  ImageBuffer target;
  ASSERT_TRUE(target.CreateBlank(5, 4));
  target.CopyRect(source, 0, 0, 3, 2, 1, 1);
  // Row 1 from the top of a 4-row bottom-up picture is memory row 2 (stride 16).
  const BYTE* row1 = target.bits + 2 * 16;
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(row1 + 3), 9),
            std::string("\x00\x00\xFF\x00\xFF\x00\xFF\x00\x00", 9));
  EXPECT_EQ(target.GetPixel(1, 2), kMagenta);
  EXPECT_EQ(target.GetPixel(2, 2), kGrey);
  EXPECT_EQ(target.GetPixel(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(target.GetPixel(4, 3), RGB(0, 0, 0));

  // True-colour sources of either width and row order copy the same colours.
  BmpSpec wide;
  wide.width = 3;
  wide.bitCount = 32;
  wide.topDown = true;
  wide.rows = {Rgb32Row({kRed, kGreen, kBlue}), Rgb32Row({kMagenta, kGrey, kRed})};
  ImageBuffer thirtyTwo;
  Load(&thirtyTwo, wide);
  ImageBuffer second;
  ASSERT_TRUE(second.CreateBlank(5, 4));
  second.CopyRect(thirtyTwo, 0, 0, 3, 2, 1, 1);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(second.bits), second.bitsSize),
            std::string(reinterpret_cast<char*>(target.bits), target.bitsSize));
}

TEST(PixelOperations, CopyRectSkipsPixelsOutsideEitherPicture) {
  ImageBuffer source;
  Load(&source, PaletteSpec());
  const int rects[][6] = {{-2, -1, 5, 4, -1, 0}, {0, 0, 3, 2, 3, 2},   {1, 0, 3, 2, -1, -1},
                          {0, 0, 3, 2, -3, 0},   {0, 0, 3, 2, 4, 0},    {2, 1, 2, 5, 0, 0},
                          {2, 0, 1, 2, 0, 0},    {INT_MIN, INT_MIN, INT_MAX, INT_MAX, 1, 1},
                          {0, 0, 3, 2, INT_MAX, INT_MAX}, {-1, -1, 1, 1, INT_MIN, INT_MIN}};
  for (const auto& r : rects) {
    SCOPED_TRACE(testing::Message() << r[0] << "," << r[1] << "," << r[2] << "," << r[3] << " to "
                                    << r[4] << "," << r[5]);
    ImageBuffer target;
    ASSERT_TRUE(target.CreateBlank(4, 3));
    std::memset(target.bits, 0xEE, target.bitsSize);
    {
      GuardedPicture guarded(target);
      target.CopyRect(source, r[0], r[1], r[2], r[3], r[4], r[5]);
      for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
          int64_t sx = static_cast<int64_t>(x) - r[4] + r[0];
          int64_t sy = static_cast<int64_t>(y) - r[5] + r[1];
          bool copied = sx >= r[0] && sx < r[2] && sy >= r[1] && sy < r[3] && sx >= 0 && sx < 3 &&
                        sy >= 0 && sy < 2;
          COLORREF expected =
              copied ? source.GetPixel(static_cast<int>(sx), static_cast<int>(sy)) : RGB(0xEE, 0xEE, 0xEE);
          EXPECT_EQ(target.GetPixel(x, y), expected) << x << "," << y;
        }
      }
    }
  }
  // Only 24- and 32-bit pictures are written into.
  ImageBuffer palette;
  Load(&palette, PaletteSpec());
  palette.CopyRect(source, 0, 0, 3, 2, 0, 0);
  EXPECT_EQ(palette.GetPixel(0, 1), kMagenta);
}

TEST(PixelOperations, PixelsOutsideThePictureOrOfOtherFormatsReadBlack) {
  ImageBuffer image;
  EXPECT_EQ(image.GetPixel(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(image.Width(), 0);
  Load(&image, PaletteSpec());
  for (auto xy : {std::make_pair(-1, 0), {3, 0}, {0, -1}, {0, 2}, {INT_MIN, INT_MAX}}) {
    EXPECT_EQ(image.GetPixel(xy.first, xy.second), RGB(0, 0, 0));
  }
  // A 4-bit picture loads and draws, but is not read pixel by pixel.
  BmpSpec nibbles;
  nibbles.width = 2;
  nibbles.bitCount = 4;
  nibbles.palette = {kRed, kGreen};
  nibbles.rows = {std::string("\x01", 1), std::string("\x10", 1)};
  Load(&image, nibbles);
  EXPECT_EQ(image.GetPixel(1, 0), RGB(0, 0, 0));
  Canvas canvas(2, 2);
  EXPECT_EQ(image.Blit(canvas.dc(), 0, 0, 2, 2, 0, 0, 2, 2, SRCCOPY), 2);
  EXPECT_EQ(canvas.At(1, 0), kGreen);
  EXPECT_EQ(canvas.At(0, 1), kGreen);
}

TEST(PixelOperations, BlitCountsSourceRowsFromTheTopInEitherRowOrder) {
  const int w = 4, h = 32;
  for (bool topDown : {false, true}) {
    SCOPED_TRACE(topDown);
    ImageBuffer image;
    Load(&image, StripedSpec(w, h, topDown));
    Canvas whole(w, h);
    EXPECT_EQ(image.Blit(whole.dc(), 0, 0, w, h, 0, 0, w, h, SRCCOPY), h);
    for (int y = 0; y < h; ++y) EXPECT_EQ(whole.At(1, y), image.GetPixel(1, y)) << y;

    // Rows 10 to 14 (for the bottom-up picture, source row h - 15 to the call).
    Canvas band(w, 5);
    image.Blit(band.dc(), 0, 0, w, 5, 0, 10, w, 5, SRCCOPY);
    for (int y = 0; y < 5; ++y) EXPECT_EQ(band.At(2, y), image.GetPixel(2, 10 + y)) << y;
  }
}

TEST(PixelOperations, BlitRefusesBlocksThatDoNotHoldThePicture) {
  ImageBuffer image;
  Load(&image, StripedSpec(4, 8, false));
  Canvas canvas(4, 8);
  ImageBuffer empty;
  EXPECT_EQ(empty.Blit(canvas.dc(), 0, 0, 4, 8, 0, 0, 4, 8, SRCCOPY), 0);
  image.bitsSize -= 1;  // as a plug-in block one byte short would be
  EXPECT_EQ(image.Blit(canvas.dc(), 0, 0, 4, 8, 0, 0, 4, 8, SRCCOPY), 0);
  EXPECT_EQ(canvas.At(0, 0), RGB(0xCC, 0xCC, 0xCC));
  EXPECT_EQ(image.GetPixel(0, 0), RGB(0, 0, 0));
  image.bitsSize += 1;
}
