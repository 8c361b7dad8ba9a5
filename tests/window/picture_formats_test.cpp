// Every picture that loads looks and behaves as its 24-bit equivalent: the
// BMP Suite's pictures as skin backgrounds against reference pixels that do
// not come from GDI, and a whole skin in 4 bits against the same in 24.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "common/handles.h"
#include "images/picture_test_util.h"
#include "window/painting_skin.h"

namespace {

std::string SuitePath(const std::string& name) { return SourcePath("tests/data/bmpsuite/" + name); }

uint32_t U32(const std::string& f, size_t at) {
  return static_cast<uint8_t>(f[at]) | static_cast<uint8_t>(f[at + 1]) << 8 |
         static_cast<uint8_t>(f[at + 2]) << 16 | static_cast<uint32_t>(static_cast<uint8_t>(f[at + 3])) << 24;
}

// Reference pixels computed from a suite file (40-byte header, bottom-up)
// by the test itself; kMagenta where an RLE picture skips a pixel.
std::vector<COLORREF> Reference(const std::string& f) {
  const int width = static_cast<int>(U32(f, kAtWidth)), height = static_cast<int>(U32(f, kAtHeight));
  const int bits = static_cast<uint8_t>(f[kAtBitCount]);
  const uint32_t compression = U32(f, kAtCompression);
  const size_t pixels = U32(f, kAtPixelOffset), palette = 14 + U32(f, kAtHeaderSize);
  auto paletteColour = [&](int index) {
    size_t at = palette + 4 * static_cast<size_t>(index);
    return RGB(static_cast<uint8_t>(f[at + 2]), static_cast<uint8_t>(f[at + 1]),
               static_cast<uint8_t>(f[at]));
  };
  std::vector<COLORREF> out(static_cast<size_t>(width) * height, kMagenta);
  auto put = [&](int x, int rowFromBottom, COLORREF c) {
    if (x < width && rowFromBottom < height) out[(height - 1 - rowFromBottom) * width + x] = c;
  };
  if (compression == BI_RLE8 || compression == BI_RLE4) {
    int x = 0, row = 0;
    for (size_t at = pixels; at + 1 < f.size();) {
      int count = static_cast<uint8_t>(f[at]), value = static_cast<uint8_t>(f[at + 1]);
      at += 2;
      if (count > 0) {  // a run of one index, or two alternating nibbles
        for (int i = 0; i < count; ++i) {
          int index = bits == 8 ? value : (i % 2 == 0 ? value >> 4 : value & 15);
          put(x++, row, paletteColour(index));
        }
      } else if (value == 0) {
        x = 0, ++row;
      } else if (value == 1) {
        break;
      } else if (value == 2) {
        x += static_cast<uint8_t>(f[at]), row += static_cast<uint8_t>(f[at + 1]);
        at += 2;
      } else {  // `value` literal indices, padded to a 16-bit boundary
        int bytes = bits == 8 ? value : (value + 1) / 2;
        for (int i = 0; i < value; ++i) {
          int b = static_cast<uint8_t>(f[at + (bits == 8 ? i : i / 2)]);
          put(x++, row, paletteColour(bits == 8 ? b : (i % 2 == 0 ? b >> 4 : b & 15)));
        }
        at += (bytes + 1) / 2 * 2;
      }
    }
    return out;
  }
  const size_t stride = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
  // 16-bit masks: the default 5-5-5, or those after the header.
  uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
  if (compression == BI_BITFIELDS) {
    for (int i = 0; i < 3; ++i) masks[i] = U32(f, palette + 4 * i);
  }
  for (int row = 0; row < height; ++row) {
    for (int x = 0; x < width; ++x) {
      size_t at = pixels + row * stride;
      if (bits <= 8) {
        int b = static_cast<uint8_t>(f[at + x * bits / 8]);
        int shift = 8 - bits - (x * bits) % 8;
        put(x, row, paletteColour((b >> shift) & ((1 << bits) - 1)));
      } else {
        uint32_t v = static_cast<uint8_t>(f[at + 2 * x]) | static_cast<uint8_t>(f[at + 2 * x + 1]) << 8;
        BYTE channel[3];
        for (int i = 0; i < 3; ++i) {
          int shift = 0, size = 0;
          while (!(masks[i] >> shift & 1)) ++shift;
          while (masks[i] >> (shift + size) & 1) ++size;
          uint32_t c = (v & masks[i]) >> shift;
          // Widened by repeating its top bits, as GDI does.
          channel[i] = static_cast<BYTE>(c << (8 - size) | c >> (2 * size - 8));
        }
        put(x, row, RGB(channel[0], channel[1], channel[2]));
      }
    }
  }
  return out;
}

std::vector<COLORREF> PixelsOf(const char* name) {
  ImageBuffer picture;
  EXPECT_EQ(picture.LoadBmp(SuitePath(name).c_str()), ImageOk);
  std::vector<COLORREF> out;
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) out.push_back(picture.GetPixel(x, y));
  }
  return out;
}

