// LoadedImage: blocks handed over as a plug-in hands them, and the BMP route
// that replaces them.
#include <gtest/gtest.h>

#include <cstring>

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
