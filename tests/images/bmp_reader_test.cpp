// The BMP reader: header variants, colours, row order and status codes.
#include <gtest/gtest.h>

#include <climits>

#include "picture_test_util.h"
#include "skin/image_buffer.h"
#include "skin/picture_file.h"
#include "support/test_support.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255),
               kMagenta = RGB(255, 0, 255), kGrey = RGB(90, 100, 110), kBlack = RGB(0, 0, 0);

ImageStatus LoadBytes(ImageBuffer* image, const std::string& bytes) {
  return image->LoadBmpFromMemory(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size());
}

// 3 x 2, 8-bit: top row red green blue, bottom row magenta grey red.
BmpSpec PaletteSpec(uint32_t headerSize) {
  BmpSpec spec;
  spec.width = 3;
  spec.bitCount = 8;
  spec.headerSize = headerSize;
  spec.palette = {kRed, kGreen, kBlue, kMagenta, kGrey};
  spec.rows = {IndexRow({0, 1, 2}), IndexRow({3, 4, 0})};
  return spec;
}

void ExpectPaletteSpecColors(const ImageBuffer& image) {
  ASSERT_EQ(image.Width(), 3);
  ASSERT_EQ(image.Height(), 2);
  EXPECT_EQ(image.GetPixel(0, 0), kRed);
  EXPECT_EQ(image.GetPixel(1, 0), kGreen);
  EXPECT_EQ(image.GetPixel(2, 0), kBlue);
  EXPECT_EQ(image.GetPixel(0, 1), kMagenta);
  EXPECT_EQ(image.GetPixel(1, 1), kGrey);
  EXPECT_EQ(image.GetPixel(2, 1), kRed);
}

}  // namespace