// A picture of `width` x `height`, 4 bits per pixel, of palette[index(x, y)].
std::string Pal4Bmp(int width, int height, const std::vector<COLORREF>& palette,
                    int (*index)(int, int)) {
  BmpRecipe recipe;
  recipe.width = width;
  recipe.bitCount = 4;
  recipe.palette = palette;
  for (int y = 0; y < height; ++y) {
    std::string row((width + 1) / 2, '\0');
    for (int x = 0; x < width; ++x) row[x / 2] |= static_cast<char>(index(x, y) << (x % 2 ? 0 : 4));
    recipe.rows.push_back(row);
  }
  return EncodeBmp(recipe);
}

}  // namespace

// Faults caught: 1-, 4- and 16-bit, RLE, bit-field or top-down backgrounds
// reading as black (no shape, no face), skipped RLE pixels taking another
// colour than the transparent one, rows flipped.
TEST(PictureFormats, SuiteBackgroundsGiveTheReferencePixelsAndShape) {
  struct Case {
    const char* file;
    const char* reference;  // a suite file read without GDI, or null: computed
  };
  const Case cases[] = {
      {"g/pal1.bmp", nullptr},        {"g/pal1bg.bmp", nullptr},     {"g/pal1wb.bmp", nullptr},
      {"g/pal4.bmp", nullptr},        {"g/pal4gs.bmp", nullptr},     {"g/pal4rle.bmp", nullptr},
      {"g/pal8rle.bmp", nullptr},     {"q/pal4rletrns.bmp", nullptr}, {"q/pal4rlecut.bmp", nullptr},
      {"q/pal8rletrns.bmp", nullptr}, {"q/pal8rlecut.bmp", nullptr}, {"g/rgb16.bmp", nullptr},
      {"g/rgb16-565.bmp", nullptr},   {"g/rgb16bfdef.bmp", nullptr}, {"g/pal8topdown.bmp", "g/pal8.bmp"},
      {"g/rgb32bf.bmp", "g/rgb24.bmp"},
  };
  ScratchFolder folder;
  SkinWindow window;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    std::vector<COLORREF> want =
        c.reference ? PixelsOf(c.reference) : Reference(ReadFileBytes(SuitePath(c.file)));
    ASSERT_TRUE(CopyFileA(SuitePath(c.file).c_str(), folder.File("back.bmp").c_str(), FALSE));
    std::string rc = folder.File("suite.rc");
    ASSERT_TRUE(WriteFileBytes(rc, "BackgroundImage back.bmp\r\nBackgroundImageInactive back.bmp\r\n"));
    if (window.hwnd == nullptr) {
      ASSERT_TRUE(CreateTestSkinWindow(window, rc)) << window.status;
    } else {
      ASSERT_TRUE(window.ChangeSkin(nullptr, rc.c_str())) << window.status;
    }
    const int width = window.backgroundPicture.Width(), height = window.backgroundPicture.Height();
    ASSERT_EQ(static_cast<size_t>(width) * height, want.size());
    BufferSnapshot shot(window);
    unique_hrgn region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(window.hwnd, region.get()), ERROR);
    int wrongPixels = 0, wrongShape = 0, transparent = 0;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        COLORREF expected = want[static_cast<size_t>(y) * width + x];
        transparent += expected == kMagenta;
        // Transparent pixels are cut away; the buffer keeps the face under them.
        if (expected != kMagenta && shot.At(x, y) != expected) ++wrongPixels;
        if (window.backgroundPicture.GetPixel(x, y) != expected) ++wrongPixels;
        if ((PtInRegion(region.get(), x, y) != FALSE) != (expected != kMagenta)) ++wrongShape;
      }
    }
    EXPECT_EQ(wrongPixels, 0);
    EXPECT_EQ(wrongShape, 0) << transparent << " transparent pixels expected";
  }
}

