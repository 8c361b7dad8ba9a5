// The BMP reader: header variants, colours, row order and status codes.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "common/handles.h"
#include "picture_test_util.h"
#include "skin/dib_format.h"
#include "skin/image_buffer.h"
#include "skin/picture_file.h"
#include "support/test_support.h"

TEST(BmpReader, TopLeftPixelComesFromTheLastStoredRowAndMagentaKeepsItsChannels) {
  // 2 x 2, 24-bit, written out by hand: the bottom row is stored first.
  const unsigned char file[] = {
      'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,    // file header
      40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0,  // size, w, h, planes, bits
      0, 0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,   // compression, image size...
      0, 0, 0, 0, 0, 0, 0, 0,                            // colours used, important
      0xFF, 0x00, 0xFF, 0x00, 0x00, 0x00, 0, 0,          // bottom row: magenta, black
      0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0, 0};         // top row: red, green
  ScratchFolder folder;
  std::string path = folder.File("tiny.bmp");
  ASSERT_TRUE(WriteFileBytes(path, std::string(reinterpret_cast<const char*>(file), sizeof(file))));
  ImageBuffer image;
  ASSERT_EQ(image.LoadBmp(path.c_str()), ImageOk);
  EXPECT_EQ(image.Width(), 2);
  EXPECT_EQ(image.Height(), 2);
  EXPECT_EQ(image.GetPixel(0, 0), kRed);
  EXPECT_EQ(image.GetPixel(1, 0), kGreen);
  EXPECT_EQ(image.GetPixel(0, 1), kMagenta);
  EXPECT_EQ(image.GetPixel(1, 1), kBlack);
  EXPECT_EQ(image.bitsSize, 16u);
}

TEST(BmpReader, EveryHeaderKindRowOrderAndDepthGivesTheSameColours) {
  // 40-byte, OS/2 core (3-byte palette entries), OS/2 2.x, and the longer
  // Windows headers that modern editors write.
  for (uint32_t headerSize : {40u, 12u, 16u, 64u, 52u, 108u, 124u}) {
    SCOPED_TRACE(headerSize);
    ImageBuffer image;
    ASSERT_EQ(LoadBytes(&image, EncodeBmp(SampleRecipe(headerSize))), ImageOk);
    ExpectSampleColors(image);
    EXPECT_EQ(image.info->bmiHeader.biSize, 40u);
  }
  BmpRecipe topDown = SampleRecipe();
  topDown.topDown = true;
  BmpRecipe rgb24;
  rgb24.width = 3;
  rgb24.rows = {Rgb24Row({kRed, kGreen, kBlue}), Rgb24Row({kMagenta, kGrey, kRed})};
  BmpRecipe rgb24TopDown = rgb24;
  rgb24TopDown.topDown = true;
  // 32-bit rows are 4 bytes a pixel; the fourth byte is ignored.
  BmpRecipe rgb32 = rgb24;
  rgb32.bitCount = 32;
  rgb32.rows = {Rgb32Row({kRed, kGreen, kBlue}), Rgb32Row({kMagenta, kGrey, kRed}, 0xFF)};
  for (const BmpRecipe& recipe : {topDown, rgb24, rgb24TopDown, rgb32}) {
    SCOPED_TRACE(testing::Message() << recipe.bitCount << (recipe.topDown ? " top-down" : ""));
    ImageBuffer image;
    ASSERT_EQ(LoadBytes(&image, EncodeBmp(recipe)), ImageOk);
    ExpectSampleColors(image);
  }
}

TEST(BmpReader, BitfieldMasksOfLongHeadersFollowTheHeader) {
  BmpRecipe recipe;
  recipe.width = 3;
  recipe.bitCount = 32;
  recipe.headerSize = 124;
  recipe.compression = BI_BITFIELDS;
  recipe.rows = {Rgb32Row({kRed, kGreen, kBlue}), Rgb32Row({kMagenta, kGrey, kRed})};
  std::string file = EncodeBmp(recipe);
  PutU32(&file, 54, 0x00FF0000);  // red, green, blue masks inside the header
  PutU32(&file, 58, 0x0000FF00);
  PutU32(&file, 62, 0x000000FF);
  ImageBuffer image;
  ASSERT_EQ(LoadBytes(&image, file), ImageOk);
  ExpectSampleColors(image);
  // Other masks are decoded by GDI when loading: red and blue trade places.
  PutU32(&file, 54, 0x000000FF);
  PutU32(&file, 62, 0x00FF0000);
  ASSERT_EQ(LoadBytes(&image, file), ImageOk);
  EXPECT_EQ(image.GetPixel(0, 0), kBlue);
}