TEST(BmpReader, TopLeftPixelComesFromTheLastStoredRowAndMagentaKeepsItsChannels) {
  // 2 x 2, 24-bit, written out by hand: the bottom row is stored first.
  const unsigned char file[] = {
      'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,           // file header
      40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0,         // size, w, h, planes, bits
      0, 0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,          // compression, image size...
      0, 0, 0, 0, 0, 0, 0, 0,                                   // colours used, important
      0xFF, 0x00, 0xFF, 0x00, 0x00, 0x00, 0, 0,                 // bottom row: magenta, black
      0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0, 0};                // top row: red, green
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

TEST(BmpReader, PalettePicturesReadTheSameWithEveryHeaderKind) {
  // 40-byte, OS/2 core (3-byte palette entries), OS/2 2.x, and the longer
  // Windows headers that modern editors write.
  for (uint32_t headerSize : {40u, 12u, 16u, 64u, 52u, 108u, 124u}) {
    SCOPED_TRACE(headerSize);
    ImageBuffer image;
    ASSERT_EQ(LoadBytes(&image, EncodeBmp(PaletteSpec(headerSize))), ImageOk);
    ExpectPaletteSpecColors(image);
    EXPECT_EQ(image.info->bmiHeader.biSize, 40u);
    EXPECT_EQ(image.info->bmiHeader.biBitCount, 8);
  }
}

TEST(BmpReader, TrueColourAndTopDownPicturesAddressTheirRows) {
  BmpSpec spec;
  spec.width = 3;
  spec.rows = {Rgb24Row({kRed, kGreen, kBlue}), Rgb24Row({kMagenta, kGrey, kRed})};
  for (bool topDown : {false, true}) {
    SCOPED_TRACE(topDown);
    spec.topDown = topDown;
    ImageBuffer image;
    ASSERT_EQ(LoadBytes(&image, EncodeBmp(spec)), ImageOk);
    ExpectPaletteSpecColors(image);
  }
  BmpSpec palette = PaletteSpec(40);
  palette.topDown = true;
  ImageBuffer topDownPalette;
  ASSERT_EQ(LoadBytes(&topDownPalette, EncodeBmp(palette)), ImageOk);
  ExpectPaletteSpecColors(topDownPalette);

  // 32-bit rows are 4 bytes a pixel; the fourth byte is ignored.
  BmpSpec wide;
  wide.width = 3;
  wide.bitCount = 32;
  wide.rows = {Rgb32Row({kRed, kGreen, kBlue}), Rgb32Row({kMagenta, kGrey, kRed}, 0xFF)};
  ImageBuffer thirtyTwo;
  ASSERT_EQ(LoadBytes(&thirtyTwo, EncodeBmp(wide)), ImageOk);
  ExpectPaletteSpecColors(thirtyTwo);
}

TEST(BmpReader, BitfieldMasksOfLongHeadersFollowTheHeader) {
  BmpSpec spec;
  spec.width = 3;
  spec.bitCount = 32;
  spec.headerSize = 124;
  spec.compression = BI_BITFIELDS;
  spec.rows = {Rgb32Row({kRed, kGreen, kBlue}), Rgb32Row({kMagenta, kGrey, kRed})};
  std::string file = EncodeBmp(spec);
  PutU32(&file, 54, 0x00FF0000);
  PutU32(&file, 58, 0x0000FF00);
  PutU32(&file, 62, 0x000000FF);
  ImageBuffer image;
  ASSERT_EQ(LoadBytes(&image, file), ImageOk);
  ExpectPaletteSpecColors(image);
  DWORD masks[3];
  memcpy(masks, image.info->bmiColors, sizeof(masks));
  EXPECT_EQ(masks[1], 0x0000FF00u);

  // Other masks load (GDI draws them) but are not read pixel by pixel.
  PutU32(&file, 54, 0x000000FF);
  PutU32(&file, 62, 0x00FF0000);
  ASSERT_EQ(LoadBytes(&image, file), ImageOk);
  EXPECT_EQ(image.GetPixel(0, 0), kBlack);
}

TEST(BmpReader, MissingRowsReadAsZeroAndTheHeaderNeverPromisesMore) {
  BmpSpec spec = PaletteSpec(40);
  spec.rows.push_back(IndexRow({1, 1, 1}));  // a third row, stored first
  std::string file = EncodeBmp(spec);
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

TEST(BmpReader, BrokenFilesAreRejectedAndThePreviousPictureStays) {
  const std::string good = EncodeBmp(PaletteSpec(40));
  auto with32 = [&](size_t at, uint32_t value) {
    std::string bytes = good;
    PutU32(&bytes, at, value);
    return bytes;
  };
  auto with16 = [&](size_t at, uint16_t value) {
    std::string bytes = good;
    PutU16(&bytes, at, value);
    return bytes;
  };
  std::string rleTopDown = with32(kAtCompression, BI_RLE8);
  PutU32(&rleTopDown, kAtHeight, static_cast<uint32_t>(-2));
  std::string rle24 = with32(kAtCompression, BI_RLE8);
  PutU16(&rle24, kAtBitCount, 24);
  std::string huge = with32(kAtWidth, 3000000);
  PutU32(&huge, kAtHeight, 2000000);
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"empty", ""},
      {"not a BMP", "PK" + good.substr(2)},
      {"cut inside the file header", good.substr(0, 12)},
      {"cut inside the info header", good.substr(0, 40)},
      {"cut inside the palette", good.substr(0, 60)},
      {"unknown header size", with32(kAtHeaderSize, 66)},
      {"pixel offset past the end", with32(kAtPixelOffset, static_cast<uint32_t>(good.size() + 1))},
      {"zero width", with32(kAtWidth, 0)},
      {"negative width", with32(kAtWidth, static_cast<uint32_t>(-3))},
      {"zero height", with32(kAtHeight, 0)},
      {"most negative height", with32(kAtHeight, 0x80000000)},
      {"huge picture", huge},
      {"bit count 30000", with16(kAtBitCount, 30000)},
      {"bit count 2", with16(kAtBitCount, 2)},
      {"bit count 64", with16(kAtBitCount, 64)},
      {"RLE with 24 bits", rle24},
      {"embedded PNG", with32(kAtCompression, 5)},
      {"top-down RLE", rleTopDown},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first);
    ImageBuffer image;
    ASSERT_EQ(LoadBytes(&image, good), ImageOk);
    BITMAPINFO* before = image.info;
    EXPECT_EQ(LoadBytes(&image, c.second), ImageBadData);
    EXPECT_EQ(image.info, before);
    ExpectPaletteSpecColors(image);
  }
}

TEST(BmpReader, FileFailuresGiveTheirStatusAndKeepThePicture) {
  ScratchFolder folder;
  std::string goodPath = folder.File("good.bmp");
  ASSERT_TRUE(WriteFileBytes(goodPath, EncodeBmp(PaletteSpec(40))));
  ImageBuffer image;
  ASSERT_EQ(image.LoadBmp(goodPath.c_str()), ImageOk);

  EXPECT_EQ(image.LoadBmp(folder.File("missing.bmp").c_str()), ImageCannotOpen);
  EXPECT_EQ(image.LoadBmp(nullptr), ImageCannotOpen);
  ExpectPaletteSpecColors(image);

  // A handle that may query the size but not read the bytes.
  unique_hfile attributesOnly(CreateFileA(goodPath.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ,
                                          nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(attributesOnly);
  std::unique_ptr<BYTE[]> bytes;
  size_t size = 0;
  EXPECT_EQ(ReadPictureFile(attributesOnly.get(), &bytes, &size), ImageReadFailed);

  // A (sparse) file larger than a 32-bit process can hold.
  std::string hugePath = folder.File("huge.bmp");
  HANDLE huge = CreateFileA(hugePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(huge, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(huge, "BM", 2, &written, nullptr);
  LARGE_INTEGER end;
  end.QuadPart = 0xE0000000LL;
  ASSERT_TRUE(SetFilePointerEx(huge, end, nullptr, FILE_BEGIN));
  ASSERT_TRUE(SetEndOfFile(huge));
  CloseHandle(huge);
  EXPECT_EQ(image.LoadBmp(hugePath.c_str()), ImageOutOfMemory);
  ExpectPaletteSpecColors(image);
}
