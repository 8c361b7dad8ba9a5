// Mutated and truncated BMP files: the reader never reads outside the file,
// and the pixel operations and StretchDIBits never read or write outside the
// blocks of whatever it accepts. Every buffer ends at an inaccessible page.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "common/handles.h"
#include "picture_test_util.h"
#include "skin/image_buffer.h"

namespace {

std::vector<std::string> SeedFiles() {
  BmpRecipe topDown = SampleRecipe(124);
  topDown.topDown = true;
  BmpRecipe rgb = SampleRecipe();
  rgb.bitCount = 24;
  rgb.palette = {};
  rgb.rows = {Rgb24Row({kRed, kGreen, kBlue}), Rgb24Row({kBlue, kBlue, kRed})};
  BmpRecipe rgb32 = rgb;
  rgb32.bitCount = 32;
  rgb32.rows = {Rgb32Row({kRed, kGreen, kBlue}), Rgb32Row({kBlue, kBlue, kRed})};
  BmpRecipe nibbles = SampleRecipe();
  nibbles.bitCount = 4;
  nibbles.rows = {std::string("\x01\x10", 2), std::string("\x11\x00", 2)};
  std::vector<std::string> seeds = {EncodeBmp(SampleRecipe(40)), EncodeBmp(SampleRecipe(12)),
                                    EncodeBmp(topDown),        EncodeBmp(rgb),
                                    EncodeBmp(rgb32),          EncodeBmp(nibbles)};
  // RLE8, 4 x 2: runs, end of line, end of picture.
  BmpRecipe rle = SampleRecipe();
  rle.width = 4;
  rle.rows = {};
  std::string file = EncodeBmp(rle) + std::string("\x02\x01\x02\x02\x00\x00\x04\x00\x00\x01", 10);
  PutU32(&file, kAtHeight, 2);
  PutU32(&file, kAtCompression, BI_RLE8);
  PutU32(&file, kAtSizeImage, 10);
  seeds.push_back(file);
  return seeds;
}

const uint32_t kExtremeValues[] = {0,      1,      2,          3,          4,          8,
                                   12,     16,     24,         32,         40,         52,
                                   64,     108,    124,        255,        256,        257,
                                   0x7FFF, 0x8000, 0xFFFF,     0x10000,    1000000,    0x00FFFFFF,
                                   0x7FFFFFFF, 0x80000000, 0x80000001, 0xFFFFFFFE, 0xFFFFFFFF};

// Offsets and widths of every header field of a 40-byte-header file (the
// core-header fields overlap the first of them).
const std::pair<size_t, int> kFields[] = {{2, 4},  {10, 4}, {14, 4}, {18, 4}, {22, 4},
                                          {26, 2}, {28, 2}, {30, 4}, {34, 4}, {46, 4},
                                          {50, 4}, {18, 2}, {20, 2}, {24, 2}};

constexpr size_t kGuardedBitsLimit = 1 << 20;

class Exerciser {
 public:
  Exerciser() : dc_(CreateCompatibleDC(nullptr)), bitmap_(CreateBitmap(32, 32, 1, 32, nullptr)) {
    SelectObject(dc_.get(), bitmap_.get());
  }
  ~Exerciser() { SetFaultReportBytes(nullptr); }
  // Decodes the bytes; when they load, sweeps every pixel operation and
  // draws two corners of the picture, all over guarded copies of its blocks.
  void Run(const std::string& bytes) {
    SetFaultReportBytes(&bytes);
    GuardedBytes file(bytes.data(), bytes.size());
    ImageBuffer image;
    ImageStatus status = image.LoadBmpFromMemory(file.data(), file.size());
    ++cases;
    ASSERT_TRUE(status >= ImageOk && status <= ImageTooLarge) << status;
    if (status != ImageOk) return;
    ++loaded;
    // Pictures a mutated header blew up to megabytes are padding past the
    // file; copying them into guarded memory would only cost time.
    std::unique_ptr<GuardedPicture> guarded;
    if (image.bitsSize <= kGuardedBitsLimit) guarded.reset(new GuardedPicture(image));
    SweepPixelOperations(image);
    int w = image.Width(), h = image.Height();
    image.Blit(dc_.get(), 0, 0, 32, 32, 0, 0, 32, 32, SRCCOPY);
    image.Blit(dc_.get(), 0, 0, 32, 32, w - 32, h - 32, 32, 32, SRCCOPY);
    GdiFlush();
  }
  int cases = 0;
  int loaded = 0;

 private:
  unique_hdc dc_;
  unique_hbitmap bitmap_;
};

}  // namespace

TEST(BmpRobustness, TruncatedAndMutatedFilesNeverReachOutsideTheirBlocks) {
  Exerciser exerciser;
  std::vector<std::string> seeds = SeedFiles();
  for (const std::string& seed : seeds) {
    for (size_t length = 0; length <= seed.size(); ++length) {
      exerciser.Run(seed.substr(0, length));
    }
  }
  for (const std::string& seed : seeds) {
    for (const auto& field : kFields) {
      for (uint32_t value : kExtremeValues) {
        std::string bytes = seed;
        if (field.second == 2) {
          PutU16(&bytes, field.first, static_cast<uint16_t>(value));
        } else {
          PutU32(&bytes, field.first, value);
        }
        exerciser.Run(bytes);
      }
    }
  }
  // Every loaded picture is now also drawn into 24 bits by GDI, so a few
  // thousand cases are what the suite's time allows.
  constexpr int kCases = 4000;
  std::mt19937 random(20240611);
  while (exerciser.cases < kCases) {
    std::string bytes = seeds[random() % seeds.size()];
    int flips = 1 + static_cast<int>(random() % 6);
    for (int i = 0; i < flips; ++i) {
      // Mostly in the headers, where the decisions are.
      size_t limit = random() % 4 != 0 && bytes.size() > 64 ? 64 : bytes.size();
      bytes[random() % limit] = static_cast<char>(random());
    }
    if (random() % 4 == 0) {
      const auto& field = kFields[random() % (sizeof(kFields) / sizeof(kFields[0]))];
      PutU32(&bytes, field.first, random() % 2 ? random() : random() % 300);
    }
    if (random() % 5 == 0) bytes.resize(random() % bytes.size());
    exerciser.Run(bytes);
    if (HasFatalFailure()) return;
  }
  EXPECT_GE(exerciser.cases, kCases);
  // Enough of them load for the pixel sweeps to matter.
  EXPECT_GT(exerciser.loaded, kCases / 8);
}
