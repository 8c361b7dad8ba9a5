#include "picture_test_util.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>

BmpRecipe SampleRecipe(uint32_t headerSize) {
  BmpRecipe recipe;
  recipe.width = 3;
  recipe.bitCount = 8;
  recipe.headerSize = headerSize;
  recipe.palette = {kRed, kGreen, kBlue, kMagenta, kGrey};
  recipe.rows = {IndexRow({0, 1, 2}), IndexRow({3, 4, 0})};
  return recipe;
}

void ExpectSampleColors(const ImageBuffer& image) {
  ASSERT_EQ(image.Width(), 3);
  ASSERT_EQ(image.Height(), 2);
  const COLORREF expected[2][3] = {{kRed, kGreen, kBlue}, {kMagenta, kGrey, kRed}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(image.GetPixel(x, y), expected[y][x]) << x << "," << y;
  }
}

ImageStatus LoadBytes(ImageBuffer* image, const std::string& bytes) {
  return image->LoadBmpFromMemory(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size());
}

GuardedBytes::GuardedBytes(const void* data, size_t size) : size_(size) {
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  size_t page = system.dwPageSize;
  size_t dataPages = (size + page - 1) / page;
  base_ = static_cast<BYTE*>(
      VirtualAlloc(nullptr, (dataPages + 1) * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  DWORD old = 0;
  VirtualProtect(base_ + dataPages * page, page, PAGE_NOACCESS, &old);
  data_ = base_ + dataPages * page - size;
  if (size > 0) std::memcpy(data_, data, size);
}

GuardedBytes::~GuardedBytes() { VirtualFree(base_, 0, MEM_RELEASE); }

GuardedPicture::GuardedPicture(ImageBuffer& image)
    : image_(image),
      savedInfo_(image.info),
      savedBits_(image.bits),
      info_(image.info, image.info ? image.infoSize : 0),
      bits_(image.bits, image.bits ? image.bitsSize : 0) {
  image.info = reinterpret_cast<BITMAPINFO*>(info_.data());
  image.bits = bits_.data();
}

GuardedPicture::~GuardedPicture() {
  image_.info = savedInfo_;
  image_.bits = savedBits_;
}

namespace {

// Every index in [-margin, n + margin), or for large sizes only those near
// both ends, to keep the time bounded.
std::vector<int> SweepIndices(int n) {
  const int margin = 3, band = 8;
  std::vector<int> indices;
  for (int i = -margin; i < n + margin; ++i) {
    if (n <= 512 || i < band || i >= n - band) indices.push_back(i);
  }
  return indices;
}

}  // namespace

uint32_t SweepPixelOperations(const ImageBuffer& image) {
  int w = image.Width(), h = image.Height();
  uint32_t sum = 0;
  std::vector<int> xs = SweepIndices(w);
  for (int y : SweepIndices(h)) {
    for (int x : xs) sum += image.GetPixel(x, y);
  }
  ImageBuffer target;
  if (!target.CreateBlank(40, 30)) return sum;
  GuardedPicture guarded(target);
  const int places[][2] = {{0, 0}, {-3, -3}, {w - 5, h - 5}, {-w, 0}, {0, -h}, {35, 25}};
  for (const auto& place : places) {
    target.CopyRect(image, -3, -3, w + 3, h + 3, place[0], place[1]);
    target.CopyRect(image, place[0], place[1], place[0] + 50, place[1] + 50, 0, 0);
  }
  target.CopyRect(image, INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MAX, INT_MIN);
  target.CopyRect(image, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0);
  for (int y = 0; y < 30; ++y) sum += target.GetPixel(y, y);
  return sum;
}

namespace {

const std::string* faultReportBytes = nullptr;

LONG WINAPI ReportFault(EXCEPTION_POINTERS* exception) {
  const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
  fprintf(stderr, "fault %08lx at %p, address %p; input:", record.ExceptionCode,
          record.ExceptionAddress, reinterpret_cast<void*>(record.ExceptionInformation[1]));
  if (faultReportBytes != nullptr) {
    for (unsigned char c : *faultReportBytes) fprintf(stderr, " %02x", c);
  }
  fprintf(stderr, "\n");
  fflush(stderr);
  ExitProcess(3);
}

struct FaultReporter {
  FaultReporter() { SetUnhandledExceptionFilter(ReportFault); }
} installFaultReporter;

}  // namespace

void SetFaultReportBytes(const std::string* bytes) { faultReportBytes = bytes; }