TEST(BmpReader, MissingRowsReadAsZeroAndTheHeaderNeverPromisesMore) {
  BmpRecipe recipe = SampleRecipe();
  recipe.rows.push_back(IndexRow({1, 1, 1}));  // a third row, stored first
  std::string file = EncodeBmp(recipe);
  file.resize(file.size() - 6);  // the top row and part of the middle one are cut off
  ImageBuffer image;
  ASSERT_EQ(LoadBytes(&image, file), ImageOk);
  EXPECT_EQ(image.bitsSize, 12u);
  EXPECT_EQ(image.GetPixel(1, 0), kRed);  // zero bytes: palette index 0
  EXPECT_EQ(image.GetPixel(0, 1), kMagenta);
  EXPECT_EQ(image.GetPixel(1, 1), kGrey);
  EXPECT_EQ(image.GetPixel(2, 1), kRed);
  EXPECT_EQ(image.GetPixel(1, 2), kGreen);

  // An image size beyond the block is dropped; colours used are capped at
  // what the info block holds.
  PutU32(&file, kAtSizeImage, 0xFFFFFFF0);
  PutU32(&file, kAtClrUsed, 305402420);
  ASSERT_EQ(LoadBytes(&image, file), ImageOk);
  EXPECT_EQ(image.info->bmiHeader.biSizeImage, 0u);
  EXPECT_EQ(image.info->bmiHeader.biClrUsed, 256u);
}

TEST(BmpReader, BrokenFilesAreRefusedAndThePreviousPictureStays) {
  const std::string good = EncodeBmp(SampleRecipe());
  auto with = [&](std::initializer_list<std::pair<size_t, uint32_t>> fields, int width = 4) {
    std::string bytes = good;
    for (const auto& field : fields) {
      if (width == 2) {
        PutU16(&bytes, field.first, static_cast<uint16_t>(field.second));
      } else {
        PutU32(&bytes, field.first, field.second);
      }
    }
    return bytes;
  };
  const std::pair<const char*, std::string> cases[] = {
      {"empty", ""},
      {"not a BMP", "PK" + good.substr(2)},
      {"cut inside the file header", good.substr(0, 12)},
      {"cut inside the info header", good.substr(0, 40)},
      {"cut inside the palette", good.substr(0, 60)},
      {"unknown header size", with({{kAtHeaderSize, 66}})},
      {"pixel offset past the end", with({{kAtPixelOffset, uint32_t(good.size() + 1)}})},
      {"zero width", with({{kAtWidth, 0}})},
      {"negative width", with({{kAtWidth, uint32_t(-3)}})},
      {"zero height", with({{kAtHeight, 0}})},
      {"most negative height", with({{kAtHeight, 0x80000000}})},
      {"bit count 30000", with({{kAtBitCount, 30000}}, 2)},
      {"bit count 2", with({{kAtBitCount, 2}}, 2)},
      {"bit count 64", with({{kAtBitCount, 64}}, 2)},
      {"embedded PNG", with({{kAtCompression, 5}})},
      {"top-down RLE", with({{kAtCompression, BI_RLE8}, {kAtHeight, uint32_t(-2)}})},
      {"RLE8 with 4 bits", with({{kAtBitCount, 4}, {kAtCompression, BI_RLE8}})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first);
    ImageBuffer image;
    ASSERT_EQ(LoadBytes(&image, good), ImageOk);
    BITMAPINFO* before = image.info;
    EXPECT_EQ(LoadBytes(&image, c.second), ImageBadData);
    EXPECT_EQ(image.info, before);
    ExpectSampleColors(image);
  }
  // Beyond the limits: refused from the header, with the size for the message.
  const struct { const char* name; std::string bytes; int width, height; } tooLarge[] = {
      {"huge picture", with({{kAtWidth, 3000000}, {kAtHeight, 2000000}}), 3000000, 2000000},
      // Small in bytes, but a window wider or taller than any screen.
      {"70000 x 1", with({{kAtWidth, 70000}, {kAtHeight, 1}}), 70000, 1},
      {"1 x 16385, top-down", with({{kAtWidth, 1}, {kAtHeight, uint32_t(-16385)}}), 1, 16385},
      {"just over 64 MB at 8 bits", with({{kAtWidth, 8192}, {kAtHeight, 8193}}), 8192, 8193},
  };
  for (const auto& c : tooLarge) {
    SCOPED_TRACE(c.name);
    ImageBuffer image;
    ASSERT_EQ(LoadBytes(&image, good), ImageOk);
    EXPECT_EQ(LoadBytes(&image, c.bytes), ImageTooLarge);
    EXPECT_EQ(image.refusedSize.width, c.width);
    EXPECT_EQ(image.refusedSize.height, c.height);
    ExpectSampleColors(image);
  }
  ImageBuffer widest;
  EXPECT_EQ(LoadBytes(&widest, with({{kAtWidth, kMaxPictureSide}, {kAtHeight, 1}})), ImageOk);
  EXPECT_EQ(widest.Width(), kMaxPictureSide);
}

