// LoadedImage: blocks handed over as a plug-in hands them, and the BMP route
// that replaces them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "picture_test_util.h"
#include "skin/image_buffer.h"
#include "support/test_support.h"

namespace {

// A moveable local-memory block holding bytes, as a plug-in returns it.
HLOCAL LocalBlock(const void* data, size_t size) {
  HLOCAL block = LocalAlloc(LMEM_MOVEABLE, size);
  std::memcpy(LocalLock(block), data, size);
  LocalUnlock(block);
  return block;
}

// A 2 x 1 8-bit picture with a two-entry palette in a block of exactly that size.
HLOCAL PaletteInfoBlock(DWORD colorsUsed) {
  BYTE info[40 + 8] = {};
  BITMAPINFOHEADER header = {};
  header.biSize = 40;
  header.biWidth = 2;
  header.biHeight = 1;
  header.biPlanes = 1;
  header.biBitCount = 8;
  header.biClrUsed = colorsUsed;
  std::memcpy(info, &header, sizeof(header));
  const RGBQUAD palette[2] = {{255, 0, 0, 0}, {0, 0, 255, 0}};  // blue, red
  std::memcpy(info + 40, palette, sizeof(palette));
  return LocalBlock(info, sizeof(info));
}

HLOCAL PixelBlock(size_t size) {
  const BYTE pixels[4] = {1, 0, 7, 7};
  return LocalBlock(pixels, size);
}

}  // namespace

TEST(LoadedImage, KeepsPluginBlocksUntilABmpReallyReplacesThem) {
  ScratchFolder folder;
  BmpRecipe recipe;
  recipe.width = 1;
  recipe.rows = {Rgb24Row({RGB(1, 2, 3)})};
  std::string goodPath = folder.File("good.bmp"), brokenPath = folder.File("broken.bmp");
  ASSERT_TRUE(WriteFileBytes(goodPath, EncodeBmp(recipe)));
  ASSERT_TRUE(WriteFileBytes(brokenPath, "BMxx"));

  LoadedImage image;
  HLOCAL info = PaletteInfoBlock(2), bits = PixelBlock(4);
  ASSERT_EQ(image.AdoptPluginBlocks(info, bits), ImageOk);
  EXPECT_EQ(image.infoHandle, info);
  EXPECT_EQ(image.bitsHandle, bits);
  EXPECT_EQ(image.infoSize, 48u);
  EXPECT_EQ(image.GetPixel(0, 0), kRed);
  EXPECT_EQ(image.GetPixel(1, 0), kBlue);

  for (const std::string& path : {folder.File("missing.bmp"), brokenPath}) {
    EXPECT_NE(image.LoadPicture(nullptr, path.c_str()), ImageOk);
    EXPECT_EQ(image.infoHandle, info);
    EXPECT_EQ(image.bitsHandle, bits);
    EXPECT_EQ(image.GetPixel(0, 0), kRed);
  }

  ASSERT_EQ(image.LoadPicture(nullptr, goodPath.c_str()), ImageOk);
  EXPECT_EQ(image.infoHandle, nullptr);
  EXPECT_EQ(image.bitsHandle, nullptr);
  EXPECT_EQ(image.GetPixel(0, 0), RGB(1, 2, 3));
  EXPECT_EQ(image.infoSize, kInfoBlockSize);

  // Plug-in blocks replace the program's, and Release frees either kind.
  ASSERT_EQ(image.AdoptPluginBlocks(PaletteInfoBlock(2), PixelBlock(4)), ImageOk);
  EXPECT_EQ(image.GetPixel(1, 0), kBlue);
  image.Release();
  EXPECT_TRUE(image.IsEmpty());
  EXPECT_EQ(image.infoHandle, nullptr);
}

TEST(LoadedImage, RefusesPluginBlocksTooShortForTheirHeader) {
  LoadedImage image;
  ASSERT_EQ(image.AdoptPluginBlocks(PaletteInfoBlock(2), PixelBlock(4)), ImageOk);
  BITMAPINFO* before = image.info;
  // No colours-used count means 256 palette entries, which the block lacks;
  // then a pixel block short of the one 4-byte row.
  EXPECT_EQ(image.AdoptPluginBlocks(PaletteInfoBlock(0), PixelBlock(4)), ImageBadData);
  EXPECT_EQ(image.AdoptPluginBlocks(PaletteInfoBlock(2), PixelBlock(3)), ImageBadData);
  EXPECT_EQ(image.AdoptPluginBlocks(nullptr, PixelBlock(4)), ImageBadData);
  EXPECT_EQ(image.info, before);
  EXPECT_EQ(image.GetPixel(0, 0), kRed);
}

