#include "picture_test_util.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>

void PutU16(std::string* bytes, size_t at, uint16_t value) {
  (*bytes)[at] = static_cast<char>(value & 0xFF);
  (*bytes)[at + 1] = static_cast<char>(value >> 8);
}

void PutU32(std::string* bytes, size_t at, uint32_t value) {
  PutU16(bytes, at, static_cast<uint16_t>(value & 0xFFFF));
  PutU16(bytes, at + 2, static_cast<uint16_t>(value >> 16));
}

std::string EncodeBmp(const BmpRecipe& recipe) {
  bool core = recipe.headerSize == 12;
  size_t entryBytes = core ? 3 : 4;
  size_t stride = (static_cast<size_t>(recipe.width) * recipe.bitCount + 31) / 32 * 4;
  size_t pixelOffset = 14 + recipe.headerSize + recipe.palette.size() * entryBytes;
  std::string file(pixelOffset, '\0');
  file[0] = 'B';
  file[1] = 'M';
  PutU32(&file, kAtPixelOffset, static_cast<uint32_t>(pixelOffset));
  PutU32(&file, kAtHeaderSize, recipe.headerSize);
  int height = static_cast<int>(recipe.rows.size());
  if (core) {
    PutU16(&file, 18, static_cast<uint16_t>(recipe.width));
    PutU16(&file, 20, static_cast<uint16_t>(height));
    PutU16(&file, 22, 1);
    PutU16(&file, 24, static_cast<uint16_t>(recipe.bitCount));
  } else {
    PutU32(&file, kAtWidth, static_cast<uint32_t>(recipe.width));
    PutU32(&file, kAtHeight, static_cast<uint32_t>(recipe.topDown ? -height : height));
    PutU16(&file, kAtPlanes, 1);
    PutU16(&file, kAtBitCount, static_cast<uint16_t>(recipe.bitCount));
    PutU32(&file, kAtCompression, recipe.compression);
    PutU32(&file, kAtClrUsed, static_cast<uint32_t>(recipe.palette.size()));
  }
  size_t at = 14 + recipe.headerSize;
  for (COLORREF color : recipe.palette) {
    file[at] = static_cast<char>(GetBValue(color));
    file[at + 1] = static_cast<char>(GetGValue(color));
    file[at + 2] = static_cast<char>(GetRValue(color));
    at += entryBytes;
  }
  for (int i = 0; i < height; ++i) {
    const std::string& row = recipe.rows[recipe.topDown ? i : height - 1 - i];
    file += row;
    file.append(stride - row.size(), '\0');
  }
  PutU32(&file, 2, static_cast<uint32_t>(file.size()));
  return file;
}

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

std::string Rgb24Row(const std::vector<COLORREF>& colors) {
  std::string row;
  for (COLORREF c : colors) {
    row += static_cast<char>(GetBValue(c));
    row += static_cast<char>(GetGValue(c));
    row += static_cast<char>(GetRValue(c));
  }
  return row;
}

std::string Rgb32Row(const std::vector<COLORREF>& colors, BYTE fourth) {
  std::string row;
  for (COLORREF c : colors) row += Rgb24Row({c}) + static_cast<char>(fourth);
  return row;
}

std::string IndexRow(const std::vector<BYTE>& indices) {
  return std::string(indices.begin(), indices.end());
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