TEST(BmpReader, FileFailuresGiveTheirStatusAndKeepThePicture) {
  ScratchFolder folder;
  std::string goodPath = folder.File("good.bmp");
  ASSERT_TRUE(WriteFileBytes(goodPath, EncodeBmp(SampleRecipe())));
  ImageBuffer image;
  ASSERT_EQ(image.LoadBmp(goodPath.c_str()), ImageOk);
  EXPECT_EQ(image.LoadBmp(folder.File("missing.bmp").c_str()), ImageCannotOpen);
  EXPECT_EQ(image.LoadBmp(nullptr), ImageCannotOpen);

  // A (sparse) file larger than a 32-bit process can hold.
  std::string hugePath = folder.File("huge.bmp");
  {
    unique_hfile huge(CreateFileA(hugePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                                  nullptr));
    ASSERT_TRUE(huge);
    LARGE_INTEGER end;
    end.QuadPart = 0xE0000000LL;
    ASSERT_TRUE(SetFilePointerEx(huge.get(), end, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(huge.get()));
  }
  EXPECT_EQ(image.LoadBmp(hugePath.c_str()), ImageOutOfMemory);
  ExpectSampleColors(image);

  // A handle that may query the size but not read the bytes.
  unique_hfile attributesOnly(CreateFileA(goodPath.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ,
                                          nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(attributesOnly);
  DecodedBmp decoded;
  EXPECT_EQ(ReadBmpFile(attributesOnly.get(), &decoded), ImageReadFailed);
}

// A file is read in two parts, the headers and then the pixel rows straight
// into their block: pixels that start inside the first part, run past it,
// start far beyond it, or stop short of what the header promises must come
// out as the same picture as the whole file read at once.
TEST(BmpReader, AFileGivesTheSamePictureAsItsBytesWhereverItsPixelsLie) {
  BmpRecipe large;
  large.width = 300;  // 300 x 100 x 3 bytes: past the first part
  for (int y = 0; y < 100; ++y) {
    std::vector<COLORREF> row;
    for (int x = 0; x < large.width; ++x) row.push_back(RGB(x, y * 2, (x * y) & 0xFF));
    large.rows.push_back(Rgb24Row(row));
  }
  std::string plain = EncodeBmp(large);
  // The same file with 100000 bytes between the colour table and the pixels.
  std::string gap = plain;
  const uint32_t offset = static_cast<uint8_t>(plain[kAtPixelOffset]) |
                          static_cast<uint8_t>(plain[kAtPixelOffset + 1]) << 8;
  gap.insert(offset, std::string(100000, '\x5A'));
  PutU32(&gap, kAtPixelOffset, offset + 100000);
  PutU32(&gap, 2, static_cast<uint32_t>(gap.size()));
  std::string cut = plain.substr(0, plain.size() - 1000);  // the last rows missing
  ScratchFolder folder;
  for (const std::string* bytes : {&plain, &gap, &cut}) {
    std::string path = folder.File("picture.bmp");
    ASSERT_TRUE(WriteFileBytes(path, *bytes));
    ImageBuffer fromFile, fromBytes;
    ASSERT_EQ(fromFile.LoadBmp(path.c_str()), ImageOk);
    ASSERT_EQ(LoadBytes(&fromBytes, *bytes), ImageOk);
    ASSERT_EQ(fromFile.bitsSize, fromBytes.bitsSize);
    EXPECT_EQ(std::memcmp(fromFile.bits, fromBytes.bits, fromFile.bitsSize), 0);
    EXPECT_EQ(std::memcmp(fromFile.info, fromBytes.info, kInfoBlockSize), 0);
    EXPECT_EQ(fromFile.GetPixel(299, 99), RGB(299 & 0xFF, 198, (299 * 99) & 0xFF));
  }
}