namespace {

// An info block as a plug-in with a longer header returns it: the first 40
// bytes of the header, `masks` at offset 40 (inside a header of 52 bytes or
// more), the palette at max(headerSize, end of the masks), and `slack` bytes
// more (or, negative, fewer).
HLOCAL LongHeaderBlock(DWORD headerSize, int bitCount, const std::vector<DWORD>& masks,
                       const std::vector<RGBQUAD>& palette, int slack) {
  BITMAPINFOHEADER header = {};
  header.biSize = headerSize;
  header.biWidth = 2;
  header.biHeight = 1;
  header.biPlanes = 1;
  header.biBitCount = static_cast<WORD>(bitCount);
  header.biCompression = masks.empty() ? BI_RGB : BI_BITFIELDS;
  header.biClrUsed = static_cast<DWORD>(palette.size());
  std::string bytes(reinterpret_cast<const char*>(&header), sizeof(header));
  bytes.append(reinterpret_cast<const char*>(masks.data()), masks.size() * sizeof(DWORD));
  if (headerSize != 0xFFFFFFFF && bytes.size() < headerSize) bytes.resize(headerSize, '\0');
  bytes.append(reinterpret_cast<const char*>(palette.data()), palette.size() * sizeof(RGBQUAD));
  bytes.resize(bytes.size() + slack, '\0');
  return LocalBlock(bytes.data(), bytes.size());
}

}  // namespace

// Faults caught: a V4/V5 header refused, its palette read from inside the
// header, masks looked for after a long header instead of at offset 40, a
// header size beyond the block (or below 40) taken for a picture.
TEST(LoadedImage, PluginHeadersOfAnySizeFromFortyReadTheirTablesWhereTheyLie) {
  const std::vector<RGBQUAD> blueRed = {{255, 0, 0, 0}, {0, 0, 255, 0}};
  const std::vector<DWORD> rgbMasks = {0x00FF0000, 0x0000FF00, 0x000000FF}, rgb565 = {0xF800, 0x07E0, 0x001F};
  const BYTE index8[8] = {1, 0}, bgra32[8] = {0, 0, 255, 0, 255, 0, 0, 0}, rgb16[8] = {0x00, 0xF8, 0x1F, 0x00};
  const struct {
    const char* name;
    DWORD headerSize;
    int bitCount;
    std::vector<DWORD> masks;  // none: BI_RGB
    std::vector<RGBQUAD> palette;
    int slack;
    const BYTE* pixels;  // red, blue
    ImageStatus status;
  } cases[] = {
      {"V5, 8-bit", 124, 8, {}, blueRed, 0, index8, ImageOk},
      {"V4, 8-bit, room to spare", 108, 8, {}, blueRed, 16, index8, ImageOk},
      {"V5, 32-bit bitfields", 124, 32, rgbMasks, {}, 0, bgra32, ImageOk},
      {"52 bytes, 16-bit bitfields", 52, 16, rgb565, {}, 0, rgb16, ImageOk},
      {"40 bytes, masks after it", 40, 16, rgb565, {}, 0, rgb16, ImageOk},
      {"V5, palette cut short", 124, 8, {}, blueRed, -1, index8, ImageBadData},
      {"V5 in a block of 100", 124, 8, {}, blueRed, -56, index8, ImageBadData},
      {"39 bytes", 39, 8, {}, blueRed, 8, index8, ImageBadData},
      {"4 GB", 0xFFFFFFFF, 8, {}, blueRed, 0, index8, ImageBadData},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoadedImage image;
    HLOCAL info = LongHeaderBlock(c.headerSize, c.bitCount, c.masks, c.palette, c.slack);
    ASSERT_EQ(image.AdoptPluginBlocks(info, LocalBlock(c.pixels, 8)), c.status);
    if (c.status != ImageOk) continue;
    EXPECT_EQ(image.GetPixel(0, 0), kRed);
    EXPECT_EQ(image.GetPixel(1, 0), kBlue);
    EXPECT_EQ(image.info->bmiHeader.biSize, 40u) << "every reader expects a 40-byte header";
  }
}
