// Sample pictures, guarded memory and pixel sweeps for the picture tests.
#ifndef ZANTO_TESTS_IMAGES_PICTURE_TEST_UTIL_H
#define ZANTO_TESTS_IMAGES_PICTURE_TEST_UTIL_H

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "skin/image_buffer.h"
#include "support/test_support.h"

const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255),
               kGrey = RGB(90, 100, 110), kBlack = RGB(0, 0, 0);

// 3 x 2, 8-bit: top row red, green, blue; bottom row magenta, grey, red.
BmpRecipe SampleRecipe(uint32_t headerSize = 40);
// The sample's colours, whatever its format or row order.
void ExpectSampleColors(const ImageBuffer& image);
ImageStatus LoadBytes(ImageBuffer* image, const std::string& bytes);

// A copy of some bytes that ends right before a PAGE_NOACCESS page, so a read
// one byte past the end faults.
class GuardedBytes {
 public:
  GuardedBytes(const void* data, size_t size);
  ~GuardedBytes();
  GuardedBytes(const GuardedBytes&) = delete;
  GuardedBytes& operator=(const GuardedBytes&) = delete;
  BYTE* data() const { return data_; }
  size_t size() const { return size_; }

 private:
  BYTE* base_ = nullptr;
  BYTE* data_ = nullptr;
  size_t size_ = 0;
};

// While alive, the picture's blocks are guarded copies of the originals.
class GuardedPicture {
 public:
  explicit GuardedPicture(ImageBuffer& image);
  ~GuardedPicture();
  GuardedPicture(const GuardedPicture&) = delete;
  GuardedPicture& operator=(const GuardedPicture&) = delete;

 private:
  ImageBuffer& image_;
  BITMAPINFO* savedInfo_;
  BYTE* savedBits_;
  GuardedBytes info_;
  GuardedBytes bits_;
};

// Runs GetPixel over the picture and a margin around it, and CopyRect of the
// same area into a guarded 24-bit target in several placements. Returns a sum
// of what was read, so the reads cannot be optimised away.
uint32_t SweepPixelOperations(const ImageBuffer& image);

// A fault anywhere in the test program prints its address and these bytes
// (the input being tried) and ends the process, rather than waiting for a
// debugger.
void SetFaultReportBytes(const std::string* bytes);

#endif