// Faults caught: a 4-bit skin whose buttons paint black, whose seek and
// volume grey maps give no position, or whose magenta is not cut out.
TEST(PictureFormats, AFourBitSkinPaintsAndAnswersLikeItsTwentyFourBitTwin) {
  // Sixteen colours serve every picture: the faces, and a seek map whose
  // grey levels rise by 17 every four columns.
  std::vector<COLORREF> palette;
  for (int i = 0; i < 16; ++i) palette.push_back(RGB(17 * i, 17 * i, 17 * i));
  palette[1] = kMagenta;
  palette[2] = RGB(200, 40, 40);
  palette[3] = RGB(40, 200, 90);
  auto face = [](int x, int y) { return x < 6 && y < 6 ? 1 : 2 + (x / 5 + y / 3) % 12; };
  auto pressed = [](int x, int y) { return 3 + (x + y) % 5; };
  auto seek = [](int x, int) { return std::min(15, std::max(0, static_cast<int>(x - kSeekRegion.left) / 4)); };
  auto volume = [](int x, int) { return 4 + x / 8; };

  std::vector<COLORREF> look[2];
  std::vector<int> positions[2];
  for (int depth = 0; depth < 2; ++depth) {
    ScratchFolder folder;
    std::string rc = WritePaintingSkin(folder);
    // Replace the generated pictures with the 16-colour ones, in 4 or 24 bits.
    auto write = [&](const char* name, int w, int h, int (*index)(int, int)) {
      if (depth == 1) {
        BmpRecipe recipe;  // the same pixels in 24 bits
        recipe.width = w;
        for (int y = 0; y < h; ++y) {
          std::vector<COLORREF> row;
          for (int x = 0; x < w; ++x) row.push_back(palette[index(x, y)]);
          recipe.rows.push_back(Rgb24Row(row));
        }
        ASSERT_TRUE(WriteFileBytes(folder.File(name), EncodeBmp(recipe)));
      } else {
        ASSERT_TRUE(WriteFileBytes(folder.File(name), Pal4Bmp(w, h, palette, index)));
      }
    };
    write("back.bmp", kSkinWidth, kSkinHeight, face);
    write("inactive.bmp", kSkinWidth, kSkinHeight, face);
    for (const char* name : {"pressed1.bmp", "pressed3.bmp"}) write(name, kSkinWidth, kSkinHeight, pressed);
    write("seek.bmp", kSkinWidth, kSkinHeight, seek);
    write("volume_map.bmp", kSkinWidth, kSkinHeight, seek);
    write("volume.bmp", kVolumeFrames * 8, 6, volume);
    write("time.bmp", 12 * kGlyphWidth, kGlyphHeight, volume);

    SkinWindow window;
    ASSERT_TRUE(CreateTestSkinWindow(window, rc)) << window.status << " " << window.errorText;
    window.SetSeekPosition(100);
    window.SetVolumePosition(170);
    window.SetTime(12, 34, 1);
    window.PaintButton(PlayButton, 0, true);
    window.PaintButton(MinimizeButton, 0, true);
    BufferSnapshot shot(window);
    unique_hrgn region(CreateRectRgn(0, 0, 0, 0));
    GetWindowRgn(window.hwnd, region.get());
    for (int y = 0; y < kSkinHeight; ++y) {
      for (int x = 0; x < kSkinWidth; ++x) {
        look[depth].push_back(shot.At(x, y));
        look[depth].push_back(PtInRegion(region.get(), x, y));
        positions[depth].push_back(window.SeekMapPosition(x, y));
        positions[depth].push_back(window.VolumeMapPosition(x, y));
      }
    }
  }
  EXPECT_TRUE(look[0] == look[1]) << "the 4-bit skin looks different";
  EXPECT_TRUE(positions[0] == positions[1]) << "its grey maps answer differently";
  EXPECT_FALSE(look[0][1]) << "the magenta corner is cut out";
}
